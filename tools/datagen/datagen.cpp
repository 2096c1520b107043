#include "datagen.h"

#include "identify/data_file.h"

namespace qid::tools {

namespace {

// SplitMix64: small, fast and the same on every platform, unlike the
// standard library's distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from least to most.
    int between(int least, int most)
    {
        return least + static_cast<int>(next() % static_cast<std::uint64_t>(most - least + 1));
    }
    bool one_in(int n) { return next() % static_cast<std::uint64_t>(n) == 0; }

private:
    std::uint64_t state_;
};

const char* const syllables[16] = {"al", "ba", "cor", "den", "fu", "gla", "hir", "lu",
                                   "mar", "ni", "pal", "ru", "sil", "ta", "ver", "xan"};
const char* const endings[4] = {"a", "is", "um", "ensis"};

// Species i gets a name of its own: its number spelled in syllables.
QByteArray name_of(int i, Random& random)
{
    QByteArray name;
    for (int n = i; ; n /= 16) {
        name += syllables[n % 16];
        if (n < 16)
            break;
    }
    return name + endings[random.between(0, 3)];
}

void quoted(QByteArray& out, const QString& text)
{
    out += '"';
    out += text.toUtf8();
    out += '"';
}

// A list entry, or now and then an empty text (not recorded).
void colour(QByteArray& out, const QStringList& list, Random& random)
{
    quoted(out, list.isEmpty() || random.one_in(20) ? QString() : list[random.between(0, int(list.size()) - 1)]);
}

// A least and greatest size around a typical one; now and then 0 (not recorded).
void range(QByteArray& out, int least, int most, Random& random)
{
    if (random.one_in(20)) {
        out += "0,0";
        return;
    }
    const int low = random.between(least, most);
    const int high = low + random.between(0, (most - least) / 2 + 1);
    out += QByteArray::number(low) + ',' + QByteArray::number(high);
}

void record(QByteArray& out, const ChoiceLists& lists, int i, Random& random)
{
    quoted(out, QString::fromLatin1(name_of(i, random)));
    // Bud: colour, hairs, sticky, typical length.
    for (int k = 4; k <= 6; ++k) {
        out += ',';
        colour(out, lists[k], random);
    }
    out += ',' + QByteArray::number(random.between(3, 20));
    // Leaf: colour above and below, pairs, leaf length, leaflet length and width.
    for (int k = 2; k <= 3; ++k) {
        out += ',';
        colour(out, lists[k], random);
    }
    const int ranges[4][2] = {{2, 12}, {60, 400}, {15, 90}, {5, 40}};
    for (const auto& r : ranges) {
        out += ',';
        range(out, r[0], r[1], random);
    }
    // Fruit: initial and final colour, berry size (half millimetres now and then), shape.
    for (int k = 0; k <= 1; ++k) {
        out += ',';
        colour(out, lists[k], random);
    }
    out += ',';
    range(out, 4, 18, random);
    if (random.one_in(8))
        out += ".5";
    out += random.one_in(3) ? ",#FALSE#" : ",#TRUE#";
    out += "\r\n";
}

}  // namespace

QByteArray make_species_file(const ChoiceLists& lists, int count, std::uint64_t seed)
{
    Random random(seed);
    QByteArray out;
    out.reserve(1024 + static_cast<qsizetype>(count) * 130);
    for (const QStringList& list : lists) {
        out += QByteArray::number(list.size());
        for (const QString& entry : list) {
            out += ',';
            quoted(out, entry);
        }
        out += "\r\n";
    }
    out += QByteArray::number(count) + ",3,9,4\r\n";
    for (int i = 1; i <= count; ++i)
        record(out, lists, i, random);
    return out;
}

ChoiceLists lists_of(const QString& path)
{
    const DataFileResult read = read_data_file(path);
    return read.data ? read.data->lists : ChoiceLists{};
}

}  // namespace qid::tools
