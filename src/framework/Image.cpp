#include "framework/Image.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace orvelan {

TImage::TImage(int width, int height, QWidget* parent)
    : QWidget(parent), FCanvas(std::make_unique<TCanvas>(width, height)) {
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel of the box is painted
  FCanvas->SetChangeHandler([this] { update(); });
}

TImage::~TImage() { FCanvas->SetChangeHandler({}); }

int TImage::PixelScale() const {
  return std::max(1, static_cast<int>(std::floor(devicePixelRatioF())));
}

const QImage& TImage::DisplayImage() {
  if (FDisplayedChange == FCanvas->ChangeCount()) return FDisplay;
  const TRgbImage& pixels = FCanvas->Pixels();
  if (FDisplay.size() != QSize(pixels.Width(), pixels.Height())) {
    FDisplay = QImage(pixels.Width(), pixels.Height(), QImage::Format_RGB32);
  }
  const int width = pixels.Width();
  for (int y = 0; y < pixels.Height(); ++y) {
    const uint8_t* from = pixels.Row(y);
    uchar* to = FDisplay.scanLine(y);
    if constexpr (std::endian::native == std::endian::little) {
      // 0xffRRGGBB in memory is B, G, R, 0xff: the surface's bytes with an opaque fourth.
      // Four bytes are read at a time (the fourth is the next pixel's blue, overwritten by
      // the opaque alpha); the last pixel of a row is copied bytewise, since a read of four
      // bytes would pass the end of the row.
      auto* out = reinterpret_cast<uint32_t*>(to);
      int x = 0;
      for (; x + 1 < width; ++x, from += 3) {
        uint32_t pixel;
        std::memcpy(&pixel, from, sizeof pixel);
        out[x] = pixel | 0xff000000u;
      }
      for (; x < width; ++x, from += 3) {
        out[x] = uint32_t{from[0]} | uint32_t{from[1]} << 8 | uint32_t{from[2]} << 16 | 0xff000000u;
      }
    } else {
      auto* rgb = reinterpret_cast<QRgb*>(to);
      for (int x = 0; x < width; ++x, from += 3) rgb[x] = qRgb(from[2], from[1], from[0]);
    }
  }
  FDisplayedChange = FCanvas->ChangeCount();
  return FDisplay;
}

void TImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (FCanvas->Pixels().Bits() == nullptr) return;
  const QImage& view = DisplayImage();
  const TRgbImage& pixels = FCanvas->Pixels();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const qreal ratio = devicePixelRatioF();
  const qreal scale = PixelScale() / ratio;  // logical size of one surface pixel
  // A fractional ratio leaves a margin right and below the picture: paint it plainly.
  if (scale != 1.0) painter.fillRect(rect(), palette().window());
  painter.drawImage(QRectF(0, 0, pixels.Width() * scale, pixels.Height() * scale), view);
}

}  // namespace orvelan
