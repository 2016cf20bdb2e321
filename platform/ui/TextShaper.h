#pragma once
// Internal: measuring and drawing lines of text in one font at one scale, with
// the advances remembered, and the per-thread cache of such shapers.
#include "platform/ui/Element.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QString>

#include <memory>
#include <unordered_map>
#include <vector>

namespace plyx::ui::detail {

/// Fonts are measured and drawn this many times larger than asked, then scaled
/// down: the font engines round pixel sizes to whole pixels, which would make
/// widths jump instead of following a fractional size (a scale unit of 1.0625,
/// a font shrunk by a minimum scale factor).
inline constexpr double kOversample = 16;

/// Grapheme boundaries of `s` (0 and its length included), so cuts never split a character.
std::vector<int> graphemeBoundaries(const QString& s);

/// Measures and draws lines of text in one font at one scale. Shaping is the
/// costly part of laying out a widget, so advances are remembered per string.
class Shaper {
public:
    Shaper(const TextStyle& style, double scale);

    double scale() const { return scale_; }
    double lineHeight() const { return lineHeight_; }
    double ascent() const { return ascent_; }
    double strikeOutPos() const { return metrics_.strikeOutPos() / kOversample; }
    double lineWidth() const { return metrics_.lineWidth() / kOversample; }

    /// Width of `s` on one line; tracking follows every character.
    double advance(const QString& s) const;
    /// Draws `s` with its baseline starting at `origin`.
    void draw(QPainter& p, QPointF origin, const QString& s) const;

private:
    double tracking() const { return style_.tracking * scale_; }
    /// Monospaced digits are placed one character at a time.
    bool perCharacter() const { return style_.monospacedDigits; }
    bool isDigit(const QString& c) const { return style_.monospacedDigits && c.size() == 1 && c[0].isDigit(); }
    double characterAdvance(const QString& c) const;
    QFont makeFont(const QPaintDevice* device) const { return toQFont(style_.font, scale_ * kOversample, device); }

    TextStyle style_;
    double scale_;
    QFontMetricsF metrics_;
    double digitWidth_ = 0;
    // Asked for every line laid out; each question looks the font engine up again.
    double lineHeight_ = 0, ascent_ = 0;
    mutable std::unordered_map<QString, double> advances_;

    /// A line shaped once and drawn as it is: the same captions and figures
    /// come back every refresh, and shaping them is most of drawing them.
    struct Line {
        QList<QGlyphRun> runs;
        double ascent = 0;
    };
    const Line& shapedLine(const QPaintDevice* device, const QString& s) const;
    mutable std::unordered_map<QString, Line> lines_;
    mutable int linesDpi_ = -1; // the devices' resolution the lines were shaped for
};

/// The shaper of `style` at `scale`, shared across renders on this thread.
std::shared_ptr<const Shaper> shaperFor(const TextStyle& style, double scale);

} // namespace plyx::ui::detail
