#include "framework/RgbImage.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace orvelan {

namespace {
int CheckedSide(int side, const char* what) {
  if (side < 0 || side > TRgbImage::kMaxSide) {
    throw std::invalid_argument(std::string("TRgbImage: ") + what + " " + std::to_string(side) +
                                " is outside 0 ... " + std::to_string(TRgbImage::kMaxSide));
  }
  return side;
}
}  // namespace

TRgbImage::TRgbImage(int width, int height, TUninitialized)
    : width_(CheckedSide(width, "width")),
      height_(CheckedSide(height, "height")),
      stride_((static_cast<std::ptrdiff_t>(width) * 3 + 3) & ~std::ptrdiff_t{3}) {
  const auto size = static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_);
  if (size > 0) bytes_.reset(new uint8_t[size]);  // default-initialised: left undefined
}

TRgbImage::TRgbImage(int width, int height) : TRgbImage(width, height, TUninitialized{}) {
  if (bytes_) {
    std::memset(bytes_.get(), 0,
                static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_));
  }
}

TColor TRgbImage::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("TRgbImage::Pixel(" + std::to_string(x) + ", " + std::to_string(y) +
                            ") outside " + std::to_string(width_) + " x " +
                            std::to_string(height_));
  }
  const uint8_t* p = Row(y) + kBytesPerPixel * x;
  return RgbColor(p[2], p[1], p[0]);
}

void TRgbImage::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("TRgbImage::SetPixel(" + std::to_string(x) + ", " +
                            std::to_string(y) + ") outside " + std::to_string(width_) + " x " +
                            std::to_string(height_));
  }
  uint8_t* p = Row(y) + kBytesPerPixel * x;
  p[0] = BlueOf(color);
  p[1] = GreenOf(color);
  p[2] = RedOf(color);
}

void TRgbImage::Fill(TColor color) {
  if (width_ == 0 || height_ == 0) return;
  const uint8_t b = BlueOf(color), g = GreenOf(color), r = RedOf(color);
  uint8_t* first = Row(0);
  if (b == g && g == r) {
    std::memset(first, b, static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_));
    return;
  }
  for (int x = 0; x < width_; ++x) {
    first[kBytesPerPixel * x] = b;
    first[kBytesPerPixel * x + 1] = g;
    first[kBytesPerPixel * x + 2] = r;
  }
  for (int y = 1; y < height_; ++y) std::memcpy(Row(y), first, static_cast<std::size_t>(kBytesPerPixel * width_));
}

}  // namespace orvelan
