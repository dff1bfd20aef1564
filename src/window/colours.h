#pragma once

// Colours of the window's controls, and their conversion to Qt.

#include "platform/surface.h"

#include <QColor>

namespace zandrel {

/// The Qt colour of a pixel value.
inline QColor toQColor(Rgb value) {
    return QColor(int((value >> 16) & 0xff), int((value >> 8) & 0xff), int(value & 0xff));
}
/// The pixel value of a Qt colour.
inline Rgb fromQColor(const QColor& colour) {
    return rgb(colour.red(), colour.green(), colour.blue());
}

inline constexpr Rgb kBlack = rgb(0, 0, 0);
inline constexpr Rgb kWhite = rgb(255, 255, 255);
inline constexpr Rgb kGreen = rgb(0, 255, 0);              ///< texts of the strip, the combos, the power
inline constexpr Rgb kDarkGreen = rgb(0, 128, 0);          ///< "Let's Play!" at rest, the table background
inline constexpr Rgb kDarkGrey = rgb(0x40, 0x40, 0x40);    ///< power label and combo backgrounds
inline constexpr Rgb kGrey = rgb(0x80, 0x80, 0x80);        ///< the cue-ball face's background
inline constexpr Rgb kTableButtonRest = rgb(192, 0, 192);  ///< "Menu", "Start", "Back" at rest
inline constexpr Rgb kTableButtonHover = rgb(255, 0, 255); ///< the table-screen button under the pointer
inline constexpr Rgb kMenuLinkRest = rgb(128, 0, 128);     ///< "EXIT", e-mail, home page, demo at load
inline constexpr Rgb kMenuLinkHover = rgb(255, 128, 255);  ///< e-mail and home page under the pointer
inline constexpr Rgb kDemoLabelHover = rgb(255, 0, 255);   ///< the demo label under the pointer
inline constexpr Rgb kVersionText = rgb(128, 255, 128);    ///< version and release labels
inline constexpr Rgb kCopyrightText = rgb(0, 192, 192);    ///< the two credit lines
inline constexpr Rgb kAimMarker = rgb(0, 255, 255);        ///< the aim circle
inline constexpr Rgb kCueBallMarkerLine = rgb(255, 0, 0);  ///< the cue-ball oval's outline
inline constexpr Rgb kCueBallMarkerFill = rgb(255, 255, 255);
inline constexpr Rgb kTipMarker = rgb(255, 0, 0); ///< the cue-tip dot

} // namespace zandrel
