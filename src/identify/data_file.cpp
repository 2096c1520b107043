#include "identify/data_file.h"

#include <cmath>

#include <QFile>
#include <QLocale>
#include <QStringDecoder>

#include "platform/messages.h"
#include "shell/numbers.h"

namespace qid {

namespace {

// The choice lists in file order, with the control-table slot of each list box.
struct ListSpec {
    const char* label;
    int slot;
};
constexpr std::array<ListSpec, 7> choice_lists{{
    {"INITIAL COLOUR", 5},
    {"FINAL COLOUR", 6},
    {"COLOUR ABOVE", 18},
    {"COLOUR BELOW", 19},
    {"BUD COLOUR", 8},
    {"BUD HAIRS", 9},
    {"STICKY?", 10},
}};

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

// One field as read from the file.
struct Field {
    enum class Kind { quoted, plain, missing } kind = Kind::missing;  // missing: end of file
    QString text;
    int line = 0;
    int number = 0;  // field number within its line
};

// Reads fields from the sequential-input text: separated by commas or line
// ends, blanks before a field skipped, texts in double quotes.
class FieldReader {
public:
    explicit FieldReader(const QString& text) : s_(text) {}

    Field next()
    {
        skip_blanks();
        if (after_line_end_) {
            // Blank lines between fields are not fields.
            while (pos_ < s_.size() && is_line_end(s_[pos_])) {
                take_line_end();
                skip_blanks();
            }
        }
        Field f;
        if (pos_ >= s_.size())
            return f;
        if (line_ != field_line_) {
            field_line_ = line_;
            field_no_ = 0;
        }
        f.line = line_;
        f.number = ++field_no_;
        if (s_[pos_] == QLatin1Char('"')) {
            const qsizetype close = s_.indexOf(QLatin1Char('"'), pos_ + 1);
            if (close < 0) {
                error_ = "the file ends inside a quoted text (a closing \" is missing)";
                pos_ = s_.size();
                return f;
            }
            f.kind = Field::Kind::quoted;
            f.text = s_.mid(pos_ + 1, close - pos_ - 1);
            line_ += static_cast<int>(f.text.count(QLatin1Char('\n')));
            pos_ = close + 1;
            skip_blanks();
            if (pos_ < s_.size() && s_[pos_] != QLatin1Char(',') && !is_line_end(s_[pos_])) {
                error_ = "a comma or a line end was expected after the closing quote";
                return f;
            }
        } else {
            const qsizetype start = pos_;
            while (pos_ < s_.size() && s_[pos_] != QLatin1Char(',') && !is_line_end(s_[pos_]))
                ++pos_;
            f.kind = Field::Kind::plain;
            f.text = s_.mid(start, pos_ - start).trimmed();
        }
        take_separator();
        return f;
    }

    // A problem met while reading the last field; empty when none.
    QString error() const { return error_; }

private:
    static bool is_line_end(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

    void skip_blanks()
    {
        while (pos_ < s_.size() && (s_[pos_] == QLatin1Char(' ') || s_[pos_] == QLatin1Char('\t')))
            ++pos_;
    }

    void take_line_end()
    {
        if (s_[pos_] == QLatin1Char('\r') && pos_ + 1 < s_.size() && s_[pos_ + 1] == QLatin1Char('\n'))
            ++pos_;
        ++pos_;
        ++line_;
    }

    void take_separator()
    {
        after_line_end_ = false;
        if (pos_ >= s_.size())
            return;
        if (s_[pos_] == QLatin1Char(',')) {
            ++pos_;
        } else if (is_line_end(s_[pos_])) {
            take_line_end();
            after_line_end_ = true;
        }
    }

    const QString& s_;
    qsizetype pos_ = 0;
    int line_ = 1;
    int field_line_ = 0;
    int field_no_ = 0;
    bool after_line_end_ = true;
    QString error_;
};

bool parse_number(const QString& text, double& value)
{
    bool ok = false;
    value = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(value);
}

// Turns a table field into a cell, checking it against what its column holds.
// Returns an empty string on success, else what was expected.
QString to_cell(const Field& f, ColumnKind kind, Cell& cell)
{
    double number = 0;
    if (f.kind == Field::Kind::quoted) {
        cell = Cell::of_text(f.text);
    } else if (f.text.isEmpty()) {
        cell = Cell();
    } else if (f.text.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0) {
        cell = Cell::of_bool(true);
    } else if (f.text.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0) {
        cell = Cell::of_bool(false);
    } else if (parse_number(f.text, number)) {
        cell = Cell::of_number(number);
    } else {
        cell = Cell::of_text(f.text);
    }
    if (cell.is_empty() || kind == ColumnKind::any)
        return QString();
    switch (kind) {
    case ColumnKind::text:
        return cell.kind() == Cell::Kind::text ? QString() : QStringLiteral("a text in double quotes was expected");
    case ColumnKind::number:
        return cell.kind() == Cell::Kind::number ? QString() : QStringLiteral("a number was expected");
    case ColumnKind::shape:
        if (cell.kind() == Cell::Kind::boolean || (cell.kind() == Cell::Kind::number && (number == -1 || number == 0)))
            return QString();
        return QStringLiteral("#TRUE#, #FALSE#, -1 or 0 was expected");
    case ColumnKind::any:
        break;
    }
    return QString();
}

class Parser {
public:
    explicit Parser(const QString& text) : reader_(text) {}

    DataFileResult run()
    {
        SpeciesData d;
        for (std::size_t k = 0; k < choice_lists.size(); ++k) {
            int n = 0;
            if (!count(QStringLiteral("the number of entries of the list %1").arg(QLatin1String(choice_lists[k].label)),
                       0, 32767, n))
                return fail();
            for (int i = 0; i < n; ++i) {
                Field f;
                if (!field(QStringLiteral("entry %1 of the list %2").arg(i + 1).arg(QLatin1String(choice_lists[k].label)),
                           f))
                    return fail();
                d.lists[k].append(f.text);
            }
        }
        int species = 0;
        if (!count(QStringLiteral("the number of species"), 0, 32767, species)
            || !count(QStringLiteral("the highest bud column"), 3, max_column, d.bud_max)
            || !count(QStringLiteral("the highest leaf column"), 9, max_column, d.leaf_max)
            || !count(QStringLiteral("the highest fruit column"), 4, max_column, d.fruit_max))
            return fail();
        d.species_count = static_cast<std::int16_t>(species);
        d.names.assign(static_cast<std::size_t>(species) + 1, QString());
        d.bud.resize(species + 1, d.bud_max + 1);
        d.leaf.resize(species + 1, d.leaf_max + 1);
        d.fruit.resize(species + 1, d.fruit_max + 1);
        for (int i = 1; i <= species; ++i) {
            Field f;
            if (!field(QStringLiteral("the name of species %1 of %2").arg(i).arg(species), f))
                return fail();
            d.names[static_cast<std::size_t>(i)] = f.text;
            if (!row(0, i, d.bud) || !row(1, i, d.leaf) || !row(2, i, d.fruit))
                return fail();
        }
        DataFileResult result;
        result.data = std::move(d);
        return result;
    }

private:
    // Reads the next field; false (with the error set) at the end of the file.
    bool field(const QString& what, Field& f)
    {
        f = reader_.next();
        if (!reader_.error().isEmpty()) {
            error_ = {f.line, f.number, reader_.error() + QStringLiteral(" (in ") + what + QStringLiteral(")")};
            return false;
        }
        if (f.kind == Field::Kind::missing) {
            error_ = {last_line_, 0, QStringLiteral("the file ends before ") + what};
            return false;
        }
        last_line_ = f.line;
        return true;
    }

    bool count(const QString& what, int least, int most, int& value)
    {
        Field f;
        if (!field(what, f))
            return false;
        double v = 0;
        if (f.kind != Field::Kind::plain || !parse_number(f.text, v) || v != std::floor(v) || v < least || v > most) {
            error_ = {f.line, f.number,
                      QStringLiteral("a whole number from %1 to %2 was expected for %3, not \"%4\"")
                          .arg(least).arg(most).arg(what, f.text.left(40))};
            return false;
        }
        value = static_cast<int>(v);
        return true;
    }

    bool row(int table, int species, CellTable& cells)
    {
        static const char* tables[] = {"bud", "leaf", "fruit"};
        for (int c = 0; c < cells.columns(); ++c) {
            const QString what = QStringLiteral("the %1 (%2 column %3) of species %4")
                                     .arg(QLatin1String(column_meaning(table, c)), QLatin1String(tables[table]))
                                     .arg(c)
                                     .arg(species);
            Field f;
            if (!field(what, f))
                return false;
            const QString problem = to_cell(f, column_kind(table, c), cells.at(species, c));
            if (!problem.isEmpty()) {
                error_ = {f.line, f.number, problem + QStringLiteral(" for ") + what + QStringLiteral(", not \"")
                                                + f.text.left(40) + QStringLiteral("\"")};
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

    FieldReader reader_;
    DataFileError error_;
    int last_line_ = 1;
};

QString windows_1252(const QByteArray& bytes)
{
    // The bytes 0x80-0x9F differ from Latin-1; the five unused ones map to themselves.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out.append(b >= 0x80 && b <= 0x9F ? QChar(high[b - 0x80]) : QChar(b));
    }
    return out;
}

}  // namespace

QString decode_data_text(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return windows_1252(bytes);
}

DataFileResult read_data_file(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DataFileResult r;
        r.error = {0, 0, file.exists() ? QStringLiteral("the file cannot be read") : QStringLiteral("the file does not exist")};
        return r;
    }
    const QString text = decode_data_text(file.readAll());
    return Parser(text).run();
}

bool load_species()
{
    const DataFileResult result = read_data_file(data_file);
    if (!result.data) {
        const DataFileError& e = result.error;
        const QString where = e.line == 0 ? QString() : e.field == 0 ? QStringLiteral("Line %1: ").arg(e.line)
                                             : QStringLiteral("Line %1, field %2: ").arg(e.line).arg(e.field);
        QString problem = e.problem;
        if (!problem.isEmpty())
            problem[0] = problem[0].toUpper();
        platform::system_message(QStringLiteral("The species data file '%1' cannot be used.\n%2%3.")
                                     .arg(data_file, where, problem),
                                 QStringLiteral("DATA FILE ERROR"), platform::icon_critical);
        species_count = 0;
        species_name.assign(1, QString());
        bud_table.resize(1, 4);
        leaf_table.resize(1, 10);
        fruit_table.resize(1, 5);
        return false;
    }
    const SpeciesData& d = *result.data;
    for (std::size_t k = 0; k < choice_lists.size(); ++k) {
        platform::Control* list = ctl_tbl[static_cast<std::size_t>(choice_lists[k].slot)];
        if (!list)
            continue;
        for (const QString& entry : d.lists[k])
            list->add_item(entry);
    }
    species_count = d.species_count;
    species_name = d.names;
    bud_table = d.bud;
    leaf_table = d.leaf;
    fruit_table = d.fruit;
    return true;
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

namespace {

bool has_selection(int slot)
{
    const platform::Control* list = ctl_tbl[static_cast<std::size_t>(slot)];
    return list && list->list_index() >= 0;
}

QString selected_text(int slot)
{
    if (!has_selection(slot))
        return QString();
    const platform::Control* list = ctl_tbl[static_cast<std::size_t>(slot)];
    return list->item(list->list_index());
}

std::int16_t box_number(int slot)
{
    const platform::Control* box = ctl_tbl[static_cast<std::size_t>(slot)];
    return box ? text_box_number(box->caption()) : 0;
}

// The second colour of a pair is taken only when the first one is chosen.
void read_colour_pair(int first_slot, int second_slot, std::array<QString, 2>& colours)
{
    colours = {QString(), QString()};
    if (!has_selection(first_slot))
        return;
    colours[0] = selected_text(first_slot);
    colours[1] = selected_text(second_slot);
}

}  // namespace

void read_entries()
{
    for (auto& row : selected)
        row.assign(static_cast<std::size_t>(species_count) + 1, 0);
    const platform::Control* young = ctl_tbl[7];
    size_factor = young && young->value() != 0 ? 0.8f : 1.0f;
    read_colour_pair(5, 6, fruit_colour);
    const platform::Control* sphere = ctl_tbl[24];
    spherical = sphere && sphere->value() != 0;
    berry_size = box_number(11);
    read_colour_pair(18, 19, leaf_colour);
    for (int k = 0; k < 4; ++k)
        leaf_size[static_cast<std::size_t>(k)] = box_number(20 + k);
    for (int k = 0; k < 3; ++k)
        bud_prop[static_cast<std::size_t>(k)] = selected_text(8 + k);
    bud_length = box_number(26);
    needs_read = false;
}

}  // namespace qid
