#pragma once
// The focus timer: a ring that empties clockwise from the top as the session
// runs, with a live countdown in its middle that moves at every repaint. The
// whole widget is one button that starts or stops the session.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/FocusSession.h"

namespace plyx {

struct FocusView {
    FocusSession state;
    WCtx ctx;

    /// Whether the session runs at `now`: an end date later than `now`.
    bool isRunning(Date now) const;
    /// The share of the ring drawn at `now`: 1 when idle, else the time left
    /// over the session's length, held to 0...1 (a session of 0 minutes draws
    /// a full ring, a negative length an empty one).
    double progressFraction(Date now) const;
    /// The serialised intent the button runs.
    static std::string action();

    ui::View body() const;
};

} // namespace plyx
