#include "platform/ui/widget/ViewWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace plyx::ui {

ViewWidget::ViewWidget(QWidget* parent) : QWidget(parent) {
    // The view paints every pixel it wants; what it leaves clear stays see-through.
    setAttribute(Qt::WA_TranslucentBackground);
}

void ViewWidget::setView(View view) {
    view_ = std::move(view);
    update();
}

void ViewWidget::setEnvironment(const Environment& env) {
    env_ = env;
    update();
}

void ViewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Environment env = env_;
    env.displayScale = devicePixelRatioF();
    hits_ = paint(view_, painter, Size{double(width()), double(height())}, env);
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    const QPointF p = event->position();
    const Hit* hit = hitTest(hits_, Point{p.x(), p.y()});
    if (hit && onTap_) onTap_(*hit);
}

} // namespace plyx::ui
