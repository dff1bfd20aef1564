#include "window_fixture.h"

#include "window/colours.h"
#include "window/shape_widget.h"

#include <QScrollBar>

#include <tuple>

namespace zandrel::testing {
namespace {

class Playing : public ::testing::Test {
protected:
    void SetUp() override { letsPlay(h); }
    WindowHarness h;
};

QPointF place(const ShapeWidget* shape) {
    return {shape->left(), shape->top()};
}

TEST_F(Playing, TheMouseAimsOnTheTable) {
    auto* table = h.find("picPool0");
    auto* marker = h.find<ShapeWidget>("shpTarget");
    sendMouse(table, QEvent::MouseButtonPress, {10, 290});
    EXPECT_EQ(place(marker), QPointF(30, 250));
    sendMouse(table, QEvent::MouseMove, {600, -20}, Qt::NoButton);
    EXPECT_EQ(place(marker), QPointF(590, -30)) << "a drag can leave the table";
    move(table, {100, 100});
    EXPECT_EQ(place(marker), QPointF(590, -30)) << "no button: no aim";
    sendMouse(table, QEvent::MouseButtonRelease, {600, -20}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(place(marker), QPointF(490, 30)) << "the aim the game clamped";
    sendMouse(table, QEvent::MouseButtonPress, {270, 150}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(std::pair(h.state().table.target.x, h.state().table.target.y), std::pair(1200.0f, 600.0f))
        << "right aims too";
}

TEST_F(Playing, TheMousePicksTheCueTip) {
    sendMouse(h.find("picSetPoint"), QEvent::MouseButtonPress, {38.5, 22.5});
    EXPECT_EQ(place(h.find<ShapeWidget>("shpPoint")), QPointF(36, 20)) << "the game's choice";
}

TEST_F(Playing, TheCueTipStaysPutDuringAShotAndTakesTheMouseAgainWhenTheBallsRest) {
    auto* picker = h.find("picSetPoint");
    const auto* marker = h.find<ShapeWidget>("shpPoint");
    // Right of the centre, within reach; through the window, as the player's click arrives.
    auto clickRightOfCentre = [&] {
        QTest::mouseClick(h.w().windowHandle(), Qt::LeftButton, {}, picker->mapTo(&h.w(), QPoint(38, 22)));
    };
    auto tip = [&] { return std::tuple(place(marker), h.state().tipOffsetX, h.state().tipOffsetY); };
    const auto centred = std::tuple(QPointF(20, 20), 0.0f, 0.0f);
    ASSERT_EQ(tip(), centred);
    QTest::mouseClick(h.find("cmdShot"), Qt::LeftButton);
    ASSERT_TRUE(h.game().isShotRunning());
    clickRightOfCentre();
    EXPECT_EQ(tip(), centred) << "a click during the shot";
    ASSERT_NO_FATAL_FAILURE(restBalls(h));
    clickRightOfCentre();
    EXPECT_EQ(place(marker), QPointF(35.5, 19.5)) << "the marker centred on the click";
    EXPECT_GT(h.state().tipOffsetX, 0.0f) << "side spin to the right";
}

TEST_F(Playing, ThePowerBarAndTheGamesPowerFollowEachOther) {
    // The bar moves the game's power; the game's power moves the bar and its caption.
    auto* bar = h.find<QScrollBar>("HScroll1");
    auto* caption = h.find<TextLabel>("lblPower");
    EXPECT_EQ(caption->text(), QStringLiteral("POWER 100%"));
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(std::pair(caption->text(), h.state().power), std::pair(QStringLiteral("POWER  90%"), 90));
    bar->setValue(100);
    EXPECT_EQ(caption->text(), QStringLiteral("POWER  100%"));
    bar->setValue(1);
    EXPECT_EQ(h.state().power, 1);
    h.game().setPower(49);
    EXPECT_EQ(std::pair(bar->value(), caption->text()), std::pair(49, QStringLiteral("POWER  49%")));
}

TEST_F(Playing, TheTableButtonsLightUpUnderThePointerExceptDuringAShot) {
    TextLabel* const buttons[] = {h.find<TextLabel>("lblMenu0"), h.find<TextLabel>("lblMenu1"),
                                  h.find<TextLabel>("lblMenu2")};
    auto colours = [&] {
        return std::vector<Rgb>{buttons[0]->textColour(), buttons[1]->textColour(), buttons[2]->textColour()};
    };
    const std::vector<Rgb> resting(3, kTableButtonRest);
    move(buttons[1]);
    EXPECT_EQ(colours(), (std::vector<Rgb>{kTableButtonRest, kTableButtonHover, kTableButtonRest}));
    for (const auto& [away, at] : {std::pair<QWidget*, QPointF>{h.find("picInfomation"), {5, 5}},
                                   {h.find("picPool0"), {5, 5}},
                                   {&h.table(), {540 - 5, 325}}}) {
        move(buttons[0]);
        move(away, at);
        EXPECT_EQ(colours(), resting);
    }

    QTest::mouseClick(h.find("cmdShot"), Qt::LeftButton);
    ASSERT_TRUE(h.game().isShotRunning());
    move(buttons[1]);
    EXPECT_EQ(colours(), resting);
}

} // namespace
} // namespace zandrel::testing
