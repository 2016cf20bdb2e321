#pragma once
// One round transport button: a thin ring around the command's symbol; a
// tap runs the music control intent with the command.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <string>

namespace plyx {

struct MediaButton {
    std::string command; ///< "previous", "playpause" or "next"
    bool isPlaying = false;
    double size = 26; ///< diameter in design units
    WCtx ctx;

    /// "backward.fill", "forward.fill", else pause or play by `isPlaying`.
    static const char* symbol(const std::string& command, bool isPlaying);

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
