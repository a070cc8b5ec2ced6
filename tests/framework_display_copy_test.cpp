// The screen copy of a picture: its pixels, and the tiles it reports as changed.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>

#include <cstdint>
#include <random>
#include <vector>

#include "framework/DisplayCopy.h"
#include "framework/RgbImage.h"

namespace orvelan {
namespace {

constexpr int kTile = TDisplayCopy::kTile;

// What every pixel of the copy must be: 0xffRRGGBB from the bytes B, G, R.
void ExpectCopyEquals(const TDisplayCopy& copy, const TRgbImage& picture) {
  ASSERT_EQ(copy.Image().size(), QSize(picture.Width(), picture.Height()));
  ASSERT_EQ(copy.Image().format(), QImage::Format_RGB32);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const uint8_t* p = picture.Row(y) + 3 * x;
      ASSERT_EQ(copy.Image().pixel(x, y), qRgb(p[2], p[1], p[0])) << "pixel (" << x << ", " << y << ")";
    }
  }
}

void Scribble(TRgbImage& picture, std::mt19937& random) {
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < 3 * picture.Width(); ++x) picture.Row(y)[x] = static_cast<uint8_t>(random());
}

TEST(CopyRow, CopiesEveryWidthAndFlagsTheTilesThatDiffer) {
  // Widths around the 16-pixel steps of the vector path; a change in one byte of one pixel,
  // at the first, middle and last pixel and at tile edges, flags its tile alone.
  std::mt19937 random(7);
  for (int width : {1, 2, 15, 16, 17, 31, 32, 33, 48, 65, 177, 265}) {
    std::vector<uint8_t> bgr(3 * static_cast<std::size_t>(width));
    for (uint8_t& b : bgr) b = static_cast<uint8_t>(random());
    std::vector<uint32_t> xrgb(static_cast<std::size_t>(width) + 1, 0x12345678u);
    const int tiles = (width + kTile - 1) / kTile;
    std::vector<uint8_t> changed(static_cast<std::size_t>(tiles) + 1, 0);
    detail::CopyRow(bgr.data(), xrgb.data(), width, changed.data());
    for (int x = 0; x < width; ++x) {
      const uint32_t expected =
          0xff000000u | uint32_t{bgr[3 * x + 2]} << 16 | uint32_t{bgr[3 * x + 1]} << 8 | bgr[3 * x];
      ASSERT_EQ(xrgb[x], expected) << "width " << width << ", pixel " << x;
    }
    EXPECT_EQ(xrgb[width], 0x12345678u) << "width " << width << ": wrote past the row";
    for (int t = 0; t < tiles; ++t) EXPECT_EQ(changed[t], 1) << "width " << width << ", tile " << t;
    EXPECT_EQ(changed[tiles], 0) << "width " << width;

    for (int x : {0, width / 2, width - 1, kTile - 1, kTile}) {
      if (x >= width) continue;
      for (int channel = 0; channel < 3; ++channel) {
        std::fill(changed.begin(), changed.end(), uint8_t{0});
        detail::CopyRow(bgr.data(), xrgb.data(), width, changed.data());
        for (uint8_t c : changed) ASSERT_EQ(c, 0) << "width " << width << ": nothing differed";
        bgr[3 * x + channel] ^= 0x01;
        detail::CopyRow(bgr.data(), xrgb.data(), width, changed.data());
        for (int t = 0; t < tiles; ++t) {
          EXPECT_EQ(changed[t], t == x / kTile ? 1 : 0)
              << "width " << width << ", pixel " << x << ", channel " << channel << ", tile " << t;
        }
        EXPECT_EQ((xrgb[x] >> (8 * channel)) & 0xff, bgr[3 * x + channel]);
      }
    }
  }
}

TEST(DisplayCopy, FirstUpdateCopiesAndReportsTheWholePicture) {
  std::mt19937 random(1);
  TRgbImage picture(37, 21);
  Scribble(picture, random);
  TDisplayCopy copy;
  EXPECT_EQ(copy.Update(picture), QRegion(0, 0, 37, 21));
  ExpectCopyEquals(copy, picture);
  EXPECT_TRUE(copy.Update(picture).isEmpty()) << "nothing changed since";
}

TEST(DisplayCopy, AnAllBlackPictureIsCopiedToo) {
  // Black pixels are zero bytes: the fresh copy must not mistake them for already copied.
  TRgbImage picture(20, 3);
  TDisplayCopy copy;
  EXPECT_EQ(copy.Update(picture), QRegion(0, 0, 20, 3));
  ExpectCopyEquals(copy, picture);
}

TEST(DisplayCopy, ReportsTheTilesOfTheChangedPixelsOnly) {
  struct Case {
    std::vector<QPoint> changed;
    QRegion tiles;
  };
  // A 70 x 40 picture: tile columns 0-15, 16-31, 32-47, 48-63, 64-69; rows 0-15, 16-31, 32-39.
  const Case cases[] = {
      {{{0, 0}}, QRegion(0, 0, 16, 16)},
      {{{69, 39}}, QRegion(64, 32, 6, 8)},
      {{{15, 15}, {16, 16}}, QRegion(0, 0, 16, 16) + QRegion(16, 16, 16, 16)},
      {{{3, 20}, {40, 20}}, QRegion(0, 16, 16, 16) + QRegion(32, 16, 16, 16)},
      {{{17, 2}, {33, 30}}, QRegion(16, 0, 16, 16) + QRegion(32, 16, 16, 16)},
      {{{50, 5}, {50, 25}, {50, 35}}, QRegion(48, 0, 16, 40)},
  };
  for (const Case& c : cases) {
    std::mt19937 random(3);
    TRgbImage picture(70, 40);
    Scribble(picture, random);
    TDisplayCopy copy;
    copy.Update(picture);
    for (const QPoint& p : c.changed) picture.Row(p.y())[3 * p.x() + 1] ^= 0x80;
    EXPECT_EQ(copy.Update(picture), c.tiles) << "first change at (" << c.changed[0].x() << ", "
                                             << c.changed[0].y() << ")";
    ExpectCopyEquals(copy, picture);
  }
}

TEST(DisplayCopy, ANewSizeReplacesTheCopy) {
  std::mt19937 random(5);
  TRgbImage small(8, 8), large(40, 9), empty(0, 0);
  Scribble(small, random);
  Scribble(large, random);
  TDisplayCopy copy;
  copy.Update(small);
  EXPECT_EQ(copy.Update(large), QRegion(0, 0, 40, 9));
  ExpectCopyEquals(copy, large);
  EXPECT_TRUE(copy.Update(empty).isEmpty());
  EXPECT_TRUE(copy.Image().isNull());
}

}  // namespace
}  // namespace orvelan
