#pragma once

// "Your Record": the solo game in progress, printed line by line with the ball
// icons of the object balls off the table. Drawn afresh from the game at every
// paint.

#include "game/game.h"
#include "platform/surface.h"
#include "window/picture_box.h"

#include <QDialog>

namespace zandrel {

class RecordWindow : public QDialog {
    Q_OBJECT
public:
    /// `balls` is the sprite strip the icons are copied from.
    RecordWindow(const GameState& state, const Surface& balls, QWidget* owner = nullptr);

    static constexpr QSize kClientSize{217, 238};

    /// Draws the whole content onto `canvas` (the client area).
    void drawCondition(Surface& canvas) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PictureBox* picOK_ = nullptr;
    const GameState& state_;
    const Surface& balls_;
};

} // namespace zandrel
