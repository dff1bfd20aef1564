// Checks the generated pictures in resources/ (tools/make_pictures.py): their
// sizes, and the sprite strip of the table picture, which the masked drawing
// (mask AND, then sprite XOR) relies on pixel by pixel.

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace {

QImage load(const char* name) {
    return QImage(QString(ZANDREL_SOURCE_DIR "/resources/") + name);
}

constexpr int kStripY = 300;
constexpr int kCell = 20;
constexpr int kMaskX = 200;

bool isBlack(QRgb c) {
    return (c & 0xffffff) == 0;
}
bool isWhite(QRgb c) {
    return (c & 0xffffff) == 0xffffff;
}

TEST(Pictures, SizesAndFormats) {
    const std::tuple<const char*, int, int> expected[] = {
        {"table.png", 540, 360}, {"cueball.png", 45, 45},  {"icon.png", 32, 32},
        {"menu.png", 540, 365},  {"sound_on.png", 40, 40}, {"sound_off.png", 40, 40},
        {"bgm_on.png", 40, 40},  {"bgm_off.png", 40, 40},  {"ok.png", 64, 32},
        {"cancel.png", 64, 32},  {"opening.png", 269, 224}};
    for (const auto& [name, width, height] : expected) {
        const QImage image = load(name);
        EXPECT_EQ(image.size(), QSize(width, height)) << name;
    }
    EXPECT_FALSE(load("table.png").hasAlphaChannel());
    EXPECT_TRUE(load("icon.png").hasAlphaChannel());
}

TEST(Pictures, SpritesAndShadowFitTheMaskExactly) {
    const QImage table = load("table.png");
    ASSERT_FALSE(table.isNull());
    // The mask: pure white outside, pure black inside a disc about 19 to 20 pixels across.
    int inside = 0;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const QRgb m = table.pixel(kMaskX + x, kStripY + y);
            ASSERT_TRUE(isWhite(m) || isBlack(m)) << "mask pixel " << x << "," << y;
            inside += isBlack(m);
        }
    EXPECT_GT(inside, 260);
    EXPECT_LT(inside, 320);
    EXPECT_TRUE(isWhite(table.pixel(kMaskX, kStripY)));
    // The four balls at rest and in motion, and the shadow: black exactly outside the disc.
    for (const auto& [cx, cy] :
         {std::pair{0, 0}, {20, 0}, {40, 0}, {60, 0}, {0, 20}, {20, 20}, {40, 20}, {60, 20}, {kMaskX, 20}})
        for (int y = 0; y < kCell; ++y)
            for (int x = 0; x < kCell; ++x) {
                const bool outside = isWhite(table.pixel(kMaskX + x, kStripY + y));
                ASSERT_EQ(isBlack(table.pixel(cx + x, kStripY + cy + y)), outside)
                    << "cell " << cx << "," << cy << " pixel " << x << "," << y;
            }
    // The shadow is dark green only.
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const QRgb c = table.pixel(kMaskX + x, kStripY + kCell + y);
            EXPECT_TRUE(isBlack(c) ||
                        (qRed(c) == 0 && qBlue(c) == 0 && qGreen(c) >= 0x50 && qGreen(c) <= 0x60))
                << x << "," << y;
        }
    // Balls in motion differ only for the cue ball; columns 4 to 9 of the strip stay black.
    EXPECT_NE(table.copy(0, kStripY, 20, 20), table.copy(0, kStripY + kCell, 20, 20));
    EXPECT_EQ(table.copy(20, kStripY, 60, 20), table.copy(20, kStripY + kCell, 60, 20));
    for (int y = kStripY; y < kStripY + 2 * kCell; ++y)
        for (int x = 80; x < kMaskX; ++x)
            ASSERT_TRUE(isBlack(table.pixel(x, y))) << x << "," << y;
}

} // namespace
