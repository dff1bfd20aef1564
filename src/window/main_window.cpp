// The main window's controls: their creation, places, fonts and colours, and
// the wiring of their events to the handlers.

#include "window/main_window.h"

#include "platform/platform_helpers.h"
#include "window/colours.h"
#include "window/fonts.h"
#include "window/game_sound_to_room.h"
#include "window/opening_window.h"
#include "window/pictures.h"
#include "window/table_drawing.h"
#include "window/window_layout.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>

#include <utility>
#include <vector>

namespace zandrel {

namespace {

constexpr int kTimer1DesignInterval = 30; ///< ms; start-up sets the 50 ms tick
constexpr int kTimeCounterInterval = 1000;
constexpr int kDemoInterval = 1000;
constexpr int kComInterval = 100;

constexpr int kPowerLargeChange = 10;

constexpr double kTableButtonPoints = 14.25;
constexpr double kStripFontPoints = 12.0;
constexpr double kTovisMessagePoints = 14.25;
constexpr double kComboPoints = 12.0;
constexpr double kVersionPoints = 11.25;
constexpr double kExitPoints = 27.75;
constexpr double kLetsPlayPoints = 36.0;
constexpr double kLinkPoints = 14.25;
constexpr double kDemoLabelPoints = 15.75;
constexpr double kCopyrightPoints = 12.0;

const QString kCopyrightLine = QStringLiteral("Copyright (C) 2026 Zandrel developers");
const QString kMusicCreditLine = QStringLiteral("Music composed by Quib");

const QString kComboStyle =
    QStringLiteral("QComboBox { color: #00ff00; background-color: #404040; "
                   "padding: 0px 2px; border: 1px solid #808080; }"
                   "QComboBox:disabled { color: #80a080; }"
                   "QComboBox QAbstractItemView { color: #00ff00; "
                   "background-color: #404040; selection-background-color: #008000; }");

/// A menu-screen box; each item carries the value the game takes for it.
QComboBox* makeCombo(const std::vector<std::pair<QString, int>>& items, QWidget* parent, const QRect& place) {
    auto* combo = new QComboBox(parent);
    for (const auto& [caption, value] : items)
        combo->addItem(caption, value);
    combo->setFont(gameFont(kFontMsPGothic, kComboPoints, true));
    combo->setStyleSheet(kComboStyle);
    combo->setGeometry(place);
    return combo;
}

/// An auto-sized label at `topLeft`.
TextLabel* makeAutoLabel(const QString& caption, const QFont& font, Rgb colour, QPoint topLeft,
                         QWidget* parent) {
    auto* label = new TextLabel(caption, font, colour, parent);
    label->move(topLeft);
    label->setAutoSize(true);
    return label;
}

} // namespace

bool isDebugCommandLine(const QStringList& arguments) {
    return arguments.join(QLatin1Char(' ')).toLower().contains(QStringLiteral("/debug"));
}

MainWindow::MainWindow(StartupOptions options, QWidget* parent)
    : QWidget(parent), options_(std::move(options)) {
    setWindowTitle(QStringLiteral("Zandrel"));
    // A fixed frame: title bar, minimise and close, nothing to resize or maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(kBlack));
    setPalette(p);
    setMouseTracking(true);

    loadPictures();
    createTableScreen();
    createMenuScreen();
    createMenus();
    createTimers();
    createSound();
    game_ = std::make_unique<Game>(*this, *this);
    game_->setSound(*gameSound_);
}

MainWindow::~MainWindow() {
    // The game's view is this window: stop every timer before the game goes.
    for (QTimer* timer : {Timer1, timTimeCounter, timDemo, timCom, timBGM})
        timer->stop();
}

void MainWindow::loadPictures() {
    initPictureResources();
    picTable =
        toSurface(loadPicture(kPictureTable, kTablePictureWidth, kTablePictureHeight + 60, kDarkGreen));
    picBalls = Surface(kSpriteStripWidth, kSpriteStripHeight);
    setWindowIcon(QIcon(QPixmap::fromImage(loadPicture(kPictureIcon, 32, 32, kDarkGreen))));
}

void MainWindow::createTableScreen() {
    using namespace layout;

    picPool0 = new PictureBox(kTablePictureWidth, kTablePictureHeight, kDarkGreen, this);
    picPool0->setGeometry(kPicPool);
    picPool0->setMouseTracking(true);
    picPool1 = Surface(kTablePictureWidth, kTablePictureHeight, kDarkGreen);

    lblTovisMessage =
        new TextLabel(QString(), gameFont(kFontMsGothic, kTovisMessagePoints, true), kGreen, picPool0);
    lblTovisMessage->setBackgroundColour(kBlack);
    lblTovisMessage->setGeometry(kLblTovisMessage);
    lblTovisMessage->hide();

    shpQBall = new ShapeWidget(int(kBallSpritePixels), kCueBallMarkerLine, kCueBallMarkerFill, picPool0);
    shpTarget = new ShapeWidget(int(kBallSpritePixels), kAimMarker, std::nullopt, picPool0);

    picSetPoint = new PictureBox(kPicSetPoint.width(), kPicSetPoint.height(), kGrey, this);
    picSetPoint->setGeometry(kPicSetPoint);
    picSetPoint->setPicture(
        loadPicture(kPictureCueBall, kPicSetPoint.width(), kPicSetPoint.height(), kWhite));
    shpPoint = new ShapeWidget(kTipMarkerSize, kTipMarker, kTipMarker, picSetPoint);
    shpPoint->place(20.0f, 20.0f);

    lblPower = new TextLabel(QStringLiteral("POWER 100%"), gameFont(kFontArial, 14.25, false), kGreen, this);
    lblPower->setBackgroundColour(kDarkGrey);
    lblPower->setAlignment(Qt::AlignCenter);

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setRange(kMinPower, kMaxPower);
    HScroll1->setPageStep(kPowerLargeChange);
    HScroll1->setSingleStep(1);
    HScroll1->setValue(kMaxPower);

    cmdShot = new QPushButton(QString::fromUtf8(kSoloShotCaption), this);
    cmdShot->setFont(gameFont(kFontArial, 18.75, true));
    cmdShot->setFocusPolicy(Qt::NoFocus);

    picPocketedBalls = new PictureBox(kPocketedBallsWidth, kPocketedBallsHeight, kPointStripColour, this);
    lblBIP = new TextLabel(QStringLiteral("Point"), gameFont(kFontArial, 14.25, false), kGreen, this);
    lblBIP->setAlignment(Qt::AlignCenter);

    picInfomation = new PictureBox(kPicInfomation.width(), kPicInfomation.height(), kBlack, this);
    picInfomation->setGeometry(kPicInfomation);
    picInfomation->setFont(gameFont(kFontArial, kStripFontPoints, true));
    picInfomation->setMouseTracking(true);

    const QFont buttonFont = gameFont(kFontArial, kTableButtonPoints, true);
    lblMenu[2] = new TextLabel(QStringLiteral("Back"), buttonFont, kTableButtonRest, this);
    lblMenu[2]->setGeometry(kLblMenuBack);
    lblMenu[2]->setToolTip(QStringLiteral("一手戻る"));
    lblMenu[1] = new TextLabel(QStringLiteral("Start"), buttonFont, kTableButtonRest, this);
    lblMenu[1]->setGeometry(kLblMenuStart);
    lblMenu[1]->setToolTip(QStringLiteral("始めからやり直し"));
    lblMenu[0] = new TextLabel(QStringLiteral("Menu"), buttonFont, kTableButtonRest, this);
    lblMenu[0]->setGeometry(kLblMenuMenu);
    lblMenu[0]->setToolTip(QStringLiteral("メニュー画面に戻る"));

    connect(picPool0, &PictureBox::mousePressed, this,
            [this](Qt::MouseButton, QPointF pos) { picPool_MouseDown(float(pos.x()), float(pos.y())); });
    connect(picPool0, &PictureBox::mouseMoved, this, [this](Qt::MouseButtons buttons, QPointF pos) {
        picPool_MouseMove(buttons != Qt::NoButton, float(pos.x()), float(pos.y()));
    });
    connect(picPool0, &PictureBox::mouseReleased, this, [this](Qt::MouseButton button, QPointF pos) {
        picPool_MouseUp(button != Qt::NoButton, float(pos.x()), float(pos.y()));
    });
    connect(picPool0, &PictureBox::clicked, this, [this] { picPool_Click(); });
    connect(picSetPoint, &PictureBox::mousePressed, this,
            [this](Qt::MouseButton, QPointF pos) { picSetPoint_MouseDown(float(pos.x()), float(pos.y())); });
    connect(picInfomation, &PictureBox::mouseMoved, this, [this] { picInfomation_MouseMove(); });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    connect(cmdShot, &QPushButton::clicked, this, [this] { cmdShot_Click(); });
    for (int i = 0; i < int(lblMenu.size()); ++i) {
        connect(lblMenu[i], &TextLabel::clicked, this, [this, i] { lblMenu_Click(i); });
        connect(lblMenu[i], &TextLabel::mouseMoved, this, [this, i] { lblMenu_MouseMove(i); });
    }
}

void MainWindow::createMenuScreen() {
    using namespace layout;

    picMenu = new PictureBox(kPicMenu.width(), kPicMenu.height(), kBlack, this);
    picMenu->setGeometry(kPicMenu);
    picMenu->setPicture(loadPicture(kPictureMenu, kPicMenu.width(), 365, kBlack));

    auto items = [](const auto& choices) {
        std::vector<std::pair<QString, int>> list;
        for (const MenuChoice& choice : choices)
            list.emplace_back(QString::fromUtf8(choice.caption), choice.value);
        return list;
    };
    std::vector<std::pair<QString, int>> points;
    for (int target : kTargetPointChoices)
        points.emplace_back(QString::number(target), target);
    cmbPoints = makeCombo(points, picMenu, kCmbPoints);
    cmbVSMode = makeCombo(items(kPlayerChoices), picMenu, kCmbVsMode);
    cmbVSMode->setEnabled(false);
    cmbGameName = makeCombo(items(kGameKindChoices), picMenu, kCmbGameName);

    const QImage soundOn = loadPicture(kPictureSoundOn, kPicSound.width(), kPicSound.height(), kDarkGreen);
    const QImage soundOff = loadPicture(kPictureSoundOff, kPicSound.width(), kPicSound.height(), kDarkGrey);
    const QImage bgmOn = loadPicture(kPictureBgmOn, kPicBgm.width(), kPicBgm.height(), kDarkGreen);
    const QImage bgmOff = loadPicture(kPictureBgmOff, kPicBgm.width(), kPicBgm.height(), kDarkGrey);
    // Element 1 first: element 0 lies over it while both show.
    for (int i : {1, 0}) {
        picSound[i] = new PictureBox(kPicSound.width(), kPicSound.height(), kBlack, picMenu);
        picSound[i]->setGeometry(kPicSound);
        picSound[i]->setPicture(i == 0 ? soundOn : soundOff);
        picSound[i]->setToolTip(QStringLiteral("サウンドのOn/Off"));
        connect(picSound[i], &PictureBox::clicked, this, [this, i] { picSound_Click(i); });
        picBGM[i] = new PictureBox(kPicBgm.width(), kPicBgm.height(), kBlack, picMenu);
        picBGM[i]->setGeometry(kPicBgm);
        picBGM[i]->setPicture(i == 0 ? bgmOn : bgmOff);
        picBGM[i]->setToolTip(QStringLiteral("BGMのOn/Off"));
        connect(picBGM[i], &PictureBox::clicked, this, [this, i] { picBGM_Click(i); });
    }
    picBGM[1]->hide();

    Label2 = makeAutoLabel(QStringLiteral("ポイント先取"), gameFont(kFontMsPGothic, kComboPoints, true),
                           kGreen, kLabel2, picMenu);
    const QFont versionFont = gameFont(kFontMsPGothic, kVersionPoints, true);
    lblRelease = makeAutoLabel(QString(), versionFont, kVersionText, kLblRelease, picMenu);
    lblVersion = makeAutoLabel(QString(), versionFont, kVersionText, kLblVersion, picMenu);
    lblExit = makeAutoLabel(QStringLiteral("EXIT"), gameFont(kFontArial, kExitPoints, true), kMenuLinkRest,
                            kLblExit, picMenu);
    lblExit->setToolTip(QStringLiteral("Zandrelを終了"));
    lblLetsPlay = makeAutoLabel(QStringLiteral("Let's Play!"), gameFont(kFontArial, kLetsPlayPoints, true),
                                kDarkGreen, kLblLetsPlay, picMenu);
    lblLetsPlay->setToolTip(QStringLiteral("ゲーム開始!"));
    const QFont linkFont = gameFont(kFontArial, kLinkPoints, true);
    lblMail = makeAutoLabel(QStringLiteral("E-mail"), linkFont, kMenuLinkRest, kLblMail, picMenu);
    lblMail->setToolTip(QStringLiteral("作者へのご意見・ご要望はこちら"));
    lblToHP = makeAutoLabel(QStringLiteral("HomePage"), linkFont, kMenuLinkRest, kLblToHp, picMenu);
    lblToHP->setToolTip(QStringLiteral("最新バージョンはこちら"));
    lblHelp = makeAutoLabel(QStringLiteral("４つ球のデモ"), gameFont(kFontMsPGothic, kDemoLabelPoints, true),
                            kMenuLinkRest, kLblHelp, picMenu);
    lblHelp->setAlignment(Qt::AlignCenter);
    lblHelp->setToolTip(QStringLiteral("４つ球のデモプレー"));

    const QFont copyrightFont = gameFont(kFontArial, kCopyrightPoints, true);
    lblCopyright[0] = new TextLabel(kCopyrightLine, copyrightFont, kCopyrightText, picMenu);
    lblCopyright[0]->setGeometry(kLblCopyright0);
    lblCopyright[1] = new TextLabel(kMusicCreditLine, copyrightFont, kCopyrightText, picMenu);
    lblCopyright[1]->setGeometry(kLblCopyright1);
    for (int i = 0; i < int(lblCopyright.size()); ++i) {
        lblCopyright[i]->setAlignment(Qt::AlignCenter);
        connect(lblCopyright[i], &TextLabel::clicked, this, [this, i] { lblCopyright_Click(i); });
    }

    connect(picMenu, &PictureBox::mouseMoved, this, [this] { picMenu_MouseMove(); });
    connect(picMenu, &PictureBox::doubleClicked, this, [this] { picMenu_DblClick(); });
    connect(lblLetsPlay, &TextLabel::clicked, this, [this] { lblLetsPlay_Click(); });
    connect(lblLetsPlay, &TextLabel::mouseMoved, this, [this] { lblLetsPlay_MouseMove(); });
    connect(lblExit, &TextLabel::clicked, this, [this] { lblExit_Click(); });
    connect(lblExit, &TextLabel::mouseMoved, this, [this] { lblExit_MouseMove(); });
    connect(lblHelp, &TextLabel::clicked, this, [this] { lblHelp_Click(); });
    connect(lblHelp, &TextLabel::mouseMoved, this, [this] { lblHelp_MouseMove(); });
    connect(lblMail, &TextLabel::clicked, this, [this] { lblMail_Click(); });
    connect(lblMail, &TextLabel::mouseMoved, this, [this] { lblMail_MouseMove(); });
    connect(lblToHP, &TextLabel::clicked, this, [this] { lblToHP_Click(); });
    connect(lblToHP, &TextLabel::mouseMoved, this, [this] { lblToHP_MouseMove(); });

    // The credit lines span the panel's width and lie over "EXIT": each label
    // takes the pointer only where its caption is drawn.
    for (TextLabel* label : picMenu->findChildren<TextLabel*>())
        label->setPointerAreaFitsCaption(true);
    picMenu->raise();
}

void MainWindow::createMenus() {
    // The menus are never shown as a bar; their items live on as the window's
    // actions, so the two shortcut keys reach them.
    auto item = [](QMenu* menu, const QString& caption) { return menu->addAction(caption); };
    mnuGame = new QMenu(QStringLiteral("ゲーム(&G)"), this);
    mnuStart = item(mnuGame, QStringLiteral("スタート(&S)"));
    mnuStart->setShortcut(QKeySequence(Qt::Key_F2));
    mnuRetry = item(mnuGame, QStringLiteral("一手戻し"));
    mnuSep3 = mnuGame->addSeparator();
    mnuRecord = item(mnuGame, QStringLiteral("レコード(&R)"));
    mnuVS = item(mnuGame, QStringLiteral("対戦成績(&V)"));
    mnuVS->setVisible(false);
    mnuSep1 = mnuGame->addSeparator();
    mnuExit = item(mnuGame, QStringLiteral("終了(&X)"));
    mnuGame->menuAction()->setVisible(false);

    mnuChangeMode = new QAction(QStringLiteral("独り突き→対戦(&M)"), this);
    mnuChangeMode->setVisible(false);
    mnuCurrentCondition = new QAction(QStringLiteral("実況(&C)"), this);
    mnuCurrentCondition->setVisible(false);

    mnuOption = new QMenu(QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"), this);
    mnuSound = item(mnuOption, QStringLiteral("効果音(&S)"));
    mnuSound->setCheckable(true);
    mnuSound->setChecked(true);
    mnuOption->menuAction()->setVisible(false);

    mnuHelp = new QMenu(QStringLiteral("ヘルプ(&H)"), this);
    mnuHelpCont = item(mnuHelp, QStringLiteral("目次"));
    mnuHelpCont->setShortcut(QKeySequence(Qt::Key_F1));
    mnuKey = item(mnuHelp, QStringLiteral("キーワードで検索"));
    mnuKey->setVisible(false);
    mnuSep2 = mnuHelp->addSeparator();
    mnuAbout = item(mnuHelp, QStringLiteral("バージョン情報(&V)"));
    mnuHelp->menuAction()->setVisible(false);

    for (QAction* action : {mnuStart, mnuHelpCont}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }

    connect(mnuStart, &QAction::triggered, this, [this] { mnuStart_click(); });
    connect(mnuRetry, &QAction::triggered, this, [this] { mnuRetry_Click(); });
    connect(mnuVS, &QAction::triggered, this, [this] { mnuVS_Click(); });
    connect(mnuExit, &QAction::triggered, this, [this] { mnuExit_Click(); });
    connect(mnuChangeMode, &QAction::triggered, this, [this] { mnuChangeMode_Click(); });
    connect(mnuCurrentCondition, &QAction::triggered, this, [this] { mnuCurrentCondition_Click(); });
    connect(mnuSound, &QAction::triggered, this, [this] { mnuSound_Click(); });
    connect(mnuHelpCont, &QAction::triggered, this, [this] { mnuHelpCont_Click(); });
    connect(mnuKey, &QAction::triggered, this, [this] { mnuKey_Click(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { mnuAbout_Click(); });
}

void MainWindow::createTimers() {
    auto makeTimer = [this](int interval) {
        auto* timer = new QTimer(this);
        timer->setInterval(interval);
        return timer;
    };
    Timer1 = makeTimer(kTimer1DesignInterval);
    timTimeCounter = makeTimer(kTimeCounterInterval);
    timDemo = makeTimer(kDemoInterval);
    timCom = makeTimer(kComInterval);
    timBGM = makeTimer(kBgmTimerInterval);
    connect(Timer1, &QTimer::timeout, this, [this] { game_->Timer1_Timer(); });
    connect(timTimeCounter, &QTimer::timeout, this, [this] { game_->timTimeCounter_Timer(); });
    connect(timDemo, &QTimer::timeout, this, [this] { game_->timDemo_Timer(); });
    connect(timCom, &QTimer::timeout, this, [this] { game_->timCom_Timer(); });
    connect(timBGM, &QTimer::timeout, this, [this] { sound_->timBGM_Timer(); });
}

void MainWindow::createSound() {
    soundOutput_ = options_.soundOutput;
    if (!soundOutput_) {
        auto device = std::make_shared<SdlMixerOutput>(programDirectory());
        soundDevice_ = device.get();
        soundOutput_ = std::move(device);
    }
    sound_ = std::make_unique<SoundRoom>(*soundOutput_, programDirectory(), kVersion);
    sound_->setCaptionHandler(
        [this](const std::string& text) { setWindowTitle(QString::fromStdString(text)); });
    sound_->setMusicTimer([this](bool run) { run ? timBGM->start() : timBGM->stop(); });
    gameSound_ = std::make_unique<GameSoundToRoom>(*sound_);
}

void MainWindow::mouseMoveEvent(QMouseEvent*) {
    Form_MouseMove();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Form_Unload: the music files are closed; nothing is saved.
    sound_->closeAllTunes();
    for (QTimer* timer : {Timer1, timTimeCounter, timDemo, timCom, timBGM})
        timer->stop();
    event->accept();
}

} // namespace zandrel
