#include "widgets/sources/local/QuoteProvider.h"

#include "platform/time/Time.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>

namespace plyx::QuoteProvider {

const std::array<QuoteItem, kQuoteCount>& quotes() {
    static const std::array<QuoteItem, kQuoteCount> list{{
        {"Well begun is half done.", "Aristotle"},
        {"The unexamined life is not worth living.", "Socrates"},
        {"Brevity is the soul of wit.", "William Shakespeare"},
        {"We know what we are, but know not what we may be.", "William Shakespeare"},
        {"Nothing is permanent except change.", "Heraclitus"},
        {"Well done is better than well said.", "Benjamin Franklin"},
        {"Lost time is never found again.", "Benjamin Franklin"},
        {"Energy and persistence conquer all things.", "Benjamin Franklin"},
        {"It is not length of life, but depth of life.", "Ralph Waldo Emerson"},
        {"Nothing great was ever achieved without enthusiasm.", "Ralph Waldo Emerson"},
        {"While we are postponing, life speeds by.", "Seneca"},
        {"Difficulties strengthen the mind, as labor does the body.", "Seneca"},
        {"Luck is what happens when preparation meets opportunity.", "Seneca"},
        {"The journey of a thousand miles begins with one step.", "Lao Tzu"},
        {"Nature does not hurry, yet everything is accomplished.", "Lao Tzu"},
        {"It does not matter how slowly you go as long as you do not stop.", "Confucius"},
        {"Waste no more time arguing what a good man should be. Be one.", "Marcus Aurelius"},
        {"Very little is needed to make a happy life.", "Marcus Aurelius"},
        {"He who has a why to live can bear almost any how.", "Friedrich Nietzsche"},
        {"Go confidently in the direction of your dreams.", "Henry David Thoreau"},
        {"Our life is frittered away by detail. Simplify, simplify.", "Henry David Thoreau"},
        {"The secret of getting ahead is getting started.", "Mark Twain"},
        {"Whatever you are, be a good one.", "Abraham Lincoln"},
        {"I have not failed. I've just found 10,000 ways that won't work.", "Thomas Edison"},
        {"Quality is not an act, it is a habit.", "Aristotle"},
        {"Patience is bitter, but its fruit is sweet.", "Jean-Jacques Rousseau"},
        {"To be prepared is half the victory.", "Miguel de Cervantes"},
        {"Beware the barrenness of a busy life.", "Socrates"},
        {"Action is eloquence.", "William Shakespeare"},
        {"Fortune favours the bold.", "Virgil"},
    }};
    return list;
}

namespace {

/// The era of the day numbered `julianDay`, or nothing on a calendar error.
std::optional<std::int32_t> eraOfDay(icu::Calendar& cal, std::int32_t julianDay) {
    UErrorCode status = U_ZERO_ERROR;
    cal.clear();
    cal.set(UCAL_JULIAN_DAY, julianDay);
    const std::int32_t era = cal.get(UCAL_ERA, status);
    if (U_FAILURE(status)) return std::nullopt;
    return era;
}

} // namespace

std::optional<std::int64_t> dayOrdinalInEra(Date date) {
    UErrorCode status = U_ZERO_ERROR;
    const std::string zoneId = time::currentZone();
    std::unique_ptr<icu::TimeZone> zone(
        icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zoneId)));
    std::unique_ptr<icu::Calendar> cal(
        icu::Calendar::createInstance(zone.release(), icu::Locale(time::currentLocale().c_str()), status));
    if (U_FAILURE(status) || !cal) return std::nullopt;

    cal->setTime(date.unixMillis(), status);
    const std::int32_t day = cal->get(UCAL_JULIAN_DAY, status);
    const std::int32_t era = cal->get(UCAL_ERA, status);
    if (U_FAILURE(status)) return std::nullopt;

    // An era is one unbroken run of days. Its first year's first day is a
    // bound close to its start (for eras that begin mid-year, the year's
    // first day still lies in the era before); the start is the first day
    // from there on that belongs to the era.
    cal->clear();
    cal->set(UCAL_ERA, era);
    cal->set(UCAL_YEAR, 1);
    cal->set(UCAL_DAY_OF_YEAR, 1);
    std::int32_t yearOne = cal->get(UCAL_JULIAN_DAY, status);
    if (U_FAILURE(status)) return std::nullopt;
    if (yearOne > day) yearOne = day;

    std::int32_t lo = yearOne - 400;
    auto loEra = eraOfDay(*cal, lo);
    if (!loEra) return std::nullopt;
    std::int32_t start;
    if (*loEra == era) {
        // A calendar with a single era: it starts on its first year's first day.
        start = yearOne;
    } else {
        // eraOfDay(lo) != era and eraOfDay(day) == era: find the boundary.
        std::int32_t hi = day;
        while (hi - lo > 1) {
            const std::int32_t mid = lo + (hi - lo) / 2;
            auto e = eraOfDay(*cal, mid);
            if (!e) return std::nullopt;
            (*e == era ? hi : lo) = mid;
        }
        start = hi;
    }
    return static_cast<std::int64_t>(day) - start + 1;
}

const QuoteItem& today(Date date) {
    const auto ordinal = dayOrdinalInEra(date);
    const std::size_t index = ordinal && *ordinal >= 1 ? static_cast<std::size_t>(*ordinal % kQuoteCount) : 0;
    return quotes()[index];
}

} // namespace plyx::QuoteProvider
