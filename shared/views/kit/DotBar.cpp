#include "shared/views/kit/DotBar.h"

#include "shared/views/kit/KitMath.h"

namespace plyx {

int DotBar::dotCount(double width) const {
    const double p = pitch * u;
    if (!kit::isUsableLength(p)) return 1;
    const double w = std::isfinite(width) && width > 0 ? width : 0;
    const double n = std::floor((w + 0.2 * p) / p);
    return std::clamp(n >= kit::kMaxDots ? kit::kMaxDots : static_cast<int>(n), 1, kit::kMaxDots);
}

int DotBar::filledCount(int n) const { return kit::roundedCount(kit::unitFraction(fraction) * n, n); }

int DotBar::overCount(int n) const { return kit::roundedCount(kit::unitFraction(overFraction) * n, n); }

ui::View DotBar::body() const {
    const DotBar bar = *this;
    const double d = kit::safeLength(dotSize * u);
    return ui::GeometryReader([bar, d](ui::Size size) {
               const int n = bar.dotCount(size.width);
               const int filled = bar.filledCount(n);
               const int over = bar.overCount(n);
               // Views are immutable: the dots of one colour share one, and a
               // bar of dozens of dots makes three.
               const ui::View filledDot = ui::Circle().fill(bar.fill).frame(d, d);
               const ui::View overDot = ui::Circle().fill(bar.over).frame(d, d);
               const ui::View trackDot = ui::Circle().fill(bar.track).frame(d, d);
               std::vector<ui::View> dots;
               dots.reserve(static_cast<std::size_t>(n));
               for (int i = 0; i < n; ++i) dots.push_back(i < filled ? filledDot : i < filled + over ? overDot : trackDot);
               return ui::HStack(std::move(dots), ui::VerticalAlignment::center, kit::safeSpacing((bar.pitch - bar.dotSize) * bar.u))
                   .frame(std::nullopt, size.height, ui::Alignment::leading);
           })
        .frame(std::nullopt, d);
}

} // namespace plyx
