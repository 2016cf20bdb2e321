#include "platform/ui/TextShrink.h"

#include <algorithm>
#include <cmath>

namespace plyx::ui::detail {

namespace {

// A single line's width follows its font size almost in proportion, so the
// ratio of the offered width to the full width is nearly the answer. It misses
// by what does not scale (kerning, advances rounded at the oversampled size),
// a fraction of a percent: four tries half a percent apart cover two percent
// below the ratio before the bisection takes over.
constexpr int kOneLineTries = 4;
constexpr double kOneLineStep = 0.995;

// Ten halvings of [minimum, 1] find the scale to within (1 - minimum) / 1024:
// under 0.1 % of the font size, a tenth of a device pixel for a 60-point
// numeral at a ratio of 2, and each try costs a full layout.
constexpr int kBisections = 10;

} // namespace

TextLayout shrinkToFit(const LayoutAtScale& layoutAt, ProposedSize p, double minScale, bool oneLine) {
    TextLayout full = layoutAt(1, p);
    if (!full.cut || minScale >= 1) return full;
    TextLayout smallest = layoutAt(minScale, p);
    if (smallest.cut) return smallest;
    double lo = minScale, hi = 1;
    TextLayout best = smallest;
    if (oneLine && p.width && std::isfinite(*p.width)) {
        const double ideal = layoutAt(1, {std::nullopt, std::nullopt}).size.width;
        double guess = ideal > 0 ? std::clamp(*p.width / ideal, minScale, 1.0) : minScale;
        for (int i = 0; i < kOneLineTries && guess > minScale;
             ++i, guess = std::max(minScale, guess * kOneLineStep)) {
            TextLayout trial = layoutAt(guess, p);
            if (!trial.cut) return trial;
            hi = guess;
        }
    }
    for (int i = 0; i < kBisections; ++i) {
        const double mid = (lo + hi) / 2;
        TextLayout trial = layoutAt(mid, p);
        if (trial.cut) {
            hi = mid;
        } else {
            lo = mid;
            best = std::move(trial);
        }
    }
    return best;
}

} // namespace plyx::ui::detail
