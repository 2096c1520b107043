#pragma once
// The fields of a species data file: the reader that splits the file's bytes
// into fields, the decoding of their texts (UTF-8 or Windows-1252) and the
// reading of the numbers and words that plain fields hold. What the fields
// mean is the table builder's business (data_file.cpp).
#include <cstdint>
#include <string_view>

#include <QByteArrayView>
#include <QString>

namespace qid::datafile {

// One field as read: where it stands and where its text lies in the file.
struct Field {
    enum class Kind { quoted, plain, missing } kind = Kind::missing;  // missing: end of file
    const char* begin = nullptr;  // the text inside the quotes, or the plain field without ASCII blanks around it
    const char* end = nullptr;
    bool ascii = true;            // a plain field of ASCII bytes only
    int line = 0;
    int number = 0;  // field number within its line
    std::string_view bytes() const { return {begin, static_cast<std::size_t>(end - begin)}; }
};

enum class ReadProblem { none, unclosed_quote, junk_after_quote };

// What went wrong, in plain words, for an error message.
QString problem_text(ReadProblem p);

// Reads fields from the bytes of the file: separated by commas or line ends,
// blanks before a field skipped, texts in double quotes. The separators are
// ASCII, so the bytes can be split before they are decoded.
class FieldReader {
public:
    FieldReader(const char* begin, const char* end) : p_(begin), end_(end) {}

    // The next field; a field of kind missing at the end of the file.
    ReadProblem next(Field& f);

    // Bytes not yet read.
    std::size_t remaining() const { return static_cast<std::size_t>(end_ - p_); }

private:
    void skip_blanks();
    void take_line_end();
    void take_separator();

    const char* p_;
    const char* end_;
    std::int64_t line_ = 1;
    std::int64_t field_line_ = 0;
    std::int64_t field_no_ = 0;
    bool after_line_end_ = true;
};

// The bytes as Windows-1252 text.
QString windows_1252(QByteArrayView bytes);

// How the file's texts are decoded: UTF-8 when the whole file is valid UTF-8
// (plain ASCII being the common case), else Windows-1252.
class TextDecoder {
public:
    explicit TextDecoder(QByteArrayView file);

    // Where the fields start: after a UTF-8 byte-order mark, which is not text.
    qsizetype skip(QByteArrayView file) const;

    QString text(std::string_view bytes) const;

private:
    enum class Kind { ascii, utf8, windows_1252 } kind_ = Kind::ascii;
};

// A decimal number with a point, as the C locale writes it; nothing else.
bool parse_number(std::string_view s, double& value);

// Whether s is word (given in capitals), ignoring the case of ASCII letters.
bool equals_ascii_nocase(std::string_view s, std::string_view word);

}  // namespace qid::datafile
