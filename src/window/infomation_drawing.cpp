#include "window/infomation_drawing.h"

#include "game/game.h"
#include "window/colours.h"
#include "window/fonts.h"
#include "window/picture_box.h"
#include "window/table_drawing.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace zandrel {

namespace {

constexpr Rgb kStripBackground = kBlack;
constexpr Rgb kStripInk = kGreen;
constexpr Rgb kDemoInk = kDarkGreen;
constexpr Rgb kAlphaByte = 0xff000000u;

constexpr double kStripFontPoints = 12.0;
constexpr double kDemoTitleFontPoints = 100.0;
constexpr double kDemoCaptionFontPoints = 30.0;
constexpr char kDemoTitle[] = "DEMO";
constexpr int kDemoTitleX = 100;
constexpr int kDemoTitleY = 75;
constexpr int kDemoCaptionX = 100;
constexpr int kDemoCaptionY = 200;

constexpr int kIconSize = 25;
constexpr int kIconY = 301;
constexpr int kSoloIconX = 220;
constexpr int kVsCpuIconX = 245;
constexpr int kTwoPlayersIconX = 270;

constexpr int kLineX = 30;
constexpr int kLineY = 3;
constexpr char kNowCaption[] = " Now :";
constexpr int kNowX = 240;
constexpr int kNowY = 3;
constexpr int kFrameLeft = 289;
constexpr int kFrameRight = 310;
constexpr int kSoloFrameTop = 0;
constexpr int kTwoSidesFrameTop = 1;
constexpr int kFrameBottom = 22;
constexpr int kCueBallX = 290;
constexpr int kCueBallY = 1;

/// One piece of text whose top-left corner is at (x, y), drawn without a background.
struct TextItem {
    int x = 0;
    int y = 0;
    const std::string* text = nullptr;
    double fontPoints = 0.0;
};

void paintItems(QPainter& painter, Rgb ink, std::initializer_list<TextItem> items) {
    painter.setPen(QColor::fromRgb(static_cast<QRgb>(ink | kAlphaByte)));
    for (const TextItem& item : items) {
        painter.setFont(gameFont(kFontArial, item.fontPoints, true));
        const int ascent = painter.fontMetrics().ascent();
        painter.drawText(QPoint(item.x, item.y + ascent), QString::fromStdString(*item.text));
    }
}

/// Sets (opaque) or clears the top byte of the pixels in the area.
void setAlphaBytes(Surface& surface, const QRect& area, bool opaque) {
    const QRect clipped = area & QRect(0, 0, surface.width(), surface.height());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        Rgb* row = surface.data() + static_cast<std::size_t>(y) * surface.width();
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            row[x] = opaque ? (row[x] | kAlphaByte) : (row[x] & ~kAlphaByte);
    }
}

/// Paints the texts in one colour straight onto the surface. QPainter expects
/// RGB32 pixels to carry 0xff in their top byte, so the surface is made opaque
/// for the painter and plain 0x00RRGGBB again afterwards.
void paintTexts(Surface& surface, Rgb ink, std::initializer_list<TextItem> items) {
    if (surface.isNull())
        return;
    const QRect all(0, 0, surface.width(), surface.height());
    setAlphaBytes(surface, all, true);
    {
        QImage image = PictureBox::wrap(surface);
        QPainter painter(&image);
        paintItems(painter, ink, items);
    }
    setAlphaBytes(surface, all, false);
}

/// The demonstration captions painted once on a transparent layer the size of
/// the table. Glyphs this large are filled as outlines on every draw, which
/// would cost most of a frame; blending the inked pixels of the layer is many
/// times cheaper.
struct CaptionLayer {
    std::string caption;
    QImage image;
    QRect used; ///< the part of the layer holding any ink
    /// One pixel with ink: its index in the table picture, its premultiplied
    /// colour (0x00RRGGBB) and 255 - its alpha.
    struct Ink {
        std::uint32_t index;
        Rgb colour;
        Rgb inverse;
    };
    std::vector<Ink> ink;
};

const CaptionLayer& demoCaptionLayer(const std::string& clickCaption, QSize size) {
    static CaptionLayer layer; // drawing happens on the UI thread only
    if (!layer.image.isNull() && layer.image.size() == size && layer.caption == clickCaption)
        return layer;
    layer.caption = clickCaption;
    layer.image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    layer.image.fill(Qt::transparent);
    {
        QPainter painter(&layer.image);
        const std::string title = kDemoTitle;
        paintItems(painter, kDemoInk,
                   {{kDemoTitleX, kDemoTitleY, &title, kDemoTitleFontPoints},
                    {kDemoCaptionX, kDemoCaptionY, &clickCaption, kDemoCaptionFontPoints}});
    }
    int left = size.width();
    int top = size.height();
    int right = -1;
    int bottom = -1;
    layer.ink.clear();
    for (int y = 0; y < size.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(layer.image.constScanLine(y));
        for (int x = 0; x < size.width(); ++x)
            if (qAlpha(row[x]) != 0) {
                layer.ink.push_back({static_cast<std::uint32_t>(y * size.width() + x), row[x] & ~kAlphaByte,
                                     255u - static_cast<Rgb>(qAlpha(row[x]))});
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    layer.used = QRect(QPoint(left, top), QPoint(right, bottom)); // empty when nothing was painted
    return layer;
}

/// A one-pixel rectangle outline; both corners belong to it.
void drawFrame(Surface& surface, int left, int top, int right, int bottom, Rgb colour) {
    const int width = right - left + 1;
    const int height = bottom - top + 1;
    surface.fillRect(left, top, width, 1, colour);
    surface.fillRect(left, bottom, width, 1, colour);
    surface.fillRect(left, top, 1, height, colour);
    surface.fillRect(right, top, 1, height, colour);
}

} // namespace

void clearAlphaBytes(Surface& surface) {
    setAlphaBytes(surface, QRect(0, 0, surface.width(), surface.height()), false);
}

void drawInfomation(Surface& strip, const Surface& picTable, const Surface& picBalls, PlayMode playMode,
                    bool isVsCpu, int cueBallIndex, const std::string& line) {
    strip.fill(kStripBackground);
    if (playMode == PlayMode::demo) {
        paintTexts(strip, kStripInk, {{kLineX, kLineY, &line, kStripFontPoints}});
        return;
    }
    if (playMode != PlayMode::solo && playMode != PlayMode::twoPlayers)
        return; // the menu screen covers the strip

    int iconX = kSoloIconX;
    int frameTop = kSoloFrameTop;
    if (playMode == PlayMode::twoPlayers) {
        iconX = isVsCpu ? kVsCpuIconX : kTwoPlayersIconX;
        frameTop = kTwoSidesFrameTop;
    }
    bitBlt(strip, 0, 0, kIconSize, kIconSize, picTable, iconX, kIconY, RasterOp::srcCopy);

    // The line first: a long one runs on under " Now :" and the cue-ball frame.
    const std::string now = kNowCaption;
    paintTexts(strip, kStripInk,
               {{kLineX, kLineY, &line, kStripFontPoints}, {kNowX, kNowY, &now, kStripFontPoints}});
    drawFrame(strip, kFrameLeft, frameTop, kFrameRight, kFrameBottom, kStripInk);
    bitBlt(strip, kCueBallX, kCueBallY, kSpriteSize, kSpriteSize, picBalls, kSpriteSize * cueBallIndex, 0,
           RasterOp::srcCopy);
}

void drawDemoCaptions(Surface& buffer, const std::string& clickCaption) {
    if (buffer.isNull())
        return;
    const CaptionLayer& layer = demoCaptionLayer(clickCaption, QSize(buffer.width(), buffer.height()));
    // Source-over with the premultiplied ink: ink + picture x (255 - alpha) / 255,
    // red and blue side by side in one product, green in another.
    Rgb* pixels = buffer.data();
    for (const CaptionLayer::Ink& ink : layer.ink) {
        const Rgb under = pixels[ink.index];
        Rgb redBlue = (under & 0x00ff00ffu) * ink.inverse + 0x00800080u;
        redBlue = ((redBlue + ((redBlue >> 8) & 0x00ff00ffu)) >> 8) & 0x00ff00ffu;
        Rgb green = (under & 0x0000ff00u) * ink.inverse + 0x00008000u;
        green = ((green + ((green >> 8) & 0x0000ff00u)) >> 8) & 0x0000ff00u;
        pixels[ink.index] = ink.colour + redBlue + green;
    }
}

} // namespace zandrel
