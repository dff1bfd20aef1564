#include "game/coordinates.h"
#include "window/colours.h"
#include "window/fonts.h"
#include "window/infomation_drawing.h"
#include "window/table_drawing.h"
#include "window/text_label.h"
#include "window/window_layout.h"

#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace zandrel {
namespace {

constexpr int kPictureHeight = 360;

/// A table picture with a plain cloth and a sprite strip whose cells are discs.
Surface makeTablePicture() {
    Surface picture(kTablePictureWidth, kPictureHeight, rgb(0x00, 0x80, 0x00));
    for (int y = 0; y < kSpriteStripHeight; ++y)
        for (int x = 0; x < kSpriteStripWidth; ++x) {
            const double cx = x % kSpriteSize - 9.5;
            const double cy = y % kSpriteSize - 9.5;
            const bool disc = cx * cx + cy * cy <= 100.0;
            const bool mask = x >= kMaskCellX && y < kSpriteSize;
            const Rgb value = mask ? (disc ? 0 : rgb(0xff, 0xff, 0xff)) : (disc ? rgb(0xe0, 0xe0, x) : 0);
            picture.setPixel(x, kSpriteStripY + y, value);
        }
    return picture;
}

Balls fourBalls() {
    Balls balls{};
    const float xs[kBallCount] = {300.0f, 900.0f, 1500.0f, 2100.0f};
    for (int i = 0; i < kBallCount; ++i) {
        balls[i].x = xs[i];
        balls[i].y = 300.0f + 200.0f * i;
        balls[i].speed = i % 2 == 0 ? 120.0f : 0.0f;
    }
    return balls;
}

/// What every frame is composed from, and where it is composed.
struct FrameInputs {
    FrameInputs() { iniPictures(picBalls, picTable); }
    /// The bare table, four shadows, four balls, with `captions` painted in between.
    template <class Captions> void compose(Captions captions) {
        drawEmptyTable(buffer, picTable);
        captions(buffer);
        drawBallsWithShadows(buffer, picBalls, balls, kBallSpritePixels);
    }
    const Surface picTable = makeTablePicture();
    Surface picBalls;
    Surface buffer{kTablePictureWidth, kTablePictureHeight};
    const Balls balls = fourBalls();
};

void noCaptions(Surface&) {}

/// One frame of a running shot.
void BM_ComposeFrame(benchmark::State& state) {
    FrameInputs frame;
    for (auto _ : state) {
        frame.compose(noCaptions);
        benchmark::DoNotOptimize(frame.buffer.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);

/// The same frame, then copied to the visible table as the game shows it.
void BM_ComposeAndShowFrame(benchmark::State& state) {
    FrameInputs frame;
    Surface screen(kTablePictureWidth, kTablePictureHeight);
    for (auto _ : state) {
        frame.compose(noCaptions);
        bitBlt(screen, 0, 0, kTablePictureWidth, kTablePictureHeight, frame.buffer, 0, 0, RasterOp::srcCopy);
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeAndShowFrame)->Unit(benchmark::kMicrosecond);

void ensureApplication() {
    if (QCoreApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
        static int argc = 1;
        static char name[] = "zandrel_bench";
        static char* argv[] = {name, nullptr};
        static QApplication* const app = new QApplication(argc, argv);
        (void)app;
        installFontSubstitutions();
    }
}

/// A demonstration frame: the captions are painted between the table and the balls.
void BM_ComposeDemoFrame(benchmark::State& state) {
    ensureApplication();
    FrameInputs frame;
    for (auto _ : state) {
        frame.compose([](Surface& buffer) { drawDemoCaptions(buffer, "Click here !"); });
        benchmark::DoNotOptimize(frame.buffer.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeDemoFrame)->Unit(benchmark::kMicrosecond);

/// A demonstration frame with Tovi's caption label laid over it, as the
/// window shows it while a turn announces its shot.
void BM_ComposeDemoFrameWithTovisCaption(benchmark::State& state) {
    ensureApplication();
    FrameInputs frame;
    TextLabel caption(QStringLiteral("ちょっと遠いな… 赤－黄!"), gameFont(kFontMsGothic, 14.25, true), kGreen,
                      nullptr);
    caption.setBackgroundColour(kBlack);
    caption.setGeometry(layout::kLblTovisMessage);
    QImage image(reinterpret_cast<uchar*>(frame.buffer.data()), kTablePictureWidth, kTablePictureHeight,
                 kTablePictureWidth * int(sizeof(Rgb)), QImage::Format_RGB32);
    for (auto _ : state) {
        frame.compose([](Surface& buffer) { drawDemoCaptions(buffer, "Click here !"); });
        QPainter painter(&image);
        caption.render(&painter, layout::kLblTovisMessage.topLeft());
        painter.end();
        benchmark::DoNotOptimize(frame.buffer.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeDemoFrameWithTovisCaption)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zandrel
