// Looks of controls drawn once and kept in the application's pixmap cache.
#pragma once

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QSize>
#include <QString>

#include <initializer_list>

namespace orvelan {

// "kind-v1-v2-...-r": the key of a look drawn by `kind` that depends on exactly these values,
// at the pixel ratio r (in thousandths). Made in one go, without the string copies of a chain
// of QString::arg() calls: a key is made on every paint of the widgets that use it.
QString LookKey(const char* kind, std::initializer_list<long long> values, qreal ratio);

// The look kept under LookKey(kind, values, ratio). Missing, it is made first:
// a pixmap of `size` logical pixels at `ratio`, which `draw(QPainter&)` must paint whole,
// since the copy stands for the drawing wherever the look is shown.
template <class TDraw>
QPixmap CachedLook(const char* kind, std::initializer_list<long long> values, QSize size,
                   qreal ratio, TDraw&& draw) {
  const QString key = LookKey(kind, values, ratio);
  QPixmap look;
  if (QPixmapCache::find(key, &look)) return look;
  look = QPixmap(size * ratio);
  look.setDevicePixelRatio(ratio);
  {
    QPainter painter(&look);
    draw(painter);
  }
  QPixmapCache::insert(key, look);
  return look;
}

}  // namespace orvelan
