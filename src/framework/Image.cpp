#include "framework/Image.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

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

void TImage::paintEvent(QPaintEvent*) {
  const TRgbImage& pixels = FCanvas->Pixels();
  QPainter painter(this);
  if (pixels.Bits() == nullptr) return;
  // Wraps the surface's buffer without copying; it lives as long as the box.
  const QImage view(pixels.Bits(), pixels.Width(), pixels.Height(),
                    static_cast<qsizetype>(pixels.Stride()), QImage::Format_BGR888);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const qreal ratio = devicePixelRatioF();
  const qreal scale = PixelScale() / ratio;  // logical size of one surface pixel
  // A fractional ratio leaves a margin right and below the picture: paint it plainly.
  if (scale != 1.0) painter.fillRect(rect(), palette().window());
  painter.drawImage(QRectF(0, 0, pixels.Width() * scale, pixels.Height() * scale), view);
}

}  // namespace orvelan
