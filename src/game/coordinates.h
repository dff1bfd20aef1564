#pragma once

// Mapping between table units (2400 x 1200, y up) and pixels of the 540 x 300
// table picture (y down), the clamps onto the ball-centre lines, and the placing
// of sprites and the aim marker around a pixel point. No Qt here.
//
// Values are stored as float; every conversion is evaluated in double precision
// and rounded once when stored, so the results match the game's reference numbers
// exactly (toTableY(260) is 50.000015, not 50: the float scale 0.2 is not exact).

namespace zandrel {

inline constexpr double kTablePixelsAcross = 480.0; ///< pixels spanned by the 2400-unit length
inline constexpr double kTablePixelsDown = 240.0;   ///< pixels spanned by the 1200-unit width
inline constexpr double kTableUnitsAcross = 2400.0;
inline constexpr double kTableUnitsDown = 1200.0;
inline constexpr double kTableMarginPixels = 30.0; ///< picture edge to table edge, left and top
inline constexpr float kBallSpritePixels = 20.0f;  ///< side of a ball sprite and of the markers

inline constexpr float kBallCentreMinPixelX = 40.0f;  ///< table x 50
inline constexpr float kBallCentreMaxPixelX = 500.0f; ///< table x 2350
inline constexpr float kBallCentreMinPixelY = 40.0f;  ///< table y 1150
inline constexpr float kBallCentreMaxPixelY = 260.0f; ///< table y 50

/// Half the side of the ball shadow sprite, pixels.
inline constexpr int kShadowHalfPixels = 10;

/// Top-left corner of a sprite in whole pixels.
struct SpriteCorner {
    int left = 0;
    int top = 0;
};

/// Top-left corner and side of the aim marker, in (fractional) pixels.
struct MarkerRect {
    float left = 0.0f;
    float top = 0.0f;
    float size = 0.0f;
};

/// The scale of the table picture, fixed once the window is set up.
struct TableScale {
    /// Pixels per table unit across (0.2, the quotient rounded to float).
    float scaleX = static_cast<float>(kTablePixelsAcross / kTableUnitsAcross);
    /// Pixels per table unit down (0.2, the quotient rounded to float).
    float scaleY = static_cast<float>(kTablePixelsDown / kTableUnitsDown);
    /// Side of a ball sprite and of the marker shapes, pixels.
    float ballSize = kBallSpritePixels;

    /// Pixel x of table x: scaleX * x + 30.
    float toPixelX(float x) const;
    /// Pixel y of table y: scaleY * (1200 - y) + 30.
    float toPixelY(float y) const;
    /// Table x of pixel x: (px - 30) / scaleX.
    float toTableX(float px) const;
    /// Table y of pixel y: 1200 - (py - 30) / scaleY.
    float toTableY(float py) const;

    /// Top-left corner of a ball sprite centred on (px, py): half the ball size
    /// (as a whole number, halved with the remainder dropped) off each side.
    SpriteCorner ballSpriteCorner(float px, float py) const;
    /// The aim marker, ballSize square, centred on (px, py); not rounded.
    MarkerRect aimMarker(float px, float py) const;
};

/// Pixel x kept on the ball-centre lines: 40 below 40, 500 above 500, else px.
float clampPixelX(float px);
/// Pixel y kept on the ball-centre lines: 40 below 40, 260 above 260, else py.
float clampPixelY(float py);

/// Top-left corner of a sprite centred on (px, py) with the given half side:
/// (px - half, py - half), each rounded to the nearest integer, halves to even.
SpriteCorner spriteCorner(float px, float py, int half);

} // namespace zandrel
