#pragma once

// What the version window and the current-condition window show, worked out
// without a window: texts, number formats and the mascot's animation.

#include "simulation/table.h"

#include <array>
#include <string>
#include <string_view>

namespace zandrel {

struct GameState;

// --- The version window ----------------------------------------------------------

/// The two-line version text under the name: " Ver.0.02", CR LF, then
/// " Tovi's Level is 3." for levels up to 10, or " Tovi is a Master!".
std::string versionLevelText(const std::string& version, int levelOfTovi);

/// Frames in the mascot's strip, side by side.
inline constexpr int kMascotFrames = 5;
/// Ticks of one animation run: frames 0..4 up, down, up, down.
inline constexpr int kMascotRunTicks = 20;

/// One 50 ms step of the mascot's animation.
struct MascotStep {
    int frame = 0;         ///< the strip's frame to show, 0..4
    bool finished = false; ///< the run is over: stop the timer
};

/// The step for the tick count `ticks`, which then counts on. Past the last
/// frame the run ends on frame 0 and the count starts over (so the next run
/// begins at 1). The count outlives the window.
MascotStep mascotStep(int& ticks);

// --- The current-condition window ------------------------------------------------

/// The heading: "GAME FINISHED!!" once the points have reached the target,
/// else "Now, Break Time!".
std::string recordHeading(const GameState& state);
/// One line under the heading: what is counted, and its value.
struct RecordLine {
    const char* label;
    std::string value;

    bool operator==(const RecordLine& other) const {
        return std::string_view(label) == other.label && value == other.value;
    }
};
/// The lines under the heading: the shots, the turns (innings) and the fouls
/// as at least five zero-filled digits ("00123"), and the play time as minutes
/// and seconds of at least two digits each ("62:05").
std::array<RecordLine, 4> recordLines(const GameState& state);
/// One character per object ball 1..3: '0' on the table, else its number ("003").
std::string recordBallsString(const Table& table);

} // namespace zandrel
