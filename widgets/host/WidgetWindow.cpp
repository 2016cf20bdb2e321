#include "widgets/host/WidgetWindow.h"

#include "widgets/host/X11Hints.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace plyx::host {

namespace {
// Further than this (logical pixels) and a press is a drag, not a click.
constexpr int kDragDistance = 4;
} // namespace

WidgetWindow::WidgetWindow(QWidget* parent) : ui::ViewWidget(parent) {
    // A tool window stays out of the task bar; "bottom" keeps it below other
    // windows. The rest (pager, every workspace) is set as X11 state on show.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void WidgetWindow::showEvent(QShowEvent* event) {
    applyDesktopWidgetHints(*this);
    ui::ViewWidget::showEvent(event);
}

void WidgetWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return ui::ViewWidget::mousePressEvent(event);
    pressed_ = true;
    dragging_ = false;
    pressGlobal_ = event->globalPosition().toPoint();
    pressTopLeft_ = pos();
}

void WidgetWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) return ui::ViewWidget::mouseMoveEvent(event);
    const QPoint delta = event->globalPosition().toPoint() - pressGlobal_;
    if (!dragging_ && delta.manhattanLength() < kDragDistance) return;
    dragging_ = true;
    move(pressTopLeft_ + delta);
}

void WidgetWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return ui::ViewWidget::mouseReleaseEvent(event);
    const bool dragged = dragging_;
    pressed_ = dragging_ = false;
    if (dragged) {
        if (onMoved_) onMoved_(pos());
        return;
    }
    ui::ViewWidget::mouseReleaseEvent(event); // a click: the hit under it, if any
}

void WidgetWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    if (onEdit_) menu.addAction(QString::fromUtf8(kEditTitle), this, [this] { onEdit_(); });
    if (onRemove_) menu.addAction(QString::fromUtf8(kRemoveTitle), this, [this] { onRemove_(); });
    if (!menu.isEmpty()) menu.exec(event->globalPos());
}

} // namespace plyx::host
