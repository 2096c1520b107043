#include "batch/tree_results.h"

#include <algorithm>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "batch/shown_text.h"

namespace qid::batch {

namespace {

// The steps a tree's cascade ran: none when it could not be identified.
int steps_run(const Tree& tree, const CascadeResult& r)
{
    return tree.errors.isEmpty() ? r.stage + 1 : 0;
}

QString status(const Tree& tree, const CascadeResult& r)
{
    if (!tree.errors.isEmpty())
        return QStringLiteral("error");
    return r.stopped >= 0 ? QStringLiteral("no trees") : QStringLiteral("identified");
}

// Names joined with ", " in lines no longer than `width`, each after the first indented.
QString wrapped(const QStringList& names, int indent, int width)
{
    QString out;
    int column = indent;
    for (qsizetype k = 0; k < names.size(); ++k) {
        const QString word = names[k] + (k + 1 < names.size() ? QStringLiteral(",") : QString());
        if (k > 0 && column + 1 + word.size() > width) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
        } else if (k > 0) {
            out += QLatin1Char(' ');
            ++column;
        }
        out += word;
        column += static_cast<int>(word.size());
    }
    return out;
}

QString table_entry(const SpeciesTable& table, const Tree& tree, const CascadeResult& r, const TreeExplainer* ex)
{
    QString out = QStringLiteral("row %1").arg(tree.row);
    out += (tree.id.isEmpty() ? QString() : QStringLiteral(": ") + escaped(tree.id)) + QLatin1Char('\n');
    for (const QString& e : tree.errors)
        out += QStringLiteral("  not identified: ") + e + QLatin1Char('\n');
    constexpr int indent = 2 + 20 + 6;
    for (int s = 0; s < steps_run(tree, r); ++s) {
        const QStringList names = kept_names(table, r, s);
        out += QStringLiteral("  %1%2  ").arg(step_name(s), -20).arg(names.size(), 4);
        out += (s == r.stopped ? no_trees_message(s) : wrapped(names, indent, 100)) + QLatin1Char('\n');
    }
    return ex ? out + ex->table_lines(tree, r) : out;
}

QString csv_entry(const SpeciesTable& table, const Tree& tree, const CascadeResult& r, const TreeExplainer* ex)
{
    QStringList fields{QString::number(tree.row), tree.id, status(tree, r),
                       tree.errors.isEmpty() && r.stopped >= 0 ? step_name(r.stopped) : QString()};
    for (int s = 0; s < 3; ++s)
        fields << (s < steps_run(tree, r) ? kept_names(table, r, s).join(QStringLiteral("; ")) : QString());
    fields << tree.errors.join(QStringLiteral("; "));
    if (ex)
        fields << ex->csv_fields(tree, r);
    for (QString& f : fields)
        f = csv_cell(f);
    return fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString json_entry(const SpeciesTable& table, const Tree& tree, const CascadeResult& r, const TreeExplainer* ex)
{
    QJsonArray steps;
    for (int s = 0; s < steps_run(tree, r); ++s)
        steps.append(QJsonObject{{QStringLiteral("step"), step_name(s)},
                                 {QStringLiteral("species"), QJsonArray::fromStringList(kept_names(table, r, s))}});
    QJsonObject entry{
        {QStringLiteral("row"), tree.row},
        {QStringLiteral("id"), tree.id},
        {QStringLiteral("status"), status(tree, r)},
        {QStringLiteral("steps"), steps},
        {QStringLiteral("stopped_at"), tree.errors.isEmpty() && r.stopped >= 0 ? QJsonValue(step_name(r.stopped))
                                                                                : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("errors"), QJsonArray::fromStringList(tree.errors)}};
    if (ex)
        ex->add_json(tree, r, entry);
    return QString::fromUtf8(QJsonDocument(entry).toJson(QJsonDocument::Compact)) + QLatin1Char('\n');
}

}  // namespace

QStringList kept_names(const SpeciesTable& table, const CascadeResult& result, int s)
{
    QStringList names;
    const std::vector<std::int16_t>& row = result.selected[static_cast<std::size_t>(s)];
    const int n = row.empty() ? 0 : row[0];
    for (int k = 1; k <= n; ++k)
        names << table.names.at(static_cast<std::size_t>(row[static_cast<std::size_t>(k)]));
    return names;
}

QString format_result(Format format, const SpeciesTable& table, const TreeResult& result, bool first,
                      const TreeExplainer* explainer)
{
    const Tree& tree = result.tree;
    const CascadeResult& r = result.cascade;
    switch (format) {
    case Format::table: return (first ? QString() : QStringLiteral("\n")) + table_entry(table, tree, r, explainer);
    case Format::csv: {
        QStringList header{QStringLiteral("row,id,status,stopped_at,fruit,fruit_and_leaf,fruit_leaf_and_bud,errors")};
        if (explainer)
            header << explainer->csv_columns();
        return (first ? header.join(QLatin1Char(',')) + QStringLiteral("\r\n") : QString())
             + csv_entry(table, tree, r, explainer);
    }
    case Format::jsonl: return json_entry(table, tree, r, explainer);
    }
    return {};
}

QString csv_cell(const QString& text)
{
    const auto special = [](QChar c) {
        return c == QLatin1Char('"') || c == QLatin1Char(',') || c.unicode() < 0x20 || c.unicode() == 0x7F ||
               c.isSurrogate();
    };
    // Pairs need no quotes, but a quoted cell is read the same: quote them too.
    const bool plain = std::none_of(text.begin(), text.end(), special) && text.trimmed().size() == text.size();
    if (plain)
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

}  // namespace qid::batch
