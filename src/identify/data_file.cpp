#include "identify/data_file.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string_view>
#include <vector>

#include <QFile>
#include <QLocale>
#include <QStringDecoder>

#include "core/numbers.h"
#include "identify/data_fields.h"
#include "identify/match_rows.h"

namespace qid {

namespace {

using datafile::equals_ascii_nocase;
using datafile::Field;
using datafile::FieldReader;
using datafile::parse_number;
using datafile::ReadProblem;
using datafile::TextDecoder;

// The labels of the choice lists in file order.
constexpr std::array<const char*, 7> choice_lists{
    "INITIAL COLOUR", "FINAL COLOUR", "COLOUR ABOVE", "COLOUR BELOW", "BUD COLOUR", "BUD HAIRS", "STICKY?"};

// The largest column index a data file may declare: generous for extra
// columns, small enough that the tables always fit in memory.
constexpr int max_column = 255;

// What a table column must hold.
enum class ColumnKind { text, number, shape, any };

ColumnKind column_kind(int table, int column)
{
    switch (table) {
    case 0:  // bud: colour, hairs, sticky, typical length
        return column <= 2 ? ColumnKind::text : column == 3 ? ColumnKind::number : ColumnKind::any;
    case 1:  // leaf: two colours, then four ranges
        return column <= 1 ? ColumnKind::text : column <= 9 ? ColumnKind::number : ColumnKind::any;
    default:  // fruit: two colours, size range, shape
        return column <= 1 ? ColumnKind::text
             : column <= 3 ? ColumnKind::number
             : column == 4 ? ColumnKind::shape
                           : ColumnKind::any;
    }
}

const char* column_meaning(int table, int column)
{
    static const char* bud[] = {"bud colour", "bud hairs", "sticky", "bud length"};
    static const char* leaf[] = {"leaf colour above", "leaf colour below", "least leaflet pairs",
                                 "greatest leaflet pairs", "least leaf length", "greatest leaf length",
                                 "least leaflet length", "greatest leaflet length", "least leaflet width",
                                 "greatest leaflet width"};
    static const char* fruit[] = {"initial berry colour", "final berry colour", "least berry size",
                                  "greatest berry size", "berry shape"};
    if (table == 0 && column <= 3)
        return bud[column];
    if (table == 1 && column <= 9)
        return leaf[column];
    if (table == 2 && column <= 4)
        return fruit[column];
    return "extra column";
}

// What the reader was reading. It is put into words only for an error
// message, so a file without errors costs no text at all.
struct Subject {
    enum class Kind { list_count, list_entry, species_count, bud_max, leaf_max, fruit_max, name, cell };
    Kind kind;
    int list = 0;     // list_count, list_entry
    int entry = 0;    // list_entry: 1-based
    int species = 0;  // name, cell
    int of = 0;       // name: the declared number of species
    int table = 0;    // cell: 0 bud, 1 leaf, 2 fruit
    int column = 0;   // cell
};

QString describe(const Subject& s)
{
    static const char* tables[] = {"bud", "leaf", "fruit"};
    const QLatin1String list(choice_lists[static_cast<std::size_t>(s.list)]);
    switch (s.kind) {
    case Subject::Kind::list_count:
        return QStringLiteral("the number of entries of the list %1").arg(list);
    case Subject::Kind::list_entry:
        return QStringLiteral("entry %1 of the list %2").arg(s.entry).arg(list);
    case Subject::Kind::species_count:
        return QStringLiteral("the number of species");
    case Subject::Kind::bud_max:
        return QStringLiteral("the highest bud column");
    case Subject::Kind::leaf_max:
        return QStringLiteral("the highest leaf column");
    case Subject::Kind::fruit_max:
        return QStringLiteral("the highest fruit column");
    case Subject::Kind::name:
        return QStringLiteral("the name of species %1 of %2").arg(s.species).arg(s.of);
    case Subject::Kind::cell:
        return QStringLiteral("the %1 (%2 column %3) of species %4")
            .arg(QLatin1String(column_meaning(s.table, s.column)), QLatin1String(tables[s.table]))
            .arg(s.column)
            .arg(s.species);
    }
    return QString();
}

// What a plain (unquoted) field holds.
struct PlainValue {
    enum class Kind { empty, yes, no, number, text } kind = Kind::empty;
    double number = 0;
};

// What went wrong with a table field.
enum class CellProblem { none, text_expected, number_expected, shape_expected };

QString problem_text(CellProblem p)
{
    switch (p) {
    case CellProblem::text_expected: return QStringLiteral("a text in double quotes was expected");
    case CellProblem::number_expected: return QStringLiteral("a number was expected");
    case CellProblem::shape_expected: return QStringLiteral("#TRUE#, #FALSE#, -1 or 0 was expected");
    case CellProblem::none: break;
    }
    return QString();
}

// The distinct texts of the tables, so that a colour named in thousands of
// records is held once. Open addressing over the file's bytes.
class TextPool {
public:
    template <typename Make>
    const Cell& find_or_add(std::string_view bytes, Make make)
    {
        if (2 * (used_ + 1) > slots_.size())
            grow();
        const std::size_t h = hash(bytes);
        std::size_t i = h & (slots_.size() - 1);
        while (slots_[i].value && (slots_[i].hash != h || slots_[i].key != bytes))
            i = (i + 1) & (slots_.size() - 1);
        if (!slots_[i].value) {
            slots_[i] = {bytes, h, std::make_unique<Cell>(make())};
            ++used_;
        }
        return *slots_[i].value;
    }

private:
    struct Slot {
        std::string_view key;
        std::size_t hash = 0;
        std::unique_ptr<Cell> value;
    };

    static std::size_t hash(std::string_view bytes)
    {
        std::uint64_t h = 0xcbf29ce484222325ull;  // FNV-1a
        for (const char c : bytes)
            h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
        return static_cast<std::size_t>(h ^ (h >> 32));
    }

    void grow()
    {
        std::vector<Slot> old = std::move(slots_);
        slots_ = std::vector<Slot>(old.empty() ? 64 : 2 * old.size());
        for (Slot& s : old) {
            if (!s.value)
                continue;
            std::size_t i = s.hash & (slots_.size() - 1);
            while (slots_[i].value)
                i = (i + 1) & (slots_.size() - 1);
            slots_[i] = std::move(s);
        }
    }

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

class Parser {
public:
    explicit Parser(QByteArrayView bytes)
        : decoder_(bytes), reader_(bytes.data() + decoder_.skip(bytes), bytes.data() + bytes.size())
    {
    }

    DataFileResult run()
    {
        SpeciesData d;
        for (int k = 0; k < static_cast<int>(choice_lists.size()); ++k) {
            int n = 0;
            if (!count({Subject::Kind::list_count, k}, 0, 32767, n))
                return fail();
            for (int i = 0; i < n; ++i) {
                Field f;
                if (!field({Subject::Kind::list_entry, k, i + 1}, f))
                    return fail();
                d.lists[static_cast<std::size_t>(k)].append(text_of(f));
            }
        }
        int species = 0;
        if (!count({Subject::Kind::species_count}, 0, 32767, species)
            || !count({Subject::Kind::bud_max}, 3, max_column, d.bud_max)
            || !count({Subject::Kind::leaf_max}, 9, max_column, d.leaf_max)
            || !count({Subject::Kind::fruit_max}, 4, max_column, d.fruit_max))
            return fail();
        d.species_count = static_cast<std::int16_t>(species);
        // Room for no more records than the rest of the file can hold: every
        // field takes at least one byte.
        const std::size_t fields = 4u + static_cast<std::size_t>(d.bud_max + d.leaf_max + d.fruit_max);
        const std::size_t room = 1 + std::min(static_cast<std::size_t>(species), reader_.remaining() / fields + 1);
        d.names.reserve(room);
        d.names.emplace_back();
        d.lines.reserve(room);
        d.lines.push_back(0);
        const int columns[3] = {d.bud_max + 1, d.leaf_max + 1, d.fruit_max + 1};
        std::array<std::vector<Cell>, 3> cells;
        for (std::size_t t = 0; t < 3; ++t) {
            cells[t].reserve(room * static_cast<std::size_t>(columns[t]));
            cells[t].resize(static_cast<std::size_t>(columns[t]));  // row 0, never filled
        }
        for (int i = 1; i <= species; ++i) {
            Field f;
            if (!field({Subject::Kind::name, 0, 0, i, species}, f))
                return fail();
            d.names.push_back(text_of(f));
            d.lines.push_back(f.line);
            for (int t = 0; t < 3; ++t)
                if (!row(t, i, columns[t], cells[static_cast<std::size_t>(t)]))
                    return fail();
        }
        d.bud.assign(columns[0], std::move(cells[0]));
        d.leaf.assign(columns[1], std::move(cells[1]));
        d.fruit.assign(columns[2], std::move(cells[2]));
        d.match_rows = std::make_shared<const MatchRows>(d);
        DataFileResult result;
        result.data = std::move(d);
        return result;
    }

private:
    // Reads the next field; false (with the error set) at the end of the file.
    bool field(const Subject& what, Field& f)
    {
        const ReadProblem problem = reader_.next(f);
        if (problem != ReadProblem::none) {
            error_ = {f.line, f.number,
                      datafile::problem_text(problem) + QStringLiteral(" (in ") + describe(what) + QStringLiteral(")")};
            return false;
        }
        if (f.kind == Field::Kind::missing) {
            error_ = {last_line_, 0, QStringLiteral("the file ends before ") + describe(what)};
            return false;
        }
        last_line_ = f.line;
        return true;
    }

    // The text of a field as the lists and the messages show it; a plain
    // field loses the blanks around it.
    QString text_of(const Field& f) const
    {
        const QString t = decoder_.text(f.bytes());
        return f.kind == Field::Kind::plain && !f.ascii ? t.trimmed() : t;
    }

    PlainValue plain_value(const Field& f) const
    {
        PlainValue v;
        if (f.ascii) {
            const std::string_view s = f.bytes();
            if (s.empty())
                v.kind = PlainValue::Kind::empty;
            else if (equals_ascii_nocase(s, "#TRUE#"))
                v.kind = PlainValue::Kind::yes;
            else if (equals_ascii_nocase(s, "#FALSE#"))
                v.kind = PlainValue::Kind::no;
            else
                v.kind = parse_number(s, v.number) ? PlainValue::Kind::number : PlainValue::Kind::text;
            return v;
        }
        // Other blanks and other letters than ASCII: judged on the decoded text.
        const QString t = text_of(f);
        if (t.isEmpty())
            v.kind = PlainValue::Kind::empty;
        else if (t.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
            v.kind = PlainValue::Kind::yes;
        else if (t.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
            v.kind = PlainValue::Kind::no;
        else {
            const bool ascii = std::all_of(t.begin(), t.end(), [](QChar c) { return c.unicode() < 0x80; });
            const QByteArray latin = t.toLatin1();
            const std::string_view s(latin.constData(), static_cast<std::size_t>(latin.size()));
            v.kind = ascii && parse_number(s, v.number) ? PlainValue::Kind::number : PlainValue::Kind::text;
        }
        return v;
    }

    bool count(const Subject& what, int least, int most, int& value)
    {
        Field f;
        if (!field(what, f))
            return false;
        const PlainValue v = f.kind == Field::Kind::plain ? plain_value(f) : PlainValue{};
        if (v.kind != PlainValue::Kind::number || v.number != std::floor(v.number) || v.number < least
            || v.number > most) {
            error_ = {f.line, f.number,
                      QStringLiteral("a whole number from %1 to %2 was expected for %3, not \"%4\"")
                          .arg(least).arg(most).arg(describe(what), text_of(f).left(40))};
            return false;
        }
        value = static_cast<int>(v.number);
        return true;
    }

    // A cell of a quoted table text; equal texts share one copy.
    const Cell& text_cell(const Field& f)
    {
        return texts_.find_or_add(f.bytes(), [&] { return Cell::of_text(decoder_.text(f.bytes())); });
    }

    // Turns a table field into a cell, checking it against what its column holds.
    CellProblem to_cell(const Field& f, ColumnKind kind, Cell& cell)
    {
        PlainValue v;
        if (f.kind == Field::Kind::quoted) {
            cell = text_cell(f);
        } else {
            v = plain_value(f);
            switch (v.kind) {
            case PlainValue::Kind::empty: break;
            case PlainValue::Kind::yes: cell = Cell::of_bool(true); break;
            case PlainValue::Kind::no: cell = Cell::of_bool(false); break;
            case PlainValue::Kind::number: cell = Cell::of_number(v.number); break;
            case PlainValue::Kind::text: cell = Cell::of_text(text_of(f)); break;
            }
        }
        if (cell.is_empty())
            return CellProblem::none;
        switch (kind) {
        case ColumnKind::text:
            return cell.kind() == Cell::Kind::text ? CellProblem::none : CellProblem::text_expected;
        case ColumnKind::number:
            return cell.kind() == Cell::Kind::number ? CellProblem::none : CellProblem::number_expected;
        case ColumnKind::shape:
            if (cell.kind() == Cell::Kind::boolean
                || (cell.kind() == Cell::Kind::number && (v.number == -1 || v.number == 0)))
                return CellProblem::none;
            return CellProblem::shape_expected;
        case ColumnKind::any:
            break;
        }
        return CellProblem::none;
    }

    // Reads the cells of one species in one table onto the end of cells.
    bool row(int table, int species, int columns, std::vector<Cell>& cells)
    {
        for (int c = 0; c < columns; ++c) {
            const Subject what{Subject::Kind::cell, 0, 0, species, 0, table, c};
            Field f;
            if (!field(what, f))
                return false;
            const CellProblem problem = to_cell(f, column_kind(table, c), cells.emplace_back());
            if (problem != CellProblem::none) {
                error_ = {f.line, f.number, problem_text(problem) + QStringLiteral(" for ") + describe(what)
                                                + QStringLiteral(", not \"") + text_of(f).left(40)
                                                + QStringLiteral("\"")};
                return false;
            }
        }
        return true;
    }

    DataFileResult fail() const
    {
        DataFileResult r;
        r.error = error_;
        return r;
    }

    TextDecoder decoder_;
    FieldReader reader_;
    TextPool texts_;
    DataFileError error_;
    int last_line_ = 1;
};

DataFileResult cannot_read(bool exists)
{
    DataFileResult r;
    r.error = {0, 0, exists ? QStringLiteral("the file cannot be read") : QStringLiteral("the file does not exist")};
    return r;
}

}  // namespace

QString decode_data_text(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return datafile::windows_1252(bytes);
}

DataFileResult read_data_bytes(QByteArrayView bytes)
{
    try {
        return Parser(bytes).run();
    } catch (const std::exception&) {
        // Only running out of memory gets here.
        return cannot_read(true);
    }
}

DataFileResult read_data_file(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return cannot_read(file.exists());
    try {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return cannot_read(true);
        return read_data_bytes(bytes);
    } catch (const std::exception&) {
        return cannot_read(true);
    }
}

QString describe_error(const DataFileError& e)
{
    const QString where = e.line == 0 ? QString() : e.field == 0 ? QStringLiteral("Line %1: ").arg(e.line)
                                         : QStringLiteral("Line %1, field %2: ").arg(e.line).arg(e.field);
    QString problem = e.problem;
    if (!problem.isEmpty())
        problem[0] = problem[0].toUpper();
    return where + problem;
}

std::int16_t text_box_number(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && text[i].unicode() >= '0' && text[i].unicode() <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    bool ok = false;
    const double v = QLocale::c().toDouble(text.mid(start, i - start), &ok);
    return ok ? clamp_int16(round_half_even(v)) : 0;
}

}  // namespace qid
