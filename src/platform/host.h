#pragma once
// Facts about the machine the program runs on: its own folder, the screen,
// files, the browser and the memory. Tests replace the host to fake a screen
// size or a file system failure.
#include <cstdint>

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace qid::platform {

struct ScreenTwips {
    int width = 0;
    int height = 0;
};

struct MemoryStatus {
    double total = 0;      // physical memory, bytes
    double available = 0;  // available physical memory, bytes
};

class Host {
public:
    virtual ~Host() = default;
    // The folder of qid.dta, graphics/ and Help/, without a trailing
    // separator: program_folder_of(the executable's folder).
    virtual QString program_folder() const;
    // The executable's own path.
    virtual QString program_file() const;
    // Screen size in twips: pixels x 1440 / logical DPI.
    virtual ScreenTwips screen() const;
    // Logical dots per inch of the screen, used to turn twips into pixels.
    virtual double logical_dpi() const;
    virtual bool file_exists(const QString& path) const;
    virtual bool delete_file(const QString& path);
    // Copies from to to, keeping its modification time.
    virtual bool copy_file(const QString& from, const QString& to);
    // Last-modified date and time; invalid when the file does not exist.
    virtual QDateTime modified(const QString& path) const;
    // Opens a page in the user's browser; false when nothing could open it.
    virtual bool open_in_browser(const QString& path);
    // A folder the user may always write to, for copies of the program's
    // files when its own folder is read-only (installed programs).
    virtual QString user_data_folder() const;
    // Total and available physical memory, from /proc/meminfo.
    virtual MemoryStatus memory() const;
};

// The program folder of an executable in `executable_folder`: that folder
// when qid.dta is there (a build, or a folder copied whole), else the
// installed one, ../share/quenla-id. When neither holds qid.dta, the
// installed folder if it exists, else the executable's, so that start-up
// names the missing file where it belongs.
QString program_folder_of(const QString& executable_folder);

// The memory status in the text of /proc/meminfo (MemTotal and MemAvailable,
// in kB); zero for a figure the text does not hold.
MemoryStatus parse_meminfo(const QByteArray& text);

// Whether a picture file can be read: it exists and begins as a picture of a
// format Qt reads. Nothing is decoded, so a window that shows its pictures
// only later can have them checked when the program starts.
bool picture_readable(const QString& path);

// The host in force (a default one until another is installed).
Host& host();
// Installs a host (not owned); nullptr goes back to the default.
void set_host(Host* replacement);

// Twips of the screen to pixels and back, through the host's logical DPI.
int twips_to_pixels(double twips);
double pixels_to_twips(double pixels);

}  // namespace qid::platform
