#pragma once

// The cue-tip picker: where a click on the cue-ball face puts the tip marker
// and how far off centre the cue strikes.

namespace zandrel {

/// Result of a click on the cue-ball face.
struct CueTipChoice {
    float markerLeft = 0.0f; ///< tip marker's top-left corner, pixels of the face
    float markerTop = 0.0f;
    float tipOffsetX = 0.0f; ///< side, -1..1 (right of centre positive)
    float tipOffsetY = 0.0f; ///< vertical, -2..2 (above centre positive: follow)
};

/// The tip chosen by a click at (x, y) on a face of width x height pixels with
/// a marker markerWidth across. Clicks near the centre snap to it; clicks past
/// the marker's reach count at its edge; strength grows with the square of the
/// distance.
CueTipChoice pickCueTip(float x, float y, float width, float height, float markerWidth);

} // namespace zandrel
