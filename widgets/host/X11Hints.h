#pragma once
// Window-manager hints for a desktop widget on X11 (also under XWayland):
// below other windows, out of the task bar and pager, on every workspace, and
// optionally the blur-behind region a compositor may honour. Elsewhere (a
// Wayland session without X, offscreen) it does nothing.
class QWidget;

namespace plyx::host {

void applyDesktopWidgetHints(QWidget& window);
/// Asks the compositor to blur what lies behind the whole window, or stops asking.
void setBlurBehind(QWidget& window, bool blur);

} // namespace plyx::host
