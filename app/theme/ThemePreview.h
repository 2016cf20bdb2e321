#pragma once
// The theme editor's live preview: three real widget views drawn in the
// edited theme at the catalog's preview moment, over a fixed dark backdrop,
// and the button that applies the edited theme to every widget.
#include "platform/ui/View.h"
#include "shared/foundation/ThemeSettings.h"
#include "shared/foundation/WidgetPalette.h"

#include <array>
#include <functional>

namespace plyx {

namespace ThemePreview {

inline constexpr const char* kCaption = "LIVE PREVIEW";
inline constexpr const char* kApply = "Apply to All Widgets";
inline constexpr const char* kApplied = "Applied ✓";
inline constexpr int kColumnWidth = 412;

enum class Sample { clock, weather, battery };

/// One sample card: the widget drawn, its tone, its design size and the frame
/// the card is given in the column.
struct Card {
    Sample sample;
    WidgetPalette::Tone tone;
    ui::Size designSize;
    ui::Size frame;
};
inline constexpr std::array<Card, 3> cards{{
    {Sample::clock, WidgetPalette::Tone::dark, {344, 160}, {344, 150}},
    {Sample::weather, WidgetPalette::Tone::light, {160, 160}, {150, 150}},
    {Sample::battery, WidgetPalette::Tone::dark, {160, 160}, {150, 150}},
}};

/// The time zone the clock card shows: "Europe/London", or the current zone
/// where the system does not know that one.
std::string clockZone();

/// The card's widget drawn in `theme` on its own rounded background, at the
/// largest scale that fits the space the view is offered.
ui::View cardView(const Card& card, const ThemeSettings& theme);

/// What the card views are rendered with: the catalog's preview moment.
ui::Environment environment();

} // namespace ThemePreview

} // namespace plyx
