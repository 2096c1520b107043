// Loading qid.dta: field syntax, malformed files, decoding; the text-box numbers; reading the controls.
#include <memory>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "identify/data_file.h"
#include "shell/state.h"
#include "shell/window_entries.h"

namespace qid {
namespace {

// A control without a widget: its items, selection, value and caption.
struct FakeControl final : platform::Control {
    QString name() const override { return {}; }
    int index() const override { return 0; }
    QString caption() const override { return text; }
    void set_caption(const QString& t) override { text = t; }
    bool visible() const override { return true; }
    void set_visible(bool) override {}
    void add_item(const QString& t) override { items.append(t); }
    void clear_items() override { items.clear(), selection = -1; }
    int item_count() const override { return static_cast<int>(items.size()); }
    QString item(int i) const override { return items.value(i); }
    int list_index() const override { return selection; }
    void set_list_index(int i) override { selection = i >= 0 && i < items.size() ? i : -1; }
    int value() const override { return ticked; }
    void set_value(int v) override { ticked = v; }
    platform::Twips geometry() const override { return {}; }
    void set_geometry(const platform::Twips&) override {}
    QString font_name() const override { return {}; }
    void set_font_name(const QString&) override {}
    double font_size() const override { return 0; }
    void set_font_size(double) override {}
    void set_back_colour(int) override {}

    QStringList items;
    QString text;
    int selection = -1, ticked = 0;
};

// The seven lists, one species header and two species in the shortest form.
const char* const good_header = "2,\"Green\",\"Red, dark\"\n1,\"UNCHANGED\"\n1,\"Mid green\"\n1,\"AS ABOVE\"\n0\n"
                                "2,\"Glabrous\",\"Hairy\"\n2,\"Yes\",\"No\"\n";

// Species "a" in the shortest form, with one field (counted from 1) written as given.
QByteArray record(int field = 0, const QByteArray& value = {})
{
    QList<QByteArray> fields = QByteArray(R"("a","","","",0,"","",0,0,0,0,0,0,0,0,"","",0,0,#TRUE#)").split(',');
    if (field > 0)
        fields[field - 1] = value;
    return fields.join(',') + '\n';
}

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        for (std::size_t slot = 0; slot < ctl_tbl.size(); ++slot)
            ctl_tbl[slot] = (controls_[slot] = std::make_unique<FakeControl>()).get();
    }
    void TearDown() override { ctl_tbl.fill(nullptr); }

    // Writes the bytes as qid.dta and loads it into empty lists.
    bool load(const QByteArray& bytes)
    {
        for (auto& c : controls_)
            c->clear_items();
        data_file = dir_.filePath("qid.dta");
        QFile f(data_file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        return load_species();
    }

    FakeControl& control(int slot) { return *controls_[static_cast<std::size_t>(slot)]; }

    QTemporaryDir dir_;
    testing::RecordingMessages messages_;
    std::array<std::unique_ptr<FakeControl>, ctl_count> controls_;
};

TEST_F(DataFileTest, ReadsListsAndRecordsInTheirFieldSyntax)
{
    // Quoted names and texts with commas; blanks before fields; an empty field;
    // a record split over two lines; Booleans and -1/0 shapes.
    const QByteArray file = QByteArray(good_header) + "2,3,9,4\n"
        "\"frutescens\", \"Red, dark\",\"Hairy\",\"Yes\",12,  \"Mid green\",\"AS ABOVE\",4,7,\n"
        "  200,30,60,10,20,\"Green\",\"UNCHANGED\",7,9.5,#TRUE#\n"
        "\"alba\",\"\",\"\",\"\",0,\"\",\"\",0,0,0,0,0,0,0,0,\"Green\",,0,0,-1\n";
    ASSERT_TRUE(load(file)) << messages_.last().text.toStdString();
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_EQ(control(5).items, QStringList({"Green", "Red, dark"}));
    EXPECT_EQ(control(19).items, QStringList({"AS ABOVE"}));
    EXPECT_TRUE(control(8).items.isEmpty());  // a count of 0 leaves the list empty
    EXPECT_EQ(control(10).items, QStringList({"Yes", "No"}));
    ASSERT_EQ(species_count, 2);
    EXPECT_EQ(std::pair(species_name[1], bud_table.at(1, 0).text()),
              std::pair(QString("frutescens"), QString("Red, dark")));
    EXPECT_EQ(std::tuple(bud_table.at(1, 3).number(), leaf_table.at(1, 3).number(), leaf_table.at(1, 5).number()),
              std::tuple(12, 7, 200));
    // The empty field before the line end is empty and equals 0.
    EXPECT_TRUE(leaf_table.at(1, 4).equals_zero() && leaf_table.at(1, 4).is_empty());
    EXPECT_FLOAT_EQ(static_cast<float>(fruit_table.at(1, 3).number()), 9.5f);
    EXPECT_EQ(std::tuple(fruit_table.at(1, 4).number(), fruit_table.at(2, 4).number()), std::tuple(-1, -1));  // #TRUE#
    EXPECT_TRUE(fruit_table.at(2, 1).equals_empty_text() && fruit_table.at(2, 1).equals_zero());  // empty is "" and 0
}

TEST_F(DataFileTest, AcceptsCrLfExtraColumnsTrailingTextAndCountsUpToTheirLimits)
{
    QByteArray file(good_header);
    file.replace("\n", "\r\n");
    file += "1,4,10,5\r\n\r\n\"x\",\"Glabrous\",\"\",\"\",5,\"extra\",\"Mid green\",\"AS ABOVE\",1,2,3,4,5,6,7,8,\r\n"
            "\"Green\",\"UNCHANGED\",1,2,#FALSE#,\"kept\"\r\nanything after the last record is ignored\r\n";
    ASSERT_TRUE(load(file)) << messages_.last().text.toStdString();
    EXPECT_EQ(std::pair(bud_table.columns(), bud_table.at(1, 4).text()), std::pair(5, QString("extra")));
    EXPECT_TRUE(leaf_table.at(1, 10).is_empty());
    EXPECT_EQ(std::pair(fruit_table.at(1, 5).text(), fruit_table.at(1, 4).number()), std::pair(QString("kept"), 0.0));

    file = good_header;
    file.replace("2,\"Green\"", "2.0,\"Green\"");  // a whole count written with a point; 255 columns
    file += "1,3,9,255\n" + record().chopped(1) + QByteArray(251, ',') + "x\n";
    ASSERT_TRUE(load(file)) << messages_.last().text.toStdString();
    EXPECT_EQ(control(5).items.size(), 2);
    EXPECT_EQ(std::pair(fruit_table.columns(), fruit_table.at(1, 255).text()), std::pair(256, QString("x")));
}

TEST_F(DataFileTest, MalformedFileIsReportedByLineAndFieldAMissingOneByName)
{
    const struct { const char* name; QByteArray tail; const char *line_field, *problem; } cases[] = {
        {"CountIsNotANumber", "many,3,9,4\n", "Line 8, field 1", "whole number from 0 to 32767"},
        {"NegativeCount", "-2,3,9,4\n", "Line 8, field 1", "the number of species"},
        {"TooFewColumns", "1,2,9,4\n", "Line 8, field 2", "highest bud column"},
        {"EndsBeforeLastRecord", "2,3,9,4\n" + record() + "\"b\",\"\"\n", "Line 10:",
         "file ends before the bud hairs (bud column 1) of species 2"},
        {"TextWhereANumberBelongs", "1,3,9,4\n" + record(5, "\"ten\""), "Line 9, field 5",
         "number was expected for the bud length (bud column 3) of species 1, not \"ten\""},
        {"JunkAfterANumber", "1,3,9,4\n" + record(5, "1.5x"), "Line 9, field 5",
         "number was expected for the bud length (bud column 3) of species 1, not \"1.5x\""},
        {"TextInTheLastLeafColumn", "1,3,9,4\n" + record(15, "\"ten\""), "Line 9, field 15",
         "number was expected for the greatest leaflet width (leaf column 9) of species 1, not \"ten\""},
        {"NumberWhereATextBelongs", "1,3,9,4\n" + record(6, "7"), "Line 9, field 6",
         "text in double quotes was expected for the leaf colour above"},
        {"ShapeNeitherBooleanNorMinusOneOrZero", "1,3,9,4\n" + record(20, "1"), "Line 9, field 20",
         "#TRUE#, #FALSE#, -1 or 0 was expected"},
        {"UnclosedQuote", "1,3,9,4\n\"a\",\"unclosed\n", "Line 9, field 2", "closing \" is missing"},
        {"JunkAfterAQuote", "1,3,9,4\n\"a\"b,\n", "Line 9, field 1", "comma or a line end was expected"},
        {"CountWithAFraction", "2.5,3,9,4\n", "Line 8, field 1",
         "whole number from 0 to 32767 was expected for the number of species, not \"2.5\""},
        {"CountBeyondSixteenBits", "32768,3,9,4\n", "Line 8, field 1", "not \"32768\""},
        {"QuotedCount", "\"1\",3,9,4\n", "Line 8, field 1", "for the number of species, not \"1\""},
        {"TooFewLeafColumns", "1,3,8,4\n", "Line 8, field 3", "from 9 to 255 was expected for the highest leaf"},
        {"TooFewFruitColumns", "1,3,9,3\n", "Line 8, field 4", "from 4 to 255 was expected for the highest fruit"},
        {"MoreThan255Columns", "1,3,9,256\n", "Line 8, field 4", "not \"256\""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages_.clear();
        EXPECT_FALSE(load(good_header + c.tail));
        ASSERT_EQ(messages_.shown().size(), 1u);
        const testing::Recorded& m = messages_.last();
        EXPECT_EQ(std::tuple(m.title, m.icon, species_count), std::tuple(QString("DATA FILE ERROR"), 16, 0));
        for (const QString& part : {data_file, QString(c.line_field), QString(c.problem)})
            EXPECT_TRUE(m.text.contains(part)) << m.text.toStdString();
    }
    messages_.clear();
    data_file = dir_.filePath("nowhere/qid.dta");
    EXPECT_FALSE(load_species());
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.last().text, "The species data file '" + data_file + "' cannot be used.\nThe file does not exist.");
}

// Where an error is reported, whatever the line ends: LF, CR LF or a lone CR,
// also after quoted texts that hold line ends of their own.
TEST_F(DataFileTest, ErrorLinesCountEveryKindOfLineEnd)
{
    const struct { const char* entry; int extra_lines; } entries[] = {
        {"\"Red, dark\"", 0}, {"\"Red,|dark\"", 1}, {"\"Red,||dark\"", 2}, {"\"Red,\n\rdark\"", 2}};
    for (const char* eol : {"\n", "\r\n", "\r"})
        for (const auto& [entry, extra] : entries) {
            QByteArray file = good_header + ("1,3,9,4\n" + record(5, "\"ten\""));
            file.replace("\"Red, dark\"", "<entry>").replace("\n", eol);
            file.replace("<entry>", QByteArray(entry).replace("|", eol));
            const QString line = "Line " + QString::number(9 + extra);
            EXPECT_FALSE(load(file));
            EXPECT_TRUE(messages_.last().text.contains(line + ", field 5: A number was expected"))
                << messages_.last().text.toStdString() << " with " << QByteArray(entry).toPercentEncoding().data();
            file.truncate(file.indexOf("\"ten\""));  // ends early, after the field on that line
            EXPECT_FALSE(load(file));
            EXPECT_TRUE(messages_.last().text.contains(line + ": ")) << messages_.last().text.toStdString();
        }
}

// The first list's one entry and species 1's bud length, as written in the file.
TEST_F(DataFileTest, TextsAndNumbersAreReadAsTheWholeFileIsDecoded)
{
    const struct { const char* name; QByteArray start, entry, length; QString text; double number; } cases[] = {
        {"UTF-8 after a byte-order mark", "\xEF\xBB\xBF", "\"caf\xC3\xA9\"", "7", QString::fromUtf8("caf\xC3\xA9"), 7},
        {"a mark inside a text is kept", "", "\"\xEF\xBB\xBFx\"", "7", QChar(0xFEFF) + QString("x"), 7},
        {"Windows-1252", "", "\"caf\xE9 \x80\"", "7", QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"), 7},
        {"UTF-8 no-break spaces around a number", "", "\"x\"", "\xC2\xA0 8\xC2\xA0", "x", 8},
        {"Windows-1252 blanks around plain texts and numbers", "", " caf\xE9\xA0 ", "\xA0" "9",
         QString::fromUtf8("caf\xC3\xA9"), 9},
        {"plain entry between blanks", "", "\t plain words ", "+9", "plain words", 9},
        {"exponent", "", "\"x\"", "1e1", "x", 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray file = c.start + "1," + c.entry + "\n0\n0\n0\n0\n0\n0\n1,3,9,4\n" + record(5, c.length);
        ASSERT_TRUE(load(QByteArray(file).replace("#TRUE#", "#false#"))) << messages_.last().text.toStdString();
        EXPECT_EQ(control(5).items, QStringList(c.text));
        EXPECT_EQ(std::pair(bud_table.at(1, 3).number(), bud_table.at(1, 3).kind()),
                  std::pair(c.number, Cell::Kind::number));
    }
}

TEST(TextBoxNumber, TakesTheLeadingNumberRoundedHalvesToEvenAndClamped)
{
    const std::pair<const char*, int> cases[] = {
        {"12.7", 13}, {"12.5", 12}, {"13.5", 14}, {"abc", 0}, {"7mm", 7}, {"99999", 32767},
        {"-99999", -32768}, {"-5", -5}, {"  8", 8}, {"", 0}, {".5", 0}, {"1.5.3", 2}, {"-", 0},
        {"+3", 3}, {"12 34", 12}, {"1e3", 1}, {"99999999999999999999999", 32767}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text_box_number(QString::fromLatin1(text)), expected) << text;
}

TEST_F(DataFileTest, ReadEntriesTakesTheSecondColourOnlyWithTheFirst)
{
    ASSERT_TRUE(load(good_header + ("1,3,9,4\n" + record())));
    control(6).set_list_index(0);   // FINAL COLOUR chosen, INITIAL COLOUR not
    control(19).set_list_index(0);  // COLOUR BELOW chosen, COLOUR ABOVE not
    control(9).set_list_index(1);   // bud hairs on their own
    control(7).set_value(1);        // young tree
    control(11).set_caption("9.5");    // berry size
    control(23).set_caption("40000");  // leaflet width
    control(26).set_caption("-3");     // bud length
    needs_read = true;
    read_entries();
    using Two = std::array<QString, 2>;
    EXPECT_EQ(std::tuple(fruit_colour, leaf_colour, bud_prop[0], bud_prop[1]),
              std::tuple(Two{}, Two{}, QString(), QString("Hairy")));
    EXPECT_FLOAT_EQ(size_factor, 0.8f);
    EXPECT_EQ(std::tuple(spherical, berry_size, leaf_size[3], bud_length, needs_read),
              std::tuple(false, 10, 32767, -3, false));
    ASSERT_EQ(selected[2].size(), 2u);
    control(5).set_list_index(1);
    control(18).set_list_index(0);
    read_entries();
    EXPECT_EQ(std::pair(fruit_colour, leaf_colour),
              std::pair(Two{"Red, dark", "UNCHANGED"}, Two{"Mid green", "AS ABOVE"}));
}

}  // namespace
}  // namespace qid
