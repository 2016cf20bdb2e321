#include "shared/views/notes/NotesKit.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"

namespace plyx::notes {

namespace {
constexpr double kCardRadius = 14;
} // namespace

ui::View noteText(const std::string& text, double size, const WCtx& ctx) {
    return ui::Text(text).font(PlyxFonts::label(size * ctx.u, ctx.theme.labels));
}

ui::View numeral(const std::string& text, double size, const WCtx& ctx) {
    return numeralFit(ui::Text(text).font(PlyxFonts::numerals(size * ctx.u, ctx.theme.numerals, ui::FontWeight::heavy)));
}

ui::View card(const ui::Color& fill, const WCtx& ctx) {
    return ui::RoundedRectangle(kCardRadius * ctx.u).fill(fill);
}

} // namespace plyx::notes
