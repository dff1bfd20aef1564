#include "window/text_label.h"

#include "window/colours.h"

#include <QImage>

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

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
    fitPointerArea();
}

void TextLabel::setPointerAreaFitsCaption(bool on) {
    fitsCaption_ = on;
    if (on)
        fitPointerArea();
    else
        clearMask();
}

void TextLabel::fitPointerArea() {
    if (!fitsCaption_)
        return;
    if (autoFillBackground()) {
        clearMask(); // the whole box is drawn
        return;
    }
    // Draw the caption as the label paints it and keep the box around every
    // touched pixel.
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(font());
        const int m = margin();
        style()->drawItemText(&painter, contentsRect().adjusted(m, m, -m, -m),
                              QStyle::visualAlignment(layoutDirection(), alignment()), palette(), isEnabled(),
                              text(), foregroundRole());
    }
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        clearMask(); // nothing drawn: keep the plain rectangle
    else
        setMask(QRegion(left, top, right - left + 1, bottom - top + 1));
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

void TextLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fitPointerArea();
}

void TextLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::EnabledChange: // disabled text may be drawn etched
    case QEvent::LayoutDirectionChange:
        fitPointerArea();
        break;
    default:
        break;
    }
}

} // namespace zandrel
