// The edit dialog built from a configuration intent with every kind of
// parameter: titles in order, what is entered comes back, and entity rows
// list suggestions and search results, or nothing when a search fails.
#include "platform/intents/Entity.h"
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

TEST(EditDialog, ShowsTheTitlesInOrderAndGivesBackWhatIsEntered) {
    offscreenApp();
    host::EditDialog dialog(everyKind(), Json::object());
    EXPECT_EQ(dialog.titles(), (QStringList{"Label", "Count", "Show Seconds", "Target Date", "Tone", "City"}));
    ASSERT_TRUE(settled(dialog));
    EXPECT_EQ(dialog.listed("city"), QStringList{"Paris"}) << "the suggestions before any search";

    // Defaults first: an optional date without a value is "none".
    Json v = dialog.values();
    EXPECT_EQ(v["label"], "Home");
    EXPECT_EQ(v["count"], 3);
    EXPECT_EQ(v["showSeconds"], false);
    EXPECT_TRUE(v["target"].is_null());
    EXPECT_EQ(v["tone"], "dark");
    EXPECT_EQ(v["city"], "Europe/Paris");

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
    EXPECT_EQ(dialog.listed("city"), (QStringList{"Tokyo", "Toronto"}));
    dialog.findChildren<QComboBox*>().at(1)->setCurrentIndex(1);

    v = dialog.values();
    EXPECT_EQ(v, (Json{{"label", "Office"}, {"count", 7}, {"showSeconds", true}, {"target", 86400.0},
                       {"tone", "light"}, {"city", "America/Toronto"}}));
    EXPECT_TRUE(intents::Configuration::make(everyKind(), v)) << "what the dialog gives fits the intent";
}

TEST(EditDialog, ASearchThatFailsListsNothing) {
    offscreenApp();
    host::EditDialog dialog(everyKind(), Json{{"city", "Europe/Paris"}});
    ASSERT_TRUE(settled(dialog));
    dialog.search("city", "fail");
    ASSERT_TRUE(settled(dialog));
    EXPECT_TRUE(dialog.listed("city").isEmpty());
    EXPECT_TRUE(dialog.values()["city"].is_null()) << "nothing chosen: none, as the parameter allows";
}
