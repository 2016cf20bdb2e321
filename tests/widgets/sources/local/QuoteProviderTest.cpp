#include "widgets/sources/local/QuoteProvider.h"

#include "platform/time/Time.h"

#include <gtest/gtest.h>

#include <set>

namespace plyx {
namespace {

struct CalendarGuard {
    ~CalendarGuard() {
        time::setCurrentZone("UTC");
        time::setCurrentLocale("en_US");
    }
};

std::size_t indexOf(const QuoteItem& q) {
    const auto& list = QuoteProvider::quotes();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (&list[i] == &q) return i;
    return list.size();
}

std::size_t codePoints(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

TEST(QuoteProvider, TheListIsShortAttributedSayings) {
    std::set<std::string> texts, authors;
    for (const auto& q : QuoteProvider::quotes()) {
        EXPECT_GE(codePoints(q.text), 15u) << q.text;
        EXPECT_LE(codePoints(q.text), 65u) << q.text;
        EXPECT_EQ(q.text.find('\n'), std::string::npos) << q.text;
        EXPECT_FALSE(q.author.empty()) << q.text;
        texts.insert(q.text);
        authors.insert(q.author);
    }
    EXPECT_EQ(texts.size(), QuoteProvider::quotes().size()); // no saying twice
    EXPECT_LT(authors.size(), texts.size());                  // some authors more than once
}

TEST(QuoteProvider, OneQuotePerLocalDay) {
    CalendarGuard g;
    time::setCurrentZone("America/New_York");
    const Date midnight = time::dateFrom(2026, 12, 10, 0, 0, 0, "America/New_York");
    const Date lastSecond = time::dateFrom(2026, 12, 10, 23, 59, 59.999, "America/New_York");
    const Date nextMidnight = time::dateFrom(2026, 12, 11, 0, 0, 0, "America/New_York");
    const std::size_t i = indexOf(QuoteProvider::today(midnight));
    EXPECT_EQ(indexOf(QuoteProvider::today(lastSecond)), i);
    EXPECT_EQ(indexOf(QuoteProvider::today(nextMidnight)), (i + 1) % 30);

    // The same moment is already the next day further east.
    time::setCurrentZone("Asia/Tokyo");
    EXPECT_EQ(indexOf(QuoteProvider::today(lastSecond)), (i + 1) % 30);
}

TEST(QuoteProvider, ThirtyDayCycle) {
    CalendarGuard g;
    const Date start = time::dateFrom(2026, 1, 1, 12, 0, 0, "UTC");
    bool wrapped = false;
    for (int day = 0; day < 62; ++day) {
        const Date d = time::addingDays(start, day, "UTC");
        const std::size_t i = indexOf(QuoteProvider::today(d));
        ASSERT_LT(i, 30u);
        EXPECT_EQ(indexOf(QuoteProvider::today(time::addingDays(d, 30, "UTC"))), i) << day;
        const std::size_t next = indexOf(QuoteProvider::today(time::addingDays(d, 1, "UTC")));
        EXPECT_EQ(next, (i + 1) % 30) << day;
        wrapped = wrapped || (i == 29 && next == 0);
    }
    EXPECT_TRUE(wrapped);
}

TEST(QuoteProvider, DayOrdinalCountsFromTheEraStart) {
    CalendarGuard g;
    // 1 January 2001: 2000 years from 1 January of year 1 (a Julian date,
    // as the calendar runs before 1582) are 730,487 days.
    EXPECT_EQ(QuoteProvider::dayOrdinalInEra(time::dateFrom(2001, 1, 1, 12, 0, 0, "UTC")), 730488);

    // The Japanese calendar starts a new era on 1 May 2019: its first day is
    // ordinal 1 (the second quote), and the day before ends the previous era.
    time::setCurrentZone("Asia/Tokyo");
    time::setCurrentLocale("ja_JP@calendar=japanese");
    const Date firstDay = time::dateFrom(2019, 5, 1, 9, 0, 0, "Asia/Tokyo");
    const Date dayBefore = time::dateFrom(2019, 4, 30, 9, 0, 0, "Asia/Tokyo");
    const auto previousEraDays =
        static_cast<std::int64_t>((time::dateFrom(2019, 4, 30, 0, 0, 0, "UTC") - time::dateFrom(1989, 1, 8, 0, 0, 0, "UTC")) / 86400) + 1;
    EXPECT_EQ(QuoteProvider::dayOrdinalInEra(firstDay), 1);
    EXPECT_EQ(QuoteProvider::dayOrdinalInEra(dayBefore), previousEraDays);
    EXPECT_EQ(&QuoteProvider::today(firstDay), &QuoteProvider::quotes()[1]);

    // The Gregorian count runs on through the same days.
    time::setCurrentLocale("ja_JP");
    EXPECT_EQ(*QuoteProvider::dayOrdinalInEra(firstDay), *QuoteProvider::dayOrdinalInEra(dayBefore) + 1);
}

} // namespace
} // namespace plyx
