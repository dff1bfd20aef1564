#include "window_fixture.h"

#include "game/game_texts.h"
#include "window/colours.h"
#include "window/links.h"
#include "window/program_info.h"
#include "window/record_window.h"
#include "window/small_window.h"
#include "window/version_window.h"
#include "window/vs_mode_dialog.h"
#include "window/vs_result_window.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

namespace zandrel::testing {
namespace {

constexpr Rgb kMagenta = rgb(255, 0, 255);

TEST(VsModeDialog, StandsCentredOnTheWindowWithItsControlsWhereTheDesignPutsThem) {
    WindowHarness h;
    letsPlay(h);
    onModal<VsModeDialog>(h, "mnuChangeMode", [&](VsModeDialog& d) {
        EXPECT_EQ(std::pair(d.windowTitle(), d.size()), std::pair(QStringLiteral("Pindor"), QSize(201, 187)));
        EXPECT_EQ(d.pos(), h.w().pos() + QPoint(169, 95)) << "centred by whole twips, halves dropped";
        expectPlaces({{findIn(d, "txtPlayerName0"), {8, 16, 187, 36}},
                      {findIn(d, "txtPlayerName1"), {8, 78, 187, 37}},
                      {findIn(d, "Label1"), {72, 54, 39, 23}},
                      {findIn(d, "lblXwins"), {10, 124, 161, 25}},
                      {findIn(d, "VScroll1"), {176, 124, 19, 25}},
                      {findIn(d, "picOK"), {58, 152, 64, 32}},
                      {findIn(d, "picCancel"), {128, 152, 64, 32}}});
        EXPECT_EQ(findIn<TextLabel>(d, "Label1")->textColour(), kMagenta);
    });
}

TEST(VsModeDialog, TheFirstBoxHasTheFocusWithItsNameSelectedAndTabGoesRound) {
    WindowHarness h;
    letsPlay(h);
    onModal<VsModeDialog>(h, "mnuChangeMode", [&](VsModeDialog& d) {
        auto* name0 = findIn<QLineEdit>(d, "txtPlayerName0");
        QTest::qWait(10);
        EXPECT_EQ(name0->selectedText(), QStringLiteral("Player1"));
        std::vector<QWidget*> chain;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            chain.push_back(QApplication::focusWidget());
        }
        EXPECT_EQ(chain, (std::vector<QWidget*>{findIn(d, "txtPlayerName1"), findIn(d, "VScroll1"),
                                                findIn(d, "picOK"), findIn(d, "picCancel"), name0}));
    });
}

TEST(VsModeDialog, StartsATwoPlayerGameWithTheTypedNames) {
    WindowHarness h;
    letsPlay(h, GameKind::threeBall);
    onModal<VsModeDialog>(h, "mnuChangeMode", [&](VsModeDialog& d) {
        auto* name0 = findIn<QLineEdit>(d, "txtPlayerName0");
        auto* name1 = findIn<QLineEdit>(d, "txtPlayerName1");
        auto* wins = findIn<TextLabel>(d, "lblXwins");
        QWidget* bar = findIn(d, "VScroll1");
        QTest::qWait(10);
        QTest::keyClicks(name0, QStringLiteral("Annabel-Lee-Smith")); // replaces the selection
        EXPECT_EQ(name0->text(), QStringLiteral("Annabel-Lee-")) << "12 characters at most";
        QTest::mouseClick(name1, Qt::LeftButton); // selects the name; typing replaces it
        QTest::qWait(10);
        QTest::keyClicks(name1, QStringLiteral("Bob"));
        EXPECT_EQ(name1->text(), QStringLiteral("Bob"));
        // The game steps and bounds the games to win; the arrows only ask it.
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(9, 2)); // the upper arrow
        EXPECT_EQ(wins->text(), QStringLiteral("5Wins Match"));
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(9, 22));
        EXPECT_EQ(wins->text(), QStringLiteral("3Wins Match"));
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible()) << "Escape does nothing";
        QTest::mouseClick(findIn(d, "picOK"), Qt::LeftButton);
    });
    const auto* shot = h.find<QPushButton>("cmdShot");
    EXPECT_EQ(shot->text(), QStringLiteral("Annabel-Lee-'s Shot"));
    EXPECT_EQ(shot->font().pixelSize(), pointsToPixels(12.0));
}

TEST(VsModeDialog, AGameAgainstToviShowsHisLevelFromTheRecordsFile) {
    WindowHarness h(kJapanese, false, nullptr, "[TOVI]\nLV=3\n");
    letsPlay(h);
    onModal<VsModeDialog>(h, "mnuChangeMode", [](VsModeDialog& d) {
        findIn<QLineEdit>(d, "txtPlayerName0")->setText(QStringLiteral("You"));
        findIn<QLineEdit>(d, "txtPlayerName1")->setText(QStringLiteral("tovi"));
        QTest::mouseClick(findIn(d, "picOK"), Qt::LeftButton);
    });
    EXPECT_EQ(infomationLine(h.state()), " You  0 - 0 Lv.3 tovi ");
}

TEST(VsResultWindow, AnUndecidedMatchIsGreenWithTheTwelveCharacterNameWhole) {
    WindowHarness h;
    letsPlay(h);
    onModal<VsModeDialog>(h, "mnuChangeMode", [](VsModeDialog& d) {
        findIn<QLineEdit>(d, "txtPlayerName0")->setText(QStringLiteral("Annabel-Lee-Smith")); // cut to 12
        QTest::mouseClick(findIn(d, "picOK"), Qt::LeftButton);
    });
    onModal<VsResultWindow>(h, "mnuCurrentCondition", [&](VsResultWindow& r) {
        EXPECT_EQ(r.size(), QSize(299, 176));
        expectPlaces({{findIn(r, "lblWinner"), {4, 0, 291, 55}},
                      {findIn(r, "lblPlayerName1"), {6, 98, 233, 35}},
                      {findIn(r, "lblWins0"), {244, 60, 49, 35}},
                      {findIn(r, "picOK"), {112, 134, 64, 32}}});
        EXPECT_EQ(findIn<TextLabel>(r, "lblPlayerName0")->text(), QStringLiteral("Annabel-Lee-"));
        EXPECT_EQ(findIn<TextLabel>(r, "lblWins1")->textColour(), kGreen);
        QTest::mouseClick(findIn(r, "picOK"), Qt::LeftButton);
        EXPECT_FALSE(r.isVisible());
    });
}

TEST(VsModeDialog, OnlyTheExactComputerNameLocksTheSecondBox) {
    WindowHarness h;
    for (const auto& [second, locked] : {std::pair{"tovi", true}, {"Tovi", false}, {"tovi ", true}}) {
        letsPlay(h);
        onModal<VsModeDialog>(h, "mnuChangeMode", [second](VsModeDialog& d) {
            findIn<QLineEdit>(d, "txtPlayerName1")->setText(QString::fromLatin1(second));
            QTest::mouseClick(findIn(d, "picOK"), Qt::LeftButton);
        });
        h.find<QAction>("mnuChangeMode")->trigger(); // back to solo play
        onModal<VsModeDialog>(h, "mnuChangeMode", [locked](VsModeDialog& d) {
            const auto* name = findIn<QLineEdit>(d, "txtPlayerName1");
            EXPECT_EQ(!name->isEnabled(), locked) << name->text().toStdString();
            QTest::mouseClick(findIn(d, "picCancel"), Qt::LeftButton);
        });
    }
}

TEST(VsModeDialog, CancelGoesBackToTheMenuScreen) {
    for (const bool afterAMatch : {false, true}) {
        WindowHarness h;
        letsPlay(h);
        if (afterAMatch) {
            onModal<VsModeDialog>(h, "mnuChangeMode", [](VsModeDialog& d) {
                QTest::mouseClick(findIn(d, "picOK"), Qt::LeftButton);
            });
            h.find<QAction>("mnuChangeMode")->trigger(); // back to solo play
        }
        onModal<VsModeDialog>(h, "mnuChangeMode", [](VsModeDialog& d) {
            QTest::mouseClick(findIn(d, "picCancel"), Qt::LeftButton);
        });
        EXPECT_EQ(std::pair(h.find("picMenu")->isVisible(), h.find<QAction>("mnuStart")->isEnabled()),
                  std::pair(true, true))
            << "after a match: " << afterAMatch;
    }
}

/// A decided match: Bob beat Ann four to three.
GameState decidedMatch() {
    GameState state;
    state.winsNeeded = 3;
    state.players[0] = {fixedPlayerName(" Ann "), false, 3};
    state.players[1] = {fixedPlayerName("Bob"), false, 4};
    return state;
}

TEST(VsResultWindow, ADecidedMatchShowsInMagentaWithABlankForTheWinsSign) {
    ensureQtApp();
    const GameState state = decidedMatch();
    VsResultWindow r(state, nullptr, {});
    for (const char* name : {"lblWinner", "lblPlayerName0", "lblWins0", "lblPlayerName1", "lblWins1"})
        EXPECT_EQ(findIn<TextLabel>(r, name)->textColour(), kMagenta) << name;
    EXPECT_EQ(findIn<TextLabel>(r, "lblWinner")->text(), QStringLiteral("Bob defeated Ann"));
    EXPECT_EQ(findIn<TextLabel>(r, "lblWins0")->text() + "|" + findIn<TextLabel>(r, "lblWins1")->text(),
              QStringLiteral(" 3| 4"));
}

TEST(VsResultWindow, AnyCharacterReturnOrEscapeClosesItAnArrowDoesNot) {
    ensureQtApp();
    const GameState state = decidedMatch();
    VsResultWindow r(state, nullptr, {});
    const std::pair<Qt::Key, bool> keys[] = {
        {Qt::Key_Left, false}, {Qt::Key_A, true}, {Qt::Key_Return, true}, {Qt::Key_Escape, true}};
    for (const auto& [key, closes] : keys) {
        r.show();
        QTest::keyClick(&r, key);
        EXPECT_EQ(!r.isVisible(), closes) << QKeySequence(key).toString().toStdString();
    }
}

TEST(VersionWindow, ShowsTheGamesTextWhereTheDesignPutsIt) {
    WindowHarness h;
    onModal<VersionWindow>(h, "mnuAbout", [&](VersionWindow& v) {
        EXPECT_EQ(findIn<TextLabel>(v, "Label1")->text(), QStringLiteral(" Ver.0.02\n Tovi's Level is 1."));
        EXPECT_EQ(std::pair(v.windowTitle(), v.size()),
                  std::pair(QStringLiteral("バージョン情報"), QSize(332, 127)));
        expectPlaces({{findIn(v, "Command1"), {272, 4, 53, 29}}, {findIn(v, "picQuorl"), {4, 88, 33, 33}}});
        EXPECT_EQ(v.pos(), fifthFromTop(screenSizeTwips(), VersionWindow::kClientSize));
    });
}

TEST(VersionWindow, TheMascotDancesOnTheMainWindowsCount) {
    WindowHarness h;
    int& ticks = h.w().mascotTicks();
    ticks = 1; // a first run is over: the next starts at frame 1
    auto frameShown = [](VersionWindow& v, int frame) {
        Surface expected(32, 32), shown(32, 32);
        bitBlt(expected, 0, 0, 32, 32, v.mascotFrames(), 32 * frame, 0, RasterOp::srcCopy);
        bitBlt(shown, 0, 0, 32, 32, findIn<PictureBox>(v, "picQuorl")->image(), 0, 0, RasterOp::srcCopy);
        return shown == expected;
    };
    onModal<VersionWindow>(h, "mnuAbout", [&](VersionWindow& v) {
        QWidget* mascot = findIn(v, "picQuorl");
        const auto* timer = findIn<QTimer>(v, "Timer1");
        EXPECT_EQ(std::pair(frameShown(v, 0), timer->isActive()), std::pair(true, false)) << "at rest";
        QTest::mouseClick(mascot, Qt::LeftButton);
        EXPECT_EQ(timer->interval(), 50);
        v.Timer1_Timer();
        v.Timer1_Timer();
        QTest::mouseClick(mascot, Qt::LeftButton); // a second click changes nothing
        v.Timer1_Timer();
        EXPECT_TRUE(frameShown(v, 3));
        for (int i = 0; i < 100 && timer->isActive(); ++i)
            v.Timer1_Timer();
        EXPECT_EQ(std::pair(frameShown(v, 0), timer->isActive()), std::pair(true, false)) << "the run ends";
        QTest::mouseClick(mascot, Qt::LeftButton);
        v.Timer1_Timer();
        QTest::mouseClick(findIn(v, "Command1"), Qt::LeftButton); // in the middle of a run
    });
    EXPECT_EQ(ticks, 2) << "the count stays with the main window";
}

/// The rows where the 20 x 20 cell `cell` of `balls` shows whole in `canvas` at `x`.
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

TEST(RecordWindow, PrintsTheLinesWithOneIconPerBallOffTheTable) {
    WindowHarness h;
    const Surface& balls = h.table().sprites();
    GameState state;
    setFirstPosition(state.table, GameKind::threeBall);
    RecordWindow r(state, balls);
    Surface canvas(217, 238);
    r.drawCondition(canvas);
    const int lineHeight18 = QFontMetrics(gameFont(kFontArial, 18.0, false)).height();
    const int lineHeight20 = QFontMetrics(gameFont(kFontArial, 20.0, false)).height();
    const int iconTop = lineHeight20 + 5 * lineHeight18 + 2;
    EXPECT_EQ(iconRows(canvas, balls, 3, 10), std::vector<int>{iconTop});
    EXPECT_TRUE(iconRows(canvas, balls, 3, 32).empty()) << "one icon only";
    int green = 0;
    for (int y = 0; y < lineHeight20; ++y)
        for (int x = 0; x < 217; ++x)
            green += canvas.pixel(x, y) == kGreen;
    EXPECT_GT(green, 50) << "the heading is printed in green";

    state.table.balls[1].onTable = false;
    r.drawCondition(canvas);
    EXPECT_EQ(iconRows(canvas, balls, 1, 10), std::vector<int>{iconTop});
    EXPECT_EQ(iconRows(canvas, balls, 3, 32), std::vector<int>{iconTop}) << "22 pixels apart";
}

TEST(RecordWindow, OpensCentredInSoloPlayOnlyShowingTheRunningTime) {
    WindowHarness h;
    letsPlay(h); // the open window draws the current values at each paint
    onModal<RecordWindow>(h, "mnuCurrentCondition", [&](RecordWindow& r) {
        EXPECT_EQ(std::pair(r.windowTitle(), r.size()),
                  std::pair(QStringLiteral("Your Record"), QSize(217, 238)));
        EXPECT_EQ(r.pos(), centredOnScreen(screenSizeTwips(), RecordWindow::kClientSize));
        expectPlaces({{findIn(r, "picOK"), {74, 198, 66, 34}}});
        const QImage before = r.grab().toImage();
        for (int i = 0; i < 61; ++i)
            h.game().timTimeCounter_Timer();
        EXPECT_NE(r.grab().toImage(), before) << "the time is drawn afresh";
    });
    QTest::mouseClick(h.find("lblMenu0"), Qt::LeftButton); // the menu screen: the item does nothing
    h.find<QAction>("mnuCurrentCondition")->trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(OpeningWindow, TheSixthTickClosesItAndShowsTheMainWindowOnce) {
    // Size, centring, click and time on a real screen: the end-to-end test's; "/debug": the trace's.
    EXPECT_EQ(OpeningWindow::placeOnScreen({200 * 15, 150 * 15}), QPoint(-33, -36)) << "halved toward zero";
    ensureQtApp();
    int shown = 0;
    OpeningWindow o([&] { ++shown; });
    o.show();
    EXPECT_TRUE(o.windowFlags() & Qt::FramelessWindowHint);
    for (int i = 0; i < 5; ++i)
        o.Timer1_Timer();
    EXPECT_TRUE(o.isVisible());
    o.Timer1_Timer();
    EXPECT_EQ(std::pair(o.isVisible(), findIn<QTimer>(o, "Timer1")->isActive()), std::pair(false, false));
    QTest::mouseClick(findIn(o, "picture"), Qt::LeftButton);
    EXPECT_EQ(shown, 1);
}

class LinkRecorder : public QObject {
    Q_OBJECT
public:
    LinkRecorder() {
        for (const char* scheme : kSchemes)
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~LinkRecorder() override {
        for (const char* scheme : kSchemes)
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    static constexpr const char* kSchemes[] = {"file", "mailto", "https", "http"};
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

TEST(Links, HelpMailAndHomePageGoToTheDesktop) {
    WindowHarness h;
    const QUrl help =
        QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/help.html"));
    QUrl index = help;
    index.setFragment(QStringLiteral("index"));
    // F1 and a desktop with no opener at all: the end-to-end test's.
    LinkRecorder links;
    h.find<QAction>("mnuHelpCont")->trigger();
    h.find<QAction>("mnuKey")->trigger();
    for (const char* link : {"lblCopyright0", "lblCopyright1", "lblMail", "lblToHP"})
        QTest::mouseClick(h.find(link), Qt::LeftButton);
    const QUrl mail(QStringLiteral("mailto:") + QString::fromUtf8(kAuthorMail));
    EXPECT_EQ(links.opened,
              (std::vector<QUrl>{help, index, help, help, mail, QUrl(QString::fromUtf8(kAuthorHomePage))}));
}

TEST(HelpPage, EachLanguageQuotesTheCaptionsThePlayerSeesInIt) {
    const std::string page = readBytes(
        (std::filesystem::path(ZANDREL_BINARY).parent_path() / kHelpPageName.toStdString()).string());
    const auto english = page.find("<section id=\"en\"");
    ASSERT_NE(english, std::string::npos);
    const std::string ja = page.substr(0, english), en = page.substr(english);
    // The demonstration's table caption by language; the links' captions once hovered.
    for (const auto& [part, click] : {std::pair{&ja, "クリックしてください"}, {&en, "Click here !"}})
        for (const char* caption : {click, "E-Mail", "Get New!", "Shot!", "Let's Play!"})
            EXPECT_NE(part->find(caption), std::string::npos) << caption;
    EXPECT_EQ(ja.find("Click here !"), std::string::npos);
}

} // namespace
} // namespace zandrel::testing

#include "small_windows_test.moc"
