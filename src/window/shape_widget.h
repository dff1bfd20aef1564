#pragma once

// A shape laid over a picture: an outlined or filled circle or oval that the
// mouse passes through to the picture under it.

#include "platform/surface.h"

#include <QWidget>

#include <optional>

namespace zandrel {

class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    /// A shape of `size` x `size` pixels with an outline of `line` and, when
    /// given, a fill of `fill`.
    ShapeWidget(int size, Rgb line, std::optional<Rgb> fill, QWidget* parent);

    /// Puts the shape's top-left corner at (left, top) in its parent's pixels;
    /// the widget stands at the nearest whole pixel, the exact place is kept.
    void place(float left, float top);
    float left() const { return left_; }
    float top() const { return top_; }
    /// Sets width and height.
    void setShapeSize(int size);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Rgb line_;
    std::optional<Rgb> fill_;
    float left_ = 0.0f;
    float top_ = 0.0f;
};

} // namespace zandrel
