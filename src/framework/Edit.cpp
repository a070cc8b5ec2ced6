#include "framework/Edit.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace orvelan {

namespace {

// The application's style for text boxes, with their panel (the window colour behind it,
// the field and its frame) drawn once per look, kept in the application's pixmap cache for
// every text box of that look, and copied afterwards. The style draws the frame's rounded
// corners with anti-aliasing, which cost more than all the rest of a text box's paint; its
// look depends on nothing but the keyed values below, and the copy is exactly the drawing,
// since the panel is drawn on the same window colour.
class TEditStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element != PE_PanelLineEdit || frame == nullptr || painter->device() == nullptr) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    const qreal ratio = painter->device()->devicePixelRatioF();
    const QString key = QStringLiteral("orvelan-edit-%1x%2-%3-%4-%5-%6-%7-%8-%9")
                            .arg(frame->rect.width())
                            .arg(frame->rect.height())
                            .arg(static_cast<int>(frame->state))
                            .arg(frame->palette.cacheKey())
                            .arg(frame->lineWidth)
                            .arg(frame->midLineWidth)
                            .arg(static_cast<int>(frame->features))
                            .arg(static_cast<int>(frame->direction))
                            .arg(ratio)
                            .append(QLatin1Char('-'))
                            .append(QString::number(reinterpret_cast<quintptr>(baseStyle())));
    QPixmap panel;
    if (!QPixmapCache::find(key, &panel)) {
      panel = QPixmap(frame->rect.size() * ratio);
      panel.setDevicePixelRatio(ratio);
      QPainter panelPainter(&panel);
      QStyleOptionFrame atOrigin = *frame;
      atOrigin.rect.moveTo(0, 0);
      panelPainter.fillRect(atOrigin.rect, frame->palette.window());
      QProxyStyle::drawPrimitive(element, &atOrigin, &panelPainter, widget);
      panelPainter.end();
      QPixmapCache::insert(key, panel);
    }
    painter->drawPixmap(frame->rect.topLeft(), panel);
  }
};

// One style for all text boxes, over a fresh instance of the application's style, owned by
// the application.
QStyle* EditStyle() {
  static QPointer<QStyle> style;
  if (style.isNull()) {
    style = new TEditStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(qApp);
  }
  return style.data();
}

}  // namespace

TEdit::TEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  setStyle(EditStyle());
  // The panel covers every pixel, the window colour included: the box counts as opaque.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

}  // namespace orvelan
