#pragma once
// A fixed report-like page (a header, a dozen paragraphs of mixed format codes,
// justified, a footer) composed through PPpage, and the same content as HTML
// for QTextDocument, so both can be timed and looked at side by side.
#include <cstdint>

#include <QImage>
#include <QString>

#include "pagelayout/pp_page.h"
#include "platform/printer_target.h"
#include "platform/surface_target.h"

namespace qid::bench {

// Pixels per inch of the preview surface at zoom 1.
constexpr double surface_pixels_per_inch = 72;

class ReportLikePage {
public:
    // US Letter, 0.8-inch margins, 12-point Arial.
    ReportLikePage();

    // The surface as large as the page shows at this zoom (clears it).
    void size_surface(float zoom);
    // Composes the whole page on the printer (mode 0) or the surface (mode 1).
    void compose(std::int16_t mode, float zoom);

    // The same content as HTML, with every size in surface pixels at this zoom.
    QString html(float zoom) const;
    // Lays the HTML out with QTextDocument and paints it into image (same size
    // as the surface at that zoom), as the page places its text area.
    void paint_document(const QString& html, float zoom, QImage& image) const;

    platform::PrinterTarget printer;
    platform::SurfaceTarget surface;
    platform::FilePictureBox pictures;
    PPpage page;

private:
    QSizeF paper_;
};

// A page on the same printer and a surface at zoom 1, tall enough for any
// paragraph (lines below the sheet are clipped by the surface).
class LongParagraph {
public:
    explicit LongParagraph(platform::PrinterTarget& printer);
    // A justified paragraph of n words with format codes every few dozen words.
    static QString text(int words);
    void lay_out(const QString& text);

    platform::SurfaceTarget surface;
    platform::FilePictureBox pictures;
    PPpage page;
};

}  // namespace qid::bench
