// Which banner a gallery category shows for the access its widgets wait
// for, and what "Connect" asks, against a double of the services.
#include "app/window/gallerykit/ConnectBanner.h"

#include "tests/app/window/WindowDoubles.h"

#include <gtest/gtest.h>


namespace plyx {
namespace {

using Category = CatalogWidget::Category;

constexpr const char* kWeather =
    "Use your location so weather widgets are accurate \u2014 or pick a city per widget with Edit Widget.";
constexpr const char* kReminders = "Connect Reminders so these widgets show your real list.";
constexpr const char* kCalendar = "Connect Calendar so these widgets show your real events.";

enum class Request { none, location, reminders, calendar };

TEST(ConnectBannerTest, EachCategoryShowsItsBannerOnlyWhileItsAccessIsMissing) {
    const struct {
        std::optional<Category> category;
        bool reminders, calendar, location;
        const char* text;  // none: no banner
        Request request;
    } cases[] = {
        {Category::weather, false, false, false, kWeather, Request::location},
        {Category::weather, true, true, true, nullptr, Request::none},
        {Category::reminders, false, true, true, kReminders, Request::reminders},
        {Category::reminders, true, false, false, nullptr, Request::none},
        {Category::calendars, true, false, true, kCalendar, Request::calendar},
        {Category::calendars, false, true, false, nullptr, Request::none},
        // Nothing else ever shows one, whatever the access.
        {std::nullopt, false, false, false, nullptr, Request::none},
        {Category::clocks, false, false, false, nullptr, Request::none},
        {Category::notes, false, false, false, nullptr, Request::none},
        {Category::focus, false, false, false, nullptr, Request::none},
        {Category::extras, false, false, false, nullptr, Request::none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.category ? WidgetCatalog::label(*c.category) : "All Widgets");
        test::FakeSources sources;
        sources.reminders = c.reminders;
        sources.calendar = c.calendar;
        sources.location = c.location;
        auto banner = connectBanner(c.category, sources);
        ASSERT_EQ(banner.has_value(), c.text != nullptr);
        if (!banner) continue;
        EXPECT_EQ(banner->text, c.text);
        banner->action();
        banner->action();  // a second click asks again
        EXPECT_EQ(sources.locationRequests, c.request == Request::location ? 2 : 0);
        EXPECT_EQ(sources.reminderRequests, c.request == Request::reminders ? 2 : 0);
        EXPECT_EQ(sources.calendarRequests, c.request == Request::calendar ? 2 : 0);
    }
}

} // namespace
} // namespace plyx
