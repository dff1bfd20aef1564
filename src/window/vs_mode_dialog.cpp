#include "window/vs_mode_dialog.h"

#include "game/game_texts.h"
#include "window/colours.h"
#include "window/fonts.h"
#include "window/small_window.h"

#include <QKeyEvent>
#include <QTimer>

namespace zandrel {

namespace {

constexpr double kDialogFontPoints = 18.0;
constexpr int kWinsStep = 2;
constexpr Rgb kMagenta = rgb(255, 0, 255);

const QString kNameBoxStyle = QStringLiteral("QLineEdit { color: #00ff00; background-color: #404040; "
                                             "border: 2px inset #808080; }"
                                             "QLineEdit:disabled { color: #00a000; }");

constexpr QRect kNameBox0{8, 16, 187, 36};
constexpr QRect kLabel1{72, 54, 39, 23};
constexpr QRect kNameBox1{8, 78, 187, 37};
constexpr QRect kLblXwins{10, 124, 161, 25};
constexpr QRect kVScroll1{176, 124, 19, 25};
constexpr QRect kPicOk{58, 152, 64, 32};
constexpr QRect kPicCancel{128, 152, 64, 32};

} // namespace

VsModeDialog::VsModeDialog(Game& game, QWidget* owner, QSize ownerOuterTwips) : QDialog(owner), game_(game) {
    setUpSmallWindow(*this, kSmallWindowTitle, kClientSize, true);
    const QFont font = gameFont(kFontArial, kDialogFontPoints, false);

    picOK_ = makePictureButton(QStringLiteral("picOK"), kPictureOk, kPicOk, this);
    picCancel_ = makePictureButton(QStringLiteral("picCancel"), kPictureCancel, kPicCancel, this);
    for (int i = 0; i < 2; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtPlayerName%1").arg(i));
        box->setGeometry(i == 0 ? kNameBox0 : kNameBox1);
        box->setFont(font);
        box->setStyleSheet(kNameBoxStyle);
        box->setAlignment(Qt::AlignCenter);
        box->setMaxLength(kPlayerNameLength);
        box->installEventFilter(this);
        txtPlayerName_[std::size_t(i)] = box;
    }
    Label1_ = new TextLabel(QStringLiteral("VS"), font, kMagenta, this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setGeometry(kLabel1);
    Label1_->setAlignment(Qt::AlignCenter);
    lblXwins_ = new TextLabel(QString(), font, kGreen, this);
    lblXwins_->setObjectName(QStringLiteral("lblXwins"));
    lblXwins_->setGeometry(kLblXwins);
    lblXwins_->setBackgroundColour(kDarkGrey);
    lblXwins_->setAlignment(Qt::AlignCenter);
    // The most games at the top: the upper arrow raises the games to win.
    VScroll1_ = new QScrollBar(Qt::Vertical, this);
    VScroll1_->setObjectName(QStringLiteral("VScroll1"));
    VScroll1_->setGeometry(kVScroll1);
    VScroll1_->setRange(kFewestWinsNeeded, kMostWinsNeeded);
    VScroll1_->setSingleStep(kWinsStep);
    VScroll1_->setPageStep(kWinsStep);
    setWinsValue(kFewestWinsNeeded);

    // Tab order: O.K., Cancel, the two names, the bar.
    picOK_->setFocusPolicy(Qt::TabFocus);
    picCancel_->setFocusPolicy(Qt::TabFocus);
    VScroll1_->setFocusPolicy(Qt::TabFocus);
    setTabOrder(picOK_, picCancel_);
    setTabOrder(picCancel_, txtPlayerName_[0]);
    setTabOrder(txtPlayerName_[0], txtPlayerName_[1]);
    setTabOrder(txtPlayerName_[1], VScroll1_);

    // Load: centred over the main window, filled from the game.
    if (owner != nullptr)
        move(centredOver(owner->frameGeometry().topLeft(), ownerOuterTwips, kClientSize));
    const GameState& state = game_.state();
    for (int i = 0; i < 2; ++i)
        txtPlayerName_[std::size_t(i)]->setText(
            QString::fromStdString(trimmedName(state.players[std::size_t(i)].name)));
    lblXwins_->setCaption(QString::fromStdString(winsNeededText(state.winsNeeded)));
    setWinsValue(state.winsNeeded);
    txtPlayerName_[1]->setEnabled(txtPlayerName_[1]->text() != QLatin1String(kComputerSideName));

    connect(VScroll1_, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
    connect(picOK_, &PictureBox::clicked, this, [this] { picOK_Click(); });
    connect(picCancel_, &PictureBox::clicked, this, [this] { picCancel_Click(); });
}

int VsModeDialog::winsValue() const {
    return kFewestWinsNeeded + kMostWinsNeeded - VScroll1_->value();
}

void VsModeDialog::setWinsValue(int wins) {
    VScroll1_->setValue(kFewestWinsNeeded + kMostWinsNeeded - wins);
}

void VsModeDialog::VScroll1_Change() {
    game_.setWinsNeeded(winsValue());
    lblXwins_->setCaption(QString::fromStdString(winsNeededText(game_.state().winsNeeded)));
}

void VsModeDialog::picOK_Click() {
    game_.confirmTwoPlayerSetup(txtPlayerName_[0]->text().toStdString(),
                                txtPlayerName_[1]->text().toStdString());
    done(Accepted);
}

void VsModeDialog::picCancel_Click() {
    game_.cancelTwoPlayerSetup();
    done(Rejected);
}

bool VsModeDialog::event(QEvent* event) {
    // Each time the dialog is shown or comes to the front again, the first name
    // box takes the focus.
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
        txtPlayerName_[0]->setFocus(Qt::OtherFocusReason);
    return QDialog::event(event);
}

bool VsModeDialog::eventFilter(QObject* watched, QEvent* event) {
    // A name box that takes the focus selects its whole name, so typing replaces
    // it; the selection is made once the click that brought the focus is over.
    if (event->type() == QEvent::FocusIn) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box != nullptr)
            QTimer::singleShot(0, box, [box] { box->setSelection(0, kPlayerNameLength); });
    }
    return QDialog::eventFilter(watched, event);
}

void VsModeDialog::keyPressEvent(QKeyEvent* event) {
    // Neither Enter nor Esc closes the dialog: only O.K., Cancel and the close box do.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

} // namespace zandrel
