// resources/ from tools/make_pictures.py: the masked drawing (AND, XOR) relies on the sprite strip.

#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace {

QImage load(const char* name) {
    return QImage(QString(ZANDREL_SOURCE_DIR "/resources/") + name);
}

constexpr int kStripY = 300;
constexpr int kCell = 20;
constexpr int kMaskX = 200;

constexpr auto isBlack = [](QRgb c) { return (c & 0xffffff) == 0; };
constexpr auto isWhite = [](QRgb c) { return (c & 0xffffff) == 0xffffff; };

TEST(Pictures, SizesAndFormats) {
    const std::tuple<const char*, int, int> expected[] = {
        {"table.png", 540, 360},     {"cueball.png", 45, 45},    {"icon.png", 32, 32},
        {"menu.png", 540, 365},      {"sound_on.png", 40, 40},   {"sound_off.png", 40, 40},
        {"bgm_on.png", 40, 40},      {"bgm_off.png", 40, 40},    {"ok.png", 64, 32},
        {"cancel.png", 64, 32},      {"opening.png", 269, 224},  {"tovi.png", 32, 32},
        {"tovi_strip.png", 160, 32}, {"record_icon.png", 32, 32}};
    for (const auto& [name, width, height] : expected)
        EXPECT_EQ(load(name).size(), QSize(width, height)) << name;
    EXPECT_EQ(std::pair(load("table.png").hasAlphaChannel(), load("icon.png").hasAlphaChannel()),
              std::pair(false, true));
}

// Relative luminance of an sRGB colour (WCAG 2).
double luminance(QRgb c) {
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

TEST(Pictures, SpritesAndShadowFitTheMaskExactly) {
    const QImage table = load("table.png");
    ASSERT_FALSE(table.isNull());
    // The mask: pure white outside, pure black inside a disc about 19 to 20 pixels across.
    int inside = 0;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const QRgb m = table.pixel(kMaskX + x, kStripY + y);
            ASSERT_TRUE(isWhite(m) || isBlack(m)) << "mask pixel " << x << "," << y << ": " << std::hex << m;
            inside += isBlack(m);
        }
    EXPECT_GT(inside, 260);
    EXPECT_LT(inside, 320);
    // The four balls at rest and in motion, and the shadow: black exactly outside the disc.
    for (const auto& [cx, cy] :
         {std::pair{0, 0}, {20, 0}, {40, 0}, {60, 0}, {0, 20}, {20, 20}, {40, 20}, {60, 20}, {kMaskX, 20}})
        for (int y = 0; y < kCell; ++y)
            for (int x = 0; x < kCell; ++x) {
                const bool outside = isWhite(table.pixel(kMaskX + x, kStripY + y));
                ASSERT_EQ(isBlack(table.pixel(cx + x, kStripY + cy + y)), outside)
                    << "cell " << cx << "," << cy << " pixel " << x << "," << y;
            }
    // The shadow is the cloth in shade: each channel 55 % to 85 % of the cloth's.
    const QRgb cloth = table.pixel(270, 150);
    auto shaded = [](int channel, int clothChannel) {
        return channel >= clothChannel * 55 / 100 - 1 && channel <= clothChannel * 85 / 100 + 1;
    };
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const QRgb c = table.pixel(kMaskX + x, kStripY + kCell + y);
            EXPECT_TRUE(isBlack(c) || (shaded(qRed(c), qRed(cloth)) && shaded(qGreen(c), qGreen(cloth)) &&
                                       shaded(qBlue(c), qBlue(cloth))))
                << "shadow pixel " << x << "," << y << " is " << std::hex << c;
        }
    // Balls in motion differ only for the cue ball.
    EXPECT_NE(table.copy(0, kStripY, 20, 20), table.copy(0, kStripY + kCell, 20, 20));
    EXPECT_EQ(table.copy(20, kStripY, 60, 20), table.copy(20, kStripY + kCell, 60, 20));
}

TEST(Pictures, TheDemonstrationsCaptionsStandOutOnTheCloth) {
    const QImage table = load("table.png");
    ASSERT_FALSE(table.isNull());
    // The green (0, 128, 0) captions from (100, 75) and (100, 200) were ghosts on a cloth of about
    // their colour (ratio 1.04); at 1.6 they read clearly on the blue-green cloth.
    const double caption = luminance(qRgb(0, 128, 0));
    double lowest = 100.0;
    for (int y = 75; y < 250; ++y)
        for (int x = 100; x < 470; ++x)
            lowest = std::min(lowest, (caption + 0.05) / (luminance(table.pixel(x, y)) + 0.05));
    EXPECT_GE(lowest, 1.6);
}

TEST(Pictures, ToviDancesThroughFiveDifferentFrames) {
    // That the rest picture is the first frame the version window's test sees.
    const QImage strip = load("tovi_strip.png").convertToFormat(QImage::Format_RGB32);
    for (int frame = 1; frame < 5; ++frame)
        EXPECT_NE(strip.copy(32 * (frame - 1), 0, 32, 32), strip.copy(32 * frame, 0, 32, 32)) << frame;
}

} // namespace
