#include "framework/Image.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orvelan {

namespace {

// Posted to a picture box whose surface changed; one at most is pending per box.
const QEvent::Type kPresentEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

TImage::TImage(int width, int height, QWidget* parent)
    : QWidget(parent), FCanvas(std::make_unique<TCanvas>(width, height)) {
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel of the box is painted
  FCanvas->SetChangeHandler([this] { CanvasChanged(); });
}

TImage::~TImage() { FCanvas->SetChangeHandler({}); }

int TImage::PixelScale() const {
  return std::max(1, static_cast<int>(std::floor(devicePixelRatioF())));
}

void TImage::CanvasChanged() {
  if (FPresentPosted) return;
  FPresentPosted = true;
  QCoreApplication::postEvent(this, new QEvent(kPresentEvent));
}

bool TImage::event(QEvent* event) {
  if (event->type() == kPresentEvent) {
    FPresentPosted = false;
    Present();
    return true;
  }
  return QWidget::event(event);
}

void TImage::Present() {
  if (FDisplayedChange == FCanvas->ChangeCount()) return;
  const QRegion changed = FDisplay.Update(FCanvas->Pixels());
  FDisplayedChange = FCanvas->ChangeCount();
  if (changed.isEmpty()) return;
  // One rectangle around the changed tiles: a region of many small ones costs the window
  // more to merge and to clip against than the few extra pixels. Scaled, a surface pixel
  // covers a fraction of logical pixels: the whole box then.
  if (PixelScale() / devicePixelRatioF() == 1.0)
    update(changed.boundingRect());
  else
    update();
}

void TImage::paintEvent(QPaintEvent* event) {
  // A paint that comes before the posted present (an expose, a grab) shows the latest
  // drawing as well.
  Present();
  QPainter painter(this);
  const QImage& view = FDisplay.Image();
  if (view.isNull()) return;
  const qreal ratio = devicePixelRatioF();
  const qreal scale = PixelScale() / ratio;  // logical size of one surface pixel
  if (scale == 1.0) {
    // Each rectangle to repaint is a plain copy of the same rectangle of the picture.
    for (const QRect& rect : event->region()) painter.drawImage(rect.topLeft(), view, rect);
    return;
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // A fractional ratio leaves a margin right and below the picture: paint it plainly.
  painter.fillRect(rect(), palette().window());
  painter.drawImage(QRectF(0, 0, view.width() * scale, view.height() * scale), view);
}

}  // namespace orvelan
