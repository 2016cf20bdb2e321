#pragma once
// The daily glances: the moon's phase, the quote of the day, the year's
// progress and the unread mail count, each on the local provider. The first
// three are computed from the date; the inbox reads what the application's
// mail poller stored.
#include "shared/models/InboxSnapshot.h"
#include "shared/models/MoonInfo.h"
#include "shared/models/QuoteItem.h"
#include "shared/models/YearInfo.h"
#include "widgets/timelines/DeclareWidget.h"

#include <optional>
#include <vector>

namespace plyx {

//                                      kind                 display name    description                 family   tone
inline constexpr WidgetRow MoonWidget {"plyx.weather.moon", "Moon",         "Tonight's phase.",         kSmall,  kDark};
inline constexpr WidgetRow QuoteWidget{"plyx.quote",        "Daily Quote",  "One good line a day.",     kMedium, kLight};
inline constexpr WidgetRow YearWidget {"plyx.year",         "Year Progress","The year as dots.",        kMedium, kDark};
inline constexpr WidgetRow InboxWidget{"plyx.inbox",        "Inbox",        "Unread mail at a glance.", kSmall,  kDark};

namespace DailyLive {
MoonInfo moon();
QuoteItem quote();
YearInfo year();
/// The stored inbox snapshot; none when absent or unreadable.
std::optional<InboxSnapshot> inbox();
} // namespace DailyLive

/// The quote shown in placeholders and the gallery.
extern const QuoteItem kQuoteSample;

/// The four widgets with their providers and views, in the rows' order.
std::vector<DeclaredWidget> dailyWidgets();

} // namespace plyx
