#include "game/coordinates.h"

#include "platform/platform_helpers.h"

#include <algorithm>
#include <climits>

namespace zandrel {

namespace {

constexpr double kHalf = 0.5;
constexpr int kHalvingDivisor = 2;

int toPixelInt(double value) {
    return static_cast<int>(std::clamp<long long>(roundHalfToEven(value), INT_MIN, INT_MAX));
}

} // namespace

float TableScale::toPixelX(float x) const {
    return static_cast<float>(static_cast<double>(scaleX) * x + kTableMarginPixels);
}

float TableScale::toPixelY(float y) const {
    return static_cast<float>(static_cast<double>(scaleY) * (kTableUnitsDown - y) + kTableMarginPixels);
}

float TableScale::toTableX(float px) const {
    return static_cast<float>((static_cast<double>(px) - kTableMarginPixels) / scaleX);
}

float TableScale::toTableY(float py) const {
    return static_cast<float>(kTableUnitsDown - (static_cast<double>(py) - kTableMarginPixels) / scaleY);
}

SpriteCorner TableScale::ballSpriteCorner(float px, float py) const {
    const int half = toPixelInt(ballSize) / kHalvingDivisor;
    return spriteCorner(px, py, half);
}

MarkerRect TableScale::aimMarker(float px, float py) const {
    const double offset = static_cast<double>(ballSize) * kHalf;
    return {static_cast<float>(px - offset), static_cast<float>(py - offset), ballSize};
}

float clampPixelX(float px) {
    if (px < kBallCentreMinPixelX)
        return kBallCentreMinPixelX;
    if (px > kBallCentreMaxPixelX)
        return kBallCentreMaxPixelX;
    return px;
}

float clampPixelY(float py) {
    if (py < kBallCentreMinPixelY)
        return kBallCentreMinPixelY;
    if (py > kBallCentreMaxPixelY)
        return kBallCentreMaxPixelY;
    return py;
}

SpriteCorner spriteCorner(float px, float py, int half) {
    return {toPixelInt(static_cast<double>(px) - half), toPixelInt(static_cast<double>(py) - half)};
}

} // namespace zandrel
