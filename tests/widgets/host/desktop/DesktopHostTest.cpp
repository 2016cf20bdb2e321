// The desktop host as a user meets it, in this process on an X display of its
// own: widgets placed, shown, kept on their timelines, reloaded, and tapped.
#include "platform/time/Time.h"
#include "platform/ui/Render.h"
#include "platform/desktop/Desktop.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/identity/AppIdentity.h"
#include "shared/intents/InteractiveIntents.h"
#include "shared/stores/ExtrasStore.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestSupport.h"
#include "widgets/host/DesktopHost.h"
#include "widgets/host/EditDialog.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"
#include "tests/support/gui/DisplayApp.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <xcb/xcb.h>

#include <map>

using namespace plyx;

namespace {

const Date kNow = Date::fromUnix(1778180400); // 2026-05-07T19:00:00Z

QApplication* desktopApp() { return test::displayApp("1280x800x24"); }

// A widget whose entries show their own number, with a link over the whole widget.
struct Numbered {
    int n;
};

const intents::IntentDescriptor& noParameters() {
    static const intents::IntentDescriptor d{"TestIntent", "Test", {}};
    return d;
}

// `timeline` answers entries at the given dates (numbered 0, 1, ...) and `policy`.
widgetkit::WidgetConfiguration numberedWidget(std::string kind, std::vector<Date> dates,
                                              widgetkit::TimelineReloadPolicy policy,
                                              const intents::IntentDescriptor& intent = noParameters()) {
    auto entry = [](Date d, int n) { return widgetkit::AnyEntry{d, std::any(Numbered{n})}; };
    return widgetkit::WidgetConfiguration(
               kind, intent, [=](const auto&) { return entry(kNow, -1); },
               [=](const auto&, const auto&) { return entry(kNow, -1); },
               [=](const auto&, const auto&) {
                   widgetkit::AnyTimeline t;
                   for (size_t i = 0; i < dates.size(); ++i) t.entries.push_back(entry(dates[i], int(i)));
                   t.policy = policy;
                   return t;
               },
               [](const widgetkit::AnyEntry& e) {
                   return ui::Text(std::to_string(std::any_cast<const Numbered&>(e.entry).n))
                       .frame(100, 100)
                       .background(ui::Rectangle().fill(ui::Color::black()))
                       .widgetURL("plyxwidgets://test/" + std::to_string(std::any_cast<const Numbered&>(e.entry).n));
               })
        .supportedFamilies({widgetkit::WidgetFamily::systemSmall});
}

class DesktopHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!desktopApp()) GTEST_SKIP() << "no X server (Xvfb) could be started";
        registerInteractiveIntents();
        widgetkit::WidgetCenter::setBusNames({"/test/WidgetCenter", "test.WidgetCenter"});
    }

    std::unique_ptr<host::DesktopHost> makeHost() {
        auto find = [this](const std::string& kind) -> const widgetkit::WidgetConfiguration* {
            auto it = testWidgets.find(kind);
            if (it != testWidgets.end()) return &it->second;
            return PlyxWidgetsBundle::bundle().find(kind);
        };
        auto h = std::make_unique<host::DesktopHost>(host::PlacementStore(config.path() / "placements.json"), find,
                                                     [this](const QUrl& url) { opened.push_back(url.toString()); });
        h->start();
        return h;
    }

    std::string place(host::DesktopHost& h, const std::string& kind, QPoint at) {
        std::string error;
        auto id = h.add(kind, "", at, &error);
        EXPECT_TRUE(id) << error;
        return id.value_or("");
    }

    // Waits until the window of `id` shows an entry and has been painted.
    static bool painted(host::DesktopHost& h, const std::string& id) {
        return QTest::qWaitFor([&] {
            auto* w = h.window(id);
            return w && w->isVisible() && !w->hits().empty();
        }, 10000);
    }

    static QPoint centreOf(const ui::Hit& hit) {
        return QPoint(int(hit.rect.x + hit.rect.width / 2), int(hit.rect.y + hit.rect.height / 2));
    }

    test::FreshStorage storage;
    test::TempDir config;
    test::FakeClock clock{kNow};
    std::map<std::string, widgetkit::WidgetConfiguration> testWidgets;
    std::vector<QString> opened;
};

} // namespace

TEST_F(DesktopHostTest, AClickRunsTheButtonsIntentOrOpensTheLinkUnderIt) {
    testWidgets.emplace("test.link", numberedWidget("test.link", {kNow}, widgetkit::TimelineReloadPolicy::never()));
    auto h = makeHost();
    const auto focus = place(*h, "plyx.focus.timer", {40, 40});
    const auto link = place(*h, "test.link", {400, 40});
    ASSERT_TRUE(painted(*h, focus));
    ASSERT_TRUE(painted(*h, link));
    auto* window = h->window(focus);
    const auto design = PlyxWidgetsBundle::find("plyx.focus.timer")->designSize();
    EXPECT_EQ(window->size(), QSize(int(design.width), int(design.height))) << "the family's design size";
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(h->isLive(focus)) << "a stopped session does not count time";
    EXPECT_FALSE(ExtrasStore::focus().endDate);

    // The START button: its intent runs, the store changes, the widget is drawn again.
    const auto hits = window->hits();
    auto start = std::find_if(hits.begin(), hits.end(), [](const ui::Hit& x) { return x.kind == ui::HitKind::action; });
    ASSERT_NE(start, hits.end());
    const int before = h->requestCount(focus);
    QTest::mouseClick(window, Qt::LeftButton, {}, centreOf(*start));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ExtrasStore::focus().endDate.has_value(); }, 10000));
    EXPECT_EQ(*ExtrasStore::focus().endDate, kNow + 25 * 60);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h->isLive(focus); }, 10000)) << "the running session counts time";
    EXPECT_GT(h->requestCount(focus), before);
    EXPECT_TRUE(opened.empty());

    // The widget URL of the other widget goes to the URL opener.
    auto* linkWindow = h->window(link);
    QTest::mouseClick(linkWindow, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(opened, (std::vector<QString>{"plyxwidgets://test/0"}));

    // A drag moves the widget and saves where it went; it is not a click.
    QTest::mousePress(linkWindow, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(linkWindow, QPoint(60, 30));
    QTest::mouseRelease(linkWindow, Qt::LeftButton, {}, QPoint(60, 30));
    EXPECT_EQ(opened.size(), 1u);
    const auto saved = host::PlacementStore(config.path() / "placements.json").load();
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(QPoint(saved[1].x, saved[1].y), linkWindow->pos());
    EXPECT_NE(linkWindow->pos(), QPoint(400, 40));

    // Removing closes the window and forgets the placement.
    EXPECT_TRUE(h->remove(link));
    EXPECT_EQ(h->window(link), nullptr);
    EXPECT_EQ(host::PlacementStore(config.path() / "placements.json").load().size(), 1u);
}

TEST_F(DesktopHostTest, EntriesSwitchAtTheirDatesAndTimelinesReloadAsTheirPolicySays) {
    testWidgets.emplace("test.a", numberedWidget("test.a", {kNow, kNow + 60},
                                                 widgetkit::TimelineReloadPolicy::after(kNow + 120)));
    testWidgets.emplace("test.b", numberedWidget("test.b", {kNow}, widgetkit::TimelineReloadPolicy::never()));
    auto h = makeHost();
    const auto a = place(*h, "test.a", {40, 40});
    const auto b = place(*h, "test.b", {300, 40});
    ASSERT_TRUE(painted(*h, a));
    ASSERT_TRUE(painted(*h, b));
    EXPECT_EQ(h->shownEntryDate(a), kNow);

    clock.advance(59);
    h->checkTime();
    EXPECT_EQ(h->shownEntryDate(a), kNow);
    clock.advance(1);
    h->checkTime();
    EXPECT_EQ(h->shownEntryDate(a), kNow + 60);
    EXPECT_EQ(h->requestCount(a), 1);

    clock.advance(60); // the `after` date
    h->checkTime();
    EXPECT_TRUE(QTest::qWaitFor([&] { return h->requestCount(a) == 2 && !h->isPending(a); }, 10000));
    EXPECT_EQ(h->requestCount(b), 1) << "never: asked only when told";

    // A reload message for one kind reaches only the widgets of that kind.
    ASSERT_TRUE(widgetkit::WidgetCenter::reloadTimelines("test.b"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return h->requestCount(b) == 2 && !h->isPending(b); }, 10000));
    EXPECT_EQ(h->requestCount(a), 2);
    ASSERT_TRUE(widgetkit::WidgetCenter::reloadAllTimelines());
    EXPECT_TRUE(QTest::qWaitFor([&] { return h->requestCount(a) == 3 && h->requestCount(b) == 3; }, 10000));
}

TEST_F(DesktopHostTest, AHostStartedOnSavedPlacementsShowsThemAndThenHearsReloads) {
    testWidgets.emplace("test.b", numberedWidget("test.b", {kNow}, widgetkit::TimelineReloadPolicy::never()));
    std::string b;
    {
        auto first = makeHost();
        b = place(*first, "test.b", {40, 40});
    }
    // A new session's host: the placement comes from the file, and reload
    // requests are heard from the first answers on.
    auto h = makeHost();
    ASSERT_TRUE(painted(*h, b));
    EXPECT_EQ(h->requestCount(b), 1);
    ASSERT_TRUE(widgetkit::WidgetCenter::reloadTimelines("test.b"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return h->requestCount(b) == 2 && !h->isPending(b); }, 10000));
}

TEST_F(DesktopHostTest, OnlyWidgetsThatCountTimeAreRepaintedEverySecond) {
    ExtrasStore::updateStopwatch([](StopwatchState s) {
        s.startDate = kNow - 95;
        return s;
    });
    ExtrasStore::updateFocus([](FocusSession s) {
        s.endDate = kNow + 600;
        return s;
    });
    auto h = makeHost();
    const std::vector<std::pair<std::string, bool>> expected{
        {place(*h, "plyx.stopwatch", {40, 40}), true},
        {place(*h, "plyx.focus.timer", {240, 40}), true},
        {place(*h, "plyx.clock.analogClassic", {440, 40}), false},
        {place(*h, "plyx.clock.world", {40, 240}), false},
        {place(*h, "plyx.clock.dual", {440, 240}), false},
    };
    for (const auto& [id, live] : expected) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return h->shownEntryDate(id).has_value(); }, 10000));
        EXPECT_EQ(h->isLive(id), live) << h->window(id)->windowTitle().toStdString();
    }
    // A stopped stopwatch no longer counts time once it shows so.
    ExtrasStore::updateStopwatch([](StopwatchState s) {
        s.startDate.reset();
        return s;
    });
    h->reload(std::string("plyx.stopwatch"));
    const auto& stopwatch = expected[0].first;
    ASSERT_TRUE(QTest::qWaitFor([&] { return h->requestCount(stopwatch) == 2 && !h->isPending(stopwatch); }, 10000));
    EXPECT_FALSE(h->isLive(stopwatch));
    EXPECT_TRUE(h->isLive(expected[1].first));
}

TEST_F(DesktopHostTest, TheEditDialogsDoneSavesAndReloadsAndCancelChangesNothing) {
    auto h = makeHost();
    const auto id = place(*h, "plyx.system.storage", {40, 40});
    ASSERT_TRUE(QTest::qWaitFor([&] { return h->shownEntryDate(id).has_value(); }, 10000));
    auto openDialog = [&]() -> host::EditDialog* {
        h->edit(id);
        for (auto* w : QApplication::topLevelWidgets())
            if (auto* d = dynamic_cast<host::EditDialog*>(w); d && d->isVisible()) return d;
        return nullptr;
    };
    auto stored = [&] { return host::PlacementStore(config.path() / "placements.json").load().at(0).configuration; };

    auto* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QComboBox*>()->setCurrentIndex(dialog->findChild<QComboBox*>()->findData("glass"));
    dialog->reject();
    EXPECT_EQ(stored(), nlohmann::ordered_json::object());
    EXPECT_EQ(h->requestCount(id), 1);

    dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QComboBox*>()->setCurrentIndex(dialog->findChild<QComboBox*>()->findData("glass"));
    dialog->accept();
    EXPECT_EQ(stored()["surface"], "glass");
    EXPECT_EQ(h->requestCount(id), 2) << "asked again with the new configuration";

    // Values that do not fit the intent change nothing.
    std::string error;
    EXPECT_FALSE(h->configure(id, {{"surface", "Glass"}}, &error));
    EXPECT_NE(error.find("surface"), std::string::npos) << error;
    EXPECT_EQ(stored()["surface"], "glass");
}

TEST_F(DesktopHostTest, ANewSystemZoneAsksEveryWidgetAgainAndClocksDrawIt) {
    // The zone as the desktop sets it: a link the platform layer reads, no TZ.
    test::ScopedEnv noTz("TZ", std::nullopt);
    test::TempDir etc;
    const auto zoneFile = etc.path() / "localtime";
    auto relink = [&](const std::string& target) {
        const auto fresh = etc.path() / "localtime.new";
        std::filesystem::create_symlink(target, fresh);
        std::filesystem::rename(fresh, zoneFile);
    };
    relink("/usr/share/zoneinfo/Asia/Tokyo");
    time::setZoneFile(zoneFile);
    time::setCurrentZone("");
    struct Restore {
        ~Restore() {
            time::setZoneFile("/etc/localtime");
            time::setCurrentZone("UTC");
        }
    } restore;

    auto h = makeHost();
    const auto clockId = place(*h, "plyx.clock.stacked", {40, 40});  // no city: the system zone
    ASSERT_TRUE(QTest::qWaitFor([&] { return h->shownEntryDate(clockId).has_value(); }, 10000));
    auto drawn = [&] {
        auto* w = h->window(clockId);
        return ui::dump(w->view(), {double(w->width()), double(w->height())}, w->environment());
    };
    EXPECT_NE(drawn().find("GMT+9"), std::string::npos) << drawn();
    const int before = h->requestCount(clockId);

    relink("/usr/share/zoneinfo/Asia/Kolkata");
    ASSERT_TRUE(QTest::qWaitFor([&] { return h->requestCount(clockId) > before && !h->isPending(clockId); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return drawn().find("GMT+5:30") != std::string::npos; }, 10000)) << drawn();
    // 19:00 UTC is half past midnight there.
    EXPECT_NE(drawn().find("\"30\""), std::string::npos) << drawn();
    EXPECT_EQ(drawn().find("GMT+9"), std::string::npos);
}

// A click on a widget makes the window manager activate its window; the
// desktop then reports the host's own window class, whatever the program
// file is called, which is how screen time leaves the host out.
TEST_F(DesktopHostTest, AnActiveWidgetWindowReportsTheHostsWindowClass) {
    testWidgets.emplace("test.front", numberedWidget("test.front", {kNow}, widgetkit::TimelineReloadPolicy::never()));
    auto h = makeHost();
    const std::string id = place(*h, "test.front", QPoint(60, 60));
    ASSERT_TRUE(painted(*h, id));
    auto* x = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x, nullptr);
    xcb_connection_t* c = x->connection();
    const char* name = "_NET_ACTIVE_WINDOW";
    xcb_intern_atom_reply_t* active = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    ASSERT_NE(active, nullptr);
    const auto window = xcb_window_t(h->window(id)->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, active->atom, XCB_ATOM_WINDOW, 32, 1, &window);
    free(active);
    xcb_flush(c);
    QApplication::sync();

    const auto desktop = desktop::sessionDesktop();
    const auto front = desktop->frontmostApplication();
    ASSERT_TRUE(front);
    EXPECT_EQ(front->windowClass, AppIdentity::kHostWindowClass);
}

// Every widget window, the first and those after it, asks the window manager
// to keep it below other windows, on every workspace, out of the task bar and pager.
TEST_F(DesktopHostTest, EveryWidgetWindowSitsBelowOnEveryWorkspaceOutOfTaskBarAndPager) {
    testWidgets.emplace("test.a", numberedWidget("test.a", {kNow}, widgetkit::TimelineReloadPolicy::never()));
    testWidgets.emplace("test.b", numberedWidget("test.b", {kNow}, widgetkit::TimelineReloadPolicy::never()));
    auto h = makeHost();
    const std::string first = place(*h, "test.a", QPoint(40, 40));
    ASSERT_TRUE(painted(*h, first));
    const std::string second = place(*h, "test.b", QPoint(300, 40));
    ASSERT_TRUE(painted(*h, second));

    xcb_connection_t* c = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    auto atom = [&](const char* name) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(r);
        return a;
    };
    auto values = [&](xcb_window_t w, const char* property, xcb_atom_t type) {
        xcb_get_property_reply_t* r =
            xcb_get_property_reply(c, xcb_get_property(c, 0, w, atom(property), type, 0, 64), nullptr);
        std::vector<std::uint32_t> out;
        if (r && r->format == 32) {
            const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(r));
            out.assign(v, v + xcb_get_property_value_length(r) / 4);
        }
        free(r);
        return out;
    };
    for (const std::string& id : {first, second}) {
        const auto w = xcb_window_t(h->window(id)->winId());
        const auto states = values(w, "_NET_WM_STATE", XCB_ATOM_ATOM);
        for (const char* wanted :
             {"_NET_WM_STATE_BELOW", "_NET_WM_STATE_STICKY", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
            const xcb_atom_t a = atom(wanted);
            ASSERT_NE(a, xcb_atom_t(XCB_ATOM_NONE)) << wanted;
            EXPECT_NE(std::find(states.begin(), states.end(), a), states.end()) << id << " lacks " << wanted;
        }
        EXPECT_EQ(values(w, "_NET_WM_DESKTOP", XCB_ATOM_CARDINAL), std::vector<std::uint32_t>{0xFFFFFFFFu}) << id;
    }
}

TEST_F(DesktopHostTest, DoneRefusesAValueItsParameterCannotMeanAndSaysWhy) {
    static const intents::IntentDescriptor labelled = [] {
        intents::ParameterDescriptor p;
        p.key = "label";
        p.title = "Label";
        p.kind = intents::ParameterKind::string;
        p.defaultValue = "a";
        p.needs = [](const intents::Json& v) -> std::optional<std::string> {
            if (v.get<std::string>().size() <= 5) return std::nullopt;
            return std::string("at most five letters");
        };
        return intents::IntentDescriptor{"LabelIntent", "Label", {p}};
    }();
    testWidgets.emplace("test.label", numberedWidget("test.label", {kNow}, widgetkit::TimelineReloadPolicy::never(),
                                                     labelled));
    auto h = makeHost();
    const auto id = place(*h, "test.label", {40, 40});
    ASSERT_TRUE(painted(*h, id));
    h->edit(id);
    host::EditDialog* dialog = nullptr;
    for (auto* w : QApplication::topLevelWidgets())
        if (auto* d = dynamic_cast<host::EditDialog*>(w); d && d->isVisible()) dialog = d;
    ASSERT_NE(dialog, nullptr);
    QPushButton* done = nullptr;
    for (auto* b : dialog->findChildren<QPushButton*>())
        if (b->text() == "Done") done = b;
    ASSERT_NE(done, nullptr);
    auto* field = dialog->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    auto stored = [&] { return host::PlacementStore(config.path() / "placements.json").load().at(0).configuration; };

    field->setText("far too long");
    done->click();
    EXPECT_TRUE(dialog->isVisible()) << "the dialog stays open";
    auto* problem = dialog->findChild<QLabel*>("problem");
    ASSERT_NE(problem, nullptr);
    EXPECT_TRUE(problem->isVisible());
    EXPECT_EQ(problem->text().toStdString(),
              "parameter \"label\" of LabelIntent needs at most five letters, got \"far too long\"");
    EXPECT_EQ(stored(), nlohmann::ordered_json::object());

    field->setText("short");
    done->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(stored()["label"], "short");
    // The same check holds for values set without the dialog.
    std::string error;
    EXPECT_FALSE(h->configure(id, {{"label", "longer still"}}, &error));
    EXPECT_NE(error.find("at most five letters"), std::string::npos) << error;
    EXPECT_EQ(stored()["label"], "short");
}

// A desktop widget has the outline the application's cards draw, its corners
// see-through; and new widgets go where no other is.
TEST_F(DesktopHostTest, WidgetsAreCutToTheirOutlineAndNewOnesGoWhereNoneIs) {
    auto h = makeHost();
    std::vector<std::string> ids;
    for (int i = 0; i < 3; ++i) {
        std::string error;
        const auto id = h->add("plyx.system.storage", "", std::nullopt, &error);
        ASSERT_TRUE(id) << error;
        ids.push_back(*id);
    }
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (size_t i = 0; i < ids.size(); ++i) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return h->shownEntryDate(ids[i]).has_value(); }, 10000));
        const QRect r = h->window(ids[i])->geometry();
        EXPECT_TRUE(area.contains(r)) << i;
        for (size_t j = 0; j < i; ++j) EXPECT_FALSE(r.intersects(h->window(ids[j])->geometry())) << j << " and " << i;
    }

    const QImage image = h->window(ids[0])->grab().toImage();
    ASSERT_FALSE(image.isNull());
    const int right = image.width() - 1, bottom = image.height() - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    // The sides' middles are inside the outline.
    EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, 1)), 255);
}
