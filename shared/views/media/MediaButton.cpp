#include "shared/views/media/MediaButton.h"

#include "shared/intents/MediaCommandIntent.h"

namespace plyx {

const char* MediaButton::symbol(const std::string& command, bool isPlaying) {
    if (command == MediaCommandIntent::previous) return "backward.fill";
    if (command == MediaCommandIntent::next) return "forward.fill";
    return isPlaying ? "pause.fill" : "play.fill";
}

ui::View MediaButton::body() const {
    const double u = ctx.u;
    ui::View label = ui::ZStack({ui::Circle().strokeBorder(ctx.pal.inkFaint, 1.5 * u),
                                 ui::Image(symbol(command, isPlaying))
                                     .font(ui::Font::system(size * 0.32 * u, ui::FontWeight::bold))
                                     .foregroundColor(ctx.pal.ink)})
                         .frame(size * u, size * u);
    return ui::Button(label, intents::serialise(MediaCommandIntent(command)));
}

} // namespace plyx
