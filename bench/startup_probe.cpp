// One start of a window, timed to its first paint. Built twice: as
// startup_probe it starts Quenla ID as main() does, and reports the size its
// main window took; as startup_probe_empty, linked with nothing but Qt
// Widgets, it shows an empty QMainWindow of the size given on its command
// line (width and height in pixels). On its standard output it reports,
// after each phase, the time on the monotonic clock and the resident memory,
// then the resident memory of every file mapped and of the anonymous memory.
#include <time.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#ifndef QID_EMPTY_WINDOW
#include "platform/fonts.h"
#include "platform/qt_messages.h"
#include "shell/main_window.h"
#endif

namespace {

// Milliseconds on the monotonic clock, which the benchmark read when it
// started this process.
double monotonic_ms()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

long status_kb(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0)
            return std::stol(line.substr(key.size() + 1));
    return -1;
}

void phase(const char* name)
{
    std::printf("phase %s %.3f ms %ld kB\n", name, monotonic_ms(), status_kb("VmRSS"));
}

// Whether a line of /proc/self/smaps starts a mapping ("start-end perms ...").
bool starts_mapping(const std::string& line)
{
    const auto dash = line.find('-');
    const auto space = line.find(' ');
    if (dash == std::string::npos || space == std::string::npos || dash > space || dash == 0)
        return false;
    for (std::size_t i = 0; i < dash; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(line[i])))
            return false;
    return true;
}

// The resident memory of every file mapped (libraries, fonts, caches) and of
// the anonymous memory (heap and the rest), from /proc/self/smaps.
void mappings()
{
    std::ifstream smaps("/proc/self/smaps");
    std::map<std::string, long> resident;
    std::string name;
    for (std::string line; std::getline(smaps, line);) {
        if (starts_mapping(line)) {
            const auto at = line.find_first_of("/[");
            name = at == std::string::npos ? "[anonymous]" : line.substr(at);
        } else if (line.rfind("Rss:", 0) == 0) {
            resident[name] += std::stol(line.substr(4));
        }
    }
    for (const auto& [file, kb] : resident)
        std::printf("map %s %ld\n", file.c_str(), kb);
}

// Quits once the window has painted for the first time.
class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, [] {
                phase("painted");
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    phase("main");
    QApplication app(argc, argv);
    phase("application");
    FirstPaint first_paint;
#ifdef QID_EMPTY_WINDOW
    QMainWindow window;
    auto* client = new QWidget;
    window.setCentralWidget(client);
    if (argc == 3)
        window.resize(std::atoi(argv[1]), std::atoi(argv[2]));
    phase("window");
    phase("loaded");
    client->installEventFilter(&first_paint);
    window.show();
    const int status = app.exec();
#else
    qid::platform::QtMessageSeam messages;
    qid::platform::set_message_seam(&messages);
    qid::platform::install_font_substitutes();
    qid::QID_main window;
    phase("window");
    if (!window.load())
        return 1;
    phase("loaded");
    window.surface()->installEventFilter(&first_paint);
    window.show();
    const int status = app.exec();
    std::printf("size %d %d\n", window.width(), window.height());
    qid::platform::set_message_seam(nullptr);
#endif
    mappings();
    return status;
}
