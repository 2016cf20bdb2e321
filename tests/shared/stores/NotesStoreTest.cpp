// The notes as the application edits them: every change lands in the file in
// list order, and a file that does not read is never lost to a save.
#include "shared/stores/NotesStore.h"

#include "shared/models/NoteItem.h"
#include "shared/stores/NotesFile.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

std::vector<std::string> texts(const std::vector<NoteItem>& notes) {
    std::vector<std::string> out;
    for (const auto& n : notes) out.push_back(n.text);
    return out;
}

class NotesStoreTest : public ::testing::Test {
protected:
    test::FreshStorage storage;
    test::FakeClock clock{Date{820'000'000.5}};
    int announced = 0;

    void watch(NotesStore& s) {
        QObject::connect(&s, &NotesStore::notesChanged, [this] { ++announced; });
    }
};

TEST_F(NotesStoreTest, AddingPutsTheNewestFirstInListAndFile) {
    NotesStore store;
    watch(store);
    EXPECT_TRUE(store.notes().empty());
    store.add("a");
    clock.advance(60);
    store.add("b");
    EXPECT_EQ(texts(store.notes()), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(store.notes()[0].edited, Date{820'000'060.5});
    EXPECT_FALSE(store.notes()[0].pinned);
    EXPECT_NE(store.notes()[0].id, store.notes()[1].id);
    EXPECT_EQ(NotesFile::read(NotesStore::fileURL()), store.notes());
    EXPECT_EQ(announced, 2);

    // A new store reads the same list back, in stored order.
    NotesStore again;
    EXPECT_EQ(again.notes(), store.notes());
}

TEST_F(NotesStoreTest, DeletingAndPinning) {
    NotesStore store;
    store.add("a");
    store.add("b");
    const NoteItem a = store.notes()[1];
    const NoteItem stranger{Uuid::random(), "elsewhere", Date{1}, false};

    // Deleting a note that is not there still rewrites the file.
    test::writeFile(NotesStore::fileURL(), "[]");
    store.remove(stranger);
    EXPECT_EQ(texts(store.notes()), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(NotesFile::read(NotesStore::fileURL()), store.notes());

    // Pinning one that is not there changes and writes nothing.
    test::writeFile(NotesStore::fileURL(), "[]");
    watch(store);
    store.togglePin(stranger);
    EXPECT_EQ(test::readFile(NotesStore::fileURL()), "[]");
    EXPECT_EQ(announced, 0);

    // Pinning flips the flag in place, twice restores it; the date stays.
    store.togglePin(a);
    EXPECT_TRUE(store.notes()[1].pinned);
    EXPECT_EQ(store.notes()[1].edited, a.edited);
    EXPECT_EQ(NotesFile::read(NotesStore::fileURL()), store.notes());
    store.togglePin(a);
    EXPECT_EQ(store.notes()[1], a);

    store.remove(a);
    EXPECT_EQ(texts(store.notes()), (std::vector<std::string>{"b"}));
    EXPECT_EQ(texts(NotesFile::read(NotesStore::fileURL())), (std::vector<std::string>{"b"}));

    // Setting the list announces it but does not save.
    store.setNotes({});
    EXPECT_TRUE(store.notes().empty());
    EXPECT_EQ(texts(NotesFile::read(NotesStore::fileURL())), (std::vector<std::string>{"b"}));
}

TEST_F(NotesStoreTest, AnUnreadableFileIsMovedAsideBeforeTheFirstSave) {
    const auto file = NotesStore::fileURL();
    const auto aside = file.string() + ".unreadable";
    const std::string broken = R"([{"id":"00000000-0000-4000-8000-00000000000A","text":"keep me","edited":1}])";
    test::writeFile(aside, "an older one");
    test::writeFile(file, broken);

    NotesStore store;
    EXPECT_TRUE(store.notes().empty());
    EXPECT_EQ(test::readFile(file), broken);  // loading leaves it alone
    store.add("new");
    EXPECT_EQ(texts(NotesFile::read(file)), (std::vector<std::string>{"new"}));
    // The earlier kept copy is not replaced: this one takes the next name.
    EXPECT_EQ(test::readFile(aside), "an older one");
    EXPECT_EQ(test::readFile(aside + ".1"), broken);

    // Later saves write over the now readable list only.
    store.add("newer");
    EXPECT_EQ(test::readFile(aside + ".1"), broken);
    EXPECT_FALSE(std::filesystem::exists(aside + ".2"));
    EXPECT_EQ(texts(NotesFile::read(file)), (std::vector<std::string>{"newer", "new"}));
}

TEST_F(NotesStoreTest, InvalidJsonLoadsEmptyAndAMissingFileIsNotMovedAnywhere) {
    test::writeFile(NotesStore::fileURL(), "{not json");
    EXPECT_TRUE(NotesStore().notes().empty());

    std::filesystem::remove(NotesStore::fileURL());
    NotesStore store;
    store.add("a");
    EXPECT_FALSE(std::filesystem::exists(NotesStore::fileURL().string() + ".unreadable"));
}

} // namespace
} // namespace plyx
