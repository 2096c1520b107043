#include "batch/json_trees.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include "batch/shown_text.h"

namespace qid::batch {

namespace {

// Deeper values than this are no part of a tree, and reading them would
// only use up the stack.
constexpr int deepest = 64;

const QString ends = QStringLiteral("the file ends before the JSON does");

bool is_blank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool in_number(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('+') ||
           c == QLatin1Char('.') || c == QLatin1Char('e') || c == QLatin1Char('E');
}

QString scalar_expected(const QString& key)
{
    return QStringLiteral("column %1: a text, a number, true, false or null was expected").arg(quoted(key));
}

}  // namespace

JsonTrees::JsonTrees(TextSource& text) : text_(text), array_([&] {
    QChar c;
    return text.peek(c) && c == QLatin1Char('[') && text.get(c);
}())
{
}

void JsonTrees::fail(const QString& what)
{
    QChar c;
    throw Fault{text_.line(), text_.column(), text_.peek(c) ? what : ends};
}

// The next character other than a blank, left in place; false at the end.
bool JsonTrees::look(QChar& c)
{
    while (text_.peek(c) && is_blank(c))
        text_.get(c);
    return text_.peek(c);
}

bool JsonTrees::accept(char c)
{
    QChar next;
    return look(next) && next == QLatin1Char(c) && text_.get(next);
}

void JsonTrees::expect(char c)
{
    if (!accept(c))
        fail(QStringLiteral("'%1' was expected").arg(QLatin1Char(c)));
}

bool JsonTrees::next(TreeRecord& tree)
{
    if (finished_)
        return false;
    try {
        return array_ ? next_in_array(tree) : next_object(tree);
    } catch (const Fault& f) {
        const QString where =
            QStringLiteral("the JSON cannot be read at line %1, character %2: %3").arg(f.line).arg(f.column).arg(f.what);
        if (array_) {
            error_ = where + QStringLiteral("; the trees after it were not read");
            finished_ = true;
            return false;
        }
        tree = {row_, {}, {where}};
        find_next_object();
        return true;
    }
}

bool JsonTrees::next_in_array(TreeRecord& tree)
{
    if (row_ == 0 && accept(']'))
        return end_of_array();
    if (row_ > 0 && !accept(',')) {
        if (accept(']'))
            return end_of_array();
        fail(QStringLiteral("',' or ']' was expected after tree %1").arg(row_));
    }
    tree = element(++row_);
    return true;
}

bool JsonTrees::end_of_array()
{
    finished_ = true;
    QChar c;
    if (look(c))
        error_ = QStringLiteral("the JSON cannot be read at line %1, character %2: more follows the end of the array")
                     .arg(text_.line())
                     .arg(text_.column());
    return false;
}

bool JsonTrees::next_object(TreeRecord& tree)
{
    QChar c;
    if (!look(c)) {
        finished_ = true;
        return false;
    }
    row_ = text_.line();
    tree = element(row_);
    return true;
}

TreeRecord JsonTrees::element(int row)
{
    QChar c;
    if (look(c) && c == QLatin1Char('{'))
        return object(row);
    TreeCell ignored;
    value(ignored, 1);
    return {row, {}, {QStringLiteral("a JSON object was expected")}};
}

TreeRecord JsonTrees::object(int row)
{
    TreeRecord tree{row, {}, {}};
    expect('{');
    if (accept('}'))
        return tree;
    QSet<QString> keys;
    do {
        QChar c;
        if (!look(c) || c != QLatin1Char('"'))
            fail(QStringLiteral("a column name in double quotes was expected"));
        TreeCell cell{string(), {}, {}, false};
        expect(':');
        cell.repeated = keys.contains(cell.column);
        keys.insert(cell.column);
        if (value(cell, 1) == Kind::container)
            tree.problems << scalar_expected(cell.column);
        else
            tree.cells.push_back(std::move(cell));
    } while (accept(','));
    if (!accept('}'))
        fail(QStringLiteral("',' or '}' was expected"));
    return tree;
}

// One value: a text, number, true, false or null becomes the cell's text
// (null an empty one); an array or object is read and passed over.
JsonTrees::Kind JsonTrees::value(TreeCell& cell, int depth)
{
    QChar c;
    if (!look(c))
        fail(ends);
    if (c == QLatin1Char('{') || c == QLatin1Char('[')) {
        container(depth);
        return Kind::container;
    }
    if (c == QLatin1Char('"')) {
        cell.text = string();
    } else if (c == QLatin1Char('-') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
        number(cell);
    } else {
        static const char* const words[] = {"true", "false", "null"};
        const auto w = std::find_if(std::begin(words), std::end(words), [&](const char* w) { return c == QLatin1Char(*w); });
        if (w == std::end(words))
            fail(QStringLiteral("a value was expected: a text, a number, true, false or null"));
        word(*w);
        cell.text = *w == QLatin1String("null") ? QString() : QString::fromLatin1(*w);
    }
    return Kind::scalar;
}

void JsonTrees::container(int depth)
{
    if (depth >= deepest)
        fail(QStringLiteral("the values are nested more than %1 deep").arg(deepest));
    QChar open;
    text_.get(open);
    const bool object = open == QLatin1Char('{');
    const char close = object ? '}' : ']';
    if (accept(close))
        return;
    do {
        TreeCell ignored;
        if (object) {
            QChar c;
            if (!look(c) || c != QLatin1Char('"'))
                fail(QStringLiteral("a name in double quotes was expected"));
            string();
            expect(':');
        }
        value(ignored, depth + 1);
    } while (accept(','));
    if (!accept(close))
        fail(QStringLiteral("',' or '%1' was expected").arg(QLatin1Char(close)));
}

QString JsonTrees::string()
{
    QString out;
    QChar c;
    text_.get(c);  // the opening quote
    for (;;) {
        if (!text_.peek(c))
            fail(ends);
        if (c.unicode() < 0x20)
            fail(QStringLiteral("a line end or control character stands inside a text; write it as \\n, \\t or \\u00XX"));
        if (out.size() > longest_record)
            fail(QStringLiteral("a text is longer than %1 characters").arg(longest_record));
        text_.get(c);
        if (c == QLatin1Char('"'))
            return out;
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (!text_.get(c))
            fail(ends);
        static const QString plain = QStringLiteral("\"\\/bfnrt");
        static const QString meant = QStringLiteral("\"\\/\b\f\n\r\t");
        if (const qsizetype k = plain.indexOf(c); k >= 0) {
            out += meant[k];
        } else if (c == QLatin1Char('u')) {
            QString digits;
            while (digits.size() < 4 && text_.peek(c) && c.unicode() < 128 && std::isxdigit(c.unicode()) && text_.get(c))
                digits += c;
            if (digits.size() != 4)
                fail(QStringLiteral("\\u must be followed by four hexadecimal digits"));
            out += QChar(digits.toUShort(nullptr, 16));  // a half of a pair standing alone is kept as it is
        } else {
            fail(QStringLiteral("\\%1 is no escape of JSON").arg(escaped(QString(c))));
        }
    }
}

// A number keeps its value, and its text in the shortest plain form, or as
// written when that would need an exponent.
void JsonTrees::number(TreeCell& cell)
{
    static const QRegularExpression grammar(QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]+)?([eE][+-]?[0-9]+)?$"));
    const int line = text_.line();
    const int column = text_.column();
    QString literal;
    QChar c;
    while (text_.peek(c) && in_number(c) && literal.size() <= longest_record && text_.get(c))
        literal += c;
    if (!grammar.match(literal).hasMatch())
        throw Fault{line, column, QStringLiteral("%1 is not a number as JSON writes one").arg(quoted(literal))};
    const double v = QLocale::c().toDouble(literal);  // infinite beyond a double's range
    const QString plain = QString::number(v, 'g', QLocale::FloatingPointShortest);
    cell.number = v;
    cell.text = std::isfinite(v) && !plain.contains(QLatin1Char('e')) ? plain : literal;
}

void JsonTrees::word(const char* w)
{
    for (QChar c; *w; ++w) {
        if (!text_.peek(c) || c != QLatin1Char(*w))
            fail(QStringLiteral("a value was expected: a text, a number, true, false or null"));
        text_.get(c);
    }
}

// After a fault: on at the next line that starts with "{", or where the
// fault is when that is such a line's "{".
void JsonTrees::find_next_object()
{
    QChar c;
    if (text_.peek(c) && c == QLatin1Char('{') && text_.at_line_start() && text_.line() > row_)
        return;
    while (text_.get(c)) {
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        while (text_.peek(c) && (c == QLatin1Char(' ') || c == QLatin1Char('\t')))
            text_.get(c);
        if (text_.peek(c) && c == QLatin1Char('{'))
            return;
    }
}

}  // namespace qid::batch
