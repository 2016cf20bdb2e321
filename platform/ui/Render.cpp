// Laying out a whole tree and drawing or dumping it.
#include "platform/ui/Element.h"

#include <QImage>
#include <cmath>
#include <cstdlib>

namespace plyx::ui {

namespace {

/// Builds, measures and places `view` in a `size` area: the root is offered the
/// whole area and centred in it.
detail::ElementPtr layoutRoot(const View& view, Size size, const Environment& env) {
    detail::ensureGuiApplication();
    detail::BuildContext ctx;
    ctx.env = env;
    auto root = detail::buildChild(view, ctx);
    Size chosen = root->sizeThatFits({size.width, size.height});
    // A view that asks for more than can be drawn gets the whole area.
    if (!std::isfinite(chosen.width)) chosen.width = size.width;
    if (!std::isfinite(chosen.height)) chosen.height = size.height;
    root->place({(size.width - chosen.width) / 2, (size.height - chosen.height) / 2, chosen.width, chosen.height});
    return root;
}

void dumpElement(const detail::Element& e, int depth, std::string& out) {
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

std::string dump(const View& view, Size size, const Environment& env) {
    auto root = layoutRoot(view, size, env);
    std::string out;
    dumpElement(*root, 0, out);
    return out;
}

} // namespace plyx::ui
