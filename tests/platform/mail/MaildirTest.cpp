// The Maildir inbox read the way mail delivery and sync tools write it: unread
// in new/ and in cur/ without the seen flag, the newest of messages delivered
// within one second, the encoded and raw 8-bit headers, hostile header
// lengths, an empty inbox, a missing folder and one that cannot be listed,
// and where the inbox is found.
#include "platform/mail/Maildir.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <unistd.h>

namespace plyx::mail {
namespace {

namespace fs = std::filesystem;

struct Fixture {
    test::TempDir dir;
    fs::path inbox = dir.path() / "INBOX";
    Fixture() {
        fs::create_directories(inbox / "new");
        fs::create_directories(inbox / "cur");
        fs::create_directories(inbox / "tmp");
    }
    void message(const std::string& relative, const std::string& from, const std::string& subject) {
        test::writeFile(inbox / relative, "Return-Path: <x@y.org>\r\nFrom: " + from + "\r\nSubject: " + subject +
                                              "\r\nDate: Mon, 7 Dec 2026 10:00:00 +0000\r\n\r\nFrom: not a header\r\n");
    }
};

TEST(Maildir, CountsUnreadInNewAndUnseenInCurAndPreviewsTheNewestDelivery) {
    Fixture f;
    f.message("new/1765000300.M1P1.host", "=?UTF-8?B?w4VzYQ==?= Lind <asa@example.org>",
              "=?iso-8859-1?Q?Caf=E9_au?=\r\n =?iso-8859-1?Q?_lait?= tonight");
    f.message("new/1765000100.M2P1.host", "Bob <bob@example.org>", "Older");
    f.message("cur/1765000200.M3P1.host:2,S", "Seen <s@example.org>", "Read");
    f.message("cur/1765000250.M4P1.host:2,RS", "Replied <r@example.org>", "Read too");
    f.message("cur/1765000000.M5P1.host:2,", "Plain <p@example.org>", "Unseen, no flags");
    f.message("cur/1765000050.M6P1.host:2,FT", "Flagged <f@example.org>", "Unseen, flagged");
    f.message("cur/1765000060.M7P1.host", "No info <n@example.org>", "Unseen, no info part");
    test::writeFile(f.inbox / "tmp/1765009999.M8P1.host", "From: Still arriving\r\n\r\n");
    test::writeFile(f.inbox / "new/.hidden", "From: dot file\r\n\r\n");

    const auto reading = readInbox(f.inbox);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->unread, 5);
    EXPECT_EQ(reading->sender, "Åsa Lind");
    EXPECT_EQ(reading->subject, "Café au lait tonight");
    EXPECT_EQ(replyText(*reading), "5|Åsa Lind: Café au lait tonight");
}

TEST(Maildir, AnEmptyInboxRepliesACountWithoutPreview) {
    Fixture f;
    const auto reading = readInbox(f.inbox);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->unread, 0);
    EXPECT_FALSE(reading->sender);
    EXPECT_EQ(replyText(*reading), "0|");
}

TEST(Maildir, AMissingOrUnlistableFolderIsNotRead) {
    Fixture f;
    EXPECT_FALSE(inboxExists(f.dir.path() / "Nowhere"));
    EXPECT_FALSE(readInbox(f.dir.path() / "Nowhere"));
    EXPECT_TRUE(inboxExists(f.inbox));

    fs::remove_all(f.inbox / "cur");  // not a Maildir any more
    EXPECT_FALSE(readInbox(f.inbox));

    fs::create_directories(f.inbox / "cur");
    fs::permissions(f.inbox / "new", fs::perms::none);
    if (geteuid() != 0) {
        EXPECT_FALSE(readInbox(f.inbox));  // root lists it anyway
    }
    fs::permissions(f.inbox / "new", fs::perms::owner_all);
}

TEST(Maildir, TheNewestOfThreeDeliveriesInOneSecondIsPreviewedInEachNamingStyle) {
    // Each style: three names in delivery order, and the files' modification
    // times in nanoseconds after a whole second (equal times leave the
    // choice to the names). The third delivery must be previewed.
    struct Style {
        const char* what;
        std::vector<std::string> names;
        std::vector<long> nanos;
    };
    const std::vector<Style> styles = {
        // The name's microseconds decide, whatever the files' times say.
        {"delivery agent, M<microseconds>",
         {"new/1765000300.M7P912.mx.example.org,S=1530,W=1562", "new/1765000300.M99999P911.mx.example.org,S=880,W=901",
          "new/1765000300.M100000P910.mx.example.org,S=2011,W=2070"},
         {300, 200, 100}},
        {"mail server, V<dev>I<inode>M<microseconds>",
         {"cur/1765000300.V803I2c4e1M905010.mx.example.org:2,S", "new/1765000300.V803I2c4e0M905011.mx.example.org",
          "new/1765000300.V803I2c4dfM905012.mx.example.org"},
         {0, 0, 0}},
        // No sub-second part in the name: the modification time decides.
        {"process id only",
         {"new/1765000300.4243.laptop", "new/1765000300.4242.laptop", "new/1765000300.4241.laptop"},
         {100, 200, 300}},
        // Same time to the nanosecond: counters compared as numbers.
        {"sync tool, <pid>_<counter>",
         {"cur/1765000300.4242_9.laptop,U=8810:2,S", "cur/1765000300.4242_10.laptop,U=8811:2,",
          "new/1765000300.4242_12.laptop,U=8812"},
         {0, 0, 0}},
        {"sync tool, <time>_<counter>",
         {"cur/1765000300_9.4242.laptop,U=121,FMD5=7e33429f656f1e6e9d79b29c3f82c57e:2,S",
          "cur/1765000300_10.4242.laptop,U=122,FMD5=7e33429f656f1e6e9d79b29c3f82c57e:2,S",
          "cur/1765000300_12.4242.laptop,U=123,FMD5=7e33429f656f1e6e9d79b29c3f82c57e:2,"},
         {0, 0, 0}},
    };
    const auto second = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const auto whole = std::chrono::time_point_cast<std::chrono::seconds>(second);
    for (const auto& style : styles) {
        SCOPED_TRACE(style.what);
        Fixture f;
        const char* subjects[] = {"first", "second", "third"};
        for (std::size_t i = 0; i < 3; ++i) {
            f.message(style.names[i], "Sender <s@example.org>", subjects[i]);
            fs::last_write_time(f.inbox / style.names[i], whole + std::chrono::nanoseconds(style.nanos[i]));
        }
        const auto reading = readInbox(f.inbox);
        ASSERT_TRUE(reading);
        EXPECT_EQ(reading->subject, "third");
    }
}

TEST(Maildir, TheInboxIsFoundInEachCommonLayout) {
    struct Layout {
        const char* what;
        std::vector<std::string> maildirs;  // folders made with cur/, new/ and tmp/ under the home folder
        std::optional<std::string> inbox;   // none: nothing found
    };
    const std::vector<Layout> layouts = {
        {"inbox folder", {"Maildir/INBOX", "Maildir/Sent"}, "Maildir/INBOX"},
        {"dotted inbox folder", {"Maildir/.INBOX", "Maildir/.Sent"}, "Maildir/.INBOX"},
        {"the root is the inbox, with dotted subfolders", {"Maildir", "Maildir/.Sent", "Maildir/.Drafts"}, "Maildir"},
        {"an inbox folder wins over the root", {"Maildir", "Maildir/INBOX"}, "Maildir/INBOX"},
        {"one folder per account", {"Maildir/work/INBOX", "Maildir/home/INBOX", "Maildir/home/Sent"},
         "Maildir/home/INBOX"},
        {"an account set up with Inbox", {"Maildir/personal/Inbox", "Maildir/personal/Archive"},
         "Maildir/personal/Inbox"},
        {"mail folders, none an inbox", {"Maildir/Archive", "Maildir/work/Sent"}, std::nullopt},
        {"no Maildir at all", {}, std::nullopt},
    };
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.what);
        test::TempDir home;
        test::ScopedEnv h("HOME", home.path().string());
        test::ScopedEnv unset("PLYX_MAILDIR", std::nullopt);
        for (const auto& folder : layout.maildirs)
            for (const char* sub : {"cur", "new", "tmp"}) fs::create_directories(home.path() / folder / sub);

        const auto search = findInbox();
        EXPECT_EQ(search.inbox, layout.inbox ? std::optional(home.path() / *layout.inbox) : std::nullopt);
        const auto root = home.path() / "Maildir";
        EXPECT_EQ(search.looked, (std::vector<std::string>{(root / "INBOX").string(), (root / ".INBOX").string(),
                                                           root.string(), (root / "*/INBOX").string()}));
        EXPECT_EQ(inboxPath(), layout.inbox ? home.path() / *layout.inbox : root);
    }

    test::TempDir home;
    test::ScopedEnv env("PLYX_MAILDIR", (home.path() / "Mail/work").string());
    EXPECT_EQ(findInbox().looked, std::vector<std::string>{(home.path() / "Mail/work").string()});
    EXPECT_FALSE(findInbox().inbox);
    fs::create_directories(home.path() / "Mail/work");
    EXPECT_EQ(findInbox().inbox, home.path() / "Mail/work");
}

TEST(Maildir, HostileHeadersAreCutAndReadInBoundedTime) {
    Fixture f;
    // A subject of one megabyte made of encoded words that never end, then
    // one that does, and a sender folded over many lines.
    std::string subject;
    for (int i = 0; i < 150'000; ++i) subject += "=?a?B?x";
    subject += " =?utf-8?q?end?=";
    std::string from = "\"Ann";
    for (int i = 0; i < 5'000; ++i) from += "\r\n Lee";
    from += "\" <ann@example.org>";
    f.message("new/1765000300.M1P1.host", from, subject);

    const auto reading = readInbox(f.inbox);
    ASSERT_TRUE(reading);
    ASSERT_TRUE(reading->subject && reading->sender);
    EXPECT_EQ(reading->subject->size(), kHeaderValueBytes);  // cut, never decoded past the cut
    EXPECT_EQ(reading->subject->substr(0, 14), "=?a?B?x=?a?B?x");
    EXPECT_LE(reading->sender->size(), kHeaderValueBytes);
    EXPECT_EQ(reading->sender->substr(0, 8), "\"Ann Lee");  // the cut lost the closing quote and address

    const auto reply = replyText(*reading);
    EXPECT_EQ(reply.substr(0, 2), "1|");
    EXPECT_EQ(reply.size(), 2 + kPreviewCharacters);

    // A cut never splits a character.
    EXPECT_EQ(cutCharacters("Grüße, 🎉!", 6), "Grüße,");
    EXPECT_EQ(cutCharacters("🎉🎉", 1), "🎉");
    EXPECT_EQ(cutCharacters("short", 200), "short");
}

TEST(Maildir, HeadersDecodeEncodedWordsAndSendersGiveTheirDisplayName) {
    const std::vector<std::pair<std::string, std::string>> headers = {
        {"Plain text", "Plain text"},
        {"=?utf-8?q?Gr=C3=BC=C3=9Fe?=", "Grüße"},
        {"=?UTF-8?B?8J+OiQ==?= party", "🎉 party"},
        {"=?utf-8?q?a?= =?utf-8?q?b?=", "ab"},             // space between encoded words goes
        {"x =?utf-8?q?a?= y", "x a y"},                     // space next to plain text stays
        {"=?koi8-r?B?8NLJ18XU?=", "Привет"},                // a charset other than UTF-8
        {"=?utf-8?x?abc?=", "=?utf-8?x?abc?="},            // unknown encoding kept
        {"broken =?utf-8?q?no end", "broken =?utf-8?q?no end"},
        {"=?a?B?x=?a?B?x", "=?a?B?x=?a?B?x"},                 // never-ending words stay as written
        {"=?utf-8?q?a?= =?x", "a =?x"},
        {"Caf\xe9 cr\xe8me", "Café crème"},                    // raw 8-bit Latin-1
        {"Caf\xe9 =?utf-8?q?cr=C3=A8me?=", "Café crème"},    // next to an encoded word
        {"Café crème", "Café crème"},                          // raw UTF-8 stays UTF-8
        {"\xc3\x28 \xed\xa0\x80", "Ã( í\u00a0\u0080"},                // malformed UTF-8 is not UTF-8
    };
    for (const auto& [raw, decoded] : headers) EXPECT_EQ(decodeHeader(raw), decoded) << raw;

    const std::vector<std::pair<std::string, std::string>> senders = {
        {"Ann Lee <ann@example.org>", "Ann Lee"},
        {"\"Lee, Ann\" <ann@example.org>", "Lee, Ann"},
        {"<ann@example.org>", "ann@example.org"},
        {"ann@example.org", "ann@example.org"},
        {"", ""},
    };
    for (const auto& [from, name] : senders) EXPECT_EQ(senderName(from), name) << from;
}

} // namespace
} // namespace plyx::mail
