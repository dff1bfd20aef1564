#include "window/table_screen.h"

#include "game/game.h"
#include "game/game_texts.h"
#include "platform/platform_helpers.h"
#include "window/colours.h"
#include "window/fonts.h"
#include "window/infomation_drawing.h"
#include "window/picture_box.h"
#include "window/pictures.h"
#include "window/shape_widget.h"
#include "window/table_drawing.h"
#include "window/text_label.h"
#include "window/window_layout.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <cmath>

namespace zandrel {

namespace {

constexpr int kPowerLargeChange = 10;
constexpr double kTableButtonPoints = 14.25;
constexpr double kStripFontPoints = 12.0;
constexpr double kTovisMessagePoints = 14.25;
constexpr double kDemoShotButtonPoints = 12.0;
constexpr double kTwoPlayerShotPoints = 12.0;
constexpr double kSoloShotButtonPoints = 24.0;

const QString kDemoClickJa = QStringLiteral("クリックしてください");
const QString kDemoClickEn = QStringLiteral("Click here !");
const QString kPlayShotCaption = QStringLiteral("Shot!");
const QString kDemoShotCaption = QStringLiteral("DEMO");

/// The power bar answers the keys as a desktop scroll bar does, the lower power
/// always on the left: the arrows move it by one, Page Up and Page Down by its
/// large change, Home and End to its ends.
class PowerBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const SliderAction action = actionOf(event->key());
        if (action == SliderNoAction) {
            QScrollBar::keyPressEvent(event);
            return;
        }
        triggerAction(action);
        event->accept();
    }

private:
    static SliderAction actionOf(int key) {
        switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            return SliderSingleStepSub;
        case Qt::Key_Right:
        case Qt::Key_Down:
            return SliderSingleStepAdd;
        case Qt::Key_PageUp:
            return SliderPageStepSub;
        case Qt::Key_PageDown:
            return SliderPageStepAdd;
        case Qt::Key_Home:
            return SliderToMinimum;
        case Qt::Key_End:
            return SliderToMaximum;
        default:
            return SliderNoAction;
        }
    }
};

/// A control of the screen, named as in the game's design (tests find it by that name).
template <class Control> Control* named(Control* control, const QString& name) {
    control->setObjectName(name);
    return control;
}

} // namespace

TableScreen::TableScreen(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tableScreen"));
    setGeometry(0, 0, layout::kClientWidth, layout::kClientHeight);
    setMouseTracking(true);
    picTable_ =
        toSurface(loadPicture(kPictureTable, kTablePictureWidth, kTablePictureHeight + 60, kDarkGreen));
    picBalls_ = Surface(kSpriteStripWidth, kSpriteStripHeight);
    powerShown_ = kMaxPower;
    createControls();
}

void TableScreen::createControls() {
    using namespace layout;

    picPool0_ = named(new PictureBox(kTablePictureWidth, kTablePictureHeight, kDarkGreen, this),
                      QStringLiteral("picPool0"));
    picPool0_->setGeometry(kPicPool);
    picPool0_->setMouseTracking(true);
    picPool1_ = Surface(kTablePictureWidth, kTablePictureHeight, kDarkGreen);

    lblTovisMessage_ =
        named(new TextLabel(QString(), gameFont(kFontMsGothic, kTovisMessagePoints, true), kGreen, picPool0_),
              QStringLiteral("lblTovisMessage"));
    lblTovisMessage_->setBackgroundColour(kBlack);
    lblTovisMessage_->setGeometry(kLblTovisMessage);
    lblTovisMessage_->hide();

    shpQBall_ =
        named(new ShapeWidget(int(kBallSpritePixels), kCueBallMarkerLine, kCueBallMarkerFill, picPool0_),
              QStringLiteral("shpQBall"));
    shpTarget_ = named(new ShapeWidget(int(kBallSpritePixels), kAimMarker, std::nullopt, picPool0_),
                       QStringLiteral("shpTarget"));

    picSetPoint_ = named(new PictureBox(kPicSetPoint.width(), kPicSetPoint.height(), kGrey, this),
                         QStringLiteral("picSetPoint"));
    picSetPoint_->setGeometry(kPicSetPoint);
    picSetPoint_->setPicture(
        loadPicture(kPictureCueBall, kPicSetPoint.width(), kPicSetPoint.height(), kWhite));
    shpPoint_ = named(new ShapeWidget(kTipMarkerSize, kTipMarker, kTipMarker, picSetPoint_),
                      QStringLiteral("shpPoint"));
    shpPoint_->place(20.0f, 20.0f);

    lblPower_ =
        named(new TextLabel(QStringLiteral("POWER 100%"), gameFont(kFontArial, 14.25, false), kGreen, this),
              QStringLiteral("lblPower"));
    lblPower_->setBackgroundColour(kDarkGrey);
    lblPower_->setAlignment(Qt::AlignCenter);

    HScroll1_ = named(new PowerBar(Qt::Horizontal, this), QStringLiteral("HScroll1"));
    HScroll1_->setRange(kMinPower, kMaxPower);
    HScroll1_->setPageStep(kPowerLargeChange);
    HScroll1_->setSingleStep(1);
    HScroll1_->setValue(kMaxPower);
    HScroll1_->setFocusPolicy(Qt::StrongFocus);

    cmdShot_ = named(new QPushButton(QString::fromUtf8(kSoloShotCaption), this), QStringLiteral("cmdShot"));
    cmdShot_->setFont(gameFont(kFontArial, 18.75, true));
    cmdShot_->setFocusPolicy(Qt::NoFocus);

    picPocketedBalls_ =
        named(new PictureBox(kPocketedBallsWidth, kPocketedBallsHeight, kPointStripColour, this),
              QStringLiteral("picPocketedBalls"));
    lblBIP_ = named(new TextLabel(QStringLiteral("Point"), gameFont(kFontArial, 14.25, false), kGreen, this),
                    QStringLiteral("lblBIP"));
    lblBIP_->setAlignment(Qt::AlignCenter);

    picInfomation_ = named(new PictureBox(kPicInfomation.width(), kPicInfomation.height(), kBlack, this),
                           QStringLiteral("picInfomation"));
    picInfomation_->setGeometry(kPicInfomation);
    picInfomation_->setFont(gameFont(kFontArial, kStripFontPoints, true));
    picInfomation_->setMouseTracking(true);

    struct TableButton {
        const char* caption;
        const char* toolTip;
        QRect place;
    };
    const TableButton buttons[] = {{"Menu", "メニュー画面に戻る", kLblMenuMenu},
                                   {"Start", "始めからやり直し", kLblMenuStart},
                                   {"Back", "一手戻る", kLblMenuBack}};
    const QFont buttonFont = gameFont(kFontArial, kTableButtonPoints, true);
    // "Back" first: the later buttons lie over the earlier ones where they meet.
    for (int i = 2; i >= 0; --i) {
        const TableButton& button = buttons[i];
        TextLabel* label =
            named(new TextLabel(QString::fromUtf8(button.caption), buttonFont, kTableButtonRest, this),
                  QStringLiteral("lblMenu%1").arg(i));
        label->setGeometry(button.place);
        label->setToolTip(QString::fromUtf8(button.toolTip));
        lblMenu_[std::size_t(i)] = label;
    }
}

void TableScreen::attach(Game& game) {
    game_ = &game;
    connectInput();
}

void TableScreen::connectInput() {
    Game& game = *game_;
    connect(picPool0_, &PictureBox::mousePressed, this, [&game](Qt::MouseButton, QPointF pos) {
        game.picPool_MouseDown(float(pos.x()), float(pos.y()));
    });
    connect(picPool0_, &PictureBox::mouseMoved, this, [this, &game](Qt::MouseButtons buttons, QPointF pos) {
        resetTableButtonColours();
        game.picPool_MouseMove(buttons != Qt::NoButton, float(pos.x()), float(pos.y()));
    });
    connect(picPool0_, &PictureBox::mouseReleased, this, [&game](Qt::MouseButton button, QPointF pos) {
        game.picPool_MouseUp(button != Qt::NoButton, float(pos.x()), float(pos.y()));
    });
    connect(picPool0_, &PictureBox::clicked, this, [&game] { game.picPool_Click(); });
    connect(picSetPoint_, &PictureBox::mousePressed, this,
            [this](Qt::MouseButton, QPointF pos) { picSetPoint_MouseDown(float(pos.x()), float(pos.y())); });
    connect(picInfomation_, &PictureBox::mouseMoved, this, [this] { resetTableButtonColours(); });
    connect(HScroll1_, &QScrollBar::valueChanged, this, [this](int value) { HScroll1_Change(value); });
    connect(cmdShot_, &QPushButton::clicked, this, [&game] { game.cmdShot_Click(); });
    for (int i = 0; i < int(lblMenu_.size()); ++i) {
        connect(lblMenu_[std::size_t(i)], &TextLabel::clicked, this, [&game, i] { game.lblMenu_Click(i); });
        connect(lblMenu_[std::size_t(i)], &TextLabel::mouseMoved, this, [this, i] { lblMenu_MouseMove(i); });
    }
}

// --- Start-up steps -------------------------------------------------------------

void TableScreen::initPictureSize() {
    picPool0_->resizeSurfaces(kTablePictureWidth, kTablePictureHeight);
    picPool1_ = Surface(kTablePictureWidth, kTablePictureHeight, kDarkGreen);
}

void TableScreen::iniPictures() {
    zandrel::iniPictures(picBalls_, picTable_);
}

void TableScreen::arrangeControls() {
    using namespace layout;
    picSetPoint_->setGeometry(kPicSetPoint);
    centreTipMarker();

    lblPower_->setGeometry(kPowerLeft, kStripTop, kPowerWidth, kStripHeight / 2);
    lblPower_->setFont(gameFont(kFontArial, std::trunc(pixelsToPoints(kStripLabelFontPixels)), false));
    const int powerLabelHeight = lblPower_->height();
    HScroll1_->setGeometry(lblPower_->x(), powerLabelHeight + kStripTop + 1, lblPower_->width(),
                           kStripHeight - powerLabelHeight - 1);

    cmdShot_->setGeometry(kCmdShot);
    QFont shotFont = cmdShot_->font();
    shotFont.setPixelSize(pointsToPixels(pixelsToPoints(kShotButtonFontPixels)));
    cmdShot_->setFont(shotFont);

    picPocketedBalls_->setGeometry(cmdShot_->width() + cmdShot_->x() + 1,
                                   kClientHeight - kPocketedBallsHeight, kPocketedBallsWidth,
                                   kPocketedBallsHeight);
    lblBIP_->setGeometry(picPocketedBalls_->x(), kStripTop, picPocketedBalls_->width(),
                         kStripHeight - picPocketedBalls_->height());
    lblBIP_->setFont(gameFont(kFontArial, pixelsToPoints(kStripLabelFontPixels), false));

    picPool0_->setFixedSize(kPicPool.size());
    picPool0_->move(kPicPool.topLeft());
}

QString TableScreen::setTovisMessageFont(bool japanese) {
    QFont font = lblTovisMessage_->font();
    font.setFamily(japanese ? kFontMsGothic : kFontArial);
    lblTovisMessage_->setFont(font);
    return lblTovisMessage_->font().family();
}

void TableScreen::sizeMarkers(int ballSize) {
    shpTarget_->setShapeSize(ballSize);
    shpQBall_->setShapeSize(ballSize);
}

void TableScreen::setShotButtonSoloLook() {
    cmdShot_->setText(QString::fromUtf8(kSoloShotCaption));
    QFont font = cmdShot_->font();
    font.setFamily(kFontArial);
    font.setBold(true);
    font.setPixelSize(pointsToPixels(kSoloShotButtonPoints));
    cmdShot_->setFont(font);
}

// --- The player's input ----------------------------------------------------------

void TableScreen::HScroll1_Change(int value) {
    game_->setPower(value); // the game shows the power it keeps: showPower
}

void TableScreen::picSetPoint_MouseDown(float x, float y) {
    game_->picSetPoint_MouseDown(x, y, float(picSetPoint_->width()), float(picSetPoint_->height()),
                                 float(shpPoint_->width()));
}

void TableScreen::mouseMoveEvent(QMouseEvent*) {
    resetTableButtonColours();
}

void TableScreen::resetTableButtonColours() {
    for (TextLabel* label : lblMenu_)
        label->setTextColour(kTableButtonRest);
}

void TableScreen::lblMenu_MouseMove(int index) {
    if (game_->isShotRunning())
        return;
    for (int i = 0; i < int(lblMenu_.size()); ++i)
        lblMenu_[std::size_t(i)]->setTextColour(i == index ? kTableButtonHover : kTableButtonRest);
}

// --- What the game shows ------------------------------------------------------------

void TableScreen::redrawTable() {
    const GameState& state = game_->state();
    drawEmptyTable(picPool1_, picTable_);
    if (state.playMode == PlayMode::demo)
        drawDemoCaptions(picPool1_, (isJapanese_ ? kDemoClickJa : kDemoClickEn).toStdString());
    drawBallsWithShadows(picPool1_, picBalls_, state.table.balls, game_->scale().ballSize);
    bitBlt(picPool0_->canvas(), 0, 0, kTablePictureWidth, kTablePictureHeight, picPool1_, 0, 0,
           RasterOp::srcCopy);
    picPool0_->showCanvas();
}

void TableScreen::drawBallOnScreen(int i) {
    zandrel::drawBallOnScreen(picPool0_->canvas(), picBalls_, game_->state().table.balls[std::size_t(i)], i,
                              game_->scale().ballSize);
    picPool0_->showCanvas();
}

void TableScreen::drawPointMarks() {
    zandrel::drawPointMarks(picPocketedBalls_->image(), picBalls_, game_->state().points);
    picPocketedBalls_->refresh();
}

void TableScreen::clearTable() {
    picPool0_->cls();
}

void TableScreen::clearPointMarks() {
    picPocketedBalls_->cls();
}

void TableScreen::setTableAutoRedraw(bool on) {
    picPool0_->setAutoRedraw(on);
}

void TableScreen::refreshTable() {
    picPool0_->refresh();
}

void TableScreen::showInfomation() {
    const GameState& state = game_->state();
    drawInfomation(picInfomation_->image(), picTable_, picBalls_, state.playMode, state.isVsCpu,
                   state.cueBallIndex, infomationLine(state));
    picInfomation_->refresh();
}

void TableScreen::setAimMarkerVisible(bool visible) {
    shpTarget_->setVisible(visible);
}

void TableScreen::placeAimMarker(float left, float top) {
    shpTarget_->place(left, top);
}

void TableScreen::setCueBallMarkerVisible(bool visible) {
    shpQBall_->setVisible(visible);
}

void TableScreen::placeCueBallMarker(float left, float top) {
    shpQBall_->place(left, top);
}

void TableScreen::placeTipMarker(float left, float top) {
    shpPoint_->place(left, top);
}

void TableScreen::centreTipMarker() {
    shpPoint_->place(float(picSetPoint_->width() - shpPoint_->width()) / 2.0f,
                     float(picSetPoint_->height() - shpPoint_->height()) / 2.0f);
}

void TableScreen::enableShotInput(bool enabled) {
    picSetPoint_->setEnabled(enabled);
    HScroll1_->setEnabled(enabled);
    cmdShot_->setEnabled(enabled);
    // A disabled bar lets the keys go during a shot; they come back with it.
    if (enabled)
        focusPowerBar();
}

void TableScreen::focusPowerBar() {
    if (isVisibleTo(window()) && HScroll1_->isEnabled())
        HScroll1_->setFocus(Qt::OtherFocusReason);
}

void TableScreen::enableShotControls() {
    enableShotInput(true);
    picPool0_->setEnabled(true);
}

void TableScreen::setShotButtonEnabled(bool enabled) {
    cmdShot_->setEnabled(enabled);
}

void TableScreen::setShotButtonPlayLook() {
    QFont font = cmdShot_->font();
    font.setPixelSize(layout::kShotButtonFontPixels);
    cmdShot_->setFont(font);
    cmdShot_->setText(kPlayShotCaption);
}

void TableScreen::setShotButtonDemoLook() {
    cmdShot_->setFont(gameFont(kFontArial, kDemoShotButtonPoints, true));
    cmdShot_->setText(kDemoShotCaption);
}

void TableScreen::setShotButtonTwoPlayerLook(const std::string& caption) {
    QFont font = cmdShot_->font();
    font.setPixelSize(pointsToPixels(kTwoPlayerShotPoints));
    font.setFamily(kFontArial);
    font.setBold(true);
    cmdShot_->setFont(font);
    cmdShot_->setText(QString::fromStdString(caption));
}

void TableScreen::showPower(int power) {
    // The bar and its caption follow the game's power. The caption keeps its
    // look from before the first change ("POWER 100%") until the power differs;
    // after that the number has a blank for its sign: "POWER  90%".
    if (power == powerShown_)
        return;
    powerShown_ = power;
    lblPower_->setCaption(QStringLiteral("POWER ") + QString::fromStdString(signedNumberText(power)) +
                          QStringLiteral("%"));
    const QSignalBlocker quiet(HScroll1_);
    HScroll1_->setValue(power);
}

void TableScreen::setTableEnabled(bool enabled) {
    picPool0_->setEnabled(enabled);
}

void TableScreen::setTableButtonsVisible(bool menu, bool start, bool back) {
    lblMenu_[0]->setVisible(menu);
    lblMenu_[1]->setVisible(start);
    lblMenu_[2]->setVisible(back);
}

void TableScreen::setTovisMessageVisible(bool visible) {
    lblTovisMessage_->setVisible(visible);
}

void TableScreen::setTovisMessage(const std::string& text) {
    lblTovisMessage_->setCaption(QString::fromStdString(text));
}

} // namespace zandrel
