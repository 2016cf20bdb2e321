#pragma once
// A QWidget that shows a view: it lays the view out in its own size, paints it
// in its paint event and reports a click as the innermost hit under it.
#include "platform/ui/View.h"

#include <QWidget>
#include <functional>

namespace plyx::ui {

class ViewWidget : public QWidget {
public:
    explicit ViewWidget(QWidget* parent = nullptr);

    /// The view shown; repaints.
    void setView(View view);
    const View& view() const { return view_; }
    /// The environment handed to the view (the moment, rendering mode); repaints.
    void setEnvironment(const Environment& env);
    const Environment& environment() const { return env_; }

    /// The hit rectangles of the last paint, in the widget's coordinates.
    const std::vector<Hit>& hits() const { return hits_; }

    /// Called when a click (press and release) lands on a button or link.
    void setOnTap(std::function<void(const Hit&)> onTap) { onTap_ = std::move(onTap); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    View view_;
    Environment env_;
    std::vector<Hit> hits_;
    std::function<void(const Hit&)> onTap_;
};

} // namespace plyx::ui
