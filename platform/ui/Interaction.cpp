// Buttons, links and the widget's URL: they lay out like their label and record
// where a tap would land.
#include "platform/ui/Element.h"

namespace plyx::ui::detail {

void DrawContext::addHit(const Rect& rect, HitKind kind, const std::string& payload, int depth) {
    const QRectF r = (painter.worldTransform() * toCaller).mapRect(QRectF(rect.x, rect.y, rect.width, rect.height));
    hits.push_back({{r.x(), r.y(), r.width(), r.height()}, kind, payload, depth});
}

namespace {

enum class TapKind { button, link, widgetURL };

struct TapNode final : ModifierNode {
    TapKind tap;
    std::string payload;
    ElementPtr build(const BuildContext& ctx) const override;
};

class TapElement final : public WrapperElement {
public:
    TapElement(TapKind k, std::string payload, ElementPtr child)
        : WrapperElement(std::move(child)), tap_(k), payload_(std::move(payload)) {}
    const char* kind() const override {
        switch (tap_) {
        case TapKind::button: return "Button";
        case TapKind::link: return "Link";
        case TapKind::widgetURL: return "widgetURL";
        }
        return "tap";
    }
    void dumpAttributes(std::string& out) const override {
        out += tap_ == TapKind::button ? " action=" : " url=";
        out += payload_;
    }
    void draw(DrawContext& dc) const override {
        if (tap_ == TapKind::widgetURL) {
            // The widget's URL answers a tap anywhere on the widget that nothing else takes.
            const Rect& b = dc.bounds;
            const QRectF r = QRectF(b.x, b.y, b.width, b.height);
            dc.hits.push_back({{r.x(), r.y(), r.width(), r.height()}, HitKind::link, payload_, -1});
            drawChildren(dc);
            return;
        }
        dc.addHit(frame_, tap_ == TapKind::button ? HitKind::action : HitKind::link, payload_, dc.hitDepth);
        ++dc.hitDepth;
        drawChildren(dc);
        --dc.hitDepth;
    }

private:
    TapKind tap_;
    std::string payload_;
};

ElementPtr TapNode::build(const BuildContext& ctx) const {
    return std::make_unique<TapElement>(tap, payload, buildChild(child, ctx));
}

View tap(const View& child, TapKind k, std::string payload) {
    auto n = std::make_shared<TapNode>();
    n->child = child;
    n->tap = k;
    n->payload = std::move(payload);
    return View(n);
}

} // namespace
} // namespace plyx::ui::detail

namespace plyx::ui {

View Button(const View& label, std::string actionJson) {
    return detail::tap(label, detail::TapKind::button, std::move(actionJson));
}
View Link(const View& label, std::string url) { return detail::tap(label, detail::TapKind::link, std::move(url)); }
View View::widgetURL(const std::string& url) const { return detail::tap(*this, detail::TapKind::widgetURL, url); }

const Hit* hitTest(const std::vector<Hit>& hits, Point p) {
    const Hit* best = nullptr;
    for (const auto& h : hits) {
        if (!h.rect.contains(p)) continue;
        // Deeper wins; at equal depth the one drawn later lies on top.
        if (!best || h.depth >= best->depth) best = &h;
    }
    return best;
}

} // namespace plyx::ui
