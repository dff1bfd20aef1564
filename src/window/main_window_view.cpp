// What the game shows: the main window's side of GameView.

#include "game/game_texts.h"
#include "window/fonts.h"
#include "window/infomation_drawing.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/table_drawing.h"
#include "window/window_layout.h"

#include <QCoreApplication>

namespace zandrel {

namespace {

const QString kDemoClickJa = QStringLiteral("クリックしてください");
const QString kDemoClickEn = QStringLiteral("Click here !");
const QString kPlayShotCaption = QStringLiteral("Shot!");
const QString kDemoShotCaption = QStringLiteral("DEMO");
constexpr double kDemoShotButtonPoints = 12.0;

} // namespace

void MainWindow::redrawTable() {
    drawEmptyTable(picPool1, picTable);
    if (gameState().playMode == PlayMode::demo)
        drawDemoCaptions(picPool1, langText(kDemoClickJa, kDemoClickEn).toStdString());
    drawBallsWithShadows(picPool1, picBalls, gameState().table.balls, game_->scale().ballSize);
    bitBlt(picPool0->canvas(), 0, 0, kTablePictureWidth, kTablePictureHeight, picPool1, 0, 0,
           RasterOp::srcCopy);
    picPool0->showCanvas();
}

void MainWindow::drawBallOnScreen(int i) {
    zandrel::drawBallOnScreen(picPool0->canvas(), picBalls, gameState().table.balls[std::size_t(i)], i,
                              game_->scale().ballSize);
    picPool0->showCanvas();
}

void MainWindow::drawPointMarks() {
    zandrel::drawPointMarks(picPocketedBalls->image(), picBalls, gameState().points);
    picPocketedBalls->refresh();
}

void MainWindow::clearTable() {
    picPool0->cls();
}

void MainWindow::clearPointMarks() {
    picPocketedBalls->cls();
}

void MainWindow::setTableAutoRedraw(bool on) {
    picPool0->setAutoRedraw(on);
}

void MainWindow::refreshTable() {
    picPool0->refresh();
}

void MainWindow::showInfomation() {
    const GameState& state = gameState();
    drawInfomation(picInfomation->image(), picTable, picBalls, state.playMode, state.isVsCpu,
                   state.cueBallIndex, infomationLine(state));
    picInfomation->refresh();
}

void MainWindow::setAimMarkerVisible(bool visible) {
    shpTarget->setVisible(visible);
}

void MainWindow::placeAimMarker(float left, float top) {
    shpTarget->place(left, top);
}

void MainWindow::setCueBallMarkerVisible(bool visible) {
    shpQBall->setVisible(visible);
}

void MainWindow::placeCueBallMarker(float left, float top) {
    shpQBall->place(left, top);
}

void MainWindow::placeTipMarker(float left, float top) {
    shpPoint->place(left, top);
}

void MainWindow::centreTipMarker() {
    shpPoint->place(float(picSetPoint->width() - shpPoint->width()) / 2.0f,
                    float(picSetPoint->height() - shpPoint->height()) / 2.0f);
}

void MainWindow::enableShotInput(bool enabled) {
    picSetPoint->setEnabled(enabled);
    HScroll1->setEnabled(enabled);
    cmdShot->setEnabled(enabled);
}

void MainWindow::enableShotControls() {
    cmdShot->setEnabled(true);
    HScroll1->setEnabled(true);
    picSetPoint->setEnabled(true);
    picPool0->setEnabled(true);
}

void MainWindow::setShotButtonEnabled(bool enabled) {
    cmdShot->setEnabled(enabled);
}

void MainWindow::setShotButtonPlayLook() {
    QFont font = cmdShot->font();
    font.setPixelSize(layout::kShotButtonFontPixels);
    cmdShot->setFont(font);
    cmdShot->setText(kPlayShotCaption);
}

void MainWindow::setShotButtonDemoLook() {
    cmdShot->setFont(gameFont(kFontArial, kDemoShotButtonPoints, true));
    cmdShot->setText(kDemoShotCaption);
}

void MainWindow::showPower(int power) {
    HScroll1->setValue(power);
}

void MainWindow::setTableEnabled(bool enabled) {
    picPool0->setEnabled(enabled);
}

void MainWindow::setRetryMenuEnabled(bool enabled) {
    mnuRetry->setEnabled(enabled);
}

void MainWindow::setStartMenuEnabled(bool enabled) {
    mnuStart->setEnabled(enabled);
}

void MainWindow::setMenuScreenVisible(bool visible) {
    picMenu->setVisible(visible);
    if (visible)
        picMenu->raise();
}

void MainWindow::setTableButtonsVisible(bool menu, bool start, bool back) {
    lblMenu[0]->setVisible(menu);
    lblMenu[1]->setVisible(start);
    lblMenu[2]->setVisible(back);
}

void MainWindow::setTovisMessageVisible(bool visible) {
    lblTovisMessage->setVisible(visible);
}

void MainWindow::setTovisMessage(const std::string& text) {
    lblTovisMessage->setCaption(QString::fromStdString(text));
}

void MainWindow::setTimerEnabled(GameTimer timer, bool enabled) {
    QTimer* qtimer = nullptr;
    switch (timer) {
    case GameTimer::motion:
        qtimer = Timer1;
        break;
    case GameTimer::timeCounter:
        qtimer = timTimeCounter;
        break;
    case GameTimer::demo:
        qtimer = timDemo;
        break;
    case GameTimer::com:
        qtimer = timCom;
        break;
    }
    if (enabled) {
        // Enabling a running timer leaves its rhythm alone.
        if (!qtimer->isActive())
            qtimer->start();
    } else {
        qtimer->stop();
    }
}

void MainWindow::showMessage(const std::string& text) {
    showMessageBox(text, this);
}

void MainWindow::processPendingEvents() {
    QCoreApplication::processEvents();
}

// --- Two-player set-up ----------------------------------------------------------

void MainWindow::setModeItemCaption(const std::string& caption) {
    mnuChangeMode->setText(QString::fromStdString(caption));
}

void MainWindow::setShotButtonTwoPlayerLook(const std::string& caption) {
    constexpr double kTwoPlayerShotPoints = 12.0;
    QFont font = cmdShot->font();
    font.setPixelSize(pointsToPixels(kTwoPlayerShotPoints));
    cmdShot->setFont(font);
    cmdShot->setText(QString::fromStdString(caption));
    font.setFamily(kFontArial);
    font.setBold(true);
    cmdShot->setFont(font);
}

} // namespace zandrel
