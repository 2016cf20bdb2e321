#pragma once
// The view value and its modifiers. A View is a cheap, copyable handle to an
// immutable tree; every modifier returns a new View wrapping the old one.
#include "platform/ui/Environment.h"
#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Style.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace plyx::ui {

namespace detail {
struct Node;
}
class Shape;

enum class TextCase { uppercase, lowercase };
enum class TextAlignment { leading, center, trailing };

/// The arguments of a flexible frame; a missing value leaves that limit to the child.
/// Use `infinity` as a maximum to fill what the parent offers.
struct FlexFrame {
    std::optional<double> minWidth = std::nullopt, idealWidth = std::nullopt, maxWidth = std::nullopt;
    std::optional<double> minHeight = std::nullopt, idealHeight = std::nullopt, maxHeight = std::nullopt;
    Alignment alignment = Alignment::center;
};

/// The platform's default padding.
inline constexpr double kDefaultPadding = 16;
/// The platform's default spacing between the children of a stack.
inline constexpr double kDefaultSpacing = 8;

class View {
public:
    /// An empty view (same as `EmptyView()`).
    View();
    explicit View(std::shared_ptr<const detail::Node> node) : node_(std::move(node)) {}

    // Layout.
    /// A frame of fixed width and/or height; a missing dimension takes the child's.
    View frame(std::optional<double> width, std::optional<double> height,
               Alignment alignment = Alignment::center) const;
    /// A flexible frame with minimum, ideal and maximum sizes.
    View frame(const FlexFrame& flex) const;
    /// A flexible frame with infinite maximum width and height ("framed to full size").
    View frameFill(Alignment alignment = Alignment::center) const;
    /// Padding on the given edges.
    View padding(Edges edges, double length = kDefaultPadding) const;
    /// Padding on all edges.
    View padding(double length) const;
    /// The default padding on all edges.
    View padding() const;
    /// Padding per edge.
    View padding(EdgeInsets insets) const;
    /// Lays `overlay` over this view, offered this view's size and aligned in it.
    View overlay(const View& overlay, Alignment alignment = Alignment::center) const;
    /// Lays `background` behind this view, offered this view's size and aligned in it.
    View background(const View& background, Alignment alignment = Alignment::center) const;
    /// Fills the area behind this view with a style.
    View background(const ShapeStyle& style) const;
    /// Offers the child its ideal size in the given dimensions, whatever the parent offers.
    View fixedSize(bool horizontal = true, bool vertical = true) const;
    /// Stacks serve children of higher priority first.
    View layoutPriority(double priority) const;

    // Drawing effects: none of them changes the layout.
    /// Moves the drawing by x, y points.
    View offset(double x, double y) const;
    /// Rotates the drawing by `degrees` clockwise about the centre.
    View rotationEffect(double degrees) const;
    /// Scales the drawing by `s` about the centre.
    View scaleEffect(double s) const;
    /// Scales the drawing by `sx`, `sy` about the centre.
    View scaleEffect(double sx, double sy) const;
    /// Multiplies the opacity of everything drawn.
    View opacity(double o) const;
    /// Clips the drawing to `shape` in this view's frame.
    View clipShape(const Shape& shape) const;
    /// Keeps the drawing only where `mask` (offered this view's size, centred) is opaque.
    View mask(const View& mask) const;

    // Inherited styling: applies to every text, symbol and shape below; the innermost wins.
    /// The colour of texts, symbols and unstyled shapes.
    View foregroundColor(const Color& color) const;
    /// The style of texts, symbols and unstyled shapes.
    View foregroundStyle(const ShapeStyle& style) const;
    View font(const Font& font) const;
    View fontWeight(FontWeight weight) const;
    /// Extra space after every character, in points.
    View tracking(double points) const;
    View textCase(std::optional<TextCase> textCase) const;
    /// Draws digits at one common width.
    View monospacedDigit() const;
    /// At most `lines` lines; the last one ends in "…" when the text is cut. None = unlimited.
    View lineLimit(std::optional<int> lines) const;
    /// Extra space between lines, in points.
    View lineSpacing(double points) const;
    View strikethrough(bool active = true, std::optional<Color> color = std::nullopt) const;
    /// How far a text may shrink its font to fit (1 = not at all).
    View minimumScaleFactor(double factor) const;
    View multilineTextAlignment(TextAlignment alignment) const;

    // Interaction.
    /// Opening this URL is what a tap anywhere on the widget does (unless something inner handles it).
    View widgetURL(const std::string& url) const;

    const std::shared_ptr<const detail::Node>& node() const { return node_; }

protected:
    std::shared_ptr<const detail::Node> node_;
};

// Containers.
/// Children top to bottom, aligned across by `alignment`, `spacing` points apart (default 8).
View VStack(std::vector<View> children, HorizontalAlignment alignment = HorizontalAlignment::center,
            std::optional<double> spacing = std::nullopt);
/// Children left to right, aligned across by `alignment`, `spacing` points apart (default 8).
View HStack(std::vector<View> children, VerticalAlignment alignment = VerticalAlignment::center,
            std::optional<double> spacing = std::nullopt);
/// Children back to front, each aligned in the stack by `alignment`.
View ZStack(std::vector<View> children, Alignment alignment = Alignment::center);
/// Flexible space along the enclosing stack's axis (along both outside a stack), at least `minLength`.
View Spacer(std::optional<double> minLength = std::nullopt);
/// Nothing; a stack leaves it out entirely (no spacing either).
View EmptyView();
/// Takes all the space offered and builds its content for that size, placed top-leading.
View GeometryReader(std::function<View(Size)> content);
/// Takes all the space offered and draws freely into it (the painter's origin is the view's top-left).
View Canvas(std::function<void(QPainter&, Size)> draw);
/// Builds its content from the render call's environment.
View ReadEnvironment(std::function<View(const Environment&)> content);

/// One view per element of `range`.
template <class Range, class F>
std::vector<View> ForEach(const Range& range, F&& make) {
    std::vector<View> out;
    for (const auto& element : range) out.push_back(make(element));
    return out;
}
/// One view per index 0...count-1.
template <class F>
std::vector<View> ForEachIndex(int count, F&& make) {
    std::vector<View> out;
    for (int i = 0; i < count; ++i) out.push_back(make(i));
    return out;
}

// Leaves.
/// A text drawn in the inherited text style.
View Text(std::string text);

/// A system symbol, tinted with the foreground style and sized by the font, or
/// by its frame once made resizable. An unknown name draws nothing.
class Image : public View {
public:
    explicit Image(std::string systemName);
    /// The symbol fills whatever size it is offered instead of following the font.
    Image resizable() const;

private:
    std::string name_;
};

// Interaction.
/// A tappable label that runs the serialised intent `actionJson`.
View Button(const View& label, std::string actionJson);
/// A tappable label that opens `url`.
View Link(const View& label, std::string url);

} // namespace plyx::ui
