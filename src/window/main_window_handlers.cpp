// The player's input: the table screen, the menu screen and the hidden menus.
// Each handler turns its event into a call on the game or into a change of
// the window's own look.

#include "window/colours.h"
#include "window/links.h"
#include "window/main_window.h"
#include "window/opening_window.h"
#include "window/record_window.h"
#include "window/version_window.h"
#include "window/vs_mode_dialog.h"
#include "window/vs_result_window.h"
#include "window/window_layout.h"

#include "records/records.h"
#include "sound/sound_settings.h"

namespace zandrel {

namespace {

const QString kMailRestCaption = QStringLiteral("E-Mail");
const QString kHomePageRestCaption = QStringLiteral("Get New!");

} // namespace

// --- The table screen ---------------------------------------------------------

void MainWindow::cmdShot_Click() {
    game_->cmdShot_Click();
}

void MainWindow::HScroll1_Change() {
    // The number is written with a leading blank for the sign, as the caption
    // always was: "POWER  90%".
    lblPower->setCaption(QStringLiteral("POWER  %1%").arg(HScroll1->value()));
    game_->setPower(HScroll1->value());
}

void MainWindow::picPool_MouseDown(float x, float y) {
    game_->picPool_MouseDown(x, y);
}

void MainWindow::picPool_MouseMove(bool buttonHeld, float x, float y) {
    resetTableButtonColours();
    game_->picPool_MouseMove(buttonHeld, x, y);
}

void MainWindow::picPool_MouseUp(bool buttonHeld, float x, float y) {
    game_->picPool_MouseUp(buttonHeld, x, y);
}

void MainWindow::picPool_Click() {
    game_->picPool_Click();
}

void MainWindow::picSetPoint_MouseDown(float x, float y) {
    game_->picSetPoint_MouseDown(x, y, float(picSetPoint->width()), float(picSetPoint->height()),
                                 float(shpPoint->width()));
}

void MainWindow::picInfomation_MouseMove() {
    resetTableButtonColours();
}

void MainWindow::Form_MouseMove() {
    resetTableButtonColours();
}

void MainWindow::resetTableButtonColours() {
    for (TextLabel* label : lblMenu)
        label->setTextColour(kTableButtonRest);
}

void MainWindow::lblMenu_Click(int index) {
    game_->lblMenu_Click(index);
}

void MainWindow::lblMenu_MouseMove(int index) {
    if (game_->isShotRunning())
        return;
    for (int i = 0; i < int(lblMenu.size()); ++i)
        lblMenu[std::size_t(i)]->setTextColour(i == index ? kTableButtonHover : kTableButtonRest);
}

// --- The menu screen ----------------------------------------------------------

GameChoice MainWindow::menuChoice() const {
    GameChoice choice;
    choice.gameKind = static_cast<GameKind>(cmbGameName->currentData().toInt());
    choice.twoPlayers = cmbVSMode->currentData().toInt() != 0;
    choice.targetPoints = cmbPoints->currentData().toInt();
    return choice;
}

void MainWindow::lblLetsPlay_Click() {
    game_->lblLetsPlay_Click(menuChoice());
}

void MainWindow::lblExit_Click() {
    close();
}

void MainWindow::lblHelp_Click() {
    game_->lblHelp_Click();
}

void MainWindow::lblMail_Click() {
    openMailLink();
}

void MainWindow::lblToHP_Click() {
    openHomePage();
}

void MainWindow::lblCopyright_Click(int) {
    openHelpPage();
}

void MainWindow::picMenu_DblClick() {
    loadSoloRecord(records_);
}

void MainWindow::picMenu_MouseMove() {
    lblHelp->setTextColour(kMenuLinkRest);
    lblToHP->setTextColour(kMenuLinkRest);
    lblMail->setTextColour(kMenuLinkRest);
    lblToHP->setCaption(kHomePageRestCaption);
    lblMail->setCaption(kMailRestCaption);
    lblLetsPlay->setTextColour(kDarkGreen);
    lblExit->setTextColour(kDarkGreen);
    game_->picMenu_MouseMove();
}

void MainWindow::lblLetsPlay_MouseMove() {
    lblLetsPlay->setTextColour(kGreen);
}

void MainWindow::lblExit_MouseMove() {
    lblExit->setTextColour(kGreen);
}

void MainWindow::lblHelp_MouseMove() {
    lblHelp->setTextColour(kDemoLabelHover);
}

void MainWindow::lblMail_MouseMove() {
    lblMail->setTextColour(kMenuLinkHover);
    lblMail->setCaption(QStringLiteral("E-Mail:") + QString::fromUtf8(kAuthorMail));
}

void MainWindow::lblToHP_MouseMove() {
    lblToHP->setTextColour(kMenuLinkHover);
    lblToHP->setCaption(QStringLiteral("Get New!: ") + QString::fromUtf8(kAuthorHomePage));
}

void MainWindow::picSound_Click(int index) {
    sound_->switchSound(index != 0);
    const bool on = sound_->soundMode() != kSoundOff;
    picSound[0]->setVisible(on);
    picSound[1]->setVisible(!on);
}

void MainWindow::picBGM_Click(int index) {
    sound_->switchMusic(index != 0);
    const bool on = sound_->isBgmOn() != kBgmOff;
    picBGM[0]->setVisible(on);
    picBGM[1]->setVisible(!on);
}

// --- The hidden menus ---------------------------------------------------------

void MainWindow::mnuStart_click() {
    game_->mnuStart_click();
}

void MainWindow::mnuRetry_Click() {
    game_->mnuRetry_Click();
}

void MainWindow::mnuVS_Click() {}

void MainWindow::mnuExit_Click() {
    close();
}

void MainWindow::mnuChangeMode_Click() {
    // Like the table-screen buttons, the switch waits until the balls rest.
    if (game_->isShotRunning())
        return;
    switch (gameState().playMode) {
    case PlayMode::solo:
        changeToVsMode();
        break;
    case PlayMode::twoPlayers:
        initGameMode(); // the game's solo mode and the shot button's solo look
        game_->returnToSoloPlay();
        break;
    default:
        break;
    }
}

void MainWindow::mnuCurrentCondition_Click() {
    switch (gameState().playMode) {
    case PlayMode::solo:
        showCurrentCondition();
        break;
    case PlayMode::twoPlayers:
        showMatchResult();
        break;
    default:
        break;
    }
}

void MainWindow::mnuSound_Click() {
    sound_->toggleSound();
    mnuSound->setChecked(sound_->soundMode() != kSoundOff);
}

void MainWindow::mnuHelpCont_Click() {
    showHelpContents();
}

void MainWindow::mnuKey_Click() {
    searchHelpKeyword();
}

void MainWindow::mnuAbout_Click() {
    showVersionWindow();
}

// --- The small windows and the links ---------------------------------------------

void MainWindow::showOpeningWindow() {
    if (openingShown_)
        return;
    openingShown_ = true;
    opening_ = std::make_unique<OpeningWindow>([this] {
        show();
        // The closed picture goes once its own click or tick has returned.
        QTimer::singleShot(0, this, [this] { opening_.reset(); });
    });
    opening_->show();
}

void MainWindow::changeToVsMode() {
    game_->beginTwoPlayerSetup();
    {
        VsModeDialog dialog(*game_, this, QSize(windowWidthTwips_, windowHeightTwips_));
        dialog.exec();
    }
    game_->finishTwoPlayerSetup();
}

void MainWindow::showCurrentCondition() {
    RecordWindow window(gameState(), picBalls, this);
    window.exec();
}

void MainWindow::showMatchResult() {
    VsResultWindow window(gameState(), this, QSize(windowWidthTwips_, windowHeightTwips_));
    window.exec();
}

void MainWindow::showVersionWindow() {
    VersionWindow window(gameState().levelOfTovi, mascotTicks_, this);
    window.exec();
}

void MainWindow::showHelpContents() {
    openLink(helpPageUrl());
}

void MainWindow::searchHelpKeyword() {
    openLink(helpPageUrl(kHelpIndexFragment));
}

void MainWindow::openMailLink() {
    openLink(authorMailUrl());
}

void MainWindow::openHomePage() {
    openLink(authorHomePageUrl());
}

void MainWindow::openHelpPage() {
    openLink(helpPageUrl());
}

} // namespace zandrel
