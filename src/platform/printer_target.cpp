#include "platform/printer_target.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace qid::platform {

namespace {

// A folder the report can be written to: the user's documents folder, made
// when it is missing; else the home folder; else the temporary folder.
QString pdf_folder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    for (const QString& folder : {documents, QDir::homePath()}) {
        if (folder.isEmpty() || !QDir().mkpath(folder))
            continue;
        if (QFileInfo(folder).isWritable())
            return folder;
    }
    return QDir::tempPath();
}

}  // namespace

PrinterTarget::PrinterTarget() : PainterTarget(true, Runs::text), printer_(QPrinter::HighResolution)
{
    // The system's default printer when there is one, else a PDF file.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(QDir(pdf_folder()).filePath(QStringLiteral("Quenla ID report.pdf")));
    }
}

PrinterTarget::PrinterTarget(const QString& pdf_file) : PainterTarget(true, Runs::text), printer_(QPrinter::HighResolution)
{
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(pdf_file);
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
        painter_.translate(origin_shift());
    } else if (page_pending_) {
        page_pending_ = false;
        printer_.newPage();
    }
    return &painter_;
}

// The pages take the unprintable margins as equal on opposite sides, half of
// what the paper has beyond the printable area. Where a printer's margins
// differ, drawing starts that much further on, so that positions still count
// from the corner of the paper.
QPointF PrinterTarget::origin_shift() const
{
    if (printer_.fullPage())
        return {};
    const QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer_.pageRect(QPrinter::DevicePixel);
    const double left = printable.left() - paper.left();
    const double top = printable.top() - paper.top();
    const double right = paper.right() - printable.right();
    const double bottom = paper.bottom() - printable.bottom();
    return {(right - left) / 2, (bottom - top) / 2};
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
