#include "fake_view.h"
#include "game/game.h"
#include "game/game_texts.h"
#include "game/small_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace zandrel {

void PrintTo(const RecordLine& line, std::ostream* os) {
    *os << line.label << ": " << line.value;
}

namespace {

class TwoPlayerSetup : public testing::GameFixture {
protected:
    TwoPlayerSetup() {
        game.lblLetsPlay_Click({GameKind::threeBall, 5, false});
        game.beginTwoPlayerSetup();
    }
};

TEST_F(TwoPlayerSetup, OkStoresNamesGivesPlayerZeroTheTurnAndRacksAfresh) {
    EXPECT_EQ(s().playMode, PlayMode::twoPlayers);
    game.setWinsNeeded(7);
    game.confirmTwoPlayerSetup("  Ann", "Bartholomew Jones");
    // Leading blanks stay part of the name; twelve characters are kept.
    EXPECT_EQ(s().players[0].name + "|" + s().players[1].name, "  Ann       |Bartholomew ");
    EXPECT_EQ(
        std::tuple(s().players[0].hasTurn, s().players[1].hasTurn, s().players[0].wins, s().players[1].wins),
        std::tuple(true, false, 0, 0));
    EXPECT_EQ(std::pair(view.modeItemCaption, s().isVsCpu), std::pair(std::string("対戦→独り撞き(&S)"), true))
        << "O.K. leaves the computer side as it was";

    view.buttons.clear();
    game.finishTwoPlayerSetup();
    EXPECT_EQ(std::tuple(s().playMode, s().winsNeeded, view.startMenuEnabled, view.menuScreenVisible),
              std::tuple(PlayMode::twoPlayers, 7, false, false));
    EXPECT_EQ(std::pair(s().gameKind, s().table.balls[3].onTable), std::pair(GameKind::threeBall, false))
        << "a fresh rack of the same game kind";
    EXPECT_TRUE(view.buttons.empty()) << "the table-screen buttons stay as they were";
}

TEST_F(TwoPlayerSetup, TheCloseBoxStartsTheGameButKeepsNamesCaptionsAndTurn) {
    game.setWinsNeeded(5);
    game.finishTwoPlayerSetup();
    EXPECT_EQ(std::tuple(s().playMode, s().winsNeeded, s().players[0].name, s().players[0].hasTurn,
                         view.modeItemCaption + view.shotCaption, view.startMenuEnabled),
              std::tuple(PlayMode::twoPlayers, 5, "Player1     ", false, "", false));
}

TEST_F(TwoPlayerSetup, CancelResetsToSoloThenGoesToTheMenuKeepingWinsNeeded) {
    game.setWinsNeeded(9);
    game.cancelTwoPlayerSetup();
    EXPECT_EQ(std::tuple(view.soloResets, s().isVsCpu, s().playMode), std::tuple(1, false, PlayMode::menu));
    game.finishTwoPlayerSetup();
    EXPECT_EQ(std::tuple(s().playMode, view.menuScreenVisible, s().winsNeeded, s().players[1].name),
              std::tuple(PlayMode::menu, true, 9, "Player2     "));
}

TEST(TwoPlayerTexts, GamesToWin) {
    for (const auto& [wins, text] : {std::pair{1, "1 Win Match"}, {3, "3Wins Match"}, {15, "15Wins Match"}})
        EXPECT_EQ(winsNeededText(wins), text);
}

TEST(TwoPlayerTexts, TheShotButtonNamesTheFirstPlayerAsStored) {
    // Names as the set-up stores them: fitted to twelve characters, then trimmed for the caption.
    const char* captions[][2] = {{"You         ", "Your Shot"},
                                 {"you", "you's Shot"},
                                 {"", "'s Shot"},
                                 {"  Ann  ", "Ann's Shot"},
                                 {"あいうえおかきくけこさし", "あいうえおかきくけこさし's Shot"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(twoPlayerShotCaption(fixedPlayerName(name)), caption) << name;
}

TEST(TwoPlayerTexts, TheWinnerLineNamesTheSideOnTurnOnceDecided) {
    const std::tuple<int, int, bool, const char*> cases[] = {
        // wins, whether player 0 has the turn
        {0, 0, true, "Now, Break Time!"}, {2, 2, false, "Now, Break Time!"},
        {3, 0, true, "Ann defeated Bob"}, {3, 0, false, "Bob defeated Ann"},
        {3, 4, true, "Ann defeated Bob"}, {0, 3, false, "Bob defeated Ann"}};
    GameState state;
    state.winsNeeded = 3;
    state.players[0].name = fixedPlayerName(" Ann");
    state.players[1].name = fixedPlayerName("Bob");
    for (const auto& [wins0, wins1, turn0, line] : cases) {
        state.players[0].wins = wins0, state.players[1].wins = wins1, state.players[0].hasTurn = turn0;
        EXPECT_EQ(winnerLine(state), line) << wins0 << "-" << wins1;
        EXPECT_EQ(sideOnTurn(state), turn0 ? 0 : 1);
    }
}

/// Frames of one run from the count `ticks` until it stops (the closing frame included).
std::vector<int> runFrames(int& ticks) {
    std::vector<int> frames;
    for (int guard = 0; guard < 100; ++guard) {
        const MascotStep step = mascotStep(ticks);
        frames.push_back(step.frame);
        if (step.finished)
            break;
    }
    return frames;
}

TEST(SmallWindows, TheMascotRunsTwentyOneTicksFirstThenTwenty) {
    int ticks = 0;
    EXPECT_EQ(runFrames(ticks),
              (std::vector<int>{0, 1, 2, 3, 4, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 4, 3, 2, 1, 0, 0}));
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(runFrames(ticks),
              (std::vector<int>{1, 2, 3, 4, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 4, 3, 2, 1, 0, 0}));
    ticks = 7; // a run cut short by closing the window goes on from there
    EXPECT_EQ(runFrames(ticks).size(), 14u);
}

TEST(SmallWindows, RecordLinesShowEachCounterZeroFilledAndThePlayTime) {
    using Lines = std::array<RecordLine, 4>;
    GameState state;
    // Shots, turns, fouls and points all differ, so a line showing the wrong counter cannot pass.
    state.shotCount = 123, state.innings = 45, state.fouls = 6, state.points = 7, state.playSeconds = 3725;
    EXPECT_EQ(recordLines(state),
              (Lines{{{"Shots", "00123"}, {"Turns", "00045"}, {"Fouls", "00006"}, {"Time", "62:05"}}}));
    state.shotCount = 32767, state.innings = 1, state.fouls = 9, state.points = 0, state.playSeconds = 6000;
    EXPECT_EQ(recordLines(state),
              (Lines{{{"Shots", "32767"}, {"Turns", "00001"}, {"Fouls", "00009"}, {"Time", "100:00"}}}));
    // Zero, more than five digits (never cut), under a minute.
    state.shotCount = 0, state.innings = 123456, state.fouls = 8, state.playSeconds = 59;
    EXPECT_EQ(recordLines(state),
              (Lines{{{"Shots", "00000"}, {"Turns", "123456"}, {"Fouls", "00008"}, {"Time", "00:59"}}}));
}

TEST(SmallWindows, TheRecordHeadingSaysWhenTheTargetIsReached) {
    GameState state;
    EXPECT_EQ(recordHeading(state), "Now, Break Time!");
    state.points = state.targetPoints;
    EXPECT_EQ(recordHeading(state), "GAME FINISHED!!");
}

TEST(SmallWindows, TheVersionTextGivesToviLevelUpToTenElseMaster) {
    EXPECT_EQ(versionLevelText("0.02", 1), " Ver.0.02\r\n Tovi's Level is 1.");
    EXPECT_EQ(versionLevelText("0.02", 10), " Ver.0.02\r\n Tovi's Level is 10.");
    EXPECT_EQ(versionLevelText("0.02", 11), " Ver.0.02\r\n Tovi is a Master!");
}

} // namespace
} // namespace zandrel
