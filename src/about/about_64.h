#pragma once
// The builder of the About box: takes the box's arguments and the machine's
// memory at start-up, fills the About window with them, the program's version
// information and its pictures when the box is first shown, lays it out in
// proportion to the screen, and shows it modally.
#include <cstdint>
#include <optional>

#include <QPointer>
#include <QString>
#include <QStringList>

#include "platform/host.h"

namespace qid {

class About;

// The program's version information, as the About box shows it.
struct VersionInfo {
    QString ProductName;
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
    QString FileDescription;
    QString Comments;
    QString CompanyName;
    QString LegalCopyright;
    QString LegalTrademarks;
};

// The version information this build was made with.
VersionInfo build_version();

class about_64 {
public:
    // build_date follows the version (", dd/mm/yyyy"); screen_ratio is the
    // screen's width in twips / 19200, by which the layout's distances and
    // fonts grow (0 or less: 1).
    about_64(QString build_date, float screen_ratio, VersionInfo info = build_version());
    // Unloads the About window.
    ~about_64();
    about_64(const about_64&) = delete;
    about_64& operator=(const about_64&) = delete;

    // Takes the box's contents on the first call; later calls do nothing.
    // logo and grfic are picture files in the program's "graphics" folder;
    // b_c and f_c the back and fore colours (red + 256 green + 65536 blue);
    // tp and lf the box's top and left in twips of the design screen; g_rat
    // the size of the plant picture against its own. A negative or missing
    // value leaves the box's own. The memory and the program folder are read
    // now, and a picture that cannot be read is reported now; the window is
    // built when it is first needed, as it would have been built now.
    void create_About(const QString& logo, std::int32_t b_c, std::int32_t f_c, std::optional<std::int16_t> tp,
                      std::int16_t lf, const QString& grfic, float g_rat);

    // Shows the box modally; its close button hides it again.
    void show_About();

    // An amount of bytes with its unit: bytes, KB (1 decimal), MB or GB (2
    // decimals), halves to even, no trailing zeros; "" from 1024^4 bytes on.
    static QString NumberInKB(double vNumber);
    // "Total memory = <total>", a line feed, "of which <p>% is available.".
    static QString memory_line(const platform::MemoryStatus& memory);

    // The About window, built on the first call; nullptr before create_About.
    About* window();

private:
    void build();
    void fill_texts();
    void apply_look();
    void load_pictures();
    void place_controls();
    void position_box();
    // A distance of the layout, in twips, in proportion to the screen.
    double d(double twips) const;

    VersionInfo info_;
    QString build_date_;
    float screen_ratio_;
    std::int16_t top_ = -1;   // -1: centred on the screen's height
    std::int16_t left_ = -1;  // -1: centred on the screen's width
    std::int32_t back_colour_ = 0xE0E0E0;
    std::int32_t fore_colour_ = 0;
    QString folder_;
    QString logo_;
    QString grfic_;
    float g_rat_ = 1.0f;
    platform::MemoryStatus memory_;
    QStringList reported_;  // pictures reported unreadable by create_About
    bool created_ = false;
    bool built_ = false;
    double ratio_ = 1.0;
    QPointer<About> window_;
};

}  // namespace qid
