#include "render/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orvelan {

namespace {

constexpr double kDiscRadiusSquared = 2500.0;  // discs of radius 50 pixels

// The one disc test both forms share: squared column distance a plus squared row distance b,
// strictly below 2500.
inline bool InsideDisc(double a, double b) { return a + b < kDiscRadiusSquared; }
inline double ColumnTerm(int x, double cx) {
  const double d = x - cx;
  return d * d;
}
inline double RowTerm(double v, double offset) {
  const double d = v + offset;
  return d * d;
}

// Columns x of a row with InsideDisc(ColumnTerm(x, cx), b), clipped to 0 ... width - 1;
// first > last when there are none. The test depends on |x - cx| only and grows with it, so the
// lit columns form one run about cx: an estimate from the square root is corrected by the exact
// test on both ends.
struct TSpan {
  int First;
  int Last;
};
TSpan DiscSpan(double cx, double b, int width) {
  if (!(b < kDiscRadiusSquared)) return {0, -1};
  const double r = std::sqrt(kDiscRadiusSquared - b);  // at most 50
  const int right0 = static_cast<int>(std::ceil(cx));   // first column at or right of cx
  const int left0 = right0 - 1;                          // first column left of cx
  // Lit columns right0 ... right0 + kRight - 1 and left0 - kLeft + 1 ... left0.
  int kRight = std::max(0, static_cast<int>(std::floor(cx + r)) - right0 + 1);
  while (kRight > 0 && !InsideDisc(ColumnTerm(right0 + kRight - 1, cx), b)) --kRight;
  while (InsideDisc(ColumnTerm(right0 + kRight, cx), b)) ++kRight;
  int kLeft = std::max(0, left0 - static_cast<int>(std::ceil(cx - r)) + 1);
  while (kLeft > 0 && !InsideDisc(ColumnTerm(left0 - kLeft + 1, cx), b)) --kLeft;
  while (InsideDisc(ColumnTerm(left0 - kLeft, cx), b)) ++kLeft;
  int first = kLeft > 0 ? left0 - kLeft + 1 : right0;
  int last = kRight > 0 ? right0 + kRight - 1 : left0;
  if (kLeft == 0 && kRight == 0) return {0, -1};
  return {std::max(first, 0), std::min(last, width - 1)};
}

void SetChannel(uint8_t* row, TSpan span, int channel, uint8_t value) {
  for (int x = span.First; x <= span.Last; ++x) row[3 * x + channel] = value;
}

// Prism rows: H div 5 < y < (4 x H) div 5.
inline bool IsPrismRow(int y, int height) { return height / 5 < y && y < (4 * height) / 5; }
// xP + e(y): the column of the wedge's sloped face on row y, as a real number.
inline double FaceColumn(int xP, double tangent, int height, int y) {
  return xP + tangent * (height * 0.5 - y);
}
// The smallest whole column not left of `face`, kept within -1 ... width + 1.
int FirstColumnAtOrRightOf(double face, int width) {
  const double c = std::ceil(face);
  if (!(c > -1.0)) return -1;  // also NaN
  if (c > width + 1.0) return width + 1;
  return static_cast<int>(c);
}

}  // namespace

void FillPlanetDiscsPerPixel(TRgbImage& image, double redOffset, double blueOffset) {
  const double cx = image.Width() * 0.5, cy = image.Height() * 0.5;
  for (int y = 0; y < image.Height(); ++y) {
    uint8_t* row = image.Row(y);
    const double v = y - cy;
    for (int x = 0; x < image.Width(); ++x) {
      uint8_t* p = row + 3 * x;
      p[0] = p[1] = p[2] = 0;
      const double a = ColumnTerm(x, cx);
      if (InsideDisc(a, RowTerm(v, redOffset))) p[2] = 255;
      if (InsideDisc(a, v * v)) p[1] = 255;
      if (InsideDisc(a, RowTerm(v, blueOffset))) p[0] = 255;
    }
  }
}

void FillPlanetDiscs(TRgbImage& image, double redOffset, double blueOffset) {
  const int width = image.Width();
  const double cx = width * 0.5, cy = image.Height() * 0.5;
  for (int y = 0; y < image.Height(); ++y) {
    uint8_t* row = image.Row(y);
    std::memset(row, 0, static_cast<std::size_t>(3 * width));
    const double v = y - cy;
    SetChannel(row, DiscSpan(cx, RowTerm(v, redOffset), width), 2, 255);
    SetChannel(row, DiscSpan(cx, v * v, width), 1, 255);
    SetChannel(row, DiscSpan(cx, RowTerm(v, blueOffset), width), 0, 255);
  }
}

void FillWedgePerPixel(TRgbImage& image, int prismPosition, double tangent, TPrismType type) {
  const int width = image.Width(), height = image.Height();
  const int p = 2 * prismPosition;
  const int xP = width - p - 10;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image.Row(y);
    for (int x = 0; x < width; ++x) {
      uint8_t* px = row + 3 * x;
      px[0] = px[1] = px[2] = 255;
      const bool prismRow = IsPrismRow(y, height);
      const double face = FaceColumn(xP, tangent, height, y);
      if (type == TPrismType::Single) {
        if (x > width - p - 20 && prismRow && x < face) px[2] = 0;
      } else {
        if (x > width - p - 20 && prismRow && x < face) px[2] = 150;
        if (x < width - p && prismRow && x >= face) px[2] = 0;
      }
    }
  }
}

void FillWedge(TRgbImage& image, int prismPosition, double tangent, TPrismType type) {
  const int width = image.Width(), height = image.Height();
  const int p = 2 * prismPosition;
  const int xP = width - p - 10;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image.Row(y);
    std::memset(row, 255, static_cast<std::size_t>(3 * width));
    if (!IsPrismRow(y, height)) continue;
    const int faceColumn = FirstColumnAtOrRightOf(FaceColumn(xP, tangent, height, y), width);
    // Left part: W - p - 19 ... face - 1.
    const TSpan left{std::max(width - p - 19, 0), std::min(faceColumn - 1, width - 1)};
    SetChannel(row, left, 2, type == TPrismType::Single ? 0 : 150);
    if (type != TPrismType::Single) {
      // Right part of the hybrid wedge: face ... W - p - 1.
      SetChannel(row, {std::max(faceColumn, 0), std::min(width - p - 1, width - 1)}, 2, 0);
    }
  }
}

double WedgeTangent(int prismAngle) {
  const double pi = 4 * std::atan(1.0);
  const double angle = prismAngle / 10.0 * pi * (1.0 / 180);
  return std::tan(angle);
}

}  // namespace orvelan
