#include "app/window/gallerykit/ConnectBanner.h"

#include "app/window/gallerykit/ConnectSources.h"
#include "app/window/gallerykit/DesignFont.h"
#include "platform/ui/Symbols.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace plyx {

namespace {

using Category = CatalogWidget::Category;

constexpr const char* kWeatherText =
    "Use your location so weather widgets are accurate \u2014 or pick a city per widget with Edit Widget.";
constexpr const char* kRemindersText = "Connect Reminders so these widgets show your real list.";
constexpr const char* kCalendarText = "Connect Calendar so these widgets show your real events.";

constexpr double kTextPoints = 12.5;
constexpr int kSymbolPoints = 16;
constexpr double kCornerRadius = 10;
/// The quinary level of the foreground: a faint wash of the text colour.
constexpr double kQuinaryOpacity = 0.05;

} // namespace

std::optional<ConnectBannerChoice> connectBanner(std::optional<Category> category, ConnectSources& sources) {
    if (!category) return std::nullopt;
    switch (*category) {
    case Category::weather:
        if (sources.hasMyLocation()) return std::nullopt;
        return ConnectBannerChoice{kWeatherText, [&sources] { sources.requestLocation(); }};
    case Category::reminders:
        if (sources.remindersConnected()) return std::nullopt;
        return ConnectBannerChoice{kRemindersText, [&sources] { sources.connectReminders(); }};
    case Category::calendars:
        if (sources.calendarConnected()) return std::nullopt;
        return ConnectBannerChoice{kCalendarText, [&sources] { sources.connectCalendar(); }};
    default:
        return std::nullopt;
    }
}

ConnectBanner::ConnectBanner(const QString& text, std::function<void()> action, QWidget* parent)
    : QWidget(parent), text_(text) {
    setObjectName("connectBanner");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(12);

    auto* symbol = new QLabel(this);
    symbol->setPixmap(QIcon(QString::fromStdString(ui::symbolFile(kSymbol))).pixmap(kSymbolPoints, kSymbolPoints));
    symbol->setEnabled(false);  // the secondary style: drawn dimmed
    row->addWidget(symbol, 0, Qt::AlignVCenter);

    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(designFont(label->font(), kTextPoints));
    label->setForegroundRole(QPalette::PlaceholderText);
    row->addWidget(label, 1, Qt::AlignVCenter);

    button_ = new QPushButton(kButtonTitle, this);
    button_->setAttribute(Qt::WA_MacSmallSize);
    connect(button_, &QPushButton::clicked, this, [action = std::move(action)] {
        if (action) action();
    });
    row->addWidget(button_, 0, Qt::AlignVCenter);
}

QString ConnectBanner::text() const { return text_; }

void ConnectBanner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor fill = palette().color(QPalette::WindowText);
    fill.setAlphaF(kQuinaryOpacity);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    p.fillPath(path, fill);
}

} // namespace plyx
