#include "window/text_label.h"

#include "window/colours.h"

#include <QMouseEvent>

namespace zandrel {

TextLabel::TextLabel(const QString& caption, const QFont& font, Rgb colour, QWidget* parent)
    : QLabel(caption, parent), colour_(colour) {
    setFont(font);
    setMouseTracking(true);
    applyPalette();
}

void TextLabel::setTextColour(Rgb colour) {
    if (colour == colour_)
        return;
    colour_ = colour;
    applyPalette();
}

void TextLabel::setBackgroundColour(std::optional<Rgb> colour) {
    background_ = colour;
    applyPalette();
}

void TextLabel::setCaption(const QString& caption) {
    setText(caption);
    if (autoSize_)
        adjustSize();
}

void TextLabel::setAutoSize(bool on) {
    autoSize_ = on;
    if (on)
        adjustSize();
}

void TextLabel::applyPalette() {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(colour_));
    if (background_)
        p.setColor(QPalette::Window, toQColor(*background_));
    setPalette(p);
    setAutoFillBackground(background_.has_value());
}

void TextLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void TextLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked();
}

void TextLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TextLabel::mouseMoveEvent(QMouseEvent*) {
    emit mouseMoved();
}

} // namespace zandrel
