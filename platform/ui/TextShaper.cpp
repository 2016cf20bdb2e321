#include "platform/ui/TextShaper.h"

#include "platform/ui/CacheKey.h"

#include <QPaintDevice>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <string>

namespace plyx::ui::detail {

namespace {

template <class F> void forEachCharacter(const QString& s, F&& f) {
    const auto bounds = graphemeBoundaries(s);
    for (size_t i = 1; i < bounds.size(); ++i) f(s.mid(bounds[i - 1], bounds[i] - bounds[i - 1]));
}

} // namespace

std::vector<int> graphemeBoundaries(const QString& s) {
    std::vector<int> out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    for (int pos = 0; pos >= 0; pos = int(finder.toNextBoundary())) out.push_back(pos);
    if (out.empty() || out.back() != s.size()) out.push_back(int(s.size()));
    return out;
}

Shaper::Shaper(const TextStyle& style, double scale)
    : style_(style), scale_(scale), metrics_(makeFont(nullptr), metricsDevice()) {
    style_.lineSpacing = 0; // not the shaper's business; keeps shared shapers alike
    lineHeight_ = metrics_.lineSpacing() / kOversample;
    ascent_ = metrics_.ascent() / kOversample;
    if (style.monospacedDigits) {
        for (QChar c = u'0'; c <= u'9'; c = QChar(c.unicode() + 1))
            digitWidth_ = std::max(digitWidth_, metrics_.horizontalAdvance(c) / kOversample);
    }
}

double Shaper::advance(const QString& s) const {
    if (auto it = advances_.find(s); it != advances_.end()) return it->second;
    double w = 0;
    if (!perCharacter()) {
        w = metrics_.horizontalAdvance(s) / kOversample;
        if (tracking() != 0) w += tracking() * double(graphemeBoundaries(s).size() - 1);
    } else {
        forEachCharacter(s, [&](const QString& c) { w += characterAdvance(c); });
    }
    if (advances_.size() > 4096) advances_.clear();
    advances_.emplace(s, w);
    return w;
}

void Shaper::draw(QPainter& p, QPointF origin, const QString& s) const {
    p.save();
    p.translate(origin);
    p.scale(1 / kOversample, 1 / kOversample);
    if (!perCharacter()) {
        const Line& line = shapedLine(p.device(), s);
        for (const auto& run : line.runs) p.drawGlyphRun(QPointF(0, -line.ascent), run);
    } else {
        double x = 0;
        forEachCharacter(s, [&](const QString& c) {
            double dx = 0;
            if (isDigit(c)) dx = (digitWidth_ - metrics_.horizontalAdvance(c) / kOversample) / 2;
            const Line& line = shapedLine(p.device(), c);
            for (const auto& run : line.runs) p.drawGlyphRun(QPointF((x + dx) * kOversample, -line.ascent), run);
            x += characterAdvance(c);
        });
    }
    p.restore();
}

const Shaper::Line& Shaper::shapedLine(const QPaintDevice* device, const QString& s) const {
    const int dpi = device ? device->logicalDpiY() : 0;
    if (dpi != linesDpi_) {
        lines_.clear();
        linesDpi_ = dpi;
    }
    if (auto it = lines_.find(s); it != lines_.end()) return it->second;
    QFont font = makeFont(device);
    // The font spaces the characters as `advance` counts them.
    if (tracking() != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, tracking() * kOversample);
    QTextLayout layout(s, font, const_cast<QPaintDevice*>(device));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    if (textLine.isValid()) textLine.setPosition(QPointF(0, 0));
    layout.endLayout();
    // The runs stand on the line's baseline, an ascent below its top.
    Line line;
    line.ascent = textLine.isValid() ? textLine.ascent() : 0;
    line.runs = layout.glyphRuns();
    if (lines_.size() > 256) lines_.clear();
    return lines_.emplace(s, std::move(line)).first->second;
}

/// One character's advance: digits at the widest digit's width when they are
/// monospaced, and the tracking after each.
double Shaper::characterAdvance(const QString& c) const {
    if (isDigit(c)) return digitWidth_ + tracking();
    auto it = advances_.find(c);
    if (it == advances_.end()) it = advances_.emplace(c, metrics_.horizontalAdvance(c) / kOversample).first;
    return it->second + tracking();
}

namespace {

/// What decides a shaper: the face and its size, weight, design, tracking and
/// digit widths, as values (formatting them into text cost more than shaping).
struct ShaperKey {
    std::string family;
    double size = 0, scale = 0;
    int weight = 0, design = 0;
    double tracking = 0;
    bool monospacedDigits = false;
    bool operator==(const ShaperKey&) const = default;
};

struct ShaperKeyHash {
    std::size_t operator()(const ShaperKey& k) const noexcept {
        std::size_t h = std::hash<std::string>{}(k.family);
        h = hashCombine(h, std::hash<double>{}(k.size));
        h = hashCombine(h, std::hash<double>{}(k.scale));
        h = hashCombine(h, std::hash<double>{}(k.tracking));
        return hashCombine(h, std::size_t(k.weight) << 16 | std::size_t(k.design) << 1 | (k.monospacedDigits ? 1 : 0));
    }
};

} // namespace

/// Shapers are kept across renders (per thread, as fonts are): the same captions
/// and numerals come back every second.
std::shared_ptr<const Shaper> shaperFor(const TextStyle& style, double scale) {
    thread_local std::unordered_map<ShaperKey, std::shared_ptr<const Shaper>, ShaperKeyHash> shapers;
    // Size and scale are keyed apart: a shaper answers for the scale it was
    // made at, and 80 points at 0.55 is not 44 points at 1 to the text that asks.
    ShaperKey key{style.font.family, style.font.size,        scale, int(style.font.weight), int(style.font.design),
                  style.tracking,    style.monospacedDigits};
    auto it = shapers.find(key);
    if (it != shapers.end()) return it->second;
    if (shapers.size() > 256) shapers.clear();
    auto shaper = std::make_shared<const Shaper>(style, scale);
    shapers.emplace(std::move(key), shaper);
    return shaper;
}

} // namespace plyx::ui::detail
