#include "window/version_window.h"

#include "window/colours.h"
#include "window/fonts.h"
#include "window/pictures.h"
#include "window/program_info.h"
#include "window/small_window.h"

#include "game/small_windows.h"

namespace zandrel {

namespace {

constexpr int kMascotSize = 32;
constexpr int kMascotTickMs = 50;

const QString kVersionTitle = QStringLiteral("バージョン情報");

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

    Label4_ = new TextLabel(QStringLiteral("Zandrel"), gameFont(kFontArial, 30.0, true), textColour, this);
    Label4_->setObjectName(QStringLiteral("Label4"));
    Label4_->setGeometry(kLabel4);
    Label4_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1_ = new TextLabel(QString(), gameFont(kFontArial, 13.5, true), textColour, this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setGeometry(kLabel1);
    Label1_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2_ =
        new TextLabel(QString::fromUtf8(kCopyrightLine), gameFont(kFontArial, 9.75, true), textColour, this);
    Label2_->setObjectName(QStringLiteral("Label2"));
    Label2_->setGeometry(kLabel2);
    Label2_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Command1_ = new QPushButton(QStringLiteral("OK"), this);
    Command1_->setObjectName(QStringLiteral("Command1"));
    Command1_->setGeometry(kCommand1);
    Command1_->setDefault(true);
    connect(Command1_, &QPushButton::clicked, this, [this] { accept(); });

    initPictureResources();
    picQuorl_ = new PictureBox(kPicQuorl.width(), kPicQuorl.height(),
                               fromQColor(palette().color(QPalette::Window)), this);
    picQuorl_->setObjectName(QStringLiteral("picQuorl"));
    picQuorl_->setGeometry(kPicQuorl);
    picQuorl_->setPicture(loadPicture(kPictureTovi, kMascotSize, kMascotSize, picQuorl_->background()));
    picQuorls_ = toSurface(
        loadPicture(kPictureToviStrip, kMascotSize * kMascotFrames, kMascotSize, picQuorl_->background()));
    connect(picQuorl_, &PictureBox::clicked, this, [this] { picQuorl_Click(); });

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(kMascotTickMs);
    connect(Timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    move(fifthFromTop(screenSizeTwips(), kClientSize));
    // The label shows the two lines; the text keeps its CR LF.
    Label1_->setCaption(
        QString::fromStdString(versionLevelText(kVersion, levelOfTovi)).remove(QLatin1Char('\r')));
}

void VersionWindow::picQuorl_Click() {
    if (!Timer1_->isActive())
        Timer1_->start();
}

void VersionWindow::Timer1_Timer() {
    const MascotStep step = mascotStep(mascotTicks_);
    if (step.finished)
        Timer1_->stop();
    bitBlt(picQuorl_->image(), 0, 0, kMascotSize, kMascotSize, picQuorls_, kMascotSize * step.frame, 0,
           RasterOp::srcCopy);
    picQuorl_->refresh();
}

} // namespace zandrel
