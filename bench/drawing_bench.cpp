#include "window/infomation_drawing.h"
#include "window/table_drawing.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <benchmark/benchmark.h>

namespace zandrel {
namespace {

constexpr int kPictureHeight = 360;
constexpr float kBallSize = 20.0f;

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

/// One frame of a running shot: the bare table, four shadows, four balls.
void BM_ComposeFrame(benchmark::State& state) {
    const Surface picTable = makeTablePicture();
    Surface picBalls;
    iniPictures(picBalls, picTable);
    Surface buffer(kTablePictureWidth, kTablePictureHeight);
    const Balls balls = fourBalls();
    for (auto _ : state) {
        drawEmptyTable(buffer, picTable);
        drawBallsWithShadows(buffer, picBalls, balls, kBallSize);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);

/// The same frame, then copied to the visible table as the game shows it.
void BM_ComposeAndShowFrame(benchmark::State& state) {
    const Surface picTable = makeTablePicture();
    Surface picBalls;
    iniPictures(picBalls, picTable);
    Surface buffer(kTablePictureWidth, kTablePictureHeight);
    Surface screen(kTablePictureWidth, kTablePictureHeight);
    const Balls balls = fourBalls();
    for (auto _ : state) {
        drawEmptyTable(buffer, picTable);
        drawBallsWithShadows(buffer, picBalls, balls, kBallSize);
        bitBlt(screen, 0, 0, kTablePictureWidth, kTablePictureHeight, buffer, 0, 0, RasterOp::srcCopy);
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeAndShowFrame)->Unit(benchmark::kMicrosecond);

/// A demonstration frame: the captions are painted between the table and the balls.
void BM_ComposeDemoFrame(benchmark::State& state) {
    if (QCoreApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
        static int argc = 1;
        static char name[] = "zandrel_bench";
        static char* argv[] = {name, nullptr};
        static QApplication* const app = new QApplication(argc, argv);
        (void)app;
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    }
    const Surface picTable = makeTablePicture();
    Surface picBalls;
    iniPictures(picBalls, picTable);
    Surface buffer(kTablePictureWidth, kTablePictureHeight);
    const Balls balls = fourBalls();
    for (auto _ : state) {
        drawEmptyTable(buffer, picTable);
        drawDemoCaptions(buffer, "Click here !");
        drawBallsWithShadows(buffer, picBalls, balls, kBallSize);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeDemoFrame)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zandrel
