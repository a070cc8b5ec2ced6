// The drawing surface of a picture box: a pixel buffer of fixed size with a pen, a brush and a
// font, and exact integer drawing rules. Needs no widgets; text needs a QGuiApplication.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>

#include "framework/Color.h"
#include "framework/RgbImage.h"

namespace orvelan {

enum class TPenStyle { Solid, DashDot };

// One pixel wide. DashDot repeats 9 pixels on, 6 off, 3 on, 6 off, starting afresh with each
// line; the off pixels are painted in the brush colour.
struct TPen {
  TColor Color = clBlack;
  TPenStyle Style = TPenStyle::Solid;
};

// Always solid.
struct TBrush {
  TColor Color = clWhite;
};

// The face is fixed for every surface (IPAPGothic, else DejaVu Sans, through fontconfig).
// A size of S points is drawn round(S x 96 / 72) pixels high whatever the screen: 10 -> 13.
struct TFont {
  int Size = 10;  // points, 1 ... 200
  TColor Color = clBlack;
};

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

class TCanvas {
 public:
  // A new surface is white, with a black solid pen, a white brush and a black 10-point font.
  // Throws std::invalid_argument for a negative side or one above TRgbImage::kMaxSide.
  TCanvas(int width, int height);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  int Width() const { return pixels_.Width(); }
  int Height() const { return pixels_.Height(); }

  // Read access to the pixels (B, G, R; rows from the top; see TRgbImage::Stride()).
  // The buffer stays at the same address for the surface's whole life.
  const TRgbImage& Pixels() const { return pixels_; }
  TColor Pixel(int x, int y) const { return pixels_.Pixel(x, y); }

  // Goes up by one after every drawing operation that may have changed pixels.
  uint64_t ChangeCount() const { return changeCount_; }
  // Called after every such operation (after ChangeCount() went up). Pass {} to remove.
  void SetChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }

  TPen Pen;
  TBrush Brush;
  TFont Font;

  // Sets the current point.
  void MoveTo(int x, int y);
  // Draws with the pen from the current point to (x, y), leaving out (x, y) itself, and makes
  // (x, y) the current point. With n = max(|dx|, |dy|) the line has n pixels; pixel i
  // (0 ... n - 1) lies i steps along the longer axis and round-half-up(i x shorter / longer)
  // steps along the shorter one, so a line and its mirror images in all eight directions
  // have the same shape.
  void LineTo(int x, int y);
  TPoint PenPos() const { return penPos_; }

  // Fills columns left ... right - 1 and rows top ... bottom - 1 with the brush. A rectangle
  // turned over on an axis covers the half-open span the other way round: with bottom < top
  // it fills rows bottom + 1 ... top; with right < left, columns right + 1 ... left.
  // Equal edges fill nothing.
  void FillRect(int left, int top, int right, int bottom);

  // Size of the text cell of `text` (UTF-8) in the current font: the advance width and the
  // font's line height.
  TSize TextExtent(std::string_view text) const;
  // Paints the text cell with its top left corner at (x, y) in the brush colour, then the
  // glyphs in the font colour (no anti-aliasing: every pixel is either colour).
  // The current point does not move. Throws std::logic_error if no QGuiApplication exists.
  void TextOut(int x, int y, std::string_view text);

  // Copies `image` with its top left corner at (x, y), replacing the pixels it covers.
  void Draw(int x, int y, const TRgbImage& image);

  // Everything is clipped to the surface; coordinates far outside cost nothing extra.

 private:
  void Changed();
  void PutPixel(int x, int y, TColor color);
  void FillPixels(int left, int top, int right, int bottom);

  TRgbImage pixels_;
  TPoint penPos_;
  uint64_t changeCount_ = 0;
  std::function<void()> onChange_;
};

}  // namespace orvelan
