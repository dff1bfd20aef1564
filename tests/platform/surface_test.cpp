#include "platform/surface.h"

#include <gtest/gtest.h>

#include <climits>

namespace zandrel {
namespace {

constexpr Rgb kDst = rgb(0xf0, 0x0f, 0xaa);
constexpr Rgb kSrc = rgb(0x3c, 0xff, 0x55);

/// A surface whose every pixel is different: (x, y, 0x80).
Surface patterned(int w, int h) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.setPixel(x, y, rgb(x, y, 0x80));
    return s;
}

TEST(Surface, PixelAccessOutsideIsHarmless) {
    Surface s(4, 3, kDst);
    for (const auto& [x, y] : {std::pair{-1, 0}, {4, 0}, {0, 3}, {0, -1}}) {
        EXPECT_EQ(s.pixel(x, y), 0u);
        s.setPixel(x, y, kSrc);
    }
    EXPECT_EQ(s, Surface(4, 3, kDst));
}

TEST(Surface, WithoutWidthItIsNull) {
    EXPECT_TRUE(Surface(0, 5).isNull());
    EXPECT_TRUE(Surface(-4, 5).isNull());
}

TEST(Surface, FillsOnlyThePartInside) {
    Surface s(4, 3, kDst);
    s.fillRect(-2, 1, 4, 10, kSrc); // covers x 0..1, rows 1..2
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(s.pixel(x, y), (x < 2 && y >= 1) ? kSrc : kDst) << x << "," << y;
    s.fillRect(0, 0, INT_MAX, INT_MAX, kDst);
    EXPECT_EQ(s, Surface(4, 3, kDst));
}

TEST(BitBlt, CombinesExactlyThePartInsideBothSurfacesByItsOp) {
    struct Case {
        int dx, dy, w, h, sx, sy;
    };
    const Case cases[] = {{1, 1, 3, 3, 0, 0},  {-2, -1, 4, 4, 0, 0},
                          {1, 1, 4, 4, -1, 2}, {2, 3, 10, 10, 3, 1},
                          {0, 0, 0, 4, 0, 0},  {0, 0, -3, -3, 0, 0},
                          {5, 0, 4, 4, 0, 0},  {0, 0, 4, 4, 0, -5},
                          {0, 0, 4, 4, 5, 0},  {INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, 0}};
    const std::pair<RasterOp, Rgb (*)(Rgb, Rgb)> ops[] = {
        {RasterOp::srcCopy, [](Rgb, Rgb s) { return s; }},
        {RasterOp::srcAnd, [](Rgb d, Rgb s) { return d & s; }},
        {RasterOp::srcInvert, [](Rgb d, Rgb s) { return d ^ s; }}};
    const Surface src = patterned(5, 5);
    for (const auto& [op, combine] : ops)
        for (const Case& c : cases) {
            Surface dst(6, 6, kDst);
            bitBlt(dst, c.dx, c.dy, c.w, c.h, src, c.sx, c.sy, op);
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 6; ++x) {
                    const long long sx = 0LL + x - c.dx + c.sx, sy = 0LL + y - c.dy + c.sy;
                    const bool inside = x >= c.dx && x < 0LL + c.dx + c.w && y >= c.dy &&
                                        y < 0LL + c.dy + c.h && sx >= 0 && sx < 5 && sy >= 0 && sy < 5;
                    ASSERT_EQ(dst.pixel(x, y), inside ? combine(kDst, src.pixel(int(sx), int(sy))) : kDst)
                        << "op " << int(op) << " block " << c.dx << "," << c.dy << " " << c.w << "x" << c.h
                        << " from " << c.sx << "," << c.sy << " at " << x << "," << y;
                }
        }
}

TEST(BitBlt, ANullSurfaceOnEitherSideChangesNothing) {
    Surface dst(4, 4, kDst), null;
    bitBlt(dst, 0, 0, 4, 4, null, 0, 0, RasterOp::srcCopy);
    bitBlt(null, 0, 0, 4, 4, patterned(5, 5), 0, 0, RasterOp::srcCopy);
    EXPECT_EQ(dst, Surface(4, 4, kDst));
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
