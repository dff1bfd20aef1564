#include "window/small_window.h"

#include "window/colours.h"
#include "window/pictures.h"
#include "window/window_layout.h"

#include "platform/platform_helpers.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>

namespace zandrel {

namespace {

constexpr int kTwips = static_cast<int>(kTwipsPerPixel);
constexpr double kFreeHeightShare = 0.4; ///< twice the fifth: the result is halved like the rest

} // namespace

int halfDifference(int outerTwips, int innerTwips) {
    return (outerTwips - innerTwips) / 2;
}

QSize outerSizeTwips(QSize client) {
    using namespace layout;
    return {(client.width() + 2 * kBorderWidth) * kTwips,
            (client.height() + kCaptionHeight + 2 * kBorderHeight) * kTwips};
}

QSize screenSizeTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    return screen->geometry().size() * kTwips;
}

QPoint centredOver(QPoint outerLeftTop, QSize outerTwips, QSize client) {
    const QSize inner = outerSizeTwips(client);
    const int left = outerLeftTop.x() * kTwips + halfDifference(outerTwips.width(), inner.width());
    const int top = outerLeftTop.y() * kTwips + halfDifference(outerTwips.height(), inner.height());
    return {left / kTwips, top / kTwips};
}

QPoint centredOnScreen(QSize screenTwips, QSize client) {
    const QSize inner = outerSizeTwips(client);
    return {halfDifference(screenTwips.width(), inner.width()) / kTwips,
            halfDifference(screenTwips.height(), inner.height()) / kTwips};
}

QPoint fifthFromTop(QSize screenTwips, QSize client) {
    const QSize inner = outerSizeTwips(client);
    const auto freeHeight =
        static_cast<int>(roundHalfToEven(double(screenTwips.height() - inner.height()) * kFreeHeightShare));
    return {halfDifference(screenTwips.width(), inner.width()) / kTwips, freeHeight / 2 / kTwips};
}

void setUpSmallWindow(QDialog& dialog, const QString& title, QSize client, bool black) {
    dialog.setWindowTitle(title);
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog.setFixedSize(client);
    dialog.setModal(true);
    initPictureResources();
    dialog.setWindowIcon(QIcon(QPixmap::fromImage(loadPicture(kPictureIcon, 32, 32, kDarkGreen))));
    if (black) {
        dialog.setAutoFillBackground(true);
        QPalette p = dialog.palette();
        p.setColor(QPalette::Window, toQColor(kBlack));
        dialog.setPalette(p);
    }
}

PictureBox* makePictureButton(const QString& name, const QString& path, const QRect& place, QWidget* parent) {
    initPictureResources();
    auto* button = new PictureBox(place.width(), place.height(), kBlack, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setPicture(loadPicture(path, place.width(), place.height(), kBlack));
    return button;
}

} // namespace zandrel
