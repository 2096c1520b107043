// How fast the page engine composes what the preview shows: a report-like page
// through PPpage on the preview surface, against QTextDocument laying out and
// painting the same content into an image of the same size; and one justified
// paragraph of 1,000 to 100,000 words, whose cost per word should not grow.
//
//   pagelayout_bench [benchmark flags] [--render=DIR]
// --render writes the page as PDF (printer target) and PNG (surface at zoom 1
// and 3, and QTextDocument at zoom 1) into DIR instead of timing anything.
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QDir>
#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include "platform/messages.h"
#include "report_like_page.h"

namespace qid::bench {
namespace {

// Counts the messages the page shows; a correct page shows none.
class CountingMessages final : public platform::MessageSeam {
public:
    platform::MessageAnswer ask(const platform::MessageRequest& request) override
    {
        ++count;
        last = request.title + QStringLiteral(": ") + request.text;
        return {};
    }
    int count = 0;
    QString last;
};

CountingMessages messages;

ReportLikePage& report_page()
{
    static ReportLikePage page;
    return page;
}

bool check_messages(benchmark::State& state)
{
    if (messages.count == 0)
        return true;
    state.SkipWithError(qPrintable(messages.last));
    return false;
}

void BM_PPpageReportPage(benchmark::State& state)
{
    const float zoom = static_cast<float>(state.range(0));
    ReportLikePage& page = report_page();
    page.size_surface(zoom);
    messages.count = 0;
    for (auto _ : state) {
        page.compose(1, zoom);
        benchmark::DoNotOptimize(page.surface.image().constBits());
    }
    check_messages(state);
}
BENCHMARK(BM_PPpageReportPage)->ArgName("zoom")->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

void BM_QTextDocumentReportPage(benchmark::State& state)
{
    const float zoom = static_cast<float>(state.range(0));
    ReportLikePage& page = report_page();
    page.size_surface(zoom);
    QImage image(page.surface.image().size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(page.surface.image().dotsPerMeterX());
    image.setDotsPerMeterY(page.surface.image().dotsPerMeterY());
    const QString html = page.html(zoom);
    for (auto _ : state) {
        page.paint_document(html, zoom, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QTextDocumentReportPage)->ArgName("zoom")->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

void BM_PPpageParagraph(benchmark::State& state)
{
    const int words = static_cast<int>(state.range(0));
    static LongParagraph paragraph(report_page().printer);
    const QString text = LongParagraph::text(words);
    messages.count = 0;
    for (auto _ : state)
        paragraph.lay_out(text);
    if (check_messages(state))
        state.counters["per_word"] =
            benchmark::Counter(words, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PPpageParagraph)->ArgName("words")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Shows every run as usual and keeps each benchmark's time (the median when
// runs are repeated) for the summary.
class SummaryReporter final : public benchmark::ConsoleReporter {
public:
    explicit SummaryReporter(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[name] = {run.GetAdjustedCPUTime(), run.GetAdjustedRealTime()};
            else if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                singles_[name] = {run.GetAdjustedCPUTime(), run.GetAdjustedRealTime()};
        }
    }

    void summary(std::ostream& out) const
    {
        out << "\nSummary (" << (medians_.empty() ? "single run" : "medians of the repetitions")
            << "; CPU time, wall time in brackets)\n";
        for (const char* zoom : {"1", "3"}) {
            const auto ours = time("BM_PPpageReportPage/zoom:" + std::string(zoom));
            const auto qt = time("BM_QTextDocumentReportPage/zoom:" + std::string(zoom));
            if (!ours || !qt)
                continue;
            out << "report-like page, zoom " << zoom << ": PPpage " << ours->cpu << " us, QTextDocument " << qt->cpu
                << " us, ratio " << ours->cpu / qt->cpu << " (wall " << ours->wall / qt->wall << ")\n";
        }
        const auto first = time("BM_PPpageParagraph/words:1000");
        for (const char* words : {"1000", "10000", "100000"}) {
            const auto t = time("BM_PPpageParagraph/words:" + std::string(words));
            if (!t || !first)
                continue;
            // The benchmark's unit is milliseconds: per word in microseconds.
            const double per_word = t->cpu * 1000 / std::stod(words);
            out << "paragraph of " << words << " words: " << per_word << " us per word, "
                << per_word / (first->cpu * 1000 / 1000) << " x the 1,000-word cost\n";
        }
    }

private:
    struct Times {
        double cpu = 0;
        double wall = 0;
    };
    std::optional<Times> time(const std::string& name) const
    {
        if (auto m = medians_.find(name); m != medians_.end())
            return m->second;
        if (auto s = singles_.find(name); s != singles_.end())
            return s->second;
        return std::nullopt;
    }
    std::map<std::string, Times> medians_;
    std::map<std::string, Times> singles_;
};

int render(const QString& folder)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;
    ReportLikePage& page = report_page();
    page.printer.set_pdf_file(dir.filePath(QStringLiteral("page.pdf")));
    page.compose(0, 1);
    page.printer.end_doc();
    for (int zoom : {1, 3}) {
        page.size_surface(static_cast<float>(zoom));
        page.compose(1, static_cast<float>(zoom));
        page.surface.image().save(dir.filePath(QStringLiteral("surface-zoom%1.png").arg(zoom)));
    }
    page.size_surface(1);
    QImage image(page.surface.image().size(), QImage::Format_RGB32);
    page.paint_document(page.html(1), 1, image);
    image.save(dir.filePath(QStringLiteral("qtextdocument-zoom1.png")));
    if (messages.count)
        std::cerr << "messages shown: " << messages.count << ", last: " << qPrintable(messages.last) << "\n";
    return messages.count ? 1 : 0;
}

}  // namespace
}  // namespace qid::bench

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    qid::platform::set_message_seam(&qid::bench::messages);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--render=", 9) == 0)
            return qid::bench::render(QString::fromLocal8Bit(argv[i] + 9));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    qid::bench::SummaryReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color
                                                               : benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.summary(std::cout);
    benchmark::Shutdown();
    return 0;
}
