// Font requests.
#include "platform/ui/Font.h"

#include <utility>

namespace plyx::ui {

Font Font::system(double size, FontWeight weight, FontDesign design) { return Font{"", size, weight, design}; }
Font Font::custom(std::string family, double size, FontWeight weight) {
    return Font{std::move(family), size, weight, FontDesign::standard};
}
Font Font::withWeight(FontWeight w) const {
    Font f = *this;
    f.weight = w;
    return f;
}

} // namespace plyx::ui
