#include "fake_view.h"
#include "game/aiming.h"
#include "game/game.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zandrel {
namespace {

using testing::FakeView;

constexpr int kTickLimit = 2000; // far beyond the longest shot (about 6 s of table time)

class GameTest : public ::testing::Test {
protected:
    GameTest() : game(view) {
        game.initGame();
        game.returnToMenu();
    }

    void letsPlay(const std::string& kind = "４つ球", const std::string& target = "5") {
        game.lblLetsPlay_Click(kind, "独り撞き", target);
    }

    /// Runs the motion ticks of a shot already started until it ends.
    void runToRest() {
        for (int tick = 0; tick < kTickLimit && game.isShotRunning(); ++tick)
            game.Timer1_Timer();
        ASSERT_FALSE(game.isShotRunning()) << "shot did not come to rest";
    }

    /// A shot whose cue ball is counted as touching the given object balls.
    void shoot(std::initializer_list<int> touched = {}) {
        game.cmdShot_Click();
        for (int i : touched)
            game.mutableState().table.balls[i].hitByCue = true;
        runToRest();
    }

    /// A gentle shot straight up the table that touches nothing.
    void missShot() {
        game.mutableState().table.target = {game.state().table.balls[0].x, 1100.0f};
        view.powerValue = 5;
        shoot();
    }

    FakeView view;
    Game game;
};

TEST_F(GameTest, StartsOnTheMenuScreenWithFreshCounters) {
    const GameState& s = game.state();
    EXPECT_EQ(s.playMode, playModeMenu);
    EXPECT_TRUE(view.menuScreenVisible);
    EXPECT_EQ(s.gameKind, kGameKindFourBall);
    EXPECT_EQ(s.points, 0);
    EXPECT_EQ(s.innings, 1);
    EXPECT_EQ(s.shotCount, 0);
    EXPECT_EQ(s.fouls, 0);
    EXPECT_EQ(s.players[0].name, "Player1     ");
    EXPECT_EQ(s.players[1].name, "Player2     ");
    EXPECT_EQ(s.winsNeeded, 3);
    EXPECT_FALSE(view.retryMenuEnabled);
    EXPECT_TRUE(s.demoTimerEnabled);
    // A game started with F2 before any "Let's Play!" still plays to the
    // menu screen's preselected target instead of ending at 0 points.
    EXPECT_EQ(s.targetPoints, 5);
}

TEST_F(GameTest, LetsPlayStartsASoloGameOfTheChosenKindAndTarget) {
    letsPlay("３つ球", "8");
    const GameState& s = game.state();
    EXPECT_EQ(s.playMode, playModeSolo);
    EXPECT_EQ(s.gameKind, kGameKindThreeBall);
    EXPECT_EQ(s.targetPoints, 8);
    EXPECT_FALSE(s.table.balls[3].onTable);
    EXPECT_FALSE(view.menuScreenVisible);
    EXPECT_EQ(view.buttons, (FakeView::Buttons{true, true, true}));
    EXPECT_TRUE(view.shotButtonPlayLook);
    EXPECT_EQ(s.bgmWanted, kTuneGame);

    game.lblMenu_Click(0); // "Menu"
    EXPECT_EQ(game.state().playMode, playModeMenu);
    EXPECT_TRUE(view.menuScreenVisible);
    EXPECT_EQ(game.state().bgmWanted, kTuneMenu);
    EXPECT_EQ(game.state().bgmPlaying, kTuneGame);
}

TEST_F(GameTest, AShotResetsTheInputsAtRest) {
    letsPlay();
    view.powerValue = 40;
    game.picSetPoint_MouseDown(38.5f, 22.5f, 45, 45, 5);
    ASSERT_FLOAT_EQ(game.state().tipOffsetX, 1.0f);
    game.cmdShot_Click();
    EXPECT_FALSE(view.shotInputEnabled);
    EXPECT_FALSE(view.aimMarkerVisible);
    EXPECT_FALSE(view.autoRedraw);
    EXPECT_EQ(game.state().shotCount, 1) << "counted before the balls move";
    runToRest();
    EXPECT_EQ(view.powerValue, 100);
    EXPECT_EQ(game.state().tipOffsetX, 0.0f);
    EXPECT_EQ(game.state().tipOffsetY, 0.0f);
    EXPECT_EQ(view.tipLeft, 20.0f);
    EXPECT_EQ(view.tipTop, 20.0f);
    EXPECT_TRUE(view.shotInputEnabled);
    EXPECT_TRUE(view.aimMarkerVisible);
    EXPECT_TRUE(view.autoRedraw);
    EXPECT_TRUE(areAllBallsStopped(game.state().table));
    EXPECT_EQ(view.ballsDrawnOnScreen.back(), 0);
}

TEST_F(GameTest, ScoringNeedsTwoDifferentObjectBalls) {
    letsPlay();
    struct Case {
        std::initializer_list<int> touched;
        int points;
        int innings;
    };
    const Case cases[] = {{{}, 0, 2}, {{2}, 0, 3}, {{1, 3}, 1, 3}, {{1, 2, 3}, 2, 3}, {{3, 2}, 3, 3}};
    for (const Case& c : cases) {
        shoot(c.touched);
        EXPECT_EQ(game.state().points, c.points);
        EXPECT_EQ(game.state().innings, c.innings);
    }
    EXPECT_EQ(game.state().shotCount, 5);
    EXPECT_EQ(view.pointMarkDraws, 5);
}

TEST_F(GameTest, AFullHitOnOneBallIsAnInning) {
    letsPlay();
    game.mutableState().table.target = {600.0f, 600.0f}; // straight at ball 2
    view.powerValue = 30;
    shoot();
    EXPECT_TRUE(game.state().table.balls[2].hitByCue);
    EXPECT_EQ(game.state().points, 0);
    EXPECT_EQ(game.state().innings, 2);
}

TEST(SummaryMessage, ShortFormForOneInningElseAverage) {
    EXPECT_EQ(summaryMessage(3, 1), "3ポイント撞き切りです。素晴らしい！");
    EXPECT_EQ(summaryMessage(5, 4), "5ポイントを4イニングで撞き終えました。アベレージ1.25");
    EXPECT_EQ(summaryMessage(10, 3), "10ポイントを3イニングで撞き終えました。アベレージ3.33");
    EXPECT_EQ(summaryMessage(3, 2), "3ポイントを2イニングで撞き終えました。アベレージ1.50");
}

TEST_F(GameTest, ReachingTheTargetShowsTheSummaryAndStartsAgain) {
    letsPlay("４つ球", "3");
    shoot({1, 2});
    shoot({1, 3});
    EXPECT_TRUE(view.messages.empty());
    shoot({2, 3});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], "3ポイント撞き切りです。素晴らしい！");
    const GameState& s = game.state();
    EXPECT_EQ(s.points, 0);
    EXPECT_EQ(s.innings, 1);
    EXPECT_EQ(s.shotCount, 0);
    EXPECT_EQ(s.playMode, playModeSolo);
    EXPECT_EQ(s.targetPoints, 3);
    EXPECT_EQ(s.table.balls[0].x, 300.0f);

    missShot();
    for (int i = 0; i < 3; ++i)
        shoot({1, 2});
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[1], "3ポイントを2イニングで撞き終えました。アベレージ1.50");
}

TEST_F(GameTest, RetryMenuIsOfferedOnlyAfterSoloShots) {
    letsPlay();
    EXPECT_FALSE(view.retryMenuEnabled);
    missShot();
    EXPECT_TRUE(view.retryMenuEnabled);
    for (int mode : {playModeTwoPlayers, playModeDemo, playModeMenu}) {
        game.mutableState().playMode = mode;
        missShot();
        EXPECT_FALSE(view.retryMenuEnabled) << "mode " << mode;
    }
}

TEST_F(GameTest, TakeBackRestoresTheBallsAndCostsAnInning) {
    letsPlay();
    shoot({1, 2}); // point
    missShot();
    const Balls beforeThirdShot = game.state().table.balls;
    missShot();
    ASSERT_EQ(game.state().points, 1);
    ASSERT_EQ(game.state().innings, 3);
    ASSERT_EQ(game.state().shotCount, 3);

    game.lblMenu_Click(2); // "Back"
    const GameState& s = game.state();
    EXPECT_EQ(s.points, 1);
    EXPECT_EQ(s.innings, 4);
    EXPECT_EQ(s.shotCount, 4);
    EXPECT_EQ(s.fouls, 1);
    for (int i = 0; i < kBallCount; ++i) {
        EXPECT_EQ(s.table.balls[i].x, beforeThirdShot[i].x);
        EXPECT_EQ(s.table.balls[i].y, beforeThirdShot[i].y);
        EXPECT_EQ(s.table.balls[i].speed, 0.0f);
    }
    EXPECT_FALSE(view.retryMenuEnabled);

    // Re-aimed one ball diameter short of ball 1, on the line from the cue ball.
    const Ball& cue = s.table.balls[0];
    const Ball& one = s.table.balls[1];
    const float toTarget = std::hypot(s.table.target.x - one.x, s.table.target.y - one.y);
    EXPECT_NEAR(toTarget, 100.0f, 0.05f);
    const float cueToOne = std::hypot(one.x - cue.x, one.y - cue.y);
    const float cueToTarget = std::hypot(s.table.target.x - cue.x, s.table.target.y - cue.y);
    EXPECT_NEAR(cueToTarget + toTarget, cueToOne, 0.05f);

    game.lblMenu_Click(2); // "Back" again restores the same snapshot
    EXPECT_EQ(game.state().innings, 5);
    EXPECT_EQ(game.state().fouls, 2);
    EXPECT_EQ(game.state().table.balls[0].x, beforeThirdShot[0].x);
}

TEST_F(GameTest, TakingBackTheFirstShotRestartsAndNothingToTakeBackDoesNothing) {
    letsPlay();
    game.lblMenu_Click(2); // nothing shot yet: the all-zero snapshot must not be restored
    EXPECT_TRUE(game.state().table.balls[0].onTable);
    EXPECT_EQ(game.state().table.balls[0].x, 300.0f);
    EXPECT_EQ(game.state().innings, 1);

    shoot({1, 2});
    game.mnuRetry_Click();
    const GameState& s = game.state();
    EXPECT_EQ(s.points, 0);
    EXPECT_EQ(s.shotCount, 0);
    EXPECT_EQ(s.innings, 1);
    EXPECT_EQ(s.fouls, 0);
    EXPECT_EQ(s.table.balls[0].x, 300.0f);
}

TEST_F(GameTest, ButtonsAndMenuCommandsAreIgnoredWhileAShotRuns) {
    letsPlay();
    missShot();
    game.cmdShot_Click();
    const int shots = game.state().shotCount;
    game.lblMenu_Click(0);
    game.lblMenu_Click(1);
    game.lblMenu_Click(2);
    game.mnuStart_click();
    game.mnuRetry_Click();
    EXPECT_TRUE(game.isShotRunning());
    EXPECT_EQ(game.state().shotCount, shots);
    EXPECT_EQ(game.state().playMode, playModeSolo);
}

TEST_F(GameTest, ARackDuringTheYieldAbandonsTheTickWithoutScoring) {
    letsPlay();
    game.cmdShot_Click();
    bool racked = false;
    view.onYield = [&] {
        if (!racked) {
            racked = true;
            game.initGame(); // as a handler reached through the yield would
        }
    };
    const int redrawsBefore = view.redraws;
    game.Timer1_Timer();
    const GameState& s = game.state();
    EXPECT_FALSE(game.isShotRunning());
    EXPECT_EQ(s.innings, 1) << "the new rack must not be scored as the end of the old shot";
    EXPECT_EQ(s.points, 0);
    EXPECT_EQ(s.shotCount, 0);
    EXPECT_EQ(s.table.balls[0].x, 300.0f) << "the rest of the tick must not move the new rack";
    EXPECT_EQ(view.redraws, redrawsBefore + 1) << "only initGame's own redraw";
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(GameTest, ATickDueDuringTheYieldDoesNotStepAgain) {
    letsPlay();
    FakeView quietView;
    Game reference(quietView);
    reference.initGame();
    reference.lblLetsPlay_Click("４つ球", "独り撞き", "5");
    reference.cmdShot_Click();
    game.cmdShot_Click();
    view.onYield = [&] { game.Timer1_Timer(); };
    for (int tick = 0; tick < 10; ++tick) {
        game.Timer1_Timer();
        reference.Timer1_Timer();
    }
    for (int i = 0; i < kBallCount; ++i) {
        EXPECT_EQ(game.state().table.balls[i].x, reference.state().table.balls[i].x);
        EXPECT_EQ(game.state().table.balls[i].y, reference.state().table.balls[i].y);
    }
}

TEST_F(GameTest, PlaySecondsCountOnceAShotHasBeenMade) {
    letsPlay();
    EXPECT_FALSE(game.state().timeCounterEnabled);
    missShot();
    EXPECT_TRUE(game.state().timeCounterEnabled);
    game.timTimeCounter_Timer();
    game.timTimeCounter_Timer();
    EXPECT_EQ(game.state().playSeconds, 2);
    game.lblMenu_Click(1);
    EXPECT_EQ(game.state().playSeconds, 0);
    EXPECT_TRUE(game.state().timeCounterEnabled);
}

TEST_F(GameTest, IdleSecondsCountOnlyOnTheMenuScreen) {
    game.timDemo_Timer();
    EXPECT_EQ(game.state().idleSeconds, 1);
    game.lblHelp_Click();
    EXPECT_EQ(game.state().idleSeconds, 100);
    game.timDemo_Timer(); // past the limit: the count starts over
    EXPECT_EQ(game.state().idleSeconds, 0);
    letsPlay();
    game.timDemo_Timer();
    EXPECT_EQ(game.state().idleSeconds, 0);
}

TEST_F(GameTest, AimingClampsPressAndReleaseButNotTheDrag) {
    game.picPool_MouseDown(10.0f, 290.0f);
    EXPECT_EQ(view.aimLeft, 30.0f);
    EXPECT_EQ(view.aimTop, 250.0f);
    EXPECT_EQ(game.state().table.target.x, 50.0f);
    EXPECT_EQ(game.state().table.target.y, 50.000015f);

    game.picPool_MouseMove(true, 600.0f, -20.0f);
    EXPECT_EQ(view.aimLeft, 590.0f);
    EXPECT_EQ(view.aimTop, -30.0f);
    game.picPool_MouseMove(false, 100.0f, 100.0f); // no button: no aim
    EXPECT_EQ(view.aimLeft, 590.0f);
    game.picPool_MouseUp(true, 600.0f, -20.0f);
    EXPECT_EQ(view.aimLeft, 490.0f);
    EXPECT_EQ(view.aimTop, 30.0f);
    EXPECT_EQ(game.state().table.target.x, 2350.0f);
    EXPECT_EQ(game.state().table.target.y, 1150.0f);

    game.picPool_MouseDown(270.0f, 150.0f);
    EXPECT_EQ(game.state().table.target.x, 1200.0f);
    EXPECT_EQ(game.state().table.target.y, 600.0f);
}

TEST(CueTipPicker, FollowsTheClickWithADeadZoneAndAReach) {
    struct Case {
        float x, y;
        float left, top, offsetX, offsetY;
    };
    const Case cases[] = {
        {22.5f, 22.5f, 20, 20, 0, 0},     // the centre
        {23.5f, 23.5f, 20, 20, 0, 0},     // inside the dead zone
        {38.5f, 22.5f, 36, 20, 1, 0},     // right at full reach
        {44.5f, 22.5f, 36, 20, 1, 0},     // beyond the reach counts at the reach
        {22.5f, 30.5f, 20, 28, 0, -0.5f}, // half the reach below: draw
    };
    for (const Case& c : cases) {
        const CueTipChoice choice = pickCueTip(c.x, c.y, 45, 45, 5);
        EXPECT_NEAR(choice.markerLeft, c.left, 1e-5) << c.x << "," << c.y;
        EXPECT_NEAR(choice.markerTop, c.top, 1e-5) << c.x << "," << c.y;
        EXPECT_NEAR(choice.tipOffsetX, c.offsetX, 1e-6) << c.x << "," << c.y;
        EXPECT_NEAR(choice.tipOffsetY, c.offsetY, 1e-6) << c.x << "," << c.y;
    }
    const CueTipChoice top = pickCueTip(22.5f, 6.5f, 45, 45, 5);
    EXPECT_FLOAT_EQ(top.tipOffsetY, 2.0f);
    EXPECT_NEAR(top.tipOffsetX, 0.0f, 1e-6);
}

TEST(InfomationLine, ComposesEachPlayMode) {
    GameState s;
    s.playMode = playModeSolo;
    s.points = 2;
    s.targetPoints = 5;
    s.innings = 3;
    s.shotCount = 4;
    EXPECT_EQ(infomationLine(s), "2 / 5 -- Inning:3 Shot:4");

    s.playMode = playModeTwoPlayers;
    s.players[0].name = fixedPlayerName("You");
    s.levelOfTovi = 3;
    EXPECT_EQ(infomationLine(s), " You  0 - 0 Lv.3 tovi ");
    s.levelOfTovi = 10;
    EXPECT_EQ(infomationLine(s), " You  0 - 0 Lv.10 tovi ");
    s.levelOfTovi = 11;
    EXPECT_EQ(infomationLine(s), " You  0 - 0 Master  tovi ");
    s.isVsCpu = false;
    s.players[0].name = fixedPlayerName("Player1");
    s.players[1].name = fixedPlayerName("Player2");
    EXPECT_EQ(infomationLine(s), " Player1  0 - 0  Player2");

    s.playMode = playModeDemo;
    EXPECT_EQ(infomationLine(s), "How to play the 4 BALLS ?");
    s.playMode = playModeMenu;
    EXPECT_EQ(infomationLine(s), "");
}

TEST(PlayerName, IsCutOrPaddedToTwelveCharacters) {
    EXPECT_EQ(fixedPlayerName("You"), "You         ");
    EXPECT_EQ(fixedPlayerName("ABCDEFGHIJKLMNOP"), "ABCDEFGHIJKL");
    EXPECT_EQ(fixedPlayerName("とびとびとびとびとびとびとび"), "とびとびとびとびとびとび");
    EXPECT_EQ(fixedPlayerName("たろう"), "たろう         ");
}

} // namespace
} // namespace zandrel
