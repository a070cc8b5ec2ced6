#include "framework/Edit.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <cstddef>
#include <vector>

namespace orvelan {

namespace {

// The application's style for text boxes, with their panel (the window colour behind it,
// the field and its frame) drawn once per look and copied afterwards. The style draws the
// frame's rounded corners with anti-aliasing, which cost more than all the rest of a text
// box's paint; its look depends on nothing but the keyed values below, and the copy is
// exactly the drawing, since the panel is drawn on the same window colour.
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
    const TKey key{frame->rect.size(),       static_cast<int>(frame->state),
                   frame->palette.cacheKey(), frame->lineWidth,
                   frame->midLineWidth,       static_cast<int>(frame->features),
                   frame->direction,          ratio};
    const QPixmap* panel = nullptr;
    for (const TPanel& cached : FPanels)
      if (cached.Key == key) panel = &cached.Pixels;
    if (panel == nullptr) {
      if (FPanels.size() >= kMaxPanels) FPanels.erase(FPanels.begin());
      TPanel& made = FPanels.emplace_back();
      made.Key = key;
      made.Pixels = QPixmap(frame->rect.size() * ratio);
      made.Pixels.setDevicePixelRatio(ratio);
      QPainter panelPainter(&made.Pixels);
      QStyleOptionFrame atOrigin = *frame;
      atOrigin.rect.moveTo(0, 0);
      panelPainter.fillRect(atOrigin.rect, frame->palette.window());
      QProxyStyle::drawPrimitive(element, &atOrigin, &panelPainter, widget);
      panel = &made.Pixels;
    }
    painter->drawPixmap(frame->rect.topLeft(), *panel);
  }

 private:
  struct TKey {
    QSize Size;
    int State;
    qint64 Palette;
    int LineWidth;
    int MidLineWidth;
    int Features;
    Qt::LayoutDirection Direction;
    qreal Ratio;
    bool operator==(const TKey&) const = default;
  };
  struct TPanel {
    TKey Key;
    QPixmap Pixels;
  };
  static constexpr std::size_t kMaxPanels = 16;
  mutable std::vector<TPanel> FPanels;  // the looks drawn so far, the oldest first
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
