#pragma once
// Internal: the per-render element tree. A View's immutable nodes build elements
// for one render; each element has a sizing pass (`measure`: the parent proposes,
// the element chooses) and a placing pass (`arrange`: the parent has fixed the
// element's frame, the element places its children), then draws itself.
#include "platform/ui/Damage.h"
#include "platform/ui/Render.h"
#include "platform/ui/Shape.h"
#include "platform/ui/ViewCore.h"

#include <QFont>
#include <QPainter>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plyx::ui::detail {

enum class Axis { horizontal, vertical };

/// Text styling inherited down the tree; the innermost modifier wins.
struct TextStyle {
    Font font = Font::system(13);
    double tracking = 0;
    std::optional<TextCase> textCase;
    bool monospacedDigits = false;
    std::optional<int> lineLimit;
    double lineSpacing = 0;
    bool strikethrough = false;
    std::optional<Color> strikethroughColor;
    double minimumScaleFactor = 1;
    TextAlignment alignment = TextAlignment::leading;
};

/// What a build learns about the whole tree, for whoever keeps the layout.
struct BuildNotes {
    /// A part of the tree shows something else a second after the render
    /// moment (a running timer): the tree counts time.
    bool countsTime = false;
};

/// What the nodes above hand to the nodes below while a tree is built.
struct BuildContext {
    Environment env;
    TextStyle text;
    ShapeStyle foreground = Color::black();
    /// The axis of the stack a node sits directly in, if any (Spacers read it).
    std::optional<Axis> stackAxis;
    /// Where the build notes what it learns; null when no one keeps the layout.
    /// It outlives the elements built under it (they may build again later).
    BuildNotes* notes = nullptr;
};

class Element;
using ElementPtr = std::unique_ptr<Element>;

/// Memory from per-thread lists of blocks that earlier renders gave back: a
/// render makes and drops a few hundred elements and their lists of
/// children, and malloc was a large share of laying a view out. Any thread
/// may give back a block another took.
void* takeBlock(std::size_t size);
void giveBlock(void* p, std::size_t size) noexcept;

template <class T>
struct BlockAllocator {
    using value_type = T;
    BlockAllocator() = default;
    template <class U>
    BlockAllocator(const BlockAllocator<U>&) {}
    T* allocate(std::size_t n) { return static_cast<T*>(takeBlock(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { giveBlock(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const BlockAllocator<U>&) const { return true; }
};

/// A vector in blocks, for what an element keeps or works out while it is laid out.
template <class T>
using BlockVector = std::vector<T, BlockAllocator<T>>;
/// The children of an element.
using ElementList = BlockVector<ElementPtr>;

struct Node {
    virtual ~Node() = default;
    /// A fresh element for one render. `ctx` is this node's inherited context.
    virtual ElementPtr build(const BuildContext& ctx) const = 0;
};

/// A fresh element of the empty view.
ElementPtr emptyElement();

/// Builds `view` under a modifier. The stack axis passes through modifiers, so a
/// framed or padded Spacer still stretches along its stack.
ElementPtr buildChild(const View& view, const BuildContext& ctx);

/// Where drawing goes and what it records.
struct DrawContext {
    QPainter& painter;
    std::vector<Hit>& hits;
    /// Nesting depth of interactive elements around the current one.
    int hitDepth = 0;
    /// The whole rendered area, in points.
    Rect bounds;
    /// Maps the painter's current coordinates back to those of the render call.
    QTransform toCaller;
    /// Set while only what changed since the last frame is drawn.
    Damage* damage = nullptr;
    /// The key of the clips around the current element.
    std::uint64_t scope = 0;

    /// Records a hit over `rect` (in the painter's current coordinates).
    void addHit(const Rect& rect, HitKind kind, const std::string& payload, int depth);
    /// Whether a leaf that draws within `bounds` (the painter's current
    /// coordinates), with `key` standing for everything else that decides its
    /// pixels, draws now. Leaves ask before drawing; always true without damage.
    bool paints(const QRectF& bounds, std::uint64_t key);
    /// The same for a leaf that may draw anywhere.
    bool paintsAnywhere(std::uint64_t key);
};

class Element {
public:
    virtual ~Element() = default;

    // Elements come from the blocks (see takeBlock), not from malloc.
    static void* operator new(std::size_t size) { return takeBlock(size); }
    static void operator delete(void* p, std::size_t size) noexcept { giveBlock(p, size); }

    /// The size this element chooses for `proposal` (remembered for repeated proposals).
    Size sizeThatFits(ProposedSize proposal);
    /// Fixes this element's frame (absolute points) and places its children.
    void place(Rect frame);
    /// Draws this element and its children.
    virtual void draw(DrawContext& dc) const;
    /// Builds the parts made from the render moment again for `now`, keeping
    /// the layout around them. False when a new part would be sized or aligned
    /// differently: the tree is then half moved and must be laid out anew.
    virtual bool advance(Date now);
    /// Whether `other` chooses the sizes this element chose for every proposal
    /// it was asked about, and has the same baselines at those sizes: it could
    /// take this element's place without moving anything around it.
    bool answersLike(Element& other);

    /// Distance from the top of a `size` frame to the first / last text baseline;
    /// a view without text uses its bottom edge.
    virtual double firstBaseline(Size size) { return size.height; }
    virtual double lastBaseline(Size size) { return size.height; }

    /// Name shown in dumps.
    virtual const char* kind() const = 0;
    /// Extra dump attributes, each starting with a space.
    virtual void dumpAttributes(std::string&) const {}
    /// Spacers give way to every other child of a stack.
    virtual bool isSpacer() const { return false; }
    /// Empty views take no place (and no spacing) in stacks.
    virtual bool isEmpty() const { return false; }
    /// Whether this element chooses the same size whatever it is offered (fixed
    /// frames, symbols, and containers of nothing else): such elements are measured once.
    virtual bool ignoresProposal() const { return false; }
    /// An element that only stands in for its one child leaves no line of its own in dumps.
    virtual bool standsIn() const { return false; }

    const Rect& frame() const { return frame_; }
    const ElementList& children() const { return children_; }

    /// Stacks serve higher priorities first.
    double layoutPriority = 0;

protected:
    virtual Size measure(ProposedSize proposal) = 0;
    virtual void arrange(Rect frame) { (void)frame; }
    void drawChildren(DrawContext& dc) const;

    ElementList children_;
    Rect frame_;

private:
    // Plain numbers, so making an element writes none of them: entries past
    // cacheCount_ are never read.
    struct CacheEntry {
        double proposedWidth, proposedHeight, width, height;
        bool hasWidth, hasHeight;
    };
    // The counts first, beside the fields every element writes when it is made.
    int cacheCount_ = 0, cacheNext_ = 0;
    // Set once an answer was pushed out of the full cache: the answers given are then no longer all known.
    bool cacheDropped_ = false;
    std::array<CacheEntry, 16> cache_;
};

// Helpers shared by the elements.

/// Offset of the alignment guide within a frame of `size` for `child` of that size.
double horizontalGuide(HorizontalAlignment a, double width);
double verticalGuide(VerticalAlignment a, Element& child, Size size);
/// The origin of a child of `childSize` aligned in `container`.
Point alignedOrigin(Rect container, Element& child, Size childSize, Alignment a);

/// A number rounded to 0.01 without trailing zeros ("10", "10.5", "-3.25").
std::string formatNumber(double v);
/// "#RRGGBBAA".
std::string formatColor(const Color& c);
/// A dump description of a style.
std::string describeStyle(const ShapeStyle& s);

QColor toQColor(const Color& c);
/// A brush for `style` filling `rect`.
QBrush toBrush(const ShapeStyle& style, const QRectF& rect);
/// The Qt font for `font` scaled by `scale`, sized so that one point is one unit of
/// the painter's coordinates on `device` (metrics when `device` is null).
QFont toQFont(const Font& font, double scale, const QPaintDevice* device);
/// Hands a named family to the installed face loader (see `setFaceLoader`).
void loadFace(const Font& font);
/// The device font metrics are taken from (an image, as widgets are drawn into).
const QPaintDevice* metricsDevice();

/// Draws through an offscreen layer the size of `bounds` (in the painter's coordinates):
/// `content` draws into it, then `finish` composes on the layer (for tints and masks)
/// before it is drawn back.
void drawInLayer(QPainter& painter, const QRectF& bounds, const std::function<void(QPainter&)>& content,
                 const std::function<void(QPainter&)>& finish);

/// `v` when it is a finite number, else `fallback`: degenerate values reaching a
/// view (a NaN length, an infinite offset) must not poison the layout or the painter.
inline double finiteOr(double v, double fallback) { return std::isfinite(v) ? v : fallback; }

/// What a view that takes all it is offered chooses when asked for its ideal size.
inline constexpr double kIdealFlexibleLength = 10;
inline double takeOffered(std::optional<double> offered) { return offered ? *offered : kIdealFlexibleLength; }

using plyx::ui::ensureGuiApplication;

} // namespace plyx::ui::detail

namespace plyx::ui::detail {

/// A node that wraps one view.
struct ModifierNode : Node {
    View child;
};

/// An element of one child that takes the child's size and frame: the base of
/// modifiers that change drawing but not layout.
class WrapperElement : public Element {
public:
    explicit WrapperElement(ElementPtr child) { children_.push_back(std::move(child)); }
    double firstBaseline(Size size) override { return child().firstBaseline(size); }
    double lastBaseline(Size size) override { return child().lastBaseline(size); }
    bool ignoresProposal() const override { return child().ignoresProposal(); }

protected:
    Element& child() const { return *children_.front(); }
    Size measure(ProposedSize p) override { return child().sizeThatFits(p); }
    void arrange(Rect frame) override { child().place(frame); }
};

} // namespace plyx::ui::detail
