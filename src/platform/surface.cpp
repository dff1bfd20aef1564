#include "platform/surface.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace zandrel {

namespace {

/// The part [first, last) of a run of `count` pixels that starts at `srcStart`
/// in a source `srcLength` long and at `dstStart` in a destination `dstLength`
/// long and lies inside both.
struct Span {
    int first = 0;
    int last = 0;
};

Span clipSpan(int count, int srcStart, int srcLength, int dstStart, int dstLength) {
    // In long long so that no start or length near the int limits can overflow.
    using Wide = long long;
    const Wide first = std::max({Wide{0}, -Wide{srcStart}, -Wide{dstStart}});
    const Wide last = std::min({Wide{count}, Wide{srcLength} - srcStart, Wide{dstLength} - dstStart});
    if (first >= last)
        return {};
    return {static_cast<int>(first), static_cast<int>(last)};
}

void combineRow(Rgb* dst, const Rgb* src, int count, RasterOp op) {
    switch (op) {
    case RasterOp::srcCopy:
        // memmove: a row may overlap itself when a surface is copied onto itself.
        std::memmove(dst, src, static_cast<std::size_t>(count) * sizeof(Rgb));
        break;
    case RasterOp::srcAnd:
        for (int i = 0; i < count; ++i)
            dst[i] &= src[i];
        break;
    case RasterOp::srcInvert:
        for (int i = 0; i < count; ++i)
            dst[i] ^= src[i];
        break;
    }
}

} // namespace

Surface::Surface(int width, int height, Rgb fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {
    if (isNull()) {
        width_ = 0;
        height_ = 0;
        pixels_.clear();
    }
}

Rgb Surface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Surface::setPixel(int x, int y, Rgb value) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = value;
}

void Surface::fillRect(int x, int y, int w, int h, Rgb value) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    // Widen before adding so huge sizes cannot overflow.
    const int right = static_cast<int>(std::min<long long>(static_cast<long long>(x) + w, width_));
    const int bottom = static_cast<int>(std::min<long long>(static_cast<long long>(y) + h, height_));
    for (int row = top; row < bottom; ++row) {
        Rgb* line = pixels_.data() + static_cast<std::size_t>(row) * width_;
        std::fill(line + left, line + std::max(right, left), value);
    }
}

void bitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy, RasterOp op) {
    const Span cols = clipSpan(w, sx, src.width(), dx, dst.width());
    const Span rows = clipSpan(h, sy, src.height(), dy, dst.height());
    if (cols.first >= cols.last || rows.first >= rows.last)
        return;

    const int count = cols.last - cols.first;
    const auto srcRow = [&](int j) {
        return src.data() + static_cast<std::size_t>(sy + j) * src.width() + (sx + cols.first);
    };
    const auto dstRow = [&](int j) {
        return dst.data() + static_cast<std::size_t>(dy + j) * dst.width() + (dx + cols.first);
    };

    // On one surface, a block moving down is done bottom row first so that no
    // source row is overwritten before it is read. AND and XOR rows never
    // overlap themselves: the rectangles are then required not to overlap.
    if (&dst == &src && dy > sy) {
        for (int j = rows.last - 1; j >= rows.first; --j)
            combineRow(dstRow(j), srcRow(j), count, op);
    } else {
        for (int j = rows.first; j < rows.last; ++j)
            combineRow(dstRow(j), srcRow(j), count, op);
    }
}

} // namespace zandrel
