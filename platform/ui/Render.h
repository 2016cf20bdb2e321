#pragma once
// Laying out and drawing a view tree: into an image, into any painter, or as a text dump.
#include "platform/ui/ViewCore.h"

#include <QImage>
#include <QRegion>
#include <memory>
#include <optional>
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

    bool operator==(const Hit&) const = default;
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

/// A view laid out once and drawn again and again. A window that shows a view
/// that counts time keeps it from one second to the next: only the parts made
/// from the render moment are built again, and only the pixels they change are
/// drawn again.
class Layout {
public:
    /// Lays out `view` in `size` points as `render` does, for `env` (its display
    /// scale is the device-pixel ratio of the target).
    Layout(const View& view, Size size, const Environment& env);
    ~Layout();
    Layout(const Layout&) = delete;
    Layout& operator=(const Layout&) = delete;

    Size size() const;
    const Environment& environment() const;
    /// Whether a view in it shows something else a second after the moment it
    /// was laid out (or last moved) for: such a view is drawn again every second.
    bool countsTime() const;

    /// Moves to `now`: the parts made from the moment are built again. The device
    /// pixels that can differ from the frame before, or none when the new parts do
    /// not fit the old layout (the layout is then unusable: make a new one).
    std::optional<QRegion> advance(Date now);

    /// The device pixels that can differ between the frame of `before` and this
    /// one, or none when they cannot be compared (another size or display scale).
    std::optional<QRegion> changedSince(Layout& before);

    /// Draws the whole frame at the painter's current transform.
    void paint(QPainter& painter);
    /// Draws again only what meets `dirty` (device pixels), which the caller has
    /// cleared and clipped the painter to.
    void paint(QPainter& painter, const QRegion& dirty);
    /// The buttons and links of the frame.
    const std::vector<Hit>& hits();

private:
    struct State;
    std::unique_ptr<State> s_;
};

/// Makes sure a Qt GUI application exists, as fonts and images need one: programs
/// without one (tests, benchmarks, the command-line renderer) get an offscreen one.
/// Rendering calls it itself; call it before using fonts directly.
void ensureGuiApplication();

/// The innermost hit containing `p`, or none.
const Hit* hitTest(const std::vector<Hit>& hits, Point p);

} // namespace plyx::ui
