#pragma once

// The game's fonts. Texts are laid out in pixels, so fonts are sized in pixels
// from the point sizes the game was designed with, at a fixed 15 twips per
// pixel: the layout is the same on every screen, whatever its dots per inch.

#include <QFont>
#include <QString>

namespace zandrel {

/// The Windows faces the game names; Linux fonts stand in for them.
inline const QString kFontArial = QStringLiteral("Arial");
inline const QString kFontMsGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kFontMsPGothic = QStringLiteral("ＭＳ Ｐゴシック");
/// The Linux faces that replace them (Debian fonts-liberation2, fonts-ipafont-gothic):
/// the proportional "P" face stands in for the proportional one.
inline const QString kFontLiberationSans = QStringLiteral("Liberation Sans");
inline const QString kFontIpaGothic = QStringLiteral("IPAGothic");
inline const QString kFontIpaPGothic = QStringLiteral("IPAPGothic");

/// Registers the stand-in faces with Qt's font substitution. Call once, after
/// the application object exists and before the first font is used.
void installFontSubstitutions();

/// The pixel height of a font of `points` points at 15 twips per pixel
/// (points x 20 / 15), rounded to the nearest pixel.
int pointsToPixels(double points);

/// A font of `family` whose size is `points` points turned into pixels.
QFont gameFont(const QString& family, double points, bool bold);

} // namespace zandrel
