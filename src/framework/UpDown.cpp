#include "framework/UpDown.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include <algorithm>
#include <stdexcept>

namespace orvelan {

TArrowButton::TArrowButton(TUDBtnType direction, QWidget* parent)
    : QAbstractButton(parent), FDirection(direction) {
  setFocusPolicy(Qt::NoFocus);
}

void TArrowButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionButton panel;
  panel.initFrom(this);
  panel.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &panel, &painter, this);

  // A solid triangle, centred, in the text colour (grey when disabled).
  const int w = width();
  const int h = height();
  const int half = std::max(1, std::min(w - 4, h - 2) / 2);
  const int cx = w / 2;
  const int cy = h / 2;
  const int shift = isDown() ? 1 : 0;
  QPolygon triangle;
  if (FDirection == TUDBtnType::btNext)
    triangle << QPoint(cx - half, cy + half / 2) << QPoint(cx + half, cy + half / 2)
             << QPoint(cx, cy - half / 2 - 1);
  else
    triangle << QPoint(cx - half, cy - half / 2) << QPoint(cx + half, cy - half / 2)
             << QPoint(cx, cy + half / 2 + 1);
  triangle.translate(shift, shift);
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
  painter.drawPolygon(triangle);
}

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent),
      FUp(new TArrowButton(TUDBtnType::btNext, this)),
      FDown(new TArrowButton(TUDBtnType::btPrev, this)) {
  setFocusPolicy(Qt::TabFocus);
  FRepeat.setSingleShot(true);
  connect(&FRepeat, &QTimer::timeout, this, [this] { RepeatTick(); });
  for (TArrowButton* arrow : {FUp, FDown}) {
    connect(arrow, &QAbstractButton::pressed, this, [this, arrow] { ArrowPressed(arrow); });
    connect(arrow, &QAbstractButton::released, this, [this] { ArrowReleased(); });
  }
  resize(9, 20);
  PlaceArrows();
}

void TUpDown::SetRange(int16_t min, int16_t max, int16_t increment) {
  if (min > max) throw std::invalid_argument("TUpDown: minimum above maximum");
  if (increment < 1) throw std::invalid_argument("TUpDown: step below 1");
  FMin = min;
  FMax = max;
  FIncrement = increment;
  FPosition = std::clamp(FPosition, FMin, FMax);
}

void TUpDown::SetPosition(int16_t position) { FPosition = std::clamp(position, FMin, FMax); }

void TUpDown::SetRepeatTiming(int delayMs, int intervalMs) {
  FRepeatDelay = std::max(0, delayMs);
  FRepeatInterval = std::max(1, intervalMs);
}

bool TUpDown::Step(TUDBtnType button) {
  // Widened to 32 bits so that a step near an end cannot overflow before the clamp.
  const int32_t delta = button == TUDBtnType::btNext ? FIncrement : -FIncrement;
  const int32_t next = std::clamp<int32_t>(int32_t{FPosition} + delta, FMin, FMax);
  if (next == FPosition) return false;
  FPosition = static_cast<int16_t>(next);
  if (FOnClick) FOnClick(button);
  return true;
}

void TUpDown::ArrowPressed(TArrowButton* arrow) {
  FHeld = arrow;
  FRepeat.stop();
  Step(arrow->Direction());
  // The callback may have opened a modal box, which ends the hold (see event()).
  if (FHeld == arrow) FRepeat.start(FRepeatDelay);
}

void TUpDown::ArrowReleased() {
  FHeld = nullptr;
  FRepeat.stop();
}

void TUpDown::RepeatTick() {
  TArrowButton* arrow = FHeld;
  if (arrow == nullptr) return;
  Step(arrow->Direction());
  if (FHeld == arrow) FRepeat.start(FRepeatInterval);
}

bool TUpDown::event(QEvent* event) {
  // A modal window (an error box shown by a handler) takes the mouse away: the held arrow
  // will not see its release, so the hold ends here rather than stepping on behind the box.
  if (event->type() == QEvent::WindowBlocked && FHeld != nullptr) {
    TArrowButton* arrow = FHeld;
    ArrowReleased();
    arrow->setDown(false);
  }
  return QWidget::event(event);
}

void TUpDown::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      Step(TUDBtnType::btNext);
      break;
    case Qt::Key_Down:
      Step(TUDBtnType::btPrev);
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TUpDown::resizeEvent(QResizeEvent*) { PlaceArrows(); }

void TUpDown::PlaceArrows() {
  const int upper = height() / 2;
  FUp->setGeometry(0, 0, width(), upper);
  FDown->setGeometry(0, upper, width(), height() - upper);
}

}  // namespace orvelan
