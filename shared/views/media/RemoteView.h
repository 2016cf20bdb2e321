#pragma once
// The remote: previous, play/pause and next, large, under a caption.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

namespace plyx {

struct RemoteView {
    bool isPlaying = false;
    WCtx ctx;

    ui::View body() const;
};

} // namespace plyx
