// Large and hostile species files: time and memory follow the bytes read, not the counts declared.
#include <fstream>
#include <set>
#include <string>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "identify/data_file.h"
#include "datagen.h"

namespace qid {
namespace {

const QString shipped = QStringLiteral(QID_SOURCE_DIR "/data/qid.dta");

long status_kb(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0)
            return std::stol(line.substr(key.size() + 1));
    return -1;
}

// How far the peak resident memory rises above the present while reading, in kB;
// -1 when the system cannot tell.
long peak_growth_kb(const std::function<void()>& work)
{
    if (!(std::ofstream("/proc/self/clear_refs") << "5"))  // resets the peak to the present
        return -1;
    const long before = status_kb("VmRSS");
    work();
    return before < 0 ? -1 : status_kb("VmHWM") - before;
}

TEST(LargeFile, AShortFileDeclaringTheLargestTablesIsRefusedAtOnce)
{
    // Seven empty lists, then 32767 species of 256 columns per table, and nothing more.
    const QByteArray file = "0\n0\n0\n0\n0\n0\n0\n32767,255,255,255";
    ASSERT_EQ(file.size(), 31);
    DataFileResult read;
    QElapsedTimer clock;
    clock.start();
    const long growth = peak_growth_kb([&] { read = read_data_bytes(file); });
    EXPECT_LT(clock.elapsed(), 1000);
    if (growth >= 0) {
        EXPECT_LT(growth, 16 * 1024) << "kB";  // the declared tables would take gigabytes
    }
    ASSERT_FALSE(read.data.has_value());
    EXPECT_EQ(std::tuple(read.error.line, read.error.field, read.error.problem),
              std::tuple(8, 0, QStringLiteral("the file ends before the name of species 1 of 32767")));
}

// A tenth of a file that declares 32767 species is refused, and reading it takes far less
// memory than reading the whole, which loads completely.
TEST(LargeFile, TheLargestGeneratedFileLoadsCompletelyInMemoryFollowingTheRecordsRead)
{
    const tools::ChoiceLists lists = tools::lists_of(shipped);
    ASSERT_FALSE(lists[0].isEmpty());
    const QByteArray file = tools::make_species_file(lists, 32767, 1);
    const long tenth = peak_growth_kb([&] { EXPECT_FALSE(read_data_bytes(file.left(file.size() / 10)).data); });
    DataFileResult read;
    const long whole = peak_growth_kb([&] { read = read_data_bytes(file); });
    if (whole > 0 && tenth >= 0) {
        EXPECT_LT(tenth, whole / 3) << tenth << " kB against " << whole << " kB";
    }
    ASSERT_TRUE(read.data.has_value()) << read.error.line << ": " << read.error.problem.toStdString();
    const SpeciesData& d = *read.data;
    EXPECT_EQ(std::tuple(d.species_count, d.lists), std::tuple(32767, lists));
    EXPECT_EQ(std::set<QString>(d.names.begin() + 1, d.names.end()).size(), 32767u);  // each name its own
    EXPECT_EQ(std::tuple(d.bud.rows(), d.leaf.rows(), d.fruit.rows()), std::tuple(32768, 32768, 32768));
    for (int i = 1; i <= 32767; i += 97) {
        const QString initial = d.fruit.at(i, 0).text();
        EXPECT_TRUE(initial.isEmpty() || lists[0].contains(initial)) << i;
        EXPECT_LE(d.fruit.at(i, 2).number(), d.fruit.at(i, 3).number()) << i;
    }
    // Deterministic: the same seed gives the same bytes, another seed others.
    EXPECT_EQ(tools::make_species_file(lists, 300, 1), tools::make_species_file(lists, 300, 1));
    EXPECT_NE(tools::make_species_file(lists, 300, 1), tools::make_species_file(lists, 300, 2));
}

}  // namespace
}  // namespace qid
