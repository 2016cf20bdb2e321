#pragma once
// The look the wallpapers pane and sheet share: the desktop palette's text
// colour at the hierarchy's opacities, the card fill, the fonts, and a
// symbol drawn in one colour.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QSizeF>

#include <string>

namespace plyx::WallpaperStyle {

// Opacities of the text colour for the lower levels of the hierarchy.
inline constexpr double kSecondary = 0.55;
inline constexpr double kTertiary = 0.35;
inline constexpr double kQuinary = 0.07;

/// The palette's text colour at `opacity`.
QColor hierarchical(const QPalette& palette, double opacity);
/// The window background one level up: a card on the window.
QColor secondaryBackground(const QPalette& palette);
/// The design's red.
QColor accentRed();

/// A card's title: the system face, 12 points, semibold.
QFont cardTitleFont();
/// A card's tone: "Fragment Mono" at 9 points, 1 point apart.
QFont cardToneFont();
/// The sheet's title and its caption.
QFont headlineFont();
QFont captionFont();

/// The symbol's icon in `color`, `size` points at `dpr`; transparent where
/// the symbol is.
QImage tintedSymbol(const std::string& symbol, QSizeF size, double dpr, const QColor& color);

} // namespace plyx::WallpaperStyle
