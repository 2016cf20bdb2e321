#pragma once
// What the clock face tests share: a context whose palette roles can all be
// told apart, the 12/24-hour setting for a scope, and the text of a dump line.
#include "platform/time/Time.h"
#include "shared/foundation/WCtx.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/dump/DumpLines.h"
#include "tests/support/TestSupport.h"

#include <string>
#include <vector>

namespace plyx::test {

inline WCtx clockContext(ThemeSettings::NumeralStyle numerals = ThemeSettings::NumeralStyle::dotMatrix,
                         ThemeSettings::LabelStyle labels = ThemeSettings::LabelStyle::monoCaps, double u = 1) {
    WCtx ctx;
    ctx.theme.numerals = numerals;
    ctx.theme.labels = labels;
    ctx.pal.ink = ui::Color::grey255(240);
    ctx.pal.inkDim = ui::Color::grey255(160);
    ctx.pal.inkFaint = ui::Color::grey255(100);
    ctx.pal.accent = ui::Color::rgb(1, 0, 0);
    ctx.pal.track = ui::Color::rgb(0, 0, 1);
    ctx.pal.fill = ui::Color::rgb(0, 1, 0);
    ctx.pal.hairline = ui::Color::rgb(1, 1, 0);
    ctx.pal.chip = ui::Color::rgb(0, 1, 1);
    ctx.u = u;
    return ctx;
}

/// Sets "plyx.timeformat" in fresh storage for a scope; the zone and locale
/// are put back to the test defaults afterwards.
struct ClockSetting {
    explicit ClockSetting(int hours) { SharedStorage::setInteger(StorageKeys::timeFormat, hours); }
    ~ClockSetting() {
        time::setCurrentZone("UTC");
        time::setCurrentLocale("en_US");
    }
    FreshStorage fresh;
};

/// Every text of a view laid out in `size`, in drawing order.
inline std::vector<std::string> textsOf(const ui::View& view, ui::Size size) {
    std::vector<std::string> out;
    for (const auto& l : ofKind(dumpLines(view, size), "Text")) out.push_back(l.text());
    return out;
}

} // namespace plyx::test
