#include "window/opening_window.h"

#include "window/colours.h"
#include "window/pictures.h"
#include "window/small_window.h"

#include "platform/platform_helpers.h"

#include <QIcon>
#include <QPixmap>

namespace zandrel {

namespace {

constexpr int kTickMs = 1000;
constexpr int kTwips = static_cast<int>(kTwipsPerPixel);

} // namespace

OpeningWindow::OpeningWindow(std::function<void()> showMain) : showMain_(std::move(showMain)) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("opening"));
    setFixedSize(kSize);
    initPictureResources();
    setWindowIcon(QIcon(QPixmap::fromImage(loadPicture(kPictureIcon, 32, 32, kDarkGreen))));
    picture_ = new PictureBox(kSize.width(), kSize.height(), kBlack, this);
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setGeometry(0, 0, kSize.width(), kSize.height());
    picture_->setPicture(loadPicture(kPictureOpening, kSize.width(), kSize.height(), kBlack));
    connect(picture_, &PictureBox::clicked, this, [this] { Form_Click(); });

    move(placeOnScreen(screenSizeTwips()));
    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(kTickMs);
    connect(Timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1_->start();
}

QPoint OpeningWindow::placeOnScreen(QSize screenTwips) {
    const int left = halfDifference(screenTwips.width(), kSize.width() * kTwips);
    const int top = halfDifference(screenTwips.height(), kSize.height() * kTwips);
    return {left / kTwips, top / kTwips};
}

void OpeningWindow::Timer1_Timer() {
    if (openingTicks_ >= kTicksShown)
        closeAndShowMain();
    ++openingTicks_;
}

void OpeningWindow::Form_Click() {
    closeAndShowMain();
}

void OpeningWindow::closeAndShowMain() {
    Timer1_->stop();
    if (closed_)
        return;
    closed_ = true;
    // The main window comes up first, so the program never stands without a window.
    if (showMain_)
        showMain_();
    close();
}

} // namespace zandrel
