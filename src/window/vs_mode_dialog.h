#pragma once

// The two-player set-up: two names of up to 12 characters and the games that
// win the match. What O.K. and Cancel do to the game is the game's business;
// the dialog only collects the entries.

#include "game/game.h"
#include "window/picture_box.h"
#include "window/text_label.h"

#include <QDialog>
#include <QLineEdit>
#include <QScrollBar>

#include <array>

namespace zandrel {

class VsModeDialog : public QDialog {
    Q_OBJECT
public:
    /// Loads the dialog from the game's names and games to win, centred over `owner`.
    VsModeDialog(Game& game, QWidget* owner, QSize ownerOuterTwips);

    static constexpr QSize kClientSize{201, 187};

    void picOK_Click();
    void picCancel_Click();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void VScroll1_Change();
    /// The games to win the bar stands at (1 at the bottom, 15 at the top).
    int winsValue() const;
    void setWinsValue(int wins);

    Game& game_;
    std::array<QLineEdit*, 2> txtPlayerName_{};
    TextLabel* Label1_ = nullptr;
    TextLabel* lblXwins_ = nullptr;
    QScrollBar* VScroll1_ = nullptr;
    PictureBox* picOK_ = nullptr;
    PictureBox* picCancel_ = nullptr;
};

} // namespace zandrel
