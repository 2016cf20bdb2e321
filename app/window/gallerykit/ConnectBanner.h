#pragma once
// The banner above a gallery category whose widgets wait for access: the
// weather widgets for the user's location, the reminders and calendar
// widgets for their data. A message and a "Connect" button that starts the
// request; no feedback of its own, and a second click asks again.
#include "app/catalog/WidgetCatalog.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QPushButton;

namespace plyx {

class ConnectSources;

/// The banner for a category: its text (shown as it is) and what "Connect" does.
struct ConnectBannerChoice {
    std::string text;
    std::function<void()> action;
};

/// The banner the gallery shows for `category` (none for "All Widgets"), or
/// none: weather while no location is stored, reminders and calendars while
/// their access is missing, nothing for the others.
std::optional<ConnectBannerChoice> connectBanner(std::optional<CatalogWidget::Category> category,
                                                 ConnectSources& sources);

class ConnectBanner : public QWidget {
public:
    static constexpr const char* kButtonTitle = "Connect";
    static constexpr const char* kSymbol = "lock.shield";

    ConnectBanner(const QString& text, std::function<void()> action, QWidget* parent = nullptr);

    QString text() const;
    QPushButton* connectButton() const { return button_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* button_ = nullptr;
    QString text_;
};

} // namespace plyx
