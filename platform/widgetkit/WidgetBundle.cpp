#include "platform/widgetkit/WidgetBundle.h"

namespace plyx::widgetkit {

void WidgetBundle::add(WidgetConfiguration widget) {
    if (widget.kind().empty()) throw std::invalid_argument("widget kind is empty");
    if (find(widget.kind())) throw std::invalid_argument("widget kind listed twice: " + widget.kind());
    if (widget.supportedFamilies().size() != 1)
        throw std::invalid_argument("widget " + widget.kind() + " must support exactly one family");
    widgets_.push_back(std::move(widget));
}

const WidgetConfiguration* WidgetBundle::find(const std::string& kind) const {
    for (const auto& w : widgets_)
        if (w.kind() == kind) return &w;
    return nullptr;
}

} // namespace plyx::widgetkit
