// Keys go to the screen in front: a control the player cannot see never takes them.

#include "window_fixture.h"

#include <QScrollBar>
#include <QWindow>

namespace zandrel::testing {
namespace {

/// A started window that has the keyboard, and keys pressed in it as the system delivers them.
struct KeyboardWindow {
    KeyboardWindow() {
        h.w().activateWindow();
        active = QTest::qWaitForWindowActive(&h.w());
    }
    void press(Qt::Key key) { QTest::keyClick(h.w().windowHandle(), key); }
    int power() const { return h.state().power; }
    QString caption() const { return h.find<TextLabel>("lblPower")->text(); }
    void click(const char* control) { QTest::mouseClick(h.find(control), Qt::LeftButton); }

    WindowHarness h;
    bool active = false;
};

std::string keyName(Qt::Key key) {
    return QKeySequence(key).toString().toStdString();
}

TEST(Keys, TheMenuScreenStartsWithNoListHoldingThem) {
    KeyboardWindow k;
    ASSERT_TRUE(k.active);
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Space})
        k.press(key);
    EXPECT_EQ(k.h.find<QComboBox>("cmbPoints")->currentText(), QStringLiteral("5"));
    EXPECT_EQ(k.h.find<QComboBox>("cmbGameName")->currentIndex(), 0);
    EXPECT_EQ(k.h.find<QComboBox>("cmbVSMode")->currentIndex(), 0);
}

TEST(Keys, PressedOnTheTableTheyLeaveTheTargetChosenOnTheMenuScreen) {
    for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Left, Qt::Key_Down, Qt::Key_Tab,
                        Qt::Key_Space, Qt::Key_Return}) {
        SCOPED_TRACE(keyName(key));
        KeyboardWindow k;
        ASSERT_TRUE(k.active);
        // The player tabs to the points list and picks 3 with the arrow keys.
        auto* points = k.h.find<QComboBox>("cmbPoints");
        for (int tab = 0; tab < 5 && !points->hasFocus(); ++tab)
            k.press(Qt::Key_Tab);
        ASSERT_TRUE(points->hasFocus());
        k.press(Qt::Key_Up);
        ASSERT_EQ(points->currentText(), QStringLiteral("3"));
        k.click("lblLetsPlay");
        ASSERT_EQ(k.h.state().targetPoints, 3);

        k.press(key);
        k.click("lblMenu0"); // "Menu"
        EXPECT_EQ(points->currentText(), QStringLiteral("3"));
        k.click("lblLetsPlay");
        EXPECT_EQ(k.h.state().targetPoints, 3) << "the next game's target";
    }
}

TEST(Keys, OnTheTableThePowerBarTakesTheArrowPageHomeAndEndKeys) {
    KeyboardWindow k;
    ASSERT_TRUE(k.active);
    k.click("lblLetsPlay");
    EXPECT_TRUE(k.h.find<QScrollBar>("HScroll1")->hasFocus());
    // Small change 1, large change 10, the lower power on the left.
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Left, 99}, {Qt::Key_PageUp, 89}, {Qt::Key_Right, 90},
        {Qt::Key_Up, 89},   {Qt::Key_Down, 90},   {Qt::Key_Home, 1},
        {Qt::Key_End, 100}, {Qt::Key_Left, 99},   {Qt::Key_PageDown, 100}};
    for (const auto& [key, after] : steps) {
        k.press(key);
        EXPECT_EQ(k.power(), after) << keyName(key);
    }
    EXPECT_EQ(k.h.find<TextLabel>("lblPower")->text(), QStringLiteral("POWER  100%"));
}

TEST(Keys, ThePowerBarHasThemBackAfterEachShot) {
    KeyboardWindow k;
    ASSERT_TRUE(k.active);
    k.click("lblLetsPlay");
    k.h.find<QScrollBar>("HScroll1")->setValue(5);
    k.click("cmdShot");
    ASSERT_TRUE(k.h.game().isShotRunning());
    k.press(Qt::Key_PageUp); // the bar is off during the shot
    EXPECT_EQ(std::pair(k.power(), k.caption()), std::pair(5, QStringLiteral("POWER  5%")));
    ASSERT_NO_FATAL_FAILURE(restBalls(k.h));
    EXPECT_EQ(k.power(), 100) << "the power is reset after each shot";
    k.press(Qt::Key_PageUp);
    EXPECT_EQ(k.power(), 90);
}

TEST(Keys, DuringAShotThePowerBarTakesNoKeyNorClick) {
    KeyboardWindow k;
    ASSERT_TRUE(k.active);
    k.click("lblLetsPlay");
    auto* bar = k.h.find<QScrollBar>("HScroll1");
    bar->setValue(50); // in this order, every key and the trough would leave it elsewhere
    const std::pair held(50, QStringLiteral("POWER  50%"));
    // A click on the empty left of the bar, through the window as the player's click arrives.
    auto clickTrough = [&] {
        QTest::mouseClick(k.h.w().windowHandle(), Qt::LeftButton, {},
                          bar->mapTo(&k.h.w(), QPoint(bar->width() / 4, bar->height() / 2)));
    };
    k.click("cmdShot");
    ASSERT_TRUE(k.h.game().isShotRunning());
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_Right, Qt::Key_Down,
                        Qt::Key_PageDown, Qt::Key_End}) {
        k.press(key);
        EXPECT_EQ(std::pair(k.power(), k.caption()), held) << keyName(key);
    }
    clickTrough();
    EXPECT_EQ(std::pair(k.power(), k.caption()), held) << "a click on the trough";
    ASSERT_NO_FATAL_FAILURE(restBalls(k.h));
    clickTrough();
    EXPECT_EQ(std::pair(k.power(), k.caption()), std::pair(90, QStringLiteral("POWER  90%")))
        << "the trough pages down from 100 again";
}

TEST(Keys, BackOnTheMenuScreenThePowerBarIsOutOfReach) {
    KeyboardWindow k;
    ASSERT_TRUE(k.active);
    k.click("lblLetsPlay");
    ASSERT_TRUE(k.h.find<QScrollBar>("HScroll1")->hasFocus());
    k.click("lblMenu0");
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_PageUp, Qt::Key_Tab, Qt::Key_Left})
        k.press(key);
    EXPECT_EQ(k.power(), 100);
    EXPECT_FALSE(k.h.find<QScrollBar>("HScroll1")->hasFocus());
}

} // namespace
} // namespace zandrel::testing
