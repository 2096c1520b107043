#include "document/printer_sheet.h"

#include <QPageLayout>
#include <QPrinter>

namespace qid {

// Read in device pixels, as the printer places its drawing: whole points
// would be up to half a point out.
QSizeF LiveSheet::page_twips() const
{
    return printer_.paperRect(QPrinter::DevicePixel).size() * 1440 / printer_.resolution();
}

QSizeF LiveSheet::printable_twips() const
{
    return printer_.pageRect(QPrinter::DevicePixel).size() * 1440 / printer_.resolution();
}

std::int16_t LiveSheet::orientation() const
{
    return printer_.pageLayout().orientation() == QPageLayout::Portrait ? 1 : 2;
}

QPageSize LiveSheet::paper() const
{
    return printer_.pageLayout().pageSize();
}

void LiveSheet::set_orientation(std::int16_t o)
{
    printer_.setPageOrientation(o == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
}

void LiveSheet::set_paper(const QPageSize& size)
{
    printer_.setPageSize(size);
}

QString LiveSheet::device_name() const
{
    return printer_.outputFormat() == QPrinter::NativeFormat ? printer_.printerName() : QString();
}

}  // namespace qid
