// The edit dialog built from a configuration intent with every kind of
// parameter: titles in order, only what is changed comes back, and entity
// rows list suggestions and search results while keeping the current choice.
#include "platform/intents/Entity.h"
#include "platform/time/Time.h"
#include "shared/intents/DualClockConfigIntent.h"
#include "shared/intents/WeatherConfigIntent.h"
#include "shared/intents/WorldClockConfigIntent.h"
#include "widgets/host/EditDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace plyx;
using intents::Json;
using intents::ParameterKind;

namespace {

QApplication& offscreenApp() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

struct Cities : intents::EntityQuery {
    std::string typeDisplayName() const override { return "City"; }
    std::vector<intents::EntityDisplay> entitiesFor(const std::vector<std::string>&) const override { return {}; }
    std::vector<intents::EntityDisplay> entitiesMatching(const std::string& text) const override {
        if (text == "fail") throw std::runtime_error("offline");
        if (text == "to") return {{"Asia/Tokyo", "Tokyo"}, {"America/Toronto", "Toronto"}};
        return {};
    }
    std::vector<intents::EntityDisplay> suggestedEntities() const override { return {{"Europe/Paris", "Paris"}}; }
    std::optional<intents::EntityDisplay> defaultResult() const override { return std::nullopt; }
};

const intents::IntentDescriptor& everyKind() {
    using P = intents::ParameterDescriptor;
    static const intents::IntentDescriptor d{
        "EveryKindIntent",
        "Every kind",
        {P{"label", "Label", ParameterKind::string, "Home"},
         P{"count", "Count", ParameterKind::integer, 3},
         P{"showSeconds", "Show Seconds", ParameterKind::boolean, false},
         P{"target", "Target Date", ParameterKind::date, nullptr, {}, {}, true},
         P{"tone", "Tone", ParameterKind::enumeration, "dark", {{"light", "Light"}, {"dark", "Dark"}}, "Tone"},
         P{"city", "City", ParameterKind::entity, nullptr, {}, "City", true, std::make_shared<Cities>()}}};
    return d;
}

bool settled(host::EditDialog& d) {
    return QTest::qWaitFor([&] { return !d.isSearching("city"); }, 10000);
}

} // namespace

TEST(EditDialog, ShowsTheTitlesInOrderAndGivesBackOnlyWhatIsChanged) {
    offscreenApp();
    host::EditDialog dialog(everyKind(), Json::object());
    EXPECT_EQ(dialog.titles(), (QStringList{"Label", "Count", "Show Seconds", "Target Date", "Tone", "City"}));
    ASSERT_TRUE(settled(dialog));
    EXPECT_EQ(dialog.listed("city"), (QStringList{"Default", "Paris"})) << "none, then the suggestions";
    EXPECT_EQ(dialog.shownTitle("city"), "Default") << "an unset city is not shown as the first suggestion";
    EXPECT_EQ(dialog.values(), Json::object()) << "nothing touched, nothing stored: every key keeps its default";

    // Entered values, through the rows' own widgets.
    auto* label = dialog.findChildren<QLineEdit*>().at(0);
    label->setText("Office");
    dialog.findChild<QSpinBox*>()->setValue(7);
    auto boxes = dialog.findChildren<QCheckBox*>();
    boxes.at(0)->setChecked(true);                      // Show Seconds
    boxes.at(1)->setChecked(false);                     // Target Date: not none
    dialog.findChild<QDateTimeEdit*>()->setDateTime(QDateTime::fromSecsSinceEpoch(978307200 + 86400, Qt::UTC));
    dialog.findChildren<QComboBox*>().at(0)->setCurrentIndex(0); // Light
    dialog.search("city", "to");
    ASSERT_TRUE(settled(dialog));
    EXPECT_EQ(dialog.listed("city"), (QStringList{"Default", "Tokyo", "Toronto"}));
    dialog.findChildren<QComboBox*>().at(1)->setCurrentIndex(2);

    const Json v = dialog.values();
    EXPECT_EQ(v, (Json{{"label", "Office"}, {"count", 7}, {"showSeconds", true}, {"target", 86400.0},
                       {"tone", "light"}, {"city", "America/Toronto"}}));
    EXPECT_TRUE(intents::Configuration::make(everyKind(), v)) << "what the dialog gives fits the intent";
}

TEST(EditDialog, ASearchThatFindsNothingKeepsTheChoice) {
    offscreenApp();
    const Json stored{{"city", "Europe/Paris"}, {"count", 5}};
    host::EditDialog dialog(everyKind(), stored);
    ASSERT_TRUE(settled(dialog));
    EXPECT_EQ(dialog.shownTitle("city"), "Paris") << "the stored identifier, titled by the query";
    for (const char* text : {"fail", "nowhere"}) {
        dialog.search("city", text);
        ASSERT_TRUE(settled(dialog));
        EXPECT_EQ(dialog.listed("city"), (QStringList{"Default", "Paris"})) << text;
        EXPECT_EQ(dialog.shownTitle("city"), "Paris") << text;
        EXPECT_TRUE(dialog.note("city").isEmpty()) << "cities have no words for an empty search";
    }
    EXPECT_EQ(dialog.values(), stored);

    // Back to none: stored as none, not as the suggestion.
    dialog.findChildren<QComboBox*>().at(1)->setCurrentIndex(0);
    EXPECT_EQ(dialog.values(), (Json{{"city", nullptr}, {"count", 5}}));
}

// The clock dialogs on a placement that never set a city: each city row
// names the zone its slot falls back to, "Done" stores nothing, and a city
// picked in one row is the only key stored.
TEST(EditDialog, ClockCitiesShowTheirFallbacksAndOnlyAPickIsStored) {
    offscreenApp();
    time::setCurrentZone("Europe/London");
    struct Case {
        const intents::IntentDescriptor* intent;
        std::vector<std::pair<std::string, QString>> shown;
    };
    const std::vector<Case> cases{
        {&WorldClockConfigIntent::descriptor(),
         {{"city1", "Default (London)"}, {"city2", "Default (New York)"}, {"city3", "Default (Tokyo)"}}},
        {&DualClockConfigIntent::descriptor(), {{"home", "Default (London)"}, {"away", "Default (Sydney)"}}},
    };
    for (const auto& c : cases) {
        host::EditDialog dialog(*c.intent, Json::object());
        for (const auto& [key, title] : c.shown) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.isSearching(key); }, 10000));
            EXPECT_EQ(dialog.shownTitle(key), title) << c.intent->type << " " << key;
        }
        EXPECT_EQ(dialog.values(), Json::object()) << c.intent->type;

        const std::string& picked = c.shown.back().first;
        dialog.search(picked, "Auckland");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.isSearching(picked); }, 10000));
        auto boxes = dialog.findChildren<QComboBox*>();
        QComboBox* box = boxes.at(int(c.shown.size()) - 1);
        box->setCurrentIndex(box->findText("Auckland"));
        EXPECT_EQ(dialog.values(), (Json{{picked, "Pacific/Auckland"}})) << c.intent->type;
    }
    const auto world = intents::Configuration::make(WorldClockConfigIntent::descriptor(), Json::object());
    EXPECT_EQ(WorldClockConfigIntent::from(*world).zones(),
              (std::vector<std::string>{"Europe/London", "America/New_York", "Asia/Tokyo"}))
        << "what the untouched dialog leaves is what the widget showed";
    time::setCurrentZone("UTC");
}

TEST(EditDialog, AnOfflinePlaceSearchSaysSoAndKeepsThePlace) {
    offscreenApp();
    ::setenv("PLYX_GEOCODING_URL", "http://127.0.0.1:9", 1); // nothing listens: as without a connection
    const Json stored{{"place", "Paris, FR|48.8566|2.3522"}};
    host::EditDialog dialog(WeatherConfigIntent::descriptor(), stored);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.isSearching("place"); }, 10000));
    EXPECT_EQ(dialog.shownTitle("place"), "Paris, FR");
    dialog.search("place", "Berlin");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.isSearching("place"); }, 20000));
    EXPECT_EQ(dialog.note("place"), QString::fromUtf8("No places found \u2014 check the connection"));
    EXPECT_EQ(dialog.shownTitle("place"), "Paris, FR");
    EXPECT_EQ(dialog.values(), stored);
    ::unsetenv("PLYX_GEOCODING_URL");
}
