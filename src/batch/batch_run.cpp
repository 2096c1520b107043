#include "batch/batch_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <thread>

#include <QFile>
#include <QFileInfo>

#include "batch/data_check_report.h"
#include "batch/shown_text.h"
#include "batch/tree_file.h"
#include "batch/tree_reports.h"
#include "identify/data_file.h"

namespace qid::batch {

namespace {

void say(const QString& text)
{
    std::fputs(qUtf8Printable(text + QLatin1Char('\n')), stderr);
}

QString system_reason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

const QString expected = QStringLiteral(
    "A file of trees is CSV with a header row naming its columns, a JSON array of objects, or JSON objects one "
    "after another (such as JSON Lines).");

// Why a file of trees cannot be used at all, said before a tree is
// identified; empty when it may hold trees.
QString unusable(const TreeStream& stream)
{
    if (stream.form() == TreeStream::Form::empty)
        return stream.error().isEmpty() ? QStringLiteral("the file holds no text") : stream.error();
    if (stream.form() != TreeStream::Form::csv)
        return {};
    if (!stream.error().isEmpty())
        return stream.error();
    const QStringList& header = stream.header();
    if (std::none_of(header.begin(), header.end(), is_tree_column))
        return QStringLiteral("the header row %1 names none of the columns (%2)")
            .arg(quoted(header.join(QLatin1Char(','))), tree_columns().join(QStringLiteral(", ")));
    return {};
}

// Why a file that could be read held no tree.
QString no_trees(const TreeStream& stream)
{
    switch (stream.form()) {
    case TreeStream::Form::csv: return QStringLiteral("no row after the header row holds a tree");
    case TreeStream::Form::json_array: return QStringLiteral("the JSON array holds no object with a tree");
    default: return QStringLiteral("no JSON object holds a tree");
    }
}

class BatchRun {
public:
    BatchRun(const Options& o, const SpeciesTable& table, const std::array<QStringList, 7>& lists,
             const TreeExplainer* explainer)
        : o_(o), name_(escaped(o.trees)), table_(table), lists_(lists), explainer_(explainer)
    {
    }

    int run(QFile& file)
    {
        QString problem = input_named(o_.report);
        if (!o_.report.isEmpty() && (!problem.isEmpty() || !report_.open(o_.report, problem))) {
            say(QStringLiteral("The report '%1' cannot be written: %2.").arg(escaped(o_.report), problem));
            return cannot_run;
        }
        TextSource text(file);
        TreeStream stream(text);
        if (const QString why = unusable(stream); !why.isEmpty())
            return stop(why + QStringLiteral(". ") + expected);
        identify(stream);
        if (!written_)
            return stop(QStringLiteral("The results cannot be written to standard output: %1.").arg(write_error_),
                        false);
        if (trees_ == 0)
            return stop((stream.error().isEmpty() ? no_trees(stream) : stream.error()) + QStringLiteral(". ") +
                        expected);
        if (!stream.error().isEmpty())
            say(name_ + QStringLiteral(": ") + stream.error() + QLatin1Char('.'));
        return finish(!stream.error().isEmpty());
    }

private:
    // Why a report must not be written into this file: it is a file the run
    // reads, which the report would replace.
    QString input_named(const QString& report) const
    {
        const QString file = QFileInfo(report).canonicalFilePath();
        if (file.isEmpty())
            return {};
        if (file == QFileInfo(o_.trees).canonicalFilePath())
            return QStringLiteral("it is the file of trees");
        if (file == QFileInfo(o_.data).canonicalFilePath())
            return QStringLiteral("it is the species file");
        return {};
    }

    // Reads, identifies and writes tree after tree, with a bounded number in
    // flight. The trees are read on a thread of their own, so that each
    // result goes out as soon as it and those before it are done, even while
    // the next tree is still on its way; the results and reports are written
    // here, on the thread of the application object the reports need.
    void identify(TreeStream& stream)
    {
        IdentifyQueue queue(table_);
        std::jthread reader([&] {
            TreeRecord record;
            while (stream.next(record) && queue.push(read_tree(record, lists_, o_.extend))) {
            }
            queue.close();
        });
        TreeResult result;
        while (queue.pop(result)) {
            write(result);
            if (!written_)
                queue.stop();
        }
    }

    void write(const TreeResult& result)
    {
        for (const QString& e : result.tree.errors + result.tree.warnings)
            say(name_ + QStringLiteral(": ") + e);
        const QByteArray out = format_result(o_.format, table_, result, trees_ == 0, explainer_).toUtf8();
        if (std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout) != std::size_t(out.size()) ||
            std::fflush(stdout) != 0)
            return failed_to_write();
        ++trees_;
        if (!result.tree.errors.isEmpty())
            ++failed_;
        else if (!o_.report.isEmpty())
            report_.add(table_, result);
    }

    void failed_to_write()
    {
        write_error_ = system_reason();
        written_ = false;
    }

    // Ends a run in which no tree was identified.
    int stop(const QString& why, bool about_the_file = true)
    {
        say(about_the_file ? name_ + QStringLiteral(": ") + why : why);
        QString problem;
        report_.close(problem);
        return cannot_run;
    }

    int finish(bool broken_off)
    {
        QString problem;
        const bool reported = report_.close(problem);
        if (!reported)
            say(QStringLiteral("The report '%1' cannot be written: %2.").arg(escaped(o_.report), problem));
        else if (!o_.report.isEmpty() && report_.reports() == 0)
            say(QStringLiteral("No report was written: no tree was identified."));
        if (failed_ > 0)
            say(QStringLiteral("%1 of %2 trees could not be identified.").arg(failed_).arg(trees_));
        if (!reported || failed_ == trees_)
            return cannot_run;
        return failed_ > 0 || broken_off ? some_failed : all_identified;
    }

    const Options& o_;
    const QString name_;
    const SpeciesTable& table_;
    const std::array<QStringList, 7>& lists_;
    const TreeExplainer* explainer_;
    ReportFile report_;
    int trees_ = 0;
    int failed_ = 0;
    bool written_ = true;
    QString write_error_;
};

}  // namespace

QString output_problem()
{
    const int flags = fcntl(STDOUT_FILENO, F_GETFL);
    if (flags < 0)
        return QStringLiteral("The results cannot be written to standard output: %1.").arg(system_reason());
    if ((flags & O_ACCMODE) == O_RDONLY)
        return QStringLiteral("The results cannot be written to standard output: it is open for reading only.");
    return {};
}

// The species file, or nothing when it cannot be used (said).
std::optional<SpeciesData> read_species(const QString& path)
{
    DataFileResult species = read_data_file(path);
    if (!species.data)
        say(QStringLiteral("The species data file '%1' cannot be used.\n%2.")
                .arg(escaped(path), describe_error(species.error)));
    return std::move(species.data);
}

int run_batch(const Options& o)
{
    const std::optional<SpeciesData> species = read_species(o.data);
    if (!species)
        return cannot_run;
    ExplainRequest request{o.why, 0, o.suggest};
    if (!o.why_name.isEmpty() && (request.why_species = find_species(*species, o.why_name)) == 0) {
        say(QStringLiteral("There is no species '%1' in the species file '%2'.").arg(escaped(o.why_name), escaped(o.data)));
        return cannot_run;
    }
    std::optional<ItemIndex> index;
    std::optional<TreeExplainer> explainer;
    if (o.why || o.suggest)
        explainer.emplace(index.emplace(*species), request);
    QFile file;
    const bool opened = o.trees == QLatin1String("-")
                            ? file.open(STDIN_FILENO, QIODevice::ReadOnly)
                            : (file.setFileName(o.trees), file.open(QIODevice::ReadOnly));
    if (!opened) {
        // Qt finds a folder out itself, with words of its own; the system's are the user's.
        const QString reason = QFileInfo(o.trees).isDir() ? QString::fromLocal8Bit(std::strerror(EISDIR))
                                                          : file.errorString();
        say(QStringLiteral("%1: the file cannot be read: %2.").arg(escaped(o.trees), reason));
        return cannot_run;
    }
    return BatchRun(o, *species, species->lists, explainer ? &*explainer : nullptr).run(file);
}

int check_species_file(const Options& o)
{
    const std::optional<SpeciesData> species = read_species(o.data);
    if (!species)
        return cannot_run;
    const DataCheck check = check_data(*species);
    const QByteArray out = format_check(o.format, check, *species, escaped(o.data)).toUtf8();
    if (std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout) != std::size_t(out.size())
        || std::fflush(stdout) != 0) {
        say(QStringLiteral("The results cannot be written to standard output: %1.").arg(system_reason()));
        return cannot_run;
    }
    if (o.format != Format::table)
        say(escaped(o.data) + QStringLiteral(": ") + check_summary(check));
    return check.clean() ? 0 : 1;
}

}  // namespace qid::batch
