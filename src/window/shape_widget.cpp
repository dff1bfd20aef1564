#include "window/shape_widget.h"

#include "window/colours.h"

#include <QPainter>

#include <cmath>

namespace zandrel {

namespace {
constexpr qreal kLineWidth = 1.5;
}

ShapeWidget::ShapeWidget(int size, Rgb line, std::optional<Rgb> fill, QWidget* parent)
    : QWidget(parent), line_(line), fill_(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(size, size);
}

void ShapeWidget::place(float left, float top) {
    left_ = left;
    top_ = top;
    move(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
}

void ShapeWidget::setShapeSize(int size) {
    resize(size, size);
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(toQColor(line_), kLineWidth));
    painter.setBrush(fill_ ? QBrush(toQColor(*fill_)) : QBrush(Qt::NoBrush));
    const qreal inset = kLineWidth / 2;
    painter.drawEllipse(QRectF(inset, inset, width() - 2 * inset, height() - 2 * inset));
}

} // namespace zandrel
