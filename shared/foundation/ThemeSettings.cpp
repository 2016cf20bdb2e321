#include "shared/foundation/ThemeSettings.h"

#include "shared/foundation/PlyxTokens.h"
#include "shared/foundation/SystemAccent.h"

namespace plyx {
namespace {

using Kind = ThemeSettings::Accent::Kind;

constexpr std::array<std::pair<Kind, const char*>, 6> kAccentKeys{{
    {Kind::nothingRed, "nothingRed"},
    {Kind::blue, "blue"},
    {Kind::orange, "orange"},
    {Kind::purple, "purple"},
    {Kind::green, "green"},
    {Kind::custom, "custom"},
}};
constexpr const char* kCustomPayloadKey = "_0";

constexpr auto kNumerals = coding::makeStringEnum<ThemeSettings::NumeralStyle>({
    {ThemeSettings::NumeralStyle::dotMatrix, "dotMatrix"},
    {ThemeSettings::NumeralStyle::mono, "mono"},
    {ThemeSettings::NumeralStyle::system, "system"},
});
constexpr auto kLabels = coding::makeStringEnum<ThemeSettings::LabelStyle>({
    {ThemeSettings::LabelStyle::monoCaps, "monoCaps"},
    {ThemeSettings::LabelStyle::systemSans, "systemSans"},
});
constexpr auto kSurfaces = coding::makeStringEnum<ThemeSettings::SurfaceStyle>({
    {ThemeSettings::SurfaceStyle::solid, "solid"},
    {ThemeSettings::SurfaceStyle::glass, "glass"},
    {ThemeSettings::SurfaceStyle::accent, "accent"},
});

} // namespace

ui::Color ThemeSettings::Accent::color() const {
    switch (kind) {
    case Kind::nothingRed: return PlyxTokens::nothingRed;
    case Kind::blue: return PlyxTokens::blue;
    case Kind::orange: return PlyxTokens::orange;
    case Kind::purple: return PlyxTokens::purple;
    case Kind::green: return PlyxTokens::green;
    case Kind::custom: return colorFromHexString(hex).value_or(PlyxTokens::nothingRed);
    }
    return PlyxTokens::nothingRed;
}

ui::Color ThemeSettings::accentColor() const { return followSystemAccent ? systemAccentColor() : accent.color(); }

std::string rawValue(ThemeSettings::NumeralStyle s) { return std::string(kNumerals.name(s)); }
std::string rawValue(ThemeSettings::LabelStyle s) { return std::string(kLabels.name(s)); }
std::string rawValue(ThemeSettings::SurfaceStyle s) { return std::string(kSurfaces.name(s)); }

void encodeJSON(coding::Json& j, const ThemeSettings::Accent& a) {
    for (const auto& [k, name] : kAccentKeys) {
        if (k != a.kind) continue;
        if (k == Kind::custom) {
            coding::Json payload = coding::Json::object();
            payload[kCustomPayloadKey] = a.hex;
            j = coding::keyedCase(name, payload);
        } else {
            j = coding::keyedCase(name);
        }
        return;
    }
}

// The accent object must hold exactly one of the six case keys; other keys
// are not case names and are ignored. The case's value must be an object,
// and a custom case must carry its text as a string under "_0".
void decodeJSON(const coding::Json& j, ThemeSettings::Accent& a) {
    if (!j.is_object()) throw coding::DecodeError("accent: expected an object");
    const coding::Json* payload = nullptr;
    Kind found = Kind::nothingRed;
    int count = 0;
    for (const auto& [k, name] : kAccentKeys) {
        auto it = j.find(name);
        if (it == j.end()) continue;
        ++count;
        found = k;
        payload = &*it;
    }
    if (count != 1) throw coding::DecodeError("accent: expected exactly one case");
    if (!payload->is_object()) throw coding::DecodeError("accent: case payload is not an object");
    ThemeSettings::Accent out = ThemeSettings::Accent::named(found);
    if (found == Kind::custom) {
        auto it = payload->find(kCustomPayloadKey);
        if (it == payload->end() || !it->is_string()) throw coding::DecodeError("accent: custom needs a text");
        out.hex = it->get<std::string>();
    }
    a = std::move(out);
}

void encodeJSON(coding::Json& j, const ThemeSettings::NumeralStyle& s) { kNumerals.encode(j, s); }
void decodeJSON(const coding::Json& j, ThemeSettings::NumeralStyle& s) { kNumerals.decode(j, s); }
void encodeJSON(coding::Json& j, const ThemeSettings::LabelStyle& s) { kLabels.encode(j, s); }
void decodeJSON(const coding::Json& j, ThemeSettings::LabelStyle& s) { kLabels.decode(j, s); }
void encodeJSON(coding::Json& j, const ThemeSettings::SurfaceStyle& s) { kSurfaces.encode(j, s); }
void decodeJSON(const coding::Json& j, ThemeSettings::SurfaceStyle& s) { kSurfaces.decode(j, s); }

void encodeJSON(coding::Json& j, const ThemeSettings& t) {
    coding::ObjectWriter w(j);
    w("accent", t.accent)("followSystemAccent", t.followSystemAccent)("numerals", t.numerals)("labels", t.labels)(
        "surface", t.surface);
}

void decodeJSON(const coding::Json& j, ThemeSettings& t) {
    const coding::ObjectReader r(j);
    ThemeSettings out;
    r("accent", out.accent)("followSystemAccent", out.followSystemAccent)("numerals", out.numerals)(
        "labels", out.labels)("surface", out.surface);
    t = std::move(out);
}

} // namespace plyx
