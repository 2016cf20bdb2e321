#include "widgets/timelines/PlyxWidgetsBundle.h"

#include "shared/foundation/PlyxFonts.h"
#include "widgets/timelines/SystemWidgets.h"

namespace plyx::PlyxWidgetsBundle {

const std::vector<DeclaredWidget>& declarations() {
    static const std::vector<DeclaredWidget> all = [] {
        (void)PlyxFonts::registered();
        return std::vector<DeclaredWidget>{
            // The system group.
            SystemWidget::declaration(),
            NetworkWidget::declaration(),
            StorageWidget::declaration(),
        };
    }();
    return all;
}

const widgetkit::WidgetBundle& bundle() {
    static const widgetkit::WidgetBundle b = [] {
        widgetkit::WidgetBundle out;
        for (const auto& d : declarations()) out.add(d.configuration);
        return out;
    }();
    return b;
}

} // namespace plyx::PlyxWidgetsBundle
