#pragma once

// "バージョン情報": the program's name, its version, Tovi's level, a copyright
// line, and Tovi himself, who dances for a second when clicked.

#include "platform/surface.h"
#include "window/picture_box.h"
#include "window/text_label.h"

#include <QDialog>
#include <QPushButton>
#include <QTimer>

namespace zandrel {

inline const QString kPictureTovi = QStringLiteral(":/pictures/tovi.png"); ///< 32 x 32, at rest
inline const QString kPictureToviStrip =
    QStringLiteral(":/pictures/tovi_strip.png"); ///< 160 x 32, five frames

class VersionWindow : public QDialog {
    Q_OBJECT
public:
    /// Loads the window for Tovi's `levelOfTovi`; `mascotTicks` is the
    /// animation's count, which outlives the window.
    VersionWindow(int levelOfTovi, int& mascotTicks, QWidget* owner = nullptr);

    static constexpr QSize kClientSize{332, 127};

    /// Tovi's five frames side by side.
    const Surface& mascotFrames() const { return picQuorls_; }

    void picQuorl_Click();
    /// One 50 ms step of Tovi's dance (its timer's object name is "Timer1").
    void Timer1_Timer();

private:
    TextLabel* Label4_ = nullptr;
    TextLabel* Label1_ = nullptr;
    TextLabel* Label2_ = nullptr;
    QPushButton* Command1_ = nullptr;
    PictureBox* picQuorl_ = nullptr;
    Surface picQuorls_; ///< the frame strip, never shown itself
    QTimer* Timer1_ = nullptr;
    int& mascotTicks_;
};

} // namespace zandrel
