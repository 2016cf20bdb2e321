#pragma once
// The ordered list of every widget an extension offers.
#include "platform/widgetkit/WidgetConfiguration.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace plyx::widgetkit {

class WidgetBundle {
public:
    /// Appends a widget. Throws std::invalid_argument when its kind is empty
    /// or already listed, or when it does not name exactly one family: the
    /// kind is how reloads find a widget, so two alike would be ambiguous.
    void add(WidgetConfiguration widget);

    /// Every widget, in the order added.
    const std::vector<WidgetConfiguration>& widgets() const { return widgets_; }
    /// The widget of `kind`; nullptr when none.
    const WidgetConfiguration* find(const std::string& kind) const;

private:
    std::vector<WidgetConfiguration> widgets_;
};

} // namespace plyx::widgetkit
