#include "window/picture_box.h"

#include "window/pictures.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace zandrel {

namespace {

constexpr int kBytesPerPixel = sizeof(Rgb);

/// Copies the pixels of `from` into `to`, which keep their size (both surfaces
/// of a picture box are always the same size).
void copyPixels(Surface& to, const Surface& from) {
    if (to.width() != from.width() || to.height() != from.height()) {
        to = from;
        return;
    }
    bitBlt(to, 0, 0, to.width(), to.height(), from, 0, 0, RasterOp::srcCopy);
}

} // namespace

PictureBox::PictureBox(int width, int height, Rgb background, QWidget* parent)
    : QWidget(parent), image_(width, height, background), screen_(width, height, background),
      background_(background) {
    setFixedSize(image_.width(), image_.height());
    // Every paint covers the whole widget with the surface.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Mouse moves are reported with or without a button held.
    setMouseTracking(true);
}

void PictureBox::cls() {
    image_.fill(background_);
    screen_.fill(background_);
    update();
}

void PictureBox::refresh() {
    copyPixels(screen_, image_);
    if (isVisible())
        repaint();
}

void PictureBox::showCanvas() {
    if (!autoRedraw_ && isVisible())
        repaint();
}

void PictureBox::resizeSurfaces(int width, int height) {
    image_ = Surface(width, height, background_);
    screen_ = Surface(width, height, background_);
    setFixedSize(image_.width(), image_.height());
    update();
}

void PictureBox::setPicture(const QImage& picture) {
    image_.fill(background_);
    const Surface pixels = toSurface(picture);
    bitBlt(image_, 0, 0, pixels.width(), pixels.height(), pixels, 0, 0, RasterOp::srcCopy);
    copyPixels(screen_, image_);
    update();
}

QImage PictureBox::wrap(Surface& surface) {
    if (surface.isNull())
        return {};
    return QImage(reinterpret_cast<uchar*>(surface.data()), surface.width(), surface.height(),
                  surface.width() * kBytesPerPixel, QImage::Format_RGB32);
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
    // With auto redraw on the kept image is what the widget shows.
    if (autoRedraw_)
        copyPixels(screen_, image_);
    if (screen_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, wrap(screen_));
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    emit mousePressed(event->button(), event->position());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), event->position());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = std::exchange(pressed_, false);
    emit mouseReleased(event->button(), event->position());
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    // The second press of a double click is not reported as a press.
    emit doubleClicked();
}

} // namespace zandrel
