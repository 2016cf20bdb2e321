#pragma once
// The quote of the day: one saying from a fixed list, the same all day and
// the next one the next day, chosen from the date alone.
#include "platform/time/Date.h"
#include "shared/models/QuoteItem.h"

#include <array>
#include <cstdint>
#include <optional>

namespace plyx::QuoteProvider {

inline constexpr std::size_t kQuoteCount = 30;

/// The built-in sayings, in their fixed order.
const std::array<QuoteItem, kQuoteCount>& quotes();

/// The ordinal of the local day of `date` within its era in the user's
/// calendar and zone (the era's first day is 1); nothing when the calendar
/// cannot tell.
std::optional<std::int64_t> dayOrdinalInEra(Date date);

/// The quote of the day that holds `date`: the day's ordinal in its era,
/// modulo the list's length (the first entry when there is no ordinal).
const QuoteItem& today(Date date);

} // namespace plyx::QuoteProvider
