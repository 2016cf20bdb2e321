#pragma once
// Feeds the inbox widget: every 300 seconds, while mail is switched on, reads
// the user's mail inbox, stores what it found as the inbox snapshot and
// reloads the inbox widget. Its one-line status is shown under the mail
// switch in the settings. Lives on the main thread.
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
        std::function<std::filesystem::path()> inbox;
        /// The reply "count|sender: subject", nothing when the inbox cannot be read.
        std::function<std::optional<std::string>(const std::filesystem::path&)> read;
        std::function<bool()> hasClient;
        std::function<void(std::function<void()> done)> openClient;
    };
    static Mail maildir();

    static inline const char* kOpening = "Opening Mail\u2026";
    static inline const char* kWaiting = "Waiting for Mail to be open";
    /// Seconds between polls, and from opening the mail client to the poll after it.
    static constexpr int kInterval = 300;
    static constexpr int kAfterOpening = 6;

    static MailPoller& shared();
    explicit MailPoller(Mail mail = maildir(), QObject* parent = nullptr);

    /// Creates the timer when there is none, then polls now, or first opens
    /// the mail client when the user has just switched mail on and there is
    /// no inbox yet.
    void start(bool userInitiated);
    /// Drops the timer, clears the status and the stored snapshot.
    void stop();
    /// One read of the inbox (nothing happens while mail is switched off).
    void poll();

    const std::optional<std::string>& status() const { return status_; }
    /// The inbox folder a poll reads now.
    std::filesystem::path inbox() const { return mail_.inbox(); }
    bool isRunning() const { return timer_ != nullptr; }

    /// The status shown when the inbox cannot be read.
    static std::string notPermitted(const std::filesystem::path& inbox);
    /// The unread count and preview of a reply, as the snapshot takes them.
    struct Parsed {
        std::int64_t count = 0;
        std::optional<std::string> preview;
    };
    static Parsed parseReply(const std::string& reply);

signals:
    void statusChanged();

private:
    void setStatus(std::optional<std::string> s);

    Mail mail_;
    QTimer* timer_ = nullptr;  ///< a child of the poller while running
    std::optional<std::string> status_;
};

} // namespace plyx
