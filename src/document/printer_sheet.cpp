#include "document/printer_sheet.h"

#include <QPageLayout>
#include <QPrinter>

namespace qid {

QSizeF LiveSheet::page_twips() const
{
    return printer_.pageLayout().fullRect(QPageLayout::Point).size() * 20;
}

QSizeF LiveSheet::printable_twips() const
{
    return printer_.pageLayout().paintRect(QPageLayout::Point).size() * 20;
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
