#pragma once
// The two resource faces, "Doto" (dot-matrix numerals, one file per weight)
// and "Fragment Mono" (captions, mono numerals), and the fonts the theme asks
// for. A face is registered the first time a text asks for it, so a program
// pays only for the faces its first windows draw.
#include "platform/ui/Font.h"
#include "shared/foundation/ThemeSettings.h"

#include <string>

namespace plyx::PlyxFonts {

/// Registers every resource face not yet registered, with a GUI application
/// running (the font database needs one); a face is never registered twice.
/// Views need not call this: a text in one of these families registers its
/// face as it is laid out. Returns whether registration could run.
bool registered();

/// How many face registrations have run in this process: one per face asked
/// for, however many texts asked and from however many threads.
int registrationRuns();

/// The family names the views ask for (the names the files declare).
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
