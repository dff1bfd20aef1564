#pragma once

// What the game's small windows share: their frame, their places on the screen
// and their 64 x 32 picture buttons.

#include "window/picture_box.h"

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace zandrel {

inline const QString kPictureOk = QStringLiteral(":/pictures/ok.png");
inline const QString kPictureCancel = QStringLiteral(":/pictures/cancel.png");
inline const QString kSmallWindowTitle = QStringLiteral("Pindor");

/// (outer - inner) \ 2 in twips: the difference halved, the remainder dropped
/// toward zero (negative when the inner size is larger).
int halfDifference(int outerTwips, int innerTwips);
/// The outer size in twips of a small window with the given client size (a fixed
/// single frame: a title bar and a one-pixel border).
QSize outerSizeTwips(QSize client);
/// The screen's size in twips, or 0 x 0 without a screen.
QSize screenSizeTwips();

/// The top-left pixel that centres a window of client size `client` over a
/// window at `outerLeftTop` (pixels) of outer size `outerTwips`.
QPoint centredOver(QPoint outerLeftTop, QSize outerTwips, QSize client);
/// The top-left pixel that centres a window of client size `client` on a screen
/// of `screenTwips`.
QPoint centredOnScreen(QSize screenTwips, QSize client);
/// The version window's place: centred across, a fifth of the free height
/// below the top of the screen.
QPoint fifthFromTop(QSize screenTwips, QSize client);

/// A fixed-size dialog with the given title, client size and, when `black`, a
/// black background.
void setUpSmallWindow(QDialog& dialog, const QString& title, QSize client, bool black);
/// A picture used as a button at `place`, showing the picture at `path` (a blank
/// box when it cannot be read), with the object name `name`.
PictureBox* makePictureButton(const QString& name, const QString& path, const QRect& place, QWidget* parent);

} // namespace zandrel
