#pragma once
// Fonts for the editor's Qt controls, sized in points of the design (one
// point = one device-independent pixel), like the widget views they sit beside.
#include "platform/ui/Font.h"

#include <QFont>

namespace plyx::ThemeFonts {

/// `font` as a Qt font, with `tracking` points of extra space after every character.
QFont qtFont(const ui::Font& font, double tracking = 0);
/// The system face.
QFont system(double size, ui::FontWeight weight = ui::FontWeight::regular);
/// The family the widget views draw the system face in (the desktop's
/// default sans-serif, as the font configuration resolves it).
QString systemFaceFamily();
/// "Fragment Mono".
QFont fragmentMono(double size, double tracking = 0);

} // namespace plyx::ThemeFonts
