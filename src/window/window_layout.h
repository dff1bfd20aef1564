#pragma once

// Places, sizes and font sizes of the main window's controls, in pixels of the
// window's client area (or of the panel named in the comment).

#include <QRect>

namespace zandrel::layout {

// The window.
inline constexpr int kClientWidth = 540;
inline constexpr int kClientHeight = 372;
/// The fixed "system metrics" the outer window size is computed from: a title
/// bar of 18 pixels and borders of 1. The window manager draws the real frame;
/// the client area comes out at exactly 540 x 372.
inline constexpr int kCaptionHeight = 18;
inline constexpr int kBorderWidth = 1;
inline constexpr int kBorderHeight = 1;
/// The extra height below the caption the outer size allows for the frame.
inline constexpr int kFrameExtraHeight = 6;

// The table.
inline constexpr QRect kPicPool{0, 25, 540, 299};
inline constexpr QRect kLblTovisMessage{48, 32, 429, 25}; ///< inside picPool(0)

// The information band.
inline constexpr QRect kPicInfomation{0, 0, 321, 25};
inline constexpr QRect kLblMenuBack{360, 0, 57, 25};  ///< lblMenu(2)
inline constexpr QRect kLblMenuStart{416, 0, 49, 25}; ///< lblMenu(1)
inline constexpr QRect kLblMenuMenu{472, 0, 57, 25};  ///< lblMenu(0)

// The control strip.
inline constexpr int kStripTop = 327;
inline constexpr int kStripHeight = 45;
inline constexpr QRect kPicSetPoint{2, 327, 45, 45};
inline constexpr int kTipMarkerSize = 5;
inline constexpr int kPowerLeft = 49;
inline constexpr int kPowerWidth = 149;
inline constexpr QRect kCmdShot{200, 327, 145, 45};
inline constexpr int kPocketedBallsWidth = 183;
inline constexpr int kPocketedBallsHeight = 25;
inline constexpr int kStripLabelFontPixels = 19; ///< power and point labels
inline constexpr int kShotButtonFontPixels = 25; ///< the shot button while playing

// The menu screen (picMenu and, below it, places inside picMenu).
inline constexpr QRect kPicMenu{0, 0, 540, 400};
inline constexpr QRect kCmbPoints{8, 264, 41, 24};
inline constexpr QRect kCmbVsMode{8, 296, 105, 24};
inline constexpr QRect kCmbGameName{8, 232, 105, 24};
inline constexpr QRect kPicSound{32, 184, 40, 40};
inline constexpr QRect kPicBgm{40, 136, 40, 40};
inline constexpr QPoint kLabel2{56, 268};
inline constexpr QPoint kLblRelease{376, 8};
inline constexpr QPoint kLblVersion{376, 24};
inline constexpr QPoint kLblExit{440, 328};
inline constexpr QPoint kLblLetsPlay{160, 280};
inline constexpr QPoint kLblMail{40, 104};
inline constexpr QPoint kLblToHp{48, 80};
inline constexpr QPoint kLblHelp{400, 304};
inline constexpr QRect kLblCopyright0{0, 336, 537, 17};
inline constexpr QRect kLblCopyright1{0, 352, 537, 17};

} // namespace zandrel::layout
