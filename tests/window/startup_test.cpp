#include "window_fixture.h"

#include "sound/sound_room.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace zandrel::testing {
namespace {

TEST(StartUp, LandsOnTheMenuScreenWithItsChoicesAndCaptions) {
    WindowHarness h;
    ASSERT_TRUE(h.started);
    MainWindow& w = h.w();
    QWidget* menuScreen = h.find("picMenu");
    EXPECT_EQ(std::pair(w.isVisible(), menuScreen->isVisible()), std::pair(true, true));
    EXPECT_EQ(h.messages, std::vector<std::string>{});
    const auto* players = h.find<QComboBox>("cmbVSMode");
    EXPECT_EQ(std::pair(players->currentText(), players->isEnabled()),
              std::pair(QStringLiteral("独り撞き"), false));
    const auto* points = h.find<QComboBox>("cmbPoints");
    EXPECT_EQ(
        std::tuple(h.find<QComboBox>("cmbGameName")->currentText(), points->currentText(), points->count()),
        std::tuple(QStringLiteral("４つ球"), QStringLiteral("5"), 5));
    EXPECT_EQ(std::pair(w.windowTitle(), h.find<QPushButton>("cmdShot")->text()),
              std::pair(QStringLiteral("Zandrel Ver.0.02"), QStringLiteral("SHOT!")));
    for (const QMenu* menu : w.findChildren<QMenu*>())
        EXPECT_FALSE(menu->menuAction()->isVisible()) << "no menu bar: " << menu->title().toStdString();
    EXPECT_EQ(std::pair(w.minimumSize(), w.maximumSize()), std::pair(QSize(540, 372), QSize(540, 372)));
    expectPlaces({{h.find("picPool0"), {0, 25, 540, 299}}});
    for (const QPoint at : {QPoint(270, 200), QPoint(100, 5), QPoint(500, 10), QPoint(20, 350)}) {
        QWidget* top = w.childAt(at);
        EXPECT_TRUE(top == menuScreen || menuScreen->isAncestorOf(top))
            << "the menu screen does not cover " << at.x() << "," << at.y();
    }
}

TEST(StartUp, AppliesTheStoredSwitchesAndWritesThemBackAsApplied) {
    WindowHarness h(kJapanese, false, "[PINDOR]\nSOUND=2\nBGM=1\n");
    // The sound item's check mark, the sound icons on and off, the music timer (off: the settings test).
    EXPECT_EQ(std::tuple(h.find<QAction>("mnuSound")->isChecked(), h.find("picSound0")->isVisible(),
                         h.find("picSound1")->isVisible(), h.find<QTimer>("timBGM")->isActive()),
              std::tuple(false, false, true, true));
    EXPECT_EQ(readBytes(h.settingsPath()), "[PINDOR]\nSOUND= 0\nBGM=-1\n") << "both written back as applied";
}

TEST(StartUp, WithoutASettingsFileWritesTheMusicSwitchBeforeTheSound) {
    WindowHarness h;
    EXPECT_EQ(readBytes(h.settingsPath()), "[PINDOR]\nBGM=-1\nSOUND= 1\n")
        << "in the order start-up applies them";
}

TEST(Settings, TheIconsAndTheMenuItemSwitchAtOnce) {
    WindowHarness h;
    QWidget* const music[] = {h.find("picBGM0"), h.find("picBGM1")};
    QWidget* const sound[] = {h.find("picSound0"), h.find("picSound1")};
    auto* musicTimer = h.find<QTimer>("timBGM");
    auto* soundItem = h.find<QAction>("mnuSound");
    QTest::mouseClick(music[0], Qt::LeftButton); // music off
    EXPECT_EQ(std::tuple(music[0]->isVisible(), music[1]->isVisible(), musicTimer->isActive()),
              std::tuple(false, true, false));
    QTest::mouseClick(music[1], Qt::LeftButton);
    EXPECT_TRUE(musicTimer->isActive());

    soundItem->trigger(); // the menu item switches the sound but leaves the icons
    EXPECT_EQ(std::tuple(soundItem->isChecked(), sound[0]->isVisible(), h.w().sound().soundMode()),
              std::tuple(false, true, 0)); // what the room stores: its own tests
    QTest::mouseClick(sound[0], Qt::LeftButton);
    EXPECT_TRUE(sound[1]->isVisible());
    QTest::mouseClick(sound[1], Qt::LeftButton);
    EXPECT_EQ(std::pair(h.w().sound().soundMode(), soundItem->isChecked()), std::pair(1, false))
        << "the icons leave the check mark as it was";
}

TEST(Shutdown, ClosingTheWindowClosesAllFiveTunes) {
    WindowHarness h;
    // The music timer playing the game tune: the end-to-end test's caption.
    h.sound->take();
    h.w().close(); // which tunes: the sound room's part
    EXPECT_EQ(h.sound->take().size(), 5u);
}

TEST(Languages, TheMessageFontAndTheMenuCaptionsFollowTheLanguage) {
    for (const auto& [lang, messageFont, back] :
         {std::tuple{kJapanese, "ＭＳ ゴシック", "一手戻し"}, {kEnglish, "Arial", "Back"}}) {
        WindowHarness h(lang, true); // the trace names the message font
        ASSERT_EQ(h.messages.size(), 32u) << lang;
        EXPECT_EQ(h.messages[25], "Pass 7-13 :lblTovisMessage.Font.Name" + std::string(messageFont));
        // The mode item is set back to Japanese by the solo set-up.
        EXPECT_EQ(std::pair(h.find<QAction>("mnuRetry")->text(), h.find<QAction>("mnuChangeMode")->text()),
                  std::pair(QString::fromUtf8(back), QStringLiteral("独り撞き→対戦(&M)")));
    }
}

TEST(DebugMode, TracesEveryStartUpStepInsteadOfShowingTheOpeningPicture) {
    WindowHarness h(kJapanese, true);
    EXPECT_EQ(h.messages.size(), 32u);
    EXPECT_EQ(h.w().openingWindow(), nullptr);
}

TEST(DebugMode, IsOnWhenAnArgumentHoldsSlashDebugInAnyCase) {
    const std::pair<const char*, bool> commandLines[] = {{"", false},           {"/DEBUG", true},
                                                         {"x/Debugging", true}, {"/nomidi /debug", true},
                                                         {"/de bug", false},    {"debug", false}};
    for (const auto& [line, expected] : commandLines)
        EXPECT_EQ(isDebugCommandLine(QString::fromLatin1(line).split(' ', Qt::SkipEmptyParts)), expected)
            << line;
}

/// Shows a real box over `parent`, closes it as soon as it is up and returns its centre.
QPoint boxCentre(QWidget* parent) {
    QPoint centre(-1, -1);
    onModal<QMessageBox>([&] { showMessageBox("Pass 1 !", parent); },
                         [&](QMessageBox& box) { centre = box.geometry().center(); });
    return centre;
}

TEST(MessageBox, StandsInTheMiddleOfTheScreenUntilTheMainWindowShowsThenOverIt) {
    ensureQtApp();
    EnvGuard env;
    env.set(kMessageLogVariable, std::nullopt);
    QWidget window;
    window.setGeometry(30, 20, 540, 372); // where a hidden window waits
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    ASSERT_GT((screenCentre - window.geometry().center()).manhattanLength(), 50);

    for (QWidget* parent : {static_cast<QWidget*>(nullptr), &window})
        EXPECT_LE((boxCentre(parent) - screenCentre).manhattanLength(), 2);
    window.show();
    EXPECT_LE((boxCentre(&window) - window.geometry().center()).manhattanLength(), 2);
}

} // namespace
} // namespace zandrel::testing
