#include "batch/tree_entries.h"

#include <algorithm>
#include <optional>

#include <QLocale>
#include <QRegularExpression>

#include "batch/shown_text.h"
#include "core/numbers.h"
#include "identify/data_file.h"

namespace qid::batch {

namespace {

enum Column {
    id, young, initial_colour, final_colour, shape, berry_size, colour_above, colour_below, leaf_length,
    leaflet_width, leaflet_length, leaflet_pairs, bud_colour, bud_hairs, sticky, bud_length, column_count
};

constexpr const char* column_names[column_count] = {
    "id", "young", "initial_colour", "final_colour", "shape", "berry_size", "colour_above", "colour_below",
    "leaf_length", "leaflet_width", "leaflet_length", "leaflet_pairs", "bud_colour", "bud_hairs", "sticky",
    "bud_length"};

// The choice list of each column that names an entry, with the list's label in the window.
struct ListOf {
    Column column;
    ChoiceList list;
    const char* label;
};
constexpr ListOf choice_columns[] = {
    {initial_colour, initial_colour_list, "INITIAL COLOUR"}, {final_colour, final_colour_list, "FINAL COLOUR"},
    {colour_above, colour_above_list, "COLOUR ABOVE"},       {colour_below, colour_below_list, "COLOUR BELOW"},
    {bud_colour, bud_colour_list, "BUD COLOUR"},             {bud_hairs, bud_hairs_list, "BUD HAIRS"},
    {sticky, sticky_list, "STICKY?"}};

const ListOf& list_of(Column c)
{
    return *std::find_if(std::begin(choice_columns), std::end(choice_columns),
                         [c](const ListOf& l) { return l.column == c; });
}

// A column name as written in a file, in the form of column_names.
QString column_key(const QString& name)
{
    static const QRegularExpression separators(QStringLiteral("[\\s-]+"));
    return name.trimmed().toLower().replace(separators, QStringLiteral("_"));
}

// The column a name means; column_count when none.
int column_of(const QString& name)
{
    const QString key = column_key(name);
    int c = 0;
    while (c < column_count && key != QLatin1String(column_names[c]))
        ++c;
    return c;
}

class TreeReader {
public:
    TreeReader(const TreeRecord& record, const std::array<QStringList, 7>& lists) : lists_(lists)
    {
        tree_.row = record.row;
        for (const QString& p : record.problems)
            tree_.errors << QStringLiteral("row %1: %2").arg(record.row).arg(p);
        for (const TreeCell& c : record.cells)
            take(c);
    }

    Tree read(bool extend)
    {
        tree_.id = cells_[id];
        tree_.factors.size_factor = is_young() ? 0.8f : 1.0f;
        tree_.factors.range_ext = extend ? 0.2f : 0.0f;
        ObservationSet& seen = tree_.seen;
        seen.fruit_colour = colour_pair(initial_colour, final_colour);
        seen.spherical = is_spherical();
        seen.berry_size = size(berry_size);
        seen.leaf_colour = colour_pair(colour_above, colour_below);
        seen.leaf_size = {size(leaflet_pairs), size(leaf_length), size(leaflet_length), size(leaflet_width)};
        seen.bud_prop = {choice(bud_colour).value_or(QString()), choice(bud_hairs).value_or(QString()),
                         choice(sticky).value_or(QString())};
        seen.bud_length = size(bud_length);
        return tree_;
    }

private:
    QString where(const QString& column) const
    {
        return QStringLiteral("row %1, column %2: ").arg(tree_.row).arg(column);
    }
    void fail(const QString& column, const QString& problem) { tree_.errors << where(column) + problem; }
    void fail(Column c, const QString& problem) { fail(QString::fromLatin1(column_names[c]), problem); }

    // Files its cell under its column; a cell that has text and no known
    // column is an error, so that nothing entered is ever left unread, and
    // so is a column given twice.
    void take(const TreeCell& cell)
    {
        const QString text = cell.text.trimmed();
        const int c = column_of(cell.column);
        const QString name = c < column_count ? QString::fromLatin1(column_names[c]) : quoted(cell.column);
        if (cell.repeated)
            return fail(name, QStringLiteral("given twice"));
        if (text.isEmpty())
            return;
        if (cell.column.trimmed().isEmpty())
            return fail(QStringLiteral("(none)"),
                        QStringLiteral("%1 stands beyond the columns the header names").arg(quoted(text)));
        if (c == column_count)
            return fail(name, QStringLiteral("unknown column; the columns are ") + tree_columns().join(QStringLiteral(", ")));
        if (!cells_[c].isEmpty())
            return fail(name, QStringLiteral("given twice"));
        cells_[c] = text;
        numbers_[c] = cell.number;
    }

    bool is_young()
    {
        static const QStringList yes{"yes", "y", "true", "1", "x"};
        static const QStringList no{"no", "n", "false", "0", ""};
        const QString v = cells_[young].toLower();
        if (!yes.contains(v) && !no.contains(v))
            fail(young, QStringLiteral("%1 is neither yes nor no (yes, y, true, 1 or x; no, n, false, 0 or empty)")
                            .arg(quoted(cells_[young])));
        return yes.contains(v);
    }

    bool is_spherical()
    {
        const QString v = cells_[shape].toLower();
        if (v != QLatin1String("ellipsoidal") && v != QLatin1String("spherical") && !v.isEmpty())
            fail(shape, QStringLiteral("%1 is neither spherical nor ellipsoidal").arg(quoted(cells_[shape])));
        return v != QLatin1String("ellipsoidal");
    }

    // The list entry a cell names: "" when empty, nothing when it names none.
    // The entry's own spelling is taken, whatever the case of the cell.
    std::optional<QString> choice(Column c)
    {
        const QString& v = cells_[c];
        if (v.isEmpty())
            return QString();
        const ListOf& of = list_of(c);
        const QStringList& entries = lists_[static_cast<std::size_t>(of.list)];
        if (entries.contains(v))
            return v;
        for (const QString& e : entries)
            if (e.compare(v, Qt::CaseInsensitive) == 0)
                return e;
        fail(c, QStringLiteral("%1 is not in the %2 list (%3)")
                    .arg(quoted(v), QLatin1String(of.label), entries.join(QStringLiteral(", "))));
        return std::nullopt;
    }

    // A colour and its second colour, which counts only with the first, as
    // in the window; left empty, the second is the list's first entry, as
    // the window chooses it.
    std::array<QString, 2> colour_pair(Column first, Column second)
    {
        const std::optional<QString> a = choice(first);
        const std::optional<QString> b = choice(second);
        const QString preset = lists_[static_cast<std::size_t>(list_of(second).list)].value(0);
        if (a && a->isEmpty() && b && !b->isEmpty() && *b != preset)
            tree_.warnings << where(QString::fromLatin1(column_names[second])) +
                                  QStringLiteral("%1 is not used: it counts only together with %2, which is empty, "
                                                 "as in the window")
                                      .arg(quoted(*b), QLatin1String(column_names[first]));
        if (!a || a->isEmpty())
            return {};
        return {*a, b && !b->isEmpty() ? *b : preset};
    }

    // A size or count: a decimal number, rounded halves to even as the
    // window's boxes round it, from 0 to 32767 (0: not measured).
    std::int16_t size(Column c)
    {
        static const QRegularExpression decimal(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
        const QString& v = cells_[c];
        if (v.isEmpty())
            return 0;
        if (!numbers_[c] && !decimal.match(v).hasMatch()) {
            fail(c, QStringLiteral("%1 is not a number").arg(quoted(v)));
            return 0;
        }
        // Beyond a double's range the value is infinite, and out of range too.
        const double n = round_half_even(numbers_[c] ? *numbers_[c] : QLocale::c().toDouble(v));
        if (!(n >= 0 && n <= 32767)) {
            fail(c, QStringLiteral("%1 is out of range: from 0 to 32767, 0 or empty when not measured").arg(cut(v)));
            return 0;
        }
        return static_cast<std::int16_t>(n);
    }

    const std::array<QStringList, 7>& lists_;
    std::array<QString, column_count> cells_;
    std::array<std::optional<double>, column_count> numbers_;  // of JSON numbers
    Tree tree_;
};

}  // namespace

QStringList tree_columns()
{
    QStringList names;
    for (const char* n : column_names)
        names << QString::fromLatin1(n);
    return names;
}

bool is_tree_column(const QString& name)
{
    return column_of(name) < column_count;
}

Tree read_tree(const TreeRecord& record, const std::array<QStringList, 7>& lists, bool extend)
{
    return TreeReader(record, lists).read(extend);
}

}  // namespace qid::batch
