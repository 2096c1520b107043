#include "identify/data_check.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include <QHash>

#include "identify/reasons.h"

namespace qid {

namespace {

// The colour columns: the item that compares each, what the file calls it and its list.
struct ColourColumn {
    Item item;
    int table;  // 0 bud, 1 leaf, 2 fruit
    int column;
    const char* meaning;
    ChoiceList list;
    const char* label;
};
constexpr ColourColumn colour_columns[7] = {
    {Item::initial_colour, 2, 0, "initial berry colour", initial_colour_list, "INITIAL COLOUR"},
    {Item::final_colour, 2, 1, "final berry colour", final_colour_list, "FINAL COLOUR"},
    {Item::colour_above, 1, 0, "leaf colour above", colour_above_list, "COLOUR ABOVE"},
    {Item::colour_below, 1, 1, "leaf colour below", colour_below_list, "COLOUR BELOW"},
    {Item::bud_colour, 0, 0, "bud colour", bud_colour_list, "BUD COLOUR"},
    {Item::bud_hairs, 0, 1, "bud hairs", bud_hairs_list, "BUD HAIRS"},
    {Item::sticky, 0, 2, "sticky", sticky_list, "STICKY?"},
};

// The size and count columns: a least and a greatest, or one typical value.
struct MeasureColumns {
    int table;
    int least;
    int greatest;
    const char* meaning;
};
constexpr MeasureColumns measures[6] = {
    {2, 2, 3, "berry size"},     {1, 2, 3, "leaflet pairs"},  {1, 4, 5, "leaf length"},
    {1, 6, 7, "leaflet length"}, {1, 8, 9, "leaflet width"},  {0, 3, 3, "bud length"},
};

const CellTable& table_of(const SpeciesData& d, int table)
{
    return table == 0 ? d.bud : table == 1 ? d.leaf : d.fruit;
}

const Cell& cell(const SpeciesData& d, int table, int i, int column)
{
    return table_of(d, table).cell(i, column);
}

bool measure_recorded(const Cell& c)
{
    return c.kind() != Cell::Kind::text && !c.equals_zero();
}

QString number(double v)
{
    return QString::number(v, 'g', 15);
}

QString quoted(const QString& s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// Levenshtein distance, for suggesting the list entry a misspelt colour meant.
int edit_distance(const QString& a, const QString& b)
{
    std::vector<int> row(static_cast<std::size_t>(b.size()) + 1);
    for (std::size_t j = 0; j < row.size(); ++j)
        row[j] = static_cast<int>(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[static_cast<std::size_t>(j)];
            row[static_cast<std::size_t>(j)] =
                std::min({above + 1, row[static_cast<std::size_t>(j) - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row.back();
}

// Why a colour is not an entry of its list, and which entry it may have meant.
QString colour_problem(const QString& colour, const ColourColumn& cc, const QStringList& list)
{
    const QString head = QStringLiteral("the %1 %2 is not an entry of the list %3")
                             .arg(QLatin1String(cc.meaning), quoted(colour), QLatin1String(cc.label));
    for (const QString& entry : list) {
        if (entry.compare(colour, Qt::CaseInsensitive) == 0)
            return head + QStringLiteral(": its capitals differ from ") + quoted(entry);
        if (entry.simplified().compare(colour.simplified(), Qt::CaseInsensitive) == 0)
            return head + QStringLiteral(": its blanks differ from ") + quoted(entry);
    }
    const QString folded = colour.simplified().toCaseFolded();
    const QString* nearest = nullptr;
    int best = std::max<int>(2, static_cast<int>(folded.size()) / 3) + 1;
    for (const QString& entry : list) {
        const int d = edit_distance(folded, entry.simplified().toCaseFolded());
        if (d < best) {
            best = d;
            nearest = &entry;
        }
    }
    return nearest ? head + QStringLiteral(": misspelt ") + quoted(*nearest) + QStringLiteral("?") : head;
}

void check_record(const SpeciesData& d, int i, std::vector<DataFinding>& out)
{
    using Kind = DataFinding::Kind;
    bool anything = false;
    for (const ColourColumn& cc : colour_columns) {
        const Cell& c = cell(d, cc.table, i, cc.column);
        if (c.equals_empty_text())
            continue;
        anything = true;
        const QStringList& list = d.lists[static_cast<std::size_t>(cc.list)];
        if (!list.contains(c.text()))
            out.push_back({Kind::colour_not_in_list, i, 0, colour_problem(c.text(), cc, list)});
    }
    for (const MeasureColumns& m : measures) {
        const Cell& least = cell(d, m.table, i, m.least);
        const Cell& greatest = cell(d, m.table, i, m.greatest);
        anything = anything || measure_recorded(least) || measure_recorded(greatest);
        const Cell* both[2] = {&least, &greatest};
        const int columns = m.least == m.greatest ? 1 : 2;  // the bud length has one column
        for (int k = 0; k < columns; ++k)
            if (both[k]->number() < 0)
                out.push_back({Kind::below_zero, i, 0,
                               QStringLiteral("the %1 %2 is below zero")
                                   .arg(QLatin1String(m.meaning), number(both[k]->number()))});
        if (measure_recorded(least) && measure_recorded(greatest) && least.number() > greatest.number())
            out.push_back({Kind::least_above_greatest, i, 0,
                           QStringLiteral("the least %1, %2, is above the greatest, %3")
                               .arg(QLatin1String(m.meaning), number(least.number()), number(greatest.number()))});
    }
    if (!anything)
        out.push_back({Kind::nothing_recorded, i, 0,
                       QStringLiteral("nothing is recorded but the berry shape: every observation but the shape "
                                      "keeps it, so it is not compared with the other species")});
}

// One species as the pair comparison needs it: the colours the tests
// compare as small numbers (-1: not compared), the shape, the whole
// numbers each size or count accepts and the leaflet band.
struct Compact {
    std::array<int, 8> key{};  // the seven colours, then the shape
    std::array<int, 4> lo{}, hi{};
    std::array<bool, 4> has_run{};
    double band_lo = 0, band_hi = 0;
    bool has_band = false;
};

constexpr Item run_items[4] = {Item::berry_size, Item::leaflet_pairs, Item::leaf_length, Item::bud_length};

bool overlap(int a_lo, int a_hi, int b_lo, int b_hi)
{
    return std::max(a_lo, b_lo) <= std::min(a_hi, b_hi);
}

bool same_data(const Compact& a, const Compact& b)
{
    for (std::size_t k = 0; k < 7; ++k)
        if (a.key[k] >= 0 && b.key[k] >= 0 && a.key[k] != b.key[k])
            return false;
    if (a.key[7] != b.key[7])
        return false;
    for (std::size_t r = 0; r < 4; ++r)
        if (a.has_run[r] && b.has_run[r] && !overlap(a.lo[r], a.hi[r], b.lo[r], b.hi[r]))
            return false;
    return !(a.has_band && b.has_band && std::max(a.band_lo, b.band_lo) > std::min(a.band_hi, b.band_hi));
}

// Why no item tells the pair apart, naming the items only one of them
// records (or neither), which, recorded, might.
QString same_data_detail(const Compact& a, const Compact& b)
{
    QStringList items;
    for (std::size_t k = 0; k < 7; ++k)
        if (a.key[k] < 0 || b.key[k] < 0)
            items << item_name(colour_columns[k].item);
    for (std::size_t r = 0; r < 4; ++r)
        if (!a.has_run[r] || !b.has_run[r])
            items << item_name(run_items[r]);
    if (!a.has_band || !b.has_band)
        items << item_name(Item::leaflet_shape);
    const QString head = QStringLiteral("no recorded item tells them apart");
    return items.isEmpty() ? head + QStringLiteral(": every item agrees or overlaps")
                           : head + QStringLiteral("; recorded in only one of them or in neither: ")
                                 + items.join(QStringLiteral(", "));
}

// A small number for each distinct text, in the order first met.
int intern(QHash<QString, int>& ids, const QString& text)
{
    const auto found = ids.constFind(text);
    if (found != ids.constEnd())
        return *found;
    const int id = static_cast<int>(ids.size());
    ids.insert(text, id);
    return id;
}

void set_bit(std::vector<std::uint64_t>& bits, int i)
{
    bits[static_cast<std::size_t>(i) / 64] |= std::uint64_t(1) << (i % 64);
}

class PairFinder {
public:
    explicit PairFinder(const SpeciesData& d) : n_(d.species_count), words_((static_cast<std::size_t>(n_) + 64) / 64)
    {
        compact_.resize(static_cast<std::size_t>(n_) + 1);
        std::array<QHash<QString, int>, 8> ids;
        const Factors grown;
        for (int i = 1; i <= n_; ++i) {
            Compact& c = compact_[static_cast<std::size_t>(i)];
            for (std::size_t k = 0; k < 7; ++k) {
                const Cell* colour = recorded_colour(d, i, colour_columns[k].item);
                c.key[k] = colour ? intern(ids[k], colour->text()) : -1;
            }
            c.key[7] = intern(ids[7], number(cell(d, 2, i, 4).number()));  // the shape, always compared
            for (std::size_t r = 0; r < 4; ++r) {
                const std::optional<Bounds> b = accepted(d, i, run_items[r], grown);
                c.has_run[r] = b.has_value();
                if (b) {
                    // The whole numbers a user may enter: 1 to 32767.
                    c.lo[r] = static_cast<int>(std::clamp(std::ceil(b->lower), 1.0, 32768.0));
                    c.hi[r] = static_cast<int>(std::clamp(std::floor(b->upper), 0.0, 32767.0));
                }
            }
            const std::optional<Bounds> band = accepted(d, i, Item::leaflet_shape, grown);
            c.has_band = band.has_value();
            if (band) {
                c.band_lo = band->lower;
                c.band_hi = band->upper;
            }
        }
        build_sets(ids);
    }

    // The pairs of the species `compared`, each species after its
    // partner, until `found` asks for no more.
    template <typename Found>
    void find(const std::vector<char>& compared, Found found) const
    {
        std::vector<std::uint64_t> mask(words_, 0);
        for (int i = 1; i <= n_; ++i)
            if (compared[static_cast<std::size_t>(i)])
                set_bit(mask, i);
        for (int i = 1; i <= n_; ++i) {
            if (!compared[static_cast<std::size_t>(i)])
                continue;
            const Compact& a = compact_[static_cast<std::size_t>(i)];
            for (std::size_t w = static_cast<std::size_t>(i) / 64; w < words_; ++w) {
                std::uint64_t bits = mask[w];
                if (w == static_cast<std::size_t>(i) / 64)
                    bits &= ~std::uint64_t(0) << (i % 64) << 1;  // only the species after i
                for (const auto& [key, sets] : pruning_) {
                    if (!bits)
                        break;
                    const int id = a.key[key];
                    if (id >= 0)
                        bits &= sets[static_cast<std::size_t>(id) + 1][w] | sets[0][w];
                }
                for (; bits; bits &= bits - 1) {
                    const int j = static_cast<int>(w * 64) + std::countr_zero(bits);
                    if (same_data(a, compact_[static_cast<std::size_t>(j)]) && !found(i, j))
                        return;
                }
            }
        }
    }

    const Compact& operator[](int i) const { return compact_[static_cast<std::size_t>(i)]; }

private:
    using Bits = std::vector<std::uint64_t>;

    // For each key with few values: the species with each value (after the
    // set of those without one), so that candidates are found a word of 64
    // species at a time. A key with many values costs more memory than it saves.
    void build_sets(const std::array<QHash<QString, int>, 8>& ids)
    {
        for (std::size_t k = 0; k < 8; ++k) {
            if (ids[k].size() > 256)
                continue;
            std::vector<Bits> sets(static_cast<std::size_t>(ids[k].size()) + 1, Bits(words_, 0));
            for (int i = 1; i <= n_; ++i) {
                const int id = compact_[static_cast<std::size_t>(i)].key[k];
                set_bit(sets[static_cast<std::size_t>(id + 1)], i);
            }
            pruning_.emplace_back(k, std::move(sets));
        }
    }

    int n_;
    std::size_t words_;
    std::vector<Compact> compact_;
    std::vector<std::pair<std::size_t, std::vector<Bits>>> pruning_;
};

}  // namespace

DataCheck check_data(const SpeciesData& d, std::size_t pairs_listed, std::int64_t pairs_counted)
{
    using Kind = DataFinding::Kind;
    DataCheck check;
    check.species = d.species_count;
    QHash<QString, int> names;
    std::vector<char> compared(static_cast<std::size_t>(d.species_count) + 1, 0);
    for (int i = 1; i <= d.species_count; ++i) {
        const QString& name = d.names.at(static_cast<std::size_t>(i));
        const QString folded = name.simplified().toCaseFolded();
        if (folded.isEmpty()) {
            check.findings.push_back({Kind::no_name, i, 0, QStringLiteral("the name is empty")});
        } else if (const auto first = names.constFind(folded); first != names.constEnd()) {
            const bool exact = d.names.at(static_cast<std::size_t>(*first)) == name;
            check.findings.push_back({Kind::duplicate_name, i, *first,
                                      exact ? QStringLiteral("the name is given twice")
                                            : QStringLiteral("the name is given twice, but for capitals or blanks")});
        } else {
            names.insert(folded, i);
        }
        const std::size_t before = check.findings.size();
        check_record(d, i, check.findings);
        compared[static_cast<std::size_t>(i)] =
            std::none_of(check.findings.begin() + static_cast<std::ptrdiff_t>(before), check.findings.end(),
                         [](const DataFinding& f) { return f.kind == Kind::nothing_recorded; });
    }
    check.records = static_cast<int>(check.findings.size());
    const PairFinder pairs(d);
    pairs.find(compared, [&](int i, int j) {
        if (static_cast<std::size_t>(check.pairs++) < pairs_listed)
            check.findings.push_back({Kind::same_data, i, j, same_data_detail(pairs[i], pairs[j])});
        check.pairs_capped = check.pairs == pairs_counted;
        return !check.pairs_capped;
    });
    return check;
}

QString kind_name(DataFinding::Kind kind)
{
    static const char* names[] = {"no_name", "duplicate_name", "nothing_recorded", "least_above_greatest",
                                  "below_zero", "colour_not_in_list", "same_data"};
    return QString::fromLatin1(names[static_cast<int>(kind)]);
}

QString describe(const DataFinding& f, const SpeciesData& d)
{
    const auto line = [&](int i) {
        return i < static_cast<int>(d.lines.size()) ? d.lines[static_cast<std::size_t>(i)] : 0;
    };
    const auto name = [&](int i) {
        const QString& n = d.names.at(static_cast<std::size_t>(i));
        return n.simplified().isEmpty() ? QStringLiteral("species %1").arg(i) : QStringLiteral("Quenla ") + n;
    };
    if (f.kind == DataFinding::Kind::same_data)
        return QStringLiteral("lines %1 and %2: %3 and %4: %5")
            .arg(line(f.species)).arg(line(f.other)).arg(name(f.species), name(f.other), f.detail);
    QString text = QStringLiteral("line %1: %2: %3").arg(line(f.species)).arg(name(f.species), f.detail);
    if (f.kind == DataFinding::Kind::duplicate_name)
        text += QStringLiteral(" (first on line %1)").arg(line(f.other));
    return text;
}

}  // namespace qid
