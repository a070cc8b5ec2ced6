// The screen's copy of an off-screen picture, and what changed since it was last brought up
// to date.
#pragma once

#include <QImage>
#include <QRegion>

#include <cstdint>

#include "framework/RgbImage.h"

namespace orvelan {

// A 32-bit copy (QImage::Format_RGB32, opaque) of a TRgbImage, kept in step by Update().
//
// A picture is usually redrawn whole although only a few of its pixels come out different:
// a disc that moves by a pixel, one changed number. Update() compares the picture with the
// copy tile by tile and copies only where they differ, and it says where that was, so that
// the screen repaints those tiles alone.
class TDisplayCopy {
 public:
  // The side of the square tiles that Update() reports, in pixels.
  static constexpr int kTile = 16;

  // Brings the copy up to date with `picture` and returns the tiles (clipped to the picture)
  // whose pixels changed. A change of size replaces the copy and returns the whole picture.
  QRegion Update(const TRgbImage& picture);

  const QImage& Image() const { return FImage; }

 private:
  QImage FImage;
};

namespace detail {

// Writes one row of `width` 24-bit pixels (bytes B, G, R) as 32-bit 0xffRRGGBB pixels to
// `xrgb`, and sets changedTiles[i] to 1 where a pixel of tile column i (pixels 16 i to
// 16 i + 15) differed from what `xrgb` held before; it leaves the other entries alone.
void CopyRow(const uint8_t* bgr, uint32_t* xrgb, int width, uint8_t* changedTiles);

}  // namespace detail

}  // namespace orvelan
