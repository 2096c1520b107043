// One page using every feature, drawn on the printer into a PDF and on the
// preview surface at zoom 1 and 3. The PDF must hold the texts, and the
// rendered PDF and the surfaces must break their lines at the same heights.
#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "pagelayout/pp_page.h"
#include "platform/printer_target.h"
#include "platform/surface_target.h"
#include "shell/state.h"

namespace qid::testing {
namespace {

constexpr double surface_pixels_per_inch = 72;  // at zoom 1

// The folder the pictures of this check are left in for a person to look at.
QString output_folder()
{
    const QString dir = QDir::temp().filePath(QStringLiteral("quenla-sample-page"));
    QDir().mkpath(dir);
    return dir;
}

void compose(PPpage& page, std::int16_t mode, float zoom, const QString& picture)
{
    page.set_pp(mode);
    page.set_zoom(zoom);
    page.font(QStringLiteral("Arial"), 12);
    page.head_foot(0, QStringLiteral("sd"), QStringLiteral("Kelbine identification"), QStringLiteral("pr"),
                   QString(), 14, true);
    float y = page.page_data(2).toFloat();
    float pl = 0;
    page.add_f_text(QStringLiteral("\\b/FRUIT\\n/ The berries are \\i/ellipsoidal\\n/ and turn from green to "
                                   "\\q12/red\\n/ in autumn; they measure 9 mm, that is about 3.5 x 10\\s/-1\\n/ "
                                   "inch. The angle \\y/a\\n/ of the leaflets is narrow and every leaflet is "
                                   "finely toothed along its whole margin."),
                    y, true, 3, pl, 0, 0);
    y += page.line_height();
    page.add_f_text(QStringLiteral("\\b/SELECTED TREES\\n/"), y, true, 1, pl, 0, 0);
    page.add_f_text(QStringLiteral("Quenla frutescens and Quenla alpina are the two trees that remain after "
                                   "the fruit and the leaf tests."),
                    y, true, 1, pl, 0, 0);
    float hh = -1;
    float vv = 0;
    page.add_graphic(picture, -0.5f, 0, hh, vv);
    float hp = page.page_data(6).toFloat();
    page.add_box(vv + 0.6f, hp, 2, 0.4f);
    page.head_foot(1, QString(), QStringLiteral("ld"), QStringLiteral("pa"), QString(), 10, false);
}

// Pixel rows that hold dark ink, grouped into bands (top, bottom), in paper
// inches, looking only at the left half where the text lines start.
std::vector<std::pair<double, double>> ink_bands(const QImage& image, double pixels_per_inch)
{
    std::vector<std::pair<double, double>> bands;
    bool inside = false;
    for (int row = 0; row < image.height(); ++row) {
        bool ink = false;
        for (int col = 0; col < image.width() / 2 && !ink; ++col)
            ink = qGray(image.pixel(col, row)) < 128;
        if (ink && !inside)
            bands.push_back({row / pixels_per_inch, row / pixels_per_inch});
        if (ink)
            bands.back().second = row / pixels_per_inch;
        inside = ink;
    }
    return bands;
}

TEST(SamplePageTest, PaperAndSurfaceShowTheSameLines)
{
    RecordingMessages messages;
    page_err = false;
    QTemporaryDir dir;
    QImage leaf(120, 80, QImage::Format_RGB32);
    leaf.fill(QColor(40, 140, 60));
    const QString picture = dir.filePath(QStringLiteral("leaf.png"));
    ASSERT_TRUE(leaf.save(picture));

    const QString out = output_folder();
    const QString pdf = QDir(out).filePath(QStringLiteral("sample.pdf"));
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
    page.font_defaults({QStringLiteral("Arial"), 12, false, false, false, false, 0, QStringLiteral("400")});
    page.page_numbers(4, 0);
    page.set_clock([] { return QDate(2004, 5, 3); });

    compose(page, 0, 1, picture);
    printer.end_doc();
    EXPECT_TRUE(messages.shown().empty()) << qPrintable(messages.last().text);

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"03/05/04", "Kelbine identification", "iv", "FRUIT", "ellipsoidal", "red",
                                 "SELECTED TREES", "Quenla frutescens", "May 3", "2004", "Page 4"})
        EXPECT_TRUE(words.contains(QLatin1String(expected))) << expected << "\n" << qPrintable(words);

    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                              QStringLiteral("-singlefile"), pdf,
                                              QDir(out).filePath(QStringLiteral("paper"))});
    ASSERT_TRUE(render.waitForFinished(30000));
    const QImage paper_image(QDir(out).filePath(QStringLiteral("paper.png")));
    ASSERT_FALSE(paper_image.isNull());
    const auto paper_bands = ink_bands(paper_image, 72);

    for (int zoom : {1, 3}) {
        surface.resize(paper, surface_pixels_per_inch * zoom);
        compose(page, 1, static_cast<float>(zoom), picture);
        EXPECT_TRUE(messages.shown().empty());
        ASSERT_TRUE(surface.image().save(QDir(out).filePath(QStringLiteral("surface-zoom%1.png").arg(zoom))));
        const auto bands = ink_bands(surface.image(), surface_pixels_per_inch * zoom);
        ASSERT_EQ(bands.size(), paper_bands.size()) << "zoom " << zoom;
        for (std::size_t i = 0; i < bands.size(); ++i)
            EXPECT_NEAR(bands[i].second, paper_bands[i].second, 0.04) << "band " << i << " zoom " << zoom;
    }
}

}  // namespace
}  // namespace qid::testing
