#include "widgets/timelines/MediaWidgets.h"

#include "shared/views/media/NowPlayingView.h"
#include "shared/views/media/RemoteView.h"
#include "widgets/timelines/NowPlayingProvider.h"

namespace plyx {

std::vector<DeclaredWidget> mediaWidgets() {
    using Entry = NowPlayingProvider::Entry;
    return {
        declare(NowPlayingWidget, NowPlayingProvider{}, viewOf<NowPlayingView>),
        declare(RemoteWidget, NowPlayingProvider{},
                [](const Entry& e, const WCtx& ctx) { return RemoteView{e.data && e.data->isPlaying, ctx}.body(); }),
    };
}

} // namespace plyx
