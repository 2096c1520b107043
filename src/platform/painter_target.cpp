#include "platform/painter_target.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include <QGlyphRun>
#include <QHash>
#include <QRawFont>

namespace qid::platform {

namespace {

// Fonts kept at once; a page uses a handful, and any number of size codes
// cannot make the cache grow without bound.
constexpr std::size_t max_cached_fonts = 48;

const QChar space = QLatin1Char(' ');

// Length of the character at i: a surrogate pair is one character.
qsizetype char_len(QStringView s, qsizetype i)
{
    return s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate() ? 2 : 1;
}

char32_t code_point(QStringView ch)
{
    return ch.size() == 2 ? QChar::surrogateToUcs4(ch[0], ch[1]) : ch[0].unicode();
}

// Per character of a font: a table for Latin-1, a hash for the rest.
template <typename T>
class PerChar {
public:
    PerChar() { latin_.fill(unknown); }
    const T* find(char32_t c) const
    {
        if (c < latin_.size())
            return latin_[c] == unknown ? nullptr : &latin_[c];
        const auto it = other_.constFind(c);
        return it == other_.cend() ? nullptr : &*it;
    }
    void put(char32_t c, T value)
    {
        if (c < latin_.size())
            latin_[c] = value;
        else
            other_.insert(c, value);
    }

private:
    static constexpr T unknown = T(-1);
    std::array<T, 256> latin_;
    QHash<char32_t, T> other_;
};

}  // namespace

// A font as this target draws and measures it. Characters keep their own
// widths: no kerning, no ligatures, so a text is as wide as its characters
// drawn one after the other, and a document keeps every letter as typed.
struct PainterTarget::CachedFont {
    // Drawn and measured in the font magnified, under a painter scaled down
    // by as much: what is drawn is exactly as wide as what was measured.
    CachedFont(const TargetFont& f, const QPaintDevice* device, double magnification)
        : key(f), mag(magnification), font(qt_font(f, mag)), metrics(font, device)
    {
        height_px = metrics.height() / mag;
        ascent_px = metrics.ascent() / mag;
    }

    static QFont qt_font(const TargetFont& f, double mag)
    {
        QFont q(f.name);
        q.setPointSizeF(f.size * mag);
        q.setItalic(f.italic);
        q.setUnderline(f.underline);
        q.setStrikeOut(f.strikethrough);
        q.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 1, 1000)));
        // Unhinted advances keep the widths proportional at every resolution,
        // so a surface places its characters like the printer does.
        q.setHintingPreference(QFont::PreferNoHinting);
        q.setKerning(false);
        q.setStyleStrategy(QFont::PreferNoShaping);
        return q;
    }

    // Glyph of a character in the font itself; 0 when the font has none (the
    // character is then drawn as text, which finds it in another font).
    quint32 glyph(QStringView ch, const QPaintDevice* device)
    {
        const char32_t c = code_point(ch);
        if (const quint32* g = glyphs.find(c))
            return *g;
        if (!raw)
            raw = QRawFont::fromFont(QFont(font, device));
        quint32 g[2] = {0, 0};
        int n = 2;
        if (!raw->isValid() || !raw->glyphIndexesForChars(ch.data(), static_cast<int>(ch.size()), g, &n) || n != 1)
            g[0] = 0;
        glyphs.put(c, g[0]);
        return g[0];
    }

    // The advance of s in device pixels.
    double advance(const QString& s) const { return metrics.horizontalAdvance(s) / mag; }

    TargetFont key;
    double mag;  // the font is this much larger than it looks on the device
    QFont font;
    QFontMetricsF metrics;
    double height_px = 0;
    double ascent_px = 0;
    PerChar<double> widths;  // device pixels
    PerChar<quint32> glyphs;
    std::optional<QRawFont> raw;
};

PainterTarget::PainterTarget(bool opaque_text, Runs runs) : opaque_(opaque_text), runs_(runs) {}

PainterTarget::~PainterTarget() = default;

void PainterTarget::set_current(float x, float y)
{
    x_ = x;
    y_ = y;
}

PainterTarget::CachedFont& PainterTarget::cached() const
{
    if (current_)
        return *current_;
    // Metrics are kept in device pixels at the device's resolution: a
    // picture can change its scale and keep them, a printer set up anew may
    // measure at another resolution.
    const QPoint dpi(metric_device()->logicalDpiX(), metric_device()->logicalDpiY());
    if (dpi != fonts_dpi_) {
        fonts_.clear();
        fonts_dpi_ = dpi;
    }
    const auto found =
        std::find_if(fonts_.begin(), fonts_.end(), [&](const auto& c) { return c->key == font_; });
    if (found != fonts_.end()) {
        current_ = found->get();
        return *current_;
    }
    if (fonts_.size() >= max_cached_fonts)
        fonts_.erase(fonts_.begin());
    fonts_.push_back(std::make_unique<CachedFont>(font_, metric_device(), font_magnification()));
    current_ = fonts_.back().get();
    return *current_;
}

void PainterTarget::set_font(const TargetFont& f)
{
    TargetFont wanted = f;
    // A size that no device can render keeps the previous one.
    if (!std::isfinite(wanted.size) || wanted.size <= 0.0f)
        wanted.size = font_.size;
    if (wanted == font_)
        return;
    font_ = wanted;
    current_ = nullptr;
}

float PainterTarget::char_width(QStringView ch) const
{
    if (ch.isEmpty() || ch.size() > 2 || (ch.size() == 2 && char_len(ch, 0) != 2))
        return text_width(ch.toString());
    CachedFont& f = cached();
    const char32_t c = code_point(ch);
    const double* known = f.widths.find(c);
    const double w = known ? *known : f.advance(ch.toString());
    if (!known)
        f.widths.put(c, w);
    return static_cast<float>(w / pixels_per_unit_x());
}

float PainterTarget::text_width(const QString& s) const
{
    if (!s.isEmpty() && char_len(s, 0) == s.size())
        return char_width(s);
    return static_cast<float>(cached().advance(s) / pixels_per_unit_x());
}

float PainterTarget::text_height(const QString&) const
{
    return static_cast<float>(cached().height_px / pixels_per_unit_y());
}

int PainterTarget::set_transparent()
{
    const int previous = opaque_ ? bk_opaque : bk_transparent;
    opaque_ = false;
    return previous;
}

double PainterTarget::cell_top(double py) const
{
    return bottom_aligned_ ? py - cached().height_px : py;
}

void PainterTarget::print_text(const QString& s)
{
    print_run(s);
}

void PainterTarget::print_run(QStringView s, float space_extra)
{
    // Each character starts where the previous one's own width ends, exactly
    // as if they were drawn one at a time.
    std::vector<float> xs;
    xs.reserve(static_cast<std::size_t>(s.size()) + 1);
    float x = x_;
    for (qsizetype i = 0; i < s.size();) {
        const qsizetype len = char_len(s, i);
        if (s[i] == space)
            x += space_extra;
        xs.push_back(x);
        x += char_width(s.mid(i, len));
        i += len;
    }
    xs.push_back(x);
    if (QPainter* p = begin_paint(); p && !s.isEmpty()) {
        CachedFont& f = cached();
        const double top = cell_top(y_ * pixels_per_unit_y());
        if (opaque_)
            p->fillRect(QRectF(QPointF(xs.front() * pixels_per_unit_x(), top),
                               QPointF(xs.back() * pixels_per_unit_x(), top + f.height_px)),
                        QColor(to_qrgb(back_)));
        p->save();
        p->setPen(QColor(to_qrgb(fore_)));
        p->setFont(f.font);
        // Device pixels of the magnified font.
        p->scale(1 / f.mag, 1 / f.mag);
        const double baseline = (top + f.ascent_px) * f.mag;
        for (float& at : xs)
            at = static_cast<float>(at * pixels_per_unit_x() * f.mag);
        if (runs_ == Runs::glyphs)
            draw_glyphs(*p, s, xs, baseline);
        else
            draw_pieces(*p, s, xs, baseline, space_extra != 0);
        p->restore();
    }
    x_ = x;
}

// One glyph run with every position given; characters the font lacks are
// drawn as text where they stand. Positions are in the painter's pixels.
void PainterTarget::draw_glyphs(QPainter& p, QStringView s, const std::vector<float>& xs, double baseline)
{
    CachedFont& f = cached();
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(static_cast<qsizetype>(xs.size()));
    positions.reserve(static_cast<qsizetype>(xs.size()));
    std::size_t k = 0;
    for (qsizetype i = 0; i < s.size(); ++k) {
        const qsizetype len = char_len(s, i);
        const QStringView ch = s.mid(i, len);
        const QPointF at(xs[k], baseline);
        if (const quint32 g = f.glyph(ch, metric_device())) {
            glyphs.push_back(g);
            positions.push_back(at);
        } else {
            p.drawText(at, ch.toString());
        }
        i += len;
    }
    if (glyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(*f.raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(font_.underline);
    run.setStrikeOut(font_.strikethrough);
    p.drawGlyphRun(QPointF(0, 0), run);
}

// As text, in one piece, or one piece per word when the spaces are widened.
void PainterTarget::draw_pieces(QPainter& p, QStringView s, const std::vector<float>& xs, double baseline,
                                bool widened)
{
    qsizetype from = 0;
    std::size_t from_k = 0;
    std::size_t k = 0;
    for (qsizetype i = 0;; ++k) {
        if (i == s.size() || (widened && i > from && s[i] == space)) {
            p.drawText(QPointF(xs[from_k], baseline), s.mid(from, i - from).toString());
            from = i;
            from_k = k;
        }
        if (i == s.size())
            return;
        i += char_len(s, i);
    }
}

void PainterTarget::print_line()
{
    y_ += text_height(QString());
    x_ = 0;
}

void PainterTarget::paint_picture(const QImage& picture, float x, float y, float w, float h)
{
    if (QPainter* p = begin_paint()) {
        const QRectF rect(x * pixels_per_unit_x(), y * pixels_per_unit_y(), w * pixels_per_unit_x(),
                          h * pixels_per_unit_y());
        p->save();
        p->setRenderHint(QPainter::SmoothPixmapTransform);
        p->drawImage(rect, picture);
        p->restore();
    }
}

void PainterTarget::draw_box(float x1, float y1, float x2, float y2, std::int32_t rgb)
{
    if (QPainter* p = begin_paint()) {
        QPen pen(QColor(to_qrgb(rgb)));
        pen.setWidth(draw_width_);
        pen.setJoinStyle(Qt::MiterJoin);
        p->setPen(pen);
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRectF(QPointF(x1 * pixels_per_unit_x(), y1 * pixels_per_unit_y()),
                           QPointF(x2 * pixels_per_unit_x(), y2 * pixels_per_unit_y()))
                        .normalized());
    }
    set_current(x2, y2);
}

}  // namespace qid::platform
