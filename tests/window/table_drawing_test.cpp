#include "window/table_drawing.h"

#include "game/coordinates.h"
#include "game/game.h"
#include "qt_app.h"
#include "window/infomation_drawing.h"
#include "window/picture_box.h"

#include <QMouseEvent>
#include <gtest/gtest.h>

#include <optional>

namespace zandrel {
namespace {

constexpr float kBallSize = 20.0f;
constexpr Rgb kShadowColour = rgb(0x00, 0x58, 0x00);
constexpr Rgb kGreen = rgb(0x00, 0xff, 0x00);
constexpr int kIconY = 301;
constexpr int kStripWidth = 183;
constexpr int kStripHeight = 25;

/// Ball sprite colour of column c, row r of the synthetic sheet.
constexpr Rgb ballColour(int c, int r) {
    return rgb(0x10 + c, 0x20 + r, 0x01);
}
/// Colour of the synthetic play-mode icon at x.
constexpr Rgb iconColour(int x) {
    return rgb(0xa0, x & 0xff, 0x02);
}

bool inDisc(int x, int y) {
    return (x - 9.5) * (x - 9.5) + (y - 9.5) * (y - 9.5) <= 100.0;
}

/// A 540 x 360 table picture: every table pixel different (blue 0x80, never a
/// sprite colour), the sprite strip at (0, 300) (black-outside-the-disc sprites,
/// a white mask with a black disc, a dark green shadow) and three flat icons.
Surface makeTablePicture() {
    Surface picture(kTablePictureWidth, 360);
    for (int y = 0; y < kTablePictureHeight; ++y)
        for (int x = 0; x < kTablePictureWidth; ++x)
            picture.setPixel(x, y, rgb(x, y, 0x80));
    for (int y = 0; y < kSpriteStripHeight; ++y)
        for (int x = 0; x < kSpriteStripWidth; ++x) {
            const int c = x / kSpriteSize;
            const int r = y / kSpriteSize;
            const bool disc = inDisc(x % kSpriteSize, y % kSpriteSize);
            Rgb value = disc ? ballColour(c, r) : 0;
            if (c == 10)
                value = r == 0 ? (disc ? 0 : rgb(0xff, 0xff, 0xff)) : (disc ? kShadowColour : 0);
            picture.setPixel(x, kSpriteStripY + y, value);
        }
    for (const int iconX : {220, 245, 270})
        picture.fillRect(iconX, kIconY, 25, 25, iconColour(iconX));
    return picture;
}

struct Box {
    int left, top, right, bottom;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "(" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
}

/// The smallest box holding every pixel of the given colour.
std::optional<Box> boundsOf(const Surface& s, Rgb colour) {
    std::optional<Box> box;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) == colour) {
                if (!box)
                    box = Box{x, y, x, y};
                box = Box{std::min(box->left, x), std::min(box->top, y), std::max(box->right, x),
                          std::max(box->bottom, y)};
            }
    return box;
}

/// A ball whose centre lands on pixel (px, py).
Ball ballAtPixel(double px, double py, float speed = 0.0f) {
    Ball ball;
    ball.x = static_cast<float>((px - 30.0) / 0.2);
    ball.y = static_cast<float>(1200.0 - (py - 30.0) / 0.2);
    ball.speed = speed;
    const TableScale scale;
    EXPECT_EQ(scale.toPixelX(ball.x), static_cast<float>(px));
    EXPECT_EQ(scale.toPixelY(ball.y), static_cast<float>(py));
    return ball;
}

int countPixels(const Surface& s, Box area, bool (*test)(Rgb)) {
    int n = 0;
    for (int y = area.top; y <= area.bottom; ++y)
        for (int x = area.left; x <= area.right; ++x)
            n += test(s.pixel(x, y)) ? 1 : 0;
    return n;
}

bool isGreenInk(Rgb p) {
    return p != 0 && (p & 0xff00ffu) == 0;
}
bool hasAlphaByte(Rgb p) {
    return (p >> 24) != 0;
}

class TableDrawing : public ::testing::Test {
protected:
    TableDrawing() {
        iniPictures(picBalls, picTable);
        drawEmptyTable(buffer, picTable);
        emptyTable = buffer;
    }
    const Surface picTable = makeTablePicture();
    Surface picBalls;
    Surface buffer{kTablePictureWidth, kTablePictureHeight};
    Surface emptyTable;
};

TEST_F(TableDrawing, SheetAndEmptyTableAreCopiesOfTheTablePicture) {
    ASSERT_EQ(picBalls.width(), kSpriteStripWidth);
    ASSERT_EQ(picBalls.height(), kSpriteStripHeight);
    EXPECT_EQ(picBalls.pixel(0, 0), 0u);
    EXPECT_EQ(picBalls.pixel(30, 10), ballColour(1, 0));
    EXPECT_EQ(picBalls.pixel(210, 30), kShadowColour);
    EXPECT_EQ(emptyTable.pixel(539, 299), rgb(539, 299, 0x80));
    Surface dirty(kTablePictureWidth, kTablePictureHeight, rgb(1, 2, 3));
    drawEmptyTable(dirty, picTable);
    EXPECT_EQ(dirty, emptyTable);
}

TEST_F(TableDrawing, MaskedDrawWritesTheDiscAndKeepsEverythingElse) {
    drawSprite(buffer, 50, 60, picBalls, 20, 0);
    for (int y = 0; y < buffer.height(); ++y)
        for (int x = 0; x < buffer.width(); ++x) {
            const bool disc = x >= 50 && x < 70 && y >= 60 && y < 80 && inDisc(x - 50, y - 60);
            ASSERT_EQ(buffer.pixel(x, y), disc ? ballColour(1, 0) : emptyTable.pixel(x, y)) << x << "," << y;
        }
}

TEST_F(TableDrawing, MaskedDrawIsClippedAtTheEdges) {
    drawSprite(buffer, -10, 290, picBalls, 0, 0);
    EXPECT_EQ(boundsOf(buffer, ballColour(0, 0)), (Box{0, 290, 9, 299}));
}

struct ShadowCase {
    double px, py;
    int left, top;
};

class ShadowPlace : public TableDrawing, public ::testing::WithParamInterface<ShadowCase> {};

TEST_P(ShadowPlace, CornerOfTheShadow) {
    const ShadowCase c = GetParam();
    drawBallMark(buffer, picBalls, ballAtPixel(c.px, c.py));
    EXPECT_EQ(boundsOf(buffer, kShadowColour), (Box{c.left, c.top, c.left + 19, c.top + 19}));
}

INSTANTIATE_TEST_SUITE_P(Zones, ShadowPlace,
                         ::testing::Values(ShadowCase{100, 100, 92, 92}, // offset 2 right and down
                                           ShadowCase{260, 45, 250,
                                                      35}, // middle of the top rail: under the ball
                                           ShadowCase{45, 45, 35, 35},     // corner
                                           ShadowCase{500, 260, 490, 250}, // corner
                                           ShadowCase{500, 150, 490, 142}, // the clamp eats the offset across
                                           ShadowCase{100, 259, 92, 250},  // and down
                                           ShadowCase{250, 45, 242, 37},   // zone edge: still offset
                                           ShadowCase{100.5, 100, 92, 92}, // 92.5 goes to 92
                                           ShadowCase{101.5, 100, 94, 92})); // 93.5 goes to 94

TEST_F(TableDrawing, BallCornersRoundHalvesToEven) {
    drawBallInBuffer(buffer, picBalls, ballAtPixel(100.5, 101.5), 0, kBallSize);
    EXPECT_EQ(boundsOf(buffer, ballColour(0, 0)), (Box{90, 92, 109, 111}));
    drawBallInBuffer(buffer, picBalls, ballAtPixel(201.5, 100.5), 1, kBallSize);
    EXPECT_EQ(boundsOf(buffer, ballColour(1, 0)), (Box{192, 90, 211, 109}));
}

TEST_F(TableDrawing, SpriteRowFollowsSpeedOnlyInTheBuffer) {
    const Ball moving = ballAtPixel(100, 100, 0.5f);
    drawBallInBuffer(buffer, picBalls, moving, 2, kBallSize);
    EXPECT_EQ(boundsOf(buffer, ballColour(2, 1)), (Box{90, 90, 109, 109}));
    EXPECT_FALSE(boundsOf(buffer, ballColour(2, 0)));

    drawBallInBuffer(buffer, picBalls, ballAtPixel(200, 100), 2, kBallSize);
    EXPECT_EQ(boundsOf(buffer, ballColour(2, 0)), (Box{190, 90, 209, 109}));

    Surface screen = emptyTable;
    drawBallOnScreen(screen, picBalls, moving, 3, kBallSize);
    EXPECT_EQ(boundsOf(screen, ballColour(3, 0)), (Box{90, 90, 109, 109}));
    EXPECT_FALSE(boundsOf(screen, kShadowColour));
}

TEST_F(TableDrawing, BallOffTheTableIsNotDrawn) {
    Ball off = ballAtPixel(100, 100);
    off.onTable = false;
    drawBallMark(buffer, picBalls, off);
    drawBallInBuffer(buffer, picBalls, off, 0, kBallSize);
    drawBallOnScreen(buffer, picBalls, off, 0, kBallSize);
    EXPECT_EQ(buffer, emptyTable);

    Balls balls{ballAtPixel(100, 100), ballAtPixel(200, 100), ballAtPixel(300, 100), off};
    drawBallsWithShadows(buffer, picBalls, balls, kBallSize);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(boundsOf(buffer, ballColour(i, 0))) << i;
    EXPECT_FALSE(boundsOf(buffer, ballColour(3, 0)));
}

TEST_F(TableDrawing, BallsLieOverAllShadowsAndLaterBallsOverEarlierOnes) {
    // Ball 1's shadow reaches into ball 0 at (93, 93); ball 2 covers ball 0 at (105, 100).
    Balls balls{ballAtPixel(100, 100), ballAtPixel(85, 85), ballAtPixel(110, 100), ballAtPixel(400, 200)};
    drawBallsWithShadows(buffer, picBalls, balls, kBallSize);
    EXPECT_EQ(buffer.pixel(93, 93), ballColour(0, 0));
    EXPECT_EQ(buffer.pixel(105, 100), ballColour(2, 0));
    EXPECT_EQ(buffer.pixel(411, 202), kShadowColour); // the shadow's edge beside its ball
}

class PointMarks : public TableDrawing {
protected:
    Surface marks(int points) {
        Surface strip(kStripWidth, kStripHeight, rgb(9, 9, 9));
        drawPointMarks(strip, picBalls, points);
        return strip;
    }
};

TEST_F(PointMarks, NoPointsLeaveTheStripEmpty) {
    EXPECT_EQ(marks(0), Surface(kStripWidth, kStripHeight, kPointStripColour));
    EXPECT_EQ(marks(-3), Surface(kStripWidth, kStripHeight, kPointStripColour));
}

TEST_F(PointMarks, MarksSitTwentyPixelsApartAndTheTenthIsCut) {
    const Rgb red = ballColour(2, 0);
    const Surface three = marks(3);
    EXPECT_EQ(boundsOf(three, red), (Box{1, 1, 60, 20}));
    EXPECT_EQ(three.pixel(1, 1), kPointStripColour); // masked: the corner stays grey

    const Surface ten = marks(10);
    EXPECT_EQ(boundsOf(ten, red), (Box{1, 1, 182, 20}));
    EXPECT_EQ(ten.pixel(181, 11), red);
    EXPECT_EQ(marks(9).pixel(181, 11), kPointStripColour);
    EXPECT_EQ(marks(32767), ten);
}

class Infomation : public TableDrawing {
protected:
    Infomation() { testing::ensureQtApp(); }
    Surface strip{kInfomationWidth, kInfomationHeight, rgb(7, 7, 7)};

    void expectIconFrom(int iconX) { EXPECT_EQ(boundsOf(strip, iconColour(iconX)), (Box{0, 0, 24, 24})); }
    void expectCueBallInFrame(int frameTop, int cueBallIndex) {
        for (int y = 0; y < kInfomationHeight; ++y)
            for (int x = 289; x <= 310; ++x) {
                const bool edge =
                    (x == 289 || x == 310 || y == frameTop || y == 22) && y >= frameTop && y <= 22;
                Rgb expected = edge ? kGreen : 0;
                if (x >= 290 && x < 310 && y >= 1 && y < 21) // a plain copy, corners included
                    expected = picBalls.pixel(20 * cueBallIndex + x - 290, y - 1);
                ASSERT_EQ(strip.pixel(x, y), expected) << x << "," << y;
            }
    }
    void expectNoAlphaBytes() { EXPECT_EQ(countPixels(strip, {0, 0, 320, 24}, hasAlphaByte), 0); }
};

TEST_F(Infomation, SoloShowsIconLineNowAndFramedCueBall) {
    drawInfomation(strip, picTable, picBalls, playModeSolo, false, 1, "0 / 5 -- Inning:1 Shot:0");
    expectIconFrom(220);
    expectCueBallInFrame(0, 1);
    EXPECT_GT(countPixels(strip, {30, 3, 200, 22}, isGreenInk), 50);
    EXPECT_GT(countPixels(strip, {240, 3, 288, 22}, isGreenInk), 20);
    EXPECT_EQ(countPixels(strip, {25, 0, 288, 2}, isGreenInk), 0); // text starts at y 3
    expectNoAlphaBytes();
}

TEST_F(Infomation, TwoSidesFrameStartsOneRowLower) {
    drawInfomation(strip, picTable, picBalls, playModeTwoPlayers, true, 0, " You  0 - 0 Lv.3 tovi ");
    expectIconFrom(245);
    expectCueBallInFrame(1, 0);
    EXPECT_GT(countPixels(strip, {240, 3, 288, 22}, isGreenInk), 20);

    // A long pair of names runs under the frame, which is drawn over it.
    drawInfomation(strip, picTable, picBalls, playModeTwoPlayers, false, 0,
                   " WWWWWWWWWWWW  0 - 0  WWWWWWWWWWWW");
    expectIconFrom(270);
    expectCueBallInFrame(1, 0);
    expectNoAlphaBytes();
}

TEST_F(Infomation, DemoShowsOnlyTheLine) {
    drawInfomation(strip, picTable, picBalls, playModeDemo, false, 0, "How to play the 4 BALLS ?");
    EXPECT_EQ(countPixels(strip, {0, 0, 29, 24}, [](Rgb p) { return p != 0; }), 0);
    EXPECT_EQ(countPixels(strip, {260, 0, 320, 24}, [](Rgb p) { return p != 0; }), 0);
    EXPECT_GT(countPixels(strip, {30, 3, 259, 22}, isGreenInk), 100);
    expectNoAlphaBytes();
}

TEST_F(Infomation, MenuScreenLeavesTheStripBlack) {
    drawInfomation(strip, picTable, picBalls, playModeMenu, false, 0, "anything");
    EXPECT_EQ(strip, Surface(kInfomationWidth, kInfomationHeight, 0));
}

TEST_F(Infomation, DemoCaptionsLieBelowAndRightOfTheirPrintPositions) {
    drawDemoCaptions(buffer, "Click here !");
    const auto changed = [&](Box area) {
        int n = 0;
        for (int y = area.top; y <= area.bottom; ++y)
            for (int x = area.left; x <= area.right; ++x)
                n += buffer.pixel(x, y) != emptyTable.pixel(x, y) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(changed({0, 0, 539, 74}), 0);
    EXPECT_EQ(changed({0, 0, 99, 299}), 0);
    EXPECT_GT(countPixels(buffer, {100, 75, 539, 199}, [](Rgb p) { return p == rgb(0, 0x80, 0); }), 2000);
    EXPECT_GT(countPixels(buffer, {100, 200, 539, 260}, [](Rgb p) { return p == rgb(0, 0x80, 0); }), 200);
    EXPECT_EQ(countPixels(buffer, {0, 0, 539, 299}, hasAlphaByte), 0);

    Surface other = emptyTable; // a new caption is drawn, not the previous one
    drawDemoCaptions(other, "\u30af\u30ea\u30c3\u30af");
    EXPECT_NE(other, buffer);
}

class PictureBoxTest : public ::testing::Test {
protected:
    const bool qtReady_ = (testing::ensureQtApp(), true); // before the widget
    PictureBox box{40, 30, rgb(0, 0x80, 0)};

    void mouse(QEvent::Type type, QPointF pos) {
        QMouseEvent event(type, pos, box.mapToGlobal(pos), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&box, &event);
    }
};

TEST_F(PictureBoxTest, WrapSharesTheSurfaceMemory) {
    EXPECT_EQ(box.size(), QSize(40, 30));
    QImage image = PictureBox::wrap(box.image());
    ASSERT_EQ(image.size(), QSize(40, 30));
    box.image().setPixel(3, 4, rgb(1, 2, 3));
    EXPECT_EQ(image.pixel(3, 4), 0xff010203u);
}

TEST_F(PictureBoxTest, ScreenShowsTheKeptImageOrTheDirectDrawing) {
    box.canvas().setPixel(1, 1, kGreen); // auto redraw on: into the kept image
    EXPECT_EQ(box.screen().pixel(1, 1), box.background());
    box.refresh();
    EXPECT_EQ(box.screen().pixel(1, 1), kGreen);

    box.setAutoRedraw(false);
    box.canvas().setPixel(2, 2, kGreen); // straight to the screen
    EXPECT_EQ(box.image().pixel(2, 2), box.background());
    EXPECT_EQ(box.grab().toImage().pixel(2, 2), 0xff00ff00u);

    box.setAutoRedraw(true); // a repaint shows the kept image again
    EXPECT_EQ(box.grab().toImage().pixel(2, 2), 0xff008000u);
    box.cls();
    EXPECT_EQ(box.screen(), Surface(40, 30, box.background()));
    EXPECT_EQ(box.image(), box.screen());
}

TEST_F(PictureBoxTest, ClickNeedsAPressAndAReleaseInside) {
    int clicks = 0;
    int doubleClicks = 0;
    QObject::connect(&box, &PictureBox::clicked, [&] { ++clicks; });
    QObject::connect(&box, &PictureBox::doubleClicked, [&] { ++doubleClicks; });
    mouse(QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(clicks, 0);
    mouse(QEvent::MouseButtonPress, {5, 5});
    mouse(QEvent::MouseButtonRelease, {6, 6});
    EXPECT_EQ(clicks, 1);
    mouse(QEvent::MouseButtonPress, {5, 5});
    mouse(QEvent::MouseButtonRelease, {50, 6});
    EXPECT_EQ(clicks, 1);
    mouse(QEvent::MouseButtonPress, {5, 5});
    mouse(QEvent::MouseButtonRelease, {5, 5});
    mouse(QEvent::MouseButtonDblClick, {5, 5});
    mouse(QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubleClicks, 1);
}

} // namespace
} // namespace zandrel
