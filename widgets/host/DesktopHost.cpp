#include "widgets/host/DesktopHost.h"

#include "platform/base/WorkerPool.h"
#include "platform/intents/AppIntent.h"
#include "platform/time/Time.h"
#include "platform/time/ZoneWatcher.h"
#include "platform/ui/Render.h"
#include "shared/foundation/WidgetShape.h"
#include "widgets/host/EditDialog.h"
#include "widgets/host/PlaceWidget.h"
#include "widgets/host/X11Hints.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <QDesktopServices>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <thread>

Q_LOGGING_CATEGORY(lcHost, "com.zelvanedesigns.plyx.widgets.host")

namespace plyx::host {

namespace {
// Timers wake at least this often, so a changed system clock is noticed.
constexpr double kLongestSleep = 3600;
// A timeline whose reload moment has already passed is asked for again no
// sooner than this after the last answer: a provider that keeps answering
// "after (a past date)" must not spin the host.
constexpr double kShortestReload = 5;
// Rounds of answers taken in at once before the windows get to paint.
constexpr std::size_t kAnswerRounds = 3;
// Reload requests and zone changes are heard from the first answers on, or
// from this long after start if a provider is still busy then.
constexpr int kListenAtLatestMs = 2000;
// At start the first answers come within a few milliseconds of each other,
// while a window's first frame (the very first also sets up the fonts) takes
// longer: until this long after start, answers still due are waited for before
// any window paints, so every window maps without waiting for another's frame.
constexpr auto kFirstAnswersWait = std::chrono::milliseconds(30);

// The parts of the screens where windows may go.
std::vector<QRect> screenAreas() {
    std::vector<QRect> out;
    for (auto* screen : QGuiApplication::screens()) out.push_back(screen->availableGeometry());
    return out;
}
} // namespace

struct DesktopHost::Shown {
    std::string id;
    const widgetkit::WidgetConfiguration* widget = nullptr;
    std::optional<intents::Configuration> config;
    ui::Size size;
    std::unique_ptr<WidgetWindow> window;
    std::optional<widgetkit::ProviderAnswer> answer;
    Date answeredAt;
    std::optional<Date> entryDate; // the date of the entry on show
    bool pending = false, again = false, live = false;
    bool liveKnown = true; // false from a new view until it is asked whether it counts time
    int requests = 0;
    QTimer wake;
};

DesktopHost::Finder DesktopHost::bundleFinder() {
    return [](const std::string& kind) { return PlyxWidgetsBundle::bundle().find(kind); };
}

void DesktopHost::openWithDesktop(const QUrl& url) {
    if (!QDesktopServices::openUrl(url)) qCWarning(lcHost).noquote() << "no handler opened" << url.toString();
}

DesktopHost::DesktopHost(PlacementStore store, Finder find, UrlOpener open, QObject* parent)
    : QObject(parent), store_(std::move(store)), find_(std::move(find)), open_(std::move(open)),
      // Providers mostly wait (on files, the store, the network): a few run at once even on one core.
      workers_(std::make_unique<WorkerPool>(std::max(4u, std::thread::hardware_concurrency()))) {
    liveTimer_.setInterval(1000);
    connect(&liveTimer_, &QTimer::timeout, this, [this] { repaintLive(); });
}

DesktopHost::~DesktopHost() {
    // Before the inbox a running provider's answer goes to, and the queued
    // call that takes it in, go with this object.
    workers_.reset();
}

void DesktopHost::start() {
    placements_ = store_.load();
    for (const auto& p : placements_) show(p);
    // A widget whose screen goes away comes back onto one that is left.
    connect(qGuiApp, &QGuiApplication::screenRemoved, this,
            [this] { QMetaObject::invokeMethod(this, [this] { keepOnScreens(); }, Qt::QueuedConnection); });
    // Reload requests and zone changes are heard once the first answers are
    // in: that takes a bus connection or two, which no first frame needs,
    // and every widget has just been asked for a timeline anyway.
    if (shown_.empty()) return listen();
    listenOnAnswer_ = true;
    firstAnswersBy_ = std::chrono::steady_clock::now() + kFirstAnswersWait;
    QTimer::singleShot(kListenAtLatestMs, this, [this] { listen(); });
}

void DesktopHost::listen() {
    listenOnAnswer_ = false;
    if (listener_) return;
    listener_ = std::make_unique<widgetkit::WidgetReloadListener>(
        [this](const std::optional<std::string>& kind) { reload(kind); });
    if (!listener_->isListening()) qCWarning(lcHost) << "no session bus: reload requests are not heard";
    // Unconfigured clocks, "today" and the default place all follow the zone.
    zoneWatcher_ = std::make_unique<time::ZoneWatcher>();
    connect(zoneWatcher_.get(), &time::ZoneWatcher::zoneChanged, this, [this] { reload(std::nullopt); });
}

void DesktopHost::show(const Placement& p) {
    const auto* widget = find_(p.kind);
    if (!widget) {
        qCWarning(lcHost).noquote() << "placed widget" << QString::fromStdString(p.id) << "has an unknown kind"
                                    << QString::fromStdString(p.kind);
        return;
    }
    std::string error;
    auto config = intents::Configuration::make(widget->intent(), p.configuration, &error);
    if (!config) {
        qCWarning(lcHost).noquote() << "placed widget" << QString::fromStdString(p.id)
                                    << "has a bad configuration, shown with the defaults:"
                                    << QString::fromStdString(error);
        config = intents::Configuration::defaults(widget->intent());
    }
    auto s = std::make_unique<Shown>();
    s->id = p.id;
    s->widget = widget;
    s->config = std::move(config);
    s->size = widgetkit::designSize(widget->supportedFamilies().front());
    s->window = std::make_unique<WidgetWindow>();
    const std::string id = p.id;
    auto& w = *s->window;
    w.setWindowTitle(QString::fromStdString(widget->displayName()));
    w.setFixedSize(int(std::lround(s->size.width)), int(std::lround(s->size.height)));
    // Where it was placed, unless no screen shows it there any more.
    w.move(keptOnScreen(QRect(QPoint(p.x, p.y), w.size()), screenAreas()));
    w.setOnTap([this, id](const ui::Hit& hit) { onTap(id, hit); });
    w.setOnMoved([this, id](QPoint at) {
        if (auto* placed = findPlacement(placements_, id)) {
            placed->x = at.x();
            placed->y = at.y();
            saveOrLog();
        }
    });
    if (!widget->intent().parameters.empty())
        w.setOnEdit([this, id] { QMetaObject::invokeMethod(this, [this, id] { edit(id); }, Qt::QueuedConnection); });
    w.setOnRemove([this, id] { QMetaObject::invokeMethod(this, [this, id] { remove(id); }, Qt::QueuedConnection); });
    s->wake.setSingleShot(true);
    Shown* raw = s.get();
    connect(&s->wake, &QTimer::timeout, this, [this, raw] {
        if (raw->answer) display(*raw);
        schedule(*raw);
    });
    shown_[id] = std::move(s);
    if (p.configuration.contains("surface") && p.configuration["surface"] == "glass") setBlurBehind(w, true);
    request(*raw);
}

void DesktopHost::keepOnScreens() {
    const auto screens = screenAreas();
    for (auto& [id, s] : shown_) s->window->move(keptOnScreen(s->window->geometry(), screens));
}

void DesktopHost::request(Shown& s) {
    if (s.pending) {
        s.again = true; // asked while a request runs: ask once more when it answers
        return;
    }
    s.pending = true;
    ++s.requests;
    widgetkit::TimelineProviderContext ctx;
    ctx.family = s.widget->supportedFamilies().front();
    ctx.displaySize = s.size;
    // The provider runs on a worker with its own copy of the configuration
    // (an edit may replace the host's meanwhile) and the widget's declaration,
    // which outlives the host; its answer goes to the host's inbox (the host's
    // destructor waits for the running workers, so it is still there).
    workers_->run([this, id = s.id, widget = s.widget, config = *s.config, ctx]() {
        Answer a{id, std::nullopt, {}};
        try {
            a.answer = widgetkit::request(*widget, widgetkit::RequestMode::timeline, config, ctx);
        } catch (const std::exception& e) {
            a.failure = e.what();
        } catch (...) {
            a.failure = "an exception of an unknown type";
        }
        deliver(std::move(a));
    });
}

void DesktopHost::deliver(Answer a) {
    std::lock_guard lock(inboxMutex_);
    inbox_.push_back(std::move(a));
    inboxFilled_.notify_one();
    // One call takes in whatever has come by the time it runs. It goes with
    // the host, whose destructor first waits for the running workers.
    if (inbox_.size() == 1) QMetaObject::invokeMethod(this, [this] { takeAnswers(); }, Qt::QueuedConnection);
}

void DesktopHost::takeAnswers() {
    // Answers that come while these are shown are taken too, before any
    // window paints: at start every provider answers within a few
    // milliseconds, and each window appears without waiting for the first
    // frames of the others. Each widget has one request running at most, so a
    // round holds one answer per widget; a few rounds bound the wait. Right
    // after start the answers still due are waited for, up to a bound.
    const auto awaitingFirst = [&] {
        return listenOnAnswer_ && std::any_of(shown_.begin(), shown_.end(), [](const auto& kv) {
                   return kv.second->pending && !kv.second->answer;
               });
    };
    for (std::size_t round = 0; round < kAnswerRounds || awaitingFirst(); ++round) {
        std::vector<Answer> taken;
        {
            std::unique_lock lock(inboxMutex_);
            if (inbox_.empty() && awaitingFirst())
                inboxFilled_.wait_until(lock, firstAnswersBy_, [this] { return !inbox_.empty(); });
            taken.swap(inbox_);
        }
        if (taken.empty()) break;
        for (auto& a : taken) answered(std::move(a));
    }
    // Heard once every provider has answered, or failed, for the first time.
    if (listenOnAnswer_ && !awaitingFirst()) listen();
    // Whatever is left has its own call queued: the answer that found the
    // inbox empty queued it.
}

void DesktopHost::answered(Answer a) {
    auto it = shown_.find(a.id);
    if (it == shown_.end()) return; // removed meanwhile
    Shown& s = *it->second;
    s.pending = false;
    if (a.answer) {
        s.answer = std::move(a.answer);
    } else {
        // The widget keeps what it showed; the policy of the last answer still holds.
        qCWarning(lcHost).noquote() << "provider of" << QString::fromStdString(s.widget->kind())
                                    << "failed:" << QString::fromStdString(a.failure);
    }
    s.answeredAt = time::now();
    s.entryDate.reset();
    if (s.answer) display(s);
    if (s.again) {
        s.again = false;
        request(s);
    }
    schedule(s);
}

void DesktopHost::display(Shown& s) {
    const Date now = time::now();
    const auto entry = widgetkit::currentEntry(*s.answer, now);
    if (!entry) return;
    ui::Environment env;
    env.now = now;
    if (s.entryDate && s.entryDate->sinceReferenceDate == entry->date.sinceReferenceDate && !knowLive(s)) return;
    s.entryDate = entry->date;
    // Clipped to the widget's outline: the corners outside it stay see-through,
    // as the application's cards and previews draw the widget.
    s.window->setView(s.widget->content(*entry)
                          .frame(s.size.width, s.size.height)
                          .clipShape(ContinuousRoundedRectangle(kWidgetCornerRadius)));
    s.window->setEnvironment(env);
    // A new window is shown at once: it maps while its frame is laid out and
    // painted, which it does when control returns to the event loop (other
    // windows appear meanwhile). One already shown lays the new view out now.
    if (!s.window->isVisible()) s.window->show();
    else s.window->refreshNow();
    // A view counts time when a second's difference changes what it shows
    // (a running timer notes it while the view is laid out); only those are
    // repainted every second. Asked once the window has laid the view out,
    // or before, by whoever needs to know.
    s.liveKnown = false;
    QMetaObject::invokeMethod(
        this,
        [this, id = s.id] {
            auto it = shown_.find(id);
            if (it == shown_.end()) return;
            knowLive(*it->second);
            emit this->shown(QString::fromStdString(id));
        },
        Qt::QueuedConnection);
}

bool DesktopHost::knowLive(Shown& s) {
    if (!s.liveKnown) {
        s.live = s.window->countsTime();
        s.liveKnown = true;
        if (s.live && !liveTimer_.isActive()) liveTimer_.start();
    }
    return s.live;
}

void DesktopHost::schedule(Shown& s) {
    s.wake.stop();
    if (!s.answer) return;
    const Date now = time::now();
    std::optional<double> at;
    auto sooner = [&](double t) { at = at ? std::min(*at, t) : t; };
    for (const auto& e : s.answer->entries)
        if (e.date.sinceReferenceDate > now.sinceReferenceDate) {
            sooner(e.date.sinceReferenceDate);
            break;
        }
    if (const auto& policy = s.answer->policy) {
        std::optional<double> reloadAt;
        if (policy->kind() == widgetkit::TimelineReloadPolicy::Kind::after) reloadAt = policy->date().sinceReferenceDate;
        if (policy->kind() == widgetkit::TimelineReloadPolicy::Kind::atEnd && !s.answer->entries.empty())
            reloadAt = s.answer->entries.back().date.sinceReferenceDate;
        if (reloadAt) {
            const double earliest = s.answeredAt.sinceReferenceDate + kShortestReload;
            const double when = std::max(*reloadAt, earliest);
            if (when <= now.sinceReferenceDate && !s.pending) {
                request(s);
                return;
            }
            sooner(when);
        }
    }
    if (!at) return;
    const double wait = std::clamp(*at - now.sinceReferenceDate, 0.0, kLongestSleep);
    s.wake.start(int(std::ceil(wait * 1000)));
}

void DesktopHost::checkTime() {
    for (auto& [id, s] : shown_) {
        if (s->answer) display(*s);
        schedule(*s);
    }
}

void DesktopHost::repaintLive() {
    bool any = false;
    ui::Environment env;
    env.now = time::now();
    for (auto& [id, s] : shown_) {
        if (!s->live || !s->window->isVisible()) continue;
        // The window keeps its layout and redraws what the new second changes.
        s->window->setEnvironment(env);
        s->live = s->window->countsTime();
        any = any || s->live;
    }
    if (!any) liveTimer_.stop();
}

void DesktopHost::edit(const std::string& id) {
    auto it = shown_.find(id);
    if (it == shown_.end()) return;
    auto* dialog = new EditDialog(it->second->widget->intent(), it->second->config->values());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, id] {
        std::string error;
        if (!configure(id, dialog->values(), &error))
            qCWarning(lcHost).noquote() << "edited configuration not taken:" << QString::fromStdString(error);
    });
    dialog->open();
}

bool DesktopHost::configure(const std::string& id, const intents::Json& values, std::string* error) {
    auto it = shown_.find(id);
    Placement* placed = findPlacement(placements_, id);
    if (it == shown_.end() || !placed) {
        if (error) *error = "no shown widget " + id;
        return false;
    }
    // The same check as a placement's given values pass.
    auto config = intents::Configuration::checked(it->second->widget->intent(), values, error);
    if (!config) return false;
    placed->configuration = values;
    saveOrLog();
    it->second->config = std::move(config);
    request(*it->second);
    return true;
}

void DesktopHost::reload(const std::optional<std::string>& kind) {
    for (auto& [id, s] : shown_)
        if (!kind || s->widget->kind() == *kind) request(*s);
}

void DesktopHost::onTap(const std::string& id, const ui::Hit& hit) {
    if (hit.kind == ui::HitKind::link) {
        open_(QUrl(QString::fromStdString(hit.payload)));
        return;
    }
    std::string error;
    auto intent = intents::IntentRegistry::shared().rebuild(hit.payload, &error);
    if (!intent) {
        qCWarning(lcHost).noquote() << "a button's intent could not be rebuilt:" << QString::fromStdString(error);
        return;
    }
    auto* watcher = new QFutureWatcher<bool>(this);
    connect(watcher, &QFutureWatcher<bool>::finished, this, [this, watcher, id] {
        watcher->deleteLater();
        // The intent asks for its own kinds' reloads; the tapped widget is
        // asked again here too, so it shows the change even without a bus.
        // A failed intent changed nothing (and said why): nothing to show.
        auto it = shown_.find(id);
        if (watcher->result() && it != shown_.end()) request(*it->second);
        emit performed(QString::fromStdString(id));
    });
    watcher->setFuture(intents::performOnWorker(std::move(intent)));
}

std::optional<std::string> DesktopHost::add(const std::string& kind, const std::string& configJson,
                                            std::optional<QPoint> at, std::string* error) {
    QRect area;
    if (auto* screen = QGuiApplication::primaryScreen()) area = screen->availableGeometry();
    auto placed = placeWidget(find_, kind, configJson, at, area, placements_, error);
    if (!placed) return std::nullopt;
    const Placement& p = *placed;
    auto next = placements_;
    next.push_back(p);
    if (auto problem = store_.save(next)) {
        if (error) *error = "cannot write " + store_.file().string() + ": " + *problem;
        return std::nullopt;
    }
    placements_ = std::move(next);
    show(p);
    return p.id;
}

bool DesktopHost::remove(const std::string& id) {
    auto it = std::find_if(placements_.begin(), placements_.end(), [&](const Placement& p) { return p.id == id; });
    if (it == placements_.end()) return false;
    placements_.erase(it);
    shown_.erase(id);
    saveOrLog();
    if (std::none_of(shown_.begin(), shown_.end(), [](const auto& s) { return s.second->live; })) liveTimer_.stop();
    return true;
}

void DesktopHost::saveOrLog() {
    if (auto problem = store_.save(placements_))
        qCWarning(lcHost).noquote() << "placements not saved:" << QString::fromStdString(*problem);
}

WidgetWindow* DesktopHost::window(const std::string& id) const {
    auto it = shown_.find(id);
    return it == shown_.end() ? nullptr : it->second->window.get();
}

int DesktopHost::requestCount(const std::string& id) const {
    auto it = shown_.find(id);
    return it == shown_.end() ? 0 : it->second->requests;
}

std::optional<Date> DesktopHost::shownEntryDate(const std::string& id) const {
    auto it = shown_.find(id);
    return it == shown_.end() ? std::nullopt : it->second->entryDate;
}

bool DesktopHost::isPending(const std::string& id) const {
    auto it = shown_.find(id);
    return it != shown_.end() && it->second->pending;
}

bool DesktopHost::isLive(const std::string& id) {
    auto it = shown_.find(id);
    return it != shown_.end() && knowLive(*it->second);
}

} // namespace plyx::host
