#include "game/aiming.h"

#include "simulation/table.h"

#include <cmath>

namespace zandrel {

namespace {
constexpr float kReachOfFace = 0.8f;      ///< the marker stays within 80% of the face's radius
constexpr float kDeadZoneFraction = 3.0f; ///< clicks within a third of the marker's width are "centre"
constexpr float kVerticalScale = 2.0f;    ///< the vertical offset runs -2..2
} // namespace

CueTipChoice pickCueTip(float x, float y, float width, float height, float markerWidth) {
    const float dx = x - width / 2;
    const float dy = height / 2 - y; // y up: above the centre is positive
    const float r = static_cast<float>(std::sqrt(double(dx) * dx + double(dy) * dy));
    const float reach = kReachOfFace * (width / 2 - markerWidth / 2);
    const float theta = getAngle(0.0f, 0.0f, dx, dy);
    const float centre = width / 2 - markerWidth / 2;

    CueTipChoice choice;
    if (r <= markerWidth / kDeadZoneFraction) {
        choice.markerLeft = centre;
        choice.markerTop = centre;
        return choice;
    }
    const float d = minOfTwo(r, reach);
    choice.markerLeft = static_cast<float>(centre + double(d) * std::cos(double(theta)));
    choice.markerTop = static_cast<float>(centre - double(d) * std::sin(double(theta)));
    const float ratio = d / reach;
    const float strength = static_cast<float>(double(ratio) * ratio);
    choice.tipOffsetX = static_cast<float>(double(strength) * std::cos(double(theta)));
    choice.tipOffsetY = static_cast<float>(kVerticalScale * double(strength) * std::sin(double(theta)));
    return choice;
}

} // namespace zandrel
