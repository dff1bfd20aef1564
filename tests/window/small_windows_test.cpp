// The small windows behind the hidden menus, the opening picture and the
// links, driven through their menu items and on their widgets.

#include "window_fixture.h"

#include "game/small_windows.h"
#include "window/colours.h"
#include "window/links.h"
#include "window/opening_window.h"
#include "window/record_window.h"
#include "window/small_window.h"
#include "window/version_window.h"
#include "window/vs_mode_dialog.h"
#include "window/vs_result_window.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace zandrel::testing {
namespace {

constexpr Rgb kMagenta = rgb(255, 0, 255);

/// Runs `act` on the modal window of type W that the next step opens, then
/// makes sure no modal window is left (a missing window fails the test).
template <class W> void onNextModal(std::function<void(W&)> act) {
    QTimer::singleShot(0, [act] {
        auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
        if (window == nullptr) {
            ADD_FAILURE() << "no such window opened";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        act(*window);
        if (window->isVisible())
            window->close();
    });
}

void letsPlay(WindowHarness& h, const QString& gameName = QString::fromUtf8(kGameKindChoices[0].caption)) {
    h.w().cmbGameName->setCurrentText(gameName);
    QTest::mouseClick(h.w().lblLetsPlay, Qt::LeftButton);
}

/// Opens the two-player set-up from a solo game and runs `act` on it.
void setUpTwoPlayers(WindowHarness& h, std::function<void(VsModeDialog&)> act) {
    onNextModal<VsModeDialog>(std::move(act));
    h.w().mnuChangeMode->trigger();
}

void clickOk(VsModeDialog& d) {
    QTest::mouseClick(d.picOK, Qt::LeftButton);
}

// --- Two-player set-up ---------------------------------------------------------------

TEST(VsModeDialog, LaysOutItsControlsOverTheMainWindowAndFillsThemFromTheGame) {
    WindowHarness h;
    letsPlay(h);
    bool opened = false;
    setUpTwoPlayers(h, [&](VsModeDialog& d) {
        opened = true;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Pindor"));
        EXPECT_EQ(d.size(), QSize(201, 187));
        EXPECT_EQ(d.pos(), h.w().pos() + QPoint(169, 95)) << "centred by whole twips, halves dropped";
        EXPECT_EQ(d.txtPlayerName[0]->geometry(), QRect(8, 16, 187, 36));
        EXPECT_EQ(d.txtPlayerName[1]->geometry(), QRect(8, 78, 187, 37));
        EXPECT_EQ(d.Label1->geometry(), QRect(72, 54, 39, 23));
        EXPECT_EQ(d.lblXwins->geometry(), QRect(10, 124, 161, 25));
        EXPECT_EQ(d.VScroll1->geometry(), QRect(176, 124, 19, 25));
        EXPECT_EQ(d.picOK->geometry(), QRect(58, 152, 64, 32));
        EXPECT_EQ(d.picCancel->geometry(), QRect(128, 152, 64, 32));
        EXPECT_EQ(d.Label1->text(), QStringLiteral("VS"));
        EXPECT_EQ(d.Label1->textColour(), kMagenta);
        EXPECT_EQ(d.txtPlayerName[0]->text(), QStringLiteral("Player1"));
        EXPECT_EQ(d.txtPlayerName[1]->text(), QStringLiteral("Player2"));
        EXPECT_EQ(d.txtPlayerName[0]->maxLength(), 12);
        EXPECT_TRUE(d.txtPlayerName[1]->isEnabled());
        EXPECT_EQ(d.lblXwins->text(), QStringLiteral("3Wins Match"));
        EXPECT_EQ(d.winsValue(), 3);
        EXPECT_EQ(h.w().gameState().playMode, playModeTwoPlayers) << "two-player play while the dialog is up";
        // The first box has the focus with its whole name selected.
        QTest::qWait(10);
        EXPECT_TRUE(d.txtPlayerName[0]->hasFocus());
        EXPECT_EQ(d.txtPlayerName[0]->selectedText(), QStringLiteral("Player1"));
        std::vector<QWidget*> chain;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            chain.push_back(QApplication::focusWidget());
        }
        EXPECT_EQ(chain, (std::vector<QWidget*>{d.txtPlayerName[1], d.VScroll1, d.picOK, d.picCancel,
                                                d.txtPlayerName[0]}));
        QTest::qWait(10);
        EXPECT_EQ(d.txtPlayerName[0]->selectedText(), QStringLiteral("Player1"))
            << "Tab selects the name too";
        clickOk(d);
    });
    EXPECT_TRUE(opened);
}

TEST(VsModeDialog, OkStartsATwoPlayerGameWithTheTypedNames) {
    WindowHarness h;
    letsPlay(h, QString::fromUtf8(kGameKindChoices[1].caption));
    setUpTwoPlayers(h, [](VsModeDialog& d) {
        QTest::qWait(10);
        QTest::keyClicks(d.txtPlayerName[0], QStringLiteral("Annabel-Lee-Smith")); // replaces the selection
        EXPECT_EQ(d.txtPlayerName[0]->text(), QStringLiteral("Annabel-Lee-"));
        // A click into the second box selects its name; typing replaces it.
        QTest::mouseClick(d.txtPlayerName[1], Qt::LeftButton);
        QTest::qWait(10);
        QTest::keyClicks(d.txtPlayerName[1], QStringLiteral("Bob"));
        EXPECT_EQ(d.txtPlayerName[1]->text(), QStringLiteral("Bob"));
        clickOk(d);
    });
    MainWindow& w = h.w();
    const GameState& s = w.gameState();
    EXPECT_EQ(s.playMode, playModeTwoPlayers);
    EXPECT_EQ(s.players[0].name, "Annabel-Lee-");
    EXPECT_EQ(s.players[1].name, "Bob         ");
    EXPECT_EQ(w.cmdShot->text(), QStringLiteral("Annabel-Lee-'s Shot"));
    EXPECT_EQ(w.cmdShot->font().family(), QStringLiteral("Arial"));
    EXPECT_TRUE(w.cmdShot->font().bold());
    EXPECT_EQ(w.cmdShot->font().pixelSize(), pointsToPixels(12.0));
    EXPECT_EQ(w.mnuChangeMode->text(), QStringLiteral("対戦→独り撞き(&S)"));
    EXPECT_FALSE(w.mnuStart->isEnabled());
    EXPECT_FALSE(w.picMenu->isVisible());
    EXPECT_FALSE(s.table.balls[3].onTable) << "a three-ball rack again";
    EXPECT_TRUE(w.lblMenu[1]->isVisible() && w.lblMenu[2]->isVisible()) << "the solo buttons stay";
}

TEST(VsModeDialog, TheUpperArrowRaisesTheGamesToWinByTwoWithinOneAndFifteen) {
    WindowHarness h;
    letsPlay(h);
    setUpTwoPlayers(h, [&](VsModeDialog& d) {
        const QPoint upper(9, 2), lower(9, 22);
        std::vector<int> values;
        for (int i = 0; i < 7; ++i) {
            QTest::mouseClick(d.VScroll1, Qt::LeftButton, {}, upper);
            values.push_back(h.w().gameState().winsNeeded);
        }
        EXPECT_EQ(values, (std::vector<int>{5, 7, 9, 11, 13, 15, 15}));
        EXPECT_EQ(d.lblXwins->text(), QStringLiteral("15Wins Match"));
        for (int i = 0; i < 8; ++i)
            QTest::mouseClick(d.VScroll1, Qt::LeftButton, {}, lower);
        EXPECT_EQ(h.w().gameState().winsNeeded, 1);
        EXPECT_EQ(d.lblXwins->text(), QStringLiteral("1 Win Match"));
        QTest::mouseClick(d.VScroll1, Qt::LeftButton, {}, upper);
        QTest::mouseClick(d.picCancel, Qt::LeftButton);
    });
    MainWindow& w = h.w();
    EXPECT_EQ(w.gameState().winsNeeded, 3) << "Cancel keeps the games to win";
    EXPECT_EQ(w.gameState().playMode, playModeMenu);
    EXPECT_FALSE(w.gameState().isVsCpu);
    EXPECT_TRUE(w.picMenu->isVisible());
    EXPECT_EQ(w.cmdShot->text(), QStringLiteral("SHOT!"));
    EXPECT_TRUE(w.mnuStart->isEnabled());
    EXPECT_EQ(w.mnuChangeMode->text(), QStringLiteral("独り撞き→対戦(&M)"));

    // The next opening shows the kept value.
    letsPlay(h);
    setUpTwoPlayers(h, [](VsModeDialog& d) {
        EXPECT_EQ(d.lblXwins->text(), QStringLiteral("3Wins Match"));
        EXPECT_EQ(d.winsValue(), 3);
        d.close();
    });
}

TEST(VsModeDialog, TheCloseBoxStartsTheGameLeavingNamesAndCaptionsAlone) {
    WindowHarness h;
    letsPlay(h);
    setUpTwoPlayers(h, [](VsModeDialog& d) {
        QTest::keyClicks(d.txtPlayerName[0], QStringLiteral("Zed"));
        QTest::keyClick(&d, Qt::Key_Escape); // no way out but the three
        EXPECT_TRUE(d.isVisible());
        d.close();
    });
    MainWindow& w = h.w();
    EXPECT_EQ(w.gameState().playMode, playModeTwoPlayers);
    EXPECT_EQ(w.gameState().players[0].name, "Player1     ");
    EXPECT_EQ(w.cmdShot->text(), QStringLiteral("Shot!"));
    EXPECT_EQ(w.mnuChangeMode->text(), QStringLiteral("独り撞き→対戦(&M)"));
    EXPECT_FALSE(w.mnuStart->isEnabled());
    EXPECT_FALSE(w.picMenu->isVisible());
}

TEST(VsModeDialog, OnlyTheExactComputerNameLocksTheSecondBox) {
    WindowHarness h;
    for (const auto& [second, locked] : {std::pair{"tovi", true}, {"Tovi", false}, {"tovi ", true}}) {
        letsPlay(h);
        setUpTwoPlayers(h, [second](VsModeDialog& d) {
            d.txtPlayerName[0]->setText(QStringLiteral("You"));
            d.txtPlayerName[1]->setText(QString::fromLatin1(second));
            clickOk(d);
        });
        EXPECT_EQ(h.w().cmdShot->text(), QStringLiteral("Your Shot"));
        h.w().mnuChangeMode->trigger(); // back to solo play
        EXPECT_EQ(h.w().gameState().playMode, playModeSolo);
        setUpTwoPlayers(h, [locked](VsModeDialog& d) {
            EXPECT_EQ(!d.txtPlayerName[1]->isEnabled(), locked) << d.txtPlayerName[1]->text().toStdString();
            d.close();
        });
        QTest::mouseClick(h.w().lblMenu[0], Qt::LeftButton);
    }
}

// --- Match result ------------------------------------------------------------------

TEST(VsResultWindow, OpensInTwoPlayerPlayUndecidedWithNamesAsStored) {
    WindowHarness h;
    letsPlay(h);
    setUpTwoPlayers(h, [](VsModeDialog& d) {
        d.txtPlayerName[0]->setText(QStringLiteral("  Ann"));
        d.txtPlayerName[1]->setText(QStringLiteral("Bob"));
        clickOk(d);
    });
    bool opened = false;
    onNextModal<VsResultWindow>([&](VsResultWindow& r) {
        opened = true;
        EXPECT_EQ(r.windowTitle(), QStringLiteral("Pindor"));
        EXPECT_EQ(r.size(), QSize(299, 176));
        EXPECT_EQ(r.pos(), h.w().pos() + QPoint(120, 101));
        EXPECT_EQ(r.lblWinner->geometry(), QRect(4, 0, 291, 55));
        EXPECT_EQ(r.lblPlayerName[1]->geometry(), QRect(6, 98, 233, 35));
        EXPECT_EQ(r.lblWins[0]->geometry(), QRect(244, 60, 49, 35));
        EXPECT_EQ(r.picOK->geometry(), QRect(112, 134, 64, 32));
        EXPECT_EQ(r.lblWinner->text(), QStringLiteral("Now, Break Time!"));
        EXPECT_EQ(r.lblWinner->textColour(), kGreen);
        EXPECT_EQ(r.lblPlayerName[0]->text(), QStringLiteral("  Ann       "));
        EXPECT_EQ(r.lblWins[0]->text(), QStringLiteral(" 0"));
        EXPECT_EQ(r.lblWins[1]->textColour(), kGreen);
        QTest::mouseClick(r.picOK, Qt::LeftButton);
        EXPECT_FALSE(r.isVisible());
    });
    h.w().mnuCurrentCondition->trigger();
    EXPECT_TRUE(opened);
    EXPECT_EQ(h.w().gameState().playMode, playModeTwoPlayers);
}

TEST(VsResultWindow, ADecidedMatchIsMagentaAndCharacterKeysClose) {
    WindowHarness h;
    GameState state;
    state.winsNeeded = 3;
    state.players[0] = {fixedPlayerName(" Ann "), false, 3};
    state.players[1] = {fixedPlayerName("Bob"), false, 4};
    VsResultWindow r(state, nullptr, {});
    EXPECT_EQ(r.lblWinner->text(), QStringLiteral("Bob defeated Ann")) << "the side on turn wins";
    for (TextLabel* label : {r.lblWinner, r.lblPlayerName[0], r.lblWins[0], r.lblPlayerName[1], r.lblWins[1]})
        EXPECT_EQ(label->textColour(), kMagenta);

    struct Key {
        Qt::Key key;
        bool closes;
    };
    for (const Key k : {Key{Qt::Key_Left, false},
                        {Qt::Key_F3, false},
                        {Qt::Key_Shift, false},
                        {Qt::Key_A, true},
                        {Qt::Key_Space, true},
                        {Qt::Key_Return, true},
                        {Qt::Key_Escape, true},
                        {Qt::Key_5, true}}) {
        r.show();
        QTest::keyClick(&r, k.key);
        EXPECT_EQ(!r.isVisible(), k.closes) << QKeySequence(k.key).toString().toStdString();
    }
}

// --- Version window ------------------------------------------------------------------

TEST(VersionWindow, ShowsNameVersionAndLevelAFifthDownTheScreen) {
    WindowHarness h;
    int ticks = 0;
    for (const auto& [level, line] : {std::pair{3, " Tovi's Level is 3."}, {11, " Tovi is a Master!"}}) {
        VersionWindow v(level, ticks);
        EXPECT_EQ(v.Label1->text(), QStringLiteral(" Ver.0.02\n") + QString::fromLatin1(line));
        EXPECT_EQ(v.windowTitle(), QStringLiteral("バージョン情報"));
        EXPECT_EQ(v.size(), QSize(332, 127));
        EXPECT_EQ(v.Label4->text(), QStringLiteral("Zandrel"));
        EXPECT_EQ(v.Command1->geometry(), QRect(272, 4, 53, 29));
        EXPECT_EQ(v.picQuorl->geometry(), QRect(4, 88, 33, 33));
        EXPECT_EQ(v.pos(), fifthFromTop(screenSizeTwips(), VersionWindow::kClientSize));
    }
}

TEST(VersionWindow, TheMascotDancesTwentyOneTicksFirstAndKeepsItsCountAcrossShowings) {
    WindowHarness h;
    int& ticks = h.w().mascotTicks();
    auto frameShown = [](VersionWindow& v, int frame) {
        Surface expected(32, 32);
        bitBlt(expected, 0, 0, 32, 32, v.picQuorls, 32 * frame, 0, RasterOp::srcCopy);
        Surface shown(32, 32);
        bitBlt(shown, 0, 0, 32, 32, v.picQuorl->image(), 0, 0, RasterOp::srcCopy);
        return shown == expected;
    };
    {
        VersionWindow v(1, ticks);
        EXPECT_FALSE(v.Timer1->isActive());
        QTest::mouseClick(v.picQuorl, Qt::LeftButton);
        EXPECT_TRUE(v.Timer1->isActive());
        EXPECT_EQ(v.Timer1->interval(), 50);
        const int frames[] = {0, 1, 2, 3, 4, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 4, 3, 2, 1, 0, 0};
        for (int i = 0; i < 21; ++i) {
            EXPECT_TRUE(v.Timer1->isActive()) << i;
            v.Timer1_Timer();
            EXPECT_TRUE(frameShown(v, frames[i])) << i;
            if (i == 3)
                QTest::mouseClick(v.picQuorl, Qt::LeftButton); // a second click changes nothing
        }
        EXPECT_FALSE(v.Timer1->isActive());
        EXPECT_EQ(ticks, 1);
        QTest::mouseClick(v.picQuorl, Qt::LeftButton);
        for (int i = 0; i < 5; ++i)
            v.Timer1_Timer();
    } // closed in the middle of the run
    EXPECT_EQ(ticks, 6);
    bool opened = false;
    onNextModal<VersionWindow>([&](VersionWindow& v) {
        opened = true;
        EXPECT_FALSE(v.Timer1->isActive());
        EXPECT_TRUE(frameShown(v, 0)) << "at rest";
        EXPECT_FALSE(frameShown(v, 3));
        QTest::mouseClick(v.picQuorl, Qt::LeftButton);
        v.Timer1_Timer();
        EXPECT_TRUE(frameShown(v, 3)) << "the run goes on where it stopped";
        QTest::mouseClick(v.Command1, Qt::LeftButton);
    });
    h.w().mnuAbout->trigger();
    EXPECT_TRUE(opened);
    EXPECT_EQ(ticks, 7);
}

// --- Current condition ---------------------------------------------------------------

/// The top rows of the places where the 20 x 20 cell `cell` of `balls` shows
/// whole in `canvas` at `x`.
std::vector<int> iconRows(const Surface& canvas, const Surface& balls, int cell, int x) {
    std::vector<int> rows;
    for (int y = 0; y + 20 <= canvas.height(); ++y) {
        bool same = true;
        for (int dy = 0; dy < 20 && same; ++dy)
            for (int dx = 0; dx < 20 && same; ++dx)
                same = canvas.pixel(x + dx, y + dy) == balls.pixel(20 * cell + dx, dy);
        if (same)
            rows.push_back(y);
    }
    return rows;
}

TEST(RecordWindow, PrintsTheLinesAndOneIconPerBallOffTheTable) {
    WindowHarness h;
    GameState state;
    state.shotCount = 123;
    state.playSeconds = 3725;
    setFirstPosition(state.table, kGameKindThreeBall);
    RecordWindow r(state, h.w().picBalls);
    Surface canvas(217, 238);
    r.drawCondition(canvas);
    const int lineHeight18 = QFontMetrics(gameFont(kFontArial, 18.0, false)).height();
    const int lineHeight20 = QFontMetrics(gameFont(kFontArial, 20.0, false)).height();
    const int iconTop = lineHeight20 + 5 * lineHeight18 + 2;
    EXPECT_EQ(iconRows(canvas, h.w().picBalls, 3, 10), std::vector<int>{iconTop});
    EXPECT_TRUE(iconRows(canvas, h.w().picBalls, 3, 32).empty()) << "one icon only";
    EXPECT_EQ(canvas.pixel(216, 237), kBlack);
    int green = 0;
    for (int y = 0; y < lineHeight20; ++y)
        for (int x = 0; x < 217; ++x)
            green += canvas.pixel(x, y) == kGreen;
    EXPECT_GT(green, 50) << "the heading is printed in green";

    state.table.balls[1].onTable = false;
    r.drawCondition(canvas);
    EXPECT_EQ(iconRows(canvas, h.w().picBalls, 1, 10), std::vector<int>{iconTop});
    EXPECT_EQ(iconRows(canvas, h.w().picBalls, 3, 32), std::vector<int>{iconTop}) << "22 pixels apart";

    setFirstPosition(state.table, kGameKindFourBall);
    r.drawCondition(canvas);
    for (int cell : {1, 2, 3})
        EXPECT_TRUE(iconRows(canvas, h.w().picBalls, cell, 10).empty());
}

TEST(RecordWindow, OpensInSoloPlayCentredAndDrawsTheCurrentValuesAtEachPaint) {
    WindowHarness h;
    letsPlay(h);
    bool opened = false;
    onNextModal<RecordWindow>([&](RecordWindow& r) {
        opened = true;
        EXPECT_EQ(r.windowTitle(), QStringLiteral("Your Record"));
        EXPECT_EQ(r.size(), QSize(217, 238));
        EXPECT_EQ(r.pos(), centredOnScreen(screenSizeTwips(), RecordWindow::kClientSize));
        EXPECT_EQ(r.picOK->geometry(), QRect(74, 198, 66, 34));
        const QImage before = r.grab().toImage();
        for (int i = 0; i < 61; ++i)
            h.game().timTimeCounter_Timer();
        EXPECT_NE(r.grab().toImage(), before) << "the time is drawn afresh";
        QTest::mouseClick(r.picOK, Qt::LeftButton);
    });
    h.w().mnuCurrentCondition->trigger();
    EXPECT_TRUE(opened);

    QTest::mouseClick(h.w().lblMenu[0], Qt::LeftButton); // the menu screen: the item does nothing
    h.w().mnuCurrentCondition->trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// --- Placement -----------------------------------------------------------------------

TEST(Placement, WholeTwipsHalvedTowardZeroAlsoOnSmallScreens) {
    const QSize screen800(800 * 15, 600 * 15), screen200(200 * 15, 150 * 15);
    EXPECT_EQ(OpeningWindow::placeOnScreen(screen800), QPoint(267, 188));
    EXPECT_EQ(OpeningWindow::placeOnScreen(screen200), QPoint(-33, -36));
    EXPECT_EQ(fifthFromTop(screen800, {332, 127}), QPoint(233, 90));
    EXPECT_EQ(centredOnScreen(screen800, {217, 238}), QPoint(290, 171));
    EXPECT_EQ(centredOver({10, 20}, {8130, 5970}, {201, 187}), QPoint(179, 115));
    EXPECT_EQ(halfDifference(3, 10), -3);
}

// --- Opening picture -------------------------------------------------------------------

TEST(OpeningWindow, TheSixthTickOrTheFirstClickClosesItAndShowsTheMainWindowOnce) {
    WindowHarness h;
    int shown = 0;
    {
        OpeningWindow o([&] { ++shown; });
        o.show();
        EXPECT_EQ(o.size(), QSize(266, 223));
        EXPECT_TRUE(o.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(o.pos(), OpeningWindow::placeOnScreen(screenSizeTwips()));
        EXPECT_EQ(o.Timer1->interval(), 1000);
        const QImage picture = QImage(kPictureOpening).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(o.picture->image().pixel(265, 222), Rgb(picture.pixel(265, 222) & 0xffffff));
        EXPECT_EQ(o.picture->image().pixel(0, 0), Rgb(picture.pixel(0, 0) & 0xffffff));
        for (int i = 0; i < 5; ++i)
            o.Timer1_Timer();
        EXPECT_TRUE(o.isVisible());
        EXPECT_EQ(shown, 0);
        o.Timer1_Timer();
        EXPECT_FALSE(o.isVisible());
        EXPECT_FALSE(o.Timer1->isActive());
        EXPECT_EQ(shown, 1);
    }
    OpeningWindow o([&] { ++shown; });
    o.show();
    o.Timer1_Timer();
    QTest::mouseClick(o.picture, Qt::LeftButton);
    EXPECT_FALSE(o.isVisible());
    EXPECT_FALSE(o.Timer1->isActive()) << "no tick after closing";
    QTest::mouseClick(o.picture, Qt::LeftButton);
    EXPECT_EQ(shown, 2);
}

TEST(OpeningWindow, StartUpShowsItInsteadOfTheMainWindowExceptWithDebug) {
    WindowHarness h(kJapanese, false, nullptr, true);
    OpeningWindow* opening = h.w().openingWindow();
    ASSERT_NE(opening, nullptr);
    EXPECT_TRUE(opening->isVisible());
    EXPECT_FALSE(h.w().isVisible());
    QTest::mouseClick(opening->picture, Qt::LeftButton);
    EXPECT_TRUE(h.w().isVisible());
    QTest::qWait(10);
    EXPECT_EQ(h.w().openingWindow(), nullptr);

    WindowHarness debug(kJapanese, true);
    EXPECT_EQ(debug.w().openingWindow(), nullptr);
    EXPECT_TRUE(debug.w().isVisible());
}

// --- Help and links --------------------------------------------------------------------

class LinkRecorder : public QObject {
    Q_OBJECT
public:
    LinkRecorder() {
        for (const char* scheme : {"file", "mailto", "https", "http"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~LinkRecorder() override {
        for (const char* scheme : {"file", "mailto", "https", "http"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

TEST(Links, HelpMailAndHomePageGoToTheDesktopAndTheGameGoesOn) {
    WindowHarness h;
    LinkRecorder links;
    MainWindow& w = h.w();
    const QUrl help =
        QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/help.html"));
    QUrl index = help;
    index.setFragment(QStringLiteral("index"));

    w.mnuHelpCont->trigger();
    w.mnuKey->trigger();
    QTest::mouseClick(w.lblCopyright[0], Qt::LeftButton);
    QTest::mouseClick(w.lblCopyright[1], Qt::LeftButton);
    QTest::mouseClick(w.lblMail, Qt::LeftButton);
    QTest::mouseClick(w.lblToHP, Qt::LeftButton);
    const std::vector<QUrl> expected{help,
                                     index,
                                     help,
                                     help,
                                     QUrl(QStringLiteral("mailto:") + QString::fromUtf8(kAuthorMail)),
                                     QUrl(QString::fromUtf8(kAuthorHomePage))};
    EXPECT_EQ(links.opened, expected);
    EXPECT_EQ(w.gameState().playMode, playModeMenu);
    EXPECT_TRUE(w.picMenu->isVisible());
    EXPECT_TRUE(h.messages.empty());
    EXPECT_TRUE(w.mnuHelpCont->shortcut() == QKeySequence(Qt::Key_F1));
}

} // namespace
} // namespace zandrel::testing

#include "small_windows_test.moc"
