// The group box: a QGroupBox that skips paints which cannot change a pixel of it.
#pragma once

#include <QGroupBox>
#include <QRegion>
#include <QString>

namespace orvelan {

// Its children lie inside its frame, and each repaint of a child that is not opaque (a text
// box, an arrow button) makes Qt repaint the box behind it, which draws the frame and shapes
// the title again, only to have them clipped away. This box knows which of its pixels its
// own paint touches (found by painting it off-screen after its first paint, and again after
// a change of size, title, font, palette, style or state) and passes on only the repaints that reach them: the
// pixels are those of a QGroupBox in every case. A checkable box (whose look follows the
// mouse) always paints.
class TGroupBox : public QGroupBox {
 public:
  explicit TGroupBox(const QString& title, QWidget* parent = nullptr);

  // Whether the box's own paint leaves the rectangle (in the box's coordinates) untouched, as
  // far as it is known: false until the box has been painted once after its latest change.
  bool PaintsNothingIn(const QRect& rect) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void customEvent(QEvent* event) override;

 private:
  // Finds the pixels that the box's own paint (without its children) sets, widened by one
  // pixel all round for the smoothing of a scaled screen.
  void MeasurePaintedRegion();

  QRegion FPainted;
  QString FPaintedTitle;
  bool FPaintedValid = false;
  bool FMeasuring = false;
  bool FMeasureQueued = false;
};

}  // namespace orvelan
