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

std::vector<Hit> drawRoot(const detail::Element& root, QPainter& painter, Size size) {
    std::vector<Hit> hits;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    detail::DrawContext dc{painter, hits, 0, Rect{0, 0, size.width, size.height}, painter.worldTransform().inverted()};
    root.draw(dc);
    painter.restore();
    return hits;
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
    if (reuse.width() == w && reuse.height() == h && reuse.format() == QImage::Format_ARGB32_Premultiplied &&
        reuse.isDetached()) {
        // The previous frame's pixels, already mapped: clearing them costs far
        // less than faulting in a fresh allocation of the same size.
        image = std::move(reuse);
        image.fill(Qt::transparent);
    } else {
        // Zeroed memory is already transparent: cheaper than filling a large image.
        void* pixels = std::calloc(size_t(w) * size_t(h), 4);
        if (!pixels) return result;
        image = QImage(static_cast<uchar*>(pixels), w, h, w * 4, QImage::Format_ARGB32_Premultiplied,
                       [](void* p) { std::free(p); }, pixels);
    }
    image.setDevicePixelRatio(dpr);
    {
        QPainter painter(&image);
        result.hits = drawRoot(*root, painter, size);
    }
    result.image = std::move(image);
    return result;
}

std::vector<Hit> paint(const View& view, QPainter& painter, Size size, const Environment& env) {
    auto root = layoutRoot(view, size, env);
    return drawRoot(*root, painter, size);
}

std::string dump(const View& view, Size size, const Environment& env) {
    auto root = layoutRoot(view, size, env);
    std::string out;
    dumpElement(*root, 0, out);
    return out;
}

} // namespace plyx::ui
