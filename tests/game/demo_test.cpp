// Tovi's demonstration on the game layer, its timers run by a fake 50 ms clock.

#include "fake_view.h"
#include "game/game.h"
#include "game/game_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace zandrel {
namespace {

/// The script: aim point, power and caption of each shot.
const std::tuple<TablePoint, int, const char*> kScript[] = {
    {{545, 520}, 49, "サーブです。白玉が私の手玉です"},
    {{2035, 670}, 33, "手玉を２つの的玉に当てれば１ポイント"},
    {{1990, 790}, 50, "続いて、赤－赤と行きましょうか。"},
    {{1845, 315}, 52, "ちょっと遠いな\u2026 赤\uff0d黄!"},
    {{2265, 430}, 50, "外れましたね。ここで交代です。"},
};
const std::string kClosing = "規定ポイント先取で勝ち。最初は\uff15ポイントぐらいから。";

class DemoTest : public testing::GameFixture {
protected:
    /// Runs the game's timers as the window does, 50 ms a step: an enabled timer fires one interval
    /// after it was enabled, then every interval; one disabled and enabled again starts afresh.
    void step() {
        sync();
        now += 50;
        for (int i = 0; i < 4; ++i) {
            sync();
            if (due[i] >= 0 && now >= due[i]) {
                due[i] += kIntervals[i];
                (game.*kHandlers[i])();
            }
        }
        sync();
    }
    void sync() {
        for (int i = 0; i < 4; ++i)
            if (!view.timerEnabled(static_cast<GameTimer>(i)))
                due[i] = -1;
            else if (due[i] < 0)
                due[i] = now + kIntervals[i];
    }
    /// Steps until `done` holds (checked after each step) or `limitMs` passes.
    bool runUntil(const std::function<bool()>& done, int limitMs = 60000) {
        for (const int end = now + limitMs; now < end;)
            if (step(), done())
                return true;
        return false;
    }
    bool demoRuns() const { return s().playMode == PlayMode::demo; }
    void startDemoNow() {
        game.lblHelp_Click();
        ASSERT_TRUE(runUntil([&] { return demoRuns(); }, 1000));
    }
    void runToNextShot() {
        ASSERT_TRUE(runUntil([&] { return game.isShotRunning(); }));
    }
    void runToRest() {
        ASSERT_TRUE(runUntil([&] { return !game.isShotRunning(); }));
    }
    void expectShotOf(const std::tuple<TablePoint, int, const char*>& step) {
        const auto& [aim, power, caption] = step;
        EXPECT_EQ(std::tuple(s().table.target.x, s().table.target.y, s().power),
                  std::tuple(aim.x, aim.y, power));
    }
    /// Back on the menu screen: no shot, no sequencer, no caption, a fresh rack.
    void expectBackOnTheMenu() {
        EXPECT_EQ(std::tuple(s().playMode, view.menuScreenVisible, game.isShotRunning(),
                             view.timerEnabled(GameTimer::com), view.tovisMessageVisible),
                  std::tuple(PlayMode::menu, true, false, false, false));
        EXPECT_EQ(std::tuple(s().points, s().innings, s().shotCount, s().idleSeconds, s().table.balls[0].x),
                  std::tuple(0, 1, 0, 0, 300.0f));
    }

    static constexpr int kIntervals[4] = {50, 1000, 1000, 100}; // in GameTimer's order
    static constexpr void (Game::*kHandlers[4])() = {&Game::Timer1_Timer, &Game::timTimeCounter_Timer,
                                                     &Game::timDemo_Timer, &Game::timCom_Timer};
    int now = 0, due[4] = {-1, -1, -1, -1};
};

TEST_F(DemoTest, TheThirtyFirstIdleTickStartsItAndReplacesAGameStartedWithF2MidShot) {
    for (int tick = 1; tick <= 30; ++tick) { // pointer moves do not delay it
        ASSERT_TRUE(runUntil([&] { return s().idleSeconds == tick; }, 1000)) << tick;
        game.picMenu_MouseMove();
    }
    game.mnuStart_click(); // the menu mode stays, the count goes on
    ASSERT_EQ(s().playMode, PlayMode::menu);
    game.setPower(100);
    game.cmdShot_Click();
    ASSERT_TRUE(runUntil([&] { return demoRuns(); }, 1000));
    // The running shot is dropped for a fresh rack.
    EXPECT_EQ(std::tuple(now, game.isShotRunning(), s().shotCount, s().idleSeconds, s().table.balls[0].x),
              std::tuple(31000, false, 0, 0, 300.0f));
}

TEST_F(DemoTest, OutsideTheMenuTheIdleWatcherOnlyKeepsTheCountAtZero) {
    // Five idle seconds on the menu screen, then a solo game: the count drops and never climbs again.
    ASSERT_TRUE(runUntil([&] { return s().idleSeconds == 5; }, 6000));
    game.lblLetsPlay_Click({});
    EXPECT_TRUE(runUntil([&] { return s().idleSeconds == 0; }, 1000));
    EXPECT_FALSE(runUntil([&] { return s().idleSeconds != 0 || demoRuns(); }, 35000));
}

TEST_F(DemoTest, ATurnShowsTheCaptionSetsTheShotHidesItAndShoots) {
    startDemoNow();
    const int start = now;
    std::vector<std::pair<int, std::string>> events;
    bool visible = false;
    std::string text = view.tovisMessage;
    while (!game.isShotRunning() && now - start < 5000) {
        step();
        const int at = now - start;
        if (view.tovisMessageVisible != visible)
            events.emplace_back(at, (visible = view.tovisMessageVisible) ? "shown" : "hidden");
        if (view.tovisMessage != text)
            events.emplace_back(at, "text " + (text = view.tovisMessage));
        if (at == 200) { // the power shown; the table stays clickable to end the demonstration
            EXPECT_EQ(std::pair(view.powerShown, view.tableEnabled), std::pair(49, true));
        }
    }
    const std::vector<std::pair<int, std::string>> expected = {
        {100, "shown"},
        {200, "text " + std::string(std::get<2>(kScript[0]))},
        {3100, "hidden"},
        {3200, "text "}};
    EXPECT_EQ(events, expected);
    // The shot at 3.2 s; the sequencer rests while the balls run.
    EXPECT_EQ(std::pair(now - start, view.timerEnabled(GameTimer::com)), std::pair(3200, false));
}

// Where the five shots leave the cue ball, red, red and yellow (x, y), bit for bit.
const std::array<float, 8> kFourBallRests = {0x1.01c9acp+11f, 0x1.6afb9p+8f,  0x1.6903fp+10f,
                                             0x1.df0f9cp+9f,  0x1.a80c0cp+9f, 0x1.0f7f0cp+10f,
                                             0x1.da6422p+9f,  0x1.11a7a8p+10f};

TEST_F(DemoTest, FiveAnnouncedShotsThenTheClosingCaptionAndTheMenuScreenWhateverTheTarget) {
    // The player's last game was to 3 points: Tovi scores past them and no game ends.
    game.lblLetsPlay_Click({GameKind::fourBall, 3, false});
    game.lblMenu_Click(0);
    startDemoNow();
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        EXPECT_TRUE(runUntil([&] { return view.tovisMessage == std::get<2>(kScript[i]); }));
        runToNextShot();
        expectShotOf(kScript[i]);
        runToRest();
    }
    EXPECT_EQ(testing::places(s().table.balls), kFourBallRests);
    // The script's step, the points and the target, and no end-of-game message.
    EXPECT_EQ(std::tuple(s().demoStep, s().points, s().targetPoints, view.messages.size()),
              std::tuple(5, 4, 3, 0u));

    // The sixth turn: the closing caption from 0.2 s, the menu screen at 3.1 s, no shot.
    const int rest = now;
    ASSERT_TRUE(runUntil([&] { return view.tovisMessage == kClosing; }, 1000));
    EXPECT_EQ(s().playMode, PlayMode::menu) << "the menu mode comes with the closing caption";
    game.picPool_Click(); // does nothing now: the caption runs its course
    EXPECT_TRUE(view.tovisMessageVisible);
    EXPECT_TRUE(runUntil([&] { return view.menuScreenVisible; }, 5000));
    expectBackOnTheMenu();
    // The time, the caption kept while hidden, the idle watcher.
    EXPECT_EQ(std::tuple(now - rest, view.tovisMessage, view.timerEnabled(GameTimer::demo)),
              std::tuple(3100, kClosing, true));

    EXPECT_EQ(s().players[0].name + s().players[1].name, "You         tovi        ");
    EXPECT_EQ(std::tuple(s().players[0].hasTurn, s().players[1].hasTurn, s().players[0].wins,
                         s().players[1].wins, s().isVsCpu),
              std::tuple(true, false, 0, 0, true));
    EXPECT_EQ(view.shotButtonLook, "demo");
}

TEST_F(DemoTest, AClickOnTheTableEndsItInEveryPhase) {
    const std::function<void()> phases[] = {
        [&] { runUntil([&] { return view.tovisMessageVisible; }, 1000); }, // caption just shown
        [&] { runUntil([&] { return s().comTicks == 15; }, 2000); },       // mid caption
        [&] {                                                              // balls rolling
            runToNextShot();
            for (int i = 0; i < 3; ++i)
                step();
            game.cmdShot_Click(); // the shot button launches nothing meanwhile
            EXPECT_EQ(s().shotCount, 1);
        },
        [&] { runToNextShot(), runToRest(); }, // at rest, before the next turn
    };
    for (const auto& phase : phases) {
        startDemoNow();
        phase();
        ASSERT_TRUE(demoRuns());
        game.picPool_Click();
        expectBackOnTheMenu();
    }
    EXPECT_EQ(sound.balls, (std::vector<std::string>{"moving", "at rest", "moving", "at rest"}))
        << "the sound hears the dropped shot come to rest";
    // Each new demonstration begins with a whole turn, whatever the click cut short.
    startDemoNow();
    runUntil([&] { return s().comTicks == 15; }, 2000);
    game.picPool_Click();
    startDemoNow();
    runToNextShot();
    expectShotOf(kScript[0]);
}

TEST_F(DemoTest, AfterAThreeBallGameRacksItsKindAndKeepsItsTipForTheFirstShot) {
    game.lblLetsPlay_Click({GameKind::threeBall, 3, false});
    game.picSetPoint_MouseDown(38.5f, 22.5f, 45, 45, 5); // full right side
    ASSERT_EQ(s().tipOffsetX, 1.0f);
    game.lblMenu_Click(0);
    ASSERT_TRUE(runUntil([&] { return demoRuns(); }, 32000));
    EXPECT_EQ(std::tuple(s().gameKind, s().table.balls[3].onTable, s().targetPoints),
              std::tuple(GameKind::threeBall, false, 3));
    EXPECT_EQ(view.tipLeft, 20.0f) << "the marker shows the centre";
    runToNextShot();
    expectShotOf(kScript[0]); // the same script, with the tip kept
    EXPECT_EQ(s().tipOffsetX, 1.0f);
    runToRest();
    runToNextShot();
    EXPECT_EQ(s().tipOffsetX, 0.0f);

    game.picPool_Click();
    startDemoNow(); // "４つ球のデモ"
    EXPECT_EQ(std::pair(s().gameKind, s().table.balls[3].onTable), std::pair(GameKind::fourBall, true));
}

} // namespace
} // namespace zandrel
