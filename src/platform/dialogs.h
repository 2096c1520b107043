#pragma once
// The seam of the common dialogs: open and save file, printer, colour, font
// and page setup; and the list of installed printers. In the program the live seam shows Qt's dialogs; tests
// install a seam that answers from a script. Every dialog ends confirmed or
// not; one that failed also names its extended error code (0 for a plain
// cancel), which the caller shows.
#include <array>
#include <cstdint>
#include <vector>

#include <QMarginsF>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace qid::platform {

struct DialogEnd {
    bool confirmed = false;
    std::int32_t error = 0;
};

struct FileRequest {
    QWidget* owner = nullptr;
    QString filter;    // Qt's form: "Text (*.txt);;All files (*)"
    QString title;
    QString folder;    // the folder the dialog opens in
    QString initial;   // the file name offered first
    bool multiple = false;           // several files may be chosen (open only)
    bool confirm_overwrite = true;   // ask before replacing a file (save only)
    QString default_suffix;          // added to a name typed without one (save only)
};

struct FileAnswer : DialogEnd {
    QStringList paths;  // absolute paths of the chosen files
};

struct ColourAnswer : DialogEnd {
    std::int32_t rgb = 0;
};

// A font as the font dialog shows and returns it.
struct FontChoice {
    QString face;
    int tenths = 120;  // size in tenths of a point
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    std::int32_t colour = 0;
};

struct FontRequest {
    QWidget* owner = nullptr;
    std::int32_t flags = 0;
    FontChoice initial;
    int min_size = 10;  // points
    int max_size = 72;
};

struct FontAnswer : DialogEnd {
    FontChoice font;
};

struct PageSetupAnswer : DialogEnd {
    QMarginsF margins;  // left, top, right, bottom, in points
};

// A printer installed on the system: its name and the port (the device) its
// output goes to, "" when the system names none.
struct InstalledPrinter {
    QString device;
    QString port;
};

class DialogSeam {
public:
    virtual ~DialogSeam() = default;
    virtual FileAnswer open_file(const FileRequest& request) = 0;
    virtual FileAnswer save_file(const FileRequest& request) = 0;
    // Confirmed: the printer has been set to the choice (device and settings).
    virtual DialogEnd printer(QWidget* owner, std::int32_t flags, QPrinter& printer) = 0;
    // custom: the sixteen custom colours offered, and kept as the user left them.
    virtual ColourAnswer colour(QWidget* owner, std::int32_t flags, std::array<std::int32_t, 16>& custom) = 0;
    virtual FontAnswer font(const FontRequest& request) = 0;
    // Margins chosen for the printer's paper; the printer itself is not changed.
    virtual PageSetupAnswer page_setup(QWidget* owner, std::int32_t flags, const QPrinter& printer) = 0;
    // The installed printers, in the system's order.
    virtual std::vector<InstalledPrinter> installed_printers() = 0;
};

// The seam in force. Until one is installed every dialog ends as cancelled.
DialogSeam& dialog_seam();
// Installs a seam (not owned); nullptr goes back to the default.
void set_dialog_seam(DialogSeam* seam);

}  // namespace qid::platform
