// make_species_file COUNT SEED OUTPUT [LISTS_FROM]
// Writes a valid species data file of COUNT species (0..32767), the same
// bytes for the same seed, with the choice lists of LISTS_FROM (by default
// the shipped data/qid.dta).
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QFile>

#include "datagen.h"

int main(int argc, char** argv)
{
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: %s COUNT SEED OUTPUT [LISTS_FROM]\n", argv[0]);
        return 2;
    }
    const int count = std::atoi(argv[1]);
    if (count < 0 || count > 32767) {
        std::fprintf(stderr, "COUNT must be from 0 to 32767\n");
        return 2;
    }
    const QString lists_from = argc == 5 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral(QID_SOURCE_DIR "/data/qid.dta");
    const qid::tools::ChoiceLists lists = qid::tools::lists_of(lists_from);
    if (lists[0].isEmpty()) {
        std::fprintf(stderr, "cannot read the choice lists of %s\n", qPrintable(lists_from));
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[3]));
    if (!out.open(QIODevice::WriteOnly)
        || out.write(qid::tools::make_species_file(lists, count, std::stoull(argv[2]))) < 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
