// The player's input: the table screen, the menu screen and the hidden menus.
// Each handler turns its event into a call on the game or into a change of
// the window's own look.

#include "window/colours.h"
#include "window/main_window.h"
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

void MainWindow::lblLetsPlay_Click() {
    game_->lblLetsPlay_Click(cmbGameName->currentText().toStdString(), cmbVSMode->currentText().toStdString(),
                             cmbPoints->currentText().toStdString());
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
    game_->mutableState().playMode = playModeMenu;
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
    if (sound_->musicTimerEnabled() != timBGM->isActive())
        sound_->musicTimerEnabled() ? timBGM->start() : timBGM->stop();
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
    case playModeSolo:
        changeToVsMode();
        break;
    case playModeTwoPlayers:
        initGameMode();
        game_->returnToSoloPlay();
        break;
    default:
        break;
    }
}

void MainWindow::mnuCurrentCondition_Click() {
    switch (gameState().playMode) {
    case playModeSolo:
        showCurrentCondition();
        break;
    case playModeTwoPlayers:
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

// --- Features of later versions -------------------------------------------------
// Each of these is a single call so that the feature plugs in at one place.

/// The opening picture comes later; for now start-up shows the window at once.
void MainWindow::showOpeningWindow() {
    show();
}

/// The two-player set-up dialog comes later.
void MainWindow::changeToVsMode() {}

/// The solo current-condition window comes later.
void MainWindow::showCurrentCondition() {}

/// The match result window comes later.
void MainWindow::showMatchResult() {}

/// The version window comes later.
void MainWindow::showVersionWindow() {}

/// The help contents come later.
void MainWindow::showHelpContents() {}

/// The help keyword search comes later.
void MainWindow::searchHelpKeyword() {}

/// Opening the mail program comes later.
void MainWindow::openMailLink() {}

/// Opening the home page comes later.
void MainWindow::openHomePage() {}

/// Opening the help page comes later.
void MainWindow::openHelpPage() {}

/// The demonstration's turn sequencer comes later.
void MainWindow::timCom_Timer() {}

} // namespace zandrel
