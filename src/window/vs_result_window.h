#pragma once

// Where a two-player match stands: the winner line, and each player's name and
// games won. It only reads the game.

#include "game/game.h"
#include "window/picture_box.h"
#include "window/text_label.h"

#include <QDialog>

#include <array>

namespace zandrel {

class VsResultWindow : public QDialog {
    Q_OBJECT
public:
    /// Loads the window from `state`, centred over `owner`.
    VsResultWindow(const GameState& state, QWidget* owner, QSize ownerOuterTwips);

    static constexpr QSize kClientSize{299, 176};

protected:
    /// Any key that gives a character closes the window; others do nothing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    TextLabel* lblWinner_ = nullptr;
    std::array<TextLabel*, 2> lblPlayerName_{};
    std::array<TextLabel*, 2> lblWins_{};
    PictureBox* picOK_ = nullptr;
};

} // namespace zandrel
