// The page engine fed any paragraph with format codes, laid out on the
// fixed-metric test target with any alignment, indent, partial line and base
// font size. Besides crashes, hangs and undefined behaviour it checks that a
// paragraph on a page long enough for it draws every character that is not a
// space, once.
//
// Input: five option bytes, then the text (UTF-8, or UTF-16 when asked).
//   0 alignment -2..4 (out of range included)   1 indent, signed, in eighths of an inch
//   2 partial line, in 32nds of an inch          3 flags: 1 end the line, 2 UTF-16 text,
//                                                  4 a second paragraph, 8 a short page
//   4 base font size 1..256 points
#include <cstdint>
#include <cstdlib>

#include "pagelayout/test_page.h"
#include "core/shared.h"
#include "silent_messages.h"

namespace {

qid::fuzzing::SilentMessages silent;

void check(bool ok)
{
    if (!ok)
        std::abort();
}

QString text_of(const std::uint8_t* data, std::size_t size, bool utf16)
{
    if (utf16)
        return QString(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    const int alg = data[0] % 7 - 2;
    const float indent = static_cast<std::int8_t>(data[1]) / 8.0f;
    float partial = data[2] / 32.0f;
    const std::uint8_t flags = data[3];
    const bool short_page = flags & 8;
    qid::TestPage t;
    // Letter paper with one-inch margins; a short page ends long texts early.
    const double sizes[14] = {short_page ? 9 : 1e9, 6, 1, 0.5, 1, 0.25, 1, 1, 1, 0xffffff, 1, 0, 0, 1};
    for (std::int16_t opt = 0; opt < 14; ++opt)
        t.page.set_sizes(opt, sizes[opt]);
    t.page.set_pp(0);
    t.page.font(QString(), static_cast<float>(1 + data[4]));
    qid::page_err = false;
    t.printer.forget();

    const QString all = text_of(data + 5, size - 5, flags & 2);
    const qsizetype half = flags & 4 ? all.size() / 2 : all.size();
    float y = 1.5f;
    t.page.add_f_text(all.left(half), y, flags & 1, alg, partial, 0, indent);
    if (half < all.size())
        t.page.add_f_text(all.mid(half), y, true, alg, partial, 0, indent);

    // Every non-space character of one paragraph is drawn once when the
    // alignment is valid, no partial line is centred or right-aligned, and
    // the page is long enough.
    const bool valid = alg >= -1 && alg <= 3 && !((alg == 1 || alg == 2) && data[2] > 0);
    if (valid && !short_page && half == all.size()) {
        qsizetype undrawn = 0;
        for (const qid::Segment& s : t.page.segs())
            undrawn += s.text.size() - s.text.count(u' ');
        for (const qid::platform::DrawCall& c : t.printer.texts())
            undrawn -= c.text != QStringLiteral(" ") ? c.text.size() : 0;
        check(undrawn == 0);
    }
    return 0;
}
