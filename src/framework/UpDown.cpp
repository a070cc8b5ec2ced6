#include "framework/UpDown.h"

#include "framework/CachedLook.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QWheelEvent>

#include <algorithm>
#include <stdexcept>

namespace orvelan {

namespace {

// What assistive technology sees of a spin button: a spin box whose value is the position,
// with the range and the step, and increase / decrease actions that step like the arrows
// (callback included).
class TUpDownAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit TUpDownAccessible(TUpDown* spin) : QAccessibleWidget(spin, QAccessible::SpinBox) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text type) const override {
    if (type == QAccessible::Value) return QString::number(Spin()->Position());
    return QAccessibleWidget::text(type);
  }

  QVariant currentValue() const override { return int{Spin()->Position()}; }
  QVariant maximumValue() const override { return int{Spin()->Max()}; }
  QVariant minimumValue() const override { return int{Spin()->Min()}; }
  QVariant minimumStepSize() const override { return int{Spin()->Increment()}; }

  // Steps towards the value as a held arrow would, one callback per step, and stops on the
  // last position that does not pass it.
  void setCurrentValue(const QVariant& value) override {
    const int target = value.toInt();
    for (;;) {
      const int position = Spin()->Position();
      if (position == target) return;
      const TUDBtnType button = target > position ? TUDBtnType::btNext : TUDBtnType::btPrev;
      const int next = position + (button == TUDBtnType::btNext ? 1 : -1) * Spin()->Increment();
      if (button == TUDBtnType::btNext ? next > target : next < target) return;
      if (!Spin()->Step(button)) return;
    }
  }

  QStringList actionNames() const override {
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == increaseAction())
      Spin()->Step(TUDBtnType::btNext);
    else if (name == decreaseAction())
      Spin()->Step(TUDBtnType::btPrev);
    else
      QAccessibleWidget::doAction(name);
  }

 private:
  TUpDown* Spin() const { return static_cast<TUpDown*>(widget()); }
};

// TUpDown has no meta-object of its own, so the factory recognises it by its C++ type.
QAccessibleInterface* AccessibleUpDown(const QString&, QObject* object) {
  if (auto* spin = dynamic_cast<TUpDown*>(object)) return new TUpDownAccessible(spin);
  return nullptr;
}

}  // namespace

TArrowButton::TArrowButton(TUDBtnType direction, QWidget* parent)
    : QAbstractButton(parent), FDirection(direction) {
  setFocusPolicy(Qt::NoFocus);
  // It paints every pixel of itself (see paintEvent), so a repaint of the arrow alone does
  // not repaint the containers behind it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName(direction == TUDBtnType::btNext ? QStringLiteral("step up")
                                                    : QStringLiteral("step down"));
}

void TArrowButton::Press(bool down) {
  if (isDown() == down) return;
  setDown(down);  // schedules the repaint
  if (down)
    emit pressed();
  else
    emit released();
}

bool TArrowButton::event(QEvent* event) {
  // A modal window (an error box shown by a handler) takes the mouse away: no release will
  // come, so the press ends here, and a held spin stops stepping behind the box.
  if (event->type() == QEvent::WindowBlocked && FTracking) {
    FTracking = false;
    Press(false);
  }
  const bool handled = QAbstractButton::event(event);
  // The style's polish clears the attribute on buttons; the paint covers every pixel all the
  // same (see paintEvent).
  if (event->type() == QEvent::Polish) setAttribute(Qt::WA_OpaquePaintEvent);
  return handled;
}

void TArrowButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !hitButton(event->position().toPoint())) {
    event->ignore();
    return;
  }
  event->accept();
  FTracking = true;
  Press(true);
}

void TArrowButton::mouseMoveEvent(QMouseEvent* event) {
  if (!FTracking) {
    event->ignore();
    return;
  }
  event->accept();
  Press(hitButton(event->position().toPoint()));
}

void TArrowButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !FTracking) {
    event->ignore();
    return;
  }
  event->accept();
  FTracking = false;
  Press(false);
}

void TArrowButton::DrawFace(QPainter& painter, const QStyleOptionButton& panel) const {
  // The window colour first, which is what lies behind a spin button in a plain container,
  // for a style whose bevel leaves its corners open.
  painter.fillRect(panel.rect, panel.palette.window());
  style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &panel, &painter, this);

  // A solid triangle, centred, in the text colour (grey when disabled).
  const bool down = (panel.state & QStyle::State_Sunken) != 0;
  const bool enabled = (panel.state & QStyle::State_Enabled) != 0;
  const int w = panel.rect.width();
  const int h = panel.rect.height();
  const int half = std::max(1, std::min(w - 4, h - 2) / 2);
  const int cx = w / 2;
  const int cy = h / 2;
  const int shift = down ? 1 : 0;
  QPolygon triangle;
  if (FDirection == TUDBtnType::btNext)
    triangle << QPoint(cx - half, cy + half / 2) << QPoint(cx + half, cy + half / 2)
             << QPoint(cx, cy - half / 2 - 1);
  else
    triangle << QPoint(cx - half, cy - half / 2) << QPoint(cx + half, cy - half / 2)
             << QPoint(cx, cy + half / 2 + 1);
  triangle.translate(shift, shift);
  painter.setPen(Qt::NoPen);
  painter.setBrush(panel.palette.color(enabled ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
  painter.drawPolygon(triangle);
}

void TArrowButton::paintEvent(QPaintEvent*) {
  QStyleOptionButton panel;
  panel.initFrom(this);
  panel.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  // An arrow has few looks (up or down, enabled or not, hovered or not), and each is drawn
  // the same every time: drawn once into a pixmap, kept in the application's pixmap cache
  // for every arrow of that look, and copied on later paints. Every pixel of the face is
  // painted, so the copy is exactly the drawing.
  const QPixmap face = CachedLook(
      "orvelan-arrow",
      {static_cast<int>(FDirection), width(), height(), static_cast<int>(panel.state),
       palette().cacheKey(), static_cast<long long>(reinterpret_cast<quintptr>(style()))},
      size(), devicePixelRatioF(), [&](QPainter& painter) { DrawFace(painter, panel); });
  QPainter(this).drawPixmap(0, 0, face);
}

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent),
      FUp(new TArrowButton(TUDBtnType::btNext, this)),
      FDown(new TArrowButton(TUDBtnType::btPrev, this)) {
  static const bool accessibleFactoryInstalled =
      (QAccessible::installFactory(&AccessibleUpDown), true);
  (void)accessibleFactoryInstalled;
  setFocusPolicy(Qt::TabFocus);
  FRepeat.setSingleShot(true);
  connect(&FRepeat, &QTimer::timeout, this, [this] { RepeatTick(); });
  for (TArrowButton* arrow : {FUp, FDown}) {
    connect(arrow, &QAbstractButton::pressed, this, [this, arrow] { ArrowPressed(arrow); });
    connect(arrow, &QAbstractButton::released, this, [this] { ArrowReleased(); });
    arrow->installEventFilter(this);
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
  QAccessibleValueChangeEvent changed(this, int{FPosition});
  QAccessible::updateAccessibility(&changed);
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

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
  // The two arrows cover the whole spin button, so a wheel turn lands on one of them; it is
  // handled here rather than left to propagate (which Qt does only for events from the window
  // system). A turn the spin does not take goes on as usual.
  if (event->type() == QEvent::Wheel && (watched == FUp || watched == FDown)) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    wheelEvent(wheel);
    return wheel->isAccepted();
  }
  return QWidget::eventFilter(watched, event);
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

void TUpDown::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) {  // a sideways turn is not ours
    event->ignore();
    return;
  }
  event->accept();
  // A turn back drops the part notch that had built up the other way.
  if ((delta > 0) != (FWheelRemainder > 0) && FWheelRemainder != 0) FWheelRemainder = 0;
  // Widened so that a huge delta cannot overflow; whole notches step, the rest waits.
  const long long total = static_cast<long long>(FWheelRemainder) + delta;
  long long notches = total / kWheelNotch;  // truncates toward zero
  FWheelRemainder = static_cast<int>(total - notches * kWheelNotch);
  const TUDBtnType button = notches > 0 ? TUDBtnType::btNext : TUDBtnType::btPrev;
  // At an end the remaining notches change nothing and run no callback.
  for (notches = notches < 0 ? -notches : notches; notches > 0; --notches)
    if (!Step(button)) break;
}

void TUpDown::resizeEvent(QResizeEvent*) { PlaceArrows(); }

void TUpDown::PlaceArrows() {
  const int upper = height() / 2;
  FUp->setGeometry(0, 0, width(), upper);
  FDown->setGeometry(0, upper, width(), height() - upper);
}

}  // namespace orvelan
