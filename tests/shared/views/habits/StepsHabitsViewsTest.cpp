#include "platform/time/Time.h"
#include "shared/views/habits/HabitsView.h"
#include "shared/views/habits/StepsView.h"
#include "tests/shared/views/ViewTestContext.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace plyx;
using test::hex;

namespace {

constexpr ui::Size kSmall{160, 160};
constexpr ui::Size kMedium{344, 160};

HabitWeekRow habit(const char* name, std::int64_t done) { return HabitWeekRow{Uuid::random(), name, done, 7}; }

} // namespace

TEST(StepsView, CountGoalAndBarFollowTheCounter) {
    const auto ctx = test::viewContext();
    struct Case {
        CounterSnapshot data;
        const char *count, *goal;
        double fraction;
    };
    const Case cases[] = {
        {{8432, 10000}, "8,432", "GOAL 10,000", 0.8432},
        {{12000, 10000}, "12,000", "GOAL 10,000", 1.0}, // the bar is full, the count is not capped
        {{500, 0}, "500", "GOAL 0", 0.0},
        {{500, -3}, "500", "GOAL -3", 0.0},
        {{0, 8}, "0", "GOAL 8", 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        const StepsView view{c.data, ctx};
        EXPECT_DOUBLE_EQ(view.fraction(), c.fraction);
        const auto lines = test::dumpLines(view.body(), kSmall);
        EXPECT_EQ(test::texts(lines), (std::vector<std::string>{"STEPS", c.count, c.goal}));
        const auto dots = test::circleFills(lines);
        ASSERT_GT(dots.size(), 10u);
        const auto lit = std::count(dots.begin(), dots.end(), hex(ctx.pal.fill));
        EXPECT_EQ(lit, std::lround(c.fraction * double(dots.size())));
        EXPECT_EQ(lit + std::count(dots.begin(), dots.end(), hex(ctx.pal.track)), std::ptrdiff_t(dots.size()));
        // The goal sits on the bottom inset.
        const auto* goal = test::textLine(lines, c.goal);
        EXPECT_NEAR(goal->y + goal->height, 160 - 20, 0.01);
    }
}

TEST(StepsView, GroupingFollowsTheCurrentLocale) {
    time::setCurrentLocale("de_DE");
    EXPECT_NE(test::textLine(test::dumpLines(StepsView{{8432, 10000}, test::viewContext()}.body(), kSmall), "8.432"),
              nullptr);
    time::setCurrentLocale("en_US");
    EXPECT_NE(test::textLine(test::dumpLines(StepsView{{8432, 10000}, test::viewContext()}.body(), kSmall), "8,432"),
              nullptr);
}

TEST(StepsView, TheWholeWidgetLogsSteps) {
    const auto rendered = ui::render(StepsView{{1, 2}, test::viewContext()}.body(), kSmall, 1, {});
    for (const ui::Point p : {ui::Point{2, 2}, ui::Point{80, 150}}) {
        const auto* hit = ui::hitTest(rendered.hits, p);
        ASSERT_NE(hit, nullptr);
        EXPECT_EQ(hit->payload, StepsView::action());
    }
}

TEST(HabitsView, RowsShowDoneDaysFromTheLeftAndFlagHabitsBehind) {
    const auto ctx = test::viewContext();
    const std::string accent = hex(ctx.pal.accent), fill = hex(ctx.pal.fill), track = hex(ctx.pal.track);
    const std::vector<HabitWeekRow> rows{habit("Run", 2), habit("Read", 3), habit("Stretch", 7), habit("Hidden", 1)};
    const auto lines = test::dumpLines(HabitsView{rows, ctx}.body(), kMedium);
    // Only the first three rows, in order.
    EXPECT_EQ(test::texts(lines), (std::vector<std::string>{"RUN", "2 / 7", "READ", "3 / 7", "STRETCH", "7 / 7"}));
    const auto dots = test::circleFills(lines);
    ASSERT_EQ(dots.size(), 21u);
    const struct {
        int done;
        const std::string& lit;
        const std::string& name;
        const std::string& count;
    } want[] = {{2, accent, accent, accent}, {3, fill, hex(ctx.pal.ink), hex(ctx.pal.inkDim)},
                {7, fill, hex(ctx.pal.ink), hex(ctx.pal.inkDim)}};
    const auto texts = test::ofKind(lines, "Text");
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        for (int i = 0; i < 7; ++i) EXPECT_EQ(dots[size_t(r * 7 + i)], i < want[r].done ? want[r].lit : track) << i;
        EXPECT_EQ(texts[size_t(r * 2)].attr("color"), want[r].name);
        EXPECT_EQ(texts[size_t(r * 2 + 1)].attr("color"), want[r].count);
    }
}

TEST(HabitsView, EachRowTogglesItsOwnHabit) {
    const std::vector<HabitWeekRow> rows{habit("Run", 2), habit("Read", 3)};
    const auto rendered = ui::render(HabitsView{rows, test::viewContext()}.body(), kMedium, 1, {});
    std::vector<std::string> actions;
    for (const auto& h : rendered.hits) actions.push_back(h.payload);
    EXPECT_EQ(actions, (std::vector<std::string>{HabitsView::action(rows[0].id), HabitsView::action(rows[1].id)}));
    EXPECT_NE(HabitsView::action(rows[0].id).find(rows[0].id.string()), std::string::npos);
    // A tap on a row runs that row's intent; between the rows nothing is hit.
    const auto& first = rendered.hits[0].rect;
    const auto* hit = ui::hitTest(rendered.hits, {first.x + 5, first.y + first.height / 2});
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->payload, HabitsView::action(rows[0].id));
    EXPECT_EQ(ui::hitTest(rendered.hits, {2, 2}), nullptr);
}

TEST(HabitsView, NoHabitsShowsTheHintAndNothingToTap) {
    const auto ctx = test::viewContext(ThemeSettings::LabelStyle::systemSans);
    const auto rendered = ui::render(HabitsView{{}, ctx}.body(), kMedium, 1, {});
    EXPECT_TRUE(rendered.hits.empty());
    EXPECT_EQ(test::texts(test::dumpLines(HabitsView{{}, ctx}.body(), kMedium)),
              std::vector<std::string>{"Add habits in Plyx"});
}
