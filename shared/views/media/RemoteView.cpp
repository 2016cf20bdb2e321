#include "shared/views/media/RemoteView.h"

#include "shared/intents/MediaCommandIntent.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/media/MediaButton.h"

namespace plyx {

ui::View RemoteView::body() const {
    const double u = ctx.u;
    ui::View buttons = ui::HStack({MediaButton{MediaCommandIntent::previous, false, 30, ctx},
                                   MediaButton{MediaCommandIntent::playPause, isPlaying, 38, ctx},
                                   MediaButton{MediaCommandIntent::next, false, 30, ctx}},
                                  ui::VerticalAlignment::center, 14 * u)
                           .frameFill(ui::Alignment::center);
    return ui::VStack({Caption{"Remote", 9, 0.16, ctx.pal.inkDim, ctx}, buttons}, ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
        .frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
