#pragma once
// The species table compiled for the three matching tests: for each species
// and test one compact row holding only what that test reads, with every
// text replaced by a number and every size bound by its single-precision
// value. A search step then runs through plain numbers, and stops at the
// first observation a species fails. The observations are compiled in the
// same way, once per step.
#include <cstdint>
#include <vector>

#include <QHash>
#include <QString>

#include "identify/observation.h"
#include "identify/table.h"

namespace qid {

// Texts as numbers: the empty text, which records nothing, is 0; every other
// text of the table gets a number of its own from 1.
class TextCodes {
public:
    // The number of a text of the table, given one when it has none yet.
    std::int32_t add(const QString& text);
    // The number of an observed text: 0 for none, and for a text that no
    // species records a number no row holds.
    std::int32_t find(const QString& text) const;

private:
    QHash<QString, std::int32_t> codes_;
};

// A least and a greatest value; `recorded` when both are (neither is 0).
struct SizeRange {
    float least = 0;
    float greatest = 0;
    bool recorded = false;
};

// The colours are both 0 unless the species records both: only then are
// they compared.
struct FruitRow {
    std::int32_t colour[2] = {0, 0};
    SizeRange size;
    double shape = 0;  // -1 spherical, 0 ellipsoidal or not recorded
};

struct LeafRow {
    std::int32_t colour[2] = {0, 0};
    SizeRange pairs;
    SizeRange length;
    // The leaflet length-to-width band, 90 % to 110 % of the mean ratio,
    // when all four leaflet measures are recorded.
    bool banded = false;
    double band_low = 0;
    double band_high = 0;
};

struct BudRow {
    std::int32_t prop[3] = {0, 0, 0};  // colour, hairs, sticky; each compared on its own
    float typical = 0;                 // typical length
    bool typical_recorded = false;
};

FruitRow fruit_row(const CellTable& fruit, int i, TextCodes& codes);
LeafRow leaf_row(const CellTable& leaf, int i, TextCodes& codes);
BudRow bud_row(const CellTable& bud, int i, TextCodes& codes);

// The rows of every species of a table, by species number (row 0 unused).
struct MatchRows {
    explicit MatchRows(const SpeciesTable& table);
    TextCodes codes;
    std::vector<FruitRow> fruit;
    std::vector<LeafRow> leaf;
    std::vector<BudRow> bud;
};

// An observed size and the factors that widen the species' ranges.
struct SizeSeen {
    bool given = false;  // not 0
    float value = 0;
    float factor = 1;    // the tree factor, on the lower bound only
    float shrink = 1;    // 1 - range extension
    float widen = 1;     // 1 + range extension
};

struct FruitQuery {
    std::int32_t colour[2];
    SizeSeen size;
    double shape;
};

struct LeafQuery {
    std::int32_t colour[2];
    SizeSeen pairs;
    SizeSeen length;
    bool shaped;   // leaflet length and width both 1 or more
    double ratio;  // leaflet length / width
};

struct BudQuery {
    std::int32_t prop[3];
    bool given;  // a bud length, negative ones included
    float length;
    float lower_factor;  // bud_len_fac(0), then the tree factor, then the shrink
    float factor;
    float shrink;
    float upper_factor;  // bud_len_fac(1), then the widening
    float widen;
};

FruitQuery fruit_query(const ObservationSet& seen, const Factors& f, const TextCodes& codes);
LeafQuery leaf_query(const ObservationSet& seen, const Factors& f, const TextCodes& codes);
BudQuery bud_query(const ObservationSet& seen, const Factors& f, const TextCodes& codes);

namespace rows {

// A recorded text differs from an observed one; either left out compares equal.
inline bool differs(std::int32_t recorded, std::int32_t observed)
{
    return observed != 0 && recorded != 0 && recorded != observed;
}

// Within the range, bounds included, each product rounded to single precision
// so that a whole-number bound such as 10 x 0.8 stays 8.
inline bool within(const SizeRange& r, const SizeSeen& s)
{
    if (!s.given || !r.recorded)
        return true;
    float lower = r.least * s.factor;
    lower = lower * s.shrink;
    const float upper = r.greatest * s.widen;
    return !(s.value < lower) && !(s.value > upper);
}

}  // namespace rows

inline bool agrees(const FruitRow& r, const FruitQuery& q)
{
    return r.shape == q.shape && !rows::differs(r.colour[0], q.colour[0]) &&
           !rows::differs(r.colour[1], q.colour[1]) && rows::within(r.size, q.size);
}

inline bool agrees(const LeafRow& r, const LeafQuery& q)
{
    if (rows::differs(r.colour[0], q.colour[0]) || rows::differs(r.colour[1], q.colour[1]))
        return false;
    if (!rows::within(r.pairs, q.pairs) || !rows::within(r.length, q.length))
        return false;
    return !r.banded || !q.shaped || (!(q.ratio < r.band_low) && !(q.ratio > r.band_high));
}

inline bool agrees(const BudRow& r, const BudQuery& q)
{
    for (int k = 0; k < 3; ++k)
        if (rows::differs(r.prop[k], q.prop[k]))
            return false;
    if (!q.given || !r.typical_recorded)
        return true;
    float lower = r.typical * q.lower_factor;
    lower = lower * q.factor;
    lower = lower * q.shrink;
    float upper = r.typical * q.upper_factor;
    upper = upper * q.widen;
    return !(q.length < lower) && !(q.length > upper);
}

}  // namespace qid
