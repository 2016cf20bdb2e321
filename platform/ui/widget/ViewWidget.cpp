#include "platform/ui/widget/ViewWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include <cmath>

namespace plyx::ui {

namespace {

// Whether two environments differ in their moment alone.
bool onlyMomentDiffers(const Environment& a, const Environment& b) {
    return a.renderingMode == b.renderingMode && a.displayScale == b.displayScale;
}

// A region of device pixels as logical pixels, grown to whole ones.
QRegion toLogical(const QRegion& device, double dpr) {
    if (dpr == 1) return device;
    QRegion out;
    for (const QRect& r : device) {
        const int x0 = int(std::floor(r.left() / dpr)), y0 = int(std::floor(r.top() / dpr));
        const int x1 = int(std::ceil((r.right() + 1) / dpr)), y1 = int(std::ceil((r.bottom() + 1) / dpr));
        out += QRect(x0, y0, x1 - x0, y1 - y0);
    }
    return out;
}

// A region of logical pixels as the device pixels it covers.
QRegion toDevice(const QRegion& logical, double dpr) {
    if (dpr == 1) return logical;
    QRegion out;
    for (const QRect& r : logical) {
        const int x0 = int(std::floor(r.left() * dpr)), y0 = int(std::floor(r.top() * dpr));
        const int x1 = int(std::ceil((r.right() + 1) * dpr)), y1 = int(std::ceil((r.bottom() + 1) * dpr));
        out += QRect(x0, y0, x1 - x0, y1 - y0);
    }
    return out;
}

} // namespace

ViewWidget::ViewWidget(QWidget* parent) : QWidget(parent) {
    // The view paints every pixel it wants; what it leaves clear stays see-through.
    setAttribute(Qt::WA_TranslucentBackground);
}

ViewWidget::~ViewWidget() = default;

void ViewWidget::setView(View view) {
    view_ = std::move(view);
    layout_.reset();
    scheduleRefresh();
}

void ViewWidget::setEnvironment(const Environment& env) {
    const bool momentOnly = onlyMomentDiffers(env_, env);
    env_ = env;
    // The layout on the window moves on in place; one still waiting for its
    // first paint is simply made for the new moment.
    if (momentOnly && layout_ && layout_ == shown_) {
        if (auto changed = layout_->advance(env.now)) {
            hits_ = layout_->hits();
            if (!changed->isEmpty()) update(toLogical(*changed, layout_->environment().displayScale));
            return;
        }
        shown_.reset(); // half moved: it no longer tells what the window holds
    }
    layout_.reset();
    scheduleRefresh();
}

void ViewWidget::scheduleRefresh() {
    if (refreshQueued_) return;
    refreshQueued_ = true;
    QMetaObject::invokeMethod(this, [this] { refreshNow(); }, Qt::QueuedConnection);
}

void ViewWidget::refreshNow() {
    if (refreshQueued_) refresh(); // not again when it ran early
}

void ViewWidget::refresh() {
    refreshQueued_ = false;
    if (!isVisible()) return; // showing paints it whole
    Layout& next = layout();
    if (shown_ && shown_ != layout_) {
        if (auto changed = next.changedSince(*shown_)) {
            if (!changed->isEmpty()) {
                update(toLogical(*changed, next.environment().displayScale));
            } else if (!next.countsTime() && !shown_->countsTime() && next.hits() == shown_->hits()) {
                // The same frame, buttons and links: the window's layout serves
                // on, and the new one goes now, while it is still in the cache.
                layout_ = shown_;
            } else {
                // The window already holds the new frame; a tap goes to what
                // the new view puts under it.
                shown_ = layout_;
                hits_ = next.hits();
            }
            return;
        }
    }
    if (shown_ != layout_) update();
}

bool ViewWidget::countsTime() { return layout().countsTime(); }

Layout& ViewWidget::layout() {
    const double dpr = devicePixelRatioF();
    const Size size{double(width()), double(height())};
    if (!layout_ || layout_->environment().displayScale != dpr || layout_->size().width != size.width ||
        layout_->size().height != size.height) {
        Environment env = env_;
        env.displayScale = dpr;
        layout_ = std::make_shared<Layout>(view_, size, env);
    }
    return *layout_;
}

void ViewWidget::paintEvent(QPaintEvent* event) {
    Layout& l = layout();
    QPainter painter(this);
    // Qt has cleared what it asks for and clips the painter to it: a part of
    // the widget is drawn again from the leaves that reach into it.
    if ((QRegion(rect()) - event->region()).isEmpty()) {
        l.paint(painter);
    } else {
        l.paint(painter, toDevice(event->region(), l.environment().displayScale));
    }
    hits_ = l.hits();
    shown_ = layout_;
}

void ViewWidget::resizeEvent(QResizeEvent* event) {
    layout_.reset();
    shown_.reset();
    QWidget::resizeEvent(event);
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    const QPointF p = event->position();
    const Hit* hit = hitTest(hits_, Point{p.x(), p.y()});
    if (hit && onTap_) onTap_(*hit);
}

} // namespace plyx::ui
