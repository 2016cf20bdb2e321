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

/// Makes a named face available before a text in it is measured or drawn:
/// called with the family and weight of every text that names a family, on
/// whatever thread lays the text out, so it must be cheap once the face is
/// there. A program registers its bundled faces here only when a text first
/// asks for one, instead of all of them before its first window.
using FaceLoader = void (*)(const std::string& family, FontWeight weight);

/// Installs the loader (one per process; a later call replaces it).
void setFaceLoader(FaceLoader loader);

} // namespace plyx::ui
