#include "platform/surface.h"

#include <gtest/gtest.h>

#include <climits>

namespace zandrel {
namespace {

constexpr Rgb kDst = rgb(0xf0, 0x0f, 0xaa);
constexpr Rgb kSrc = rgb(0x3c, 0xff, 0x55);
constexpr Rgb kOutside = rgb(0x12, 0x34, 0x56);

/// A surface whose every pixel is different: (x, y, 0x80).
Surface patterned(int w, int h) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.setPixel(x, y, rgb(x, y, 0x80));
    return s;
}

TEST(Surface, PixelAccessOutsideIsHarmless) {
    Surface s(3, 2, kDst);
    EXPECT_EQ(s.pixel(2, 1), kDst);
    EXPECT_EQ(s.pixel(-1, 0), 0u);
    EXPECT_EQ(s.pixel(3, 0), 0u);
    EXPECT_EQ(s.pixel(0, 2), 0u);
    s.setPixel(3, 0, kSrc);
    s.setPixel(0, -1, kSrc);
    EXPECT_EQ(s, Surface(3, 2, kDst));
    EXPECT_TRUE(Surface(0, 5).isNull());
    EXPECT_TRUE(Surface(-4, 5).isNull());
}

TEST(Surface, FillRectIsClipped) {
    Surface s(4, 3, 0);
    s.fillRect(-2, 1, 4, 10, kSrc); // covers x 0..1, rows 1..2
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(s.pixel(x, y), (x < 2 && y >= 1) ? kSrc : 0u) << x << "," << y;
    s.fillRect(0, 0, INT_MAX, INT_MAX, kDst);
    EXPECT_EQ(s, Surface(4, 3, kDst));
}

struct OpCase {
    RasterOp op;
    Rgb expected;
};

class BitBltOp : public ::testing::TestWithParam<OpCase> {};

TEST_P(BitBltOp, CombinesEveryPixelOfTheBlockAndNothingElse) {
    Surface dst(5, 4, kDst);
    const Surface src(3, 3, kSrc);
    bitBlt(dst, 1, 1, 2, 2, src, 0, 0, GetParam().op);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool inside = x >= 1 && x <= 2 && y >= 1 && y <= 2;
            EXPECT_EQ(dst.pixel(x, y), inside ? GetParam().expected : kDst) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Ops, BitBltOp,
                         ::testing::Values(OpCase{RasterOp::srcCopy, kSrc},
                                           OpCase{RasterOp::srcAnd, kDst& kSrc},
                                           OpCase{RasterOp::srcInvert, kDst ^ kSrc}));

TEST(BitBlt, MaskThenXorIsATransparentDraw) {
    // White mask keeps the destination, black mask plus XOR puts the sprite in.
    Surface dst(2, 1, kDst);
    Surface mask(2, 1, rgb(0xff, 0xff, 0xff));
    mask.setPixel(1, 0, 0);
    Surface sprite(2, 1, 0);
    sprite.setPixel(1, 0, kSrc);
    bitBlt(dst, 0, 0, 2, 1, mask, 0, 0, RasterOp::srcAnd);
    bitBlt(dst, 0, 0, 2, 1, sprite, 0, 0, RasterOp::srcInvert);
    EXPECT_EQ(dst.pixel(0, 0), kDst);
    EXPECT_EQ(dst.pixel(1, 0), kSrc);
}

TEST(BitBlt, NegativeDestinationSkipsTheCutOffPart) {
    const Surface src = patterned(4, 4);
    Surface dst(3, 3, kOutside);
    bitBlt(dst, -2, -1, 4, 4, src, 0, 0, RasterOp::srcCopy);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            // dst (x, y) shows src (x + 2, y + 1) where that exists.
            const Rgb expected = x + 2 < 4 ? src.pixel(x + 2, y + 1) : kOutside;
            EXPECT_EQ(dst.pixel(x, y), expected) << x << "," << y;
        }
}

TEST(BitBlt, SourceOutsideItsSurfaceLeavesTheDestinationAlone) {
    const Surface src = patterned(4, 4);
    Surface dst(6, 6, kOutside);
    bitBlt(dst, 1, 1, 4, 4, src, -1, 2, RasterOp::srcCopy);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const int sx = x - 1 - 1;
            const int sy = y - 1 + 2;
            const bool copied = x >= 1 && x < 5 && y >= 1 && y < 5 && sx >= 0 && sy < 4;
            EXPECT_EQ(dst.pixel(x, y), copied ? src.pixel(sx, sy) : kOutside) << x << "," << y;
        }
}

TEST(BitBlt, ClipsAtTheRightAndBottomOfBothSurfaces) {
    const Surface src = patterned(5, 5);
    Surface dst(4, 4, kOutside);
    bitBlt(dst, 2, 3, 10, 10, src, 3, 1, RasterOp::srcCopy);
    // Source leaves 2 columns (x 3..4), destination 2 columns and 1 row.
    Surface expected(4, 4, kOutside);
    expected.setPixel(2, 3, src.pixel(3, 1));
    expected.setPixel(3, 3, src.pixel(4, 1));
    EXPECT_EQ(dst, expected);
}

TEST(BitBlt, EmptyOrFarAwayBlocksChangeNothing) {
    const Surface src = patterned(4, 4);
    const Surface untouched(4, 4, kOutside);
    Surface dst = untouched;
    bitBlt(dst, 0, 0, 0, 4, src, 0, 0, RasterOp::srcCopy);
    bitBlt(dst, 0, 0, -3, -3, src, 0, 0, RasterOp::srcCopy);
    bitBlt(dst, 4, 0, 4, 4, src, 0, 0, RasterOp::srcCopy);
    bitBlt(dst, 0, 0, 4, 4, src, 0, -4, RasterOp::srcCopy);
    bitBlt(dst, INT_MIN, INT_MIN, INT_MAX, INT_MAX, src, INT_MAX, 0, RasterOp::srcCopy);
    Surface null;
    bitBlt(dst, 0, 0, 4, 4, null, 0, 0, RasterOp::srcCopy);
    bitBlt(null, 0, 0, 4, 4, src, 0, 0, RasterOp::srcCopy);
    EXPECT_EQ(dst, untouched);
}

TEST(BitBlt, CopyWithinOneSurfaceReadsBeforeItWrites) {
    Surface s = patterned(4, 4);
    const Surface before = s;
    bitBlt(s, 1, 1, 3, 3, s, 0, 0, RasterOp::srcCopy); // overlapping, moving down-right
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 4; ++x)
            EXPECT_EQ(s.pixel(x, y), before.pixel(x - 1, y - 1)) << x << "," << y;
}

} // namespace
} // namespace zandrel
