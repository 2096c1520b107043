// A page using every feature, in a PDF and on the preview surface at zoom 1 and 3: the same line heights.
// The pictures stay in the temporary folder for a person to look at.
#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <gtest/gtest.h>

#include "../support/pdf_text.h"
#include "../support/recording_messages.h"
#include "pagelayout/pp_page.h"
#include "platform/printer_target.h"
#include "platform/surface_target.h"
#include "shell/state.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;
constexpr double surface_pixels_per_inch = 72;  // at zoom 1

void compose(PPpage& page, std::int16_t mode, float zoom, const QString& picture)
{
    page.set_pp(mode);
    page.set_zoom(zoom);
    page.font(u"Arial"_s, 12);
    page.head_foot(0, u"sd"_s, u"Kelbine identification"_s, u"pr"_s, QString(), 14, true);
    float y = page.page_data(2).toFloat();
    float pl = 0;
    page.add_f_text(u"\\b/FRUIT\\n/ The berries are \\i/ellipsoidal\\n/ and turn from green to \\q12/red\\n/ in "
                    u"autumn; they measure 9 mm, that is about 3.5 x 10\\s/-1\\n/ inch. The angle \\y/a\\n/ of the "
                    u"leaflets is narrow and every leaflet is finely toothed along its whole margin."_s,
                    y, true, 3, pl, 0, 0);
    y += page.line_height();
    page.add_f_text(u"\\b/SELECTED TREES\\n/"_s, y, true, 1, pl, 0, 0);
    page.add_f_text(u"Quenla frutescens and Quenla alpina remain after both tests."_s, y, true, 1, pl, 0, 0);
    float hh = -1, vv = 0;
    page.add_graphic(picture, -0.5f, 0, hh, vv);
    float hp = page.page_data(6).toFloat();
    page.add_box(vv + 0.6f, hp, 2, 0.4f);
    page.head_foot(1, QString(), u"ld"_s, u"pa"_s, QString(), 10, false);
}

// The lowest row, in paper inches, of every band of pixel rows with dark ink
// in the left half of the page, where the text lines start.
std::vector<double> ink_bottoms(const QImage& image, double pixels_per_inch)
{
    std::vector<double> bottoms;
    bool inside = false;
    for (int row = 0; row < image.height(); ++row) {
        bool ink = false;
        for (int col = 0; col < image.width() / 2 && !ink; ++col)
            ink = qGray(image.pixel(col, row)) < 128;
        if (ink)  // a new band, or the current one reaches further down
            (inside ? bottoms.back() : bottoms.emplace_back()) = row / pixels_per_inch;
        inside = ink;
    }
    return bottoms;
}

TEST(SamplePageTest, PaperAndSurfaceShowTheSameLines)
{
    RecordingMessages messages;
    QDir out(QDir::temp().filePath(u"quenla-sample-page"_s));
    out.removeRecursively();  // nothing of an earlier run may pass for this one's output
    ASSERT_TRUE(out.mkpath(u"."_s));
    QImage leaf(120, 80, QImage::Format_RGB32);
    leaf.fill(QColor(40, 140, 60));
    const QString picture = out.filePath(u"leaf.png"_s);
    ASSERT_TRUE(leaf.save(picture));
    const QString pdf = out.filePath(u"sample.pdf"_s);

    platform::PrinterTarget printer;
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.printer().setFullPage(true);
    printer.set_pdf_file(pdf);
    const QSizeF paper = printer.printer().pageLayout().fullRect(QPageLayout::Inch).size();
    platform::SurfaceTarget surface(paper, surface_pixels_per_inch);
    platform::FilePictureBox pictures;
    PPpage page(printer, surface, pictures);
    const double sizes[14] = {paper.height() - 1.6, paper.width() - 1.6, 0.8, 0.4, 0.8, 0.3, 0.8, 0.8, 1,
                              0xffffff, 1, 0, 0, surface_pixels_per_inch / platform::SurfaceTarget::font_dpi};
    for (std::int16_t opt = 0; opt < 14; ++opt)
        page.set_sizes(opt, sizes[opt]);
    page.font_defaults({u"Arial"_s, 12, false, false, false, false, 0, u"400"_s});
    page.page_numbers(4, 0);
    page.set_clock([] { return QDate(2004, 5, 3); });

    compose(page, 0, 1, picture);
    printer.end_doc();
    EXPECT_TRUE(messages.shown().empty()) << qPrintable(messages.last().text);
    tool_output(u"pdftoppm"_s, {u"-r"_s, u"72"_s, u"-png"_s, u"-singlefile"_s, pdf, out.filePath(u"paper"_s)});
    const QImage rendered(out.filePath(u"paper.png"_s));
    ASSERT_FALSE(rendered.isNull());
    const auto paper_lines = ink_bottoms(rendered, 72);
    for (int zoom : {1, 3}) {
        surface.resize(paper, surface_pixels_per_inch * zoom);
        compose(page, 1, static_cast<float>(zoom), picture);
        EXPECT_TRUE(messages.shown().empty());
        ASSERT_TRUE(surface.image().save(out.filePath(u"surface-zoom%1.png"_s.arg(zoom))));
        const auto lines = ink_bottoms(surface.image(), surface_pixels_per_inch * zoom);
        ASSERT_EQ(lines.size(), paper_lines.size()) << "zoom " << zoom;
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_NEAR(lines[i], paper_lines[i], 0.04) << "line " << i << " zoom " << zoom;
    }
}

}  // namespace
}  // namespace qid::testing
