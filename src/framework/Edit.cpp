#include "framework/Edit.h"

#include "framework/CachedLook.h"

#include <QApplication>
#include <QPainter>
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
    const QPixmap panel = CachedLook(
        "orvelan-edit",
        {frame->rect.width(), frame->rect.height(), static_cast<int>(frame->state),
         frame->palette.cacheKey(), frame->lineWidth, frame->midLineWidth,
         static_cast<int>(frame->features), static_cast<int>(frame->direction),
         static_cast<long long>(reinterpret_cast<quintptr>(baseStyle()))},
        frame->rect.size(), painter->device()->devicePixelRatioF(), [&](QPainter& panelPainter) {
          QStyleOptionFrame atOrigin = *frame;
          atOrigin.rect.moveTo(0, 0);
          panelPainter.fillRect(atOrigin.rect, frame->palette.window());
          QProxyStyle::drawPrimitive(element, &atOrigin, &panelPainter, widget);
        });
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
