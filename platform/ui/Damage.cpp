// Paint ops, their keys, and the ops each image was last drawn with.
#include "platform/ui/Damage.h"

#include "platform/ui/Color.h"
#include "platform/ui/Element.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>

namespace plyx::ui::detail {

namespace {

/// Antialiasing, sprites placed on whole pixels and glyph overhangs reach a
/// little past an op's geometry: a few device pixels around it are counted as its.
constexpr int kReach = 4;

/// How many images one thread remembers the ops of: one per widget a host draws.
constexpr std::size_t kKeptFrames = 32;

struct KeptFrame {
    qint64 cacheKey = 0;
    std::vector<PaintOp> ops;
};

std::vector<KeptFrame>& keptFrames() {
    thread_local std::vector<KeptFrame> frames;
    return frames;
}

/// A list whose frame is over, kept so the next frame records into its storage.
std::vector<PaintOp>& spareOps() {
    thread_local std::vector<PaintOp> spare;
    return spare;
}

} // namespace

std::uint64_t mixText(std::uint64_t h, std::string_view s) {
    return mix(h, std::hash<std::string_view>{}(s));
}

std::uint64_t mixText(std::uint64_t h, const QString& s) {
    return mix(h, std::hash<std::u16string_view>{}(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()),
                                                                       std::size_t(s.size()))));
}

std::uint64_t mixColor(std::uint64_t h, const Color& c) {
    h = mixDouble(h, c.r);
    h = mixDouble(h, c.g);
    h = mixDouble(h, c.b);
    return mixDouble(h, c.a);
}

std::uint64_t mixStyle(std::uint64_t h, const ShapeStyle& s) {
    h = mix(h, s.index());
    const auto stops = [&](const Gradient& g) {
        for (const auto& stop : g.stops) h = mixDouble(mixColor(h, stop.color), stop.location);
    };
    const auto point = [&](const UnitPoint& u) { h = mixDouble(mixDouble(h, u.x), u.y); };
    if (const auto* c = std::get_if<Color>(&s)) return mixColor(h, *c);
    if (const auto* g = std::get_if<LinearGradient>(&s)) {
        stops(g->gradient);
        point(g->startPoint);
        point(g->endPoint);
    } else if (const auto* g = std::get_if<RadialGradient>(&s)) {
        stops(g->gradient);
        point(g->center);
        h = mixDouble(mixDouble(h, g->startRadius), g->endRadius);
    } else if (const auto* g = std::get_if<AngularGradient>(&s)) {
        stops(g->gradient);
        point(g->center);
        h = mixDouble(mixDouble(h, g->startAngle), g->endAngle);
    } else if (const auto* m = std::get_if<Material>(&s)) {
        h = mix(h, std::uint64_t(*m));
    }
    return h;
}

std::uint64_t mixPath(std::uint64_t h, const QPainterPath& path) {
    h = mix(h, std::uint64_t(path.fillRule()));
    for (int i = 0; i < path.elementCount(); ++i) {
        const auto e = path.elementAt(i);
        h = mix(h, std::uint64_t(e.type));
        h = mixDouble(h, e.x);
        h = mixDouble(h, e.y);
    }
    return h;
}

std::uint64_t uniqueKey() {
    static std::atomic<std::uint64_t> next{1};
    return mix(0x5eed, next.fetch_add(1, std::memory_order_relaxed));
}

QRect devicePixels(const QPainter& painter, const QRectF& bounds, const Damage& damage) {
    const QRectF logical = painter.worldTransform().mapRect(bounds);
    const double d = damage.dpr;
    const QRectF device(logical.x() * d, logical.y() * d, logical.width() * d, logical.height() * d);
    const bool usable = std::isfinite(device.x()) && std::isfinite(device.y()) && std::isfinite(device.width()) &&
                        std::isfinite(device.height()) && std::abs(device.x()) < 1e7 && std::abs(device.y()) < 1e7 &&
                        device.width() < 1e7 && device.height() < 1e7;
    // Geometry that cannot be placed may touch anything.
    if (!usable) return damage.image;
    return device.toAlignedRect().adjusted(-kReach, -kReach, kReach, kReach).intersected(damage.image);
}

QRegion changedPixels(const std::vector<PaintOp>& before, const std::vector<PaintOp>& after) {
    QRegion changed;
    const std::size_t n = std::max(before.size(), after.size());
    for (std::size_t i = 0; i < n; ++i) {
        const PaintOp* a = i < before.size() ? &before[i] : nullptr;
        const PaintOp* b = i < after.size() ? &after[i] : nullptr;
        if (a && b && *a == *b) continue;
        if (a && !a->pixels.isEmpty()) changed += a->pixels;
        if (b && !b->pixels.isEmpty()) changed += b->pixels;
    }
    return changed;
}

bool takeFrameOps(const QImage& image, std::vector<PaintOp>& out) {
    if (image.isNull()) return false;
    auto& frames = keptFrames();
    const qint64 key = image.cacheKey();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].cacheKey != key) continue;
        out = std::move(frames[i].ops);
        frames.erase(frames.begin() + std::ptrdiff_t(i));
        return true;
    }
    return false;
}

void keepFrameOps(const QImage& image, std::vector<PaintOp>&& ops) {
    auto& frames = keptFrames();
    if (frames.size() >= kKeptFrames) {
        recycleOps(std::move(frames.front().ops));
        frames.erase(frames.begin());
    }
    frames.push_back({image.cacheKey(), std::move(ops)});
}

std::vector<PaintOp> recycledOps() {
    auto& spare = spareOps();
    std::vector<PaintOp> out = std::move(spare);
    spare = {};
    out.clear();
    return out;
}

void recycleOps(std::vector<PaintOp>&& ops) {
    auto& spare = spareOps();
    if (ops.capacity() > spare.capacity()) spare = std::move(ops);
}

namespace {

// The op of a leaf touching `pixels`: its own key with the painter's state folded in.
bool paintOp(DrawContext& dc, QRect pixels, std::uint64_t key) {
    Damage& d = *dc.damage;
    const QPainter& p = dc.painter;
    const QTransform& t = p.worldTransform();
    std::uint64_t k = mix(mix(key, dc.scope), std::uint64_t(t.type()));
    // Most leaves sit under a plain move: its two numbers are the whole transform.
    if (t.type() <= QTransform::TxTranslate) {
        k = mixDouble(mixDouble(k, t.dx()), t.dy());
    } else {
        for (const double v : {t.m11(), t.m12(), t.m13(), t.m21(), t.m22(), t.m23(), t.m31(), t.m32(), t.m33()})
            k = mixDouble(k, v);
    }
    k = mixDouble(k, p.opacity());
    k = mix(k, std::uint64_t(p.compositionMode()));
    k = mix(k, std::uint64_t(p.renderHints().toInt()));
    switch (d.pass) {
    case Damage::Pass::paintAndRecord: d.ops.push_back({pixels, k}); return true;
    case Damage::Pass::record: d.ops.push_back({pixels, k}); return false;
    case Damage::Pass::fold:
        k = mix(k, std::uint64_t(std::uint32_t(pixels.x())) << 32 | std::uint32_t(pixels.y()));
        d.folded = mix(d.folded, mix(k, std::uint64_t(std::uint32_t(pixels.width())) << 32 | std::uint32_t(pixels.height())));
        return false;
    case Damage::Pass::repaint: break;
    }
    return true;
}

} // namespace

bool DrawContext::paints(const QRectF& bounds, std::uint64_t key) {
    if (!damage) return true;
    if (damage->pass == Damage::Pass::repaint) {
        // Drawing more than needed is always safe: the painter is clipped to the damage.
        if (damage->next >= damage->ops.size()) return true;
        return damage->dirty.intersects(damage->ops[damage->next++].pixels);
    }
    return paintOp(*this, devicePixels(painter, bounds, *damage), key);
}

bool DrawContext::paintsAnywhere(std::uint64_t key) {
    if (!damage) return true;
    if (damage->pass == Damage::Pass::repaint) {
        if (damage->next >= damage->ops.size()) return true;
        return damage->dirty.intersects(damage->ops[damage->next++].pixels);
    }
    return paintOp(*this, damage->image, key);
}

} // namespace plyx::ui::detail
