#include "window/table_drawing.h"

#include "game/coordinates.h"

namespace zandrel {

namespace {

constexpr int kRestRowY = 0;
constexpr int kMotionRowY = kSpriteSize; ///< the in-motion sprites, one row below
constexpr int kShadowCellY = kSpriteSize;
constexpr float kShadowOffset = 2.0f; ///< the shadow falls 2 pixels right and down

// The shadow keeps its offset unless the ball centre is in a rail zone: a
// corner of the table or the middle of a long rail.
constexpr float kShadowZoneMinX = 50.0f;
constexpr float kShadowZoneMaxX = 490.0f;
constexpr float kMiddleRailMinX = 250.0f; ///< exclusive
constexpr float kMiddleRailMaxX = 290.0f; ///< exclusive
constexpr float kShadowZoneMinY = 50.0f;
constexpr float kShadowZoneMaxY = 250.0f;

constexpr int kPointMarkStep = kSpriteSize;
constexpr int kPointMarkMargin = 1;

bool shadowIsOffset(float px, float py) {
    const bool acrossInZone =
        px >= kShadowZoneMinX && px <= kShadowZoneMaxX && (px <= kMiddleRailMinX || px >= kMiddleRailMaxX);
    const bool downInZone = py >= kShadowZoneMinY && py <= kShadowZoneMaxY;
    return acrossInZone || downInZone;
}

/// A ball's sprite in the given row, centred on the ball.
void drawBall(Surface& dst, const Surface& picBalls, const Ball& ball, int i, float ballSize, int rowY) {
    if (!ball.onTable)
        return;
    TableScale scale;
    scale.ballSize = ballSize;
    const SpriteCorner corner = scale.ballSpriteCorner(scale.toPixelX(ball.x), scale.toPixelY(ball.y));
    drawSprite(dst, corner.left, corner.top, picBalls, kSpriteSize * i, rowY);
}

} // namespace

void iniPictures(Surface& picBalls, const Surface& picTable) {
    if (picBalls.width() != kSpriteStripWidth || picBalls.height() != kSpriteStripHeight)
        picBalls = Surface(kSpriteStripWidth, kSpriteStripHeight);
    bitBlt(picBalls, 0, 0, kSpriteStripWidth, kSpriteStripHeight, picTable, 0, kSpriteStripY,
           RasterOp::srcCopy);
}

void drawSprite(Surface& dst, int x, int y, const Surface& picBalls, int cellX, int cellY) {
    bitBlt(dst, x, y, kSpriteSize, kSpriteSize, picBalls, kMaskCellX, 0, RasterOp::srcAnd);
    bitBlt(dst, x, y, kSpriteSize, kSpriteSize, picBalls, cellX, cellY, RasterOp::srcInvert);
}

void drawBallMark(Surface& buffer, const Surface& picBalls, const Ball& ball) {
    if (!ball.onTable)
        return;
    const TableScale scale;
    const float px = scale.toPixelX(ball.x);
    const float py = scale.toPixelY(ball.y);
    const float offset = shadowIsOffset(px, py) ? kShadowOffset : 0.0f;
    const float sx = clampPixelX(px + offset);
    const float sy = clampPixelY(py + offset);
    const SpriteCorner corner = spriteCorner(sx, sy, kShadowHalfPixels);
    drawSprite(buffer, corner.left, corner.top, picBalls, kMaskCellX, kShadowCellY);
}

void drawBallInBuffer(Surface& buffer, const Surface& picBalls, const Ball& ball, int i, float ballSize) {
    drawBall(buffer, picBalls, ball, i, ballSize, ball.speed != 0.0f ? kMotionRowY : kRestRowY);
}

void drawBallOnScreen(Surface& screen, const Surface& picBalls, const Ball& ball, int i, float ballSize) {
    drawBall(screen, picBalls, ball, i, ballSize, kRestRowY);
}

void drawEmptyTable(Surface& buffer, const Surface& picTable) {
    bitBlt(buffer, 0, 0, kTablePictureWidth, kTablePictureHeight, picTable, 0, 0, RasterOp::srcCopy);
}

void drawBallsWithShadows(Surface& buffer, const Surface& picBalls, const Balls& balls, float ballSize) {
    for (const Ball& ball : balls)
        drawBallMark(buffer, picBalls, ball);
    for (int i = 0; i < kBallCount; ++i)
        drawBallInBuffer(buffer, picBalls, balls[i], i, ballSize);
}

void drawPointMarks(Surface& strip, const Surface& picBalls, int points) {
    strip.fill(kPointStripColour);
    for (int k = 1; k <= points; ++k) {
        const int x = kPointMarkStep * (k - 1) + kPointMarkMargin;
        if (x >= strip.width())
            break; // this mark and every later one lie past the right edge
        drawSprite(strip, x, kPointMarkMargin, picBalls, kPointMarkCellX, 0);
    }
}

} // namespace zandrel
