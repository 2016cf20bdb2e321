#include "app/window/gallerykit/AddToDesktop.h"

#include "app/window/gallerykit/AddWidgetGuide.h"
#include "app/window/gallerykit/DesktopPlacer.h"

namespace plyx {

AddWidgetGuide* addToDesktop(QWidget* parent, const std::optional<SelectedWidget>& selected, DesktopPlacer* placer) {
    if (selected && placer) placer->place(selected->kind);
    auto* guide = new AddWidgetGuide(selected ? std::optional<QString>(selected->name) : std::nullopt, parent);
    guide->setAttribute(Qt::WA_DeleteOnClose);
    guide->open();
    return guide;
}

} // namespace plyx
