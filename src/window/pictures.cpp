#include "window/pictures.h"

#include "window/colours.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerPictures() {
    Q_INIT_RESOURCE(resources);
}

namespace zandrel {

void initPictureResources() {
    static const bool registered = (registerPictures(), true);
    (void)registered;
}

QImage loadPicture(const QString& path, int width, int height, Rgb fallback) {
    QImage image(path);
    if (image.isNull()) {
        image = QImage(width, height, QImage::Format_RGB32);
        image.fill(toQColor(fallback));
        return image;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

Surface toSurface(const QImage& image) {
    const QImage rgbImage = image.convertToFormat(QImage::Format_RGB32);
    Surface surface(rgbImage.width(), rgbImage.height());
    for (int y = 0; y < rgbImage.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgbImage.constScanLine(y));
        for (int x = 0; x < rgbImage.width(); ++x)
            surface.setPixel(x, y, Rgb(line[x] & 0x00ffffffu));
    }
    return surface;
}

} // namespace zandrel
