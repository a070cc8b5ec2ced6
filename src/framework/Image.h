// The picture box: a widget that owns one drawing surface of exactly its size and shows it.
#pragma once

#include <QWidget>

#include <memory>

#include "framework/Canvas.h"
#include "framework/DisplayCopy.h"

namespace orvelan {

// Shows its surface unscaled at its place: one surface pixel per logical pixel. On a screen
// with a device pixel ratio of 2 or more every surface pixel becomes a block of
// floor(ratio) x floor(ratio) device pixels (nearest neighbour, never smoothed). The box
// repaints after drawing on its surface: once the drawing code has returned to the event
// loop, it repaints the rectangle around the tiles whose pixels came out different, and
// nothing when none did.
// Its size is fixed at construction.
class TImage : public QWidget {
 public:
  // Throws std::invalid_argument for a size the drawing surface does not accept.
  TImage(int width, int height, QWidget* parent = nullptr);
  ~TImage() override;

  TCanvas& Canvas() { return *FCanvas; }
  const TCanvas& Canvas() const { return *FCanvas; }

  // Whole-number scale at which the surface is painted on the current screen.
  int PixelScale() const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // A drawing operation changed the surface: the screen copy catches up in the event loop,
  // after the rest of the drawing, rather than after every line.
  void CanvasChanged();
  // Brings the screen copy up to date and repaints where it changed.
  void Present();

  std::unique_ptr<TCanvas> FCanvas;
  // The surface in the screen's native 32-bit format. Qt would otherwise convert the
  // 24-bit buffer on every paint, on a thread pool.
  TDisplayCopy FDisplay;
  uint64_t FDisplayedChange = ~uint64_t{0};
  bool FPresentPosted = false;
};

}  // namespace orvelan
