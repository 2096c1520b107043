// The batch tool as a user runs it: its results, messages, exit status and
// the PDF of its reports.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/pdf_text.h"
#include "support/qt_print.h"

namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun batch(const QStringList& args, const QByteArray& input = {})
{
    QProcess p;
    p.start(QStringLiteral(QID_BATCH_TOOL), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

const QString examples = QStringLiteral(QID_SOURCE_DIR "/data/examples.csv");
const QByteArray header = "id,young,initial_colour,final_colour,shape,berry_size,colour_above,colour_below,"
                          "leaf_length,leaflet_width,leaflet_length,leaflet_pairs,bud_colour,bud_hairs,sticky,"
                          "bud_length\r\n";

TEST(BatchTool, TheReadmeExamplesGiveTheReadmeLists)
{
    const std::vector<std::vector<QStringList>> readme = {
        {{"frutescens", "rubella", "coccinea", "kermesina", "pendula", "incerta", "fusca"},
         {"frutescens", "rubella", "incerta"},
         {"frutescens"}},
        {{"aurantiaca", "crocea", "obscura", "ambigua", "tardiflora", "velutina", "glutinosa"},
         {"aurantiaca", "crocea", "ambigua", "glutinosa"},
         {"aurantiaca", "crocea"}},
        {{"kermesina", "incerta", "nigra", "atrata", "carbonaria", "fusca", "nana"},
         {"incerta", "nigra", "carbonaria"},
         {"nigra", "carbonaria"}}};
    const ToolRun run = batch({"--format", "jsonl", examples});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    for (int t = 0; t < 3; ++t) {
        const QJsonObject tree = QJsonDocument::fromJson(lines[t].toUtf8()).object();
        EXPECT_EQ(std::tuple(tree["row"].toInt(), tree["status"].toString()), std::tuple(t + 2, QString("identified")));
        const QJsonArray steps = tree["steps"].toArray();
        ASSERT_EQ(steps.size(), 3);
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(steps[s]["species"].toVariant().toStringList(), readme[t][s]) << "example " << t + 1;
    }
    // The readable table says the same.
    const ToolRun table = batch({examples});
    EXPECT_TRUE(table.out.contains("  FRUIT, LEAF and BUD    2  aurantiaca, crocea\n")) << table.out.toStdString();
}

TEST(BatchTool, BadRowsAreNamedAndTheOthersAreStillIdentified)
{
    QTemporaryDir dir;
    QFile species(dir.filePath("qid.dta"));  // two species with every berry recorded
    ASSERT_TRUE(species.open(QIODevice::WriteOnly));
    species.write("2,\"RED\",\"BLACK\"\n2,\"UNCHANGED\",\"RED\"\n2,\"DARK GREEN\",\"BRONZE\"\n1,\"AS ABOVE\"\n0\n0\n0\n"
                  "2,3,9,4\n\"alpha\",,,,0,\"DARK GREEN\",\"AS ABOVE\",0,0,0,0,0,0,0,0,\"RED\",\"UNCHANGED\",7,10,#TRUE#\n"
                  "\"beta\",,,,0,,,0,0,0,0,0,0,0,0,\"BLACK\",\"UNCHANGED\",5,8,#TRUE#\n");
    species.close();
    const struct {
        QByteArray row;
        const char* result;  // in CSV
        const char* said = "";
    } rows[] = {
        {"a,,RED,,,9", "2,a,identified,,alpha,alpha,alpha,\r\n"},
        {"b,,TEAL,,,99999", "3,b,error,,,,,\"row 3, column initial_colour: \"\"TEAL\"\" is not in the INITIAL",
         "-: row 3, column berry_size: 99999 is out of range"},
        {"c,,,RED", "4,c,identified,,alpha; beta,", "-: row 4, column final_colour: \"RED\" is not used"},
        {",,,", nullptr},
        {"d,,RED,,,9,BRONZE", "6,d,no trees,FRUIT and LEAF,alpha,,,\r\n"},
        {"\"e\r\nf\",,RED,,,99", "7,\"e\r\nf\",no trees,FRUIT,,,,\r\n"},
    };
    QByteArray trees = header;
    for (const auto& r : rows)
        trees += r.row + "\r\n";
    const ToolRun run = batch({"--data", species.fileName(), "--format", "csv", "-"}, trees);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.endsWith("1 of 5 trees could not be identified.\n")) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("row,id,status,stopped_at,fruit,fruit_and_leaf,fruit_leaf_and_bud,errors\r\n"));
    for (const auto& r : rows) {
        EXPECT_TRUE(r.result ? run.out.contains(QString("\r\n") + r.result) : !run.out.contains("\r\n5,")) << r.row.data();
        EXPECT_TRUE(run.err.contains(r.said)) << r.said;
    }
    const ToolRun extended = batch({"--extend", "-"}, header + "d\x01,,RED,,,9,BRONZE\r\n");
    EXPECT_TRUE(extended.out.startsWith("row 2: d\\x01\n  FRUIT ")) << extended.out.toStdString();
    EXPECT_TRUE(extended.out.contains("  FRUIT and LEAF         0  There are no trees which match the entered FRUIT "
                                      "and LEAF data!\n"));
    EXPECT_TRUE(extended.out.contains("sanguinea")) << "the extended berry range holds it";
}

// Nothing is identified, nothing is written on standard output, no report is
// left behind, and the status is 2.
TEST(BatchTool, ARunThatCannotIdentifyAnythingSaysWhy)
{
    QTemporaryDir dir;
    QFile broken(dir.filePath("qid.dta"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("2,\"RED\"\n");
    broken.close();
    const QString pdf = dir.filePath("r.pdf");
    const QString trees = dir.filePath("trees.csv");
    ASSERT_TRUE(QFile::copy(examples, trees));
    const QString expected = "A file of trees is CSV with a header row naming its columns, a JSON array of objects, "
                             "or JSON objects one after another (such as JSON Lines).";
    const struct {
        QStringList args;
        QByteArray input;
        QString said;
    } cases[] = {
        {{dir.filePath("none.csv")}, "", dir.filePath("none.csv") + ": the file cannot be read: No such file or directory."},
        {{dir.path()}, "", dir.path() + ": the file cannot be read: Is a directory."},
        {{"--data", broken.fileName(), examples}, "", "The species data file '" + broken.fileName() + "' cannot be used.\n"
                                                      "Line 1: The file ends before entry 2 of the list INITIAL COLOUR."},
        {{"--format", "xml", examples}, "", "The format must be table, csv or jsonl."},
        {{}, "", "Name one file of trees (or - for standard input)."},
        {{"--colour", examples}, "", "Unknown option 'colour'."},
        {{"-r", dir.filePath("no/r.pdf"), examples}, "", "The report '" + dir.filePath("no/r.pdf") + "' cannot be "
                                                         "written: No such file or directory."},
        {{"-r", trees, trees}, "", "The report '" + trees + "' cannot be written: it is the file of trees."},
        {{"-"}, "", "-: the file holds no text. " + expected},
        {{"-"}, " \r\n,\n", "-: the file holds no text. " + expected},
        {{"-"}, "abc\n", "-: the header row \"abc\" names none of the columns (id, young, "},
        {{"-"}, "id,berry_size\n,\n", "-: no row after the header row holds a tree. " + expected},
        {{"-"}, "[{}, {\"id\": null}]", "-: the JSON array holds no object with a tree. " + expected},
        {{"-"}, "{}\n", "-: no JSON object holds a tree. " + expected},
        {{"-"}, "[{}", "-: the JSON cannot be read at line 1, character 4: the file ends before the JSON does; the "
                       "trees after it were not read. " + expected},
        {{"-f", "csv", "-"}, "[{\"shape\": \"round\"}]", "-: row 1, column shape: \"round\" is neither spherical nor "
                                                         "ellipsoidal\nNo report was written: no tree was identified.\n1 of 1 trees could not be identified.\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = batch(QStringList{"--report", pdf} + c.args, c.input);
        EXPECT_EQ(run.status, 2) << c.said.toStdString();
        EXPECT_TRUE(run.err.contains(c.said)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty() || c.args.first() == "-f") << run.out.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
    QProcess closed;  // standard output closed
    closed.start("sh", {"-c", "exec \"$0\" \"$1\" >&-", QID_BATCH_TOOL, examples});
    closed.waitForFinished();
    EXPECT_EQ(closed.exitCode(), 2);
    EXPECT_EQ(closed.readAllStandardError(), "The results cannot be written to standard output: Bad file descriptor.\n");
}

// The report of each tree, in the order of the rows, each page on a sheet of
// its own: example 1 on one page; a tree with nothing entered, whose 49
// species go on over a second page; a tree that found no trees at the leaf
// step; a row that could not be read, which has none; example 3.
TEST(BatchTool, TheReportsPdfHoldsEveryTreesReportInOrder)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("reports.pdf");
    QFile file(examples);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    const QByteArray trees = rows[0] + "\n" + rows[1] + "\nnothing\nleaf,,RED,,,9,BRONZE\nbad,,TEAL\n" + rows[3] + "\n";
    const ToolRun run = batch({"--report", pdf, "-"}, trees);
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    ASSERT_EQ(qid::testing::pdf_pages(pdf), 5);
    const QStringList pages = qid::testing::tool_output("pdftotext", {pdf, "-"}).split('\f');
    const auto has = [&](int p, const char* text) { return pages[p].contains(text); };
    for (int p = 0; p < 5; ++p)
        EXPECT_TRUE(has(p, "Kelbine identification") && has(p, "SELECTED TREES")) << p;
    EXPECT_TRUE(has(0, "Colour: RED") && has(0, "Sticky? YES Length = 8mm") && has(0, "Quenla frutescens"));
    EXPECT_TRUE(has(1, "Tree type is normal") && has(1, "Shape: spherical") && has(1, "Quenla frutescens"));
    EXPECT_FALSE(has(2, "FRUIT") || has(2, "Quenla frutescens"));
    EXPECT_EQ(pages[1].count("Quenla ") + pages[2].count("Quenla "), 49);
    EXPECT_TRUE(has(2, "Quenla lanuginosa"));
    EXPECT_TRUE(has(3, "Colour above : BRONZE") && !has(3, "Quenla "));
    EXPECT_TRUE(has(4, "Colour: BLACK") && has(4, "Hairs: WOOLLY") && has(4, "Quenla nigra\nQuenla carbonaria"));
}

}  // namespace
