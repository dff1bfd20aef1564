#pragma once

// A plain pixel surface and the three block-transfer operations the game draws
// with. Pixels are 0x00RRGGBB; the top byte is always 0.

#include <cstdint>
#include <vector>

namespace zandrel {

using Rgb = std::uint32_t; ///< 0x00RRGGBB

/// Makes a pixel value from its red, green and blue bytes.
constexpr Rgb rgb(int r, int g, int b) {
    return (Rgb(r & 0xff) << 16) | (Rgb(g & 0xff) << 8) | Rgb(b & 0xff);
}

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, Rgb fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    bool isNull() const { return width_ == 0 || height_ == 0; }

    /// The pixel at (x, y); 0 outside the surface.
    Rgb pixel(int x, int y) const;
    /// Sets one pixel; ignored outside the surface.
    void setPixel(int x, int y, Rgb value);
    /// Fills the rectangle (clipped to the surface).
    void fillRect(int x, int y, int w, int h, Rgb value);
    void fill(Rgb value) { fillRect(0, 0, width_, height_, value); }

    /// Rows of width() pixels, top row first.
    Rgb* data() { return pixels_.data(); }
    const Rgb* data() const { return pixels_.data(); }

    bool operator==(const Surface&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

/// How bitBlt combines a source pixel with the destination pixel.
enum class RasterOp {
    srcCopy,   ///< destination := source
    srcAnd,    ///< destination := destination AND source
    srcInvert, ///< destination := destination XOR source
};

/// Copies the w x h block at (sx, sy) of src onto dst at (dx, dy), combining
/// pixels by op. Both rectangles are clipped to their surfaces; whatever falls
/// outside either is skipped. src and dst may be the same surface only when
/// the two rectangles do not overlap.
void bitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy, RasterOp op);

} // namespace zandrel
