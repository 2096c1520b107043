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

// The arguments with a bare --why or --check-data given an empty value, so
// that the parser takes them with or without one ("--why=rubella").
QStringList with_optional_values(QStringList arguments)
{
    for (QString& a : arguments)
        if (a == QLatin1String("--why") || a == QLatin1String("--check-data"))
            a += QLatin1Char('=');
    return arguments;
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
    const QCommandLineOption why(
        QStringLiteral("why"),
        QStringLiteral("--why or --why=NAME: also says why each species, or the one named, was rejected, and after a "
                       "step that kept none which species came nearest."),
        QStringLiteral("name"));
    const QCommandLineOption suggest(QStringLiteral("suggest"),
                                     QStringLiteral("Also ranks the observations not yet made by how far they would "
                                                    "narrow the list."));
    const QCommandLineOption check(
        QStringLiteral("check-data"),
        QStringLiteral("--check-data or --check-data=FILE: checks a species file (by default the one --data names) "
                       "for records that cannot be right and species no recorded item tells apart, instead of "
                       "identifying trees. Exit status 0: nothing found, 1: something found."),
        QStringLiteral("file"));
    parser.addOptions({data, format, extend, report, why, suggest, check});
    parser.addPositionalArgument(QStringLiteral("trees"),
                                 QStringLiteral("CSV with a header row, a JSON array of objects, or JSON objects one after another; "
                                                "- reads standard input."));
    status = cannot_run;
    if (!parser.parse(with_optional_values(app.arguments()))) {
        say(parser.errorText());
        return std::nullopt;
    }
    if (parser.isSet(help))
        parser.showHelp(all_identified);
    if (parser.isSet(version))
        parser.showVersion();
    static const QStringList formats{QStringLiteral("table"), QStringLiteral("csv"), QStringLiteral("jsonl")};
    const qsizetype f = formats.indexOf(parser.value(format));
    QStringList files = parser.positionalArguments();
    Options o;
    o.check_data = parser.isSet(check);
    o.why = parser.isSet(why);
    o.why_name = parser.value(why);
    // A name or a species file to check may follow its option after a blank.
    if (o.why && o.why_name.isEmpty() && files.size() == 2)
        o.why_name = files.takeFirst();
    const QString checked = !parser.value(check).isEmpty() ? parser.value(check)
                          : o.check_data && files.size() == 1 ? files.takeFirst()
                                                               : QString();
    const std::size_t wanted = o.check_data ? 0 : 1;
    if (static_cast<std::size_t>(files.size()) != wanted || f < 0) {
        say(f < 0               ? QStringLiteral("The format must be table, csv or jsonl.")
            : o.check_data      ? QStringLiteral("--check-data checks one species file and reads no trees.")
                                : QStringLiteral("Name one file of trees (or - for standard input)."));
        say(parser.helpText());
        return std::nullopt;
    }
    o.data = !checked.isEmpty()   ? checked
           : parser.isSet(data) ? parser.value(data)
                                : platform::host().program_folder() + QStringLiteral("/qid.dta");
    o.trees = files.value(0);
    o.format = static_cast<Format>(f);
    o.extend = parser.isSet(extend);
    o.report = parser.value(report);
    o.suggest = parser.isSet(suggest);
    return o;
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
    if (!options)
        return status;
    return options->check_data ? check_species_file(*options) : run_batch(*options);
}
