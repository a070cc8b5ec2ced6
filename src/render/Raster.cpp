#include "render/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

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
// First > Last when there are none. The test depends on |x - cx| only and grows with it, so the
// lit columns form one run, symmetric about cx = width x 0.5 (column x and column width - x lie
// at the same distance). Its right end comes from a square-root estimate, corrected by the
// exact test; the left end is its mirror image.
struct TSpan {
  int First;
  int Last;
};
// floor for the small non-negative-or-slightly-negative values used here.
inline int FloorToInt(double v) {
  const int i = static_cast<int>(v);
  return i > v ? i - 1 : i;
}
TSpan DiscSpan(double cx, double b, int width) {
  if (!(b < kDiscRadiusSquared)) return {0, -1};
  const double r = std::sqrt(kDiscRadiusSquared - b);  // at most 50
  const int right0 = width - width / 2;  // first column at or right of cx
  // Lit columns right0 ... right0 + k - 1 on the right; if right0 is dark, so is every column.
  int k = std::max(0, FloorToInt(cx + r) - right0 + 1);
  while (k > 0 && !InsideDisc(ColumnTerm(right0 + k - 1, cx), b)) --k;
  while (InsideDisc(ColumnTerm(right0 + k, cx), b)) ++k;
  if (k == 0) return {0, -1};
  const int last = right0 + k - 1;
  return {std::max(width - last, 0), std::min(last, width - 1)};
}

// Rows of one colour, three bytes a pixel, to copy runs from: one for each mix of the three
// channels at 0 or 255 (bit 0 red, bit 1 green, bit 2 blue).
const uint8_t* MixRow(int mix, int width) {
  thread_local std::vector<uint8_t> rows[8];
  std::vector<uint8_t>& row = rows[mix];
  const auto size = static_cast<std::size_t>(TRgbImage::kBytesPerPixel * width);
  if (row.size() < size) {
    row.resize(size);
    for (std::size_t i = 0; i < size; i += 3) {
      row[i] = (mix & 4) ? 255 : 0;
      row[i + 1] = (mix & 2) ? 255 : 0;
      row[i + 2] = (mix & 1) ? 255 : 0;
    }
  }
  return row.data();
}

void SetChannel(uint8_t* row, TSpan span, int channel, uint8_t value) {
  for (int x = span.First; x <= span.Last; ++x) row[TRgbImage::kBytesPerPixel * x + channel] = value;
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
      uint8_t* p = row + TRgbImage::kBytesPerPixel * x;
      p[0] = p[1] = p[2] = 0;
      const double a = ColumnTerm(x, cx);
      if (InsideDisc(a, RowTerm(v, redOffset))) p[2] = 255;
      if (InsideDisc(a, v * v)) p[1] = 255;
      if (InsideDisc(a, RowTerm(v, blueOffset))) p[0] = 255;
    }
  }
}

void FillPlanetDiscs(TRgbImage& image, double redOffset, double blueOffset) {
  if (image.Bits() == nullptr) return;  // no pixels: nothing to fill, and no row to touch
  const int width = image.Width();
  const double cx = width * 0.5, cy = image.Height() * 0.5;
  for (int y = 0; y < image.Height(); ++y) {
    uint8_t* row = image.Row(y);
    const double v = y - cy;
    const TSpan spans[3] = {DiscSpan(cx, RowTerm(v, redOffset), width),
                            DiscSpan(cx, v * v, width),
                            DiscSpan(cx, RowTerm(v, blueOffset), width)};
    // The three spans share their middle, so they nest: the row is a run of black, the
    // widest span's colour, ..., the narrowest span's mix of colours, ... and black again.
    int order[3];
    int n = 0;
    for (int c = 0; c < 3; ++c)
      if (spans[c].First <= spans[c].Last) order[n++] = c;
    // Narrowest first. Clipped at the box's edges the spans still nest, but two of them may
    // end on the same column and differ at the other end: order them by length.
    auto length = [&](int i) { return spans[order[i]].Last - spans[order[i]].First; };
    if (n > 1 && length(0) > length(1)) std::swap(order[0], order[1]);
    if (n > 2 && length(1) > length(2)) std::swap(order[1], order[2]);
    if (n > 1 && length(0) > length(1)) std::swap(order[0], order[1]);
    int from = 0, mix = 0;
    auto run = [&](int to) {
      if (to > from) {
        std::memcpy(row + TRgbImage::kBytesPerPixel * from, MixRow(mix, width) + TRgbImage::kBytesPerPixel * from,
                    static_cast<std::size_t>(TRgbImage::kBytesPerPixel * (to - from)));
        from = to;
      }
    };
    for (int i = n - 1; i >= 0; --i) {  // widest first: its left end comes first
      run(spans[order[i]].First);
      mix |= 1 << order[i];
    }
    for (int i = 0; i < n; ++i) {  // narrowest first: its right end comes first
      run(spans[order[i]].Last + 1);
      mix &= ~(1 << order[i]);
    }
    run(width);
  }
}

void FillWedgePerPixel(TRgbImage& image, int prismPosition, double tangent, TPrismType type) {
  const int width = image.Width(), height = image.Height();
  const int p = 2 * prismPosition;
  const int xP = width - p - 10;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image.Row(y);
    for (int x = 0; x < width; ++x) {
      uint8_t* px = row + TRgbImage::kBytesPerPixel * x;
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
  if (image.Bits() == nullptr) return;  // no pixels: nothing to fill, and no row to touch
  const int width = image.Width(), height = image.Height();
  const int p = 2 * prismPosition;
  const int xP = width - p - 10;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image.Row(y);
    std::memset(row, 255, static_cast<std::size_t>(TRgbImage::kBytesPerPixel * width));
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
