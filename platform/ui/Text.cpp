// Text: measured with the font's metrics, wrapped at word boundaries, cut to its
// line limit with a trailing "…", and shrunk down to its minimum scale factor
// before it is cut.
#include "platform/ui/Element.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <cmath>
#include <unordered_map>

namespace plyx::ui::detail {

namespace {

constexpr double kEpsilon = 1e-6;
const QString kEllipsis = QStringLiteral("\u2026");

/// Fonts are measured and drawn this many times larger than asked, then scaled
/// down: the font engines round pixel sizes to whole pixels, which would make
/// widths jump instead of following a fractional size (a scale unit of 1.0625,
/// a font shrunk by a minimum scale factor).
constexpr double kOversample = 16;

/// Grapheme boundaries of `s`, so cuts never split a character.
std::vector<int> graphemeBoundaries(const QString& s);

/// Measures and draws lines of text in one font at one scale. Shaping is the
/// costly part of laying out a widget, so advances are remembered per string.
class Shaper {
public:
    Shaper(const TextStyle& style, double scale)
        : style_(style), scale_(scale), metrics_(makeFont(nullptr), metricsDevice()) {
        style_.lineSpacing = 0; // not the shaper's business; keeps shared shapers alike
        if (style.monospacedDigits) {
            for (QChar c = u'0'; c <= u'9'; c = QChar(c.unicode() + 1))
                digitWidth_ = std::max(digitWidth_, metrics_.horizontalAdvance(c) / kOversample);
        }
    }

    double scale() const { return scale_; }
    double lineHeight() const { return metrics_.lineSpacing() / kOversample; }
    double ascent() const { return metrics_.ascent() / kOversample; }
    double strikeOutPos() const { return metrics_.strikeOutPos() / kOversample; }
    double lineWidth() const { return metrics_.lineWidth() / kOversample; }

    /// Width of `s` on one line; tracking follows every character.
    double advance(const QString& s) const {
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

    /// Draws `s` with its baseline starting at `origin`.
    void draw(QPainter& p, QPointF origin, const QString& s) const {
        p.save();
        p.translate(origin);
        p.scale(1 / kOversample, 1 / kOversample);
        QFont font = makeFont(p.device());
        if (!perCharacter()) {
            // The font spaces the characters as `advance` counts them.
            if (tracking() != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, tracking() * kOversample);
            p.setFont(font);
            p.drawText(QPointF(0, 0), s);
        } else {
            p.setFont(font);
            double x = 0;
            forEachCharacter(s, [&](const QString& c) {
                double dx = 0;
                if (isDigit(c)) dx = (digitWidth_ - metrics_.horizontalAdvance(c) / kOversample) / 2;
                p.drawText(QPointF((x + dx) * kOversample, 0), c);
                x += characterAdvance(c);
            });
        }
        p.restore();
    }

private:
    double tracking() const { return style_.tracking * scale_; }
    /// Monospaced digits are placed one character at a time.
    bool perCharacter() const { return style_.monospacedDigits; }
    bool isDigit(const QString& c) const { return style_.monospacedDigits && c.size() == 1 && c[0].isDigit(); }

    /// One character's advance: digits at the widest digit's width when they are
    /// monospaced, and the tracking after each.
    double characterAdvance(const QString& c) const {
        if (isDigit(c)) return digitWidth_ + tracking();
        auto it = advances_.find(c);
        if (it == advances_.end()) it = advances_.emplace(c, metrics_.horizontalAdvance(c) / kOversample).first;
        return it->second + tracking();
    }

    QFont makeFont(const QPaintDevice* device) const { return toQFont(style_.font, scale_ * kOversample, device); }

    template <class F>
    static void forEachCharacter(const QString& s, F&& f) {
        const auto bounds = graphemeBoundaries(s);
        for (size_t i = 1; i < bounds.size(); ++i) f(s.mid(bounds[i - 1], bounds[i] - bounds[i - 1]));
    }

    TextStyle style_;
    double scale_;
    QFontMetricsF metrics_;
    double digitWidth_ = 0;
    mutable std::unordered_map<QString, double> advances_;
};

/// Shapers are kept across renders (per thread, as fonts are): the same captions
/// and numerals come back every second.
std::shared_ptr<const Shaper> shaperFor(const TextStyle& style, double scale) {
    thread_local std::unordered_map<std::string, std::shared_ptr<const Shaper>> shapers;
    std::string key = style.font.family;
    key += '|' + std::to_string(style.font.size * scale) + '|' + std::to_string(int(style.font.weight)) + '|' +
           std::to_string(int(style.font.design)) + '|' + std::to_string(style.tracking * scale) + '|' +
           (style.monospacedDigits ? "m" : "p");
    auto it = shapers.find(key);
    if (it != shapers.end()) return it->second;
    if (shapers.size() > 256) shapers.clear();
    auto shaper = std::make_shared<const Shaper>(style, scale);
    shapers.emplace(std::move(key), shaper);
    return shaper;
}

/// Grapheme boundaries of `s`, so cuts never split a character.
std::vector<int> graphemeBoundaries(const QString& s) {
    std::vector<int> out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    for (int pos = 0; pos >= 0; pos = int(finder.toNextBoundary())) out.push_back(pos);
    if (out.empty() || out.back() != s.size()) out.push_back(int(s.size()));
    return out;
}

/// `s` cut at its end so that it and a trailing "…" fit in `width`.
QString elide(const Shaper& shaper, const QString& s, double width) {
    if (shaper.advance(s) <= width + kEpsilon) return s;
    const auto bounds = graphemeBoundaries(s);
    size_t lo = 0, hi = bounds.size() - 1; // largest k with prefix(bounds[k]) + "…" fitting
    auto fits = [&](size_t k) {
        return shaper.advance(s.left(bounds[k]).trimmed() + kEllipsis) <= width + kEpsilon;
    };
    if (!fits(0)) return kEllipsis;
    while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (fits(mid)) lo = mid;
        else hi = mid - 1;
    }
    QString head = s.left(bounds[lo]);
    while (!head.isEmpty() && head.back().isSpace()) head.chop(1);
    return head + kEllipsis;
}

/// Greedy word wrap of one paragraph at `width`; a word wider than a line is broken
/// between characters.
std::vector<QString> wrap(const Shaper& shaper, const QString& paragraph, double width) {
    std::vector<QString> lines;
    if (shaper.advance(paragraph) <= width + kEpsilon) return {paragraph};
    QString current;
    const QStringList words = paragraph.split(u' ');
    for (int i = 0; i < words.size(); ++i) {
        const QString candidate = current.isEmpty() ? words[i] : current + u' ' + words[i];
        if (shaper.advance(candidate) <= width + kEpsilon) {
            current = candidate;
            continue;
        }
        if (!current.isEmpty()) lines.push_back(current);
        current = words[i];
        // A single word too long for the line: break it where it no longer fits.
        while (shaper.advance(current) > width + kEpsilon) {
            const auto bounds = graphemeBoundaries(current);
            size_t k = 1;
            while (k + 1 < bounds.size() && shaper.advance(current.left(bounds[k + 1])) <= width + kEpsilon) ++k;
            lines.push_back(current.left(bounds[k]));
            current = current.mid(bounds[k]);
        }
    }
    lines.push_back(current);
    return lines;
}

struct TextLayout {
    double scale = 1;
    std::vector<QString> lines;
    Size size;
    bool cut = false;
    double lineHeight = 0, ascent = 0, gap = 0;
};

struct TextNode final : Node {
    std::string text;
    ElementPtr build(const BuildContext& ctx) const override;
};

class TextElement final : public Element {
public:
    TextElement(QString text, TextStyle style, ShapeStyle color)
        : text_(std::move(text)), style_(std::move(style)), color_(std::move(color)) {
        paragraphs_ = text_.split(u'\n');
    }

    const char* kind() const override { return "Text"; }
    void dumpAttributes(std::string& out) const override {
        QString shown;
        for (size_t i = 0; i < laid_.lines.size(); ++i) {
            if (i) shown += QStringLiteral("\\n");
            shown += laid_.lines[i];
        }
        out += " text=\"" + shown.toStdString() + "\"";
        out += " color=" + describeStyle(color_);
        out += " font=" + (style_.font.family.empty() ? std::string("system") : style_.font.family);
        out += " size=" + formatNumber(style_.font.size * laid_.scale);
        static const char* const weights[] = {"ultraLight", "thin", "light", "regular", "medium",
                                              "semibold", "bold", "heavy", "black"};
        if (style_.font.weight != FontWeight::regular) out += std::string(" weight=") + weights[int(style_.font.weight)];
        if (style_.font.design == FontDesign::monospaced) out += " design=monospaced";
        if (style_.font.design == FontDesign::rounded) out += " design=rounded";
        if (style_.tracking != 0) out += " tracking=" + formatNumber(style_.tracking * laid_.scale);
        if (style_.strikethrough) out += " strikethrough";
    }

    double firstBaseline(Size size) override {
        const TextLayout l = layout({size.width, size.height});
        return top(l, size) + l.ascent;
    }
    double lastBaseline(Size size) override {
        const TextLayout l = layout({size.width, size.height});
        return top(l, size) + double(l.lines.size() - 1) * (l.lineHeight + l.gap) + l.ascent;
    }

    void draw(DrawContext& dc) const override {
        QPainter& p = dc.painter;
        const Shaper& shaper = shaperAt(laid_.scale);
        const QRectF box(frame_.x, frame_.y, frame_.width, frame_.height);
        p.save();
        p.setPen(QPen(toBrush(color_, box), 1));
        double y = frame_.y + top(laid_, frame_.size());
        for (const auto& line : laid_.lines) {
            const double w = shaper.advance(line);
            double x = frame_.x;
            if (style_.alignment == TextAlignment::center) x += (frame_.width - w) / 2;
            if (style_.alignment == TextAlignment::trailing) x += frame_.width - w;
            shaper.draw(p, QPointF(x, y + laid_.ascent), line);
            if (style_.strikethrough) {
                const double lineWidth = std::max(0.5, shaper.lineWidth());
                const double sy = y + laid_.ascent - shaper.strikeOutPos();
                const QBrush brush = style_.strikethroughColor ? QBrush(toQColor(*style_.strikethroughColor))
                                                               : toBrush(color_, box);
                p.fillRect(QRectF(x, sy - lineWidth / 2, w, lineWidth), brush);
            }
            y += laid_.lineHeight + laid_.gap;
        }
        p.restore();
    }

protected:
    Size measure(ProposedSize p) override { return layout(p).size; }
    void arrange(Rect frame) override { laid_ = layout({frame.width, frame.height}); }

private:
    /// Texts placed in a taller frame than they need sit in its middle.
    static double top(const TextLayout& l, Size size) { return std::max(0.0, (size.height - l.size.height) / 2); }

    const Shaper& shaperAt(double scale) const {
        for (const auto& s : shapers_)
            if (s->scale() == scale) return *s;
        shapers_.push_back(shaperFor(style_, scale));
        return *shapers_.back();
    }

    TextLayout layoutAt(double scale, ProposedSize p) const {
        const Shaper& shaper = shaperAt(scale);
        TextLayout l;
        l.scale = scale;
        l.lineHeight = shaper.lineHeight();
        l.ascent = shaper.ascent();
        l.gap = style_.lineSpacing;
        const bool bounded = p.width && std::isfinite(*p.width);
        const double width = bounded ? std::max(0.0, *p.width) : infinity;

        std::vector<QString> lines;
        for (const auto& para : paragraphs_) {
            if (!bounded) {
                lines.push_back(para);
            } else {
                for (auto& line : wrap(shaper, para, width)) lines.push_back(std::move(line));
            }
        }

        size_t maxLines = style_.lineLimit ? size_t(*style_.lineLimit) : lines.size();
        if (p.height && std::isfinite(*p.height) && l.lineHeight + l.gap > 0) {
            // As many lines as the offered height holds, but always one.
            const double fit = std::floor((*p.height + l.gap + kEpsilon) / (l.lineHeight + l.gap));
            if (std::isfinite(fit)) maxLines = std::min(maxLines, size_t(std::clamp(fit, 1.0, double(lines.size()) + 1)));
        }
        maxLines = std::max<size_t>(maxLines, 1);
        if (lines.size() > maxLines) {
            QString rest = lines[maxLines - 1];
            for (size_t i = maxLines; i < lines.size(); ++i) rest += u' ' + lines[i];
            lines.resize(maxLines);
            lines.back() = bounded ? elide(shaper, rest + kEllipsis, width) : lines.back() + kEllipsis;
            // The text was cut: the ellipsis must show even when what is left happens to fit.
            if (!lines.back().endsWith(kEllipsis)) lines.back() += kEllipsis;
            l.cut = true;
        }
        for (auto& line : lines) {
            if (bounded && shaper.advance(line) > width + kEpsilon) {
                line = elide(shaper, line, width);
                l.cut = true;
            }
        }

        double w = 0;
        for (const auto& line : lines) w = std::max(w, shaper.advance(line));
        if (bounded) w = std::min(w, width);
        l.size = {w, double(lines.size()) * l.lineHeight + double(lines.size() > 0 ? lines.size() - 1 : 0) * l.gap};
        l.lines = std::move(lines);
        return l;
    }

    TextLayout layout(ProposedSize p) const {
        // The same proposal comes back for measuring, placing and baselines.
        for (const auto& [proposal, laid] : memo_)
            if (proposal.width == p.width && proposal.height == p.height) return laid;
        TextLayout l = computeLayout(p);
        if (memo_.size() >= 8) memo_.erase(memo_.begin());
        memo_.emplace_back(p, l);
        return l;
    }

    TextLayout computeLayout(ProposedSize p) const {
        TextLayout full = layoutAt(1, p);
        const double minScale = style_.minimumScaleFactor;
        if (!full.cut || minScale >= 1) return full;
        // Shrink: the largest scale down to the minimum at which nothing is cut.
        TextLayout smallest = layoutAt(minScale, p);
        if (smallest.cut) return smallest;
        double lo = minScale, hi = 1;
        TextLayout best = smallest;
        if (style_.lineLimit == 1 && p.width && std::isfinite(*p.width)) {
            // One line: its width follows the font size, so the ratio of the offered
            // width to the full width is the scale to try first, then a little less.
            const double ideal = layoutAt(1, {std::nullopt, std::nullopt}).size.width;
            double guess = ideal > 0 ? std::clamp(*p.width / ideal, minScale, 1.0) : minScale;
            for (int i = 0; i < 4 && guess > minScale; ++i, guess = std::max(minScale, guess * 0.995)) {
                TextLayout trial = layoutAt(guess, p);
                if (!trial.cut) return trial;
                hi = guess;
            }
        }
        for (int i = 0; i < 10; ++i) {
            const double mid = (lo + hi) / 2;
            TextLayout trial = layoutAt(mid, p);
            if (trial.cut) {
                hi = mid;
            } else {
                lo = mid;
                best = std::move(trial);
            }
        }
        return best;
    }

    QString text_;
    QStringList paragraphs_;
    TextStyle style_;
    ShapeStyle color_;
    TextLayout laid_;
    mutable std::vector<std::shared_ptr<const Shaper>> shapers_;
    mutable std::vector<std::pair<ProposedSize, TextLayout>> memo_;
};

ElementPtr TextNode::build(const BuildContext& ctx) const {
    TextStyle style = ctx.text;
    style.font.size = std::max(0.0, finiteOr(style.font.size, 0));
    style.tracking = finiteOr(style.tracking, 0);
    style.lineSpacing = finiteOr(style.lineSpacing, 0);
    QString s = QString::fromStdString(text);
    if (ctx.text.textCase == TextCase::uppercase) s = s.toUpper();
    if (ctx.text.textCase == TextCase::lowercase) s = s.toLower();
    return std::make_unique<TextElement>(std::move(s), std::move(style), ctx.foreground);
}

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

View Text(std::string text) {
    auto n = std::make_shared<detail::TextNode>();
    n->text = std::move(text);
    return View(n);
}

} // namespace plyx::ui
