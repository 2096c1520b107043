// quenla-id-batch: identifies the trees of a CSV or JSON file against the
// species file, as the window would one at a time, and can write their
// reports into one PDF file. It never shows a window and needs no display.
#include <cstdio>
#include <optional>

#include <QApplication>
#include <QCommandLineParser>

#include "batch/batch_run.h"
#include "platform/fonts.h"
#include "platform/host.h"

namespace {

using namespace qid;
using namespace qid::batch;

void say(const QString& text)
{
    std::fputs(qUtf8Printable(text + QLatin1Char('\n')), stderr);
}

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
                                 QStringLiteral("CSV with a header row, a JSON array of objects, or JSON objects one after another; "
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

}  // namespace

int main(int argc, char** argv)
{
    if (const QString problem = output_problem(); !problem.isEmpty()) {
        say(problem);
        return cannot_run;
    }
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
    return options ? run_batch(*options) : status;
}
