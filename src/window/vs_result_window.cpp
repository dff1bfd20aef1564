#include "window/vs_result_window.h"

#include "game/game_texts.h"
#include "platform/platform_helpers.h"
#include "window/colours.h"
#include "window/fonts.h"
#include "window/small_window.h"

#include <QKeyEvent>

namespace zandrel {

namespace {

constexpr double kWinnerPoints = 18.0;
constexpr double kRowPoints = 24.0;
constexpr Rgb kMagenta = rgb(255, 0, 255);

constexpr QRect kLblWinner{4, 0, 291, 55};
constexpr std::array<QRect, 2> kLblPlayerName{QRect{6, 60, 233, 35}, QRect{6, 98, 233, 35}};
constexpr std::array<QRect, 2> kLblWins{QRect{244, 60, 49, 35}, QRect{244, 98, 49, 35}};
constexpr QRect kPicOk{112, 134, 64, 32};

} // namespace

VsResultWindow::VsResultWindow(const GameState& state, QWidget* owner, QSize ownerOuterTwips)
    : QDialog(owner) {
    setUpSmallWindow(*this, kSmallWindowTitle, kClientSize, true);
    picOK_ = makePictureButton(QStringLiteral("picOK"), kPictureOk, kPicOk, this);
    picOK_->setFocusPolicy(Qt::TabFocus);
    connect(picOK_, &PictureBox::clicked, this, [this] { accept(); });

    lblWinner_ = new TextLabel(QString(), gameFont(kFontArial, kWinnerPoints, false), kGreen, this);
    lblWinner_->setObjectName(QStringLiteral("lblWinner"));
    lblWinner_->setGeometry(kLblWinner);
    lblWinner_->setAlignment(Qt::AlignCenter);
    const QFont rowFont = gameFont(kFontArial, kRowPoints, false);
    for (std::size_t i = 0; i < 2; ++i) {
        lblPlayerName_[i] = new TextLabel(QString(), rowFont, kGreen, this);
        lblPlayerName_[i]->setObjectName(QStringLiteral("lblPlayerName%1").arg(i));
        lblPlayerName_[i]->setGeometry(kLblPlayerName[i]);
        lblWins_[i] = new TextLabel(QString(), rowFont, kGreen, this);
        lblWins_[i]->setObjectName(QStringLiteral("lblWins%1").arg(i));
        lblWins_[i]->setGeometry(kLblWins[i]);
        for (TextLabel* label : {lblPlayerName_[i], lblWins_[i]}) {
            label->setBackgroundColour(kDarkGrey);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }

    if (owner != nullptr)
        move(centredOver(owner->frameGeometry().topLeft(), ownerOuterTwips, kClientSize));
    lblWinner_->setTextColour(isMatchDecided(state) ? kMagenta : kGreen);
    lblWinner_->setCaption(QString::fromStdString(winnerLine(state)));
    for (std::size_t i = 0; i < 2; ++i) {
        const Player& player = state.players[i];
        // The name as stored: the blanks that fill it stay, invisible at the end.
        lblPlayerName_[i]->setCaption(QString::fromStdString(player.name));
        lblWins_[i]->setCaption(QString::fromStdString(signedNumberText(player.wins)));
        const Rgb colour = player.wins >= state.winsNeeded ? kMagenta : kGreen;
        lblWins_[i]->setTextColour(colour);
        lblPlayerName_[i]->setTextColour(colour);
    }
}

void VsResultWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
        accept();
        return;
    default:
        break;
    }
    if (!event->text().isEmpty() && event->text().at(0).isPrint())
        accept();
}

} // namespace zandrel
