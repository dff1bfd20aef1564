#include "window/table_drawing.h"

#include "window/colours.h"
#include "window/infomation_drawing.h"
#include "window/picture_box.h"
#include "window_fixture.h"

#include <array>
#include <optional>

namespace zandrel {
namespace {

constexpr Rgb kShadowColour = rgb(0x00, 0x58, 0x00);

/// Ball sprite colour of column c, row r of the synthetic sheet; colour of the play-mode icon at x.
constexpr auto ballColour = [](int c, int r) { return rgb(0x10 + c, 0x20 + r, 0x01); };
constexpr auto iconColour = [](int x) { return rgb(0xa0, x & 0xff, 0x02); };
constexpr auto inDisc = [](int x, int y) { return (x - 9.5) * (x - 9.5) + (y - 9.5) * (y - 9.5) <= 100.0; };

/// A 540 x 360 table picture, every table pixel different (blue 0x80, no sprite's), the sprite strip at
/// (0, 300) (black outside the disc, a white mask with a black disc, a green shadow), three flat icons.
Surface makeTablePicture() {
    Surface picture(kTablePictureWidth, 360);
    for (int y = 0; y < kTablePictureHeight; ++y)
        for (int x = 0; x < kTablePictureWidth; ++x)
            picture.setPixel(x, y, rgb(x, y, 0x80));
    for (int y = 0; y < kSpriteStripHeight; ++y)
        for (int x = 0; x < kSpriteStripWidth; ++x) {
            const int c = x / kSpriteSize, r = y / kSpriteSize;
            const bool disc = inDisc(x % kSpriteSize, y % kSpriteSize);
            Rgb value = disc ? ballColour(c, r) : 0;
            if (c == 10)
                value = r == 0 ? (disc ? 0 : rgb(0xff, 0xff, 0xff)) : (disc ? kShadowColour : 0);
            picture.setPixel(x, kSpriteStripY + y, value);
        }
    for (const int iconX : {220, 245, 270})
        picture.fillRect(iconX, 301, 25, 25, iconColour(iconX));
    return picture;
}

using Box = std::array<int, 4>; ///< left, top, right, bottom

std::optional<Box> boundsOf(const Surface& s, Rgb colour) {
    std::optional<Box> box;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) == colour)
                box = Box{std::min(box ? (*box)[0] : x, x), std::min(box ? (*box)[1] : y, y),
                          std::max(box ? (*box)[2] : x, x), y};
    return box;
}

/// A ball whose centre lands on pixel (px, py).
Ball ballAtPixel(double px, double py, float speed = 0.0f) {
    Ball ball{static_cast<float>((px - 30.0) / 0.2), static_cast<float>(1200.0 - (py - 30.0) / 0.2)};
    ball.speed = speed;
    return ball;
}

template <class Test> int countPixels(const Surface& s, Box area, Test test) {
    int n = 0;
    for (int y = area[1]; y <= area[3]; ++y)
        for (int x = area[0]; x <= area[2]; ++x)
            n += test(s.pixel(x, y)) ? 1 : 0;
    return n;
}
constexpr auto isGreenInk = [](Rgb p) { return p != 0 && (p & 0xff00ffu) == 0; };
constexpr auto hasAlphaByte = [](Rgb p) { return (p >> 24) != 0; };

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

TEST_F(TableDrawing, ShadowsLieTwoPixelsDownRightExceptOverTheRails) {
    // Under the ball over the top rail's middle and a corner; the clamp eats the offset across (centre
    // (500, 152)) and down; the zone edge still offset; offset 2 right and down, 93.5 going to 94.
    const std::array<double, 4> cases[] = {{260, 45, 250, 35},  {45, 45, 35, 35},   {500, 150, 490, 142},
                                           {100, 259, 92, 250}, {250, 45, 242, 37}, {101.5, 100, 94, 92}};
    for (const auto& [px, py, left, top] : cases) {
        Surface s = emptyTable;
        drawBallMark(s, picBalls, ballAtPixel(px, py));
        EXPECT_EQ(boundsOf(s, kShadowColour), (Box{int(left), int(top), int(left) + 19, int(top) + 19}))
            << px << "," << py;
    }
}

TEST_F(TableDrawing, MovingBallsUseRowOneInTheBufferRowZeroOnTheScreen) {
    const Ball moving = ballAtPixel(100, 200, 0.5f);
    drawBallInBuffer(buffer, picBalls, moving, 2, kBallSpritePixels);
    EXPECT_EQ(boundsOf(buffer, ballColour(2, 1)), (Box{90, 190, 109, 209}));
    EXPECT_FALSE(boundsOf(buffer, ballColour(2, 0)));

    Surface screen = emptyTable; // straight to the screen: always row 0, no shadow
    drawBallOnScreen(screen, picBalls, moving, 3, kBallSpritePixels);
    EXPECT_EQ(boundsOf(screen, ballColour(3, 0)), (Box{90, 190, 109, 209}));
    EXPECT_FALSE(boundsOf(screen, kShadowColour));
}

/// A ball that left the table, at pixel (100, 100).
Ball offTheTable() {
    Ball off = ballAtPixel(100, 100);
    off.onTable = false;
    return off;
}

TEST_F(TableDrawing, BallsOffTheTableLeaveNoMarkNorShadow) {
    buffer = emptyTable;
    drawBallMark(buffer, picBalls, offTheTable());
    drawBallOnScreen(buffer, picBalls, offTheTable(), 0, kBallSpritePixels);
    EXPECT_EQ(buffer, emptyTable);
}

TEST_F(TableDrawing, ShadowsLieUnderEveryBallLaterBallsOverEarlierOnes) {
    buffer = emptyTable;
    // Ball 1's shadow reaches into ball 0 at (93, 93); ball 2 covers ball 0 at (105, 100).
    Balls balls{ballAtPixel(100, 100), ballAtPixel(85, 85), ballAtPixel(110, 100), offTheTable()};
    drawBallsWithShadows(buffer, picBalls, balls, kBallSpritePixels);
    EXPECT_EQ(buffer.pixel(93, 93), ballColour(0, 0));
    EXPECT_EQ(buffer.pixel(105, 100), ballColour(2, 0));
    EXPECT_EQ(buffer.pixel(121, 102), kShadowColour); // the shadow's edge beside its ball
    EXPECT_FALSE(boundsOf(buffer, ballColour(3, 0)));
}

TEST_F(TableDrawing, PointMarksSitTwentyPixelsApartAndTheTenthIsCut) {
    const auto marks = [&](int points) {
        Surface strip(183, 25, rgb(9, 9, 9));
        drawPointMarks(strip, picBalls, points);
        return strip;
    };
    const Surface empty(183, 25, kPointStripColour);
    EXPECT_EQ(marks(-3), empty);
    const Rgb red = ballColour(2, 0);
    EXPECT_EQ(boundsOf(marks(3), red), (Box{1, 1, 60, 20}));
    EXPECT_EQ(marks(3).pixel(1, 1), kPointStripColour); // masked: the corner stays grey
    const Surface ten = marks(10);
    EXPECT_EQ(boundsOf(ten, red), (Box{1, 1, 182, 20}));
    EXPECT_EQ(std::pair(ten.pixel(181, 11), marks(9).pixel(181, 11)), std::pair(red, kPointStripColour));
    EXPECT_EQ(marks(32767), ten);
}

class Infomation : public TableDrawing {
protected:
    Infomation() { testing::ensureQtApp(); }
    Surface strip{kInfomationWidth, kInfomationHeight, rgb(7, 7, 7)};

    void draw(PlayMode playMode, bool vsCpu, int cueBall, const std::string& line) {
        drawInfomation(strip, picTable, picBalls, playMode, vsCpu, cueBall, line);
        EXPECT_EQ(countPixels(strip, {0, 0, 320, 24}, hasAlphaByte), 0);
    }
    void expectIconFrom(int iconX) { EXPECT_EQ(boundsOf(strip, iconColour(iconX)), (Box{0, 0, 24, 24})); }
    void expectCueBallInFrame(int frameTop, int cueBall) {
        for (int y = 0; y < kInfomationHeight; ++y)
            for (int x = 289; x <= 310; ++x) {
                const bool edge =
                    (x == 289 || x == 310 || y == frameTop || y == 22) && y >= frameTop && y <= 22;
                Rgb expected = edge ? kGreen : 0;
                if (x >= 290 && x < 310 && y >= 1 && y < 21) // a plain copy, corners included
                    expected = picBalls.pixel(20 * cueBall + x - 290, y - 1);
                ASSERT_EQ(strip.pixel(x, y), expected) << x << "," << y;
            }
    }
};

TEST_F(Infomation, SoloShowsIconLineAndFramedCueBallTwoSidesAFrameLowerTheDemoOnlyTheLine) {
    draw(PlayMode::solo, false, 1, "0 / 5 -- Inning:1 Shot:0");
    expectIconFrom(220);
    expectCueBallInFrame(0, 1);
    EXPECT_GT(countPixels(strip, {30, 3, 200, 22}, isGreenInk), 50);
    EXPECT_GT(countPixels(strip, {240, 3, 288, 22}, isGreenInk), 20);
    EXPECT_EQ(countPixels(strip, {25, 0, 288, 2}, isGreenInk), 0); // text starts at y 3

    draw(PlayMode::twoPlayers, true, 0, " You  0 - 0 Lv.3 tovi ");
    expectIconFrom(245);
    expectCueBallInFrame(1, 0);
    // A long pair of names runs under the frame, which is drawn over it.
    draw(PlayMode::twoPlayers, false, 0, " WWWWWWWWWWWW  0 - 0  WWWWWWWWWWWW");
    expectIconFrom(270);
    expectCueBallInFrame(1, 0);

    draw(PlayMode::demo, false, 0, "How to play the 4 BALLS ?");
    EXPECT_EQ(countPixels(strip, {0, 0, 29, 24}, [](Rgb p) { return p != 0; }), 0);
    EXPECT_EQ(countPixels(strip, {260, 0, 320, 24}, [](Rgb p) { return p != 0; }), 0);
    EXPECT_GT(countPixels(strip, {30, 3, 259, 22}, isGreenInk), 100);
    draw(PlayMode::menu, false, 0, "anything");
    EXPECT_EQ(strip, Surface(kInfomationWidth, kInfomationHeight, 0));
}

TEST(PictureBox, ScreenShowsTheKeptImageOrTheDirectDrawing) {
    testing::ensureQtApp();
    PictureBox box{40, 30, rgb(0, 0x80, 0)};
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
}

} // namespace
} // namespace zandrel
