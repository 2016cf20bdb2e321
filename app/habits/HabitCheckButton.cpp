#include "app/habits/HabitCheckButton.h"

#include "app/sheets/SheetParts.h"
#include "platform/time/Time.h"
#include "shared/foundation/PlyxTokens.h"

namespace plyx {

HabitCheckButton::HabitCheckButton(std::set<std::string> checkins, QWidget* parent)
    : QToolButton(parent), checkins_(std::move(checkins)) {
    setObjectName("checkIn");
    setAutoRaise(true);
    setFocusPolicy(Qt::TabFocus);
    setIconSize(QSize(16, 16));
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr(kTip));
    showDay();
}

bool HabitCheckButton::doneToday() const { return checkins_.count(time::dayKey(time::now())) > 0; }

void HabitCheckButton::showDay() {
    const bool done = doneToday();
    if (shownDone_ == done) return;
    shownDone_ = done;
    if (done) sheets::setSymbol(this, "checkmark.circle.fill", sheets::qcolor(PlyxTokens::nothingRed));
    else sheets::setSymbol(this, "circle", sheets::foreground(*this, sheets::Level::secondary));
}

void HabitCheckButton::paintEvent(QPaintEvent* event) {
    showDay();
    QToolButton::paintEvent(event);
}

} // namespace plyx
