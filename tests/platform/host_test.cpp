// Where the program finds its folder: beside the executable, or where an installation put it.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/host.h"

namespace {

TEST(ProgramFolder, IsBesideTheExecutableElseTheInstalledOne)
{
    // What exists besides bin/ (folders end in "/"), and the folder chosen.
    const std::pair<QStringList, const char*> cases[] = {
        {{"bin/qid.dta"}, "bin"},  // a build, or a folder copied whole
        {{"share/quenla-id/qid.dta"}, "share/quenla-id"},
        {{"bin/qid.dta", "share/quenla-id/qid.dta"}, "bin"},
        {{"bin/qid.dta/", "share/quenla-id/qid.dta"}, "share/quenla-id"},
        {{"share/quenla-id/"}, "share/quenla-id"},  // start-up names the missing file there
        {{}, "bin"},
    };
    for (const auto& [present, expected] : cases) {
        QTemporaryDir root;
        QDir(root.path()).mkpath("bin");
        for (const QString& path : present)
            ASSERT_TRUE(path.endsWith('/') ? QDir(root.path()).mkpath(path)
                                           : QDir(root.path()).mkpath(QFileInfo(path).path()) &&
                                                 QFile(root.filePath(path)).open(QIODevice::WriteOnly));
        EXPECT_EQ(qid::platform::program_folder_of(root.filePath("bin")), root.filePath(expected))
            << present.join(' ').toStdString();
    }
}

}  // namespace
