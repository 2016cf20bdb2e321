// The notes file: written whole and atomically, read whole or not at all,
// seen newest first.
#include "shared/stores/NotesFile.h"

#include "platform/base/TextLength.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plyx {
namespace {

const Uuid kA = *Uuid::parse("00000000-0000-4000-8000-00000000000A");
const Uuid kB = *Uuid::parse("00000000-0000-4000-8000-00000000000B");
const Uuid kC = *Uuid::parse("00000000-0000-4000-8000-00000000000C");

TEST(NotesFile, WritesTheListAndReadsItBack) {
    test::FreshStorage storage;
    const auto file = NotesFile::location();
    EXPECT_EQ(file.filename(), "notes.json");
    EXPECT_EQ(file.string().rfind(storage.dataHome().string(), 0), 0u) << file;
    EXPECT_TRUE(NotesFile::read().empty());  // no file yet

    const std::vector<NoteItem> notes{{kA, "", Date{10.123456}, false}, {kB, "two\nlines \"/\" é", Date{-5}, true}};
    ASSERT_TRUE(NotesFile::write(notes));
    EXPECT_EQ(test::readFile(file),
              R"([{"id":"00000000-0000-4000-8000-00000000000A","text":"","edited":10.123456,"pinned":false},)"
              R"({"id":"00000000-0000-4000-8000-00000000000B","text":"two\u000alines \"\/\" é","edited":-5,"pinned":true}])");
    EXPECT_EQ(NotesFile::read(), notes);
    // Replaced by a private temporary file, the list still has ordinary permissions.
    EXPECT_NE(std::filesystem::status(file).permissions() & std::filesystem::perms::group_read,
              std::filesystem::perms::none);

    ASSERT_TRUE(NotesFile::write({}));
    EXPECT_EQ(test::readFile(file), "[]");
    EXPECT_TRUE(NotesFile::read().empty());
    // No temporary files are left beside the list.
    for (const auto& e : std::filesystem::directory_iterator(file.parent_path()))
        EXPECT_EQ(e.path().filename().string().find(".notes.json"), std::string::npos) << e.path();
}

TEST(NotesFile, ReadsWholeOrNothing) {
    test::TempDir dir;
    const auto file = dir.path() / "notes.json";
    const std::string good = R"({"id":"00000000-0000-4000-8000-00000000000A","text":"a","edited":1,"pinned":false})";
    const std::pair<std::string, std::size_t> cases[] = {
        {"[" + good + "]", 1},
        {"[" + good + R"(,{"id":"00000000-0000-4000-8000-00000000000B","text":"b","edited":2,"pinned":true,"colour":"red"}])", 2},
        {"[" + good + R"(,{"id":"00000000-0000-4000-8000-00000000000B","text":"b","edited":2}])", 0},   // one note without "pinned"
        {"[" + good + R"(,{"id":"not a uuid","text":"b","edited":2,"pinned":true}])", 0},
        {"[" + good + R"(,{"id":"00000000-0000-4000-8000-00000000000B","text":null,"edited":2,"pinned":true}])", 0},
        {"[]", 0},
        {good, 0},  // an object, not an array
        {"[" + good, 0},
        {"", 0},
    };
    for (const auto& [content, count] : cases) {
        test::writeFile(file, content);
        EXPECT_EQ(NotesFile::read(file).size(), count) << content;
    }
    EXPECT_TRUE(NotesFile::read(dir.path() / "missing.json").empty());
}

TEST(NotesFile, FailedWritesKeepTheOldFile) {
    test::TempDir dir;
    const auto file = dir.path() / "notes.json";
    const std::vector<NoteItem> old{{kA, "keep me", Date{1}, false}};
    ASSERT_TRUE(NotesFile::write(file, old));
    const std::string before = test::readFile(file);

    // A date that cannot be encoded drops the whole write.
    EXPECT_FALSE(NotesFile::write(file, {{kB, "x", Date{std::nan("")}, false}}));
    EXPECT_EQ(test::readFile(file), before);
    // So does a folder that does not exist.
    EXPECT_FALSE(NotesFile::write(dir.path() / "absent" / "notes.json", old));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "absent"));
    EXPECT_EQ(NotesFile::read(file), old);
}

TEST(NotesFile, LatestIsNewestFirstAndStable) {
    test::FreshStorage storage;
    const std::vector<NoteItem> file{{kA, "old", Date{1}, true}, {kB, "tie first", Date{5}, false},
                                     {kC, "tie second", Date{5}, true}, {Uuid::random(), "new", Date{9}, false}};
    ASSERT_TRUE(NotesFile::write(file));
    const auto latest = NotesFile::latest();
    ASSERT_EQ(latest.size(), 4u);
    EXPECT_EQ(latest[0].text, "new");
    EXPECT_EQ(latest[1].text, "tie first");
    EXPECT_EQ(latest[2].text, "tie second");
    EXPECT_EQ(latest[3].text, "old");
}

// The widgets read a note's beginning; the file keeps the whole note.
TEST(NotesFile, LatestHoldsALongNoteToWhatAWidgetShows) {
    test::FreshStorage storage;
    std::string longNote;
    for (int i = 0; i < 10000; ++i) longNote += "\u65e5";
    ASSERT_TRUE(NotesFile::write({{kA, longNote, Date{1}, false}, {kB, "short", Date{2}, false}}));
    const auto latest = NotesFile::latest();
    ASSERT_EQ(latest.size(), 2u);
    EXPECT_EQ(latest[0].text, "short");
    std::string head;
    for (std::size_t i = 0; i < text::kMaxShownTextLength; ++i) head += "\u65e5";
    EXPECT_EQ(latest[1].text, head + "\u2026");
    EXPECT_EQ(NotesFile::read()[0].text, longNote);
}

// A user who keeps the notes elsewhere (a synced folder) and links them in
// keeps the link: the save lands in the linked file.
TEST(NotesFile, ASaveThroughALinkedNotesFileKeepsTheLink) {
    test::FreshStorage storage;
    const auto file = NotesFile::location();
    const auto synced = storage.dataHome() / "Synced";
    std::filesystem::create_directories(synced);
    test::writeFile(synced / "notes.json", "[]");
    std::filesystem::remove(file);
    std::filesystem::create_symlink(std::filesystem::relative(synced / "notes.json", file.parent_path()), file);

    const std::vector<NoteItem> notes{{kA, "kept", Date{1}, false}};
    ASSERT_TRUE(NotesFile::write(notes));
    EXPECT_TRUE(std::filesystem::is_symlink(std::filesystem::symlink_status(file)));
    EXPECT_EQ(NotesFile::read(synced / "notes.json"), notes);
    EXPECT_EQ(NotesFile::read(), notes);
}

} // namespace
} // namespace plyx
