// Font requests.
#include "platform/ui/Font.h"

#include <atomic>
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

namespace {
std::atomic<FaceLoader> gFaceLoader{nullptr};
} // namespace

void setFaceLoader(FaceLoader loader) { gFaceLoader.store(loader, std::memory_order_release); }

namespace detail {
void loadFace(const Font& font) {
    if (font.family.empty()) return;
    if (const FaceLoader loader = gFaceLoader.load(std::memory_order_acquire)) loader(font.family, font.weight);
}
} // namespace detail

} // namespace plyx::ui
