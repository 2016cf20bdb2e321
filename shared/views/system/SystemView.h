#pragma once
// The system monitor: processor, memory and (when known) graphics load, one
// row each, as a caption, a dot bar and the percentage. A row at 80 percent
// or more turns to the accent colour.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/SystemSnapshot.h"

#include <cstdint>
#include <string>

namespace plyx {

struct SystemView {
    SystemSnapshot data;
    WCtx ctx;

    ui::View body() const;

    /// The load from which a row is flagged.
    static constexpr int kFlagPercent = 80;

private:
    ui::View row(const std::string& label, std::int64_t percent) const;
};

} // namespace plyx
