#pragma once

// A panel showing a fixed picture on a background colour (the menu screen,
// the cue-ball face, the switch icons), reporting the mouse.

#include "platform/surface.h"

#include <QImage>
#include <QWidget>

namespace zandrel {

class PicturePanel : public QWidget {
    Q_OBJECT
public:
    PicturePanel(int width, int height, Rgb background, QWidget* parent);

    /// The picture, drawn from the top-left corner (clipped to the panel).
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

signals:
    void mousePressed(Qt::MouseButton button, QPointF pos);
    void mouseMoved(Qt::MouseButtons buttons, QPointF pos);
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    Rgb background_;
    bool pressed_ = false;
};

} // namespace zandrel
