#pragma once
// Laying out and drawing a view tree: into an image, into any painter, or as a text dump.
#include "platform/ui/ViewCore.h"

#include <QImage>
#include <string>
#include <vector>

namespace plyx::ui {

enum class HitKind { action, link };

/// A tappable rectangle found while rendering.
struct Hit {
    /// In points, in the coordinates of the rendered area (the bounding box when transformed).
    Rect rect{};
    HitKind kind = HitKind::action;
    /// The serialised intent of a button, or the URL of a link.
    std::string payload{};
    /// Nesting depth: a deeper hit sits inside a shallower one and wins.
    int depth = 0;
};

struct RenderResult {
    /// Format_ARGB32_Premultiplied, size × device-pixel ratio, with that ratio set.
    QImage image{};
    /// Every button and link, in drawing order.
    std::vector<Hit> hits{};
};

/// Lays out `view` in `size` points (centred when it chooses a smaller size) and draws it.
/// A host that draws one view again and again hands back its last image as
/// `reuse`: when no one else holds it and it has the size and format, it is
/// cleared and drawn into instead of a new one being made.
RenderResult render(const View& view, Size size, double devicePixelRatio, const Environment& env,
                    QImage reuse = {});

/// Draws `view` laid out in `size` points into `painter` at its current transform; returns the hits.
std::vector<Hit> paint(const View& view, QPainter& painter, Size size, const Environment& env);

/// The laid-out tree as indented text, one line per node:
/// kind, frame "x,y wxh" (points, rounded to 0.01), then text, colour (#RRGGBBAA), action or link.
std::string dump(const View& view, Size size, const Environment& env);

/// Makes sure a Qt GUI application exists, as fonts and images need one: programs
/// without one (tests, benchmarks, the command-line renderer) get an offscreen one.
/// Rendering calls it itself; call it before using fonts directly.
void ensureGuiApplication();

/// The innermost hit containing `p`, or none.
const Hit* hitTest(const std::vector<Hit>& hits, Point p);

} // namespace plyx::ui
