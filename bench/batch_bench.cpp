// The batch tool on 1,000 trees: the whole process, from its start to its
// end, against the shipped species file (49 species) and a generated one of
// 32,767, with the results written as a table; then the identification alone
// in this process, on one thread and on every core; and the report PDF of
// 1,000 trees. Last, the tool streaming 1,000, 10,000 and 100,000 trees
// against 32,767 species: its peak memory and wall time.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "batch/identify_trees.h"
#include "batch/tree_file.h"
#include "batch/tree_reports.h"
#include "identify/data_file.h"
#include "platform/fonts.h"
#include "platform/host.h"
#include "datagen.h"

extern char** environ;

namespace {

using namespace qid;

const QString shipped = QStringLiteral(QID_SOURCE_DIR "/data/qid.dta");
constexpr int tree_count = 1000;

// Trees as CSV, each cell drawn from its list or a plausible range, about a
// third of them left empty; the same every time.
QByteArray trees_csv(const std::array<QStringList, 7>& lists, int count = tree_count)
{
    std::mt19937 random(2024);
    const auto pick = [&](const QStringList& l) { return random() % 3 == 0 ? QString() : l[random() % l.size()]; };
    const auto measure = [&](int most) { return random() % 3 == 0 ? QString() : QString::number(1 + random() % most); };
    QStringList rows{QStringLiteral("id,young,initial_colour,shape,berry_size,colour_above,leaf_length,leaflet_width,"
                                    "leaflet_length,leaflet_pairs,bud_colour,bud_hairs,sticky,bud_length")};
    for (int i = 1; i <= count; ++i)
        rows << QStringList{QString::number(i), random() % 4 ? "no" : "yes", pick(lists[0]),
                            random() % 2 ? "spherical" : "ellipsoidal", measure(15), pick(lists[2]), measure(300),
                            measure(30), measure(80), measure(10), pick(lists[4]), pick(lists[5]), pick(lists[6]),
                            measure(15)}
                    .join(QLatin1Char(','));
    return rows.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

// A folder with the species file of `species` species and the trees.
struct Files {
    explicit Files(int species, int trees_in_file = tree_count)
    {
        const std::array<QStringList, 7> lists = read_data_file(shipped).data->lists;
        data = species == 49 ? shipped : dir.filePath(QStringLiteral("qid.dta"));
        if (species != 49)
            write(data, tools::make_species_file(lists, species, 12));
        trees = dir.filePath(QStringLiteral("trees.csv"));
        write(trees, trees_csv(lists, trees_in_file));
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    QTemporaryDir dir;
    QString data;
    QString trees;
};

// How a run of the tool went: its wall time in seconds and its peak
// resident memory in MB; a negative time when it failed.
struct ToolRun {
    double seconds = -1;
    double peak_mb = 0;
};

// Runs the tool to its end with its output thrown away.
ToolRun run_tool(const QStringList& args)
{
    std::vector<std::string> words{QID_BATCH_TOOL};
    for (const QString& a : args)
        words.push_back(a.toStdString());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 1;
    rusage usage{};
    if (spawned == 0)
        wait4(pid, &status, 0, &usage);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return {seconds, static_cast<double>(usage.ru_maxrss) / 1024.0};  // ru_maxrss is in KiB
}

void BatchTool(benchmark::State& state)
{
    const Files files(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const ToolRun run = run_tool({QStringLiteral("--data"), files.data, files.trees});
        if (run.seconds < 0)
            return state.SkipWithError("the tool failed");
        state.SetIterationTime(run.seconds);
    }
    state.counters["trees_per_s"] = benchmark::Counter(tree_count, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BatchTool)->ArgName("species")->Arg(49)->Arg(32767)->UseManualTime()->Iterations(5)->Repetitions(5)
    ->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// The trees as the tool reads them, and the species file.
struct Loaded {
    explicit Loaded(int species) : files(species), table(read_data_file(files.data))
    {
        QFile f(files.trees);
        f.open(QIODevice::ReadOnly);
        batch::TextSource text(f);
        batch::TreeStream stream(text);
        for (batch::TreeRecord r; stream.next(r);)
            trees.push_back(batch::read_tree(r, table.data->lists, false));
    }
    Files files;
    DataFileResult table;
    std::vector<batch::Tree> trees;
};

// Every tree through the tool's queue, put in on a thread of their own as the
// tool reads them, the results taken in order as they come.
template <typename Done>
void identify_all(const SpeciesTable& table, const std::vector<batch::Tree>& trees, unsigned threads, Done done)
{
    batch::IdentifyQueue queue(table, threads);
    std::jthread feeder([&] {
        for (const batch::Tree& t : trees)
            queue.push(t);
        queue.close();
    });
    for (batch::TreeResult r; queue.pop(r);)
        done(r);
}

// The identification alone, on `threads` threads (0: every core).
void IdentifyTrees(benchmark::State& state)
{
    static Loaded* loaded[2] = {};
    Loaded*& l = loaded[state.range(0) == 49 ? 0 : 1];
    if (!l)
        l = new Loaded(static_cast<int>(state.range(0)));
    const unsigned threads = static_cast<unsigned>(state.range(1));
    for (auto _ : state)
        identify_all(*l->table.data, l->trees, threads, [](const batch::TreeResult& r) { benchmark::DoNotOptimize(r); });
    state.counters["threads"] = threads == 0 ? std::thread::hardware_concurrency() : threads;
    state.counters["trees_per_s"] = benchmark::Counter(tree_count, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(IdentifyTrees)->ArgNames({"species", "threads"})->ArgsProduct({{49, 32767}, {1, 0}})
    ->UseRealTime()->Unit(benchmark::kMillisecond);

// The program folder of the build, whose pictures the document loads.
class BuildFolder final : public platform::Host {
public:
    BuildFolder() { platform::set_host(this); }
    ~BuildFolder() override { platform::set_host(nullptr); }
    QString program_folder() const override { return QStringLiteral(QID_PROGRAM_DIR); }
};

// The PDF of the 1,000 reports against the shipped file.
void ReportPdf(benchmark::State& state)
{
    const BuildFolder folder;
    const Loaded l(49);
    std::vector<batch::TreeResult> results;
    identify_all(*l.table.data, l.trees, 0, [&](const batch::TreeResult& r) { results.push_back(r); });
    const QString pdf = l.files.dir.filePath(QStringLiteral("reports.pdf"));
    for (auto _ : state) {
        batch::ReportFile file;
        QString problem;
        if (!file.open(pdf, problem))
            return state.SkipWithError("the report cannot be written");
        for (const batch::TreeResult& r : results)
            if (r.tree.errors.isEmpty())
                file.add(*l.table.data, r);
        if (!file.close(problem))
            return state.SkipWithError("the report was not written");
    }
    state.counters["PDF_MB"] = static_cast<double>(QFile(pdf).size()) / 1e6;
}
BENCHMARK(ReportPdf)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The tool streaming many trees against 32,767 species: its peak resident
// memory, against the same tool given one tree (the species table, Qt and the
// workers' buffers, which every run has), and its wall time per tree, which
// stays the same when the time grows linearly with the trees.
void BatchToolStreaming(benchmark::State& state)
{
    const int trees = static_cast<int>(state.range(0));
    const Files files(32767, trees);
    static const ToolRun one = [] {
        const Files single(32767, 1);
        return run_tool({QStringLiteral("--data"), single.data, single.trees});
    }();
    ToolRun run;
    for (auto _ : state) {
        run = run_tool({QStringLiteral("--data"), files.data, files.trees});
        if (run.seconds < 0 || one.seconds < 0)
            return state.SkipWithError("the tool failed");
        state.SetIterationTime(run.seconds);
    }
    state.counters["peak_RSS_MB"] = run.peak_mb;
    state.counters["one_tree_RSS_MB"] = one.peak_mb;
    state.counters["us_per_tree"] = (run.seconds - one.seconds) * 1e6 / trees;
}
BENCHMARK(BatchToolStreaming)->ArgName("trees")->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qid::platform::install_font_substitutes();  // the report's fonts, as the tool has them
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
