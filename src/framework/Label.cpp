#include "framework/Label.h"

#include "framework/GroupBox.h"

#include <QEvent>
#include <QFrame>
#include <QPaintEvent>
#include <QPainter>
#include <QTextLine>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <typeinfo>

namespace orvelan {

namespace {

constexpr Qt::Alignment kDefaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;

// Wider than any caption: a line never wraps.
constexpr qreal kUnlimitedLineWidth = 100000;

}  // namespace

TLabel::TLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  FLayout.setCacheEnabled(true);  // keep the shaped glyphs for the paints
}

bool TLabel::IsPlain() const {
  if (!isEnabled() || wordWrap() || buddy() != nullptr || frameWidth() != 0) return false;
  if (alignment() != kDefaultAlignment || indent() >= 0 || margin() != 0) return false;
  const QString caption = text();
  // QLabel gives an empty label a width of its own. A label holds one kind of content: with
  // text it has no picture, pixmap or movie.
  if (caption.isEmpty()) return false;
  if (textFormat() == Qt::RichText || textFormat() == Qt::MarkdownText) return false;
  if (textFormat() == Qt::AutoText && Qt::mightBeRichText(caption)) return false;
  return !caption.contains(QLatin1Char('\n')) && !caption.contains(QChar::LineSeparator);
}

void TLabel::EnsureLayout() const {
  const QString caption = text();
  const QFont current = font();
  const bool sameFont =
      FLaidOut && FLaidOutFont == current && FLaidOutFont.resolveMask() == current.resolveMask();
  if (sameFont && FLaidOutText == caption) return;
  if (!sameFont) FPlainFont = TPlainTextFont(current);
  FLaidOutText = caption;
  FLaidOutFont = current;
  FLaidOut = true;
  FPlain = FPlainFont.SetLine(caption, FGlyphs, FTextSize);
  if (FPlain) {
    FLayout.clearLayout();
    return;
  }
  FLayout.clearLayout();
  FLayout.setText(caption);
  FLayout.setFont(current);
  QTextOption option(kDefaultAlignment);
  option.setWrapMode(QTextOption::ManualWrap);
  option.setTextDirection(caption.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
  FLayout.setTextOption(option);
  // One line at the top, as a QLabel sets it: its height is the line's ascent plus descent.
  qreal width = 0;
  qreal height = 0;
  FLayout.beginLayout();
  QTextLine line = FLayout.createLine();
  if (line.isValid()) {
    line.setLineWidth(kUnlimitedLineWidth);
    line.setPosition(QPointF(0, 0));
    width = line.naturalTextWidth();
    height = line.height();
  }
  FLayout.endLayout();
  FTextSize = QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)));
}

void TLabel::SetCaption(const QString& text) {
  setText(text);
  const bool plain = IsPlain();
  if (plain) {
    // What adjustSize() does for a plain label, but without a resize to the same size: Qt
    // takes every resize as a change of the opaque areas of the window and works them out
    // again, for every container, at the next paint. The text is laid out once, and the
    // paint reuses that layout.
    ensurePolished();
    const QSize wanted = PlainSizeHint();
    if (wanted.isValid() && wanted != size()) resize(wanted);
  } else {
    adjustSize();
  }
  UpdateBackground(plain);
}

QSize TLabel::PlainSizeHint() const {
  EnsureLayout();
  const QMargins margins = contentsMargins();
  return QSize(FTextSize.width() + margins.left() + margins.right(),
               FTextSize.height() + margins.top() + margins.bottom())
      .expandedTo(minimumSize());
}

QSize TLabel::sizeHint() const { return IsPlain() ? PlainSizeHint() : QLabel::sizeHint(); }

QSize TLabel::minimumSizeHint() const {
  return IsPlain() ? PlainSizeHint() : QLabel::minimumSizeHint();
}

void TLabel::paintEvent(QPaintEvent* event) {
  // An opaque label (see UpdateBackground) fills its background itself, with the painter
  // of its text: Qt's own fill would begin and end a painter of its own for every paint.
  const bool opaque = testAttribute(Qt::WA_OpaquePaintEvent);
  if (!IsPlain()) {
    if (opaque) QPainter(this).fillRect(event->rect(), palette().brush(backgroundRole()));
    QLabel::paintEvent(event);
    return;
  }
  EnsureLayout();
  QPainter painter(this);
  if (opaque) painter.fillRect(event->rect(), palette().brush(backgroundRole()));
  painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
  // Left-aligned and vertically centred in the contents rectangle.
  const QRectF contents(contentsRect());
  const qreal top = contents.y() + (contents.height() - FTextSize.height()) / 2;
  if (FPlain)
    painter.drawGlyphRun(QPointF(contents.x(), top), FGlyphs);
  else
    FLayout.draw(&painter, QPointF(contents.x(), top));
}

void TLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) FLaidOut = false;
  QLabel::changeEvent(event);
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
    UpdateBackground();
  }
}

void TLabel::moveEvent(QMoveEvent* event) {
  QLabel::moveEvent(event);
  UpdateBackground();
}

void TLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  UpdateBackground();
}

void TLabel::showEvent(QShowEvent* event) {
  UpdateBackground();
  QLabel::showEvent(event);
}

// What lies behind the label is the window colour when every container between it and the
// window (or the first container that fills its own background) leaves the label's rectangle
// blank: a group box that knows it paints nothing there, a plain frame or widget whose
// contents rectangle holds it.
bool TLabel::BehindIsWindowColour() const {
  const QBrush& mine = palette().brush(QPalette::Window);
  QRect rect = geometry();
  for (const QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (w->isWindow() || w->autoFillBackground()) {
      return w->palette().brush(w->backgroundRole()) == mine && w->contentsRect().contains(rect);
    }
    if (const auto* box = dynamic_cast<const TGroupBox*>(w)) {
      if (!box->PaintsNothingIn(rect)) return false;
    } else if (typeid(*w) == typeid(QFrame) || typeid(*w) == typeid(QWidget)) {
      if (w->testAttribute(Qt::WA_StyledBackground) || !w->contentsRect().contains(rect)) {
        return false;
      }
    } else {
      return false;
    }
    rect.translate(w->pos());
  }
  return false;
}

void TLabel::UpdateBackground() { UpdateBackground(IsPlain()); }

void TLabel::UpdateBackground(bool plain) {
  const bool fill = plain && backgroundRole() == QPalette::Window && BehindIsWindowColour();
  if (testAttribute(Qt::WA_OpaquePaintEvent) != fill) {
    setAttribute(Qt::WA_OpaquePaintEvent, fill);
    update();
  }
}

}  // namespace orvelan
