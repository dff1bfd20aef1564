#include "window/fonts.h"

#include "platform/platform_helpers.h"

#include <cmath>

namespace zandrel {

void installFontSubstitutions() {
    QFont::insertSubstitution(kFontArial, kFontLiberationSans);
    QFont::insertSubstitution(kFontMsGothic, kFontIpaGothic);
    QFont::insertSubstitution(kFontMsPGothic, kFontIpaPGothic);
}

int pointsToPixels(double points) {
    // points -> twips (20 per point) -> pixels (15 twips each).
    return static_cast<int>(std::lround(points / kPointsPerTwip / kTwipsPerPixel));
}

QFont gameFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    return font;
}

} // namespace zandrel
