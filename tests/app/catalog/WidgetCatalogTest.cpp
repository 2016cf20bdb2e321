#include "app/catalog/WidgetCatalog.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace plyx;
using C = CatalogWidget::Category;
using Z = CatalogWidget::Size;

namespace {

std::vector<std::string> namesOf(const std::vector<CatalogWidget>& list) {
    std::vector<std::string> out;
    for (const auto& w : list) out.push_back(w.name);
    return out;
}

widgetkit::WidgetFamily familyOf(Z size) {
    switch (size) {
    case Z::small: return widgetkit::WidgetFamily::systemSmall;
    case Z::medium: return widgetkit::WidgetFamily::systemMedium;
    case Z::large: break;
    }
    return widgetkit::WidgetFamily::systemLarge;
}

} // namespace

// The catalog is written apart from the extension's rows; the two must name
// the same kinds with the same families and tones.
TEST(WidgetCatalog, AgreesWithTheDeclaredWidgets) {
    const auto all = WidgetCatalog::all();
    ASSERT_EQ(all.size(), 53u);
    EXPECT_EQ(PlyxWidgetsBundle::declarations().size(), all.size());
    std::set<std::string> kinds;
    std::map<std::string, std::string> renamed;
    for (const auto& w : all) {
        SCOPED_TRACE(w.kind);
        EXPECT_TRUE(kinds.insert(w.kind).second) << "kind listed twice";
        const DeclaredWidget* d = PlyxWidgetsBundle::find(w.kind);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->row.family, familyOf(w.size));
        EXPECT_EQ(d->row.tone, w.tone);
        if (std::string(w.name) != d->row.displayName) renamed[d->row.displayName] = w.name;
    }
    const std::map<std::string, std::string> expected{
        {"Battery Ring", "Ring"}, {"Battery", "Percent"}, {"Screen Time", "Total"}};
    EXPECT_EQ(renamed, expected);
}

TEST(WidgetCatalog, CategoriesInSidebarOrderWithTheirCounts) {
    const std::vector<std::pair<C, std::size_t>> table{
        {C::clocks, 10}, {C::reminders, 4}, {C::calendars, 4}, {C::weather, 7}, {C::battery, 4},  {C::notes, 4},
        {C::screenTime, 4}, {C::media, 2}, {C::focus, 4},     {C::health, 2},  {C::system, 3}, {C::extras, 5}};
    const auto cats = WidgetCatalog::allCategories();
    ASSERT_EQ(cats.size(), table.size());
    std::vector<std::string> joined;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(cats[i], table[i].first);
        const auto list = WidgetCatalog::widgets(table[i].first);
        EXPECT_EQ(list.size(), table[i].second) << WidgetCatalog::label(table[i].first);
        for (const auto& w : list) joined.push_back(w.kind);
    }
    // `all` is the category lists joined in sidebar order, and so is no category.
    std::vector<std::string> allKinds;
    for (const auto& w : WidgetCatalog::widgets(std::nullopt)) allKinds.push_back(w.kind);
    EXPECT_EQ(joined, allKinds);
    EXPECT_EQ(namesOf(WidgetCatalog::widgets(C::reminders)),
              (std::vector<std::string>{"Checklist", "Next Up", "Single Focus", "Today List"}));
    EXPECT_STREQ(WidgetCatalog::symbol(C::battery), "battery.75percent");
}

TEST(WidgetCatalog, LabelsConvertOnlyWhenSpelledExactly) {
    EXPECT_EQ(WidgetCatalog::categoryNamed("Screen Time"), C::screenTime);
    EXPECT_EQ(WidgetCatalog::categoryNamed("screen time"), std::nullopt);
    EXPECT_EQ(WidgetCatalog::categoryNamed("ScreenTime"), std::nullopt);
    EXPECT_EQ(WidgetCatalog::categoryNamed(""), std::nullopt);
    EXPECT_EQ(WidgetCatalog::sizeNamed("Small"), Z::small);
    EXPECT_EQ(WidgetCatalog::sizeNamed("small"), std::nullopt);
    for (const auto c : WidgetCatalog::allCategories()) EXPECT_EQ(WidgetCatalog::categoryNamed(WidgetCatalog::label(c)), c);
    for (const auto z : WidgetCatalog::allSizes()) EXPECT_EQ(WidgetCatalog::sizeNamed(WidgetCatalog::label(z)), z);
}

TEST(WidgetCatalog, TheTwoMatrixDigitalEntriesAreDistinct) {
    std::vector<CatalogWidget> matrix;
    for (const auto& w : WidgetCatalog::all())
        if (std::string(w.name) == "Matrix Digital") matrix.push_back(w);
    ASSERT_EQ(matrix.size(), 2u);
    EXPECT_STRNE(matrix[0].kind, matrix[1].kind);
    EXPECT_NE(matrix[0].size, matrix[1].size);
    EXPECT_NE(matrix[0].tone, matrix[1].tone);
}

// Category, then size, then search: name first, else the category label,
// ignoring case, with the text used as typed.
TEST(WidgetCatalog, FilterBySizeAndSearch) {
    struct Case {
        std::optional<C> category;
        std::optional<Z> size;
        const char* search;
        std::vector<std::string> names;
    };
    const std::vector<Case> table{
        {C::reminders, Z::large, "", {"Today List"}},
        {C::reminders, Z::small, "", {"Next Up", "Single Focus"}},
        {C::clocks, Z::large, "", {}},
        {std::nullopt, std::nullopt, "screen", {"Total", "Elapsed", "Top Apps", "Weekly"}},
        {std::nullopt, std::nullopt, "time", {"Dual Time", "Total", "Elapsed", "Top Apps", "Weekly"}},
        {std::nullopt, std::nullopt, "clock ", {}},
        {std::nullopt, std::nullopt, "DAY", {"Today List", "Day + Events", "6-Day Forecast", "Daylight"}},
        {C::weather, Z::medium, "day", {"6-Day Forecast", "Daylight"}},
        {C::notes, std::nullopt, "zzz", {}},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(std::string("search '") + c.search + "'");
        EXPECT_EQ(namesOf(WidgetCatalog::filtered(c.category, c.size, c.search)), c.names);
    }
    EXPECT_EQ(WidgetCatalog::filtered(std::nullopt, std::nullopt, "clock").size(), 10u);
    EXPECT_EQ(WidgetCatalog::filtered(std::nullopt, std::nullopt, "").size(), 53u);
}
