// The trees of CSV and JSON files as read, before their cells are understood.
#include <QBuffer>

#include <gtest/gtest.h>

#include "batch/tree_file.h"
#include "batch/tree_results.h"
#include "support/qt_print.h"

namespace qid::batch {
namespace {

using namespace Qt::StringLiterals;

// Each tree as "row: column=text | ...", its cells with text only (a JSON
// number as "#", a repeated key as "again"), then " !" and each problem; and
// "error: ..." when the file could not be read (on).
QStringList trees(const QByteArray& bytes)
{
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    TextSource text(device);
    TreeStream stream(text);
    QStringList out;
    for (TreeRecord r; stream.next(r);) {
        QStringList cells;
        for (const TreeCell& c : r.cells)
            if (!c.text.isEmpty())
                cells << c.column + "=" + c.text + (c.number ? "#" : "") + (c.repeated ? " again" : "");
        out << QString::number(r.row) + ": " + cells.join(" | ") + (r.problems.isEmpty() ? "" : " !" + r.problems.join(" !"));
    }
    if (!stream.error().isEmpty())
        out << "error: " + stream.error();
    return out;
}

struct Case { const char* name; QByteArray bytes; QStringList trees; };

TEST(TreeFile, ReadsCsvAsSpreadsheetsSaveIt)
{
    const QString long_line(100000, QChar(0xE9));  // parts of the file end inside its characters
    const Case cases[] = {
        {"quoted commas and doubled quotes", "id,shape\r\n\"a, b\",\"say \"\"x\"\"\"\r\n", {"2: id=a, b | shape=say \"x\""}},
        {"CR LF, LF and CR alone end rows", "id\r\na\nb\rc\r\n", {"2: id=a", "3: id=b", "4: id=c"}},
        {"a line end inside quotes stays in its cell; rows count records", "id,shape\n\"x\r\ny\",s\nz,\n",
         {"2: id=x\r\ny | shape=s", "3: id=z"}},
        {"a quote inside an unquoted cell is a character", "id\nab\"c\n", {"2: id=ab\"c"}},
        {"a byte-order mark before the header", "\xEF\xBB\xBFid,shape\nq,s\n", {"2: id=q | shape=s"}},
        {"rows of empty cells are no trees, but count", "\n\nid,young,shape\na,,\n,,\n\n,,e\n", {"4: id=a", "7: shape=e"}},
        {"a short row; a cell beyond the header", "id,shape\na\nb,c,d\n", {"2: id=a", "3: id=b | shape=c | =d"}},
        {"no line end after the last row", "id\na", {"2: id=a"}},
        {"an unclosed quote runs to the end of the file", "id\nx\n\"a,\nb\n",
         {"2: id=x", "3: id=a,\nb\n !a quoted cell is never closed, so it runs to the end of the file"}},
        {"Windows-1252 when the bytes are not UTF-8", "id\nd\xE9j\xE0\n", {QString::fromUtf8("2: id=d\xC3\xA9j\xC3\xA0")}},
        {"a line longer than the parts read at once", "id\n" + long_line.toUtf8() + "\nb", {"2: id=" + long_line, "3: id=b"}},
        {"a header alone", "id,shape\r\n", {}},
        {"an unclosed quote in the header", "\"id,shape\n", {"error: row 1: the header row has a quoted cell that is never closed"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(trees(c.bytes), c.trees) << c.name;
}

TEST(TreeFile, ReadsJsonInEveryCommonForm)
{
    const Case cases[] = {
        {"an array: texts, numbers, true and null; an empty object is no tree",
         "[{\"id\":\"a\",\"berry_size\":9.5,\"young\":true,\"shape\":null}, {}, 5]",
         {"1: id=a | berry_size=9.5# | young=true", "3:  !a JSON object was expected"}},
        {"JSON Lines: blank lines skipped, a bad line fails alone",
         "{\"id\":\"a\"}\r\n\n{\"id\": }\n{\"id\":[1]}\n{\"id\":\"b\", \"berry_size\": 1e400}",
         {"1: id=a", "3:  !the JSON cannot be read at line 3, character 8: a value was expected: a text, a number, true, "
                     "false or null",
          "4:  !column \"id\": a text, a number, true, false or null was expected", "5: id=b | berry_size=1e400#"}},
        {"objects over several lines, as jq prints them; a key given twice",
         "{\n  \"id\": \"a\",\n  \"id\": \"b\"\n}\n{\n  \"id\": \"c\\u0000\\ud800\\n\"\n}\n",
         {"1: id=a | id=b again", u"5: id=c\0\xD800\n"_s}},
        {"after a broken object the next line starting with { is read", "{\"id\": \"a\n\"}\nx\n  {\"id\":\"b\"}\n",
         {"1:  !the JSON cannot be read at line 1, character 10: a line end or control character stands inside a "
          "text; write it as \\n, \\t or \\u00XX",
          "4: id=b"}},
        {"an array breaks off at a fault", "[{\"id\":\"a\"},\n{\"id\":\"b\",}]",
         {"1: id=a", "error: the JSON cannot be read at line 2, character 11: a column name in double quotes was "
                     "expected; the trees after it were not read"}},
        {"a number with a leading zero is no JSON number", "{\"berry_size\": 07}",
         {"1:  !the JSON cannot be read at line 1, character 16: \"07\" is not a number as JSON writes one"}},
        {"an array that never ends", "[{}", {"error: the JSON cannot be read at line 1, character 4: the file ends "
                                            "before the JSON does; the trees after it were not read"}},
        {"more after an array", "[{\"id\":\"a\"}] [", {"1: id=a", "error: the JSON cannot be read at line 1, "
                                                                 "character 14: more follows the end of the array"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(trees(c.bytes), c.trees) << c.name;
}

// Whatever a cell holds, the CSV results keep it in its cell.
TEST(TreeFile, CsvCellsReadBackAsWritten)
{
    const QStringList cells = {"plain", "a, b", "say \"x\"", "two\r\nlines", "lone\rCR", u"nul\0here"_s, " blank ",
                               u"\xD800,\xDFFF"_s, u"\U0001F333"_s, ""};
    QStringList written;
    for (const QString& c : cells)
        written << csv_cell(c);
    TextSource text(written.join(',') + "\r\nnext");
    CsvReader reader(text);
    CsvRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.fields, cells);
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.row, 2);
}

}  // namespace
}  // namespace qid::batch
