#include "platform/printer_target.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace qid::platform {

PrinterTarget::PrinterTarget() : PainterTarget(true, Runs::text), printer_(QPrinter::HighResolution)
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty())
            folder = QDir::tempPath();
        printer_.setOutputFileName(QDir(folder).filePath(QStringLiteral("Quenla ID report.pdf")));
    }
}

PrinterTarget::~PrinterTarget()
{
    end_doc();
}

void PrinterTarget::set_pdf_file(const QString& path)
{
    if (printer_.outputFormat() == QPrinter::PdfFormat && !printing())
        printer_.setOutputFileName(path);
}

double PrinterTarget::pixels_per_unit_x() const
{
    return printer_.logicalDpiX();
}

double PrinterTarget::pixels_per_unit_y() const
{
    return printer_.logicalDpiY();
}

QPainter* PrinterTarget::begin_paint()
{
    if (!painter_.isActive()) {
        page_pending_ = false;
        if (!painter_.begin(&printer_))
            return nullptr;
        painter_.setRenderHint(QPainter::Antialiasing);
    } else if (page_pending_) {
        page_pending_ = false;
        printer_.newPage();
    }
    return &painter_;
}

void PrinterTarget::new_page()
{
    if (printing())
        page_pending_ = true;
}

void PrinterTarget::end_doc()
{
    page_pending_ = false;
    if (printing())
        painter_.end();
}

void PrinterTarget::abandon_doc()
{
    page_pending_ = false;
    if (!printing())
        return;
    printer_.abort();
    if (painter_.isActive())
        painter_.end();
    // A PDF engine cannot take back what it has written: remove the file.
    if (printer_.outputFormat() == QPrinter::PdfFormat)
        QFile::remove(printer_.outputFileName());
}

namespace {

PrinterTarget* shared_printer = nullptr;

// Runs while the application object is still alive, so the printer finishes
// its document and lets go of its fonts before Qt's font system goes away.
void release_shared_printer()
{
    delete shared_printer;
    shared_printer = nullptr;
}

}  // namespace

PrinterTarget& current_printer()
{
    if (!shared_printer) {
        shared_printer = new PrinterTarget;
        qAddPostRoutine(release_shared_printer);
    }
    return *shared_printer;
}

}  // namespace qid::platform
