#pragma once
// A QWidget that shows a view: it lays the view out in its own size, paints it
// in its paint event and reports a click as the innermost hit under it. The
// layout is kept until the view, the size or the environment changes; when
// only the moment moves, the parts made from it are built again. Either way
// only the pixels that differ from the frame on the window are painted again.
#include "platform/ui/Render.h"
#include "platform/ui/View.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace plyx::ui {

class ViewWidget : public QWidget {
public:
    explicit ViewWidget(QWidget* parent = nullptr);
    ~ViewWidget() override;

    /// The view shown; repaints what changes (once control returns to the event loop).
    void setView(View view);
    const View& view() const { return view_; }
    /// The environment handed to the view (the moment, rendering mode); repaints
    /// what changes.
    void setEnvironment(const Environment& env);
    const Environment& environment() const { return env_; }

    /// Lays out what the changes so far ask for and asks for the paint of what
    /// differs now, rather than once control returns to the event loop.
    void refreshNow();

    /// Whether the view shows something else a second after the environment's
    /// moment (it counts time): a host repaints such a view every second.
    bool countsTime();

    /// The hit rectangles of the last paint, in the widget's coordinates.
    const std::vector<Hit>& hits() const { return hits_; }

    /// Called when a click (press and release) lands on a button or link.
    void setOnTap(std::function<void(const Hit&)> onTap) { onTap_ = std::move(onTap); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    /// The layout for the current view, size, environment and device-pixel ratio.
    Layout& layout();
    /// Asks, once, for `refresh` after the caller's changes.
    void scheduleRefresh();
    /// Asks for a paint of what differs between the frame on the window and the new one.
    void refresh();

    View view_;
    Environment env_;
    std::shared_ptr<Layout> layout_;
    // The layout of the frame the window holds, kept while a new one waits for its paint.
    std::shared_ptr<Layout> shown_;
    bool refreshQueued_ = false;
    std::vector<Hit> hits_;
    std::function<void(const Hit&)> onTap_;
};

} // namespace plyx::ui
