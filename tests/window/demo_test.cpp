// Tovi's demonstration on the real window: the caption label over the table,
// the shot button's "DEMO" look and the table-screen labels. The window's
// timers are stood in for by direct calls; what a click on the table does is
// the game's tests' part, that it reaches the game the end-to-end test's.

#include "window_fixture.h"

#include <QAction>
#include <QPushButton>

namespace zandrel::testing {
namespace {

TEST(Demonstration, ShowsTovisCaptionTheDemoButtonAndNoTableButtons) {
    WindowHarness h;
    startDemo(h);
    for (const char* button : {"lblMenu0", "lblMenu1", "lblMenu2"})
        EXPECT_FALSE(h.find(button)->isVisible()) << button;
    auto* shot = h.find<QPushButton>("cmdShot");
    EXPECT_EQ(shot->text(), QStringLiteral("DEMO"));
    EXPECT_EQ(shot->font().family(), QStringLiteral("Arial"));
    EXPECT_TRUE(shot->font().bold());
    EXPECT_EQ(shot->font().pixelSize(), 16) << "12 points";
    h.find<QAction>("mnuChangeMode")->trigger(); // the mode switch and the match result do nothing here
    h.find<QAction>("mnuCurrentCondition")->trigger();
    EXPECT_EQ(h.state().playMode, PlayMode::demo);

    h.game().timCom_Timer();
    h.game().timCom_Timer();
    auto* caption = h.find<TextLabel>("lblTovisMessage");
    EXPECT_TRUE(caption->isVisible());
    EXPECT_EQ(caption->text(), QStringLiteral("サーブです。白玉が私の手玉です"));
    // Its green writing over the table: the end-to-end test's.
    EXPECT_FALSE(shot->isEnabled());
}

} // namespace
} // namespace zandrel::testing
