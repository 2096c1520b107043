// The trees of CSV and JSON files as read, before their cells are understood.
#include <gtest/gtest.h>

#include "batch/tree_file.h"
#include "support/qt_print.h"

namespace qid::batch {
namespace {

// Each tree as "row: column=text | ...", its cells with text only, then
// " !" and each problem.
QStringList trees(const QByteArray& bytes)
{
    QStringList out;
    for (const TreeRecord& r : read_tree_file(bytes).records) {
        QStringList cells;
        for (const TreeCell& c : r.cells)
            if (!c.text.isEmpty())
                cells << c.column + "=" + c.text;
        out << QString::number(r.row) + ": " + cells.join(" | ") + (r.problems.isEmpty() ? "" : " !" + r.problems.join(" !"));
    }
    return out;
}

struct Case {
    const char* name;
    QByteArray bytes;
    QStringList trees;
};

TEST(TreeFile, ReadsCsvAsSpreadsheetsSaveIt)
{
    const Case cases[] = {
        {"quoted commas and doubled quotes", "id,shape\r\n\"a, b\",\"say \"\"x\"\"\"\r\n", {"2: id=a, b | shape=say \"x\""}},
        {"CR LF, LF and CR alone end rows", "id\r\na\nb\rc\r\n", {"2: id=a", "3: id=b", "4: id=c"}},
        {"a line end inside quotes stays in its cell; rows count records", "id,shape\n\"x\r\ny\",s\nz,\n",
         {"2: id=x\r\ny | shape=s", "3: id=z"}},
        {"a quote inside an unquoted cell is a character", "id\nab\"c\n", {"2: id=ab\"c"}},
        {"a byte-order mark before the header", "\xEF\xBB\xBFid,shape\nq,s\n", {"2: id=q | shape=s"}},
        {"rows of empty cells are no trees, but count", "id,young,shape\na,,\n,,\n\n,,e\n", {"2: id=a", "5: shape=e"}},
        {"a short row; a cell beyond the header", "id,shape\na\nb,c,d\n", {"2: id=a", "3: id=b | shape=c | =d"}},
        {"no line end after the last row", "id\na", {"2: id=a"}},
        {"an unclosed quote runs to the end of the file", "id\nx\n\"a,\nb\n",
         {"2: id=x", "3: id=a,\nb\n !a quoted cell is never closed, so it runs to the end of the file"}},
        {"Windows-1252 when the bytes are not UTF-8", "id\nd\xE9j\xE0\n", {QString::fromUtf8("2: id=d\xC3\xA9j\xC3\xA0")}},
        {"a header alone", "id,shape\r\n", {}},
        {"nothing at all", "", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(trees(c.bytes), c.trees) << c.name;
}

TEST(TreeFile, ReadsJsonArraysAndJsonLines)
{
    const Case cases[] = {
        {"an array: texts, numbers, true and null; an empty object is no tree",
         "[{\"id\":\"a\",\"berry_size\":9.5,\"young\":true,\"shape\":null}, {}, 5]",
         {"1: berry_size=9.5 | id=a | young=true", "3:  !a JSON object was expected"}},
        {"lines: blank ones skipped, a bad one fails alone",
         "{\"id\":\"a\"}\r\n\n{\"id\": }\n{\"id\":[1]}\n{\"id\":\"b\", \"berry_size\": 12}",
         {"1: id=a", "3:  !the JSON cannot be read at character 9: object is missing after a comma",
          "4:  !column \"id\": a text, a number, true, false or null was expected", "5: berry_size=12 | id=b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(trees(c.bytes), c.trees) << c.name;
}

TEST(TreeFile, AFileThatCannotBeReadAtAllSaysWhy)
{
    EXPECT_EQ(read_tree_file("[{\"id\":1},").error, "the JSON cannot be read at character 11: unterminated array");
    EXPECT_EQ(read_tree_file("\"id,shape\n").error, "row 1: the header row has a quoted cell that is never closed");
    EXPECT_TRUE(read_tree_file("id\na\n").error.isEmpty());
}

}  // namespace
}  // namespace qid::batch
