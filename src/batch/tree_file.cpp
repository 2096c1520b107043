#include "batch/tree_file.h"

#include <utility>

#include "batch/json_trees.h"

namespace qid::batch {

namespace {

bool blank(const QStringList& fields)
{
    for (const QString& f : fields)
        if (!f.trimmed().isEmpty())
            return false;
    return true;
}

bool has_text(const TreeRecord& r)
{
    for (const TreeCell& c : r.cells)
        if (!c.text.trimmed().isEmpty())
            return true;
    return !r.problems.isEmpty();
}

bool is_blank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

}  // namespace

bool CsvReader::next(CsvRecord& record)
{
    QChar c;
    if (!error_.isEmpty() || !text_.peek(c))
        return false;
    record = {row_++, {}, false};
    QString field;
    bool quoted = false;      // inside a quoted part of the field
    bool field_open = false;  // something of the field has been read
    qsizetype length = 0;
    while (text_.get(c)) {
        if (++length > longest_record) {
            error_ = QStringLiteral("row %1 is longer than %2 characters, as a quote left open makes it")
                         .arg(record.row)
                         .arg(longest_record);
            return false;
        }
        if (quoted) {
            QChar after;
            if (c != QLatin1Char('"'))
                field += c;
            else if (text_.peek(after) && after == QLatin1Char('"') && text_.get(after))
                field += after;
            else
                quoted = false;
        } else if (c == QLatin1Char('"') && !field_open) {
            quoted = field_open = true;
        } else if (c == QLatin1Char(',')) {
            record.fields << std::exchange(field, QString());
            field_open = false;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            QChar after;
            if (c == QLatin1Char('\r') && text_.peek(after) && after == QLatin1Char('\n'))
                text_.get(after);
            record.fields << field;
            return true;
        } else {
            field += c;
            field_open = true;
        }
    }
    record.unclosed = quoted;
    record.fields << field;
    return true;
}

TreeStream::TreeStream(TextSource& text) : text_(text)
{
    // Blank lines before the first text are blank CSV records, counted as rows.
    QChar c;
    while (text_.peek(c) && is_blank(c))
        text_.get(c);
    if (!text_.peek(c))
        return;
    if (c == QLatin1Char('[') || c == QLatin1Char('{')) {
        form_ = c == QLatin1Char('[') ? Form::json_array : Form::json_objects;
        json_ = std::make_unique<JsonTrees>(text_);
        return;
    }
    form_ = Form::csv;
    csv_.emplace(text_, text_.line());
    CsvRecord record;
    bool found = false;
    while (!found && csv_->next(record))
        found = !blank(record.fields) || record.unclosed;
    if (!found) {  // commas and blanks, and nothing else
        form_ = Form::empty;
        return;
    }
    if (record.unclosed)
        error_ = QStringLiteral("row %1: the header row has a quoted cell that is never closed").arg(record.row);
    header_ = record.fields;
}

TreeStream::~TreeStream() = default;

bool TreeStream::next_csv(TreeRecord& tree)
{
    CsvRecord record;
    while (error_.isEmpty() && csv_->next(record)) {
        if (blank(record.fields) && !record.unclosed)
            continue;
        tree = {record.row, {}, {}};
        for (qsizetype i = 0; i < record.fields.size(); ++i)
            tree.cells.push_back({i < header_.size() ? header_[i] : QString(), record.fields[i], {}, false});
        if (record.unclosed)
            tree.problems << QStringLiteral("a quoted cell is never closed, so it runs to the end of the file");
        return true;
    }
    return false;
}

bool TreeStream::next(TreeRecord& tree)
{
    if (form_ == Form::csv)
        return next_csv(tree);
    while (json_ && json_->next(tree))
        if (has_text(tree))
            return true;
    return false;
}

QString TreeStream::error() const
{
    if (!text_.error().isEmpty())
        return QStringLiteral("the file cannot be read to its end: ") + text_.error();
    if (!error_.isEmpty())
        return error_;
    return csv_ ? csv_->error() : json_ ? json_->error() : QString();
}

}  // namespace qid::batch
