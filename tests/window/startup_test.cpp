// Start-up of the real window: where it lands, its layout, its captions in
// both languages, the settings it writes and the "/debug" trace.

#include "window_fixture.h"

namespace zandrel::testing {
namespace {

TEST(StartUp, LandsOnTheMenuScreenWithItsChoicesCaptionsAndStoredSwitches) {
    WindowHarness h(kJapanese, false, "[PINDOR]\nSOUND=2\nBGM=1\n");
    ASSERT_TRUE(h.started);
    MainWindow& w = h.w();
    EXPECT_TRUE(w.isVisible() && w.picMenu->isVisible() && h.messages.empty());
    EXPECT_EQ(w.cmbVSMode->currentText(), QStringLiteral("独り撞き"));
    EXPECT_FALSE(w.cmbVSMode->isEnabled());
    EXPECT_EQ(w.cmbGameName->currentText(), QStringLiteral("４つ球"));
    EXPECT_EQ(w.cmbPoints->currentText(), QStringLiteral("5"));
    EXPECT_EQ(w.cmbPoints->count(), 5);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zandrel Ver.0.02"));
    EXPECT_EQ(w.cmdShot->text(), QStringLiteral("SHOT!"));
    EXPECT_FALSE(w.mnuGame->menuAction()->isVisible()) << "no menu bar";
    EXPECT_EQ(w.size(), QSize(540, 372));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    expectPlaces({{w.picPool0, {0, 25, 540, 299}}});
    for (const QPoint at : {QPoint(270, 200), QPoint(100, 5), QPoint(500, 10), QPoint(20, 350)}) {
        QWidget* top = w.childAt(at);
        EXPECT_TRUE(top == w.picMenu || w.picMenu->isAncestorOf(top)) << "the menu screen covers " << at.x();
    }
    EXPECT_EQ(w.mnuRetry->text(), QStringLiteral("一手戻し"));
    // Music off goes through the icon's own handler: the settings test.
    EXPECT_FALSE(w.mnuSound->isChecked());
    EXPECT_TRUE(!w.picSound[0]->isVisible() && w.picSound[1]->isVisible());
    EXPECT_TRUE(w.timBGM->isActive());

    WindowHarness english(kEnglish); // the message font of each language: the trace's test
    EXPECT_EQ(english.w().mnuRetry->text(), QStringLiteral("Back"));
    // The mode item is set back to Japanese by the solo set-up.
    EXPECT_EQ(english.w().mnuChangeMode->text(), QStringLiteral("独り撞き→対戦(&M)"));
}

TEST(Settings, TheIconsAndTheMenuItemSwitchAtOnceAndClosingTheWindowClosesAllFiveTunes) {
    WindowHarness h;
    MainWindow& w = h.w();
    QTest::mouseClick(w.picBGM[0], Qt::LeftButton); // music off
    EXPECT_TRUE(!w.picBGM[0]->isVisible() && w.picBGM[1]->isVisible());
    EXPECT_FALSE(w.timBGM->isActive());
    QTest::mouseClick(w.picBGM[1], Qt::LeftButton);
    EXPECT_TRUE(w.timBGM->isActive());

    w.mnuSound->trigger(); // the menu item switches the sound but leaves the icons
    EXPECT_FALSE(w.mnuSound->isChecked());
    EXPECT_TRUE(w.picSound[0]->isVisible());
    EXPECT_EQ(w.sound().soundMode(), 0); // what the room stores: its own tests
    QTest::mouseClick(w.picSound[0], Qt::LeftButton);
    EXPECT_TRUE(w.picSound[1]->isVisible());
    QTest::mouseClick(w.picSound[1], Qt::LeftButton);
    EXPECT_EQ(w.sound().soundMode(), 1);
    EXPECT_FALSE(w.mnuSound->isChecked()) << "the icons leave the check mark as it was";

    // The music timer playing the game tune: the end-to-end test's caption.
    h.sound->take();
    w.close(); // which tunes: the sound room's part
    EXPECT_EQ(h.sound->take().size(), 5u);
}

TEST(DebugTrace, ReportsTheStartUpStepsWithTheMessageFontOfTheLanguage) {
    for (const auto& [lang, messageFont] : {std::pair{kJapanese, "ＭＳ ゴシック"}, {kEnglish, "Arial"}}) {
        WindowHarness h(lang, true);
        ASSERT_EQ(h.messages.size(), 32u) << lang;
        EXPECT_EQ(h.messages[25], "Pass 7-13 :lblTovisMessage.Font.Name" + std::string(messageFont));
    }
    for (const auto& [arguments, expected] : {std::pair<QStringList, bool>{{}, false},
                                              {{"/DEBUG"}, true},
                                              {{"x/Debugging"}, true},
                                              {{"/nomidi", "/debug"}, true},
                                              {{"/de", "bug"}, false},
                                              {{"debug"}, false}})
        EXPECT_EQ(isDebugCommandLine(arguments), expected) << arguments.join(' ').toStdString();
}

} // namespace
} // namespace zandrel::testing
