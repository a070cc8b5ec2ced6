// The group box of the window: a grooved frame (a dark line outside a light one at the top
// and left, the other way round at the bottom and right) with the caption standing over its
// top line, as a classic desktop draws it.
#pragma once

#include <QFont>
#include <QGroupBox>
#include <QRect>
#include <QString>

namespace orvelan {

// Draws its own frame and caption with a few fills and one text, so that no style sheet is
// needed: a style sheet would slow the polish and paint of every control inside the box.
// Its children lie inside the frame; controls placed 16 pixels below its top edge clear the
// caption.
class TGroupBox : public QGroupBox {
 public:
  explicit TGroupBox(const QString& title, QWidget* parent = nullptr);

  // Top of the frame's outer line, in pixels from the box's top edge: the caption's middle.
  static constexpr int kFrameTop = 6;

  // Whether the box's own paint leaves the rectangle (in the box's coordinates) untouched.
  bool PaintsNothingIn(const QRect& rect) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect CaptionRect() const;     // the caption's cell, painted in the window colour
  bool TouchesFrame(const QRect& rect) const;  // whether `rect` meets the frame's two lines

  mutable QRect FCaption;  // CaptionRect() for FCaptionTitle in FCaptionFont
  mutable QString FCaptionTitle;
  mutable QFont FCaptionFont;
};

}  // namespace orvelan
