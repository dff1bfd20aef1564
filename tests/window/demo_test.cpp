// Tovi's demonstration on the real window: the caption label over the table,
// the shot button's "DEMO" look and the table-screen labels. The window's
// timers are stood in for by direct calls; what a click on the table does is
// the game's tests' part, that it reaches the game the end-to-end test's.

#include "window_fixture.h"

namespace zandrel::testing {
namespace {

TEST(Demonstration, ShowsTovisCaptionTheDemoButtonAndNoTableButtons) {
    WindowHarness h;
    MainWindow& w = h.w();
    startDemo(h);
    for (TextLabel* button : w.lblMenu)
        EXPECT_FALSE(button->isVisible());
    EXPECT_EQ(w.cmdShot->text(), QStringLiteral("DEMO"));
    EXPECT_EQ(w.cmdShot->font().family(), QStringLiteral("Arial"));
    EXPECT_TRUE(w.cmdShot->font().bold());
    EXPECT_EQ(w.cmdShot->font().pixelSize(), 16) << "12 points";
    w.mnuChangeMode->trigger(); // the mode switch and the match result do nothing here
    w.mnuCurrentCondition->trigger();
    EXPECT_EQ(h.state().playMode, PlayMode::demo);

    h.game().timCom_Timer();
    h.game().timCom_Timer();
    EXPECT_TRUE(w.lblTovisMessage->isVisible());
    EXPECT_EQ(w.lblTovisMessage->text(), QStringLiteral("サーブです。白玉が私の手玉です"));
    // Its green writing over the table: the end-to-end test's.
    EXPECT_FALSE(w.cmdShot->isEnabled());
}

} // namespace
} // namespace zandrel::testing
