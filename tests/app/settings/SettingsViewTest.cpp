// The settings window: where each control stores its value (and that nothing
// is stored until the user picks), which handler each change runs, and that
// opening the window runs none.
#include "app/settings/SettingsView.h"

#include "platform/store/Defaults.h"
#include "shared/collectors/MailPoller.h"
#include "shared/identity/AppIdentity.h"
#include "shared/models/InboxSnapshot.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/ExtrasStore.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include <memory>
#include <string>
#include <vector>

namespace plyx {
namespace {

QApplication& widgetsApp() {
    static int argc = 1;
    static char name[] = "plyx_test";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);
    return *app;
}

using Strings = std::vector<std::string>;

class SettingsViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        widgetsApp();
        AppIdentity::configurePlatform(AppIdentity::Program::application);
        MailPoller::Mail mail = MailPoller::maildir();
        mail.find = [this] { return mail::searchAt(dir_.path() / "Maildir"); };
        mail.hasClient = [] { return true; };
        mail.openClient = [this](std::function<void()>) { calls_.push_back("open mail client"); };
        poller_ = std::make_unique<MailPoller>(mail);
    }

    /// Every action records itself; the login item answers `loginWorks`.
    SettingsActions actions() {
        SettingsActions a;
        a.setLoginItem = [this](bool on) {
            calls_.push_back(on ? "register" : "unregister");
            if (loginWorks_) registered_ = on;
            return loginWorks_;
        };
        a.loginItemRegistered = [this] { return registered_; };
        a.restartStatsTimer = [this] { calls_.push_back("restartStatsTimer"); };
        a.reloadTimelines = [this](const std::string& kind) { calls_.push_back("reload " + kind); };
        a.mailPoller = poller_.get();
        return a;
    }

    std::unique_ptr<SettingsView> open() { return std::make_unique<SettingsView>(actions()); }

    static QComboBox* picker(SettingsView& v, const char* key) { return v.findChild<QComboBox*>(key); }
    static QCheckBox* toggle(SettingsView& v, const char* key) { return v.findChild<QCheckBox*>(key); }
    /// What a user's pick of `text` does.
    static void pick(QComboBox* combo, const QString& text) {
        const int i = combo->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }

    static bool storedAnywhere(const char* key) {
        return SharedStorage::suite().contains(key) || store::Defaults::standard().contains(key);
    }

    test::FreshStorage storage_;
    test::TempDir dir_;
    std::unique_ptr<MailPoller> poller_;
    Strings calls_;
    bool loginWorks_ = true;
    bool registered_ = false;
};

TEST_F(SettingsViewTest, FirstOpenShowsEveryDefaultAndStoresNothing) {
    auto view = open();
    struct Shown {
        const char* key;
        QString text;
    };
    const std::vector<Shown> pickers = {
        {"plyx.screenTimeBudgetMinutes", "8 hours"}, {"plyx.pollseconds", "Every minute"},
        {"plyx.timeformat", "Follow system"},        {"plyx.watergoal", "8 glasses"},
        {"plyx.stepsgoal", "10,000"},                {"plyx.focusminutes", "25 minutes"},
    };
    for (const auto& p : pickers) {
        ASSERT_NE(picker(*view, p.key), nullptr) << p.key;
        EXPECT_EQ(picker(*view, p.key)->currentText(), p.text) << p.key;
    }
    EXPECT_FALSE(toggle(*view, "plyx.launchAtLogin")->isChecked());
    EXPECT_FALSE(toggle(*view, "plyx.mail.enabled")->isChecked());
    EXPECT_EQ(view->mailFooter(),
              QString("Reads unread mail from the Maildir folder %1.").arg((dir_.path() / "Maildir").c_str()));
    {  // under the home folder it is written from "~"
        test::ScopedEnv home("HOME", dir_.path().string());
        EXPECT_EQ(view->mailFooter(), "Reads unread mail from the Maildir folder ~/Maildir.");
    }
    EXPECT_EQ(SettingsView::versionText(), PLYX_BUILT_VERSION);
    EXPECT_NE(view->findChild<QLabel*>("version"), nullptr);

    view.reset();  // opened and closed without a touch
    for (const auto& s : kSettings) EXPECT_FALSE(storedAnywhere(s.key)) << s.key;
    EXPECT_FALSE(SharedStorage::suite().contains(StorageKeys::focus));
    EXPECT_TRUE(calls_.empty());
}

TEST_F(SettingsViewTest, OptionTextsReadTheirTagsAndTheLocaleGroupsSteps) {
    auto view = open();
    auto texts = [&](const char* key) {
        QStringList out;
        for (int i = 0; i < picker(*view, key)->count(); ++i) out << picker(*view, key)->itemText(i);
        return out;
    };
    EXPECT_EQ(texts("plyx.screenTimeBudgetMinutes"), (QStringList{"2 hours", "3 hours", "4 hours", "5 hours",
                                                                  "6 hours", "8 hours", "10 hours", "12 hours"}));
    EXPECT_EQ(texts("plyx.pollseconds"),
              (QStringList{"Every 30 seconds", "Every minute", "Every 2 minutes", "Every 5 minutes"}));
    EXPECT_EQ(texts("plyx.timeformat"), (QStringList{"Follow system", "12-hour", "24-hour"}));
    EXPECT_EQ(texts("plyx.stepsgoal"), (QStringList{"6,000", "8,000", "10,000", "12,000", "15,000"}));
    EXPECT_EQ(texts("plyx.focusminutes"),
              (QStringList{"15 minutes", "25 minutes", "45 minutes", "60 minutes", "90 minutes"}));
}

TEST_F(SettingsViewTest, EachPickStoresItsValueUnderItsKeyInItsOwnStore) {
    struct Case {
        const char* key;
        QString option;
        std::int64_t stored;
        bool appGroup;
    };
    const std::vector<Case> cases = {
        {"plyx.screenTimeBudgetMinutes", "12 hours", 720, true},
        {"plyx.watergoal", "12 glasses", 12, true},
        {"plyx.stepsgoal", "15,000", 15000, true},
        {"plyx.focusminutes", "90 minutes", 90, true},
        {"plyx.timeformat", "24-hour", 24, true},
        {"plyx.pollseconds", "Every 5 minutes", 300, false},
    };
    for (const auto& c : cases) {
        test::FreshStorage fresh;
        auto view = open();
        pick(picker(*view, c.key), c.option);
        const auto own = c.appGroup ? SharedStorage::suite() : store::Defaults::standard();
        const auto other = c.appGroup ? store::Defaults::standard() : SharedStorage::suite();
        EXPECT_EQ(own.integer(c.key), c.stored) << c.key;
        EXPECT_FALSE(other.contains(c.key)) << c.key;
        // Every other setting is still absent.
        for (const auto& s : kSettings) {
            if (std::string(s.key) != c.key) {
                EXPECT_FALSE(storedAnywhere(s.key)) << c.key << " wrote " << s.key;
            }
        }
        // Reopened, the window shows what was stored.
        view = open();
        EXPECT_EQ(picker(*view, c.key)->currentText(), c.option) << c.key;
    }
}

TEST_F(SettingsViewTest, EachChangeRunsItsOwnHandlerOnlyWhenTheValueChanges) {
    std::vector<std::string> clocks;
    for (const char* k : SettingsView::kClockKinds) clocks.push_back(std::string("reload ") + k);
    struct Case {
        const char* key;
        QString option;
        Strings calls;
    };
    const std::vector<Case> cases = {
        {"plyx.pollseconds", "Every 30 seconds", {"restartStatsTimer"}},
        {"plyx.pollseconds", "Every minute", {}},  // the value shown already
        {"plyx.timeformat", "12-hour", clocks},
        {"plyx.timeformat", "Follow system", {}},
        {"plyx.screenTimeBudgetMinutes", "2 hours", {}},
        {"plyx.watergoal", "6 glasses", {}},
        {"plyx.stepsgoal", "6,000", {}},
        {"plyx.focusminutes", "15 minutes", {}},
    };
    for (const auto& c : cases) {
        test::FreshStorage fresh;
        auto view = open();
        calls_.clear();
        pick(picker(*view, c.key), c.option);
        EXPECT_EQ(calls_, c.calls) << c.key << " " << c.option.toStdString();
    }

    // The exact order of the ten clock kinds, and again on a later change.
    test::FreshStorage fresh;
    auto view = open();
    calls_.clear();
    pick(picker(*view, "plyx.timeformat"), "24-hour");
    pick(picker(*view, "plyx.timeformat"), "12-hour");
    Strings twice = clocks;
    twice.insert(twice.end(), clocks.begin(), clocks.end());
    EXPECT_EQ(calls_, twice);
    EXPECT_EQ(clocks.front(), "reload plyx.clock.analogClassic");
    EXPECT_EQ(clocks.back(), "reload plyx.clock.dual");
}

TEST_F(SettingsViewTest, AFocusLengthRewritesOnlyTheStoredSessionsMinutes) {
    {  // nothing stored: a stopped session of the new length
        auto view = open();
        pick(picker(*view, "plyx.focusminutes"), "45 minutes");
        EXPECT_EQ(SharedStorage::read<FocusSession>(StorageKeys::focus), (FocusSession{std::nullopt, 45}));
    }
    {  // a running session keeps its end
        test::FreshStorage fresh;
        const Date end{800'000'000};
        ASSERT_TRUE(SharedStorage::write(StorageKeys::focus, FocusSession{end, 25}));
        auto view = open();
        pick(picker(*view, "plyx.focusminutes"), "90 minutes");
        EXPECT_EQ(SharedStorage::read<FocusSession>(StorageKeys::focus), (FocusSession{end, 90}));
        EXPECT_EQ(SharedStorage::integer("plyx.focusminutes"), 90);
    }
    {  // a record that does not read counts as none
        test::FreshStorage fresh;
        SharedStorage::suite().setData(StorageKeys::focus, "{\"minutes\":\"many\"}");
        auto view = open();
        pick(picker(*view, "plyx.focusminutes"), "15 minutes");
        EXPECT_EQ(SharedStorage::read<FocusSession>(StorageKeys::focus), (FocusSession{std::nullopt, 15}));
    }
}

TEST_F(SettingsViewTest, AValueNoOptionMatchesIsShownAsNoChoiceAndKeptUntilAPick) {
    SharedStorage::setInteger("plyx.screenTimeBudgetMinutes", 500);
    auto view = open();
    EXPECT_EQ(picker(*view, "plyx.screenTimeBudgetMinutes")->currentIndex(), -1);
    view = open();
    EXPECT_EQ(SharedStorage::integer("plyx.screenTimeBudgetMinutes"), 500);
    pick(picker(*view, "plyx.screenTimeBudgetMinutes"), "3 hours");
    EXPECT_EQ(SharedStorage::integer("plyx.screenTimeBudgetMinutes"), 180);
}

TEST_F(SettingsViewTest, MailSwitchStartsAndStopsThePollerAndTheFooterFollowsIt) {
    ASSERT_FALSE(test::privateBusAddress().empty());  // the poller's reloads go out on the bus
    SharedStorage::suite().setData(StorageKeys::inbox, "{}");
    auto view = open();
    auto* mail = toggle(*view, "plyx.mail.enabled");
    auto* footer = view->findChild<QLabel*>("mailFooter");
    const QString idle = footer->text();

    mail->click();  // no inbox yet: the poller opens the mail client first
    EXPECT_TRUE(store::Defaults::standard().boolean(StorageKeys::mailEnabled));
    EXPECT_TRUE(poller_->isRunning());
    EXPECT_EQ(calls_, Strings{"open mail client"});
    EXPECT_EQ(footer->text(), QString::fromUtf8(MailPoller::kOpening));

    mail->click();
    EXPECT_FALSE(store::Defaults::standard().boolean(StorageKeys::mailEnabled));
    EXPECT_TRUE(store::Defaults::standard().contains(StorageKeys::mailEnabled));
    EXPECT_FALSE(poller_->isRunning());
    EXPECT_FALSE(SharedStorage::suite().contains(StorageKeys::inbox));
    EXPECT_EQ(footer->text(), idle);
}

TEST_F(SettingsViewTest, LoginSwitchAsksOnceAndASwitchThatFailsGoesBack) {
    {  // on, then off: one request each, the flag with the switch
        auto view = open();
        auto* login = toggle(*view, "plyx.launchAtLogin");
        login->click();
        login->click();
        EXPECT_EQ(calls_, (Strings{"register", "unregister"}));
        EXPECT_FALSE(login->isChecked());
        EXPECT_TRUE(store::Defaults::standard().contains("plyx.launchAtLogin"));
        EXPECT_FALSE(store::Defaults::standard().boolean("plyx.launchAtLogin"));
    }
    {  // a failed registration: off again, flag false, no second call
        test::FreshStorage fresh;
        calls_.clear();
        loginWorks_ = false;
        auto view = open();
        auto* login = toggle(*view, "plyx.launchAtLogin");
        login->click();
        EXPECT_EQ(calls_, Strings{"register"});
        EXPECT_FALSE(login->isChecked());
        EXPECT_FALSE(store::Defaults::standard().boolean("plyx.launchAtLogin"));
    }
    {  // a failed removal: on again, flag true
        test::FreshStorage fresh;
        calls_.clear();
        registered_ = true;
        auto view = open();
        auto* login = toggle(*view, "plyx.launchAtLogin");
        EXPECT_TRUE(login->isChecked());  // the item is in place
        login->click();
        EXPECT_EQ(calls_, Strings{"unregister"});
        EXPECT_TRUE(login->isChecked());
        EXPECT_TRUE(store::Defaults::standard().boolean("plyx.launchAtLogin"));
    }
}

} // namespace
} // namespace plyx
