#pragma once
// "Add to Desktop": the selected widget goes onto the desktop and the guide
// opens, naming it; with nothing selected only the guide opens, in its
// general form.
#include <QString>

#include <optional>
#include <string>

class QWidget;

namespace plyx {

class AddWidgetGuide;
class DesktopPlacer;

struct SelectedWidget {
    std::string kind;
    QString name;
};

/// Places `selected` through `placer` (when both are given) and opens the
/// guide as a sheet of `parent`; the guide deletes itself when closed.
AddWidgetGuide* addToDesktop(QWidget* parent, const std::optional<SelectedWidget>& selected, DesktopPlacer* placer);

} // namespace plyx
