// The note record: its samples, stored form and equality.
#include "shared/models/NoteItem.h"

#include "platform/time/Time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace plyx {
namespace {

TEST(NoteItem, SamplesAndEquality) {
    const Date before = time::now();
    const auto& s = NoteItem::samples();
    EXPECT_EQ(&s, &NoteItem::samples());
    ASSERT_EQ(s.size(), 7u);
    EXPECT_EQ(s[0].text, "Widget idea \u2014 dot-matrix pomodoro that fills as the session burns down.");
    EXPECT_EQ(s[2].text, "1.2 changelog draft");
    EXPECT_EQ(s[3].text, "Launch checklist: notarize, screenshots, press kit");
    EXPECT_EQ(s[5].text, "Refund policy wording");
    EXPECT_EQ(s[6].text, "Widget gallery re-order");
    const double ages[] = {0, 3600, 86400, 86400, 259200, 345600, 432000};
    const bool pinned[] = {false, false, false, true, true, false, false};
    std::set<Uuid> ids;
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_NEAR(before - s[i].edited, ages[i], 5.0) << i;
        EXPECT_EQ(s[i].pinned, pinned[i]) << i;
        ids.insert(s[i].id);
    }
    EXPECT_EQ(ids.size(), 7u);
    EXPECT_EQ(coding::decode<std::vector<NoteItem>>(*coding::encode(s)), s);

    NoteItem edited = s[0];
    edited.text += "!";
    EXPECT_NE(edited, s[0]);
}

} // namespace
} // namespace plyx
