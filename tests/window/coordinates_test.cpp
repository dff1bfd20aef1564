#include "window/coordinates.h"

#include <climits>
#include <gtest/gtest.h>

namespace zandrel {
namespace {

const TableScale kScale;

TEST(TableScale, FieldsAreTheFloatQuotients) {
    EXPECT_EQ(kScale.scaleX, 0.2f);
    EXPECT_EQ(kScale.scaleY, 0.2f);
    EXPECT_NE(static_cast<double>(kScale.scaleX), 0.2) << "0.2 is not exact in float";
    EXPECT_EQ(kScale.ballSize, 20.0f);
}

struct Conversion {
    float input;
    float expected;
};

TEST(ToPixel, TableEdgesAndBallCentreLines) {
    const Conversion xs[] = {{0, 30}, {2400, 510}, {50, 40}, {2350, 500}, {1200, 270}, {300, 90}, {-100, 10}};
    for (const auto& c : xs)
        EXPECT_EQ(kScale.toPixelX(c.input), c.expected) << c.input;
    const Conversion ys[] = {{1200, 30}, {0, 270}, {600, 150}, {1150, 40}, {50, 260}, {1300, 10}};
    for (const auto& c : ys)
        EXPECT_EQ(kScale.toPixelY(c.input), c.expected) << c.input;
}

TEST(ToTable, InverseUpToFloatRounding) {
    const Conversion xs[] = {{40, 50}, {500, 2350}, {30, 0}, {270, 1200}, {90, 300}};
    for (const auto& c : xs)
        EXPECT_EQ(kScale.toTableX(c.input), c.expected) << c.input;
    const Conversion ys[] = {{40, 1150}, {30, 1200}, {150, 600}};
    for (const auto& c : ys)
        EXPECT_EQ(kScale.toTableY(c.input), c.expected) << c.input;
}

TEST(ToTable, FloatScaleLeavesItsTraceAtTheBottom) {
    // The float scale is slightly above 0.2, so these are not 50 and 0.
    EXPECT_EQ(kScale.toTableY(260), 50.0000152587890625f);
    EXPECT_NE(kScale.toTableY(260), 50.0f);
    EXPECT_EQ(kScale.toTableY(270), 1.78813934326171875e-05f);
    EXPECT_NE(kScale.toTableY(270), 0.0f);
}

TEST(ToTable, PointsOffThePictureConvertWithoutBounds) {
    EXPECT_FLOAT_EQ(kScale.toTableX(-10), -200.0f);
    EXPECT_FLOAT_EQ(kScale.toTableX(600), 2850.0f);
    EXPECT_FLOAT_EQ(kScale.toTableY(-30), 1500.0f);
    EXPECT_FLOAT_EQ(kScale.toTableY(330), -300.0f);
}

TEST(ToTable, RoundTripOverTheTable) {
    for (int x = 0; x <= 2400; x += 25)
        EXPECT_NEAR(kScale.toTableX(kScale.toPixelX(static_cast<float>(x))), x, 1e-3) << x;
    for (int y = 0; y <= 1200; y += 25)
        EXPECT_NEAR(kScale.toTableY(kScale.toPixelY(static_cast<float>(y))), y, 1e-3) << y;
}

TEST(Clamp, KeepsPixelPointsOnTheBallCentreLines) {
    const Conversion xs[] = {{39.9f, 40},        {40, 40},   {-5, 40},      {270, 270},
                             {499.99f, 499.99f}, {500, 500}, {500.1f, 500}, {1e9f, 500}};
    for (const auto& c : xs)
        EXPECT_EQ(clampPixelX(c.input), c.expected) << c.input;
    const Conversion ys[] = {{-7, 40},           {40, 40},   {39.99f, 40}, {150.5f, 150.5f},
                             {259.99f, 259.99f}, {260, 260}, {261, 260},   {300, 260}};
    for (const auto& c : ys)
        EXPECT_EQ(clampPixelY(c.input), c.expected) << c.input;
}

struct CornerCase {
    float px;
    float py;
    int left;
    int top;
};

TEST(SpriteCorner, RoundsHalvesToEven) {
    const CornerCase cases[] = {
        {270, 150, 260, 140},   {90, 150, 80, 140},  {10.5f, 11.5f, 0, 2}, {12.5f, 13.5f, 2, 4},
        {40.4f, 40.6f, 30, 31}, {9.5f, 8.5f, 0, -2}, {0, 0, -10, -10},     {260.5f, 259.5f, 250, 250},
    };
    for (const auto& c : cases) {
        const auto corner = kScale.ballSpriteCorner(c.px, c.py);
        EXPECT_EQ(corner.left, c.left) << c.px;
        EXPECT_EQ(corner.top, c.top) << c.py;
        const auto shadow = spriteCorner(c.px, c.py, kShadowHalfPixels);
        EXPECT_EQ(shadow.left, c.left);
        EXPECT_EQ(shadow.top, c.top);
    }
}

TEST(SpriteCorner, HalfSideComesFromTheRoundedBallSize) {
    const std::pair<float, int> cases[] = {{20.0f, 10}, {21.0f, 10}, {20.5f, 10}, {21.5f, 11}, {22.0f, 11}};
    for (const auto& [ballSize, half] : cases) {
        TableScale scale;
        scale.ballSize = ballSize;
        EXPECT_EQ(scale.ballSpriteCorner(100, 100).left, 100 - half) << ballSize;
    }
}

TEST(SpriteCorner, HugeValuesSaturateInsteadOfOverflowing) {
    const auto corner = spriteCorner(1e30f, -1e30f, 10);
    EXPECT_EQ(corner.left, INT_MAX);
    EXPECT_EQ(corner.top, INT_MIN);
}

TEST(AimMarker, CentredAndNotRounded) {
    const auto marker = kScale.aimMarker(270, 150);
    EXPECT_EQ(marker.left, 260.0f);
    EXPECT_EQ(marker.top, 140.0f);
    EXPECT_EQ(marker.size, 20.0f);
    const auto fractional = kScale.aimMarker(270.3f, 150.5f);
    EXPECT_EQ(fractional.left, static_cast<float>(static_cast<double>(270.3f) - 10.0));
    EXPECT_EQ(fractional.top, 140.5f);
}

} // namespace
} // namespace zandrel
