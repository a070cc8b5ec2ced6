#include "framework/GroupBox.h"

#include <QList>
#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QCoreApplication>

namespace orvelan {

namespace {
// Posted to measure the box once the paint in progress is over.
QEvent::Type MeasureEventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}
}  // namespace

TGroupBox::TGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void TGroupBox::customEvent(QEvent* event) {
  if (event->type() == MeasureEventType()) {
    MeasurePaintedRegion();
    return;
  }
  QGroupBox::customEvent(event);
}

void TGroupBox::MeasurePaintedRegion() {
  FMeasureQueued = false;
  QImage image(size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  FMeasuring = true;
  render(&image, QPoint(), QRegion(), {});  // the box alone: no background, no children
  FMeasuring = false;
  // Every pixel with any coverage counts, however faint (a style may shade the inside).
  QList<QRect> runs;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width();) {
      if (qAlpha(row[x]) == 0) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < image.width() && qAlpha(row[x]) != 0) ++x;
      runs.append(QRect(start, y, x - start, 1));
    }
  }
  QRegion set;
  set.setRects(runs.constData(), static_cast<int>(runs.size()));
  // Widened by one pixel on every side.
  FPainted = set + set.translated(-1, 0) + set.translated(1, 0);
  FPainted += FPainted.translated(0, -1) + FPainted.translated(0, 1);
  FPaintedTitle = title();
  FPaintedValid = true;
}

bool TGroupBox::PaintsNothingIn(const QRect& rect) const {
  return FPaintedValid && FPaintedTitle == title() && !isCheckable() && !FPainted.intersects(rect);
}

void TGroupBox::paintEvent(QPaintEvent* event) {
  if (!FMeasuring && !isCheckable()) {
    if (FPaintedValid && FPaintedTitle == title()) {
      if (!event->region().intersects(FPainted)) return;
    } else if (!FMeasureQueued) {
      // Not while painting: the box is measured by painting it, once the paint is over.
      FMeasureQueued = true;
      QCoreApplication::postEvent(this, new QEvent(MeasureEventType()));
    }
  }
  QGroupBox::paintEvent(event);
}

void TGroupBox::changeEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::ActivationChange:
    case QEvent::LayoutDirectionChange:
      FPaintedValid = false;
      break;
    default:
      break;
  }
  QGroupBox::changeEvent(event);
}

void TGroupBox::resizeEvent(QResizeEvent* event) {
  FPaintedValid = false;
  QGroupBox::resizeEvent(event);
}

}  // namespace orvelan
