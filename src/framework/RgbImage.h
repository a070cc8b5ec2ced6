// An off-screen picture: width x height pixels, rows from the top, three bytes a pixel in the
// order blue, green, red. Rows are padded to a multiple of four bytes; Stride() gives the
// distance between the starts of two rows. The layout matches QImage::Format_BGR888 with
// bytesPerLine = Stride(), so the buffer can be wrapped without copying.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/Color.h"

namespace orvelan {

class TRgbImage {
 public:
  // Largest accepted width or height; larger sizes throw std::invalid_argument, as do
  // negative ones. A 0 x 0 picture is valid and has no pixels.
  static constexpr int kMaxSide = 16384;
  // Bytes of one pixel; a ptrdiff_t so that offsets computed with it never overflow an int.
  static constexpr std::ptrdiff_t kBytesPerPixel = 3;

  // All pixels start black.
  TRgbImage(int width, int height);
  // Pixels start undefined: for a caller that writes every pixel of every row.
  struct TUninitialized {};
  TRgbImage(int width, int height, TUninitialized);

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::ptrdiff_t Stride() const { return stride_; }

  // Row y (0 = top): 3 x Width() bytes B, G, R, B, G, R, ... No bounds check.
  uint8_t* Row(int y) { return bytes_.get() + static_cast<std::ptrdiff_t>(y) * stride_; }
  const uint8_t* Row(int y) const {
    return bytes_.get() + static_cast<std::ptrdiff_t>(y) * stride_;
  }
  // Start of row 0 (nullptr for an empty picture); Stride() x Height() bytes.
  uint8_t* Bits() { return bytes_.get(); }
  const uint8_t* Bits() const { return bytes_.get(); }

  // Checked single-pixel access; throws std::out_of_range outside the picture.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  void Fill(TColor color);

 private:
  int width_;
  int height_;
  std::ptrdiff_t stride_;
  std::unique_ptr<uint8_t[]> bytes_;  // nullptr when there are no pixels
};

}  // namespace orvelan
