// The notes and habits sheets on an X display: what they look like with a few
// notes and habits (images written for a person to look at), and a note typed
// and added reaching the notes widgets the desktop host shows.
#include "app/habits/HabitsManagerView.h"
#include "app/notes/ComposeField.h"
#include "app/notes/NotesManagerView.h"
#include "app/sheets/SheetParts.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/identity/AppIdentity.h"
#include "shared/models/HabitItem.h"
#include "shared/models/NoteItem.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/NotesStore.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestSupport.h"
#include "tests/support/gui/DisplayApp.h"
#include "widgets/host/DesktopHost.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace plyx {
namespace {

const Date kNow = Date::fromUnix(1778180400);  // 2026-05-07T19:00:00Z

QApplication* displayApp() { return test::displayApp("1280x800x24"); }

// How many pixels of the image are close to `colour`.
int pixelsNear(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 12 && std::abs(c.green() - colour.green()) < 12 &&
                std::abs(c.blue() - colour.blue()) < 12)
                ++n;
        }
    return n;
}

void keep(const QImage& image, const char* name) {
    if (auto dir = test::artifactsDir()) image.save(QString::fromStdString((*dir / name).string()));
}

class SheetsOnDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!displayApp()) GTEST_SKIP() << "no X server (Xvfb) could be started";
        AppIdentity::configurePlatform(AppIdentity::Program::application);
    }

    static QImage shown(QWidget& sheet) {
        sheet.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&sheet));
        QTest::qWait(50);  // the rows laid out once the window has its size
        return sheet.grab().toImage();
    }

    test::FreshStorage storage;
    test::TempDir config;
    test::FakeClock clock{kNow};
};

TEST_F(SheetsOnDisplayTest, BothSheetsWithAFewNotesAndHabits) {
    NotesStore notes;
    notes.add("Call the plumber about the kitchen tap");
    clock.advance(3600);
    notes.add("Ideas for the weekend: the coast path, the market on Saturday morning, and finally fixing "
              "the bicycle's back brake before it rains again");
    clock.advance(600);
    notes.add("Buy oat milk");
    notes.togglePin(notes.notes()[1]);
    NotesManagerView notesSheet(notes, false);
    const QImage notesImage = shown(notesSheet);
    keep(notesImage, "notes-manager.png");
    EXPECT_EQ(notesImage.size() / notesImage.devicePixelRatio(), QSize(440, 480));
    EXPECT_GT(pixelsNear(notesImage, sheets::qcolor(PlyxTokens::nothingRed)), 10) << "the one pinned note's pin";

    const std::string today = "2026-05-07";
    ASSERT_TRUE(SharedStorage::write(StorageKeys::habits,
                                     std::vector<HabitItem>{{Uuid::random(), "Run", {today}},
                                                            {Uuid::random(), "Read 20 pages", {"2026-05-06"}},
                                                            {Uuid::random(), "No sugar", {today}},
                                                            {Uuid::random(), "Stretch", {}}}));
    HabitsManagerView habitsSheet;
    const QImage habitsImage = shown(habitsSheet);
    keep(habitsImage, "habits-manager.png");
    EXPECT_EQ(habitsImage.size() / habitsImage.devicePixelRatio(), QSize(380, 400));
    EXPECT_GT(pixelsNear(habitsImage, sheets::qcolor(PlyxTokens::nothingRed)), 20) << "two habits done today";
}

TEST_F(SheetsOnDisplayTest, ANoteTypedAndAddedReachesTheNotesWidgetsOnTheDesktop) {
    NotesStore notes;
    notes.add("An older note");
    host::DesktopHost desktop(host::PlacementStore(config.path() / "placements.json"));
    desktop.start();
    std::vector<std::string> ids;
    for (const char* kind : {"plyx.notes.quick", "plyx.notes.list"}) {
        std::string error;
        auto id = desktop.add(kind, "", QPoint(40 + 400 * int(ids.size()), 500), &error);
        ASSERT_TRUE(id) << error;
        ids.push_back(*id);
    }
    auto settled = [&](const std::string& id, int requests) {
        return QTest::qWaitFor([&] {
            auto* w = desktop.window(id);
            return w && w->isVisible() && desktop.requestCount(id) == requests && !desktop.isPending(id) &&
                   !w->hits().empty();
        }, 10000);
    };
    std::vector<QImage> before;
    for (const auto& id : ids) {
        ASSERT_TRUE(settled(id, 1));
        before.push_back(desktop.window(id)->grab().toImage());
    }

    NotesManagerView sheet(notes, true);
    sheet.show();
    sheet.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
    QTest::keyClicks(QApplication::focusWidget(), "Water the plants");
    QTest::mouseClick(sheet.findChild<QPushButton*>("add"), Qt::LeftButton);
    ASSERT_EQ(notes.notes().front().text, "Water the plants");

    for (std::size_t i = 0; i < ids.size(); ++i) {
        SCOPED_TRACE(ids[i]);
        EXPECT_TRUE(settled(ids[i], 2)) << "asked for a new timeline once";
        QTest::qWait(50);
        const QImage after = desktop.window(ids[i])->grab().toImage();
        EXPECT_NE(after, before[i]) << "the widget shows the new note";
        keep(after, i == 0 ? "desktop-quick-note.png" : "desktop-notes-list.png");
    }
}

} // namespace
} // namespace plyx
