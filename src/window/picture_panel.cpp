#include "window/picture_panel.h"

#include "window/colours.h"

#include <QMouseEvent>
#include <QPainter>

namespace zandrel {

PicturePanel::PicturePanel(int width, int height, Rgb background, QWidget* parent)
    : QWidget(parent), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(width, height);
}

void PicturePanel::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void PicturePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(background_));
    if (!picture_.isNull())
        painter.drawImage(0, 0, picture_);
}

void PicturePanel::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    emit mousePressed(event->button(), event->position());
}

void PicturePanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked();
}

void PicturePanel::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked();
    mousePressEvent(event);
}

void PicturePanel::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), event->position());
}

} // namespace zandrel
