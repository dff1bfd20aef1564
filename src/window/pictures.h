#pragma once

// The game's pictures, compiled into the program as Qt resources.

#include "platform/surface.h"

#include <QImage>
#include <QString>

namespace zandrel {

inline const QString kPictureTable = QStringLiteral(":/pictures/table.png");        ///< 540 x 360
inline const QString kPictureCueBall = QStringLiteral(":/pictures/cueball.png");    ///< 45 x 45
inline const QString kPictureIcon = QStringLiteral(":/pictures/icon.png");          ///< 32 x 32
inline const QString kPictureMenu = QStringLiteral(":/pictures/menu.png");          ///< 540 x 365
inline const QString kPictureSoundOn = QStringLiteral(":/pictures/sound_on.png");   ///< 40 x 40
inline const QString kPictureSoundOff = QStringLiteral(":/pictures/sound_off.png"); ///< 40 x 40
inline const QString kPictureBgmOn = QStringLiteral(":/pictures/bgm_on.png");       ///< 40 x 40
inline const QString kPictureBgmOff = QStringLiteral(":/pictures/bgm_off.png");     ///< 40 x 40

/// Makes the compiled-in pictures available; safe to call more than once.
void initPictureResources();

/// The picture at `path` as 32-bit RGB, or, when it cannot be read, a plain
/// picture of `width` x `height` in `fallback`.
QImage loadPicture(const QString& path, int width, int height, Rgb fallback);

/// The pixels of an image as a surface of the same size.
Surface toSurface(const QImage& image);

} // namespace zandrel
