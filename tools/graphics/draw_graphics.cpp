// Draws every picture of Quenla ID into one folder: button faces, icons,
// cursors, the About-box pictures and the main window's background.
// Pictures that end up as GIF or ICO are written as PNG here and converted
// by make_graphics.sh; the JPEG pictures are written directly.
//
// Usage: draw_graphics <output folder>
// Everything is deterministic: the only randomness comes from fixed seeds.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr double pi = 3.14159265358979323846;

// Colours the pictures have to sit on.
const QColor window_colour(193, 198, 191);
const QColor message_colour(214, 204, 192);
const QColor about_colour(21, 77, 0);
const QColor preview_bar_colour(240, 240, 240);

// Repeatable random numbers: mt19937's raw output is fixed by the standard,
// the distributions of <random> are not, so the mapping to ranges is ours.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : gen_(seed) {}
    double uni(double lo, double hi) { return lo + (hi - lo) * (gen_() / 4294967296.0); }
    bool chance(double p) { return uni(0, 1) < p; }

private:
    std::mt19937 gen_;
};

QImage blank(int w, int h, const QColor &fill = Qt::transparent)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void start(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// GIF has one-bit transparency: half-covered edge pixels are blended onto
// the colour the picture will be shown on, the rest becomes fully clear.
QImage matte_for_gif(const QImage &src, const QColor &matte)
{
    QImage in = src.convertToFormat(QImage::Format_ARGB32);
    QImage out(in.size(), QImage::Format_ARGB32);
    for (int y = 0; y < in.height(); ++y) {
        const QRgb *s = reinterpret_cast<const QRgb *>(in.constScanLine(y));
        QRgb *d = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < in.width(); ++x) {
            const int a = qAlpha(s[x]);
            if (a < 100) {
                d[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            auto mix = [a](int c, int m) { return (c * a + m * (255 - a) + 127) / 255; };
            d[x] = qRgb(mix(qRed(s[x]), matte.red()), mix(qGreen(s[x]), matte.green()),
                        mix(qBlue(s[x]), matte.blue()));
        }
    }
    return out;
}

bool save(const QImage &img, const QString &path, int quality = -1)
{
    const QImage out = path.endsWith(".jpg") ? img.convertToFormat(QImage::Format_RGB32)
                                             : img.convertToFormat(QImage::Format_ARGB32);
    if (out.save(path, nullptr, quality))
        return true;
    QTextStream(stderr) << "cannot write " << path << "\n";
    return false;
}

QFont caption_font(double pixel_size, double spacing = 0.0)
{
    QFont f("Liberation Sans");
    f.setBold(true);
    f.setPixelSize(qRound(pixel_size));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    if (spacing != 0.0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return f;
}

// ---------------------------------------------------------------- buttons

// Colours of one button style, released and pressed.
struct ButtonStyle {
    QColor face_top, face_bottom;         // released face gradient
    QColor down_top, down_bottom;         // pressed face gradient
    QColor border, text, down_text, text_shadow;
    QColor matte;                         // what the button is shown on
    double radius, font_px, spacing;
};

const ButtonStyle main_style{
    QColor(104, 138, 94), QColor(55, 86, 50),
    QColor(38, 62, 35), QColor(70, 102, 63),
    QColor(30, 48, 28), QColor(250, 250, 238), QColor(214, 226, 200), QColor(10, 25, 8, 150),
    window_colour, 6.0, 16.0, 1.2};

const ButtonStyle preview_style{
    QColor(104, 138, 94), QColor(55, 86, 50),
    QColor(38, 62, 35), QColor(70, 102, 63),
    QColor(30, 48, 28), QColor(250, 250, 238), QColor(214, 226, 200), QColor(10, 25, 8, 150),
    preview_bar_colour, 3.0, 11.0, 0.8};

const ButtonStyle about_style{
    QColor(238, 242, 226), QColor(190, 206, 172),
    QColor(150, 170, 132), QColor(196, 210, 180),
    QColor(6, 36, 0), QColor(21, 77, 0), QColor(14, 56, 0), QColor(255, 255, 255, 110),
    about_colour, 4.0, 13.0, 1.0};

// A bevelled, rounded button: released it is lit from above with a
// highlight; pressed the gradient turns round, an inner shadow falls on the
// top edge and the caption moves one pixel right and down.
QImage draw_button(int w, int h, const QString &caption, const ButtonStyle &st, bool pressed)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    start(p);
    const QRectF body(0.5, 0.5, w - 1.0, h - 1.0);

    QLinearGradient face(0, 0, 0, h);
    face.setColorAt(0, pressed ? st.down_top : st.face_top);
    face.setColorAt(1, pressed ? st.down_bottom : st.face_bottom);
    p.setPen(QPen(st.border, 1.0));
    p.setBrush(face);
    p.drawRoundedRect(body, st.radius, st.radius);

    p.setBrush(Qt::NoBrush);
    const QRectF inner = body.adjusted(1.0, 1.0, -1.0, -1.0);
    if (pressed) {
        QLinearGradient shade(0, 0, 0, h * 0.45);
        shade.setColorAt(0, QColor(0, 0, 0, 120));
        shade.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(QPen(QBrush(shade), 2.0));
        p.drawRoundedRect(inner.adjusted(0.5, 0.5, 0, 0), st.radius - 1, st.radius - 1);
    } else {
        QLinearGradient light(0, 0, 0, h);
        light.setColorAt(0, QColor(255, 255, 255, 150));
        light.setColorAt(0.5, QColor(255, 255, 255, 30));
        light.setColorAt(1, QColor(0, 0, 0, 60));
        p.setPen(QPen(QBrush(light), 1.0));
        p.drawRoundedRect(inner, st.radius - 1, st.radius - 1);
    }

    const QFont font = caption_font(st.font_px, st.spacing);
    p.setFont(font);
    const QFontMetricsF fm(font);
    // Centre on the visible ink of the capitals, not on the line box.
    const double text_w = fm.horizontalAdvance(caption) - st.spacing;
    const double shift = pressed ? 1.0 : 0.0;
    const double x = std::round((w - text_w) / 2.0) + shift;
    const double y = std::round((h + fm.capHeight()) / 2.0) + shift;
    p.setPen(st.text_shadow);
    p.drawText(QPointF(x, y + 1), caption);
    p.setPen(pressed ? st.down_text : st.text);
    p.drawText(QPointF(x, y), caption);
    p.end();
    return matte_for_gif(img, st.matte);
}

bool write_button_pair(const QString &dir, const QString &stem, int w, int h,
                       const QString &caption, const ButtonStyle &st)
{
    return save(draw_button(w, h, caption, st, false), dir + "/" + stem + "U.png")
        && save(draw_button(w, h, caption, st, true), dir + "/" + stem + "D.png");
}

// ---------------------------------------------------------------- plant parts

// One leaflet: a pointed ellipse along the x axis from 0 to len.
QPainterPath leaflet_path(double len, double wid)
{
    QPainterPath path;
    path.moveTo(0, 0);
    path.cubicTo(len * 0.25, -wid * 0.62, len * 0.7, -wid * 0.55, len, 0);
    path.cubicTo(len * 0.7, wid * 0.55, len * 0.25, wid * 0.62, 0, 0);
    return path;
}

struct LeafLook {
    QColor leaf, vein, stalk;
};

// A pinnate leaf: a rachis from the origin along the angle, `pairs` pairs
// of opposite leaflets and one terminal leaflet, leaflets shrinking a
// little toward the tip.
void draw_pinnate_leaf(QPainter &p, QPointF base, double angle_deg, double length, int pairs,
                       const LeafLook &look, Rng &rng)
{
    p.save();
    p.translate(base);
    p.rotate(angle_deg);
    const double leaflet_len = length * 0.36;
    const double leaflet_wid = leaflet_len * 0.36;
    const double bend = rng.uni(-0.08, 0.08) * length;
    QPainterPath rachis;
    rachis.moveTo(0, 0);
    rachis.quadTo(length * 0.5, bend, length, 0);
    p.setPen(QPen(look.stalk, std::max(0.8, length * 0.018), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rachis);

    for (int i = 0; i < pairs; ++i) {
        const double t = pairs > 1 ? 0.18 + 0.74 * i / (pairs - 1) : 0.5;
        const QPointF at = rachis.pointAtPercent(t);
        const double scale = 1.0 - 0.22 * t;
        for (int side = -1; side <= 1; side += 2) {
            p.save();
            p.translate(at);
            p.rotate(side * rng.uni(52, 68));
            const QPainterPath blade = leaflet_path(leaflet_len * scale, leaflet_wid * scale);
            p.setPen(Qt::NoPen);
            p.setBrush(look.leaf);
            p.drawPath(blade);
            p.setPen(QPen(look.vein, std::max(0.5, length * 0.008)));
            p.drawLine(QPointF(0, 0), QPointF(leaflet_len * scale * 0.85, 0));
            p.restore();
        }
    }
    p.save();
    p.translate(length, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(look.leaf);
    p.drawPath(leaflet_path(leaflet_len * 0.95, leaflet_wid * 0.95));
    p.setPen(QPen(look.vein, std::max(0.5, length * 0.008)));
    p.drawLine(QPointF(0, 0), QPointF(leaflet_len * 0.8, 0));
    p.restore();
    p.restore();
}

struct BerryLook {
    QColor light, dark, stalk;
};

// A flat-topped cluster of small round berries hanging from `base` in the
// direction of the angle, each berry on its own short stalk.
void draw_berry_cluster(QPainter &p, QPointF base, double angle_deg, double size, int count,
                        const BerryLook &look, Rng &rng)
{
    const double rad = angle_deg * pi / 180.0;
    const QPointF centre = base + QPointF(std::cos(rad), std::sin(rad)) * size * 0.9;
    struct Berry { QPointF at; double r; };
    std::vector<Berry> berries;
    for (int i = 0; i < count; ++i) {
        const double a = rng.uni(0, 2 * pi);
        const double d = std::sqrt(rng.uni(0, 1)) * size * 0.55;
        berries.push_back({centre + QPointF(std::cos(a) * d, std::sin(a) * d * 0.8),
                           size * rng.uni(0.11, 0.14)});
    }
    // Farther (upper) berries first so the nearer ones overlap them.
    std::sort(berries.begin(), berries.end(),
              [](const Berry &a, const Berry &b) { return a.at.y() < b.at.y(); });
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(look.stalk, std::max(0.6, size * 0.025), Qt::SolidLine, Qt::RoundCap));
    for (const Berry &b : berries) {
        QPainterPath stalk;
        stalk.moveTo(base);
        stalk.quadTo((base + b.at) / 2 + QPointF(0, -size * 0.1), b.at);
        p.drawPath(stalk);
    }
    p.setPen(Qt::NoPen);
    for (const Berry &b : berries) {
        QRadialGradient g(b.at + QPointF(-b.r * 0.35, -b.r * 0.4), b.r * 1.3);
        g.setColorAt(0, look.light);
        g.setColorAt(1, look.dark);
        p.setBrush(g);
        p.drawEllipse(b.at, b.r, b.r);
    }
}

const LeafLook fresh_leaf{QColor(74, 122, 52), QColor(150, 190, 110), QColor(92, 80, 50)};
const LeafLook shade_leaf{QColor(52, 96, 44), QColor(110, 150, 90), QColor(80, 70, 45)};
const BerryLook ripe_berry{QColor(255, 170, 90), QColor(196, 48, 22), QColor(110, 70, 40)};

// ---------------------------------------------------------------- tree

struct Tip {
    QPointF at;
    double angle;  // degrees, 0 = right, 90 = down
};

// Draws a limb as a filled outline that tapers from one width to the
// other along a gently bent curve, with a rounded joint at its end.
void draw_limb(QPainter &p, const QPainterPath &spine, double w0, double w1)
{
    constexpr int steps = 10;
    QPolygonF left, right;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const QPointF at = spine.pointAtPercent(t);
        const double a = -spine.angleAtPercent(t) * pi / 180.0;
        const QPointF normal(-std::sin(a), std::cos(a));
        const double half = (w0 + (w1 - w0) * t) / 2.0;
        left << at + normal * half;
        right.prepend(at - normal * half);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(104, 94, 80));
    p.drawPolygon(left + right);
    p.drawEllipse(spine.pointAtPercent(1.0), w1 / 2.0, w1 / 2.0);
}

// Grows one limb and its children, recording where the twigs end and the
// places along the smaller limbs where foliage grows as well.
void grow(QPainter &p, QPointF from, double angle, double len, double width, int depth,
          Rng &rng, std::vector<Tip> &tips)
{
    const double rad = angle * pi / 180.0;
    const QPointF to = from + QPointF(std::cos(rad), std::sin(rad)) * len;
    const QPointF side(-std::sin(rad), std::cos(rad));
    const QPointF mid = (from + to) / 2 + side * rng.uni(-0.12, 0.12) * len;
    QPainterPath limb;
    limb.moveTo(from);
    limb.quadTo(mid, to);
    const double end_width = width * 0.66;
    draw_limb(p, limb, width, end_width);
    if (depth == 0 || width < 1.2) {
        tips.push_back({to, angle});
        return;
    }
    const int children = rng.chance(0.35) ? 3 : 2;
    for (int i = 0; i < children; ++i) {
        const double spread = children == 3 ? (i - 1) * 30.0 : (i == 0 ? -26.0 : 26.0);
        // Branches lean back toward the horizontal, as a broad crown does.
        double a = angle + spread + rng.uni(-10, 10);
        a += (a < -90 ? 4.0 : -4.0) * (4 - std::min(depth, 4)) * 0.5;
        grow(p, to, a, len * rng.uni(0.68, 0.82), end_width * rng.uni(0.92, 1.0), depth - 1, rng, tips);
    }
    if (depth <= 3)
        tips.push_back({limb.pointAtPercent(0.6), angle});
}

// Soft masses of foliage round the twig ends: translucent blobs, darker
// underneath and lighter on top.
void draw_foliage_masses(QPainter &p, const std::vector<Tip> &tips, Rng &rng)
{
    p.setPen(Qt::NoPen);
    for (const Tip &t : tips) {
        const int blobs = 3;
        for (int i = 0; i < blobs; ++i) {
            const QPointF c = t.at + QPointF(rng.uni(-28, 28), rng.uni(-22, 22));
            const double r = rng.uni(26, 46);
            QRadialGradient g(c + QPointF(-r * 0.2, -r * 0.35), r);
            g.setColorAt(0, QColor(104, 146, 80, 120));
            g.setColorAt(0.7, QColor(70, 112, 60, 90));
            g.setColorAt(1, QColor(60, 100, 55, 0));
            p.setBrush(g);
            p.drawEllipse(c, r, r * 0.85);
        }
    }
}

void draw_crown_detail(QPainter &p, const std::vector<Tip> &tips, Rng &rng)
{
    for (const Tip &t : tips) {
        const int leaves = 2 + static_cast<int>(rng.uni(0, 2.99));
        for (int i = 0; i < leaves; ++i) {
            const double a = t.angle + rng.uni(-80, 80);
            draw_pinnate_leaf(p, t.at, a, rng.uni(30, 46), 5 + static_cast<int>(rng.uni(0, 2.99)),
                              rng.chance(0.5) ? fresh_leaf : shade_leaf, rng);
        }
        if (rng.chance(0.28))
            draw_berry_cluster(p, t.at, rng.uni(60, 120), rng.uni(20, 30), 9, ripe_berry, rng);
    }
}

// A bough in the foreground, coming in from the right edge, with large
// pinnate leaves and berry clusters.
void draw_foreground_bough(QPainter &p, Rng &rng)
{
    QPainterPath bough;
    bough.moveTo(1300, 915);
    bough.cubicTo(1260, 870, 1200, 850, 1110, 790);
    p.setPen(QPen(QColor(96, 82, 64), 7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bough);
    const double stops[] = {0.2, 0.45, 0.72, 1.0};
    for (double s : stops) {
        const QPointF at = bough.pointAtPercent(s);
        const double dir = -bough.angleAtPercent(s);  // clockwise, as y runs down
        draw_pinnate_leaf(p, at, dir - 140 + rng.uni(-10, 10), rng.uni(95, 120), 6, fresh_leaf, rng);
        draw_pinnate_leaf(p, at, dir + 150 + rng.uni(-10, 10), rng.uni(85, 110), 6, shade_leaf, rng);
    }
    draw_berry_cluster(p, bough.pointAtPercent(0.3), 110, 52, 15, ripe_berry, rng);
    draw_berry_cluster(p, bough.pointAtPercent(0.8), 70, 44, 12, ripe_berry, rng);
}

double smoothstep(double lo, double hi, double v)
{
    const double t = std::clamp((v - lo) / (hi - lo), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Lays the drawn plant over the window colour, faint on the left where the
// data-entry frames are and stronger toward the lower right, and mutes its
// colours so that nothing competes with the controls.
QImage fade_into_window(const QImage &art)
{
    const QImage src = art.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    const double bg[3] = {double(window_colour.red()), double(window_colour.green()),
                          double(window_colour.blue())};
    for (int y = 0; y < src.height(); ++y) {
        const QRgb *s = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        QRgb *d = reinterpret_cast<QRgb *>(out.scanLine(y));
        // A barely visible lightening toward the top, like open sky.
        const double sky_top = 6.0 * (1.0 - double(y) / src.height());
        // Near the right and bottom edges everything fades into the window
        // colour, so a window larger than the picture shows no edge.
        const double edge_y = smoothstep(src.height(), src.height() - 60, y);
        for (int x = 0; x < src.width(); ++x) {
            const double edge = edge_y * smoothstep(src.width(), src.width() - 160, x);
            const double sky = sky_top * edge;
            const double reach = 0.16 + 0.30 * smoothstep(420, 1150, x) * (0.55 + 0.45 * smoothstep(150, 900, y));
            const double a = qAlpha(s[x]) / 255.0 * reach * edge;
            const double c[3] = {double(qRed(s[x])), double(qGreen(s[x])), double(qBlue(s[x]))};
            const double grey = 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2];
            int v[3];
            for (int k = 0; k < 3; ++k) {
                const double muted = 0.7 * c[k] + 0.3 * grey;
                v[k] = std::clamp(int(std::lround(bg[k] + sky + (muted - bg[k]) * a)), 0, 255);
            }
            d[x] = qRgb(v[0], v[1], v[2]);
        }
    }
    return out;
}

QImage draw_background()
{
    const int w = 1280, h = 927;
    QImage art = blank(w, h);
    QPainter p(&art);
    start(p);
    Rng rng(14987);

    // Ground: a soft rise of grass along the bottom.
    QPainterPath ground;
    ground.moveTo(0, h);
    ground.lineTo(0, 905);
    ground.cubicTo(400, 880, 800, 890, w, 870);
    ground.lineTo(w, h);
    QLinearGradient g(0, 860, 0, h);
    g.setColorAt(0, QColor(120, 150, 100, 110));
    g.setColorAt(1, QColor(100, 130, 85, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(ground);

    // The trunk flares a little where it meets the ground.
    QPainterPath foot;
    foot.moveTo(860, 940);
    foot.lineTo(860, 880);
    draw_limb(p, foot, 86, 44);

    std::vector<Tip> tips;
    grow(p, QPointF(860, 935), -88, 250, 44, 7, rng, tips);
    draw_foliage_masses(p, tips, rng);
    draw_crown_detail(p, tips, rng);
    draw_foreground_bough(p, rng);
    p.end();
    return fade_into_window(art);
}

// ---------------------------------------------------------------- sprig

// A fruiting sprig on a pale, faintly green ground, for the About box.
QImage draw_sprig_picture()
{
    const int w = 400, h = 300;
    QImage img = blank(w, h);
    QPainter p(&img);
    start(p);
    QRadialGradient ground(w * 0.45, h * 0.4, w * 0.75);
    ground.setColorAt(0, QColor(246, 247, 238));
    ground.setColorAt(1, QColor(210, 220, 198));
    p.fillRect(img.rect(), ground);

    Rng rng(3);
    QPainterPath twig;
    twig.moveTo(392, 286);
    twig.cubicTo(320, 230, 230, 190, 70, 120);
    p.setPen(QPen(QColor(104, 84, 62), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(twig);
    const double stops[] = {0.2, 0.45, 0.7, 0.93};
    for (double s : stops) {
        const QPointF at = twig.pointAtPercent(s);
        const double dir = -twig.angleAtPercent(s);
        draw_pinnate_leaf(p, at, dir - 70 + rng.uni(-8, 8), rng.uni(110, 130), 6, fresh_leaf, rng);
        draw_pinnate_leaf(p, at, dir + 65 + rng.uni(-8, 8), rng.uni(95, 115), 6, shade_leaf, rng);
    }
    draw_pinnate_leaf(p, twig.pointAtPercent(1.0), -twig.angleAtPercent(1.0) + 10, 95, 5, fresh_leaf, rng);
    draw_berry_cluster(p, twig.pointAtPercent(0.33), 95, 70, 18, ripe_berry, rng);
    draw_berry_cluster(p, twig.pointAtPercent(0.6), 105, 56, 14, ripe_berry, rng);

    p.setPen(QPen(QColor(120, 140, 100), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    p.end();
    return img;
}

// ---------------------------------------------------------------- icons

// The program icon: a pinnate leaf and a few berries, drawn for its size.
QImage draw_program_icon(int size)
{
    QImage img = blank(size, size);
    QPainter p(&img);
    start(p);
    p.scale(size / 32.0, size / 32.0);
    const bool tiny = size < 24;
    const QColor leaf(56, 128, 40), edge(24, 70, 18), stalk(70, 54, 30);

    p.setPen(QPen(stalk, tiny ? 2.0 : 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 27), QPointF(26, 5));
    const int pairs = tiny ? 2 : 3;
    for (int i = 0; i < pairs; ++i) {
        const double t = 0.3 + 0.5 * i / (pairs - 1);
        const QPointF at(5 + 21 * t, 27 - 22 * t);
        for (int side = -1; side <= 1; side += 2) {
            p.save();
            p.translate(at);
            p.rotate(-45 + side * 62);
            p.setPen(QPen(edge, tiny ? 1.2 : 0.8));
            p.setBrush(leaf);
            p.drawPath(leaflet_path(tiny ? 12.0 : 10.5, tiny ? 6.5 : 5.0));
            p.restore();
        }
    }
    p.save();
    p.translate(24, 7);
    p.rotate(-45);
    p.setPen(QPen(edge, tiny ? 1.2 : 0.8));
    p.setBrush(leaf);
    p.drawPath(leaflet_path(tiny ? 8.0 : 8.5, tiny ? 5.5 : 4.6));
    p.restore();

    const QPointF berries[] = {{9.5, 22.0}, {14.5, 25.5}, {9.0, 27.5}};
    const double r = tiny ? 3.6 : 3.3;
    for (const QPointF &b : berries) {
        QRadialGradient g(b + QPointF(-1, -1.2), r * 1.4);
        g.setColorAt(0, QColor(255, 150, 90));
        g.setColorAt(1, QColor(190, 30, 16));
        p.setPen(QPen(QColor(110, 16, 8), tiny ? 1.0 : 0.7));
        p.setBrush(g);
        p.drawEllipse(b, r, r);
    }
    p.end();
    return img;
}

// A magnifying glass with a plus or minus in the lens, for the preview's
// zoom cursor; a white halo keeps it visible on white and on dark pages.
QImage draw_zoom_cursor(bool plus)
{
    QImage img = blank(32, 32);
    QPainter p(&img);
    start(p);
    const QPointF centre(12.5, 12.5);
    const double r = 9.0;

    p.setPen(QPen(Qt::white, 7.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19.5, 19.5), QPointF(28.5, 28.5));
    p.setPen(QPen(Qt::white, 5.0));
    p.setBrush(QColor(255, 255, 255, 215));
    p.drawEllipse(centre, r, r);

    p.setPen(QPen(QColor(20, 20, 20), 5.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19.8, 19.8), QPointF(28.0, 28.0));
    p.setPen(QPen(QColor(20, 20, 20), 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r, r);

    p.setPen(QPen(QColor(20, 20, 20), 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(7.5, 12.5), QPointF(17.5, 12.5));
    if (plus)
        p.drawLine(QPointF(12.5, 7.5), QPointF(12.5, 17.5));
    p.end();
    return img;
}

enum class Alert { critical, question, exclamation, information };

void draw_round_badge(QPainter &p, const QColor &light, const QColor &dark, const QColor &rim)
{
    QRadialGradient g(QPointF(15, 13), 22);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(rim, 1.5));
    p.setBrush(g);
    p.drawEllipse(QPointF(20, 20), 17.5, 17.5);
}

void draw_badge_text(QPainter &p, const QString &glyph, const QFont &font, double y_shift)
{
    p.setFont(font);
    const QFontMetricsF fm(font);
    const QRectF ink = fm.tightBoundingRect(glyph);
    const QPointF at(20 - ink.center().x(), 20 - ink.center().y() + y_shift);
    p.setPen(Qt::white);
    p.drawText(at, glyph);
}

// Message-box icons, 40 x 40, drawn with clear outsides.
QImage draw_alert_icon(Alert kind)
{
    QImage img = blank(40, 40);
    QPainter p(&img);
    start(p);
    const QColor blue_light(110, 165, 235), blue_dark(22, 78, 170), blue_rim(14, 52, 120);
    switch (kind) {
    case Alert::critical:
        draw_round_badge(p, QColor(245, 110, 90), QColor(190, 28, 18), QColor(120, 12, 8));
        p.setPen(QPen(Qt::white, 4.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(13, 13), QPointF(27, 27));
        p.drawLine(QPointF(27, 13), QPointF(13, 27));
        break;
    case Alert::question:
        draw_round_badge(p, blue_light, blue_dark, blue_rim);
        draw_badge_text(p, "?", caption_font(27), 0);
        break;
    case Alert::information: {
        draw_round_badge(p, blue_light, blue_dark, blue_rim);
        QFont serif("C059");
        serif.setBold(true);
        serif.setPixelSize(29);
        draw_badge_text(p, "i", serif, 0);
        break;
    }
    case Alert::exclamation: {
        QPainterPath tri;
        tri.moveTo(20, 2.5);
        tri.lineTo(38, 36);
        tri.lineTo(2, 36);
        tri.closeSubpath();
        QLinearGradient g(0, 2, 0, 36);
        g.setColorAt(0, QColor(255, 228, 110));
        g.setColorAt(1, QColor(238, 180, 10));
        p.setPen(QPen(QColor(128, 90, 0), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(g);
        p.drawPath(tri);
        p.setPen(QPen(QColor(30, 24, 10), 4.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(20, 13.5), QPointF(20, 24.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 24, 10));
        p.drawEllipse(QPointF(20, 30.5), 2.4, 2.4);
        break;
    }
    }
    p.end();
    return matte_for_gif(img, message_colour);
}

// The maker's logo for the About box: a leaf mark, the product name and
// the maker's name, in white on the box's dark green.
QImage draw_logo()
{
    const int w = 200, h = 80;
    QImage img = blank(w, h, about_colour);
    QPainter p(&img);
    start(p);

    p.save();
    p.translate(34, 40);
    p.rotate(-60);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(leaflet_path(44, 26).translated(-22, 0));
    p.setPen(QPen(about_colour, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-18, 0), QPointF(16, 0));
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(232, 80, 40));
    p.drawEllipse(QPointF(44, 54), 5, 5);
    p.drawEllipse(QPointF(52, 48), 4.2, 4.2);

    QFont name("URW Gothic");
    name.setWeight(QFont::DemiBold);
    name.setPixelSize(27);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QPointF(66, 41), "Quenla ID");

    QFont maker = caption_font(11, 3.2);
    p.setFont(maker);
    p.setPen(QColor(200, 226, 180));
    p.drawText(QPointF(68, 60), "VANTELO");
    p.setPen(QPen(QColor(200, 226, 180), 1));
    p.drawLine(QPointF(67, 48.5), QPointF(190, 48.5));
    p.end();
    return img;
}

bool draw_all(const QString &dir)
{
    bool ok = true;
    const struct { const char *stem, *caption; } main_buttons[] = {
        {"print", "PRINT"}, {"next", "NEXT"}, {"back", "BACK"}, {"clear", "CLEAR"}, {"extend", "EXTEND"}};
    for (const auto &b : main_buttons)
        ok &= write_button_pair(dir, b.stem, 120, 40, b.caption, main_style);
    ok &= write_button_pair(dir, "prnt", 100, 20, "PRINT", preview_style);
    ok &= write_button_pair(dir, "close", 100, 20, "CLOSE", preview_style);
    ok &= write_button_pair(dir, "f_ul_", 100, 26, "CLOSE", about_style);

    ok &= save(draw_alert_icon(Alert::critical), dir + "/ms_crit.png");
    ok &= save(draw_alert_icon(Alert::question), dir + "/ms_ques.png");
    ok &= save(draw_alert_icon(Alert::exclamation), dir + "/ms_exclam.png");
    ok &= save(draw_alert_icon(Alert::information), dir + "/ms_info.png");

    // The program icon in the sizes a desktop's menus and software centres ask for.
    for (int size : {16, 32, 48, 64, 128, 256})
        ok &= save(draw_program_icon(size), dir + QString("/Ostrel%1.png").arg(size));
    ok &= save(draw_zoom_cursor(true), dir + "/mag-plus.png");
    ok &= save(draw_zoom_cursor(false), dir + "/mag-minus.png");

    ok &= save(draw_logo(), dir + "/Vantelo_qid.png");
    ok &= save(draw_sprig_picture(), dir + "/s_vil3.jpg", 90);
    ok &= save(draw_background(), dir + "/bkgnd.jpg", 85);
    return ok;
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: draw_graphics <output folder>\n";
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir)) {
        QTextStream(stderr) << "cannot create " << dir << "\n";
        return 1;
    }
    return draw_all(dir) ? 0 : 1;
}
