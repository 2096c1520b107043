#include "batch/tree_reports.h"

#include <QFile>
#include <QFileInfo>

#include "document/pp_pages.h"
#include "document/printer_sheet.h"
#include "platform/printer_target.h"
#include "report/report.h"

namespace qid::batch {

namespace {

// Composes every page of the report now in the document for the printer.
void print_pages()
{
    for (std::int16_t p = 1; p <= rep_page_count; ++p) {
        std::int16_t mode = 0;
        float zoom = 1;
        std::int16_t page = p;
        report_page(mode, zoom, page);
    }
}

}  // namespace

bool write_reports(const QString& pdf, const SpeciesTable& table, const std::vector<Tree>& trees,
                   const std::vector<CascadeResult>& results, QString& problem)
{
    QFile file(pdf);
    if (!file.open(QIODevice::WriteOnly)) {
        problem = file.errorString();
        return false;
    }
    file.close();
    {
        platform::PrinterTarget printer(pdf);
        LiveSheet sheet(printer.printer());
        PPpages doc(DocumentDevices{&printer, &sheet, nullptr});
        set_report_margins();
        for (std::size_t i = 0; i < trees.size(); ++i) {
            if (!trees[i].errors.isEmpty())
                continue;
            const CascadeResult& r = results[i];
            if (add_report_pages(doc, {table, trees[i].seen, trees[i].factors, r.stage, r.selected}))
                print_pages();
        }
        doc.end_printer_doc();
    }
    if (QFileInfo(pdf).size() == 0) {
        problem = QStringLiteral("nothing could be printed into it");
        return false;
    }
    return true;
}

}  // namespace qid::batch
