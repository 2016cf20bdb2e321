#include "shared/foundation/SurfaceOption.h"

namespace plyx {
namespace {
constexpr auto kRaw = coding::makeStringEnum<SurfaceOption>({
    {SurfaceOption::followApp, "followApp"},
    {SurfaceOption::solid, "solid"},
    {SurfaceOption::glass, "glass"},
    {SurfaceOption::accent, "accent"},
});
constexpr const char* kFollowAppText = "Follow app setting";
constexpr const char* kSolidText = "Solid";
constexpr const char* kGlassText = "Glass";
constexpr const char* kAccentText = "Accent color";
} // namespace

namespace SurfaceOptionInfo {
std::string_view rawValue(SurfaceOption s) { return kRaw.name(s); }

std::optional<SurfaceOption> fromRawValue(std::string_view raw) { return kRaw.from(raw); }

std::string_view displayText(SurfaceOption s) {
    switch (s) {
    case SurfaceOption::followApp: return kFollowAppText;
    case SurfaceOption::solid: return kSolidText;
    case SurfaceOption::glass: return kGlassText;
    case SurfaceOption::accent: return kAccentText;
    }
    return kFollowAppText;
}
} // namespace SurfaceOptionInfo

void encodeJSON(coding::Json& j, const SurfaceOption& s) { kRaw.encode(j, s); }
void decodeJSON(const coding::Json& j, SurfaceOption& s) { kRaw.decode(j, s); }

} // namespace plyx
