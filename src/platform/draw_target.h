#pragma once
// The drawing-target seam of the page engine. A page draws only through this
// interface; the printer, the preview surface and the fixed-metric test target
// implement it. Coordinates are page units (inches), X to the right, Y down.
#include <cstdint>
#include <optional>

#include <QImage>
#include <QString>
#include <QStringView>

namespace qid::platform {

// The font of a target, as the page engine sets and reads it.
struct TargetFont {
    QString name = QStringLiteral("Arial");
    float size = 12.0f;  // points on this target
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int weight = 400;  // 100 thin .. 400 normal .. 700 bold .. 900 black

    bool operator==(const TargetFont&) const = default;
};

// Background mode values returned by set_transparent (as the system reports them).
constexpr int bk_transparent = 1;
constexpr int bk_opaque = 2;

class DrawTarget {
public:
    virtual ~DrawTarget() = default;

    // Current position; text is drawn from here.
    virtual float current_x() const = 0;
    virtual float current_y() const = 0;
    virtual void set_current(float x, float y) = 0;

    // Draws s at the current position; X moves to just after it, Y stays.
    virtual void print_text(const QString& s) = 0;
    // Draws the characters of s one after the other from the current
    // position, each where the previous one's own width ends (no kerning or
    // ligature joins them), X moving on by space_extra before every space;
    // X ends just after the last one. By default one print_text each.
    virtual void print_run(QStringView s, float space_extra = 0);
    // X back to the left edge, Y down one text height of the current font.
    virtual void print_line() = 0;

    virtual float text_width(const QString& s) const = 0;
    virtual float text_height(const QString& s) const = 0;
    // The width of one character (a surrogate pair is one) in the current font.
    virtual float char_width(QStringView ch) const { return text_width(ch.toString()); }

    virtual TargetFont font() const = 0;
    virtual void set_font(const TargetFont& f) = 0;
    virtual std::int32_t fore_color() const = 0;
    virtual void set_fore_color(std::int32_t rgb) = 0;
    virtual void set_back_color(std::int32_t rgb) = 0;

    // From now on the given Y is the lower edge of the text cell.
    virtual void align_text_bottom() = 0;
    // Text without a background box; returns the previous background mode.
    virtual int set_transparent() = 0;

    // Draws the picture scaled into the rectangle (x, y, w, h).
    virtual void paint_picture(const QImage& picture, float x, float y, float w, float h) = 0;
    // Outlines the rectangle between two corners in the given colour; the
    // current position moves to the second corner.
    virtual void draw_box(float x1, float y1, float x2, float y2, std::int32_t rgb) = 0;
    virtual void set_draw_width(int pixels) = 0;

    // Clears a surface to its background colour (paper cannot be cleared).
    virtual void clear() {}
    // Document control; only the printer has a document.
    virtual void new_page() {}
    virtual void end_doc() {}
    virtual void abandon_doc() {}
};

// Colours are red + 256 x green + 65536 x blue.
QRgb to_qrgb(std::int32_t rgb);
std::int32_t rgb_value(int red, int green, int blue);

// A loaded picture with its own size in page units.
struct Picture {
    QImage image;
    float width = 0;
    float height = 0;
};

// Loads the pictures the page places (the preview window's hidden picture box).
class PictureBox {
public:
    virtual ~PictureBox() = default;
    // Nothing when the file cannot be read as a picture.
    virtual std::optional<Picture> load(const QString& path) = 0;
};

// Reads any format Qt's image readers know; the picture's own size comes from
// its resolution, 96 dots per inch when it records none.
class FilePictureBox final : public PictureBox {
public:
    std::optional<Picture> load(const QString& path) override;
};

}  // namespace qid::platform
