// quenla-id-batch: identifies the trees of a CSV or JSON file against the
// species file, as the window would one at a time, and can write their
// reports into one PDF file. It never shows a window and needs no display.
#include <algorithm>
#include <cstdio>
#include <optional>

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

#include "batch/identify_trees.h"
#include "batch/tree_file.h"
#include "batch/tree_reports.h"
#include "batch/tree_results.h"
#include "identify/data_file.h"
#include "platform/fonts.h"
#include "platform/host.h"

namespace {

using namespace qid;
using namespace qid::batch;

// Exit statuses.
constexpr int all_identified = 0;
constexpr int some_failed = 1;  // some trees could not be identified; the others were
constexpr int cannot_run = 2;   // the arguments or a file prevented the whole run

void say(const QString& text)
{
    std::fputs(qUtf8Printable(text + QLatin1Char('\n')), stderr);
}

struct Options {
    QString trees;
    QString data;
    Format format = Format::table;
    bool extend = false;
    QString report;
};

// The options, or the status to end with when there are none to run on.
std::optional<Options> parse(const QCoreApplication& app, int& status)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Identifies trees of the genus Quenla, as three presses of NEXT in Quenla ID would, one tree per row."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption data({QStringLiteral("d"), QStringLiteral("data")},
                                  QStringLiteral("The species file (default: the program's qid.dta)."),
                                  QStringLiteral("file"));
    const QCommandLineOption format({QStringLiteral("f"), QStringLiteral("format")},
                                    QStringLiteral("How the results are written: table (the default), csv or jsonl."),
                                    QStringLiteral("format"), QStringLiteral("table"));
    const QCommandLineOption extend({QStringLiteral("e"), QStringLiteral("extend")},
                                    QStringLiteral("Widens every size range by 20 %, as EXTEND does."));
    const QCommandLineOption report({QStringLiteral("r"), QStringLiteral("report")},
                                    QStringLiteral("Writes the report of every tree into this PDF file."),
                                    QStringLiteral("file"));
    parser.addOptions({data, format, extend, report});
    parser.addPositionalArgument(QStringLiteral("trees"),
                                 QStringLiteral("CSV with a header row, a JSON array of objects, or JSON Lines; "
                                                "- reads standard input."));
    status = cannot_run;
    if (!parser.parse(app.arguments())) {
        say(parser.errorText());
        return std::nullopt;
    }
    if (parser.isSet(help))
        parser.showHelp(all_identified);
    if (parser.isSet(version))
        parser.showVersion();
    static const QStringList formats{QStringLiteral("table"), QStringLiteral("csv"), QStringLiteral("jsonl")};
    const qsizetype f = formats.indexOf(parser.value(format));
    if (parser.positionalArguments().size() != 1 || f < 0) {
        say(f < 0 ? QStringLiteral("The format must be table, csv or jsonl.")
                  : QStringLiteral("Name one file of trees (or - for standard input)."));
        say(parser.helpText());
        return std::nullopt;
    }
    const QString species = parser.isSet(data) ? parser.value(data)
                                               : platform::host().program_folder() + QStringLiteral("/qid.dta");
    return Options{parser.positionalArguments().front(), species, static_cast<Format>(f), parser.isSet(extend),
                   parser.value(report)};
}

std::optional<QByteArray> read_all(const QString& name)
{
    QFile file;
    const bool opened = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                    : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!opened)
        return std::nullopt;
    return file.readAll();
}

// The trees of the file, every problem of a row said with the file's name;
// nothing when the file cannot be read at all.
std::optional<std::vector<Tree>> read_trees(const Options& o, const std::array<QStringList, 7>& lists)
{
    const std::optional<QByteArray> bytes = read_all(o.trees);
    const TreeFile file = bytes ? read_tree_file(*bytes) : TreeFile{{}, QStringLiteral("the file cannot be read")};
    if (!file.error.isEmpty()) {
        say(o.trees + QStringLiteral(": ") + file.error);
        return std::nullopt;
    }
    std::vector<Tree> trees;
    for (const TreeRecord& record : file.records) {
        trees.push_back(read_tree(record, lists, o.extend));
        for (const QString& e : trees.back().errors)
            say(o.trees + QStringLiteral(": ") + e);
    }
    return trees;
}

// The reports, when asked for and there is a tree to report on; false when
// the file cannot be written.
bool report(const Options& o, const SpeciesTable& table, const std::vector<Tree>& trees,
            const std::vector<CascadeResult>& results, int failed)
{
    if (o.report.isEmpty())
        return true;
    if (failed == static_cast<int>(trees.size())) {
        say(QStringLiteral("No report was written: no tree was identified."));
        return true;
    }
    QString problem;
    if (write_reports(o.report, table, trees, results, problem))
        return true;
    say(QStringLiteral("The report '%1' cannot be written: %2.").arg(o.report, problem));
    return false;
}

int run(const Options& o)
{
    const DataFileResult species = read_data_file(o.data);
    if (!species.data) {
        say(QStringLiteral("The species data file '%1' cannot be used.\n%2.")
                .arg(o.data, describe_error(species.error)));
        return cannot_run;
    }
    const std::optional<std::vector<Tree>> trees = read_trees(o, species.data->lists);
    if (!trees)
        return cannot_run;
    const std::vector<CascadeResult> results = identify_trees(*species.data, *trees);
    std::fputs(qUtf8Printable(format_results(o.format, *species.data, *trees, results)), stdout);
    std::fflush(stdout);
    const auto failed = std::count_if(trees->begin(), trees->end(), [](const Tree& t) { return !t.errors.isEmpty(); });
    if (!report(o, *species.data, *trees, results, static_cast<int>(failed)))
        return cannot_run;
    if (failed > 0)
        say(QStringLiteral("%1 of %2 trees could not be identified.").arg(failed).arg(trees->size()));
    return failed > 0 ? some_failed : all_identified;
}

}  // namespace

int main(int argc, char** argv)
{
    // Reports are composed with the widgets' application object, which
    // needs no display on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // What Qt remarks on the session while it sets the platform up (such as
    // a missing runtime folder when run as root) is nothing to a user of a
    // program without windows.
    const QtMessageHandler before = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    qInstallMessageHandler(before);
    QCoreApplication::setApplicationName(QStringLiteral("quenla-id-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QID_VERSION));
    platform::install_font_substitutes();
    int status = all_identified;
    const std::optional<Options> options = parse(app, status);
    return options ? run(*options) : status;
}
