#pragma once
// Feeds the inbox widget: every 300 seconds, while mail is switched on, reads
// the user's mail inbox, stores what it found as the inbox snapshot and
// reloads the inbox widget. Its one-line status is shown under the mail
// switch in the settings. Lives on the main thread; the inbox is looked for
// and read on a worker thread, one read at a time, so a slow folder or a
// hostile message never keeps the application from answering.
#include "platform/mail/Maildir.h"

#include <QFuture>
#include <QObject>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace plyx {

class MailPoller : public QObject {
    Q_OBJECT
public:
    /// What the poller needs of the mail side; the defaults read the Maildir
    /// inbox and open the desktop's mail client.
    struct Mail {
        /// Looks for the inbox (on a worker thread during a poll).
        std::function<mail::InboxSearch()> find;
        /// The reply "count|sender: subject", nothing when the inbox cannot
        /// be read. Runs on a worker thread.
        std::function<std::optional<std::string>(const std::filesystem::path&)> read;
        std::function<bool()> hasClient;
        std::function<void(std::function<void()> done)> openClient;
    };
    static Mail maildir();

    static inline const char* kOpening = "Opening Mail\u2026";
    /// Seconds between polls, and from opening the mail client to the poll after it.
    static constexpr int kInterval = 300;
    static constexpr int kAfterOpening = 6;

    static MailPoller& shared();
    explicit MailPoller(Mail mail = maildir(), QObject* parent = nullptr);
    /// Waits for a read still running.
    ~MailPoller() override;

    /// Creates the timer when there is none, then polls now, or first opens
    /// the mail client when the user has just switched mail on and there is
    /// no inbox yet.
    void start(bool userInitiated);
    /// Drops the timer, clears the status and the stored snapshot; a read
    /// still running is not stored.
    void stop();
    /// Starts one read of the inbox on a worker thread and returns at once
    /// (nothing happens while mail is switched off). A poll asked for while
    /// a read runs follows it.
    void poll();
    bool isPolling() const { return polling_; }

    const std::optional<std::string>& status() const { return status_; }
    /// The inbox folder the last poll read, else the one a poll would read now.
    std::filesystem::path inbox() const;
    bool isRunning() const { return timer_ != nullptr; }

    /// The status shown when the inbox cannot be read.
    static std::string notPermitted(const std::filesystem::path& inbox);
    /// The status shown when no inbox was found, naming where we looked
    /// (the home folder written "~").
    static std::string noFolder(const std::vector<std::string>& looked);
    /// The unread count and preview of a reply, as the snapshot takes them.
    struct Parsed {
        std::int64_t count = 0;
        std::optional<std::string> preview;
    };
    static Parsed parseReply(const std::string& reply);

signals:
    void statusChanged();
    /// A read finished and what it found is stored (or set aside after a stop).
    void polled();

private:
    struct Outcome {
        mail::InboxSearch search;
        std::optional<std::string> reply;
    };
    void setStatus(std::optional<std::string> s);
    void finish(const Outcome& outcome, unsigned round);

    Mail mail_;
    QTimer* timer_ = nullptr;  ///< a child of the poller while running
    std::optional<std::string> status_;
    std::optional<std::filesystem::path> lastInbox_;
    QFuture<Outcome> reading_;
    bool polling_ = false;
    bool again_ = false;  ///< a poll was asked for while one ran
    unsigned round_ = 0;  ///< counts stops, so a read from before one is dropped
};

} // namespace plyx
