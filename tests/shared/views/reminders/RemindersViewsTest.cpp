#include "shared/foundation/PlyxTokens.h"
#include "shared/views/reminders/ReminderToggle.h"
#include "shared/views/reminders/RemindersChecklist.h"
#include "shared/views/reminders/RemindersNextUp.h"
#include "shared/views/reminders/RemindersSingle.h"
#include "shared/views/reminders/RemindersToday.h"
#include "tests/shared/views/ViewTestContext.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

using namespace plyx;
using test::DumpLine;
using test::hex;
using test::viewContext;

namespace {


std::vector<std::string> textsOf(const std::vector<DumpLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : test::ofKind(lines, "Text")) out.push_back(l.text());
    return out;
}

const DumpLine* findText(const std::vector<DumpLine>& lines, const std::string& text) {
    for (const auto& l : lines)
        if (l.kind == "Text" && l.text() == text) return &l;
    return nullptr;
}

// The reminder identifiers the buttons carry, in drawing order.
std::vector<std::string> buttonIds(const std::vector<DumpLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : test::ofKind(lines, "Button")) {
        const auto j = nlohmann::json::parse(l.attr("action"));
        EXPECT_EQ(j["type"], "ToggleReminderIntent");
        out.push_back(j["parameters"]["reminderID"]);
    }
    return out;
}

ReminderItem open(std::string id, std::optional<std::string> time = std::nullopt, bool urgent = false) {
    return {id, "Open " + id, std::move(time), false, urgent};
}
ReminderItem done(std::string id) { return {id, "Done " + id, std::nullopt, true, false}; }

} // namespace

TEST(ReminderToggle, ARingOrADiscWithTheTickAsAButtonForThatReminder) {
    auto ctx = viewContext(ThemeSettings::LabelStyle::monoCaps, 1.5);
    for (const auto& item : {open("r-1"), done("r-2"), ReminderItem{}}) {
        SCOPED_TRACE(item.id);
        const auto lines = test::dumpLines(
            ReminderToggle{item, ctx.pal.fill, PlyxTokens::ink, 15, ctx}.body(), {40, 40});
        ASSERT_EQ(buttonIds(lines), std::vector<std::string>{item.id});
        const auto button = test::ofKind(lines, "Button")[0];
        EXPECT_DOUBLE_EQ(button.width, 22.5);
        const auto symbols = test::ofKind(lines, "Image");
        if (item.done) {
            ASSERT_EQ(symbols.size(), 1u);
            EXPECT_NE(symbols[0].attrs.find("symbol=checkmark color=" + hex(PlyxTokens::ink)), std::string::npos);
            EXPECT_NE(test::ofKind(lines, "Circle")[0].attrs.find("fill=" + hex(ctx.pal.fill)), std::string::npos);
        } else {
            EXPECT_TRUE(symbols.empty());
            EXPECT_NE(test::ofKind(lines, "Circle")[0].attrs.find("strokeBorder=" + hex(ctx.pal.fill)), std::string::npos);
        }
    }
    // Pixels: the open ring is hollow, the done disc is filled at its centre.
    const auto ringImage = test::renderImage(ReminderToggle{open("a"), ctx.pal.fill, PlyxTokens::ink, 15, ctx}.body(),
                                             {22.5, 22.5});
    EXPECT_EQ(test::pixelAt(ringImage, 11.25, 11.25).alpha(), 0);
    EXPECT_TRUE(test::near(test::pixelAt(ringImage, 0.8, 11.25), ctx.pal.fill, 60));
    const auto discImage = test::renderImage(ReminderToggle{done("b"), ctx.pal.fill, PlyxTokens::ink, 15, ctx}.body(),
                                             {22.5, 22.5});
    EXPECT_TRUE(test::near(test::pixelAt(discImage, 3, 11.25), ctx.pal.fill));
}

TEST(RemindersChecklist, TheLatestDoneThenTheOpenOnesThreeRowsAtMost) {
    struct Case {
        const char* name;
        std::vector<ReminderItem> items;
        std::vector<std::string> rows;
        const char* chip;
    };
    const Case cases[] = {
        {"two done, five open",
         {done("A"), done("B"), open("1"), open("2"), open("3"), open("4"), open("5")},
         {"B", "1", "2"},
         "5"},
        {"only done", {done("A"), done("B")}, {"B"}, "0"},
        {"three open", {open("1"), open("2"), open("3")}, {"1", "2", "3"}, "3"},
        {"four open", {open("1"), open("2"), open("3"), open("4")}, {"1", "2", "3"}, "4"},
        {"empty", {}, {}, "0"},
    };
    const auto ctx = viewContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto lines = test::dumpLines(RemindersChecklist{{c.items, std::nullopt, std::nullopt}, ctx}.body(),
                                           {344, 160});
        EXPECT_EQ(buttonIds(lines), c.rows);
        const auto t = textsOf(lines);
        ASSERT_GE(t.size(), 2u);
        EXPECT_EQ(t[0], "REMINDERS");
        EXPECT_EQ(t[1], c.chip);
        EXPECT_EQ(findText(lines, c.chip)->attr("color"), hex(ui::Color::white()));
    }
    // The done row: struck through, faint, filled circle.
    const auto lines = test::dumpLines(
        RemindersChecklist{{{done("A"), done("B"), open("1")}, std::nullopt, std::nullopt}, ctx}.body(), {344, 160});
    const auto* b = findText(lines, "Done B");
    ASSERT_NE(b, nullptr);
    EXPECT_NE(b->attrs.find("strikethrough"), std::string::npos);
    EXPECT_EQ(b->attr("color"), hex(ctx.pal.inkFaint));
    EXPECT_EQ(findText(lines, "Open 1")->attr("color"), hex(ctx.pal.ink));
    EXPECT_EQ(test::ofKind(lines, "Image").size(), 1u);
}

TEST(RemindersChecklist, TicksAreWhiteOnlyOnTheExactNearBlackFill) {
    for (const auto& [fill, tick] : {std::pair{ui::Color::grey255(17), ui::Color::white()},
                                     std::pair{ui::Color::grey255(18), PlyxTokens::ink},
                                     std::pair{ui::Color::rgb(0, 1, 0), PlyxTokens::ink}}) {
        auto ctx = viewContext();
        ctx.pal.fill = fill;
        const RemindersSnapshot snap{{done("A")}, std::nullopt, std::nullopt};
        const auto checklist = test::ofKind(test::dumpLines(RemindersChecklist{snap, ctx}.body(), {344, 160}), "Image");
        ASSERT_EQ(checklist.size(), 1u);
        EXPECT_EQ(checklist[0].attr("color"), hex(tick));
        // The today view always ticks in ink.
        const auto today = test::ofKind(test::dumpLines(RemindersToday{snap, ctx}.body(), {344, 344}), "Image");
        ASSERT_EQ(today.size(), 1u);
        EXPECT_EQ(today[0].attr("color"), hex(PlyxTokens::ink));
    }
}

TEST(RemindersRows, DueTimesShowOnlyForOpenItemsInTheAccentWhenUrgent) {
    const auto ctx = viewContext();
    const RemindersSnapshot snap{{{"d", "Done d", "8:00", true, false}, open("u", "9:30", true), open("n", "18:00"),
                                  open("none")},
                                 std::nullopt,
                                 std::nullopt};
    const auto lines = test::dumpLines(RemindersToday{snap, ctx}.body(), {344, 344});
    EXPECT_EQ(findText(lines, "9:30")->attr("color"), hex(ctx.pal.accent));
    EXPECT_EQ(findText(lines, "18:00")->attr("color"), hex(ctx.pal.inkDim));
    EXPECT_EQ(findText(lines, "8:00"), nullptr);
    EXPECT_EQ(test::ofKind(lines, "Text").size(), 2u + 4 + 2 + 1);
}

TEST(RemindersToday, FiveRowsAndTheShareDoneOfAllItems) {
    const auto ctx = viewContext();
    {
        const RemindersSnapshot snap{{done("A"), done("B"), open("1"), open("2"), open("3"), open("4"), open("5")},
                                     std::nullopt,
                                     std::nullopt};
        const auto lines = test::dumpLines(RemindersToday{snap, ctx}.body(), {344, 344});
        EXPECT_EQ(buttonIds(lines), (std::vector<std::string>{"A", "B", "1", "2", "3"}));
        EXPECT_NE(findText(lines, "2 OF 7 DONE"), nullptr);
        int fill = 0, track = 0;
        for (const auto& l : test::ofKind(lines, "Circle")) {
            if (std::abs(l.width - 6.7) > 0.01) continue;  // the bar's dots, not the check discs
            if (l.attr("fill") == hex(ctx.pal.fill)) ++fill;
            if (l.attr("fill") == hex(ctx.pal.track)) ++track;
        }
        EXPECT_EQ(fill, int(std::lround(2.0 / 7.0 * (fill + track))));
        EXPECT_EQ(findText(lines, "+")->attr("color"), hex(ctx.pal.accent));
        EXPECT_EQ(findText(lines, "TODAY")->attr("tracking"), "1.14");
    }
    {
        const auto lines = test::dumpLines(RemindersToday{{}, ctx}.body(), {344, 344});
        EXPECT_TRUE(buttonIds(lines).empty());
        EXPECT_EQ(textsOf(lines), (std::vector<std::string>{"TODAY", "+", "0 OF 0 DONE"}));
        for (const auto& l : test::ofKind(lines, "Circle")) EXPECT_EQ(l.attr("fill"), hex(ctx.pal.track));
    }
}

TEST(RemindersLabels, HeadingsAndTitlesFollowTheLabelStyle) {
    const RemindersSnapshot snap{{open("1", "9:30")}, std::nullopt, std::nullopt};
    {
        const auto lines = test::dumpLines(
            RemindersChecklist{snap, viewContext(ThemeSettings::LabelStyle::systemSans)}.body(), {344, 160});
        EXPECT_EQ(findText(lines, "Reminders")->attr("tracking"), "");
        EXPECT_NE(findText(lines, "Open 1")->attrs.find("font=system"), std::string::npos);
        EXPECT_NE(findText(lines, "9:30"), nullptr);
    }
    {
        const auto lines = test::dumpLines(RemindersChecklist{snap, viewContext()}.body(), {344, 160});
        EXPECT_EQ(findText(lines, "REMINDERS")->attr("tracking"), "0.96");
        EXPECT_EQ(findText(lines, "Open 1")->attrs.find("font=system"), std::string::npos);
    }
    {
        const auto lines = test::dumpLines(
            RemindersToday{snap, viewContext(ThemeSettings::LabelStyle::systemSans)}.body(), {344, 344});
        EXPECT_EQ(textsOf(lines), (std::vector<std::string>{"Today", "+", "Open 1", "9:30", "0 of 1 done"}));
    }
}

TEST(RemindersSingle, AnUrgentOpenReminderComesFirstElseTheFirstOpenElseAllDone) {
    struct Case {
        const char* name;
        std::vector<ReminderItem> items;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"urgent wins", {done("A"), open("B"), open("C", "9:30", true)}, {"TODAY", "Open C", "9:30 \u00B7 SOON"}},
        {"first open", {open("B"), open("D", "10:00")}, {"TODAY", "Open B", "ANYTIME"}},
        {"all done", {done("A")}, {"TODAY", "ALL DONE"}},
        {"empty", {}, {"TODAY", "ALL DONE"}},
    };
    const auto ctx = viewContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto lines = test::dumpLines(RemindersSingle{{c.items, std::nullopt, std::nullopt}, ctx}.body(), {160, 160});
        EXPECT_EQ(textsOf(lines), c.want);
        // A drawn ring, never a button.
        EXPECT_TRUE(test::ofKind(lines, "Button").empty());
        EXPECT_EQ(test::ofKind(lines, "Circle").size(), c.want.size() == 3 ? 1u : 0u);
    }
    const auto sans = test::dumpLines(
        RemindersSingle{{{done("A")}, std::nullopt, std::nullopt}, viewContext(ThemeSettings::LabelStyle::systemSans)}
            .body(),
        {160, 160});
    EXPECT_EQ(textsOf(sans), (std::vector<std::string>{"Today", "All done"}));
    // A long title takes two lines at most.
    ReminderItem longOne = open("L");
    longOne.title = "Ask about the embargo date and the hero images for the launch post and the colours";
    const auto lines = test::dumpLines(RemindersSingle{{{longOne}, std::nullopt, std::nullopt}, ctx}.body(), {160, 160});
    const auto title = textsOf(lines)[1];
    EXPECT_NE(title.find("\\n"), std::string::npos);
    EXPECT_EQ(title.find("\\n", title.find("\\n") + 1), std::string::npos);
    EXPECT_EQ(title.substr(title.size() - 3), "\u2026");
}

TEST(RemindersNextUp, CountdownInMinutesThenHours) {
    const std::tuple<std::int64_t, const char*, const char*> cases[] = {
        {1, "1", "Min"},   {45, "45", "Min"}, {59, "59", "Min"}, {60, "1H", "0M"},  {90, "1H", "30M"},
        {119, "1H", "59M"}, {120, "2H", "0M"}, {600, "10H", "0M"}, {0, "0", "Min"}, {-5, "-5", "Min"},
    };
    for (const auto& [m, count, unit] : cases) {
        EXPECT_EQ(RemindersNextUp::countdownText(m), count) << m;
        EXPECT_EQ(RemindersNextUp::unitText(m), unit) << m;
    }
}

TEST(RemindersNextUp, TheNextReminderOrClear) {
    const auto ctx = viewContext();
    const ReminderItem timed{"3", "Call Maya", "17:00", false, false};
    const ReminderItem untimed{"4", "Water plants", std::nullopt, false, false};
    struct Case {
        const char* name;
        RemindersSnapshot snap;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"timed", {{}, timed, 90}, {"NEXT UP", "1H", "30M", "Call Maya \u00B7 17:00"}},
        {"untimed", {{}, untimed, 12}, {"NEXT UP", "12", "MIN", "Water plants"}},
        {"no minutes", {{}, timed, std::nullopt}, {"NEXT UP", "CLEAR", "NO REMINDERS DUE"}},
        {"no reminder", {{}, std::nullopt, 5}, {"NEXT UP", "CLEAR", "NO REMINDERS DUE"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto lines = test::dumpLines(RemindersNextUp{c.snap, ctx}.body(), {160, 160});
        EXPECT_EQ(textsOf(lines), c.want);
        EXPECT_TRUE(test::ofKind(lines, "Button").empty());
    }
    const auto lines = test::dumpLines(RemindersNextUp{{{}, timed, 90}, ctx}.body(), {160, 160});
    EXPECT_EQ(findText(lines, "30M")->attr("color"), hex(ctx.pal.inkFaint));
    EXPECT_EQ(findText(lines, "1H")->attr("weight"), "black");
}
