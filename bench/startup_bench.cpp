// Start-up to the end of the first paint and peak memory of Quenla ID against
// an empty QMainWindow of the size Quenla ID's window takes on this screen,
// each started as a process of its own (the startup_probe programs in the
// program folder) on the same platform, the two alternating so that both meet
// the same load. Time runs on the monotonic clock from the moment before the
// process is spawned. Besides the totals and their ratios it reports where
// the time goes, the moment each phase ended (main, application object,
// window built, window loaded, first paint) with the resident memory then,
// and which mapped files and anonymous memory make the difference in memory.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <benchmark/benchmark.h>

extern char** environ;

namespace {

struct Run {
    std::map<std::string, double> phase_ms;  // since the spawn
    std::map<std::string, double> phase_kb;
    std::map<std::string, double> mapped_kb;  // resident memory by file mapped
    double peak_kb = 0;
    double cpu_ms = 0;  // user and system time of the whole run
    int width = 0;  // of the window, in pixels
    int height = 0;
    bool ok = false;
};

double monotonic_ms()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Starts the program's probe, or the empty window's at the size given.
Run start(const std::string& kind, int width = 0, int height = 0)
{
    const std::string probe = QID_PROGRAM_DIR "/startup_probe" + std::string(kind == "empty" ? "_empty" : "");
    const std::string w = std::to_string(width), h = std::to_string(height);
    int out[2];
    Run run;
    if (pipe(out) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* args[] = {const_cast<char*>(probe.c_str()), const_cast<char*>(w.c_str()), const_cast<char*>(h.c_str()),
                    nullptr};
    if (kind != "empty")
        args[1] = nullptr;
    pid_t pid = 0;
    const double spawn_ms = monotonic_ms();
    const int spawned = posix_spawn(&pid, probe.c_str(), &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    if (spawned != 0)
        return run;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peak_kb = static_cast<double>(usage.ru_maxrss);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + t.tv_usec / 1000.0; };
    run.cpu_ms = ms(usage.ru_utime) + ms(usage.ru_stime);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string what, name, unit;
        double ms = 0, kb = 0;
        words >> what;
        if (what == "phase" && words >> name >> ms >> unit >> kb) {
            run.phase_ms[name] = ms - spawn_ms;
            run.phase_kb[name] = kb;
        } else if (what == "map" && words >> name >> kb) {
            run.mapped_kb[name] = kb;
        } else if (what == "size") {
            words >> run.width >> run.height;
        }
    }
    return run;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The resident memory of each file mapped by the program less that of the
// empty window, largest first: what the memory gap is made of.
void print_memory_gap(const std::map<std::string, double>& program, const std::map<std::string, double>& empty)
{
    std::vector<std::pair<double, std::string>> gap;
    for (const auto& [file, kb] : program) {
        const auto other = empty.find(file);
        gap.emplace_back(kb - (other == empty.end() ? 0 : other->second), file);
    }
    std::sort(gap.rbegin(), gap.rend());
    std::fprintf(stderr, "Resident memory at the first paint, program less empty window (kB):\n");
    for (std::size_t i = 0; i < gap.size() && i < 12; ++i)
        std::fprintf(stderr, "  %+8.0f  %s\n", gap[i].first, gap[i].second.c_str());
}

double time_ratio = 0;
double memory_ratio = 0;

void StartUp(benchmark::State& state)
{
    std::map<std::string, std::vector<double>> samples;
    std::map<std::string, double> program_map, empty_map;
    int width = 0, height = 0;
    for (auto _ : state) {
        // Alternate the two so that both meet the same load on the machine;
        // the empty window takes the size the program's window took.
        for (const std::string kind : {"program", "empty"}) {
            const Run r = start(kind, width, height);
            if (!r.ok || !r.phase_ms.count("painted")) {
                state.SkipWithError("the probe did not paint");
                return;
            }
            if (kind == "program")
                std::tie(width, height) = std::pair(r.width, r.height);
            samples[kind + "_ms"].push_back(r.phase_ms.at("painted"));
            samples[kind + "_peak_MB"].push_back(r.peak_kb / 1024);
            samples[kind + "_cpu_ms"].push_back(r.cpu_ms);
            for (const auto& [phase, ms] : r.phase_ms)
                samples[kind + "." + phase + "_ms"].push_back(ms);
            for (const auto& [phase, kb] : r.phase_kb)
                samples[kind + "." + phase + "_MB"].push_back(kb / 1024);
            (kind == "program" ? program_map : empty_map) = r.mapped_kb;
        }
    }
    for (const auto& [name, values] : samples)
        state.counters[name] = median(values);
    time_ratio = median(samples["program_ms"]) / median(samples["empty_ms"]);
    memory_ratio = median(samples["program_peak_MB"]) / median(samples["empty_peak_MB"]);
    state.counters["time_ratio"] = time_ratio;
    state.counters["cpu_ratio"] = median(samples["program_cpu_ms"]) / median(samples["empty_cpu_ms"]);
    state.counters["memory_ratio"] = memory_ratio;
    state.counters["window_width"] = width;
    state.counters["window_height"] = height;
    print_memory_gap(program_map, empty_map);
}
BENCHMARK(StartUp)->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (time_ratio > 0) {
        std::printf("Start-up to the end of the first paint against an empty window of the same size: %.2f x "
                    "(goal <= 1.3: %s)\n", time_ratio, time_ratio <= 1.3 ? "met" : "NOT met");
        std::printf("Peak memory against the empty window: %.2f x (goal <= 1.3: %s)\n", memory_ratio,
                    memory_ratio <= 1.3 ? "met" : "NOT met");
    }
    return 0;
}
