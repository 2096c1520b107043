#include "batch/shown_text.h"

namespace qid::batch {

namespace {

constexpr qsizetype most_shown = 40;

QString hex(char32_t c, int digits)
{
    return QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

}  // namespace

QString escaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair) {
            out += c;
            out += text[++i];
        } else if (c == QChar::Null) {
            out += QStringLiteral("\\0");
        } else if (c == QLatin1Char('\t')) {
            out += QStringLiteral("\\t");
        } else if (c == QLatin1Char('\r')) {
            out += QStringLiteral("\\r");
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            out += QStringLiteral("\\x") + hex(c.unicode(), 2);
        } else if ((c.unicode() >= 0x80 && c.unicode() < 0xA0) || c.isSurrogate() ||
                   c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            out += QStringLiteral("\\u") + hex(c.unicode(), 4);
        } else {
            out += c;
        }
    }
    return out;
}

QString cut(QStringView text)
{
    // Count characters, not UTF-16 units, and never split a pair.
    qsizetype end = 0;
    for (qsizetype shown = 0; end < text.size() && shown < most_shown; ++shown)
        end += text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate() ? 2 : 1;
    return escaped(text.left(end)) + (end < text.size() ? QStringLiteral("\u2026") : QString());
}

QString quoted(QStringView text)
{
    return QLatin1Char('"') + cut(text) + QLatin1Char('"');
}

}  // namespace qid::batch
