#include "shared/collectors/MailPoller.h"

#include "platform/mail/Maildir.h"
#include "platform/store/Defaults.h"
#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/MediaBridge.h"

#include <QFutureWatcher>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include <charconv>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace plyx {

namespace {
constexpr const char* kInboxKind = "plyx.inbox";
}

MailPoller::Mail MailPoller::maildir() {
    return {
        [] { return mail::findInbox(); },
        [](const std::filesystem::path& inbox) -> std::optional<std::string> {
            auto reading = mail::readInbox(inbox);
            if (!reading) return std::nullopt;
            return mail::replyText(*reading);
        },
        [] { return mail::hasMailClient(); },
        [](std::function<void()> done) { mail::openMailClient(std::move(done)); },
    };
}

MailPoller& MailPoller::shared() {
    static MailPoller* instance = new MailPoller;  // lives for the whole run
    return *instance;
}

MailPoller::MailPoller(Mail mail, QObject* parent) : QObject(parent), mail_(std::move(mail)) {}

MailPoller::~MailPoller() {
    // The read holds copies of the mail side's functions, which may refer to
    // what the poller's owner is about to destroy.
    reading_.waitForFinished();
}

std::string MailPoller::notPermitted(const std::filesystem::path& inbox) {
    return "Not permitted \u2014 allow Plyx to read the mail folder " + inbox.string();
}

std::string MailPoller::noFolder(const std::vector<std::string>& looked) {
    const char* home = std::getenv("HOME");
    const std::string prefix = home && *home ? std::string(home) + "/" : std::string();
    std::string text = "No mail folder found \u2014 looked in ";
    for (std::size_t i = 0; i < looked.size(); ++i) {
        if (i > 0) text += i + 1 == looked.size() ? " and " : ", ";
        const auto& place = looked[i];
        text += !prefix.empty() && place.starts_with(prefix) ? "~/" + place.substr(prefix.size()) : place;
    }
    return text;
}

std::filesystem::path MailPoller::inbox() const {
    if (lastInbox_) return *lastInbox_;
    auto search = mail_.find();
    if (search.inbox) return *search.inbox;
    return search.looked.empty() ? std::filesystem::path() : std::filesystem::path(search.looked.front());
}

void MailPoller::setStatus(std::optional<std::string> s) {
    status_ = std::move(s);
    emit statusChanged();
}

void MailPoller::start(bool userInitiated) {
    if (!timer_) {
        timer_ = new QTimer(this);
        timer_->setInterval(kInterval * 1000);
        connect(timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_->start();
    }
    if (userInitiated && !mail_.find().inbox && mail_.hasClient()) {
        setStatus(std::string(kOpening));
        // The poll waits a little after the opener returns, so a client that
        // creates the inbox on its first start has had time to do so.
        QPointer<MailPoller> self(this);
        mail_.openClient([self] {
            QTimer::singleShot(kAfterOpening * 1000, [self] {
                if (self) self->poll();
            });
        });
        return;
    }
    poll();
}

MailPoller::Parsed MailPoller::parseReply(const std::string& reply) {
    // At most one split at "|", empty pieces dropped: a reply that begins
    // with "|" has its preview taken as the count (and so counts 0).
    std::vector<std::string> pieces;
    const auto bar = reply.find('|');
    if (bar == std::string::npos) {
        pieces.push_back(reply);
    } else {
        pieces.push_back(reply.substr(0, bar));
        pieces.push_back(reply.substr(bar + 1));
    }
    std::erase_if(pieces, [](const std::string& p) { return p.empty(); });

    Parsed parsed;
    std::string count = pieces.empty() ? "0" : pieces[0];
    std::string_view digits = count;
    if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
    std::int64_t n = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (ec == std::errc() && end == digits.data() + digits.size() && !digits.empty() &&
        !(count[0] == '+' && digits[0] == '-'))
        parsed.count = n;
    if (pieces.size() > 1) parsed.preview = pieces[1];
    return parsed;
}

void MailPoller::poll() {
    if (!store::Defaults::standard().boolean(StorageKeys::mailEnabled)) return;
    if (polling_) {
        again_ = true;
        return;
    }
    polling_ = true;
    auto* watcher = new QFutureWatcher<Outcome>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, round = round_] {
        watcher->deleteLater();
        finish(watcher->result(), round);
    });
    reading_ = QtConcurrent::run([find = mail_.find, read = mail_.read] {
        Outcome outcome;
        outcome.search = find();
        if (outcome.search.inbox) outcome.reply = read(*outcome.search.inbox);
        return outcome;
    });
    watcher->setFuture(reading_);
}

void MailPoller::finish(const Outcome& outcome, unsigned round) {
    polling_ = false;
    // A read from before a stop, or one that ends after mail was switched
    // off, is not stored: the stop has removed the snapshot for good.
    if (round == round_ && store::Defaults::standard().boolean(StorageKeys::mailEnabled)) {
        const auto& inbox = outcome.search.inbox;
        if (!inbox) {
            // Nothing to read: the last snapshot stays, as when the mail
            // side is not there yet.
            lastInbox_.reset();
            setStatus(noFolder(outcome.search.looked));
        } else {
            lastInbox_ = *inbox;
            InboxSnapshot snapshot;
            snapshot.updated = time::now();
            if (!outcome.reply) {
                setStatus(notPermitted(*inbox));
                snapshot.connected = false;
            } else {
                const auto parsed = parseReply(*outcome.reply);
                setStatus("Connected \u00b7 " + std::to_string(parsed.count) + " unread");
                snapshot.unread = parsed.count;
                snapshot.latestPreview = parsed.preview;
                snapshot.latestDate = snapshot.updated;
                snapshot.connected = true;
            }
            MediaBridge::setInbox(snapshot);
            widgetkit::WidgetCenter::reloadTimelines(kInboxKind);
        }
    }
    emit polled();
    if (again_) {
        again_ = false;
        poll();
    }
}

void MailPoller::stop() {
    ++round_;
    again_ = false;
    delete timer_;
    timer_ = nullptr;
    setStatus(std::nullopt);
    MediaBridge::setInbox(std::nullopt);
    widgetkit::WidgetCenter::reloadTimelines(kInboxKind);
}

} // namespace plyx
