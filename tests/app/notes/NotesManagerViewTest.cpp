// The notes sheet on an offscreen display: composing, pinning and deleting
// through its controls, the store and file behind it, and the reloads of the
// four notes widgets heard on the test's bus.
#include "app/notes/NotesManagerView.h"

#include "app/notes/ComposeField.h"
#include "app/notes/WrappedText.h"
#include "app/sheets/SheetParts.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/models/NoteItem.h"
#include "shared/stores/NotesFile.h"
#include "shared/stores/NotesStore.h"
#include "tests/app/sheets/SheetHarness.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestSupport.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/mount.h>
#include <unistd.h>

namespace plyx {
namespace {

const std::vector<std::string> kAllFour{"plyx.notes.quick", "plyx.notes.single", "plyx.notes.list",
                                        "plyx.notes.pinned"};

class NotesManagerTest : public ::testing::Test {
protected:
    NotesManagerTest() { test::widgetsApp(); }

    // The sheet's parts, as a user finds them.
    static ComposeField& compose(NotesManagerView& v) { return *v.findChild<ComposeField*>("compose"); }
    static QPushButton& addButton(NotesManagerView& v) { return *v.findChild<QPushButton*>("add"); }
    static QList<QWidget*> rows(NotesManagerView& v) { return test::sheetRows(v, "noteRow"); }
    static QString rowText(QWidget* row) { return row->findChild<WrappedText*>("text")->text(); }
    static QToolButton& pin(QWidget* row) { return *row->findChild<QToolButton*>("pin"); }
    static QToolButton& trash(QWidget* row) { return *row->findChild<QToolButton*>("delete"); }
    static QLabel* emptyText(NotesManagerView& v) { return test::sheetEmptyText(v); }

    test::FreshStorage storage;
    test::FakeClock clock{Date{820'000'000}};
    test::ReloadLog reloads;
};

TEST_F(NotesManagerTest, AddingTrimsTheTextPutsTheNoteFirstEmptiesTheFieldAndReloadsTheFourKinds) {
    ASSERT_TRUE(reloads.listening()) << "no private bus";
    NotesStore store;
    store.add("older");
    NotesManagerView sheet(store, false);
    sheet.show();

    compose(sheet).setPlainText("  \n word \n");
    ASSERT_TRUE(addButton(sheet).isEnabled());
    QTest::mouseClick(&addButton(sheet), Qt::LeftButton);

    ASSERT_EQ(store.notes().size(), 2u);
    EXPECT_EQ(store.notes()[0].text, "word");
    EXPECT_FALSE(store.notes()[0].pinned);
    EXPECT_EQ(store.notes()[0].edited, Date{820'000'000});
    EXPECT_EQ(NotesFile::read(NotesStore::fileURL()), store.notes());
    EXPECT_TRUE(compose(sheet).toPlainText().isEmpty());
    EXPECT_FALSE(addButton(sheet).isEnabled());
    const auto shown = rows(sheet);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(rowText(shown[0]), "word");
    EXPECT_EQ(rowText(shown[1]), "older");
    EXPECT_EQ(shown[0]->findChild<QLabel*>("date")->text(), QString::fromUtf8("Dec 26, 2026, 5:46\u202fPM"));
    EXPECT_EQ(reloads.take(4), kAllFour);

    // Return in the field adds too, and leaves the sheet open; Shift-Return
    // starts a new line of the same note.
    compose(sheet).setFocus();
    QTest::keyClicks(&compose(sheet), "first");
    QTest::keyClick(&compose(sheet), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&compose(sheet), "second");
    QTest::keyClick(&compose(sheet), Qt::Key_Return);
    EXPECT_EQ(store.notes()[0].text, "first\nsecond");
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(reloads.take(4), kAllFour);
}

TEST_F(NotesManagerTest, BlankTextCannotBeAddedAndStaysInTheField) {
    NotesStore store;
    NotesManagerView sheet(store, false);
    sheet.show();
    for (const char* blank : {" ", "  \n\t\n ", "\u3000\n"}) {
        SCOPED_TRACE(blank);
        compose(sheet).setPlainText(QString::fromUtf8(blank));
        EXPECT_FALSE(addButton(sheet).isEnabled());
        compose(sheet).setFocus();
        QTest::keyClick(&compose(sheet), Qt::Key_Return);
        EXPECT_EQ(compose(sheet).toPlainText(), QString::fromUtf8(blank));
        EXPECT_TRUE(sheet.isVisible()) << "Return in the field is not the sheet's Done";
    }
    EXPECT_TRUE(store.notes().empty());
    EXPECT_FALSE(std::filesystem::exists(NotesStore::fileURL()));
    EXPECT_EQ(reloads.nothingMore(), std::vector<std::string>{}) << "nothing was reloaded";
    ASSERT_NE(emptyText(sheet), nullptr);
    EXPECT_EQ(emptyText(sheet)->text(), QString::fromUtf8(NotesManagerView::kEmptyText));
}

TEST_F(NotesManagerTest, PinningKeepsTheRowInPlaceAndSwapsSymbolTintAndTooltip) {
    NotesStore store;
    store.add("same");
    store.add("same");  // the same text twice: two notes of their own
    store.add("newest");
    ASSERT_NE(store.notes()[1].id, store.notes()[2].id);
    NotesManagerView sheet(store, false);
    sheet.show();
    ASSERT_EQ(rows(sheet).size(), 3);
    const QColor red = sheets::qcolor(PlyxTokens::nothingRed);

    QTest::mouseClick(&pin(rows(sheet)[1]), Qt::LeftButton);
    EXPECT_EQ(reloads.take(4), kAllFour);
    auto shown = rows(sheet);
    EXPECT_EQ(rowText(shown[1]), "same");
    EXPECT_TRUE(store.notes()[1].pinned);
    EXPECT_FALSE(store.notes()[2].pinned) << "only the note tapped, not its twin";
    EXPECT_EQ(pin(shown[1]).property("symbol").toString(), "pin.fill");
    EXPECT_TRUE(test::iconDrawnIn(pin(shown[1]), red));
    EXPECT_EQ(pin(shown[1]).toolTip(), "Unpin");
    EXPECT_EQ(NotesFile::read(NotesStore::fileURL()), store.notes());

    QTest::mouseClick(&pin(shown[1]), Qt::LeftButton);
    shown = rows(sheet);
    EXPECT_FALSE(store.notes()[1].pinned);
    EXPECT_EQ(pin(shown[1]).property("symbol").toString(), "pin");
    EXPECT_FALSE(test::iconDrawnIn(pin(shown[1]), red));
    EXPECT_EQ(pin(shown[1]).toolTip(), QString::fromUtf8(NotesManagerView::kPinTip));
    EXPECT_EQ(reloads.take(4), kAllFour);
}

TEST_F(NotesManagerTest, DeletingRemovesOnlyThatNoteAndTheLastLeavesTheEmptyText) {
    NotesStore store;
    store.add("a");
    store.add("b");
    NotesManagerView sheet(store, false);
    sheet.show();
    EXPECT_EQ(emptyText(sheet), nullptr);

    QTest::mouseClick(&trash(rows(sheet)[0]), Qt::LeftButton);
    ASSERT_EQ(rows(sheet).size(), 1);
    EXPECT_EQ(rowText(rows(sheet)[0]), "a");
    EXPECT_EQ(reloads.take(4), kAllFour);

    QTest::mouseClick(&trash(rows(sheet)[0]), Qt::LeftButton);
    EXPECT_TRUE(rows(sheet).empty());
    ASSERT_NE(emptyText(sheet), nullptr);
    EXPECT_TRUE(emptyText(sheet)->isVisible());
    EXPECT_EQ(test::readFile(NotesStore::fileURL()), "[]");
    EXPECT_EQ(reloads.take(4), kAllFour);
}

TEST_F(NotesManagerTest, ALongNoteWrapsWholeAndTheFieldGrowsToFourLinesOnly) {
    NotesStore store;
    const std::string word(300, 'x');  // no place to break but anywhere
    store.add(word + " and a few more words after it");
    NotesManagerView sheet(store, false);
    sheet.show();
    test::settle();
    auto* text = rows(sheet)[0]->findChild<WrappedText*>("text");
    ASSERT_GT(text->width(), 0);
    EXPECT_LE(text->geometry().right(), sheet.width()) << "the row is no wider than the sheet";
    EXPECT_GE(text->lineCount(text->width()), 4);
    EXPECT_GE(text->height(), text->heightForWidth(text->width())) << "every line is shown";

    auto& field = compose(sheet);
    std::vector<int> heights;
    for (int lines = 1; lines <= 6; ++lines) {
        QString t = "line";
        for (int i = 1; i < lines; ++i) t += "\nline";
        field.setPlainText(t);
        heights.push_back(field.height());
        EXPECT_EQ(field.visibleLines(), std::min(lines, 4)) << lines;
    }
    EXPECT_LT(heights[0], heights[1]);
    EXPECT_LT(heights[2], heights[3]);
    EXPECT_EQ(heights[3], heights[5]) << "no taller than four lines";
}

TEST_F(NotesManagerTest, OpenedToComposeTypingGoesStraightIntoTheField) {
    NotesStore store;
    NotesManagerView sheet(store, true);
    sheet.show();
    sheet.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
    QTest::keyClicks(QApplication::focusWidget(), "milk");
    EXPECT_EQ(compose(sheet).toPlainText(), "milk");

    NotesManagerView plain(store, false);
    plain.show();
    plain.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&plain));
    EXPECT_FALSE(compose(plain).hasFocus());
}

TEST_F(NotesManagerTest, DoneClosesTheSheet) {
    NotesStore store;
    NotesManagerView sheet(store, false);
    sheet.show();
    QTest::mouseClick(sheet.findChild<QPushButton*>("done"), Qt::LeftButton);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
}

// A container that cannot be written: for root only a read-only mount stops
// writes, so as root the test runs again in a user and mount namespace of its
// own and binds the container read-only there.
constexpr const char* kInNamespace = "PLYX_TEST_READONLY_NAMESPACE";

TEST_F(NotesManagerTest, ASaveThatFailsLeavesTheListAsOnDiskKeepsTheTextAndIsLogged) {
    const bool inNamespace = qEnvironmentVariableIsSet(kInNamespace);
    if (::geteuid() == 0 && !inNamespace) {
        QProcess again;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(kInNamespace, "1");
        again.setProcessEnvironment(env);
        again.start("unshare", {"-rm", QString::fromStdString(std::filesystem::read_symlink("/proc/self/exe")),
                                "--gtest_filter=NotesManagerTest.ASaveThatFailsLeavesTheListAsOnDiskKeepsTheTextAndIsLogged"});
        ASSERT_TRUE(again.waitForFinished(60000));
        const QString out = again.readAllStandardOutput() + again.readAllStandardError();
        if (!out.contains("[ RUN      ]")) GTEST_SKIP() << "no private mount namespace here: " << out.toStdString();
        EXPECT_EQ(again.exitCode(), 0) << out.toStdString();
        EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
        return;
    }

    NotesStore store;
    store.add("kept");
    const auto file = NotesStore::fileURL();
    const std::string onDisk = test::readFile(file);
    const auto before = store.notes();
    const std::string container = file.parent_path().string();
    if (inNamespace) {
        ASSERT_EQ(::mount(container.c_str(), container.c_str(), nullptr, MS_BIND, nullptr), 0);
        ASSERT_EQ(::mount(nullptr, container.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr), 0);
    } else {
        std::filesystem::permissions(container, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }

    NotesManagerView sheet(store, false);
    sheet.show();
    test::WarningLog warnings;
    compose(sheet).setPlainText("lost?");
    QTest::mouseClick(&addButton(sheet), Qt::LeftButton);
    QTest::mouseClick(&pin(rows(sheet)[0]), Qt::LeftButton);
    QTest::mouseClick(&trash(rows(sheet)[0]), Qt::LeftButton);

    EXPECT_EQ(test::readFile(file), onDisk);
    EXPECT_EQ(store.notes(), before);
    const auto shown = rows(sheet);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(rowText(shown[0]), "kept");
    EXPECT_EQ(pin(shown[0]).property("symbol").toString(), "pin") << "not shown pinned: the pin was not saved";
    EXPECT_EQ(compose(sheet).toPlainText(), "lost?") << "the typed text is kept to try again";
    EXPECT_EQ(warnings.lines.filter("could not be saved").size(), 3) << warnings.lines.join('\n').toStdString();

    if (inNamespace) ::umount2(container.c_str(), MNT_DETACH);
    else std::filesystem::permissions(container, std::filesystem::perms::owner_all);
}

} // namespace
} // namespace plyx
