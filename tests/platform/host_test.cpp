// Where the program finds its folder: beside the executable, or where an
// installation put it.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/host.h"

namespace {

struct FolderCase {
    const char* what;
    // What exists besides bin/: b bin/qid.dta, s share/quenla-id/qid.dta,
    // d a folder bin/qid.dta, i an empty share/quenla-id.
    const char* present;
    const char* expected;  // under the temporary root
};

TEST(ProgramFolder, IsBesideTheExecutableElseTheInstalledOne)
{
    const FolderCase cases[] = {
        {"a build or a folder copied whole", "b", "bin"},
        {"an installed program", "s", "share/quenla-id"},
        {"both: the one beside comes first", "bs", "bin"},
        {"a folder named qid.dta is no data file", "ds", "share/quenla-id"},
        {"installed without qid.dta: start-up names it there", "i", "share/quenla-id"},
        {"nothing: start-up names the file beside the executable", "", "bin"},
    };
    for (const FolderCase& c : cases) {
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QDir dir(root.path());
        dir.mkpath("bin");
        for (const char* f = c.present; *f; ++f) {
            if (*f != 'b')
                dir.mkpath(*f == 'd' ? "bin/qid.dta" : "share/quenla-id");
            if (*f == 'b' || *f == 's') {
                QFile data(root.filePath(*f == 'b' ? "bin/qid.dta" : "share/quenla-id/qid.dta"));
                ASSERT_TRUE(data.open(QIODevice::WriteOnly));
            }
        }
        EXPECT_EQ(qid::platform::program_folder_of(root.filePath("bin")), root.filePath(c.expected)) << c.what;
    }
}

}  // namespace
