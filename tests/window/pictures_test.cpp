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

bool isBlack(QRgb c) { return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0; }
bool isWhite(QRgb c) { return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255; }

}  // namespace

TEST(Pictures, SizesAndFormats) {
  struct Expected {
    const char* name;
    int width;
    int height;
  };
  const Expected expected[] = {
      {"table.png", 540, 360},   {"cueball.png", 45, 45},   {"icon.png", 32, 32},
      {"menu.png", 540, 365},    {"sound_on.png", 40, 40},  {"sound_off.png", 40, 40},
      {"bgm_on.png", 40, 40},    {"bgm_off.png", 40, 40},   {"ok.png", 64, 32},
      {"cancel.png", 64, 32},    {"opening.png", 269, 224},
  };
  for (const Expected& e : expected) {
    const QImage image = load(e.name);
    ASSERT_FALSE(image.isNull()) << e.name;
    EXPECT_EQ(image.width(), e.width) << e.name;
    EXPECT_EQ(image.height(), e.height) << e.name;
  }
  EXPECT_FALSE(load("table.png").hasAlphaChannel());
  EXPECT_TRUE(load("icon.png").hasAlphaChannel());
}

TEST(Pictures, MaskIsPureWhiteOutsideAndPureBlackInsideADisc) {
  const QImage table = load("table.png");
  ASSERT_FALSE(table.isNull());
  int inside = 0;
  for (int y = 0; y < kCell; ++y) {
    for (int x = 0; x < kCell; ++x) {
      const QRgb m = table.pixel(kMaskX + x, kStripY + y);
      ASSERT_TRUE(isWhite(m) || isBlack(m)) << "mask pixel " << x << "," << y;
      if (isBlack(m)) ++inside;
    }
  }
  // A disc about 19 to 20 pixels across, its corners outside.
  EXPECT_GT(inside, 260);
  EXPECT_LT(inside, 320);
  EXPECT_TRUE(isWhite(table.pixel(kMaskX, kStripY)));
  EXPECT_TRUE(isBlack(table.pixel(kMaskX + 10, kStripY + 10)));
}

TEST(Pictures, SpritesAndShadowFitTheMaskExactly) {
  const QImage table = load("table.png");
  ASSERT_FALSE(table.isNull());
  struct Cell {
    int x;
    int y;
  };
  const Cell cells[] = {{0, 0},  {20, 0},  {40, 0},  {60, 0},  {0, 20},
                        {20, 20}, {40, 20}, {60, 20}, {kMaskX, 20}};
  for (const Cell& cell : cells) {
    for (int y = 0; y < kCell; ++y) {
      for (int x = 0; x < kCell; ++x) {
        const bool outside = isWhite(table.pixel(kMaskX + x, kStripY + y));
        const QRgb c = table.pixel(cell.x + x, kStripY + cell.y + y);
        if (outside) {
          ASSERT_TRUE(isBlack(c)) << "cell " << cell.x << "," << cell.y << " pixel " << x << "," << y;
        } else {
          ASSERT_FALSE(isBlack(c)) << "cell " << cell.x << "," << cell.y << " pixel " << x << "," << y;
        }
      }
    }
  }
}

TEST(Pictures, ShadowIsDarkGreenOnly) {
  const QImage table = load("table.png");
  ASSERT_FALSE(table.isNull());
  for (int y = 0; y < kCell; ++y) {
    for (int x = 0; x < kCell; ++x) {
      if (!isBlack(table.pixel(kMaskX + x, kStripY + y))) continue;
      const QRgb c = table.pixel(kMaskX + x, kStripY + kCell + y);
      EXPECT_EQ(qRed(c), 0);
      EXPECT_EQ(qBlue(c), 0);
      EXPECT_GE(qGreen(c), 0x50);
      EXPECT_LE(qGreen(c), 0x60);
    }
  }
}

TEST(Pictures, BallsInMotionDifferOnlyForTheCueBall) {
  const QImage table = load("table.png");
  ASSERT_FALSE(table.isNull());
  const QImage rest = table.copy(0, kStripY, 80, kCell);
  const QImage moving = table.copy(0, kStripY + kCell, 80, kCell);
  EXPECT_NE(rest.copy(0, 0, 20, 20), moving.copy(0, 0, 20, 20));
  EXPECT_EQ(rest.copy(20, 0, 60, 20), moving.copy(20, 0, 60, 20));
  // Columns 4 to 9 of the strip stay black.
  for (int y = kStripY; y < kStripY + 2 * kCell; ++y) {
    for (int x = 80; x < kMaskX; ++x) ASSERT_TRUE(isBlack(table.pixel(x, y))) << x << "," << y;
  }
}

TEST(Pictures, ClothIsGreen) {
  const QImage table = load("table.png");
  ASSERT_FALSE(table.isNull());
  for (int y = 30; y < 270; ++y) {
    for (int x = 30; x < 510; ++x) {
      const QRgb c = table.pixel(x, y);
      ASSERT_GT(qGreen(c), 2 * qRed(c) + 20) << x << "," << y;
      ASSERT_GT(qGreen(c), 2 * qBlue(c) + 20) << x << "," << y;
    }
  }
  // Just outside the cloth lies the cushion and rail, not cloth: the table
  // edge pixels at the picture's corners are wood (red over blue).
  const QRgb corner = table.pixel(10, 10);
  EXPECT_GT(qRed(corner), qBlue(corner));
}
