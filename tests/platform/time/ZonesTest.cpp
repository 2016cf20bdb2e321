#include "platform/time/TextMatch.h"
#include "platform/time/Time.h"
#include "platform/time/ZoneList.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace plyx {
namespace {

TEST(ZoneList, EveryListedZoneIsKnownAndTheUnknownZoneIsNot) {
    const auto& ids = time::knownZoneIdentifiers();
    ASSERT_GT(ids.size(), 400u);
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    for (const char* id : {"America/New_York", "Asia/Kolkata", "Asia/Calcutta", "Europe/London", "UTC"})
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
    for (const auto& id : ids) ASSERT_TRUE(time::isKnownZone(id)) << id;
    for (const char* id : {"Etc/Unknown", "Mars/Olympus", "", "GMT+05:30"}) {
        EXPECT_FALSE(time::isKnownZone(id)) << id;
        EXPECT_EQ(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
    }
}

TEST(TextMatch, CaseInsensitiveContainmentInTheLocale) {
    struct Case {
        const char* text;
        const char* part;
        const char* locale;
        bool contains;
    };
    const Case cases[] = {
        {"New York", "york", "en_US", true},
        {"New York", "W Y", "en_US", true},
        {"New York", "yorks", "en_US", false},
        {"New York", "", "en_US", false},
        {"", "", "en_US", false},
        {"Zürich", "ZÜR", "de_CH", true},
        {"Zürich", "zur", "de_CH", false}, // accents count
        {"Straße", "STRASSE", "de_DE", true},
        {"Istanbul", "istanbul", "en_US", true},
        {"Istanbul", "istanbul", "tr_TR", false}, // Turkish: "I" pairs with dotless "ı"
        {"Istanbul", "ıstanbul", "tr_TR", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(time::localizedCaseInsensitiveContains(c.text, c.part, c.locale), c.contains)
            << c.text << " / " << c.part << " in " << c.locale;
}

} // namespace
} // namespace plyx
