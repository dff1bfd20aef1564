#pragma once

// The title picture in the middle of the screen while the game starts. It
// closes itself on its sixth one-second tick, or at the first click, and then
// hands over to the main window.

#include "window/picture_box.h"

#include <QTimer>
#include <QWidget>

#include <functional>

namespace zandrel {

inline const QString kPictureOpening = QStringLiteral(":/pictures/opening.png"); ///< 269 x 224

class OpeningWindow : public QWidget {
    Q_OBJECT
public:
    /// `showMain` runs once, when the window closes.
    explicit OpeningWindow(std::function<void()> showMain);

    static constexpr QSize kSize{266, 223};
    /// Ticks that only count before the next one closes the window.
    static constexpr int kTicksShown = 5;

    /// The window's place on a screen of `screenTwips` (negative on a small screen).
    static QPoint placeOnScreen(QSize screenTwips);

    /// One tick of its one-second timer (object name "Timer1").
    void Timer1_Timer();
    void Form_Click();

private:
    void closeAndShowMain();

    PictureBox* picture_ = nullptr;
    QTimer* Timer1_ = nullptr;
    int openingTicks_ = 0;

    std::function<void()> showMain_;
    bool closed_ = false;
};

} // namespace zandrel
