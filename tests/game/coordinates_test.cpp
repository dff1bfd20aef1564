#include "game/coordinates.h"

#include <climits>
#include <gtest/gtest.h>

namespace zandrel {
namespace {

const TableScale kScale;

TEST(Coordinates, TableToPixelAndBack) {
    const std::pair<float, float> xs[] = {{0, 30},     {2400, 510}, {50, 40},
                                          {2350, 500}, {1200, 270}, {300, 90}};
    for (const auto& [table, pixel] : xs) {
        EXPECT_EQ(kScale.toPixelX(table), pixel) << table;
        EXPECT_EQ(kScale.toTableX(pixel), table) << pixel;
    }
    // y up: the float scale is slightly above 0.2, so pixels 260 and 270 are not quite 50 and 0.
    const float ys[][3] = {{1200, 30, 1200},
                           {1150, 40, 1150},
                           {600, 150, 600},
                           {50, 260, 50.0000152587890625f},
                           {0, 270, 1.78813934326171875e-05f}};
    for (const auto& [table, pixel, back] : ys) {
        EXPECT_EQ(kScale.toPixelY(table), pixel) << table;
        EXPECT_EQ(kScale.toTableY(pixel), back) << pixel;
    }
    // Off the picture: converted without bounds.
    EXPECT_NEAR(kScale.toTableX(-10), -200, 1e-3f);
    EXPECT_NEAR(kScale.toTableY(330), -300, 1e-3f);
}

TEST(Coordinates, ClampsKeepPointsOnTheBallCentreLines) {
    const std::pair<float, float> xs[] = {{39.9f, 40}, {40, 40},      {-5, 40},   {499.99f, 499.99f},
                                          {500, 500},  {500.1f, 500}, {1e9f, 500}};
    for (const auto& [in, out] : xs)
        EXPECT_EQ(clampPixelX(in), out) << in;
    const std::pair<float, float> ys[] = {{-7, 40}, {40, 40}, {259.99f, 259.99f}, {260, 260}, {261, 260}};
    for (const auto& [in, out] : ys)
        EXPECT_EQ(clampPixelY(in), out) << in;
}

TEST(Coordinates, SpriteCornersRoundHalvesToEven) {
    const float cases[][4] = {{270, 150, 260, 140},   {10.5f, 11.5f, 0, 2}, {12.5f, 13.5f, 2, 4},
                              {40.4f, 40.6f, 30, 31}, {9.5f, 8.5f, 0, -2},  {260.5f, 259.5f, 250, 250}};
    for (const auto& [px, py, left, top] : cases) {
        const auto corner = kScale.ballSpriteCorner(px, py);
        EXPECT_EQ(std::pair(corner.left, corner.top), std::pair(int(left), int(top))) << px << "," << py;
        EXPECT_EQ(spriteCorner(px, py, kShadowHalfPixels).left, left);
    }
    // Half side: the ball size rounded half to even, then halved with the remainder dropped.
    for (const auto& [ballSize, half] : {std::pair{21.0f, 10}, {20.5f, 10}, {21.5f, 11}}) {
        TableScale scale;
        scale.ballSize = ballSize;
        EXPECT_EQ(scale.ballSpriteCorner(100, 100).left, 100 - half) << ballSize;
    }
    const auto far = spriteCorner(1e30f, -1e30f, 10);
    EXPECT_EQ(std::pair(far.left, far.top), std::pair(INT_MAX, INT_MIN));
}

TEST(Coordinates, AimMarkerIsCentredAndNotRounded) {
    const auto marker = kScale.aimMarker(270.3f, 150.5f);
    EXPECT_EQ(std::tuple(marker.left, marker.top, marker.size),
              std::tuple(static_cast<float>(static_cast<double>(270.3f) - 10.0), 140.5f, 20.0f));
}

} // namespace
} // namespace zandrel
