// Laying out a whole tree and drawing or dumping it.
#include "platform/ui/Element.h"

#include <QImage>
#include <cmath>
#include <cstdlib>

namespace plyx::ui {

namespace {

/// Builds, measures and places `view` in a `size` area: the root is offered the
/// whole area and centred in it.
detail::ElementPtr layoutRoot(const View& view, Size size, const Environment& env,
                              detail::BuildNotes* notes = nullptr) {
    detail::ensureGuiApplication();
    detail::BuildContext ctx;
    ctx.env = env;
    ctx.notes = notes;
    auto root = detail::buildChild(view, ctx);
    Size chosen = root->sizeThatFits({size.width, size.height});
    // A view that asks for more than can be drawn gets the whole area.
    if (!std::isfinite(chosen.width)) chosen.width = size.width;
    if (!std::isfinite(chosen.height)) chosen.height = size.height;
    root->place({(size.width - chosen.width) / 2, (size.height - chosen.height) / 2, chosen.width, chosen.height});
    return root;
}

void dumpElement(const detail::Element& e, int depth, std::string& out) {
    if (e.standsIn()) {
        for (const auto& c : e.children()) dumpElement(*c, depth, out);
        return;
    }
    out.append(size_t(depth) * 2, ' ');
    out += e.kind();
    const Rect& f = e.frame();
    out += " " + detail::formatNumber(f.x) + "," + detail::formatNumber(f.y) + " " + detail::formatNumber(f.width) +
           "x" + detail::formatNumber(f.height);
    e.dumpAttributes(out);
    out += "\n";
    for (const auto& c : e.children()) dumpElement(*c, depth + 1, out);
}

void drawRoot(const detail::Element& root, QPainter& painter, Size size, std::vector<Hit>& hits,
              detail::Damage* damage = nullptr) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    detail::DrawContext dc{painter, hits, 0, Rect{0, 0, size.width, size.height}, painter.worldTransform().inverted(),
                           damage};
    root.draw(dc);
    painter.restore();
}

/// Past this share of the image, drawing everything again costs less than
/// clipping to what changed.
constexpr double kWholeRepaintShare = 0.6;

/// Draws into an image that holds the frame `before` describes: records this
/// frame's ops and hits, then clears and draws again only the pixels that differ.
void redraw(const detail::Element& root, QPainter& painter, Size size, const std::vector<detail::PaintOp>& before,
            detail::Damage& damage, std::vector<Hit>& hits) {
    damage.pass = detail::Damage::Pass::record;
    drawRoot(root, painter, size, hits, &damage);
    QRegion dirty = detail::changedPixels(before, damage.ops);
    if (dirty.isEmpty()) return;
    double area = 0;
    for (const QRect& r : dirty) area += double(r.width()) * double(r.height());
    if (area > kWholeRepaintShare * double(damage.image.width()) * double(damage.image.height())) dirty = damage.image;
    painter.save();
    // In device pixels: the world transform undoes the device-pixel ratio.
    painter.setWorldTransform(QTransform::fromScale(1 / damage.dpr, 1 / damage.dpr));
    painter.setClipRegion(dirty);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : dirty) painter.fillRect(r, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setWorldTransform(QTransform());
    damage.pass = detail::Damage::Pass::repaint;
    damage.dirty = std::move(dirty);
    damage.next = 0;
    std::vector<Hit> again; // the record pass found them all
    drawRoot(root, painter, size, again, &damage);
    painter.restore();
}

} // namespace

RenderResult render(const View& view, Size size, double devicePixelRatio, const Environment& env, QImage reuse) {
    RenderResult result;
    const double dpr = devicePixelRatio > 0 ? devicePixelRatio : 1;
    Environment e = env;
    e.displayScale = dpr;
    auto root = layoutRoot(view, size, e);
    const int w = std::max(1, int(std::ceil(size.width * dpr))), h = std::max(1, int(std::ceil(size.height * dpr)));
    QImage image;
    std::vector<detail::PaintOp> before;
    bool knownPixels = false;
    if (reuse.width() == w && reuse.height() == h && reuse.format() == QImage::Format_ARGB32_Premultiplied &&
        reuse.isDetached()) {
        // The previous frame's pixels, already mapped: when they are still as
        // this renderer left them, only what changed is drawn again.
        knownPixels = reuse.devicePixelRatio() == dpr && detail::takeFrameOps(reuse, before);
        image = std::move(reuse);
        if (!knownPixels) image.fill(Qt::transparent);
    } else {
        // Zeroed memory is already transparent: cheaper than filling a large image.
        void* pixels = std::calloc(size_t(w) * size_t(h), 4);
        if (!pixels) return result;
        image = QImage(static_cast<uchar*>(pixels), w, h, w * 4, QImage::Format_ARGB32_Premultiplied,
                       [](void* p) { std::free(p); }, pixels);
    }
    image.setDevicePixelRatio(dpr);
    detail::Damage damage;
    damage.dpr = dpr;
    damage.image = QRect(0, 0, w, h);
    damage.ops = detail::recycledOps();
    {
        QPainter painter(&image);
        if (knownPixels) {
            redraw(*root, painter, size, before, damage, result.hits);
        } else {
            damage.pass = detail::Damage::Pass::paintAndRecord;
            drawRoot(*root, painter, size, result.hits, &damage);
        }
    }
    detail::keepFrameOps(image, std::move(damage.ops));
    detail::recycleOps(std::move(before));
    result.image = std::move(image);
    return result;
}

std::vector<Hit> paint(const View& view, QPainter& painter, Size size, const Environment& env) {
    auto root = layoutRoot(view, size, env);
    std::vector<Hit> hits;
    drawRoot(*root, painter, size, hits);
    return hits;
}

struct Layout::State {
    Size size;
    Environment env;
    detail::BuildNotes notes; // before the root: the root's elements point at it
    detail::ElementPtr root;
    std::vector<Hit> hits;
    bool hitsKnown = false;
    // What each leaf of the current frame draws, once asked for.
    std::vector<detail::PaintOp> ops;
    bool opsKnown = false;

    detail::Damage damage(detail::Damage::Pass pass) const {
        detail::Damage d;
        d.pass = pass;
        d.dpr = env.displayScale > 0 ? env.displayScale : 1;
        d.image = QRect(0, 0, std::max(1, int(std::ceil(size.width * d.dpr))),
                        std::max(1, int(std::ceil(size.height * d.dpr))));
        return d;
    }

    // Walks the frame without drawing, noting each leaf's op and the hits.
    void record() {
        auto d = damage(detail::Damage::Pass::record);
        d.ops = detail::recycledOps();
        hits.clear();
        // The painter only carries the transform and state the ops fold in;
        // nothing is drawn into its device. One stays begun per thread (a
        // begin costs more than the walk of a small tree), and drawing leaves
        // its state as it found it; a record within a record makes its own.
        struct Recorder {
            QImage scratch{1, 1, QImage::Format_ARGB32_Premultiplied};
            QPainter painter{&scratch}; // ended before its image goes
            bool busy = false;
        };
        thread_local Recorder kept;
        if (kept.busy) {
            QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&scratch);
            drawRoot(*root, painter, size, hits, &d);
        } else {
            kept.busy = true;
            drawRoot(*root, kept.painter, size, hits, &d);
            kept.busy = false;
        }
        detail::recycleOps(std::move(ops));
        ops = std::move(d.ops);
        opsKnown = hitsKnown = true;
    }
};

Layout::Layout(const View& view, Size size, const Environment& env) : s_(std::make_unique<State>()) {
    s_->size = size;
    s_->env = env;
    s_->root = layoutRoot(view, size, env, &s_->notes);
}

Layout::~Layout() = default;

Size Layout::size() const { return s_->size; }
const Environment& Layout::environment() const { return s_->env; }
bool Layout::countsTime() const { return s_->notes.countsTime; }

std::optional<QRegion> Layout::advance(Date now) {
    if (!s_->opsKnown) s_->record();
    std::vector<detail::PaintOp> before = std::move(s_->ops);
    s_->ops = {};
    s_->opsKnown = s_->hitsKnown = false;
    s_->notes.countsTime = false;
    s_->env.now = now;
    if (!s_->root->advance(now)) return std::nullopt;
    s_->record();
    QRegion changed = detail::changedPixels(before, s_->ops);
    detail::recycleOps(std::move(before));
    return changed;
}

std::optional<QRegion> Layout::changedSince(Layout& before) {
    if (before.s_->size.width != s_->size.width || before.s_->size.height != s_->size.height ||
        before.s_->damage(detail::Damage::Pass::record).dpr != s_->damage(detail::Damage::Pass::record).dpr)
        return std::nullopt;
    if (!before.s_->opsKnown) before.s_->record();
    if (!s_->opsKnown) s_->record();
    return detail::changedPixels(before.s_->ops, s_->ops);
}

void Layout::paint(QPainter& painter) {
    s_->hits.clear();
    drawRoot(*s_->root, painter, s_->size, s_->hits);
    s_->hitsKnown = true;
}

void Layout::paint(QPainter& painter, const QRegion& dirty) {
    if (!s_->opsKnown) s_->record();
    auto d = s_->damage(detail::Damage::Pass::repaint);
    d.ops = std::move(s_->ops);
    d.dirty = dirty;
    std::vector<Hit> again; // the record pass found them all
    drawRoot(*s_->root, painter, s_->size, again, &d);
    s_->ops = std::move(d.ops);
}

const std::vector<Hit>& Layout::hits() {
    if (!s_->hitsKnown) s_->record();
    return s_->hits;
}

std::string dump(const View& view, Size size, const Environment& env) {
    auto root = layoutRoot(view, size, env);
    std::string out;
    dumpElement(*root, 0, out);
    return out;
}

} // namespace plyx::ui
