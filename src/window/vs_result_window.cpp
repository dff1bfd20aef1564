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
    picOK = makePictureButton(kPictureOk, kPicOk, this);
    picOK->setFocusPolicy(Qt::TabFocus);
    connect(picOK, &PictureBox::clicked, this, [this] { accept(); });

    lblWinner = new TextLabel(QString(), gameFont(kFontArial, kWinnerPoints, false), kGreen, this);
    lblWinner->setGeometry(kLblWinner);
    lblWinner->setAlignment(Qt::AlignCenter);
    const QFont rowFont = gameFont(kFontArial, kRowPoints, false);
    for (std::size_t i = 0; i < 2; ++i) {
        lblPlayerName[i] = new TextLabel(QString(), rowFont, kGreen, this);
        lblPlayerName[i]->setGeometry(kLblPlayerName[i]);
        lblWins[i] = new TextLabel(QString(), rowFont, kGreen, this);
        lblWins[i]->setGeometry(kLblWins[i]);
        for (TextLabel* label : {lblPlayerName[i], lblWins[i]}) {
            label->setBackgroundColour(kDarkGrey);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }

    if (owner != nullptr)
        move(centredOver(owner->frameGeometry().topLeft(), ownerOuterTwips, kClientSize));
    lblWinner->setTextColour(isMatchDecided(state) ? kMagenta : kGreen);
    lblWinner->setCaption(QString::fromStdString(winnerLine(state)));
    for (std::size_t i = 0; i < 2; ++i) {
        const Player& player = state.players[i];
        // The name as stored: the blanks that fill it stay, invisible at the end.
        lblPlayerName[i]->setCaption(QString::fromStdString(player.name));
        lblWins[i]->setCaption(QString::fromStdString(signedNumberText(player.wins)));
        const Rgb colour = player.wins >= state.winsNeeded ? kMagenta : kGreen;
        lblWins[i]->setTextColour(colour);
        lblPlayerName[i]->setTextColour(colour);
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
