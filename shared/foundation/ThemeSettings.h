#pragma once
// The user's theme: one accent colour (or the desktop's own), how numerals
// and labels are drawn, and the app-wide widget background. Stored under
// "plyx.theme.v1"; a missing or unreadable value means the default theme.
#include "platform/coding/Coding.h"
#include "platform/ui/Color.h"

#include <array>
#include <string>

namespace plyx {

struct ThemeSettings {
    /// The accent choice. Named cases carry nothing; `custom` carries the
    /// hexadecimal text exactly as the user gave it.
    struct Accent {
        enum class Kind { nothingRed, blue, orange, purple, green, custom };
        Kind kind = Kind::nothingRed;
        std::string hex; ///< only meaningful for `custom`

        static Accent named(Kind k) { return {k, {}}; }
        static Accent custom(std::string hexText) { return {Kind::custom, std::move(hexText)}; }

        /// The colour of this choice alone; a custom text that does not read
        /// as a colour falls back to the nothingRed token.
        ui::Color color() const;

        /// Same case, and for `custom` the same text byte for byte.
        bool operator==(const Accent& o) const {
            return kind == o.kind && (kind != Kind::custom || hex == o.hex);
        }
    };

    enum class NumeralStyle { dotMatrix, mono, system };
    enum class LabelStyle { monoCaps, systemSans };
    enum class SurfaceStyle { solid, glass, accent };

    static constexpr std::array<NumeralStyle, 3> allNumeralStyles{NumeralStyle::dotMatrix, NumeralStyle::mono,
                                                                   NumeralStyle::system};
    static constexpr std::array<LabelStyle, 2> allLabelStyles{LabelStyle::monoCaps, LabelStyle::systemSans};
    static constexpr std::array<SurfaceStyle, 3> allSurfaceStyles{SurfaceStyle::solid, SurfaceStyle::glass,
                                                                  SurfaceStyle::accent};

    Accent accent{};
    bool followSystemAccent = false;
    NumeralStyle numerals = NumeralStyle::dotMatrix;
    LabelStyle labels = LabelStyle::monoCaps;
    SurfaceStyle surface = SurfaceStyle::solid;

    /// The accent every widget uses: the desktop's accent colour when
    /// `followSystemAccent` is set, read at the moment of asking; otherwise
    /// `accent.color()`.
    ui::Color accentColor() const;

    bool operator==(const ThemeSettings&) const = default;
};

/// The raw texts of the string-valued cases ("dotMatrix", "monoCaps", "solid", ...).
std::string rawValue(ThemeSettings::NumeralStyle s);
std::string rawValue(ThemeSettings::LabelStyle s);
std::string rawValue(ThemeSettings::SurfaceStyle s);

void encodeJSON(coding::Json& j, const ThemeSettings::Accent& a);
void decodeJSON(const coding::Json& j, ThemeSettings::Accent& a);
void encodeJSON(coding::Json& j, const ThemeSettings::NumeralStyle& s);
void decodeJSON(const coding::Json& j, ThemeSettings::NumeralStyle& s);
void encodeJSON(coding::Json& j, const ThemeSettings::LabelStyle& s);
void decodeJSON(const coding::Json& j, ThemeSettings::LabelStyle& s);
void encodeJSON(coding::Json& j, const ThemeSettings::SurfaceStyle& s);
void decodeJSON(const coding::Json& j, ThemeSettings::SurfaceStyle& s);
void encodeJSON(coding::Json& j, const ThemeSettings& t);
void decodeJSON(const coding::Json& j, ThemeSettings& t);

} // namespace plyx
