#include "framework/GroupBox.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace orvelan {

namespace {
constexpr int kCaptionLeft = 7;     // the caption cell's left edge
constexpr int kCaptionPadding = 3;  // window-coloured pixels either side of the words
}  // namespace

TGroupBox::TGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

QRect TGroupBox::CaptionRect() const {
  // Measuring the caption shapes its text: done again only when caption or font changed.
  if (FCaptionTitle != title() || FCaptionFont != font()) {
    FCaptionTitle = title();
    FCaptionFont = font();
    const QFontMetrics metrics(FCaptionFont);
    FCaption = FCaptionTitle.isEmpty()
                   ? QRect()
                   : QRect(kCaptionLeft, 0,
                           metrics.horizontalAdvance(FCaptionTitle) + 2 * kCaptionPadding,
                           metrics.height());
  }
  return FCaption;
}

bool TGroupBox::TouchesFrame(const QRect& rect) const {
  // The frame is the outer rectangle less the inner one: the part of `rect` within the outer
  // rectangle touches it unless the inner rectangle holds all of that part.
  const QRect outer(0, kFrameTop, width(), height() - kFrameTop);
  const QRect part = rect & outer;
  return !part.isEmpty() && !outer.adjusted(2, 2, -2, -2).contains(part);
}

bool TGroupBox::PaintsNothingIn(const QRect& rect) const {
  return !rect.intersects(CaptionRect()) && !TouchesFrame(rect);
}

void TGroupBox::paintEvent(QPaintEvent* event) {
  // Most repaints are of a child inside the frame, where the box itself draws nothing.
  const QRegion& region = event->region();
  const QRect caption = CaptionRect();
  const bool captionNeeded = region.intersects(caption);
  if (!captionNeeded &&
      std::none_of(region.begin(), region.end(), [&](const QRect& r) { return TouchesFrame(r); })) {
    return;
  }
  QPainter painter(this);
  const QColor dark = palette().color(QPalette::Mid);
  const QColor light = palette().color(QPalette::Light);
  const int right = width() - 1, bottom = height() - 1, top = kFrameTop;
  // Bottom and right lines first; the top and left ones cover the corners they share.
  auto line = [&](int x0, int y0, int x1, int y1, const QColor& colour) {
    painter.fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), colour);
  };
  line(1, bottom - 1, right - 1, bottom - 1, dark);  // inner bottom
  line(right - 1, top + 1, right - 1, bottom - 1, dark);  // inner right
  line(1, top + 1, right - 1, top + 1, light);  // inner top
  line(1, top + 1, 1, bottom - 1, light);  // inner left
  line(0, bottom, right, bottom, light);  // outer bottom
  line(right, top, right, bottom, light);  // outer right
  line(0, top, right, top, dark);  // outer top
  line(0, top, 0, bottom, dark);  // outer left
  // The caption on a window-coloured cell over the top lines.
  if (!captionNeeded) return;
  painter.fillRect(caption, palette().window());
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::WindowText));
  painter.drawText(caption.adjusted(kCaptionPadding, 0, -kCaptionPadding, 0),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title());
}

}  // namespace orvelan
