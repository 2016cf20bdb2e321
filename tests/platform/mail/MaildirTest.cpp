// The Maildir inbox read the way mail sync tools write it: unread in new/ and
// in cur/ without the seen flag, the newest message's encoded headers, an
// empty inbox, a missing folder and one that cannot be listed.
#include "platform/mail/Maildir.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

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

TEST(Maildir, TheInboxIsTheConfiguredFolderElseInboxUnderMaildirElseMaildir) {
    test::TempDir home;
    test::ScopedEnv h("HOME", home.path().string());
    {
        test::ScopedEnv env("PLYX_MAILDIR", (home.path() / "Mail/work").string());
        EXPECT_EQ(inboxPath(), home.path() / "Mail/work");
    }
    test::ScopedEnv unset("PLYX_MAILDIR", std::nullopt);
    EXPECT_EQ(inboxPath(), home.path() / "Maildir");
    fs::create_directories(home.path() / "Maildir/INBOX");
    EXPECT_EQ(inboxPath(), home.path() / "Maildir/INBOX");
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
