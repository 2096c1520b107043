// The batch tool as a user runs it: its results, messages, exit status and the PDF of its reports.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include "support/pdf_text.h"
#include "support/qt_print.h"

namespace {

struct ToolRun {
    int status = -1;
    QString out, err;
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
    const char* readme[3][3] = {
        {"frutescens rubella coccinea kermesina pendula incerta fusca", "frutescens rubella incerta", "frutescens"},
        {"aurantiaca crocea obscura ambigua tardiflora velutina glutinosa", "aurantiaca crocea ambigua glutinosa",
         "aurantiaca crocea"},
        {"kermesina incerta nigra atrata carbonaria fusca nana", "incerta nigra carbonaria", "nigra carbonaria"}};
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
            EXPECT_EQ(steps[s]["species"].toVariant().toStringList().join(' '), readme[t][s]) << "example " << t + 1;
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
    const struct { QByteArray row; const char *result, *said = ""; } rows[] = {  // the result in CSV
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
    // A file broken off after a tree that was identified is no full success either.
    EXPECT_EQ(batch({"-"}, "[{\"berry_size\": 9},\n{\"berry_size\": 9,}]").status, 1);
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
    const struct { QStringList args; QByteArray input; QString said; } cases[] = {
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
        {{"--why=nosuch", examples}, "", "There is no species 'nosuch' in the species file"},
        {{"--check-data", "qid.dta", examples}, "", "--check-data checks one species file and reads no trees."},
        {{"--check-data=" + broken.fileName()}, "", "The species data file '" + broken.fileName() + "' cannot be used."},
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

// Ten leaflet pairs, which no red-berried species has, and red berries of 9 mm with dark green leaves.
TEST(BatchTool, SaysWhyNotWhatIsNearestAndWhatToLookAtNext)
{
    const QByteArray trees = header + "ten,,RED,,,9,DARK GREEN,,,,,10\r\nred,,RED,,,9,DARK GREEN\r\n";
    const struct { QStringList args; std::vector<const char*> said; } cases[] = {
        {{"--why", "-"}, {"  nearest at FRUIT and LEAF:\n    incerta, 1 item, EXTEND keeps it: leaflet pairs: observed 10, "
                          "recorded 6 to 9, accepted 6 to 9\n    rubella, 1 item: leaflet pairs",
                          "\n    sanguinea (FRUIT): berry size: observed 9 mm, recorded 10 to 14 mm, accepted 10 to 14 mm\n"}},
        {{"--why", "Quenla Rubella", "-"}, {"  why not:\n    rubella (FRUIT and LEAF): leaflet pairs: observed 10, recorded 6 "
                                             "to 8, accepted 6 to 8\n", "  why not:\n    rubella: kept\n"}},
        {{"--suggest", "-f", "csv", "-"}, {",errors,suggest\r\n", ",\"bud hairs 1.5 of 4: FEW HAIRS keeps 1, HAIRY keeps 1, "
                                                                 "HAIRLESS keeps 2 | bud length 2.1 of 4: 7 mm keeps 2,"}},
        {{"--why=incerta", "--suggest", "-f", "jsonl", "-"}, {"\"nearest\":[{\"extend_keeps\":true,\"failed\":1,",
                                                            "\"suggest\":[],\"why\":[{\"reasons\":[{\"accepted\":\"6 to 9\"",
                                                            "\"suggest\":[{\"expected_left\":1.5,\"item\":\"bud hairs\""}},
    };
    for (const auto& c : cases) {
        const ToolRun run = batch(c.args, trees);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        for (const char* said : c.said)
            EXPECT_TRUE(run.out.contains(said)) << said << "\nin\n" << run.out.toStdString();
        EXPECT_FALSE(c.args[1].startsWith("Quenla") && run.out.contains("sanguinea"));
    }
}

// The shipped file: two species recorded alike, two that record too little to be told from nana.
TEST(BatchTool, ChecksASpeciesFileAndSaysWhetherItFoundAnything)
{
    const QString shipped = QID_SOURCE_DIR "/data/qid.dta";
    const ToolRun run = batch({"--check-data", shipped});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, shipped + ": 49 species checked: 0 records that cannot be right, 3 pairs that cannot be "
                                 "told apart.\nlines 18 and 20: Quenla aurantiaca and Quenla flammea: no recorded item "
                                 "tells them apart: every item agrees or overlaps\nlines 32 and 53: Quenla lutescens "
                                 "and Quenla nana: no recorded item tells them apart; recorded in only one of them or in "
                                 "neither: initial colour, final colour, colour above, colour below, bud hairs, sticky, "
                                 "leaf length\nlines 35 and 53: Quenla viridula and Quenla nana: no recorded item tells "
                                 "them apart; recorded in only one of them or in neither: initial colour, final colour, "
                                 "colour above, colour below, bud hairs, sticky, leaf length\n");
    QTemporaryFile two;
    ASSERT_TRUE(two.open());
    QFile whole(shipped);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = whole.readAll().split('\n');
    two.write(lines.mid(0, 7).join('\n') + "\n2,3,9,4\n" + lines[8] + "\n" + lines[9] + "\n");
    two.close();
    const ToolRun clean = batch({"--check-data=" + two.fileName(), "-f", "csv"});
    EXPECT_EQ(std::tuple(clean.status, clean.out, clean.err),
              std::tuple(0, QString("kind,line,species,other_line,other_species,detail\r\n"),
                         two.fileName() + ": 2 species checked: 0 records that cannot be right, 0 pairs that cannot be "
                                          "told apart.\n"));
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
