// The spin button: an up and a down arrow that step a signed 16-bit position between a
// minimum and a maximum, with a fixed step, no wrap-around and no acceleration.
#pragma once

#include <QAbstractButton>
#include <QStyleOptionButton>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>

namespace orvelan {

// Which arrow stepped the position.
enum class TUDBtnType { btNext, btPrev };  // btNext: up arrow, larger position

// One arrow of a spin button: a small bevelled button with a triangle, never focused.
//
// The left mouse button presses it: pressed() on the press, released() when the button comes
// up or the pointer leaves the arrow, pressed() again when it comes back while still held.
// Unlike other buttons it does not repaint at once on a press or a release: the new look is
// painted with everything that the step changed, in one pass of the event loop.
class TArrowButton : public QAbstractButton {
 public:
  TArrowButton(TUDBtnType direction, QWidget* parent);
  TUDBtnType Direction() const { return FDirection; }

 protected:
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Moves the arrow down or up and says so; nothing when it is there already.
  void Press(bool down);
  // Paints the whole face (background, bevel, triangle) in the look that `panel` describes.
  void DrawFace(QPainter& painter, const QStyleOptionButton& panel) const;

  TUDBtnType FDirection;
  bool FTracking = false;  // the left button went down on this arrow and is still down
};

// A vertical spin button, 9 x 20 pixels by default: the upper arrow increases the position.
//
// A press on an arrow steps once at once; while the arrow stays down it steps again after
// the repeat delay and then every repeat interval, always by Increment. A step that would
// pass an end stops at that end. OnClick runs once after every step that changed the
// position and never when the position stays where it was. Setting the position by program
// runs no callback. With keyboard focus, the Up and Down keys step like the arrows.
//
// The mouse wheel steps like the arrows too, once per notch (an angle of 120 eighths of a
// degree): up for a turn away from the user. Partial turns from high-resolution wheels and
// touchpads add up until a whole notch is reached; turning back drops what had built up the
// other way. Several notches in one event give as many steps, each with its callback.
//
// For assistive technology the spin button is a spin box whose value is the position, with
// increase and decrease actions that step like the arrows.
class TUpDown : public QWidget {
 public:
  using TClickHandler = std::function<void(TUDBtnType button)>;

  explicit TUpDown(QWidget* parent = nullptr);

  int16_t Min() const { return FMin; }
  int16_t Max() const { return FMax; }
  int16_t Increment() const { return FIncrement; }
  int16_t Position() const { return FPosition; }

  // Sets the range and the step; the position is clamped into the new range. Throws
  // std::invalid_argument for min > max or a step below 1.
  void SetRange(int16_t min, int16_t max, int16_t increment);
  // Sets the position by program, clamped to the range; runs no callback.
  void SetPosition(int16_t position);

  void SetOnClick(TClickHandler handler) { FOnClick = std::move(handler); }

  // Auto-repeat timing while an arrow is held, in milliseconds.
  void SetRepeatTiming(int delayMs, int intervalMs);
  int RepeatDelay() const { return FRepeatDelay; }
  int RepeatInterval() const { return FRepeatInterval; }

  TArrowButton* UpButton() const { return FUp; }
  TArrowButton* DownButton() const { return FDown; }

  // One step as an arrow click makes it; returns whether the position changed.
  bool Step(TUDBtnType button);

  // One notch of the mouse wheel, as QWheelEvent::angleDelta() measures it.
  static constexpr int kWheelNotch = 120;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void PlaceArrows();  // upper half: up arrow; lower half: down arrow
  void ArrowPressed(TArrowButton* arrow);
  void ArrowReleased();
  void RepeatTick();

  TArrowButton* FUp;
  TArrowButton* FDown;
  TArrowButton* FHeld = nullptr;
  QTimer FRepeat;
  int FRepeatDelay = 400;
  int FRepeatInterval = 100;
  int16_t FMin = 0;
  int16_t FMax = 100;
  int16_t FIncrement = 1;
  int16_t FPosition = 0;
  int FWheelRemainder = 0;  // wheel turn not yet stepped, less than a notch either way
  TClickHandler FOnClick;
};

}  // namespace orvelan
