#pragma once

// A label of the window: a caption in a colour, on a transparent or an opaque
// background, that reports clicks and pointer moves.

#include "platform/surface.h"

#include <QLabel>

#include <optional>

namespace zandrel {

class TextLabel : public QLabel {
    Q_OBJECT
public:
    TextLabel(const QString& caption, const QFont& font, Rgb colour, QWidget* parent);

    /// The caption's colour.
    Rgb textColour() const { return colour_; }
    void setTextColour(Rgb colour);
    /// An opaque background in `colour`; none means transparent.
    void setBackgroundColour(std::optional<Rgb> colour);
    /// Sets the caption; an auto-sized label takes the caption's size.
    void setCaption(const QString& caption);
    /// Whether the label's size follows its caption.
    void setAutoSize(bool on);
    /// When on, only the box around the caption's drawn pixels reacts to the
    /// pointer (and is painted), so labels laid over each other each stay
    /// clickable wherever their own caption shows.
    void setPointerAreaFitsCaption(bool on);

signals:
    void clicked();
    void doubleClicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyPalette();
    void fitPointerArea();

    Rgb colour_;
    std::optional<Rgb> background_;
    bool autoSize_ = false;
    bool pressed_ = false;
    bool fitsCaption_ = false;
};

} // namespace zandrel
