#pragma once

// A picture box: a widget showing a pixel surface, with a kept image
// ("auto redraw" on) or with drawing that goes straight to the screen and is
// replaced by the kept image at the next repaint ("auto redraw" off).

#include "platform/surface.h"

#include <QImage>
#include <QWidget>

namespace zandrel {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(int width, int height, Rgb background, QWidget* parent = nullptr);

    /// The kept image.
    Surface& image() { return image_; }
    const Surface& image() const { return image_; }
    /// Where drawing goes now: the kept image when auto redraw is on, else the screen.
    Surface& canvas() { return autoRedraw_ ? image_ : screen_; }

    bool autoRedraw() const { return autoRedraw_; }
    void setAutoRedraw(bool on) { autoRedraw_ = on; }
    Rgb background() const { return background_; }

    /// Clears the kept image and the screen to the background colour.
    void cls();
    /// Shows the kept image now.
    void refresh();
    /// Shows what was just drawn on the canvas (with auto redraw off, at once).
    void showCanvas();
    /// What the widget shows now (for tests and screenshots).
    const Surface& screen() const { return screen_; }
    /// Resizes both surfaces (contents are cleared to the background).
    void resizeSurfaces(int width, int height);
    /// Shows a fixed picture: the background, with the picture from the top-left
    /// corner (clipped to the box).
    void setPicture(const QImage& picture);

    /// A QImage over the given surface's memory, for painting text with QPainter.
    static QImage wrap(Surface& surface);

signals:
    void mousePressed(Qt::MouseButton button, QPointF pos);
    void mouseMoved(Qt::MouseButtons buttons, QPointF pos);
    void mouseReleased(Qt::MouseButton button, QPointF pos);
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Surface image_;
    Surface screen_;
    Rgb background_;
    bool autoRedraw_ = true;
    bool pressed_ = false;
};

} // namespace zandrel
