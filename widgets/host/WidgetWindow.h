#pragma once
// One placed widget on the desktop: a frameless, see-through window below
// other windows, out of the task bar and pager, on every workspace. A click
// goes to the view's innermost button or link; a press that moves drags the
// window instead; the context menu edits or removes the widget.
#include "platform/ui/widget/ViewWidget.h"

#include <QPoint>

#include <functional>

namespace plyx::host {

class WidgetWindow : public ui::ViewWidget {
public:
    explicit WidgetWindow(QWidget* parent = nullptr);

    /// Called with the new top-left corner when a drag ends.
    void setOnMoved(std::function<void(QPoint)> f) { onMoved_ = std::move(f); }
    /// The context menu's actions; an action with no handler is left out.
    void setOnEdit(std::function<void()> f) { onEdit_ = std::move(f); }
    void setOnRemove(std::function<void()> f) { onRemove_ = std::move(f); }

    static constexpr const char* kEditTitle = "Edit Widget\u2026";
    static constexpr const char* kRemoveTitle = "Remove Widget";

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::function<void(QPoint)> onMoved_;
    std::function<void()> onEdit_, onRemove_;
    QPoint pressGlobal_, pressTopLeft_;
    bool pressed_ = false, dragging_ = false;
};

} // namespace plyx::host
