#include "window/version_window.h"

#include "window/colours.h"
#include "window/fonts.h"
#include "window/main_window.h"
#include "window/pictures.h"
#include "window/small_window.h"

#include "game/small_windows.h"

namespace zandrel {

namespace {

constexpr int kMascotSize = 32;
constexpr int kMascotTickMs = 50;

const QString kVersionTitle = QStringLiteral("バージョン情報");
const QString kVersionCopyright = QStringLiteral("Copyright (C) 2026 Zandrel developers");

// Places in pixels (the design's twips divided by 15).
constexpr QRect kLabel4{12, 4, 253, 41};
constexpr QRect kLabel1{6, 48, 319, 45};
constexpr QRect kLabel2{40, 96, 289, 21};
constexpr QRect kCommand1{272, 4, 53, 29};
constexpr QRect kPicQuorl{4, 88, 33, 33};

} // namespace

VersionWindow::VersionWindow(int levelOfTovi, int& mascotTicks, QWidget* owner)
    : QDialog(owner), mascotTicks_(mascotTicks) {
    setUpSmallWindow(*this, kVersionTitle, kClientSize, false);
    const QColor text = palette().color(QPalette::WindowText);
    const Rgb textColour = fromQColor(text);

    Label4 = new TextLabel(QStringLiteral("Zandrel"), gameFont(kFontArial, 30.0, true), textColour, this);
    Label4->setGeometry(kLabel4);
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1 = new TextLabel(QString(), gameFont(kFontArial, 13.5, true), textColour, this);
    Label1->setGeometry(kLabel1);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2 = new TextLabel(kVersionCopyright, gameFont(kFontArial, 9.75, true), textColour, this);
    Label2->setGeometry(kLabel2);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setGeometry(kCommand1);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, [this] { accept(); });

    initPictureResources();
    picQuorl = new PictureBox(kPicQuorl.width(), kPicQuorl.height(),
                              fromQColor(palette().color(QPalette::Window)), this);
    picQuorl->setGeometry(kPicQuorl);
    picQuorl->setPicture(loadPicture(kPictureTovi, kMascotSize, kMascotSize, picQuorl->background()));
    picQuorls = toSurface(
        loadPicture(kPictureToviStrip, kMascotSize * kMascotFrames, kMascotSize, picQuorl->background()));
    connect(picQuorl, &PictureBox::clicked, this, [this] { picQuorl_Click(); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(kMascotTickMs);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    move(fifthFromTop(screenSizeTwips(), kClientSize));
    // The label shows the two lines; the text keeps its CR LF.
    Label1->setCaption(
        QString::fromStdString(versionLevelText(kVersion, levelOfTovi)).remove(QLatin1Char('\r')));
}

void VersionWindow::picQuorl_Click() {
    if (!Timer1->isActive())
        Timer1->start();
}

void VersionWindow::Timer1_Timer() {
    const MascotStep step = mascotStep(mascotTicks_);
    if (step.finished)
        Timer1->stop();
    bitBlt(picQuorl->image(), 0, 0, kMascotSize, kMascotSize, picQuorls, kMascotSize * step.frame, 0,
           RasterOp::srcCopy);
    picQuorl->refresh();
}

} // namespace zandrel
