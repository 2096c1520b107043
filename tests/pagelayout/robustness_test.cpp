// Generated texts of every kind must lay out to the end and draw each
// non-space character exactly once.
#include <random>

#include "page_fixture.h"

namespace qid::testing {
namespace {

class RobustnessTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        page.set_sizes(0, 1e6);  // a page long enough for every text
    }
};

QString random_text(std::mt19937& rng)
{
    static const char* const pieces[] = {
        " ",    "  ",     "\\",    "/",      "\\\\",   "\\b/",  "\\i/",  "\\s/",   "\\p/", "\\n/", "\\k/",
        "\\q3/", "\\q99/", "\\z/",  "\\5/",   "\\36/",  "\\y/",  "\\w/",  "\\d/",   "\\/",  "\\bu14q12/",
        "\\s",   "é",      "ß",     "/\\/",   "\\\\\\", "\\999999999999/", "\\q/"};
    std::uniform_int_distribution<int> count(0, 40);
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<int> piece(0, static_cast<int>(std::size(pieces)) - 1);
    std::uniform_int_distribution<int> letters(1, 15);
    QString text;
    for (int n = count(rng); n > 0; --n) {
        if (kind(rng) == 0)
            text += QString::fromUtf8(pieces[piece(rng)]);
        else
            text += QString(letters(rng), QChar(QLatin1Char('a' + static_cast<char>(letters(rng)))));
        if (kind(rng) == 1)
            text += QLatin1Char(' ');
    }
    return text;
}

int non_space_characters(const std::vector<Segment>& segs)
{
    int n = 0;
    for (const Segment& s : segs)
        for (QChar c : s.text)
            n += c != QLatin1Char(' ');
    return n;
}

TEST_F(RobustnessTest, EveryTextIsLaidOutCompletely)
{
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> alignment(0, 3);
    std::uniform_int_distribution<int> coin(0, 1);
    std::uniform_real_distribution<float> offset(0, 7);
    for (int round = 0; round < 3000; ++round) {
        QString text = random_text(rng);
        if (round % 500 == 0)
            text += QString(10000, QLatin1Char('m'));
        page_err = false;
        page.set_pp(0);
        printer.forget();
        const int alg = alignment(rng);
        float y = 1.5f;
        float pl = alg == 1 || alg == 2 ? 0 : (coin(rng) ? offset(rng) : 0);
        const float indent = coin(rng) ? offset(rng) - 3.5f : 0;
        page.add_f_text(text, y, coin(rng) == 1, alg, pl, 0, indent);
        int drawn_characters = 0;
        for (const DrawCall& c : drawn())
            drawn_characters += c.text != QStringLiteral(" ") ? static_cast<int>(c.text.size()) : 0;
        ASSERT_EQ(drawn_characters, non_space_characters(page.segs())) << qPrintable(text);
        ASSERT_TRUE(std::isfinite(y));
    }
}

}  // namespace
}  // namespace qid::testing
