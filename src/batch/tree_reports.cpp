#include "batch/tree_reports.h"

#include <QFile>
#include <QFileInfo>

#include "document/pp_pages.h"
#include "document/printer_sheet.h"
#include "platform/printer_target.h"
#include "report/report.h"

namespace qid::batch {

ReportFile::ReportFile() = default;

ReportFile::~ReportFile() = default;

bool ReportFile::open(const QString& pdf, QString& problem)
{
    // Opened to append, the file shows whether it can be written without
    // losing what it holds.
    made_ = !QFileInfo::exists(pdf);
    QFile file(pdf);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        problem = file.errorString();
        return false;
    }
    file.close();
    pdf_ = pdf;
    printer_ = std::make_unique<platform::PrinterTarget>(pdf);
    sheet_ = std::make_unique<LiveSheet>(printer_->printer());
    doc_ = std::make_unique<PPpages>(DocumentDevices{printer_.get(), sheet_.get(), nullptr});
    set_report_margins();
    return true;
}

void ReportFile::add(const SpeciesTable& table, const TreeResult& result)
{
    const Tree& tree = result.tree;
    const CascadeResult& r = result.cascade;
    if (!add_report_pages(*doc_, {table, tree.seen, tree.factors, r.stage, r.selected}))
        return;
    // Every page, composed for the printer now, while the tree is at hand.
    for (std::int16_t p = 1; p <= rep_page_count; ++p) {
        std::int16_t mode = 0;
        float zoom = 1;
        std::int16_t page = p;
        report_page(mode, zoom, page);
    }
    ++reports_;
}

bool ReportFile::close(QString& problem)
{
    if (!doc_)
        return true;
    doc_->end_printer_doc();
    doc_.reset();
    sheet_.reset();
    printer_.reset();
    if (reports_ == 0) {
        if (made_)
            QFile::remove(pdf_);
        return true;
    }
    if (QFileInfo(pdf_).size() == 0) {
        problem = QStringLiteral("nothing could be printed into it");
        return false;
    }
    return true;
}

}  // namespace qid::batch
