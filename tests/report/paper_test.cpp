// Example 1's report printed through the preview's print button to a PDF,
// read back with pdftotext: every text in the order of the page, and the
// title, an observation line and a species name where the preview put them.
#include <cmath>
#include <iostream>

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "../support/scripted_dialogs.h"
#include "document/pp_pages.h"
#include "document/preview.h"
#include "platform/printer_target.h"
#include "shell/image_button.h"
#include "shell/window_fixture.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;

// Passes everything on to a drawing target and keeps where each text went.
class RecordingSurface final : public platform::DrawTarget {
public:
    struct Text {
        QString text;
        float x, y;  // the text's lower left corner, inches from the paper's corner
    };
    explicit RecordingSurface(platform::DrawTarget& inner) : t_(inner) {}

    float current_x() const override { return t_.current_x(); }
    float current_y() const override { return t_.current_y(); }
    void set_current(float x, float y) override { t_.set_current(x, y); }
    void print_text(const QString& s) override
    {
        texts.push_back({s, t_.current_x(), t_.current_y()});
        t_.print_text(s);
    }
    void print_run(QStringView s, float space_extra) override
    {
        texts.push_back({s.toString(), t_.current_x(), t_.current_y()});
        t_.print_run(s, space_extra);
    }
    void print_line() override { t_.print_line(); }
    float text_width(const QString& s) const override { return t_.text_width(s); }
    float text_height(const QString& s) const override { return t_.text_height(s); }
    float char_width(QStringView ch) const override { return t_.char_width(ch); }
    platform::TargetFont font() const override { return t_.font(); }
    void set_font(const platform::TargetFont& f) override { t_.set_font(f); }
    std::int32_t fore_color() const override { return t_.fore_color(); }
    void set_fore_color(std::int32_t rgb) override { t_.set_fore_color(rgb); }
    void set_back_color(std::int32_t rgb) override { t_.set_back_color(rgb); }
    void align_text_bottom() override { t_.align_text_bottom(); }
    int set_transparent() override { return t_.set_transparent(); }
    void paint_picture(const QImage& p, float x, float y, float w, float h) override { t_.paint_picture(p, x, y, w, h); }
    void draw_box(float x1, float y1, float x2, float y2, std::int32_t rgb) override { t_.draw_box(x1, y1, x2, y2, rgb); }
    void set_draw_width(int pixels) override { t_.set_draw_width(pixels); }
    void clear() override
    {
        texts.clear();
        t_.clear();
    }

    std::vector<Text> texts;

private:
    platform::DrawTarget& t_;
};

struct Word {
    QString text;
    double x, y;  // left and lower edge of its box, inches
};

QString run(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::vector<Word> pdf_words(const QString& pdf)
{
    std::vector<Word> words;
    static const QRegularExpression word(
        uR"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    for (const auto& m : word.globalMatch(run(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s})))
        words.push_back({m.captured(3), m.captured(1).toDouble() / 72, m.captured(2).toDouble() / 72});
    return words;
}

// The text without its blanks, ligatures as their letters.
QString collapsed(const QString& s)
{
    static const QRegularExpression blanks(u"\\s+"_s);
    return s.normalized(QString::NormalizationForm_KC).remove(blanks);
}

struct Paper {
    const char* name;
    QPageSize::PageSizeId size;
    QMarginsF margins;  // millimetres: left, top, right, bottom
};

void PrintTo(const Paper& p, std::ostream* os)
{
    *os << p.name;
}

class PaperTest : public WindowTest, public ::testing::WithParamInterface<Paper> {
protected:
    void SetUp() override
    {
        // The printer the program starts with: a PDF file on this paper,
        // with unequal margins on each side.
        QPrinter& printer = platform::current_printer().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setFullPage(false);
        printer.setPageLayout(QPageLayout(QPageSize(GetParam().size), QPageLayout::Portrait, GetParam().margins,
                                          QPageLayout::Millimeter));
        WindowTest::SetUp();
        // The program's document, its preview surface watched.
        recorder = std::make_unique<RecordingSurface>(preview_window()->surface());
        pages = std::make_shared<PPpages>(DocumentDevices{nullptr, nullptr, recorder.get()});
        preview_window()->set_PPpages(pages.get());
        pages->page_parms(0.8f, 0.4f, 0.8f, 0.2f, 0.8f, 0.8f, 1);
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        recorder.reset();
    }
    void enter_example_one()
    {
        choose(initial_colour, "RED");
        choose(colour_above, "DARK GREEN");
        choose(bud_colour, "RED-BROWN");
        choose(bud_hairs, "HAIRLESS");
        choose(sticky, "YES");
        for (const auto& [s, text] : {std::pair{berry_size, "9"}, {pairs, "6"}, {leaf_length, "180"},
                                      {leaflet_length, "50"}, {leaflet_width, "20"}, {bud_length, "8"}})
            type(s, text);
        click(next);
        click(next);
        click(next);
    }
    // The lines of the preview's page, top to bottom, each in order from the left.
    QStringList preview_lines() const
    {
        std::map<int, std::map<float, QString>> lines;  // by Y in thousandths of an inch
        for (const RecordingSurface::Text& t : recorder->texts)
            lines[static_cast<int>(std::lround(t.y * 1000))][t.x] += t.text;
        QStringList out;
        for (const auto& [y, pieces] : lines) {
            QString line;
            for (const auto& [x, text] : pieces)
                line += text;
            out << collapsed(line);
        }
        return out;
    }
    const RecordingSurface::Text& on_preview(const QString& start) const
    {
        for (const RecordingSurface::Text& t : recorder->texts)
            if (t.text.startsWith(start))
                return t;
        ADD_FAILURE() << "not on the preview: " << start.toStdString();
        return recorder->texts.front();
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<RecordingSurface> recorder;
};

TEST_P(PaperTest, ThePrintedPageIsThePreviewsPage)
{
    const QTemporaryDir dir;
    const QString pdf = dir.filePath(u"report.pdf"_s);
    enter_example_one();
    ASSERT_EQ(results(), QStringList{u"Quenla frutescens"_s});
    click(print);
    preview& shown = pages->window();
    ASSERT_TRUE(shown.isVisible());
    const QStringList lines = preview_lines();
    const auto title = on_preview(u"Kelbine"_s);
    const auto observation = on_preview(u"Shape:"_s);
    const auto species = on_preview(u"Quenla frutescens"_s);

    dialogs.printers = {{true, 0}};
    dialogs.choose_printer = [&](QPrinter& p) { p.setOutputFileName(pdf); };
    QTest::mouseClick(shown.Image1(0), Qt::LeftButton);
    ASSERT_TRUE(shown.isVisible());
    EXPECT_TRUE(messages_.shown().empty()) << messages_.last().text.toStdString();

    EXPECT_TRUE(collapsed(run(u"pdfinfo"_s, {pdf})).contains(u"Pages:1Encrypted"_s));
    // Every line of the preview, in the same order on paper.
    const QString printed = collapsed(run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s}));
    qsizetype from = 0;
    for (const QString& line : lines) {
        const qsizetype at = printed.indexOf(line, from);
        EXPECT_GE(at, from) << "missing or out of order: " << line.toStdString() << "\nin: " << printed.toStdString();
        from = at < 0 ? from : at + line.size();
    }
    for (const char* text : {"Kelbine identification", "Tree type is normal", "Shape: spherical, size = 9mm",
                             "Leaf size = 180mm", "Sticky? YES Length = 8mm", "SELECTED TREES", "Quenla frutescens"})
        EXPECT_TRUE(printed.contains(collapsed(QLatin1String(text)))) << text;

    // On paper where the preview puts them, from the paper's corner.
    const std::vector<Word> words = pdf_words(pdf);
    for (const auto& [word, placed] : {std::pair{u"Kelbine"_s, title}, {u"Shape:"_s, observation}, {u"Quenla"_s, species}}) {
        const auto found = std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.text == word; });
        ASSERT_NE(found, words.end()) << word.toStdString();
        EXPECT_NEAR(found->x, placed.x, 0.02) << word.toStdString();
        EXPECT_NEAR(found->y, placed.y, 0.02) << word.toStdString();
        std::cout << GetParam().name << ' ' << word.toStdString() << ": off by " << found->x - placed.x << " in across, "
                  << found->y - placed.y << " in down\n";
    }
}

INSTANTIATE_TEST_SUITE_P(, PaperTest,
                         ::testing::Values(Paper{"A4", QPageSize::A4, {6.35, 6.35, 6.35, 6.35}},
                                           Paper{"Letter", QPageSize::Letter, {4, 9, 13, 3}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qid::testing
