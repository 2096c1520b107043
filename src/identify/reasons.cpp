#include "identify/reasons.h"

#include <algorithm>
#include <cmath>

#include <QStringList>

namespace qid {

namespace {

bool measure_recorded(const Cell& c)
{
    return c.kind() != Cell::Kind::text && !c.equals_zero();
}

float measure(const Cell& c)
{
    return static_cast<float>(c.number());
}

struct ItemInfo {
    const char* name;
    int step;
    const char* unit;  // after a size; empty for a count, a colour or a shape
};

constexpr ItemInfo items[item_count] = {
    {"initial colour", 0, ""}, {"final colour", 0, ""},   {"berry size", 0, " mm"}, {"berry shape", 0, ""},
    {"colour above", 1, ""},   {"colour below", 1, ""},   {"leaflet pairs", 1, ""}, {"leaf length", 1, " mm"},
    {"leaflet shape", 1, ""},  {"bud colour", 2, ""},     {"bud hairs", 2, ""},     {"sticky", 2, ""},
    {"bud length", 2, " mm"},
};

const ItemInfo& info(Item item)
{
    return items[static_cast<int>(item)];
}

// The observation a size or count item compares.
std::int16_t range_value(Item item, const ObservationSet& seen)
{
    switch (item) {
    case Item::berry_size: return seen.berry_size;
    case Item::leaflet_pairs: return seen.leaf_size[0];
    case Item::leaf_length: return seen.leaf_size[1];
    default: return seen.bud_length;
    }
}

// The observation a colour item compares.
const QString& colour_value(Item item, const ObservationSet& seen)
{
    switch (item) {
    case Item::initial_colour: return seen.fruit_colour[0];
    case Item::final_colour: return seen.fruit_colour[1];
    case Item::colour_above: return seen.leaf_colour[0];
    case Item::colour_below: return seen.leaf_colour[1];
    case Item::bud_colour: return seen.bud_prop[0];
    case Item::bud_hairs: return seen.bud_prop[1];
    default: return seen.bud_prop[2];
    }
}

// Where a size or count item lives: its table and its least and greatest
// columns (the bud length has one column, its typical length).
struct RangeCells {
    const CellTable* table;
    int least;
    int greatest;
};

RangeCells range_cells(const SpeciesTable& t, Item item)
{
    switch (item) {
    case Item::berry_size: return {&t.fruit, 2, 3};
    case Item::leaflet_pairs: return {&t.leaf, 2, 3};
    case Item::leaf_length: return {&t.leaf, 4, 5};
    default: return {&t.bud, 3, 3};
    }
}

// The bounds of a least-to-greatest range, each product rounded to single
// precision as the matching tests form it.
Bounds size_bounds(float least, float greatest, const Factors& f)
{
    const float shrink = 1.0f - f.range_ext;
    const float widen = 1.0f + f.range_ext;
    float lower = least * f.size_factor;
    lower = lower * shrink;
    const float upper = greatest * widen;
    return Bounds{lower, upper};
}

// The bud length range from the typical length, multiplied in the test's order.
Bounds bud_bounds(float typical, const Factors& f)
{
    float lower = typical * f.bud_len_fac[0];
    lower = lower * f.size_factor;
    lower = lower * (1.0f - f.range_ext);
    float upper = typical * f.bud_len_fac[1];
    upper = upper * (1.0f + f.range_ext);
    return Bounds{lower, upper};
}

// The species' mean length-to-width ratio in single precision, or nothing
// when any of the four leaflet measures is missing.
std::optional<float> mean_ratio(const SpeciesTable& t, int i)
{
    for (int c = 6; c <= 9; ++c)
        if (!measure_recorded(t.leaf.cell(i, c)))
            return std::nullopt;
    const float r0 = static_cast<float>(t.leaf.cell(i, 6).number() / t.leaf.cell(i, 8).number());
    const float r1 = static_cast<float>(t.leaf.cell(i, 7).number() / t.leaf.cell(i, 9).number());
    return (r0 + r1) / 2.0f;
}

// Where a colour item lives: its table, the column of the pair's first
// colour (a bud property's own column) and its place in the pair (-1 for a
// bud property, which stands alone).
struct ColourCells {
    const CellTable* table;
    int first;
    int k;
};

ColourCells colour_cells(const SpeciesTable& t, Item item)
{
    switch (item) {
    case Item::initial_colour: return {&t.fruit, 0, 0};
    case Item::final_colour: return {&t.fruit, 0, 1};
    case Item::colour_above: return {&t.leaf, 0, 0};
    case Item::colour_below: return {&t.leaf, 0, 1};
    case Item::bud_colour: return {&t.bud, 0, -1};
    case Item::bud_hairs: return {&t.bud, 1, -1};
    default: return {&t.bud, 2, -1};
    }
}

// The cell a colour item compares for species i, or nullptr when the test
// does not compare it: fruit and leaf colours only when both of the pair
// are recorded, a bud property when it is recorded.
const Cell* compared_colour(int i, const ColourCells& cc)
{
    const Cell& first = cc.table->cell(i, cc.first);
    if (cc.k < 0)
        return first.equals_empty_text() ? nullptr : &first;
    const Cell& second = cc.table->cell(i, cc.first + 1);
    if (first.equals_empty_text() || second.equals_empty_text())
        return nullptr;
    return cc.k == 0 ? &first : &second;
}

// How far v lies outside [lower, upper], relative to the width (at least `unit`).
double distance_outside(double v, double lower, double upper, double unit)
{
    const double outside = v < lower ? lower - v : v - upper;
    return outside / std::max(upper - lower, unit);
}

bool range_fails(const std::optional<Bounds>& b, std::int16_t value, Reason* why)
{
    if (!b || value == 0)
        return false;
    const float v = value;
    const auto lower = static_cast<float>(b->lower);
    const auto upper = static_cast<float>(b->upper);
    if (!(v < lower) && !(v > upper))
        return false;
    if (why) {
        why->observed = value;
        why->lower = b->lower;
        why->upper = b->upper;
        why->distance = distance_outside(value, b->lower, b->upper, 1.0);
    }
    return true;
}

// The leaflet band of 90 % to 110 % of the species' mean ratio, in double precision.
std::optional<Bounds> leaflet_band(const SpeciesTable& t, int i)
{
    const std::optional<float> mean = mean_ratio(t, i);
    if (!mean)
        return std::nullopt;
    return Bounds{0.9 * *mean, 1.1 * *mean};
}

bool leaflet_fails(const SpeciesTable& t, int i, const ObservationSet& seen, Reason* why)
{
    if (seen.leaf_size[2] < 1 || seen.leaf_size[3] < 1)
        return false;
    const std::optional<Bounds> band = leaflet_band(t, i);
    if (!band)
        return false;
    const double ratio = static_cast<double>(seen.leaf_size[2]) / static_cast<double>(seen.leaf_size[3]);
    if (!(ratio < band->lower) && !(ratio > band->upper))
        return false;
    if (why) {
        why->observed = ratio;
        why->lower = band->lower;
        why->upper = band->upper;
        why->distance = distance_outside(ratio, band->lower, band->upper, 1e-9);
    }
    return true;
}

// Numbers as the species file writes them.
QString number(double v)
{
    return QString::number(v, 'g', 15);
}

// A number with at most `decimals` decimals, without trailing zeros.
QString decimals(double v, int decimals)
{
    QString text = QString::number(v, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

int three_way(double a, double b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

// How many decimals show an observation and the bound it crossed: two,
// or as many more as it takes to show on which side of the bound it lies
// (a bound of 8.000001 is not shown as 8 beside an observed 8).
int decimals_for(double observed, double bound)
{
    int d = 2;
    const int side = three_way(observed, bound);
    while (d < 17 && three_way(decimals(observed, d).toDouble(), decimals(bound, d).toDouble()) != side)
        ++d;
    return d;
}

QString factors_note(Item item, const Factors& f)
{
    QStringList notes;
    if (item != Item::leaflet_shape && f.size_factor != 1.0f)
        notes << QStringLiteral("young tree");
    if (item != Item::leaflet_shape && f.range_ext != 0.0f)
        notes << QStringLiteral("extended");
    return notes.isEmpty() ? QString() : QStringLiteral(" (") + notes.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString shape_text(const Cell& c)
{
    if (c.is_empty())
        return QStringLiteral("not recorded (taken as ellipsoidal)");
    if (c.number() == -1.0 && c.kind() != Cell::Kind::text)
        return QStringLiteral("Spherical");
    if (c.number() == 0.0 && c.kind() != Cell::Kind::text)
        return QStringLiteral("Ellipsoidal");
    return c.text();
}

ReasonText describe_leaflet(const Reason& r, const SpeciesTable& t, int i, const ObservationSet& seen)
{
    const auto m = [&](int c) { return number(t.leaf.cell(i, c).number()); };
    const int d = decimals_for(r.observed, r.observed < r.lower ? r.lower : r.upper);
    const std::optional<float> mean = mean_ratio(t, i);
    return {item_name(r.item),
            QStringLiteral("%1 x %2 mm (ratio %3)")
                .arg(seen.leaf_size[2]).arg(seen.leaf_size[3]).arg(decimals(r.observed, d)),
            QStringLiteral("%1 x %2 to %3 x %4 mm (mean ratio %5)")
                .arg(m(6), m(8), m(7), m(9), mean ? decimals(*mean, 2) : QString()),
            QStringLiteral("ratio %1 to %2").arg(decimals(r.lower, d), decimals(r.upper, d))};
}

}  // namespace

int item_step(Item item)
{
    return info(item).step;
}

QString item_name(Item item)
{
    return QString::fromLatin1(info(item).name);
}

bool is_range_item(Item item)
{
    return item == Item::berry_size || item == Item::leaflet_pairs || item == Item::leaf_length
        || item == Item::leaflet_shape || item == Item::bud_length;
}

std::optional<Measures> recorded_measures(const SpeciesTable& table, int i, Item item)
{
    const RangeCells rc = range_cells(table, item);
    const Cell& least = rc.table->cell(i, rc.least);
    const Cell& greatest = rc.table->cell(i, rc.greatest);
    if (!measure_recorded(least) || !measure_recorded(greatest))
        return std::nullopt;
    return Measures{measure(least), measure(greatest)};
}

Bounds range_bounds(Item item, const Measures& m, const Factors& factors)
{
    return item == Item::bud_length ? bud_bounds(m.least, factors) : size_bounds(m.least, m.greatest, factors);
}

std::optional<Bounds> accepted(const SpeciesTable& table, int i, Item item, const Factors& factors)
{
    if (item == Item::leaflet_shape)
        return leaflet_band(table, i);
    if (!is_range_item(item))
        return std::nullopt;
    const std::optional<Measures> m = recorded_measures(table, i, item);
    return m ? std::optional<Bounds>(range_bounds(item, *m, factors)) : std::nullopt;
}

const Cell* recorded_colour(const SpeciesTable& table, int i, Item item)
{
    if (is_range_item(item) || item == Item::berry_shape)
        return nullptr;
    return compared_colour(i, colour_cells(table, item));
}

bool observed(Item item, const ObservationSet& seen)
{
    switch (item) {
    case Item::berry_shape: return true;  // one of the two options is always chosen
    case Item::leaflet_shape: return seen.leaf_size[2] >= 1 && seen.leaf_size[3] >= 1;
    case Item::berry_size:
    case Item::leaflet_pairs:
    case Item::leaf_length:
    case Item::bud_length: return range_value(item, seen) != 0;
    default: return !colour_value(item, seen).isEmpty();
    }
}

bool item_fails(const SpeciesTable& table, int i, Item item, const ObservationSet& seen, const Factors& factors,
                Reason* why)
{
    if (why)
        *why = Reason{item};
    switch (item) {
    case Item::berry_shape:
        // The shape always counts: true is -1, false and an unrecorded shape 0.
        return table.fruit.cell(i, 4).number() != (seen.spherical ? -1.0 : 0.0);
    case Item::leaflet_shape:
        return leaflet_fails(table, i, seen, why);
    case Item::berry_size:
    case Item::leaflet_pairs:
    case Item::leaf_length:
    case Item::bud_length: {
        const std::int16_t value = range_value(item, seen);
        return value != 0 && range_fails(accepted(table, i, item, factors), value, why);
    }
    default: {
        const QString& value = colour_value(item, seen);
        if (value.isEmpty())
            return false;
        const Cell* recorded = compared_colour(i, colour_cells(table, item));
        return recorded && !recorded->text_is(value);
    }
    }
}

StepItems observed_items(int s, const ObservationSet& seen)
{
    static constexpr int first_item[4] = {0, 4, 9, item_count};
    StepItems step;
    for (int k = first_item[s]; k < first_item[s + 1]; ++k)
        if (observed(static_cast<Item>(k), seen))
            step.items[static_cast<std::size_t>(step.count++)] = static_cast<Item>(k);
    return step;
}

int append_reasons(const SpeciesTable& table, int i, const StepItems& step, const ObservationSet& seen,
                   const Factors& factors, std::vector<Reason>& out)
{
    int n = 0;
    Reason why;
    for (int k = 0; k < step.count; ++k) {
        if (item_fails(table, i, step.items[static_cast<std::size_t>(k)], seen, factors, &why)) {
            out.push_back(why);
            ++n;
        }
    }
    return n;
}

bool passes(const SpeciesTable& table, int i, const StepItems& step, const ObservationSet& seen,
            const Factors& factors)
{
    for (int k = 0; k < step.count; ++k)
        if (item_fails(table, i, step.items[static_cast<std::size_t>(k)], seen, factors))
            return false;
    return true;
}

int append_reasons(const SpeciesTable& table, int i, int s, const ObservationSet& seen, const Factors& factors,
                   std::vector<Reason>& out)
{
    return append_reasons(table, i, observed_items(s, seen), seen, factors, out);
}

std::vector<Reason> reasons(const SpeciesTable& table, int i, int s, const ObservationSet& seen,
                            const Factors& factors)
{
    std::vector<Reason> out;
    append_reasons(table, i, s, seen, factors, out);
    return out;
}

QString ReasonText::sentence() const
{
    QString s = item + QStringLiteral(": observed ") + observed + QStringLiteral(", recorded ") + recorded;
    if (!accepted.isEmpty())
        s += QStringLiteral(", accepted ") + accepted;
    return s;
}

ReasonText describe(const Reason& r, const SpeciesTable& t, int i, const ObservationSet& seen, const Factors& f)
{
    const QString unit = QString::fromLatin1(info(r.item).unit);
    switch (r.item) {
    case Item::berry_shape:
        return {item_name(r.item), seen.spherical ? QStringLiteral("Spherical") : QStringLiteral("Ellipsoidal"),
                shape_text(t.fruit.cell(i, 4)), QString()};
    case Item::leaflet_shape:
        return describe_leaflet(r, t, i, seen);
    case Item::berry_size:
    case Item::leaflet_pairs:
    case Item::leaf_length:
    case Item::bud_length: {
        const RangeCells rc = range_cells(t, r.item);
        const QString recorded =
            r.item == Item::bud_length
                ? QStringLiteral("typical ") + number(rc.table->cell(i, rc.least).number()) + unit
                : number(rc.table->cell(i, rc.least).number()) + QStringLiteral(" to ")
                      + number(rc.table->cell(i, rc.greatest).number()) + unit;
        return {item_name(r.item), QString::number(range_value(r.item, seen)) + unit, recorded,
                decimals(r.lower, decimals_for(r.observed, r.lower)) + QStringLiteral(" to ")
                    + decimals(r.upper, decimals_for(r.observed, r.upper)) + unit + factors_note(r.item, f)};
    }
    default: {
        const Cell* recorded = compared_colour(i, colour_cells(t, r.item));
        return {item_name(r.item), colour_value(r.item, seen), recorded ? recorded->text() : QString(), QString()};
    }
    }
}

}  // namespace qid
