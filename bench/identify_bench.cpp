// The species file loader in megabytes per second; the three identification
// steps at 32,767 species with and without refilling the result list; the
// matching tests against a flat loop over the same fields.
#include <chrono>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "identify/data_file.h"
#include "identify/matching.h"
#include "platform/host.h"
#include "platform/qt_messages.h"
#include "shell/image_button.h"
#include "shell/main_window.h"
#include "shell/navigation.h"
#include "shell/state.h"
#include "datagen.h"

namespace {

const QString shipped = QStringLiteral(QID_SOURCE_DIR "/data/qid.dta");

QByteArray file_of(int species)
{
    if (species == 49) {
        QFile f(shipped);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    return qid::tools::make_species_file(qid::tools::lists_of(shipped), species, 12);
}

void Loader(benchmark::State& state)
{
    const QByteArray bytes = file_of(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        qid::DataFileResult r = qid::read_data_bytes(bytes);
        if (!r.data || r.data->species_count != state.range(0))
            state.SkipWithError("the file was not read");
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes.size());
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(Loader)->Arg(49)->Arg(10000)->Arg(32767)->Unit(benchmark::kMillisecond);

// The program folder with a generated species file of 32,767 species.
class LargeFolder final : public qid::platform::Host {
public:
    LargeFolder()
    {
        QDir(dir_.path()).mkdir(QStringLiteral("graphics"));
        const QDir from(QStringLiteral(QID_PROGRAM_DIR "/graphics"));
        for (const QString& f : from.entryList(QDir::Files))
            QFile::copy(from.filePath(f), dir_.filePath(QStringLiteral("graphics/") + f));
        QFile data(dir_.filePath(QStringLiteral("qid.dta")));
        if (data.open(QIODevice::WriteOnly))
            data.write(file_of(32767));
        qid::platform::set_host(this);
    }
    ~LargeFolder() override { qid::platform::set_host(nullptr); }
    QString program_folder() const override { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// The real main window on the large file, shown offscreen, nothing entered.
struct LargeWindow {
    LargeWindow()
    {
        ok = window.load();
        window.show();
        QCoreApplication::processEvents();
    }
    // NEXT as the user presses it, and everything the window then does
    // before it waits again (the list's layout and the repaint).
    void press_next()
    {
        QTest::mouseClick(window.image_button(1), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    LargeFolder folder;
    qid::QID_main window;
    bool ok = false;
};

// Sizes entered so that every step tests each candidate and keeps thousands:
// ellipsoidal berries of 9 mm, leaves of 200 mm, buds of 10 mm.
void enter_sizes()
{
    using namespace qid;
    ctl_tbl[slot::ellipsoidal]->set_value(1);
    ctl_tbl[slot::berry_size]->set_caption(QStringLiteral("9"));
    ctl_tbl[slot::leaflet_pairs + 1]->set_caption(QStringLiteral("200"));
    ctl_tbl[slot::bud_length]->set_caption(QStringLiteral("10"));
}

// Step s of the cascade at 32,767 species. With nothing entered every step
// keeps every species (the longest list); with sizes entered every step runs
// its test on every candidate. list 0 detaches the result list, leaving the
// search alone.
void NextStep(benchmark::State& state)
{
    static LargeWindow* large = new LargeWindow;  // one window for every run
    if (!large->ok || qid::species_count != 32767) {
        state.SkipWithError("the large file was not loaded");
        return;
    }
    const int step = static_cast<int>(state.range(0));
    const bool with_list = state.range(1) != 0;
    const bool entered = state.range(2) != 0;
    qid::platform::Control* list = qid::ctl_tbl[qid::slot::result_list];
    int listed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        qid::clear_entries();
        if (entered)
            enter_sizes();
        for (int s = 0; s < step; ++s)
            large->press_next();
        if (!with_list)
            qid::ctl_tbl[qid::slot::result_list] = nullptr;
        state.ResumeTiming();
        large->press_next();
        state.PauseTiming();
        qid::ctl_tbl[qid::slot::result_list] = list;
        listed = qid::selected[static_cast<std::size_t>(step)][0];
        if (qid::stage != step || (!entered && listed != 32767) || (with_list && list->item_count() != listed))
            state.SkipWithError("the step did not keep what it should");
        state.ResumeTiming();
    }
    state.counters["listed"] = listed;
}
BENCHMARK(NextStep)
    ->ArgNames({"step", "list", "entered"})
    ->ArgsProduct({{0, 1, 2}, {1, 0}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);

// ---- Matching against a flat loop -------------------------------------------

// The fields the three tests read, one plain structure per species.
struct FlatSpecies {
    QString fruit_colour[2];
    float berry[2];
    double shape;
    QString leaf_colour[2];
    float ranges[4][2];  // pairs, leaf length, leaflet length, leaflet width
    QString bud[3];
    float bud_length;
};

std::vector<FlatSpecies> flatten()
{
    std::vector<FlatSpecies> flat(static_cast<std::size_t>(qid::species_count) + 1);
    for (int i = 1; i <= qid::species_count; ++i) {
        FlatSpecies& f = flat[static_cast<std::size_t>(i)];
        for (int k = 0; k < 2; ++k) {
            f.fruit_colour[k] = qid::fruit_table.at(i, k).text();
            f.berry[k] = static_cast<float>(qid::fruit_table.at(i, 2 + k).number());
            f.leaf_colour[k] = qid::leaf_table.at(i, k).text();
        }
        f.shape = qid::fruit_table.at(i, 4).number();
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 2; ++k)
                f.ranges[r][k] = static_cast<float>(qid::leaf_table.at(i, 2 + 2 * r + k).number());
        for (int k = 0; k < 3; ++k)
            f.bud[k] = qid::bud_table.at(i, k).text();
        f.bud_length = static_cast<float>(qid::bud_table.at(i, 3).number());
    }
    return flat;
}

bool flat_in_range(float least, float greatest, std::int16_t v)
{
    if (least == 0 || greatest == 0 || v == 0)
        return true;
    const float lower = least * qid::size_factor * (1.0f - qid::range_ext);
    const float upper = greatest * (1.0f + qid::range_ext);
    return !(v < lower) && !(v > upper);
}

bool flat_colours(const QString (&recorded)[2], const std::array<QString, 2>& seen)
{
    if (recorded[0].isEmpty() || recorded[1].isEmpty())
        return true;
    return (seen[0].isEmpty() || recorded[0] == seen[0]) && (seen[1].isEmpty() || recorded[1] == seen[1]);
}

bool flat_fruit(const FlatSpecies& f)
{
    const bool colour = flat_colours(f.fruit_colour, qid::fruit_colour);
    const bool size = flat_in_range(f.berry[0], f.berry[1], qid::berry_size);
    return colour && size && f.shape == (qid::spherical ? -1.0 : 0.0);
}

bool flat_leaf(const FlatSpecies& f)
{
    bool ok = flat_colours(f.leaf_colour, qid::leaf_colour);
    ok = flat_in_range(f.ranges[0][0], f.ranges[0][1], qid::leaf_size[0]) && ok;
    ok = flat_in_range(f.ranges[1][0], f.ranges[1][1], qid::leaf_size[1]) && ok;
    const float(&r)[4][2] = f.ranges;
    if (r[2][0] != 0 && r[2][1] != 0 && r[3][0] != 0 && r[3][1] != 0 && qid::leaf_size[2] >= 1 && qid::leaf_size[3] >= 1) {
        const float mean = (r[2][0] / r[3][0] + r[2][1] / r[3][1]) / 2.0f;
        const double ratio = double(qid::leaf_size[2]) / qid::leaf_size[3];
        ok = !(ratio < 0.9 * mean) && !(ratio > 1.1 * mean) && ok;
    }
    return ok;
}

bool flat_bud(const FlatSpecies& f)
{
    bool ok = true;
    for (int k = 0; k < 3; ++k)
        ok = (f.bud[k].isEmpty() || qid::bud_prop[static_cast<std::size_t>(k)].isEmpty()
              || f.bud[k] == qid::bud_prop[static_cast<std::size_t>(k)]) && ok;
    if (f.bud_length != 0 && qid::bud_length != 0) {
        const float lower = f.bud_length * qid::bud_len_fac[0] * qid::size_factor * (1.0f - qid::range_ext);
        const float upper = f.bud_length * qid::bud_len_fac[1] * (1.0f + qid::range_ext);
        ok = !(qid::bud_length < lower) && !(qid::bud_length > upper) && ok;
    }
    return ok;
}

// Observations that make every part of every test apply.
void observe_everything()
{
    qid::size_factor = 1.0f;
    qid::range_ext = 0.0f;
    qid::bud_len_fac = {0.8f, 1.1f};
    qid::fruit_colour = {QStringLiteral("RED"), QStringLiteral("UNCHANGED")};
    qid::spherical = true;
    qid::berry_size = 9;
    qid::leaf_colour = {QStringLiteral("DARK GREEN"), QStringLiteral("AS ABOVE")};
    qid::leaf_size = {6, 180, 50, 20};
    qid::bud_prop = {QStringLiteral("RED-BROWN"), QStringLiteral("HAIRLESS"), QStringLiteral("YES")};
    qid::bud_length = 8;
}

// Nanoseconds per species of the program's test (match) and of the flat loop,
// and their ratio, for fruit (0), leaf (1) and bud (2).
void Matching(benchmark::State& state)
{
    static LargeWindow* large = new LargeWindow;
    if (!large->ok)
        return state.SkipWithError("the large file was not loaded");
    static const std::vector<FlatSpecies> flat = flatten();
    observe_everything();
    using Match = bool (*)(const qid::SpeciesTable&, int, const qid::ObservationSet&, const qid::Factors&);
    const Match match[3] = {qid::fruit_match, qid::leaf_match, qid::bud_match};
    bool (*const flat_match[3])(const FlatSpecies&) = {flat_fruit, flat_leaf, flat_bud};
    const int t = static_cast<int>(state.range(0));
    const int n = qid::species_count;
    using clock = std::chrono::steady_clock;
    clock::duration ours{}, theirs{};
    for (auto _ : state) {
        int kept = 0, flat_kept = 0;
        const auto a = clock::now();
        for (int i = 1; i <= n; ++i)
            kept += match[t](qid::window_table, i, qid::window_observations, qid::window_factors);
        const auto b = clock::now();
        for (int i = 1; i <= n; ++i)
            flat_kept += flat_match[t](flat[static_cast<std::size_t>(i)]);
        const auto c = clock::now();
        ours += b - a;
        theirs += c - b;
        if (kept != flat_kept)
            state.SkipWithError("the flat loop disagrees");
        benchmark::DoNotOptimize(kept);
    }
    const double species = static_cast<double>(state.iterations()) * n;
    state.counters["ns_per_species"] = std::chrono::duration<double, std::nano>(ours).count() / species;
    state.counters["flat_ns_per_species"] = std::chrono::duration<double, std::nano>(theirs).count() / species;
    state.counters["ratio"] = std::chrono::duration<double>(ours) / std::chrono::duration<double>(theirs);
}
BENCHMARK(Matching)->ArgName("test")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qid::platform::QtMessageSeam messages;
    qid::platform::set_message_seam(&messages);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    qid::platform::set_message_seam(nullptr);
    return 0;
}
