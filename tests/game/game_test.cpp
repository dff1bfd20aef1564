#include "fake_view.h"
#include "game/aiming.h"
#include "game/game.h"
#include "game/game_texts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

namespace zandrel {
namespace {

using testing::FakeView;
using testing::places;

class GameTest : public testing::GameFixture {
protected:
    void letsPlay(GameKind kind = GameKind::fourBall, int target = 5, bool twoPlayers = false) {
        game.lblLetsPlay_Click({kind, target, twoPlayers});
    }

    void runToRest() {
        for (int tick = 0; tick < 2000 && game.isShotRunning(); ++tick) // far beyond the longest shot
            game.Timer1_Timer();
        ASSERT_FALSE(game.isShotRunning()) << "shot did not come to rest";
    }

    /// A shot whose cue ball is counted as touching the given object balls.
    void shoot(std::initializer_list<int> touched = {}) {
        game.cmdShot_Click();
        for (int i : touched)
            table().balls[i].hitByCue = true;
        runToRest();
    }

    /// A gentle shot straight up the table that touches nothing.
    void missShot() {
        table().target = {table().balls[0].x, 1100.0f};
        game.setPower(5);
        shoot();
    }

    Table& table() { return game.tableForTests(); }
};

TEST_F(GameTest, StartsOnTheMenuScreenWithFreshCounters) {
    EXPECT_EQ(std::pair(s().playMode, view.menuScreenVisible), std::pair(PlayMode::menu, true));
    EXPECT_EQ(counters(), std::tuple(0, 1, 0, 0));
    // A game started with F2 before any "Let's Play!" plays to the preselected target, not to 0.
    EXPECT_EQ(s().targetPoints, 5);
}

TEST_F(GameTest, LetsPlayStartsASoloGameThatMenuLeaves) {
    letsPlay(GameKind::threeBall, 8);
    EXPECT_EQ(std::pair(s().playMode, s().targetPoints), std::pair(PlayMode::solo, 8));
    EXPECT_EQ(sound.musicRequests.back(), kTuneGame);

    game.lblMenu_Click(0); // "Menu"
    EXPECT_EQ(std::pair(s().playMode, view.menuScreenVisible), std::pair(PlayMode::menu, true));
    EXPECT_EQ(sound.musicRequests.back(), kTuneMenu);
}

TEST_F(GameTest, ScoringNeedsTwoDifferentObjectBalls) {
    letsPlay();
    table().target = {600.0f, 600.0f}; // a real full hit on ball 2 alone
    game.setPower(30);
    shoot();
    EXPECT_TRUE(s().table.balls[2].hitByCue);
    EXPECT_EQ(std::pair(s().points, s().innings), std::pair(0, 2));
    EXPECT_EQ(sound.balls, (std::vector<std::string>{"moving", "at rest"})) << "what the sound hears";
    struct Case {
        std::initializer_list<int> touched; // aggregate: the lists live as long as the array
        int points, innings;
    };
    const Case cases[] = {{{}, 0, 3},        {{2}, 0, 4},    {{1, 3}, 1, 4},
                          {{1, 2, 3}, 2, 4}, {{3, 2}, 3, 4}, {{1, 2}, 4, 4}};
    for (const auto& [touched, points, innings] : cases) {
        shoot(touched);
        EXPECT_EQ(std::pair(s().points, s().innings), std::pair(points, innings));
    }
    EXPECT_EQ(std::tuple(s().shotCount, view.pointMarkDraws, view.messages.size()), std::tuple(7, 7, 0u));
}

TEST_F(GameTest, TheTargetEndsTheGameWithItsSummaryAndAFreshRack) {
    letsPlay();
    for (int miss = 0; miss < 3; ++miss)
        missShot();
    for (int point = 0; point < 4; ++point)
        shoot({1, 2});
    ASSERT_EQ(counters(), std::tuple(4, 4, 7, 0));
    shoot({2, 3}); // the fifth point
    EXPECT_EQ(view.messages,
              std::vector<std::string>{"5ポイントを4イニングで撞き終えました。アベレージ1.25"});
    EXPECT_EQ(counters(), std::tuple(0, 1, 0, 0));
    EXPECT_EQ(std::tuple(s().playMode, s().targetPoints, s().table.balls[0].x),
              std::tuple(PlayMode::solo, 5, 300.0f));
    for (int i = 0; i < 5; ++i)
        shoot({1, 2});
    EXPECT_EQ(view.messages, (std::vector<std::string>{"5ポイントを4イニングで撞き終えました。アベレージ1.25",
                                                       "5ポイント撞き切りです。素晴らしい！"}));
}

TEST(SummaryMessage, OneInningGivesTheShortForm) {
    EXPECT_EQ(summaryMessage(3, 1), "3ポイント撞き切りです。素晴らしい！");
}

TEST(SummaryMessage, TheAverageRoundedHalfUp) {
    // A third: rounded down, not up.
    EXPECT_EQ(summaryMessage(10, 3), "10ポイントを3イニングで撞き終えました。アベレージ3.33");
    EXPECT_EQ(summaryMessage(3, 2), "3ポイントを2イニングで撞き終えました。アベレージ1.50");
    // Halves round up, also where the float lies a hair below the half.
    EXPECT_EQ(summaryMessage(5, 8), "5ポイントを8イニングで撞き終えました。アベレージ0.63");
    EXPECT_EQ(summaryMessage(1, 8), "1ポイントを8イニングで撞き終えました。アベレージ0.13");
    const std::pair<float, const char*> cases[] = {
        {0.0f, "0.00"}, {9.995f, "10.00"}, {2.0f / 3, "0.67"}, {0.004f, "0.00"}, {123.456f, "123.46"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(formatTwoDecimals(value), text) << value;
}

TEST_F(GameTest, RetryMenuIsOfferedOnlyAfterSoloShots) {
    letsPlay();
    EXPECT_FALSE(view.retryMenuEnabled);
    missShot();
    EXPECT_TRUE(view.retryMenuEnabled);
    // Two players, the demonstration, and a game started with F2 on the menu screen.
    const std::function<void()> enter[] = {
        [&] { letsPlay(GameKind::fourBall, 5, true); },
        [&] { game.lblMenu_Click(0), game.lblHelp_Click(), game.timDemo_Timer(); },
        [&] { game.returnToMenu(), game.mnuStart_click(); }};
    for (PlayMode mode : {PlayMode::twoPlayers, PlayMode::demo, PlayMode::menu}) {
        enter[int(mode) - 1]();
        ASSERT_EQ(s().playMode, mode);
        missShot();
        EXPECT_FALSE(view.retryMenuEnabled) << "mode " << int(mode);
    }
}

TEST_F(GameTest, TakeBackRestoresTheBallsAndCostsAnInning) {
    letsPlay();
    game.lblMenu_Click(2); // "Back" with nothing shot yet: the all-zero snapshot must not be restored
    EXPECT_EQ(std::pair(s().table.balls[0].x, s().innings), std::pair(300.0f, 1));

    shoot({1, 2});
    game.mnuRetry_Click(); // taking back the first shot starts the game again
    EXPECT_EQ(std::pair(counters(), s().table.balls[0].x), std::pair(std::tuple(0, 1, 0, 0), 300.0f));

    shoot({1, 2}); // point
    missShot();
    const auto beforeThirdShot = places(s().table.balls);
    missShot();
    ASSERT_EQ(counters(), std::tuple(1, 3, 3, 0));
    // "Back", then the menu command: the second take-back restores the same snapshot.
    for (int back = 1; back <= 2; ++back) {
        back == 1 ? game.lblMenu_Click(2) : game.mnuRetry_Click();
        EXPECT_EQ(counters(), std::tuple(1, 3 + back, 3 + back, back));
        EXPECT_EQ(places(s().table.balls), beforeThirdShot);
        for (const Ball& b : s().table.balls)
            EXPECT_EQ(b.speed, 0.0f) << "the restored balls lie at rest";
        EXPECT_FALSE(view.retryMenuEnabled);
    }
    // Re-aimed one ball diameter short of ball 1, on the line from the cue ball.
    const Ball &cue = s().table.balls[0], &one = s().table.balls[1];
    const TablePoint aim = s().table.target;
    const float toTarget = std::hypot(aim.x - one.x, aim.y - one.y);
    EXPECT_NEAR(toTarget, 100.0f, 0.05f);
    EXPECT_NEAR(std::hypot(aim.x - cue.x, aim.y - cue.y) + toTarget, std::hypot(one.x - cue.x, one.y - cue.y),
                0.05f);
}

TEST_F(GameTest, AShotLocksTheInputsButtonsAndMenuCommandsWhileItRuns) {
    letsPlay();
    missShot();
    game.cmdShot_Click();
    // The inputs locked, and the shot counted before the balls move.
    EXPECT_EQ(std::tuple(view.shotInputEnabled, view.aimMarkerVisible, view.autoRedraw, s().shotCount),
              std::tuple(false, false, false, 2));
    for (int button : {0, 1, 2})
        game.lblMenu_Click(button);
    game.mnuStart_click();
    game.mnuRetry_Click();
    game.cmdShot_Click();
    EXPECT_EQ(std::tuple(game.isShotRunning(), s().shotCount, s().playMode),
              std::tuple(true, 2, PlayMode::solo));
    runToRest();
    EXPECT_EQ(std::pair(view.aimMarkerVisible, view.autoRedraw), std::pair(true, true));
}

TEST_F(GameTest, PlaySecondsCountFromTheFirstShotUntilStart) {
    letsPlay();
    EXPECT_FALSE(s().timeCounterEnabled);
    missShot();
    game.timTimeCounter_Timer();
    game.timTimeCounter_Timer();
    EXPECT_EQ(std::pair(s().timeCounterEnabled, s().playSeconds), std::pair(true, 2));
    game.lblMenu_Click(1); // "Start"
    EXPECT_EQ(s().playSeconds, 0);
}

TEST_F(GameTest, ARackDuringTheYieldAbandonsTheTickWithoutScoring) {
    letsPlay();
    game.cmdShot_Click();
    int yields = 0;
    view.onYield = [&] {
        if (yields++ == 0)
            game.initGame(); // as a handler reached through the yield would
    };
    const int redrawsBefore = view.redraws;
    game.Timer1_Timer();
    // The new rack neither scored nor moved by the rest of the tick; only initGame's own redraw.
    EXPECT_EQ(std::tuple(game.isShotRunning(), counters(), s().table.balls[0].x, view.redraws,
                         view.messages.size()),
              std::tuple(false, std::tuple(0, 1, 0, 0), 300.0f, redrawsBefore + 1, 0u));
}

TEST_F(GameTest, ATickDueDuringTheYieldDoesNotStepAgain) {
    letsPlay();
    FakeView quietView;
    Game reference(quietView, quietView);
    reference.initGame();
    reference.lblLetsPlay_Click(GameChoice{});
    reference.cmdShot_Click();
    game.cmdShot_Click();
    view.onYield = [&] { game.Timer1_Timer(); };
    for (int tick = 0; tick < 10; ++tick)
        game.Timer1_Timer(), reference.Timer1_Timer();
    EXPECT_EQ(places(s().table.balls), places(reference.state().table.balls));
}

TEST(CueTipPicker, FollowsTheClickWithADeadZoneAndAReach) {
    // Dead zone; full reach right, and beyond; half the reach below: draw; full reach above: twice.
    const std::array<float, 6> cases[] = {{23.5f, 23.5f, 20, 20, 0, 0},
                                          {38.5f, 22.5f, 36, 20, 1, 0},
                                          {44.5f, 22.5f, 36, 20, 1, 0},
                                          {22.5f, 30.5f, 20, 28, 0, -0.5f},
                                          {22.5f, 6.5f, 20, 4, 0, 2}};
    for (const auto& [x, y, left, top, offsetX, offsetY] : cases) {
        const CueTipChoice c = pickCueTip(x, y, 45, 45, 5);
        EXPECT_THAT(
            (std::array{c.markerLeft, c.markerTop, c.tipOffsetX, c.tipOffsetY}),
            ::testing::Pointwise(::testing::FloatNear(1e-5f), std::array{left, top, offsetX, offsetY}))
            << x << "," << y;
    }
}

TEST(PlayerNames, AreCutToTwelveCharactersNotBytes) {
    EXPECT_EQ(fixedPlayerName("とびとびとびとびとびとびとび"), "とびとびとびとびとびとび");
}

TEST(InfomationLine, ComposesEachPlayMode) {
    GameState s;
    s.points = 2, s.targetPoints = 5, s.innings = 3, s.shotCount = 4;
    s.players[0].name = fixedPlayerName("You"), s.players[1].name = fixedPlayerName("Player2");
    // Mode, against tovi, tovi's level, line.
    const std::tuple<PlayMode, bool, int, const char*> cases[] = {
        {PlayMode::solo, true, 3, "2 / 5 -- Inning:3 Shot:4"},
        {PlayMode::demo, true, 3, "How to play the 4 BALLS ?"},
        {PlayMode::twoPlayers, true, 3, " You  0 - 0 Lv.3 tovi "},
        {PlayMode::twoPlayers, true, 10, " You  0 - 0 Lv.10 tovi "},
        {PlayMode::twoPlayers, true, 11, " You  0 - 0 Master  tovi "},
        {PlayMode::twoPlayers, false, 3, " You  0 - 0  Player2"},
        {PlayMode::menu, true, 3, ""}};
    for (const auto& [mode, vsTovi, level, line] : cases) {
        s.playMode = mode, s.isVsCpu = vsTovi, s.levelOfTovi = level;
        EXPECT_EQ(infomationLine(s), line);
    }
}

} // namespace
} // namespace zandrel
