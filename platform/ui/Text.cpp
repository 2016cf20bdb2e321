// The text element: a string drawn in the inherited text style, laid out by
// `layLines` and shrunk by `shrinkToFit` when it would be cut.
#include "platform/ui/TextShrink.h"

#include "platform/base/TextCase.h"

#include <QTextBoundaryFinder>

#include <cmath>

namespace plyx::ui::detail {

namespace {

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
        if (dc.damage && !dc.paints(inkBounds(shaper), drawKey())) return;
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
    /// Where the lines are drawn, with a line's height around them for glyphs
    /// that reach past their advance or line (accents, overhangs, strikes).
    QRectF inkBounds(const Shaper& shaper) const {
        const double reach = std::max(2.0, laid_.lineHeight);
        const double y0 = frame_.y + top(laid_, frame_.size());
        double left = frame_.x, right = frame_.x + frame_.width;
        for (const auto& line : laid_.lines) {
            const double w = shaper.advance(line);
            double x = frame_.x;
            if (style_.alignment == TextAlignment::center) x += (frame_.width - w) / 2;
            if (style_.alignment == TextAlignment::trailing) x += frame_.width - w;
            left = std::min(left, x);
            right = std::max(right, x + w);
        }
        const double height = double(laid_.lines.size()) * (laid_.lineHeight + laid_.gap);
        return QRectF(left, std::min(frame_.y, y0), right - left, std::max(frame_.height, height))
            .adjusted(-reach, -reach, reach, reach);
    }

    /// Everything besides the painter's state that decides the drawn pixels.
    std::uint64_t drawKey() const {
        std::uint64_t k = 0x7e47;
        for (const auto& line : laid_.lines) k = mixText(k, line);
        k = mixText(k, style_.font.family);
        for (const double v : {style_.font.size, style_.tracking, style_.lineSpacing, laid_.scale, laid_.ascent,
                               laid_.lineHeight, laid_.gap, laid_.size.height, frame_.x, frame_.y, frame_.width, frame_.height})
            k = mixDouble(k, v);
        k = mix(k, std::uint64_t(style_.font.weight) << 24 | std::uint64_t(style_.font.design) << 16 |
                       std::uint64_t(style_.alignment) << 8 | std::uint64_t(style_.monospacedDigits) << 1 |
                       std::uint64_t(style_.strikethrough));
        if (style_.strikethroughColor) k = mixColor(k, *style_.strikethroughColor);
        return mixStyle(k, color_);
    }

    /// Texts placed in a taller frame than they need sit in its middle.
    static double top(const TextLayout& l, Size size) { return std::max(0.0, (size.height - l.size.height) / 2); }

    const Shaper& shaperAt(double scale) const {
        for (const auto& s : shapers_)
            if (s->scale() == scale) return *s;
        shapers_.push_back(shaperFor(style_, scale));
        return *shapers_.back();
    }

    TextLayout layoutAt(double scale, ProposedSize p) const { return layLines(shaperAt(scale), paragraphs_, style_, p); }

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
        return shrinkToFit([this](double scale, ProposedSize q) { return layoutAt(scale, q); }, p,
                           style_.minimumScaleFactor, style_.lineLimit == 1);
    }

    QString text_;
    QStringList paragraphs_;
    TextStyle style_;
    ShapeStyle color_;
    TextLayout laid_;
    mutable std::vector<std::shared_ptr<const Shaper>> shapers_;
    mutable BlockVector<std::pair<ProposedSize, TextLayout>> memo_;
};

// No widget shows this many characters (a large widget in a small font holds
// about half as many); what lies past it would only be measured, never drawn.
constexpr qsizetype kMaxTextLength = 4096;

/// `s` held to kMaxTextLength, cut between characters and ending in "…" when cut.
QString heldToShownLength(QString s) {
    if (s.size() <= kMaxTextLength) return s;
    s.truncate(kMaxTextLength + 64); // enough to find the character boundary near the cut
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    finder.setPosition(kMaxTextLength);
    const qsizetype at = finder.isAtBoundary() ? kMaxTextLength : std::max<qsizetype>(0, finder.toPreviousBoundary());
    s.truncate(at);
    return s + QStringLiteral("\u2026");
}

ElementPtr TextNode::build(const BuildContext& ctx) const {
    TextStyle style = ctx.text;
    style.font.size = std::max(0.0, finiteOr(style.font.size, 0));
    style.tracking = finiteOr(style.tracking, 0);
    style.lineSpacing = finiteOr(style.lineSpacing, 0);
    QString s = heldToShownLength(QString::fromStdString(text));
    if (ctx.text.textCase == TextCase::uppercase) s = QString::fromStdString(plyx::text::upperCased(s.toStdString()));
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
