#pragma once
// A habit's check-in button. Whether the habit is done is worked out for the
// day of each paint, so a sheet left open past midnight shows the new day
// with nothing checked in yet.
#include "shared/models/HabitItem.h"

#include <QToolButton>

#include <optional>

namespace plyx {

class HabitCheckButton : public QToolButton {
public:
    static constexpr const char* kTip = "Check in for today";

    HabitCheckButton(std::set<std::string> checkins, QWidget* parent = nullptr);

    /// Whether the habit has a check-in for the current day.
    bool doneToday() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showDay();
    std::set<std::string> checkins_;
    std::optional<bool> shownDone_;
};

} // namespace plyx
