#include "game/small_windows.h"

#include "game/game.h"
#include "platform/platform_helpers.h"

#include <cstdio>

namespace zandrel {

std::string versionLevelText(const std::string& version, int levelOfTovi) {
    std::string text = " Ver." + version + "\r\n";
    if (levelOfTovi < kMasterLevel)
        return text + " Tovi's Level is" + signedNumberText(levelOfTovi) + ".";
    return text + " Tovi is a Master!";
}

MascotStep mascotStep(int& ticks) {
    const int t = ticks;
    MascotStep step;
    if (t >= 0 && t < kMascotFrames)
        step.frame = t;
    else if (t >= kMascotFrames && t < 2 * kMascotFrames)
        step.frame = 2 * kMascotFrames - 1 - t;
    else if (t >= 2 * kMascotFrames && t < 3 * kMascotFrames)
        step.frame = t - 2 * kMascotFrames;
    else if (t >= 3 * kMascotFrames && t < kMascotRunTicks)
        step.frame = kMascotRunTicks - 1 - t;
    else {
        step.finished = true;
        ticks = 0;
    }
    ++ticks;
    return step;
}

std::string recordHeading(const GameState& state) {
    const bool finished = state.targetPoints > 0 && state.points >= state.targetPoints;
    return finished ? "GAME FINISHED!!" : "Now, Break Time!";
}

namespace {

std::string recordCount(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%05d", value);
    return text;
}

std::string recordTime(int seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", seconds / 60, seconds % 60);
    return text;
}

} // namespace

std::array<RecordLine, 4> recordLines(const GameState& state) {
    return {{{"Shots", recordCount(state.shotCount)},
             {"Turns", recordCount(state.innings)},
             {"Fouls", recordCount(state.fouls)},
             {"Time", recordTime(state.playSeconds)}}};
}

std::string recordBallsString(const Table& table) {
    std::string text;
    for (int i = 1; i < kBallCount; ++i)
        text += table.balls[std::size_t(i)].onTable ? '0' : char('0' + i);
    return text;
}

} // namespace zandrel
