#pragma once
// Rain over the coming hours (medium): the chance of rain now as a
// percentage, and one dot column per coming hour. The wettest hour is in the
// accent colour, likely hours (half or more) in the fill colour, the rest grey.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/WeatherSnapshot.h"
#include "shared/views/kit/DotBarChart.h"

#include <vector>

namespace plyx {

struct WeatherRain {
    WeatherSnapshot data;
    WCtx ctx;

    /// The grey of unlikely hours: sRGB 76/255 on each channel, opaque.
    static constexpr ui::Color kUnlikelyGrey = ui::Color::grey255(76);
    /// From this chance on, an hour that is not the peak takes the fill colour.
    static constexpr double kLikelyChance = 0.5;

    /// One bar per rain hour, in order, coloured as above.
    std::vector<DotBarChart::Bar> bars() const;
    ui::View body() const;
};

} // namespace plyx
