#pragma once
// What the sheet suites share: a widgets application (offscreen), the reload
// requests heard on the test's private bus, the warnings logged, and a look
// at the colour a symbol button is drawn in.
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/identity/AppIdentity.h"
#include "tests/support/bus/PrivateBus.h"
#include "tests/support/gui/WidgetsApp.h"


#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QStringList>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

namespace plyx::test {

/// Lets posted events (deferred deletes, bus messages) run.
inline void settle() {
    for (int i = 0; i < 5; ++i) spinOnce();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

/// The rows named `rowName` a sheet shows, once posted events ran.
inline QList<QWidget*> sheetRows(QWidget& sheet, const char* rowName) {
    settle();
    return sheet.findChildren<QWidget*>(rowName);
}

/// The text a sheet shows under an empty list, once posted events ran; none
/// while the list has rows.
inline QLabel* sheetEmptyText(QWidget& sheet) {
    settle();
    return sheet.findChild<QLabel*>("emptyText");
}

/// The widget kinds asked to reload, in the order heard on the private bus.
class ReloadLog {
public:
    ReloadLog() {
        AppIdentity::configurePlatform(AppIdentity::Program::application);
        listener_ = std::make_unique<widgetkit::WidgetReloadListener>(
            [this](const std::optional<std::string>& kind) { heard_.push_back(kind.value_or("all")); });
    }
    bool listening() const { return listener_->isListening(); }
    /// What was heard once `count` requests came (or the wait ran out); clears the log.
    std::vector<std::string> take(std::size_t count) {
        spinUntil([&] { return heard_.size() >= count; });
        settle();  // and nothing beyond them
        auto out = std::move(heard_);
        heard_.clear();
        return out;
    }

    /// What was heard before a marker sent now: the bus keeps one sender's
    /// order, so a reload asked for earlier would be heard first.
    std::vector<std::string> nothingMore() {
        widgetkit::WidgetCenter::reloadTimelines("test.marker");
        auto out = take(heard_.size() + 1);
        if (!out.empty() && out.back() == "test.marker") out.pop_back();
        return out;
    }

private:
    std::vector<std::string> heard_;
    std::unique_ptr<widgetkit::WidgetReloadListener> listener_;
};

/// The warnings logged while it lives.
class WarningLog {
public:
    WarningLog() {
        current() = this;
        previous_ = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg && current()) current()->lines << text;
        });
    }
    ~WarningLog() {
        qInstallMessageHandler(previous_);
        current() = nullptr;
    }
    QStringList lines;

private:
    static WarningLog*& current() {
        static WarningLog* log = nullptr;
        return log;
    }
    QtMessageHandler previous_;
};

/// Whether the button's icon has a pixel close to `colour` (its strokes are
/// drawn in one colour, so any opaque pixel tells).
inline bool iconDrawnIn(const QToolButton& button, const QColor& colour) {
    const QImage image = button.icon().pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 200) continue;
            if (std::abs(c.red() - colour.red()) < 8 && std::abs(c.green() - colour.green()) < 8 &&
                std::abs(c.blue() - colour.blue()) < 8)
                return true;
        }
    return false;
}

} // namespace plyx::test
