#pragma once
// The reports of a batch in one PDF file, each written as soon as its tree is
// identified.
#include <memory>

#include <QString>

#include "batch/identify_trees.h"
#include "identify/table.h"

namespace qid {
class PPpages;
class LiveSheet;
namespace platform {
class PrinterTarget;
}
}  // namespace qid

namespace qid::batch {

// Needs the application object of the widgets, but no display.
class ReportFile {
public:
    ReportFile();
    ~ReportFile();
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    // Makes ready to write the PDF file `pdf`, a file there now being left as
    // it is until the first report. False, with the system's reason in
    // `problem`, when the file cannot be written.
    bool open(const QString& pdf, QString& problem);
    // Writes the report of an identified tree, with the pages PRINT gives
    // it: the observations of every step its cascade ran and the species of
    // the last one (none when that step found no trees).
    void add(const SpeciesTable& table, const TreeResult& result);
    // Ends the file. False, with the reason in `problem`, when a report was
    // added and nothing could be printed into the file; with no report, a
    // file made by open() is removed again.
    bool close(QString& problem);

    int reports() const { return reports_; }

private:
    QString pdf_;
    bool made_ = false;
    int reports_ = 0;
    std::unique_ptr<platform::PrinterTarget> printer_;
    std::unique_ptr<LiveSheet> sheet_;
    std::unique_ptr<PPpages> doc_;
};

}  // namespace qid::batch
