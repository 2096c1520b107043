// Inline format codes: a paragraph is split at its code groups ("\b/", "\q12/",
// "\s/" ...) and each group switches font, size, colour or baseline on both
// targets when the layout reaches it.
#include <algorithm>
#include <array>

#include "pagelayout/pp_page.h"
#include "platform/messages.h"

namespace qid {

using platform::icon_none;
using platform::TargetFont;

namespace {

const QString code_error_title = QStringLiteral("FORMAT CODE ERROR");

// The sixteen colours of the Q code.
const std::array<std::int32_t, 16> palette = {
    platform::rgb_value(0, 0, 0),       platform::rgb_value(0, 0, 128),     platform::rgb_value(0, 128, 0),
    platform::rgb_value(0, 128, 128),   platform::rgb_value(128, 0, 0),     platform::rgb_value(128, 0, 128),
    platform::rgb_value(128, 128, 0),   platform::rgb_value(192, 192, 192), platform::rgb_value(128, 128, 128),
    platform::rgb_value(0, 0, 255),     platform::rgb_value(0, 255, 0),     platform::rgb_value(0, 255, 255),
    platform::rgb_value(255, 0, 0),     platform::rgb_value(255, 0, 255),   platform::rgb_value(255, 255, 0),
    platform::rgb_value(255, 255, 255),
};

// Sizes beyond the 16-bit range are held at its top.
constexpr long max_code_number = 32767;

bool is_digit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The digits starting at i (possibly none); i moves past them.
QString take_digits(const QString& s, int& i)
{
    const int from = i;
    while (i < s.size() && is_digit(s[i]))
        ++i;
    return s.mid(from, i - from);
}

// The value of a run of digits, held at max_code_number.
long number_of(const QString& digits)
{
    long n = 0;
    for (QChar c : digits)
        n = std::min(max_code_number + 1, n * 10 + (c.unicode() - '0'));
    return n;
}

// Copies the text from `from` into out up to the next code group and returns
// where the group's backslash is, or -1 when no group follows. A doubled
// backslash stands for one literal backslash (a longer run loses one), and a
// backslash with no "/" anywhere after it is plain text, as is all that
// follows it. Every character is looked at once, so splitting takes time in
// proportion to the text.
int take_text(const QString& s, int from, int last_slash, QString& out)
{
    int i = from;
    for (;;) {
        const int p = static_cast<int>(s.indexOf(QLatin1Char('\\'), i));
        if (p >= 0 && p + 1 < s.size() && s[p + 1] == QLatin1Char('\\')) {
            int end = p + 1;
            while (end < s.size() && s[end] == QLatin1Char('\\'))
                ++end;
            out += QStringView(s).mid(i, end - 1 - i);
            i = end;
            continue;
        }
        if (p < 0 || p >= last_slash) {
            out += QStringView(s).mid(i);
            return -1;
        }
        out += QStringView(s).mid(i, p - i);
        return p;
    }
}

}  // namespace

void PPpage::split_codes(const QString& paragraph)
{
    segs_.clear();
    const int last_slash = static_cast<int>(paragraph.lastIndexOf(QLatin1Char('/')));
    QString text;
    int p = take_text(paragraph, 0, last_slash, text);
    if (p != 0)
        segs_.push_back({QString(), text, false});
    while (p >= 0) {
        const int q = static_cast<int>(paragraph.indexOf(QLatin1Char('/'), p + 1));
        QString after;
        const int next = take_text(paragraph, q + 1, last_slash, after);
        segs_.push_back({paragraph.mid(p + 1, q - p - 1), after, true});
        p = next;
    }
    st.shifted = false;
}

void PPpage::shift(float offset)
{
    st.shift_by = offset;
    if (st.shifted) {
        st.cur_y = st.base_y + offset * st.text_h;
        return;
    }
    set_target_fonts([](TargetFont& f) { f.size *= 0.65f; });
    st.base_y = st.cur_y;
    st.shifted = true;
    st.cur_y += offset * st.text_h;
}

void PPpage::apply_codes(const QString& group)
{
    const QString codes = group.toUpper();
    if (codes.isEmpty())
        reset_font();  // an empty group returns to the base font
    int i = 0;
    bool resized = false;
    while (i < codes.size()) {
        if (is_digit(codes[i])) {
            const long n = number_of(take_digits(codes, i));
            if (n < 7) {
                platform::system_message(QStringLiteral("Font sizes must be greater than 6"), code_error_title,
                                         icon_none);
                continue;
            }
            const float size = static_cast<float>(std::min(n, max_code_number));
            TargetFont p = printer.font();
            p.size = size;
            printer.set_font(p);
            TargetFont s = surface->font();
            s.size = surface_size(size);
            surface->set_font(s);
            resized = true;
            continue;
        }
        const QChar c = codes[i++];
        bool stop = false;
        switch (c.unicode()) {
        case 'B':
            set_target_fonts([](TargetFont& f) {
                f.bold = true;
                f.weight = 700;
            });
            break;
        case 'I': set_target_fonts([](TargetFont& f) { f.italic = true; }); break;
        case 'U': set_target_fonts([](TargetFont& f) { f.underline = true; }); break;
        case 'T': set_target_fonts([](TargetFont& f) { f.strikethrough = true; }); break;
        case 'Y': set_target_fonts([&](TargetFont& f) { f.name = sym_font; }); break;
        case 'W': set_target_fonts([&](TargetFont& f) { f.name = ding_font; }); break;
        case 'D': set_target_fonts([&](TargetFont& f) { f.name = base.f_name; }); break;
        case 'S': shift(-0.3f); break;
        case 'P': shift(0.1f); break;
        case 'N': reset_font(); break;
        case 'K':
            st.ovr_w = printer.text_width(st.cur_ch);
            st.ovr_on = true;
            break;
        case 'Q': {
            const QString digits = take_digits(codes, i);
            const long n = number_of(digits);
            if (n > 15) {
                fail(QStringLiteral("Code 'Q") + digits + QStringLiteral("' isn't a valid QB code."),
                     code_error_title, icon_none);
                stop = true;
            } else if (!col_lock) {
                set_colours(palette[static_cast<std::size_t>(n)]);
            }
            break;
        }
        default:
            fail(QStringLiteral("Code '") + c + QStringLiteral("' not recognised."), code_error_title, icon_none);
            stop = true;
        }
        if (stop)
            break;
    }
    measure_font();
    st.line_h = std::max(st.line_h, st.text_h);
    // A raised or lowered text given a new size stands as far off its line
    // as that size takes, not as far as the size it was raised in.
    if (resized && st.shifted)
        st.cur_y = st.base_y + st.shift_by * st.text_h;
}

}  // namespace qid
