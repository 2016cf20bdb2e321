#pragma once
// The two resource faces, "Doto" (dot-matrix numerals) and "Fragment Mono"
// (captions, mono numerals), registered once per process from the resources
// folder, and the fonts the theme asks for.
#include "platform/ui/Font.h"
#include "shared/foundation/ThemeSettings.h"

#include <string>

namespace plyx::PlyxFonts {

/// Registers the resource fonts the first time it is called with a GUI
/// application running (the font database needs one); later calls do
/// nothing. A missing file is skipped silently. Returns whether registration
/// has run.
bool registered();

/// How many times registration has run in this process (0 or 1).
int registrationRuns();

/// The family names the views ask for. Qt may know a resource face under a
/// longer name than the one we call it by; these give the name to hand to a
/// font request once registration has run.
std::string dotoFamily();
std::string fragmentMonoFamily();

/// The numeral font for the theme: "Doto" for `dotMatrix` (bold is drawn as
/// black), "Fragment Mono" for `mono` (the weight is not applied), the system
/// face in the rounded design for `system`.
ui::Font numerals(double size, ThemeSettings::NumeralStyle style, ui::FontWeight weight);

/// The font of running text and chart labels: "Fragment Mono" for `monoCaps`
/// (the text is not upper-cased here), the medium system face for `systemSans`.
ui::Font label(double size, ThemeSettings::LabelStyle style);

} // namespace plyx::PlyxFonts
