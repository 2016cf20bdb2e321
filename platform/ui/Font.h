#pragma once
// A font request: family, size, weight and design. An empty family means the
// desktop's system sans-serif face.
#include <string>

namespace plyx::ui {

enum class FontWeight { ultraLight, thin, light, regular, medium, semibold, bold, heavy, black };

/// The system font's designs. There is no rounded face here: `rounded` draws the standard face.
enum class FontDesign { standard, rounded, monospaced };

struct Font {
    /// Font family; empty for the system face.
    std::string family;
    /// Point size.
    double size = 13;
    FontWeight weight = FontWeight::regular;
    FontDesign design = FontDesign::standard;

    /// The system face at `size`.
    static Font system(double size, FontWeight weight = FontWeight::regular,
                       FontDesign design = FontDesign::standard);
    /// A named family (a registered resource font or an installed one) at `size`.
    static Font custom(std::string family, double size, FontWeight weight = FontWeight::regular);
    /// The same font with another weight.
    Font withWeight(FontWeight w) const;

    bool operator==(const Font&) const = default;
};

} // namespace plyx::ui
