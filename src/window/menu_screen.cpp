#include "window/menu_screen.h"

#include "sound/sound_room.h"
#include "window/colours.h"
#include "window/fonts.h"
#include "window/links.h"
#include "window/pictures.h"
#include "window/program_info.h"
#include "window/text_label.h"
#include "window/window_layout.h"

#include <QComboBox>

#include <utility>
#include <vector>

namespace zandrel {

namespace {

constexpr double kComboPoints = 12.0;
constexpr double kVersionPoints = 11.25;
constexpr double kExitPoints = 27.75;
constexpr double kLetsPlayPoints = 36.0;
constexpr double kLinkPoints = 14.25;
constexpr double kDemoLabelPoints = 15.75;
constexpr double kCopyrightPoints = 12.0;

const QString kMailRestCaption = QStringLiteral("E-Mail");
const QString kHomePageRestCaption = QStringLiteral("Get New!");

const QString kComboStyle =
    QStringLiteral("QComboBox { color: #00ff00; background-color: #404040; "
                   "padding: 0px 2px; border: 1px solid #808080; }"
                   "QComboBox:disabled { color: #80a080; }"
                   "QComboBox QAbstractItemView { color: #00ff00; "
                   "background-color: #404040; selection-background-color: #008000; }");

/// A menu-screen box; each item carries the value the game takes for it.
QComboBox* makeCombo(const std::vector<std::pair<QString, int>>& items, const QString& name, QWidget* parent,
                     const QRect& place) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const auto& [caption, value] : items)
        combo->addItem(caption, value);
    combo->setFont(gameFont(kFontMsPGothic, kComboPoints, true));
    combo->setStyleSheet(kComboStyle);
    combo->setGeometry(place);
    return combo;
}

std::vector<std::pair<QString, int>> comboItems(const auto& choices) {
    std::vector<std::pair<QString, int>> items;
    for (const MenuChoice& choice : choices)
        items.emplace_back(QString::fromUtf8(choice.caption), choice.value);
    return items;
}

/// An auto-sized label at `topLeft`, named as in the game's design.
TextLabel* makeAutoLabel(const QString& name, const QString& caption, const QFont& font, Rgb colour,
                         QPoint topLeft, QWidget* parent) {
    auto* label = new TextLabel(caption, font, colour, parent);
    label->setObjectName(name);
    label->move(topLeft);
    label->setAutoSize(true);
    return label;
}

} // namespace

MenuScreen::MenuScreen(QWidget* parent)
    : PictureBox(layout::kPicMenu.width(), layout::kPicMenu.height(), kBlack, parent) {
    setObjectName(QStringLiteral("picMenu"));
    setGeometry(layout::kPicMenu);
    setPicture(loadPicture(kPictureMenu, layout::kPicMenu.width(), 365, kBlack));
    createChoices();
    createIcons();
    createLabels();
    // The credit lines span the panel's width and lie over "EXIT": each label
    // takes the pointer only where its caption is drawn.
    for (TextLabel* label : findChildren<TextLabel*>())
        label->setPointerAreaFitsCaption(true);
}

void MenuScreen::createChoices() {
    using namespace layout;
    std::vector<std::pair<QString, int>> points;
    for (int target : kTargetPointChoices)
        points.emplace_back(QString::number(target), target);
    cmbPoints_ = makeCombo(points, QStringLiteral("cmbPoints"), this, kCmbPoints);
    cmbVSMode_ = makeCombo(comboItems(kPlayerChoices), QStringLiteral("cmbVSMode"), this, kCmbVsMode);
    cmbVSMode_->setEnabled(false);
    cmbGameName_ = makeCombo(comboItems(kGameKindChoices), QStringLiteral("cmbGameName"), this, kCmbGameName);
}

void MenuScreen::createIcons() {
    using namespace layout;
    // A switch icon: element 0 shows while the switch is on, element 1 while it is off.
    auto icon = [this](const QString& name, const QRect& place, const QString& picture, Rgb fallback,
                       const QString& toolTip) {
        auto* box = new PictureBox(place.width(), place.height(), kBlack, this);
        box->setObjectName(name);
        box->setGeometry(place);
        box->setPicture(loadPicture(picture, place.width(), place.height(), fallback));
        box->setToolTip(toolTip);
        return box;
    };
    const QString soundTip = QStringLiteral("サウンドのOn/Off"), musicTip = QStringLiteral("BGMのOn/Off");
    // Element 1 first: element 0 lies over it while both show.
    picSound_[1] = icon(QStringLiteral("picSound1"), kPicSound, kPictureSoundOff, kDarkGrey, soundTip);
    picBGM_[1] = icon(QStringLiteral("picBGM1"), kPicBgm, kPictureBgmOff, kDarkGrey, musicTip);
    picSound_[0] = icon(QStringLiteral("picSound0"), kPicSound, kPictureSoundOn, kDarkGreen, soundTip);
    picBGM_[0] = icon(QStringLiteral("picBGM0"), kPicBgm, kPictureBgmOn, kDarkGreen, musicTip);
    picBGM_[1]->hide();
}

void MenuScreen::createLabels() {
    using namespace layout;
    Label2_ = makeAutoLabel(QStringLiteral("Label2"), QStringLiteral("ポイント先取"),
                            gameFont(kFontMsPGothic, kComboPoints, true), kGreen, kLabel2, this);
    const QFont versionFont = gameFont(kFontMsPGothic, kVersionPoints, true);
    lblRelease_ =
        makeAutoLabel(QStringLiteral("lblRelease"), QString(), versionFont, kVersionText, kLblRelease, this);
    lblVersion_ =
        makeAutoLabel(QStringLiteral("lblVersion"), QString(), versionFont, kVersionText, kLblVersion, this);
    lblExit_ = makeAutoLabel(QStringLiteral("lblExit"), QStringLiteral("EXIT"),
                             gameFont(kFontArial, kExitPoints, true), kMenuLinkRest, kLblExit, this);
    lblExit_->setToolTip(QStringLiteral("Zandrelを終了"));
    lblLetsPlay_ = makeAutoLabel(QStringLiteral("lblLetsPlay"), QStringLiteral("Let's Play!"),
                                 gameFont(kFontArial, kLetsPlayPoints, true), kDarkGreen, kLblLetsPlay, this);
    lblLetsPlay_->setToolTip(QStringLiteral("ゲーム開始!"));
    const QFont linkFont = gameFont(kFontArial, kLinkPoints, true);
    lblMail_ = makeAutoLabel(QStringLiteral("lblMail"), QStringLiteral("E-mail"), linkFont, kMenuLinkRest,
                             kLblMail, this);
    lblMail_->setToolTip(QStringLiteral("作者へのご意見・ご要望はこちら"));
    lblToHP_ = makeAutoLabel(QStringLiteral("lblToHP"), QStringLiteral("HomePage"), linkFont, kMenuLinkRest,
                             kLblToHp, this);
    lblToHP_->setToolTip(QStringLiteral("最新バージョンはこちら"));
    lblHelp_ = makeAutoLabel(QStringLiteral("lblHelp"), QStringLiteral("４つ球のデモ"),
                             gameFont(kFontMsPGothic, kDemoLabelPoints, true), kMenuLinkRest, kLblHelp, this);
    lblHelp_->setAlignment(Qt::AlignCenter);
    lblHelp_->setToolTip(QStringLiteral("４つ球のデモプレー"));

    const QFont copyrightFont = gameFont(kFontArial, kCopyrightPoints, true);
    const char* credits[] = {kCopyrightLine, kMusicCreditLine};
    const QRect places[] = {kLblCopyright0, kLblCopyright1};
    for (std::size_t i = 0; i < lblCopyright_.size(); ++i) {
        lblCopyright_[i] = new TextLabel(QString::fromUtf8(credits[i]), copyrightFont, kCopyrightText, this);
        lblCopyright_[i]->setObjectName(QStringLiteral("lblCopyright%1").arg(i));
        lblCopyright_[i]->setGeometry(places[i]);
        lblCopyright_[i]->setAlignment(Qt::AlignCenter);
    }
}

void MenuScreen::attach(Game& game, SoundRoom& sound) {
    game_ = &game;
    sound_ = &sound;
    connectInput();
}

void MenuScreen::connectInput() {
    for (int i = 0; i < 2; ++i) {
        connect(picSound_[std::size_t(i)], &PictureBox::clicked, this, [this, i] { picSound_Click(i); });
        connect(picBGM_[std::size_t(i)], &PictureBox::clicked, this, [this, i] { picBGM_Click(i); });
    }
    for (TextLabel* credit : lblCopyright_)
        connect(credit, &TextLabel::clicked, this, [] { openLink(helpPageUrl()); });
    connect(this, &PictureBox::mouseMoved, this, [this] { picMenu_MouseMove(); });
    connect(lblLetsPlay_, &TextLabel::clicked, this, [this] { game_->lblLetsPlay_Click(choice()); });
    connect(lblLetsPlay_, &TextLabel::mouseMoved, this, [this] { lblLetsPlay_->setTextColour(kGreen); });
    connect(lblExit_, &TextLabel::clicked, this, [this] { window()->close(); });
    connect(lblExit_, &TextLabel::mouseMoved, this, [this] { lblExit_->setTextColour(kGreen); });
    connect(lblHelp_, &TextLabel::clicked, this, [this] { game_->lblHelp_Click(); });
    connect(lblHelp_, &TextLabel::mouseMoved, this, [this] { lblHelp_->setTextColour(kDemoLabelHover); });
    connect(lblMail_, &TextLabel::clicked, this, [] { openLink(authorMailUrl()); });
    connect(lblMail_, &TextLabel::mouseMoved, this, [this] { lblMail_MouseMove(); });
    connect(lblToHP_, &TextLabel::clicked, this, [] { openLink(authorHomePageUrl()); });
    connect(lblToHP_, &TextLabel::mouseMoved, this, [this] { lblToHP_MouseMove(); });
}

void MenuScreen::showVersion() {
    lblVersion_->setCaption(QStringLiteral("Ver.") + QString::fromUtf8(kVersion));
    lblRelease_->setCaption(QStringLiteral("Release:") + QString::fromUtf8(kReleaseDate));
}

void MenuScreen::setDefaultChoices() {
    cmbVSMode_->setCurrentIndex(0);
    cmbGameName_->setCurrentIndex(0);
    cmbPoints_->setCurrentIndex(cmbPoints_->findData(kDefaultTargetPoints));
}

GameChoice MenuScreen::choice() const {
    GameChoice choice;
    choice.gameKind = cmbGameName_->currentData().toInt() == int(GameKind::fourBall) ? GameKind::fourBall
                                                                                     : GameKind::threeBall;
    choice.twoPlayers = cmbVSMode_->currentData().toInt() != 0;
    choice.targetPoints = cmbPoints_->currentData().toInt();
    return choice;
}

void MenuScreen::picMenu_MouseMove() {
    lblHelp_->setTextColour(kMenuLinkRest);
    lblToHP_->setTextColour(kMenuLinkRest);
    lblMail_->setTextColour(kMenuLinkRest);
    lblToHP_->setCaption(kHomePageRestCaption);
    lblMail_->setCaption(kMailRestCaption);
    lblLetsPlay_->setTextColour(kDarkGreen);
    lblExit_->setTextColour(kDarkGreen);
    game_->picMenu_MouseMove();
}

void MenuScreen::lblMail_MouseMove() {
    lblMail_->setTextColour(kMenuLinkHover);
    lblMail_->setCaption(QStringLiteral("E-Mail:") + QString::fromUtf8(kAuthorMail));
}

void MenuScreen::lblToHP_MouseMove() {
    lblToHP_->setTextColour(kMenuLinkHover);
    lblToHP_->setCaption(QStringLiteral("Get New!: ") + QString::fromUtf8(kAuthorHomePage));
}

void MenuScreen::picSound_Click(int index) {
    sound_->switchSound(index != 0);
    const bool on = sound_->soundMode() != kSoundOff;
    picSound_[0]->setVisible(on);
    picSound_[1]->setVisible(!on);
}

void MenuScreen::picBGM_Click(int index) {
    sound_->switchMusic(index != 0);
    const bool on = sound_->isBgmOn() != kBgmOff;
    picBGM_[0]->setVisible(on);
    picBGM_[1]->setVisible(!on);
}

} // namespace zandrel
