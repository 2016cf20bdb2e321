#pragma once
// Internal: a text's lines in an offered size: wrapped at word boundaries, kept
// to the line limit and to the lines the height holds, a cut line ending in "…".
#include "platform/ui/TextShaper.h"

#include <QStringList>

#include <vector>

namespace plyx::ui::detail {

/// Widths within this of the offered width still fit: sums of advances are
/// not exact.
inline constexpr double kFitTolerance = 1e-6;

/// A text laid out at one scale of its font.
struct TextLayout {
    double scale = 1;
    std::vector<QString> lines;
    Size size;
    /// Whether anything was cut (an ellipsis shows).
    bool cut = false;
    double lineHeight = 0, ascent = 0, gap = 0;
};

/// `s` cut at its end so that it and a trailing "…" fit in `width`.
QString elide(const Shaper& shaper, const QString& s, double width);

/// Greedy word wrap of one paragraph at `width`; a word wider than a line is
/// broken between characters. Stops after `maxLines` lines.
std::vector<QString> wrap(const Shaper& shaper, const QString& paragraph, double width,
                          std::size_t maxLines = std::size_t(-1));

/// The lines of `paragraphs` in `shaper`'s font offered `proposal`, with the
/// style's line limit and line spacing.
TextLayout layLines(const Shaper& shaper, const QStringList& paragraphs, const TextStyle& style,
                    ProposedSize proposal);

} // namespace plyx::ui::detail
