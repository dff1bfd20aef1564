// The player's mouse on the real window: aiming on the table, the cue tip,
// the power bar and its caption, and the hover colours of the clickable texts.

#include "window_fixture.h"

#include "window/colours.h"

#include <QMouseEvent>

namespace zandrel::testing {
namespace {

/// Sends one mouse event straight to `widget` (also at places outside it, as a
/// widget holding the mouse grab receives them).
void sendMouse(QWidget* widget, QEvent::Type type, QPointF pos, Qt::MouseButton button = Qt::LeftButton,
               Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void move(QWidget* widget, QPointF pos = {5, 5}) {
    sendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}

class Playing : public ::testing::Test {
protected:
    void SetUp() override {
        QTest::mouseClick(h.w().lblLetsPlay, Qt::LeftButton);
        ASSERT_EQ(h.state().playMode, PlayMode::solo);
    }
    WindowHarness h;
};

TEST_F(Playing, TheMouseAimsOnTheTablePicksTheCueTipAndSetsThePower) {
    PictureBox* table = h.w().picPool0;
    ShapeWidget* marker = h.w().shpTarget;
    sendMouse(table, QEvent::MouseButtonPress, {10, 290});
    EXPECT_TRUE(marker->left() == 30.0f && marker->top() == 250.0f);
    sendMouse(table, QEvent::MouseMove, {600, -20}, Qt::NoButton);
    EXPECT_TRUE(marker->left() == 590.0f && marker->top() == -30.0f) << "a drag can leave the table";
    move(table, {100, 100});
    EXPECT_EQ(marker->left(), 590.0f) << "no button: no aim";
    sendMouse(table, QEvent::MouseButtonRelease, {600, -20}, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(marker->left() == 490.0f && marker->top() == 30.0f) << "the aim the game clamped";
    sendMouse(table, QEvent::MouseButtonPress, {270, 150}, Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(h.state().table.target.x == 1200.0f && h.state().table.target.y == 600.0f)
        << "right aims too";

    sendMouse(h.w().picSetPoint, QEvent::MouseButtonPress, {38.5, 22.5});
    EXPECT_TRUE(h.w().shpPoint->left() == 36.0f && h.w().shpPoint->top() == 20.0f) << "the game's choice";

    QScrollBar* bar = h.w().HScroll1;
    EXPECT_EQ(h.w().lblPower->text(), QStringLiteral("POWER 100%"));
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(h.w().lblPower->text(), QStringLiteral("POWER  90%"));
    bar->setValue(100);
    EXPECT_EQ(h.w().lblPower->text(), QStringLiteral("POWER  100%"));
    bar->setValue(1);
    EXPECT_EQ(h.state().power, 1) << "the game holds the power the bar shows";
}

TEST_F(Playing, TheTableButtonsLightUpUnderThePointerExceptDuringAShot) {
    auto colours = [this] {
        return std::vector<Rgb>{h.w().lblMenu[0]->textColour(), h.w().lblMenu[1]->textColour(),
                                h.w().lblMenu[2]->textColour()};
    };
    const std::vector<Rgb> resting(3, kTableButtonRest);
    move(h.w().lblMenu[1]);
    EXPECT_EQ(colours(), (std::vector<Rgb>{kTableButtonRest, kTableButtonHover, kTableButtonRest}));
    for (const auto& [away, at] : {std::pair<QWidget*, QPointF>{h.w().picInfomation, {5, 5}},
                                   {h.w().picPool0, {5, 5}},
                                   {h.window.get(), {540 - 5, 325}}}) {
        move(h.w().lblMenu[0]);
        move(away, at);
        EXPECT_EQ(colours(), resting);
    }

    QTest::mouseClick(h.w().cmdShot, Qt::LeftButton);
    ASSERT_TRUE(h.game().isShotRunning());
    move(h.w().lblMenu[1]);
    EXPECT_EQ(colours(), resting);
}

TEST(MenuScreen, HoverColoursAndCaptionsChangeAndAreResetByThePanel) {
    WindowHarness h;
    MainWindow& w = h.w();
    for (const auto& [label, hover] : {std::pair{w.lblExit, kGreen},
                                       {w.lblLetsPlay, kGreen},
                                       {w.lblHelp, kDemoLabelHover},
                                       {w.lblMail, kMenuLinkHover}}) {
        move(label);
        EXPECT_EQ(label->textColour(), hover) << label->text().toStdString();
    }
    EXPECT_EQ(w.lblMail->text(), QStringLiteral("E-Mail:tovi@zandrel.example"));
    move(w.lblToHP);
    EXPECT_EQ(w.lblToHP->text(), QStringLiteral("Get New!: https://zandrel.example/"));
    EXPECT_GT(w.lblToHP->width(), 250); // the label grows with its caption

    w.initGameMode(); // solo play with the menu screen still up
    ASSERT_EQ(h.state().playMode, PlayMode::solo);
    move(w.picMenu, {300, 100});
    // The exit caption turns dark green, not its purple at load.
    for (const auto& [label, rest] : {std::pair{w.lblExit, kDarkGreen},
                                      {w.lblLetsPlay, kDarkGreen},
                                      {w.lblHelp, kMenuLinkRest},
                                      {w.lblMail, kMenuLinkRest}})
        EXPECT_EQ(label->textColour(), rest) << label->text().toStdString();
    EXPECT_EQ(w.lblMail->text(), QStringLiteral("E-Mail"));
    EXPECT_EQ(w.lblToHP->text(), QStringLiteral("Get New!"));
    EXPECT_EQ(h.state().playMode, PlayMode::menu);
}

} // namespace
} // namespace zandrel::testing
