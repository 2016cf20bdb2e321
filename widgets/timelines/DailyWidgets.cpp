#include "widgets/timelines/DailyWidgets.h"

#include "platform/time/Time.h"
#include "shared/stores/MediaBridge.h"
#include "shared/views/quote/InboxView.h"
#include "shared/views/quote/QuoteView.h"
#include "shared/views/quote/YearProgressView.h"
#include "shared/views/sky/MoonView.h"
#include "widgets/sources/local/QuoteProvider.h"
#include "widgets/sources/local/SkyMath.h"
#include "widgets/timelines/LocalProvider.h"

namespace plyx {

const QuoteItem kQuoteSample{"Well begun is half done.", "Aristotle"};

namespace {
const MoonInfo kMoonSample{"Waxing Gibbous", 0.78, true, 6, 21};
const YearInfo kYearSample{2026, 196, 365};
} // namespace

namespace DailyLive {
MoonInfo moon() { return SkyMath::moon(time::now()); }
QuoteItem quote() { return QuoteProvider::today(time::now()); }
YearInfo year() { return YearInfo::current(time::now()); }
std::optional<InboxSnapshot> inbox() { return MediaBridge::inbox(); }
} // namespace DailyLive

std::vector<DeclaredWidget> dailyWidgets() {
    return {
        declare(MoonWidget, LocalProvider<MoonInfo>{kMoonSample, &DailyLive::moon, 720}, viewOf<MoonView>),
        declare(QuoteWidget, LocalProvider<QuoteItem>{kQuoteSample, &DailyLive::quote, 360}, viewOf<QuoteView>),
        declare(YearWidget, LocalProvider<YearInfo>{kYearSample, &DailyLive::year, 360}, viewOf<YearProgressView>),
        declare(InboxWidget, LocalProvider<std::optional<InboxSnapshot>>{InboxSnapshot::sample(), &DailyLive::inbox, 15},
                viewOf<InboxView>),
    };
}

} // namespace plyx
