#pragma once
// The network widget's view: download and upload throughput as two large
// numbers in megabytes per second, or dashes when nothing was measured.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/NetworkSnapshot.h"

#include <optional>
#include <string>

namespace plyx {

struct NetworkView {
    std::optional<NetworkSnapshot> data;
    WCtx ctx;

    ui::View body() const;

    /// How one value reads: the dash when absent; from 10 up the nearest
    /// whole number (halves away from zero); below that one decimal. A value
    /// that cannot be written as a number (not finite, or too large for a
    /// whole number) reads as the dash too.
    static std::string valueText(std::optional<double> value);
    /// The unit after each value, upper-cased under mono-caps labels.
    static std::string unitText(ThemeSettings::LabelStyle labels);

private:
    ui::View block(const std::string& label, std::optional<double> value) const;
};

} // namespace plyx
