// The picture box: a widget that owns one drawing surface of exactly its size and shows it.
#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

#include "framework/Canvas.h"

namespace orvelan {

// Shows its surface unscaled at its place: one surface pixel per logical pixel. On a screen
// with a device pixel ratio of 2 or more every surface pixel becomes a block of
// floor(ratio) x floor(ratio) device pixels (nearest neighbour, never smoothed). The box
// repaints after every drawing operation on its surface. Its size is fixed at construction.
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
  void paintEvent(QPaintEvent* event) override;

 private:
  // The surface in the screen's native 32-bit format, brought up to date when painted after
  // a change. Qt would otherwise convert the 24-bit buffer on every paint, on a thread pool.
  const QImage& DisplayImage();

  std::unique_ptr<TCanvas> FCanvas;
  QImage FDisplay;
  uint64_t FDisplayedChange = ~uint64_t{0};
};

}  // namespace orvelan
