#pragma once
// Internal: redrawing only what changed. A widget drawn again into its own
// last image mostly draws the same things in the same places: the background,
// the labels, most dots. Every drawing leaf (a shape, a text, a symbol, a
// free drawing) describes what it would draw as a paint op: the device pixels
// it can touch and a key of everything that decides those pixels (its values,
// the painter's transform, opacity, clip and mode). Comparing a frame's ops
// with the last frame's gives the pixels that can differ; only those are
// cleared and drawn again, and everything else keeps last frame's pixels.
//
// Why this is exact: a pixel's value is decided by the ops that touch it, in
// order. Ops are compared by their place in the drawing order; every op that
// differs (or has no counterpart) marks both its old and its new pixels. A
// pixel outside the marked region is therefore touched by the same ops, in the
// same order, in both frames, and keeps its value.
#include "platform/ui/Style.h"

#include <QRect>
#include <QRegion>

#include <bit>
#include <cstdint>
#include <string_view>
#include <vector>

class QImage;
class QPainter;
class QPainterPath;
class QRectF;
class QString;

namespace plyx::ui::detail {

/// What one drawing leaf draws: the device pixels it may touch, and the key of
/// everything that decides them.
struct PaintOp {
    QRect pixels;
    std::uint64_t key = 0;
    bool operator==(const PaintOp&) const = default;
};

/// The state of one drawing pass that tracks damage.
struct Damage {
    enum class Pass {
        /// Paint every leaf and record its op.
        paintAndRecord,
        /// Record every leaf's op, paint nothing.
        record,
        /// Fold every leaf's op into `folded`, paint nothing (what a layer draws, as one key).
        fold,
        /// Paint only the leaves whose recorded op meets `dirty`, in recording order.
        repaint,
    };
    Pass pass = Pass::paintAndRecord;
    /// Device pixels per point of the image drawn into.
    double dpr = 1;
    /// The image's pixels: ops are kept within them.
    QRect image;
    std::vector<PaintOp> ops;
    std::uint64_t folded = 0;
    /// The pixels to draw again (repaint pass).
    QRegion dirty;
    std::size_t next = 0;
};

/// Folds `v` into the 64-bit key `h`.
inline std::uint64_t mix(std::uint64_t h, std::uint64_t v) {
    h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
}
/// Folds a number in; +0 and -0 draw alike, so they are one key.
inline std::uint64_t mixDouble(std::uint64_t h, double v) { return mix(h, std::bit_cast<std::uint64_t>(v == 0 ? 0.0 : v)); }
std::uint64_t mixText(std::uint64_t h, std::string_view s);
std::uint64_t mixText(std::uint64_t h, const QString& s);
std::uint64_t mixColor(std::uint64_t h, const Color& c);
std::uint64_t mixStyle(std::uint64_t h, const ShapeStyle& s);
/// The elements of an outline, point by point.
std::uint64_t mixPath(std::uint64_t h, const QPainterPath& path);
/// A key no other op has: for drawing that cannot be described (free drawing).
std::uint64_t uniqueKey();

/// The device pixels an op drawing within `bounds` (painter coordinates) may touch.
QRect devicePixels(const QPainter& painter, const QRectF& bounds, const Damage& damage);

/// The pixels that can differ between two frames drawn from `before` and `after`.
QRegion changedPixels(const std::vector<PaintOp>& before, const std::vector<PaintOp>& after);

/// The ops an image was last drawn with, kept while the image is unchanged:
/// taking them for an image whose pixels changed since (or another image) gives nothing.
bool takeFrameOps(const QImage& image, std::vector<PaintOp>& out);
void keepFrameOps(const QImage& image, std::vector<PaintOp>&& ops);
/// An empty list to record into, with the storage of a list no longer needed.
std::vector<PaintOp> recycledOps();
void recycleOps(std::vector<PaintOp>&& ops);

} // namespace plyx::ui::detail
