#include "identify/data_fields.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

#include <QStringDecoder>

namespace qid::datafile {

namespace {

bool is_line_end(char c)
{
    return c == '\r' || c == '\n';
}

// Line ends between begin and end: CR LF, a lone CR and a lone LF each end one line.
std::int64_t count_line_ends(const char* begin, const char* end)
{
    std::int64_t lines = 0;
    for (const char* p = begin; p < end; ++p) {
        if (static_cast<unsigned char>(*p) > '\r')  // the usual case: no line end
            continue;
        if (*p == '\r') {
            ++lines;
            if (p + 1 < end && p[1] == '\n')
                ++p;
        } else if (*p == '\n') {
            ++lines;
        }
    }
    return lines;
}

bool is_ascii_space(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Counts run in 64 bits, so that no file can make them overflow; a message
// names at most the largest int.
int capped(std::int64_t n)
{
    return static_cast<int>(std::min<std::int64_t>(n, INT_MAX));
}

bool all_ascii(QByteArrayView bytes)
{
    // Eight bytes at a time: a whole file is checked before it is read.
    std::uint64_t high = 0;
    qsizetype i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        high |= word;
    }
    for (; i < bytes.size(); ++i)
        high |= static_cast<unsigned char>(bytes[i]);
    return (high & 0x8080808080808080ull) == 0;
}

const char utf8_bom[] = "\xEF\xBB\xBF";

}  // namespace

QString problem_text(ReadProblem p)
{
    return p == ReadProblem::unclosed_quote
             ? QStringLiteral("the file ends inside a quoted text (a closing \" is missing)")
             : QStringLiteral("a comma or a line end was expected after the closing quote");
}

void FieldReader::skip_blanks()
{
    while (p_ < end_ && (*p_ == ' ' || *p_ == '\t'))
        ++p_;
}

void FieldReader::take_line_end()
{
    if (*p_ == '\r' && p_ + 1 < end_ && p_[1] == '\n')
        ++p_;
    ++p_;
    ++line_;
}

void FieldReader::take_separator()
{
    after_line_end_ = false;
    if (p_ >= end_)
        return;
    if (*p_ == ',') {
        ++p_;
    } else if (is_line_end(*p_)) {
        take_line_end();
        after_line_end_ = true;
    }
}

ReadProblem FieldReader::next(Field& f)
{
    skip_blanks();
    if (after_line_end_) {
        // Blank lines between fields are not fields.
        while (p_ < end_ && is_line_end(*p_)) {
            take_line_end();
            skip_blanks();
        }
    }
    f = Field();
    if (p_ >= end_)
        return ReadProblem::none;
    if (line_ != field_line_) {
        field_line_ = line_;
        field_no_ = 0;
    }
    f.line = capped(line_);
    f.number = capped(++field_no_);
    if (*p_ == '"') {
        const auto* close = static_cast<const char*>(std::memchr(p_ + 1, '"', static_cast<std::size_t>(end_ - p_ - 1)));
        if (!close) {
            p_ = end_;
            return ReadProblem::unclosed_quote;
        }
        f.kind = Field::Kind::quoted;
        f.begin = p_ + 1;
        f.end = close;
        line_ += count_line_ends(f.begin, f.end);
        p_ = close + 1;
        skip_blanks();
        if (p_ < end_ && *p_ != ',' && !is_line_end(*p_))
            return ReadProblem::junk_after_quote;
    } else {
        const char* start = p_;
        unsigned char high = 0;
        while (p_ < end_ && *p_ != ',' && !is_line_end(*p_))
            high |= static_cast<unsigned char>(*p_++);
        const char* stop = p_;
        while (start < stop && is_ascii_space(*start))
            ++start;
        while (stop > start && is_ascii_space(stop[-1]))
            --stop;
        f.kind = Field::Kind::plain;
        f.begin = start;
        f.end = stop;
        f.ascii = (high & 0x80) == 0;
    }
    take_separator();
    return ReadProblem::none;
}

QString windows_1252(QByteArrayView bytes)
{
    // The bytes 0x80-0x9F differ from Latin-1; the five unused ones map to themselves.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* to = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *to++ = b >= 0x80 && b <= 0x9F ? QChar(high[b - 0x80]) : QChar(b);
    }
    return out;
}

TextDecoder::TextDecoder(QByteArrayView file)
{
    if (all_ascii(file)) {
        kind_ = Kind::ascii;
        return;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString checked = utf8.decode(file);
    kind_ = utf8.hasError() ? Kind::windows_1252 : Kind::utf8;
}

qsizetype TextDecoder::skip(QByteArrayView file) const
{
    return kind_ == Kind::utf8 && file.startsWith(QByteArrayView(utf8_bom, 3)) ? 3 : 0;
}

QString TextDecoder::text(std::string_view bytes) const
{
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    switch (kind_) {
    case Kind::ascii:
        return QString::fromLatin1(view);
    case Kind::utf8:
        if (view.startsWith(QByteArrayView(utf8_bom, 3))) {
            // A mark inside the file is a character of the text.
            QStringDecoder keep(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
            return keep.decode(view);
        }
        return QString::fromUtf8(view);
    case Kind::windows_1252:
        return windows_1252(view);
    }
    return QString();
}

// A decimal number with a point, as the C locale writes it; nothing else.
bool parse_number(std::string_view s, double& value)
{
    // Most fields are small whole numbers: read them without the general parser.
    if (!s.empty() && s.size() <= 9) {
        int n = 0;
        std::size_t i = 0;
        for (; i < s.size(); ++i) {
            const unsigned digit = static_cast<unsigned char>(s[i]) - unsigned('0');
            if (digit > 9)
                break;
            n = n * 10 + static_cast<int>(digit);
        }
        if (i == s.size()) {
            value = n;
            return true;
        }
    }
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && (s.front() == '-' || s.front() == '+'))
            return false;
    }
    const char* end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, value, std::chars_format::general);
    return error == std::errc() && stop == end && std::isfinite(value);
}

bool equals_ascii_nocase(std::string_view s, std::string_view word)
{
    if (s.size() != word.size())
        return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != word[i])
            return false;
    }
    return true;
}

}  // namespace qid::datafile
