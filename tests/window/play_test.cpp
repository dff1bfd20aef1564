// The player's roads through the real window; the rules are the game tests' part.

#include "window_fixture.h"

#include "game/game_texts.h"
#include "platform/platform_helpers.h"
#include "window/picture_box.h"
#include "window/shape_widget.h"
#include "window/table_drawing.h"

#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace zandrel::testing {
namespace {

/// Pixel of the table picture for table units, as the game places balls.
QPoint tablePixel(float x, float y) {
    return QPointF(0.2 * x + 30.0, 0.2 * (1200.0 - y) + 30.0).toPoint();
}

void aimAt(WindowHarness& h, QPoint pixel) {
    QTest::mousePress(h.find("picPool0"), Qt::LeftButton, {}, pixel);
    QTest::mouseRelease(h.find("picPool0"), Qt::LeftButton, {}, pixel);
}

/// A cue ball between two touching object balls: a full-power shot at their middle scores.
void setUpScoringShot(WindowHarness& h) {
    Balls& balls = h.game().tableForTests().balls;
    balls[0].x = 300.0f, balls[0].y = 600.0f;
    balls[1].x = 1000.0f, balls[1].y = 550.0f;
    balls[2].x = 1000.0f, balls[2].y = 650.0f;
    balls[3].x = 2000.0f, balls[3].y = 1000.0f;
    h.table().redrawTable();
    aimAt(h, tablePixel(1000.0f, 600.0f));
}

void shoot(WindowHarness& h) {
    QTest::mouseClick(h.find("cmdShot"), Qt::LeftButton);
    ASSERT_TRUE(h.game().isShotRunning());
    restBalls(h);
}

/// A gentle shot straight down from the cue ball of the rack: it meets no ball.
void missShot(WindowHarness& h) {
    aimAt(h, tablePixel(h.state().table.balls[0].x, 50.0f));
    h.find<QScrollBar>("HScroll1")->setValue(10);
    shoot(h);
}

/// Picks the entry captioned `caption` as a player may: the first entry, then down until it shows.
void choose(QComboBox* box, const char* caption) {
    const QString wanted = QString::fromUtf8(caption);
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < box->count() && box->currentText() != wanted; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->currentText(), wanted) << "no such entry";
}

TEST(LetsPlay, StartsASoloGameOfTheKindAndTargetChosenByCaption) {
    // The game kind, the points; whether the fourth ball is racked.
    const std::tuple<const char*, const char*, bool> choices[] = {
        {"４つ球", "5", true}, {"３つ球", "3", false}, {"４つ球", "15", true}};
    for (const auto& [gameName, points, fourBalls] : choices) {
        SCOPED_TRACE(std::string(gameName) + " " + points);
        WindowHarness h;
        choose(h.find<QComboBox>("cmbGameName"), gameName);
        choose(h.find<QComboBox>("cmbPoints"), points);
        QTest::mouseClick(h.find("lblLetsPlay"), Qt::LeftButton);
        EXPECT_EQ(std::pair(h.state().playMode, h.state().table.balls[3].onTable),
                  std::pair(PlayMode::solo, fourBalls));
        EXPECT_EQ(infomationLine(h.state()), "0 / " + std::string(points) + " -- Inning:1 Shot:0");
        for (const char* button : {"lblMenu0", "lblMenu1", "lblMenu2"})
            EXPECT_TRUE(h.find(button)->isVisible()) << button;
        const auto* shot = h.find<QPushButton>("cmdShot");
        EXPECT_EQ(std::tuple(shot->text(), shot->font().pixelSize(), shot->font().bold()),
                  std::tuple(QStringLiteral("Shot!"), 25, true));
    }
}

TEST(Shot, AScoringShotScoresAndGivesTheControlsBackReset) {
    WindowHarness h;
    letsPlay(h);
    setUpScoringShot(h);
    sendMouse(h.find("picSetPoint"), QEvent::MouseButtonPress, {38.5, 22.5}); // side spin, marker off centre
    auto* power = h.find<QScrollBar>("HScroll1");
    power->setValue(80);
    shoot(h);

    const auto* tip = h.find<ShapeWidget>("shpPoint");
    EXPECT_EQ(std::pair(power->value(), QPointF(tip->left(), tip->top())), std::pair(100, QPointF(20, 20)));
    for (const char* control : {"cmdShot", "HScroll1", "picSetPoint"})
        EXPECT_TRUE(h.find(control)->isEnabled()) << control;
    EXPECT_TRUE(h.find("shpTarget")->isVisible());
    EXPECT_EQ(infomationLine(h.state()), "1 / 5 -- Inning:1 Shot:1");
    // The contacts reach the sound device: the first shot's never cut each other off.
    const auto wave = std::find_if(h.sound->calls.begin(), h.sound->calls.end(),
                                   [](const std::string& call) { return call.starts_with("wave "); });
    ASSERT_NE(wave, h.sound->calls.end());
    EXPECT_TRUE(wave->starts_with("wave " + programDirectory() + "/")) << *wave;
    EXPECT_TRUE(wave->ends_with(".wav nostop")) << *wave;

    // The point mark and the strip are drawn from the window's own pictures.
    const Surface& sprites = h.table().sprites();
    EXPECT_EQ(h.find<PictureBox>("picPocketedBalls")->image().pixel(11, 11),
              sprites.pixel(kPointMarkCellX + 10, 10));
    EXPECT_EQ(h.find<PictureBox>("picInfomation")->image().pixel(300, 11), sprites.pixel(10, 10));
}

TEST(Frame, ShowsTheBallsOverTheTableAndCaptionsOnlyInTheDemonstration) {
    auto frameIn = [](const char* lang, bool demo) {
        WindowHarness h(lang);
        demo ? startDemo(h) : letsPlay(h);
        h.table().redrawTable();
        return h.find<PictureBox>("picPool0")->image();
    };
    const Surface plain = frameIn(kJapanese, false), demoJa = frameIn(kJapanese, true);
    EXPECT_NE(demoJa, plain);
    EXPECT_NE(demoJa, frameIn(kEnglish, true));
    WindowHarness h;
    const Surface& shown = h.find<PictureBox>("picPool0")->image();
    EXPECT_EQ(shown.pixel(270, 60), h.table().tablePicture().pixel(270, 60)) << "the bare table";
    h.table().redrawTable();
    EXPECT_EQ(shown, plain) << "the menu screen's table is the solo rack";
}

/// A three-ball game to 3 points in a window that takes keys.
class TableButtons : public ::testing::Test {
protected:
    void SetUp() override {
        h.w().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.window.get()));
        letsPlay(h, GameKind::threeBall, 3);
    }
    WindowHarness h;
};

TEST_F(TableButtons, BackTakesBackTheLastShotOnce) {
    missShot(h);
    missShot(h);
    auto* retry = h.find<QAction>("mnuRetry");
    EXPECT_TRUE(retry->isEnabled());
    QTest::mouseClick(h.find("lblMenu2"), Qt::LeftButton); // "Back"
    EXPECT_EQ(std::pair(infomationLine(h.state()), retry->isEnabled()),
              std::pair(std::string("0 / 3 -- Inning:4 Shot:3"), false));
}

TEST_F(TableButtons, StartAndF2RackAnewUnlessTheRestartIsDisabled) {
    missShot(h);
    const std::string played = infomationLine(h.state());
    h.w().setStartMenuEnabled(false); // a disabled restart has no key either
    QTest::keyClick(h.window.get(), Qt::Key_F2);
    EXPECT_EQ(infomationLine(h.state()), played);
    h.w().setStartMenuEnabled(true);
    QTest::keyClick(h.window.get(), Qt::Key_F2);
    EXPECT_EQ(infomationLine(h.state()), "0 / 3 -- Inning:1 Shot:0");

    missShot(h);
    QTest::mouseClick(h.find("lblMenu1"), Qt::LeftButton); // "Start"
    EXPECT_EQ(infomationLine(h.state()), "0 / 3 -- Inning:1 Shot:0");
}

TEST_F(TableButtons, MenuGoesBackToTheMenuScreenWhereF2OnlyTakesThePanelAway) {
    QTest::mouseClick(h.find("lblMenu0"), Qt::LeftButton); // "Menu"
    EXPECT_EQ(std::pair(h.find("picMenu")->isVisible(), h.find<QTimer>("timDemo")->isActive()),
              std::pair(true, true));
    QTest::keyClick(h.window.get(), Qt::Key_F2); // on the menu screen: the panel goes, the mode stays
    EXPECT_EQ(std::pair(h.find("picMenu")->isVisible(), h.state().playMode),
              std::pair(false, PlayMode::menu));
}

TEST(Demonstration, ShowsTovisCaptionTheDemoButtonAndNoTableButtons) {
    WindowHarness h;
    startDemo(h);
    for (const char* button : {"lblMenu0", "lblMenu1", "lblMenu2"})
        EXPECT_FALSE(h.find(button)->isVisible()) << button;
    auto* shot = h.find<QPushButton>("cmdShot");
    EXPECT_EQ(std::tuple(shot->text(), shot->font().family(), shot->font().bold(), shot->font().pixelSize()),
              std::tuple(QStringLiteral("DEMO"), QStringLiteral("Arial"), true, 16)); // 12 points
    h.find<QAction>("mnuChangeMode")->trigger(); // the mode switch and the match result do nothing here
    h.find<QAction>("mnuCurrentCondition")->trigger();
    EXPECT_EQ(h.state().playMode, PlayMode::demo);

    h.game().timCom_Timer();
    h.game().timCom_Timer();
    auto* caption = h.find<TextLabel>("lblTovisMessage");
    EXPECT_EQ(std::pair(caption->isVisible(), caption->text()),
              std::pair(true, QStringLiteral("サーブです。白玉が私の手玉です")));
    // Its green writing over the table: the end-to-end test's.
    EXPECT_FALSE(shot->isEnabled());
}

} // namespace
} // namespace zandrel::testing
