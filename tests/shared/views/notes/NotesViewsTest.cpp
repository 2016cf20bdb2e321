#include "shared/views/notes/NotesList.h"
#include "shared/views/notes/NotesPinned.h"
#include "shared/views/notes/NotesQuickNote.h"
#include "shared/views/notes/NotesSingle.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "tests/shared/views/ViewTestContext.h"
#include "tests/support/TestSupport.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace plyx;
using test::DumpLine;

namespace {


// 2026-03-09 09:05 in the test zone (UTC), a Monday; "now" is that afternoon.
const Date kEdited = time::dateFrom(2026, 3, 9, 9, 5, 0, "UTC");
const Date kNow = time::dateFrom(2026, 3, 9, 15, 0, 0, "UTC");


NoteItem note(const std::string& text, bool pinned = false, Date edited = kEdited) {
    return NoteItem{Uuid::random(), text, edited, pinned};
}


long lineBreaks(const std::string& shown) {
    long n = 0;
    for (auto at = shown.find("\\n"); at != std::string::npos; at = shown.find("\\n", at + 2)) ++n;
    return n;
}


bool hasText(const std::vector<DumpLine>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const DumpLine& l) { return l.kind == "Text" && l.attrs.find(part) != std::string::npos; });
}

constexpr ui::Size kSmall{160, 160};
constexpr ui::Size kMedium{344, 160};

} // namespace

TEST(NotesQuickNote, EmptyStateAndEditedFooterInEitherHourFormAndLabelStyle) {
    test::FreshStorage fresh;
    test::FakeClock clock(kNow);
    struct Case {
        int hourForm;
        ThemeSettings::LabelStyle labels;
        const char* title;
        const char* footer;
        const char* tracking; // of the title; empty when none
    };
    const Case cases[] = {
        {24, ThemeSettings::LabelStyle::monoCaps, "QUICK NOTE", "EDITED 09:05", "0.96"},
        {12, ThemeSettings::LabelStyle::monoCaps, "QUICK NOTE", "EDITED 9:05", "0.96"},
        {24, ThemeSettings::LabelStyle::systemSans, "Quick note", "Edited 09:05", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.footer);
        SharedStorage::setInteger(StorageKeys::timeFormat, c.hourForm);
        const auto ctx = test::viewContext(c.labels);

        const auto filled = test::dumpLines(NotesQuickNote{note("Buy milk"), ctx}.body(), kMedium);
        const auto* title = test::textLine(filled, c.title);
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->attr("tracking"), c.tracking);
        const auto* footer = test::textLine(filled, c.footer);
        ASSERT_NE(footer, nullptr);
        EXPECT_EQ(footer->attr("color"), test::hex(ctx.pal.inkFaint));
        const auto* text = test::textLine(filled, "Buy milk");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->attr("color"), test::hex(ctx.pal.ink.opacity(0.92)));
        // The footer sits below the card, which sits below the header.
        EXPECT_GT(footer->y, text->y);
        EXPECT_GT(text->y, title->y);

        const auto empty = test::dumpLines(NotesQuickNote{std::nullopt, ctx}.body(), kMedium);
        const auto* invite = test::textLine(empty, "Tap + to jot something down.");
        ASSERT_NE(invite, nullptr);
        EXPECT_EQ(invite->attr("color"), test::hex(ctx.pal.inkDim));
        EXPECT_FALSE(hasText(empty, "dited"));
    }
}

TEST(NotesSingle, EditDateIsTodayWithTimeElseMonthAndDay) {
    test::FreshStorage fresh;
    SharedStorage::setInteger(StorageKeys::timeFormat, 24);
    test::FakeClock clock(kNow);
    EXPECT_EQ(NotesSingle::relative(kEdited), "Today 09:05");
    EXPECT_EQ(NotesSingle::relative(time::dateFrom(2026, 3, 8, 23, 59, 0, "UTC")), "Mar 8");
    EXPECT_EQ(NotesSingle::relative(time::dateFrom(2025, 12, 3, 10, 0, 0, "UTC")), "Dec 3");

    const auto ctx = test::viewContext();
    const auto yesterday = test::dumpLines(
        NotesSingle{note("x", false, time::dateFrom(2026, 3, 3, 12, 0, 0, "UTC")), ctx}.body(), kSmall);
    EXPECT_NE(test::textLine(yesterday, "MAR 3"), nullptr);
}

TEST(NotesSingle, LongNoteIsCutAfterFourLinesAndEmptyStateHasNoFooter) {
    test::FreshStorage fresh;
    test::FakeClock clock(kNow);
    const auto ctx = test::viewContext();
    std::string longText;
    for (int i = 0; i < 60; ++i) longText += "word ";
    const auto lines = test::dumpLines(NotesSingle{note(longText), ctx}.body(), kSmall);
    const auto body = std::find_if(lines.begin(), lines.end(), [](const DumpLine& l) {
        return l.kind == "Text" && l.attrs.find("word") != std::string::npos;
    });
    ASSERT_NE(body, lines.end());
    const auto shown = body->text();
    EXPECT_EQ(lineBreaks(shown), 3) << shown; // four lines
    EXPECT_NE(shown.find("…"), std::string::npos);

    const auto empty = test::dumpLines(NotesSingle{std::nullopt, ctx}.body(), kSmall);
    ASSERT_NE(test::textLine(empty, "No notes yet."), nullptr);
    EXPECT_EQ(test::textLine(empty, "No notes yet.")->attr("color"), test::hex(ctx.pal.inkDim));
    EXPECT_EQ(test::texts(empty).size(), 2u); // the caption and the empty text, no footer
}

TEST(NotesList, CountsEveryNoteAndShowsTheFirstThreeAsRows) {
    const auto ctx = test::viewContext();
    std::vector<NoteItem> five;
    for (int i = 0; i < 5; ++i) five.push_back(note("note " + std::to_string(i) + " with a rather long line of text"));
    const auto lines = test::dumpLines(NotesList{five, ctx}.body(), kSmall);
    EXPECT_NE(test::textLine(lines, "5"), nullptr);
    const auto dots = test::ofKind(lines, "Circle");
    ASSERT_EQ(dots.size(), 3u);
    EXPECT_EQ(dots[0].attr("fill"), test::hex(ctx.pal.accent));
    EXPECT_EQ(dots[1].attr("fill"), test::hex(ctx.pal.inkFaint));
    EXPECT_EQ(dots[2].attr("fill"), test::hex(ctx.pal.inkFaint));
    std::vector<DumpLine> rows;
    for (const auto& t : test::ofKind(lines, "Text"))
        if (t.attrs.find("note ") != std::string::npos) rows.push_back(t);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].attr("color"), test::hex(ctx.pal.ink));
    EXPECT_EQ(rows[1].attr("color"), test::hex(ctx.pal.inkDim));
    for (const auto& r : rows) EXPECT_EQ(lineBreaks(r.text()), 0) << r.attrs; // one line each
    EXPECT_EQ(rows[0].text().rfind("note 0", 0), 0u);
    EXPECT_EQ(rows[2].text().rfind("note 2", 0), 0u);

    const auto empty = test::dumpLines(NotesList{{}, ctx}.body(), kSmall);
    EXPECT_NE(test::textLine(empty, "0"), nullptr);
    EXPECT_TRUE(test::ofKind(empty, "Circle").empty());
    const auto* footer = test::textLine(empty, "ALL NOTES →");
    ASSERT_NE(footer, nullptr);
    // Pushed to the bottom inset.
    EXPECT_NEAR(footer->y + footer->height, 160 - 20, 1.0);
}

TEST(NotesPinned, PicksPinnedNotesElseTheFirstOnesAndDarkensTheSecondCard) {
    const auto ctx = test::viewContext();
    struct Case {
        const char* name;
        std::vector<NoteItem> notes;
        const char* title;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"none pinned", {note("a"), note("b"), note("c")}, "NOTES", {"a", "b"}},
        {"one pinned", {note("a"), note("b", true), note("c")}, "PINNED", {"b"}},
        {"three pinned", {note("a", true), note("b"), note("c", true), note("d", true)}, "PINNED", {"a", "c"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> got;
        for (const auto& n : NotesPinned::shown(c.notes)) got.push_back(n.text);
        EXPECT_EQ(got, c.shown);

        const auto lines = test::dumpLines(NotesPinned{c.notes, ctx}.body(), kMedium);
        EXPECT_NE(test::textLine(lines, c.title), nullptr);
        const auto cards = test::ofKind(lines, "RoundedRectangle");
        ASSERT_EQ(cards.size(), c.shown.size());
        EXPECT_EQ(cards[0].attr("fill"), test::hex(ctx.pal.chip));
        if (cards.size() == 2) {
            EXPECT_EQ(cards[1].attr("fill"), test::hex(ui::Color::grey255(17)));
            EXPECT_EQ(test::textLine(lines, c.shown[1])->attr("color"), test::hex(ui::Color::grey255(245)));
            EXPECT_NEAR(cards[0].width, cards[1].width, 0.5); // the row shared evenly
        } else {
            EXPECT_NEAR(cards[0].width, 344 - 48, 0.5); // one card across the whole row
        }
    }
}

TEST(NotesPinned, PlaceholderWithoutNotesAndDatesAlwaysAsMonthAndDay) {
    test::FakeClock clock(kNow);
    const auto ctx = test::viewContext();
    const auto empty = test::dumpLines(NotesPinned{{}, ctx}.body(), kMedium);
    EXPECT_NE(test::textLine(empty, "NOTES"), nullptr);
    EXPECT_NE(test::textLine(empty, "ADD A NOTE IN PLYX"), nullptr);
    EXPECT_EQ(test::ofKind(empty, "RoundedRectangle").size(), 1u);

    // Edited today, still dated "MMM d" on a card; the text stops after three lines.
    std::string longText;
    for (int i = 0; i < 40; ++i) longText += "word ";
    const auto lines = test::dumpLines(NotesPinned{{note(longText, true)}, ctx}.body(), kMedium);
    EXPECT_NE(test::textLine(lines, "MAR 9"), nullptr);
    for (const auto& t : test::ofKind(lines, "Text")) {
        const auto shown = t.text();
        if (shown.find("word") != std::string::npos) {
            EXPECT_EQ(lineBreaks(shown), 2) << shown;
        }
    }
}
