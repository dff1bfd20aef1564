#pragma once

// Drawing the table, the balls, their shadows and the point marks with masked
// block transfers from the sprite sheet.

#include "platform/surface.h"
#include "simulation/table.h"

#include <string>

namespace zandrel {

inline constexpr int kTablePictureWidth = 540;
inline constexpr int kTablePictureHeight = 300; ///< the table surface rows of the table picture
inline constexpr int kSpriteSize = 20;
inline constexpr int kSpriteStripY = 300; ///< where the sprite strip starts in the table picture
inline constexpr int kSpriteStripWidth = 220;
inline constexpr int kSpriteStripHeight = 40;
inline constexpr int kMaskCellX = 200;     ///< mask at (200, 0), shadow at (200, 20)
inline constexpr int kPointMarkCellX = 40; ///< the red ball at rest
inline constexpr Rgb kPointStripColour = rgb(0x40, 0x40, 0x40);

/// Fills the sprite sheet (220 x 40) from the strip of the table picture.
void iniPictures(Surface& picBalls, const Surface& picTable);

/// Masked draw of the 20 x 20 cell at (cellX, cellY) of the sprite sheet with
/// its top-left corner at (x, y) of dst: the mask first (AND), then the cell (XOR).
void drawSprite(Surface& dst, int x, int y, const Surface& picBalls, int cellX, int cellY);

/// The shadow of ball i into the back buffer (nothing for a ball off the table).
void drawBallMark(Surface& buffer, const Surface& picBalls, const Ball& ball);
/// Ball i into the back buffer: the in-motion sprite while it moves.
void drawBallInBuffer(Surface& buffer, const Surface& picBalls, const Ball& ball, int i, float ballSize);
/// Ball i straight onto the visible table, always the at-rest sprite.
void drawBallOnScreen(Surface& screen, const Surface& picBalls, const Ball& ball, int i, float ballSize);
/// Starts a frame: the bare table surface (540 x 300 from the table picture).
void drawEmptyTable(Surface& buffer, const Surface& picTable);
/// Ends a frame: all four shadows first, then all four balls over them.
void drawBallsWithShadows(Surface& buffer, const Surface& picBalls, const Balls& balls, float ballSize);
/// The point-mark strip: cleared, then one red ball per point, 20 pixels apart.
void drawPointMarks(Surface& strip, const Surface& picBalls, int points);

} // namespace zandrel
