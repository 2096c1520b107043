#include "batch/tree_file.h"

#include <utility>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>

#include "identify/data_file.h"

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

TreeFile from_csv(const QString& text)
{
    TreeFile file;
    const std::vector<CsvRecord> records = read_csv(text);
    auto record = records.begin();
    while (record != records.end() && blank(record->fields) && !record->unclosed)
        ++record;
    if (record == records.end())
        return file;
    if (record->unclosed) {
        file.error = QStringLiteral("row %1: the header row has a quoted cell that is never closed").arg(record->row);
        return file;
    }
    const QStringList header = record->fields;
    for (++record; record != records.end(); ++record) {
        TreeRecord tree{record->row, {}, {}};
        for (qsizetype i = 0; i < record->fields.size(); ++i)
            tree.cells.push_back({i < header.size() ? header[i] : QString(), record->fields[i]});
        if (record->unclosed)
            tree.problems << QStringLiteral("a quoted cell is never closed, so it runs to the end of the file");
        if (has_text(tree))
            file.records.push_back(std::move(tree));
    }
    return file;
}

// A JSON value as the text of a cell: null is empty, numbers in their
// shortest form, Booleans as true and false.
bool json_text(const QJsonValue& v, QString& text)
{
    switch (v.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined: text.clear(); return true;
    case QJsonValue::Bool: text = v.toBool() ? QStringLiteral("true") : QStringLiteral("false"); return true;
    case QJsonValue::Double: text = QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest); return true;
    case QJsonValue::String: text = v.toString(); return true;
    default: return false;
    }
}

TreeRecord from_object(int row, const QJsonObject& object)
{
    TreeRecord tree{row, {}, {}};
    for (auto it = object.begin(); it != object.end(); ++it) {
        QString text;
        if (json_text(it.value(), text))
            tree.cells.push_back({it.key(), text});
        else
            tree.problems << QStringLiteral("column \"%1\": a text, a number, true, false or null was expected")
                                 .arg(it.key());
    }
    return tree;
}

QString json_problem(const QJsonParseError& e)
{
    return QStringLiteral("the JSON cannot be read at character %1: %2").arg(e.offset + 1).arg(e.errorString());
}

TreeFile from_json_array(const QString& text)
{
    TreeFile file;
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &e);
    if (e.error != QJsonParseError::NoError || !doc.isArray()) {
        file.error = e.error != QJsonParseError::NoError ? json_problem(e)
                                                          : QStringLiteral("a JSON array of objects was expected");
        return file;
    }
    const QJsonArray trees = doc.array();
    for (qsizetype i = 0; i < trees.size(); ++i) {
        const int row = static_cast<int>(i + 1);
        TreeRecord tree = trees[i].isObject() ? from_object(row, trees[i].toObject()) : TreeRecord{row, {}, {}};
        if (!trees[i].isObject())
            tree.problems << QStringLiteral("a JSON object was expected");
        if (has_text(tree))
            file.records.push_back(std::move(tree));
    }
    return file;
}

TreeFile from_json_lines(const QString& text)
{
    TreeFile file;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        const int row = static_cast<int>(i + 1);
        QJsonParseError e;
        const QJsonDocument doc = QJsonDocument::fromJson(lines[i].toUtf8(), &e);
        TreeRecord tree = doc.isObject() ? from_object(row, doc.object()) : TreeRecord{row, {}, {}};
        if (e.error != QJsonParseError::NoError)
            tree.problems << json_problem(e);
        else if (!doc.isObject())
            tree.problems << QStringLiteral("a JSON object was expected");
        if (has_text(tree))
            file.records.push_back(std::move(tree));
    }
    return file;
}

}  // namespace

std::vector<CsvRecord> read_csv(const QString& text)
{
    std::vector<CsvRecord> out;
    CsvRecord record{1, {}, false};
    QString field;
    bool quoted = false;      // inside a quoted part of the field
    bool field_open = false;  // something of the field has been read
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < n && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else
                quoted = false;
            continue;
        }
        if (c == QLatin1Char('"') && !field_open) {
            quoted = field_open = true;
        } else if (c == QLatin1Char(',')) {
            record.fields << std::exchange(field, QString());
            field_open = false;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            record.fields << std::exchange(field, QString());
            field_open = false;
            const int next = record.row + 1;
            out.push_back(std::exchange(record, CsvRecord{next, {}, false}));
        } else {
            field += c;
            field_open = true;
        }
    }
    record.unclosed = quoted;
    if (field_open || !record.fields.isEmpty()) {
        record.fields << field;
        out.push_back(std::move(record));
    }
    return out;
}

TreeFile read_tree_file(const QByteArray& bytes)
{
    const QString text = decode_data_text(bytes);  // without a byte-order mark
    const QString start = text.trimmed().left(1);
    if (start == QLatin1String("["))
        return from_json_array(text);
    if (start == QLatin1String("{"))
        return from_json_lines(text);
    return from_csv(text);
}

}  // namespace qid::batch
