#pragma once
// The desktop mode: one window per placed widget, each kept on its timeline.
// Providers run on worker threads; the main thread shows the entry whose date
// has come, switches entries at their dates, asks again as the reload policy
// says, obeys reload requests (one kind or all), repaints views that count
// time once a second, and runs a tapped button's intent or opens a link.
#include "platform/widgetkit/WidgetCenter.h"
#include "platform/widgetkit/WidgetHost.h"
#include "widgets/host/PlacementStore.h"
#include "widgets/host/WidgetWindow.h"

#include <QObject>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace plyx::time {
class ZoneWatcher;
}

namespace plyx {
class WorkerPool;
}

namespace plyx::host {

class DesktopHost : public QObject {
    Q_OBJECT
public:
    /// The declaration of a kind of widget, or null; what it finds outlives the host.
    using Finder = std::function<const widgetkit::WidgetConfiguration*(const std::string& kind)>;
    using UrlOpener = std::function<void(const QUrl&)>;

    /// The widgets of the extension's bundle.
    static Finder bundleFinder();
    /// Hands the URL to the desktop's handler.
    static void openWithDesktop(const QUrl& url);

    explicit DesktopHost(PlacementStore store, Finder find = bundleFinder(), UrlOpener open = openWithDesktop,
                         QObject* parent = nullptr);
    ~DesktopHost() override;

    /// Reads the placements, shows a window for each and starts hearing reload
    /// requests and system zone changes (each asks every widget for a new
    /// timeline) once every provider has answered, or at once when nothing is
    /// placed. A placement of an unknown kind is kept but not shown.
    void start();

    /// Places a widget; its id, or nothing with `error` set (unknown kind, bad
    /// configuration, the file could not be written).
    std::optional<std::string> add(const std::string& kind, const std::string& configJson,
                                   std::optional<QPoint> at, std::string* error);
    /// Removes a placed widget; whether it was there.
    bool remove(const std::string& id);
    /// Opens the edit dialog of a placed widget; "Done" applies what it holds.
    void edit(const std::string& id);
    /// Gives a placed widget new configuration values: saved, then the widget
    /// is asked for a new timeline. False (nothing changed) when they don't fit.
    bool configure(const std::string& id, const intents::Json& values, std::string* error = nullptr);
    /// New timelines for every widget of `kind`, or of all widgets.
    void reload(const std::optional<std::string>& kind);
    /// Looks at the clock: entries whose date has come are shown, timelines
    /// whose reload is due are asked for. Timers call it; tests may too.
    void checkTime();

    const std::vector<Placement>& placements() const { return placements_; }
    /// The window of a shown placement, or null.
    WidgetWindow* window(const std::string& id) const;
    /// How often the provider of `id` has been asked (tests).
    int requestCount(const std::string& id) const;
    /// The date of the entry `id` shows, if any.
    std::optional<Date> shownEntryDate(const std::string& id) const;
    /// Whether a provider request for `id` is running.
    bool isPending(const std::string& id) const;
    /// Whether `id` is being repainted every second.
    bool isLive(const std::string& id);

signals:
    /// A widget's window shows a new entry (or the same one, redrawn after a timeline).
    void shown(const QString& id);
    /// A tapped intent has finished.
    void performed(const QString& id);

private:
    struct Shown;
    void show(const Placement& p);
    void request(Shown& s);
    /// A request's end: the answer, or why the provider gave none.
    struct Answer {
        std::string id;
        std::optional<widgetkit::ProviderAnswer> answer;
        std::string failure;
    };
    /// Called on a worker: queues the answer for the main thread.
    void deliver(Answer a);
    /// Takes in every answer that has come, and those that come meanwhile.
    void takeAnswers();
    void answered(Answer a);
    void display(Shown& s);
    /// Whether the shown view counts time, asking its window once per new view.
    bool knowLive(Shown& s);
    void schedule(Shown& s);
    void onTap(const std::string& id, const ui::Hit& hit);
    void repaintLive();
    void keepOnScreens();
    void saveOrLog();
    /// Starts hearing reload requests and zone changes; once.
    void listen();

    PlacementStore store_;
    Finder find_;
    UrlOpener open_;
    std::vector<Placement> placements_;
    std::map<std::string, std::unique_ptr<Shown>> shown_;
    std::unique_ptr<widgetkit::WidgetReloadListener> listener_;
    std::unique_ptr<time::ZoneWatcher> zoneWatcher_;
    bool listenOnAnswer_ = false; // started, and hears nothing until the first answers are in
    QTimer liveTimer_;
    // Answers wait here for the main thread, which takes in all that have
    // come at once: a window's first paint waits until then.
    std::mutex inboxMutex_;
    std::condition_variable inboxFilled_;
    std::chrono::steady_clock::time_point firstAnswersBy_; // the start's first answers are waited for until then
    std::vector<Answer> inbox_;
    std::unique_ptr<WorkerPool> workers_;
};

} // namespace plyx::host
