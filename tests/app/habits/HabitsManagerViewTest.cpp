// The habits sheet on an offscreen display: adding, checking in and deleting
// through its controls, the list as stored in the shared suite, check-ins the
// widget makes while the sheet is open, and the reloads heard on the bus.
#include "app/habits/HabitsManagerView.h"

#include "app/habits/HabitCheckButton.h"
#include "app/sheets/ElidedLabel.h"
#include "app/sheets/SheetParts.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/intents/InteractiveIntents.h"
#include "shared/models/HabitItem.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/ExtrasStore.h"
#include "tests/app/sheets/SheetHarness.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace plyx {
namespace {

const Date kNoon = Date::fromUnix(1778155200);  // 2026-05-07T12:00:00Z
const std::vector<std::string> kReload{"plyx.habits.week"};

// Another program in the middle of writing the suite: it holds the write
// lock (readers go on) until destroyed.
class SuiteWriter {
public:
    explicit SuiteWriter(const std::filesystem::path& file) {
        if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK ||
            sqlite3_exec(db_, "BEGIN IMMEDIATE; INSERT OR REPLACE INTO kv (key, value) VALUES ('busy', 1)", nullptr,
                         nullptr, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "cannot take the write lock: " << sqlite3_errmsg(db_);
    }
    ~SuiteWriter() {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }

private:
    sqlite3* db_ = nullptr;
};

std::vector<std::string> names(const std::vector<HabitItem>& list) {
    std::vector<std::string> out;
    for (const auto& h : list) out.push_back(h.name);
    return out;
}

class HabitsManagerTest : public ::testing::Test {
protected:
    HabitsManagerTest() { test::widgetsApp(); }

    static QLineEdit& name(HabitsManagerView& v) { return *v.findChild<QLineEdit*>("name"); }
    static QPushButton& addButton(HabitsManagerView& v) { return *v.findChild<QPushButton*>("add"); }
    static QList<QWidget*> rows(HabitsManagerView& v) { return test::sheetRows(v, "habitRow"); }
    static QString rowName(QWidget* row) { return row->findChild<QLabel*>("habitName")->text(); }
    static HabitCheckButton& check(QWidget* row) { return *row->findChild<HabitCheckButton*>("checkIn"); }
    static QToolButton& trash(QWidget* row) { return *row->findChild<QToolButton*>("delete"); }
    static QLabel* emptyText(HabitsManagerView& v) { return test::sheetEmptyText(v); }
    static std::vector<HabitItem> stored() { return ExtrasStore::habits().value_or(std::vector<HabitItem>{}); }
    static void store(const std::vector<HabitItem>& list) { ASSERT_TRUE(SharedStorage::write(StorageKeys::habits, list)); }
    static void type(HabitsManagerView& v, const QString& text) {
        name(v).setText(text);
        QTest::keyClick(&name(v), Qt::Key_Return);
    }

    test::FreshStorage storage;
    test::FakeClock clock{kNoon};
    test::ReloadLog reloads;
};

TEST_F(HabitsManagerTest, WithNothingStoredTheSamplesShowAndTheFirstAddStoresThemWithTheNewHabit) {
    ASSERT_TRUE(reloads.listening()) << "no private bus";
    HabitsManagerView sheet;
    sheet.show();
    ASSERT_EQ(rows(sheet).size(), 3);
    EXPECT_EQ(rowName(rows(sheet)[2]), "No sugar");

    name(sheet).setText(" \tStretch\t ");
    ASSERT_TRUE(addButton(sheet).isEnabled());
    QTest::mouseClick(&addButton(sheet), Qt::LeftButton);
    EXPECT_EQ(names(stored()), (std::vector<std::string>{"Run", "Read", "No sugar", "Stretch"}));
    EXPECT_EQ(stored()[0].id, HabitItem::samples()[0].id);
    EXPECT_TRUE(stored()[3].checkins.empty());
    EXPECT_TRUE(name(sheet).text().isEmpty());
    EXPECT_FALSE(addButton(sheet).isEnabled());
    ASSERT_EQ(rows(sheet).size(), 4);
    EXPECT_EQ(rowName(rows(sheet)[3]), "Stretch");
    EXPECT_EQ(reloads.take(1), kReload);
    EXPECT_EQ(reloads.nothingMore(), std::vector<std::string>{}) << "reloaded once";

    // The same name again is a habit of its own; Return in the field adds it
    // and leaves the sheet open.
    type(sheet, "Stretch");
    ASSERT_EQ(stored().size(), 5u);
    EXPECT_EQ(stored()[4].name, "Stretch");
    EXPECT_NE(stored()[4].id, stored()[3].id);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(reloads.take(1), kReload);
}

// A name of 200 characters keeps to its row: it is cut with an ellipsis and
// every row's check-in and delete buttons stay whole inside the sheet.
TEST_F(HabitsManagerTest, ALongNameIsCutAndEveryRowKeepsItsButtonsInTheSheet) {
    const QString longName = QString("Practise the cello scales slowly ").repeated(7).left(200);
    store({HabitItem{Uuid::random(), longName.toStdString(), {}}, HabitItem{Uuid::random(), "Run", {}}});
    HabitsManagerView sheet;
    sheet.show();
    test::settle();
    const QRect inside = sheet.rect();
    const auto all = rows(sheet);
    ASSERT_EQ(all.size(), 2);
    for (QWidget* row : all) {
        for (QWidget* button : {static_cast<QWidget*>(&check(row)), static_cast<QWidget*>(&trash(row))}) {
            const QRect at(button->mapTo(&sheet, QPoint(0, 0)), button->size());
            EXPECT_TRUE(inside.contains(at)) << rowName(row).left(20).toStdString() << ": " << button->objectName().toStdString();
            EXPECT_EQ(button->visibleRegion().boundingRect(), button->rect()) << "not clipped by the list";
        }
    }
    auto* label = dynamic_cast<sheets::ElidedLabel*>(all[0]->findChild<QLabel*>("habitName"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), longName) << "the whole name is kept";
    EXPECT_TRUE(label->shownText().endsWith(QChar(0x2026))) << label->shownText().toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->shownText()), label->contentsRect().width());
    auto* shortLabel = dynamic_cast<sheets::ElidedLabel*>(all[1]->findChild<QLabel*>("habitName"));
    ASSERT_NE(shortLabel, nullptr);
    EXPECT_EQ(shortLabel->shownText(), "Run");
}

TEST_F(HabitsManagerTest, ABlankNameCannotBeAddedAndStaysInTheField) {
    HabitsManagerView sheet;
    sheet.show();
    for (const char* blank : {" ", " \t  "}) {
        SCOPED_TRACE(blank);
        name(sheet).setText(blank);
        EXPECT_FALSE(addButton(sheet).isEnabled());
        type(sheet, blank);
        EXPECT_EQ(name(sheet).text(), blank);
        EXPECT_TRUE(sheet.isVisible()) << "Return in the field is not the sheet's Done";
    }
    EXPECT_FALSE(ExtrasStore::habits());
    EXPECT_EQ(reloads.nothingMore(), std::vector<std::string>{});
}

TEST_F(HabitsManagerTest, CheckingInTwiceTakesTodayBackAndLeavesOtherDaysAlone) {
    store({HabitItem{Uuid::random(), "Run", {"2026-05-01", "2026-05-06"}}, HabitItem{Uuid::random(), "Read", {}}});
    HabitsManagerView sheet;
    sheet.show();
    const QColor red = sheets::qcolor(PlyxTokens::nothingRed);
    EXPECT_EQ(check(rows(sheet)[0]).property("symbol").toString(), "circle");
    EXPECT_EQ(check(rows(sheet)[0]).toolTip(), "Check in for today");

    QTest::mouseClick(&check(rows(sheet)[0]), Qt::LeftButton);
    EXPECT_EQ(stored()[0].checkins, (std::set<std::string>{"2026-05-01", "2026-05-06", "2026-05-07"}));
    EXPECT_EQ(check(rows(sheet)[0]).property("symbol").toString(), "checkmark.circle.fill");
    EXPECT_TRUE(test::iconDrawnIn(check(rows(sheet)[0]), red));
    EXPECT_EQ(check(rows(sheet)[1]).property("symbol").toString(), "circle");
    EXPECT_EQ(reloads.take(1), kReload);

    QTest::mouseClick(&check(rows(sheet)[0]), Qt::LeftButton);
    EXPECT_EQ(stored()[0].checkins, (std::set<std::string>{"2026-05-01", "2026-05-06"}));
    EXPECT_EQ(check(rows(sheet)[0]).property("symbol").toString(), "circle");
    EXPECT_FALSE(test::iconDrawnIn(check(rows(sheet)[0]), red));
    EXPECT_EQ(reloads.take(1), kReload);
}

TEST_F(HabitsManagerTest, DeletingTheLastHabitStoresAnEmptyListAndTheSamplesStayAway) {
    store({HabitItem{Uuid::random(), "Run", {}}, HabitItem{Uuid::random(), "Read", {}}});
    HabitsManagerView sheet;
    sheet.show();
    QTest::mouseClick(&trash(rows(sheet)[0]), Qt::LeftButton);
    EXPECT_EQ(names(stored()), std::vector<std::string>{"Read"});
    EXPECT_EQ(reloads.take(1), kReload);
    QTest::mouseClick(&trash(rows(sheet)[0]), Qt::LeftButton);
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::habits), std::optional<std::string>("[]"));
    EXPECT_TRUE(rows(sheet).empty());
    ASSERT_NE(emptyText(sheet), nullptr);
    EXPECT_EQ(emptyText(sheet)->text(), QString::fromUtf8(HabitsManagerView::kEmptyText));
    EXPECT_EQ(reloads.take(1), kReload);

    HabitsManagerView again;
    EXPECT_TRUE(again.habits().empty());
}

TEST_F(HabitsManagerTest, AfterMidnightTheNextPaintShowsTheHabitNotDone) {
    clock.set(Date::fromUnix(1778198340));  // 2026-05-07T23:59:00Z
    store({HabitItem{Uuid::random(), "Run", {"2026-05-07"}}});
    HabitsManagerView sheet;
    sheet.show();
    auto& button = check(rows(sheet)[0]);
    button.grab();
    EXPECT_EQ(button.property("symbol").toString(), "checkmark.circle.fill");
    clock.advance(120);
    button.grab();  // a paint
    EXPECT_EQ(button.property("symbol").toString(), "circle");
}

TEST_F(HabitsManagerTest, CheckInsTheWidgetMakesWhileTheSheetIsOpenSurviveItsChanges) {
    const HabitItem run{Uuid::random(), "Run", {}}, read{Uuid::random(), "Read", {}}, gym{Uuid::random(), "Gym", {}};
    store({run, read, gym});
    HabitsManagerView sheet;
    sheet.show();

    // The widget's buttons, as the host runs them, while the sheet shows its
    // list as it read it.
    HabitToggleIntent(run.id.string()).perform();
    EXPECT_EQ(reloads.take(1), kReload);
    EXPECT_EQ(check(rows(sheet)[0]).property("symbol").toString(), "circle") << "the sheet does not watch the suite";

    const std::set<std::string> today{"2026-05-07"};
    type(sheet, "Stretch");
    EXPECT_EQ(names(stored()), (std::vector<std::string>{"Run", "Read", "Gym", "Stretch"}));
    EXPECT_EQ(stored()[0].checkins, today) << "the widget's check-in was written over";
    EXPECT_EQ(check(rows(sheet)[0]).property("symbol").toString(), "checkmark.circle.fill");

    HabitToggleIntent(read.id.string()).perform();
    QTest::mouseClick(&trash(rows(sheet)[2]), Qt::LeftButton);  // Gym
    EXPECT_EQ(names(stored()), (std::vector<std::string>{"Run", "Read", "Stretch"}));
    EXPECT_EQ(stored()[0].checkins, today);
    EXPECT_EQ(stored()[1].checkins, today);

    // A habit the widget's side deleted meanwhile is not brought back by a delete here.
    HabitToggleIntent(run.id.string()).perform();
    store({stored()[1]});
    QTest::mouseClick(&trash(rows(sheet)[0]), Qt::LeftButton);  // Run, gone already
    EXPECT_EQ(names(stored()), std::vector<std::string>{"Read"});
    EXPECT_EQ(names(sheet.habits()), std::vector<std::string>{"Read"});
}

TEST_F(HabitsManagerTest, AChangeTheSuiteRefusesIsLoggedAndNotShownAndTheNameStays) {
    const HabitItem run{Uuid::random(), "Run", {}};
    store({run});
    HabitsManagerView sheet;
    sheet.show();
    const auto before = SharedStorage::suite().data(StorageKeys::habits);
    test::WarningLog warnings;
    {
        SuiteWriter writer(storage.dataHome() / "plyx" / StorageKeys::kSuiteName / "defaults.sqlite");
        type(sheet, "Stretch");
        QTest::mouseClick(&check(rows(sheet)[0]), Qt::LeftButton);
        QTest::mouseClick(&trash(rows(sheet)[0]), Qt::LeftButton);
    }
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::habits), before);
    ASSERT_EQ(rows(sheet).size(), 1);
    EXPECT_EQ(rowName(rows(sheet)[0]), "Run");
    EXPECT_EQ(check(rows(sheet)[0]).property("symbol").toString(), "circle") << "shown checked in, not stored";
    EXPECT_EQ(name(sheet).text(), "Stretch") << "the typed name is kept to try again";
    EXPECT_EQ(warnings.lines.filter("could not be stored").size(), 3) << warnings.lines.join('\n').toStdString();

    // Once the suite is free the same add goes through.
    type(sheet, "Stretch");
    EXPECT_EQ(names(stored()), (std::vector<std::string>{"Run", "Stretch"}));
}

} // namespace
} // namespace plyx
