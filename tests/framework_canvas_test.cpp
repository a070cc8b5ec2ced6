#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

#include "framework/Canvas.h"
#include "framework/RgbImage.h"

namespace orvelan {
namespace {

constexpr TColor kGrey = 0x808080;
constexpr TColor kYellow = 0x00FFFF;

using TPixelSet = std::set<std::pair<int, int>>;

// Pixels of `box` that differ from `ground`.
TPixelSet PixelsNot(const TCanvas& box, TColor ground) {
  TPixelSet set;
  for (int y = 0; y < box.Height(); ++y)
    for (int x = 0; x < box.Width(); ++x)
      if (box.Pixel(x, y) != ground) set.insert({x, y});
  return set;
}

TEST(RgbImage, StoresBlueGreenRedRowByRow) {
  TRgbImage image(3, 2);
  EXPECT_EQ(image.Stride() % 4, 0);
  EXPECT_GE(image.Stride(), 9);
  image.SetPixel(2, 1, RgbColor(0x11, 0x22, 0x33));  // red 0x11, green 0x22, blue 0x33
  const uint8_t* p = image.Row(1) + 6;
  EXPECT_EQ(p[0], 0x33);
  EXPECT_EQ(p[1], 0x22);
  EXPECT_EQ(p[2], 0x11);
  EXPECT_EQ(image.Pixel(2, 1), 0x332211u);
  EXPECT_EQ(image.Pixel(1, 1), clBlack);
  EXPECT_EQ(image.Pixel(2, 0), clBlack);
  EXPECT_THROW(image.Pixel(3, 0), std::out_of_range);
  EXPECT_THROW(image.SetPixel(0, -1, clWhite), std::out_of_range);
}

TEST(RgbImage, RejectsBadSizes) {
  EXPECT_THROW(TRgbImage(-1, 5), std::invalid_argument);
  EXPECT_THROW(TRgbImage(5, TRgbImage::kMaxSide + 1), std::invalid_argument);
  const TRgbImage empty(0, 0);
  EXPECT_EQ(empty.Bits(), nullptr);
}

TEST(Canvas, NewSurfaceIsWhiteWithBlackSolidPenAndWhiteBrush) {
  TCanvas box(7, 4);
  EXPECT_EQ(box.Width(), 7);
  EXPECT_EQ(box.Height(), 4);
  EXPECT_TRUE(PixelsNot(box, clWhite).empty());
  EXPECT_EQ(box.Pen.Color, clBlack);
  EXPECT_EQ(box.Pen.Style, TPenStyle::Solid);
  EXPECT_EQ(box.Brush.Color, clWhite);
  EXPECT_THROW(TCanvas(-2, 3), std::invalid_argument);
}

// ---- lines ----------------------------------------------------------------------------------

struct TLineCase {
  int Dx, Dy;
};

void PrintTo(const TLineCase& c, std::ostream* os) { *os << "(" << c.Dx << ", " << c.Dy << ")"; }

class CanvasLine : public testing::TestWithParam<TLineCase> {};

// From (10, 10), in every direction: the start is drawn, the end is not, and the line has
// max(|dx|, |dy|) pixels, each one step further along the longer axis.
TEST_P(CanvasLine, LeavesOutTheEndPoint) {
  const auto [dx, dy] = GetParam();
  TCanvas box(21, 21);
  box.MoveTo(10, 10);
  box.LineTo(10 + dx, 10 + dy);
  EXPECT_EQ(box.PenPos(), (TPoint{10 + dx, 10 + dy}));
  const TPixelSet drawn = PixelsNot(box, clWhite);
  EXPECT_EQ(drawn.size(), static_cast<size_t>(std::max(std::abs(dx), std::abs(dy))));
  EXPECT_TRUE(drawn.count({10, 10}));
  EXPECT_FALSE(drawn.count({10 + dx, 10 + dy}));
  for (const auto& [x, y] : drawn) EXPECT_EQ(box.Pixel(x, y), clBlack);
}

INSTANTIATE_TEST_SUITE_P(EightDirections, CanvasLine,
                         testing::Values(TLineCase{7, 0}, TLineCase{7, 7}, TLineCase{0, 7},
                                         TLineCase{-7, 7}, TLineCase{-7, 0}, TLineCase{-7, -7},
                                         TLineCase{0, -7}, TLineCase{7, -7}, TLineCase{7, 3},
                                         TLineCase{-3, -7}, TLineCase{1, 0}, TLineCase{0, -1}));

TEST(Canvas, SlopedLineRoundsHalfUpAlongTheShorterAxis) {
  TCanvas box(8, 8);
  box.MoveTo(0, 0);
  box.LineTo(5, 2);  // shorter-axis steps: 0, 0.4, 0.8, 1.2, 1.6 rounded
  EXPECT_EQ(PixelsNot(box, clWhite), (TPixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
  TCanvas half(8, 8);
  half.MoveTo(0, 0);
  half.LineTo(4, 2);  // 0, 0.5, 1, 1.5: halves go up
  EXPECT_EQ(PixelsNot(half, clWhite), (TPixelSet{{0, 0}, {1, 1}, {2, 1}, {3, 2}}));
}

// The same line turned into all eight directions gives the mirror images of one shape.
TEST(Canvas, LineShapeIsTheSameInAllEightDirections) {
  for (const auto& [dx, dy] : std::vector<std::pair<int, int>>{{9, 4}, {4, 9}, {11, 5}, {6, 1}}) {
    TPixelSet reference;
    {
      TCanvas box(31, 31);
      box.MoveTo(15, 15);
      box.LineTo(15 + dx, 15 + dy);
      for (const auto& [x, y] : PixelsNot(box, clWhite)) reference.insert({x - 15, y - 15});
    }
    for (int sx : {1, -1})
      for (int sy : {1, -1})
        for (bool swap : {false, true}) {
          TCanvas box(31, 31);
          const int ex = swap ? sy * dy : sx * dx, ey = swap ? sx * dx : sy * dy;
          box.MoveTo(15, 15);
          box.LineTo(15 + ex, 15 + ey);
          TPixelSet mirrored;
          for (const auto& [x, y] : PixelsNot(box, clWhite)) {
            const int u = x - 15, v = y - 15;
            mirrored.insert(swap ? std::make_pair(sx * v, sy * u) : std::make_pair(sx * u, sy * v));
          }
          EXPECT_EQ(mirrored, reference) << dx << "," << dy << " sx " << sx << " sy " << sy
                                         << " swap " << swap;
        }
  }
}

TEST(Canvas, DashDotLinePaintsItsGapsInTheBrushColour) {
  TCanvas box(64, 3);
  box.Pen = {clRed, TPenStyle::DashDot};
  box.Brush.Color = clBlue;
  box.MoveTo(0, 1);
  box.LineTo(50, 1);
  for (int x = 0; x < 64; ++x) {
    const int r = x % 24;
    const TColor expected = x >= 50 ? clWhite : (r < 9 || (r >= 15 && r < 18)) ? clRed : clBlue;
    EXPECT_EQ(box.Pixel(x, 1), expected) << "column " << x;
  }
  // The pattern starts afresh with the next line, here going back to the left on row 2.
  box.MoveTo(40, 2);
  box.LineTo(20, 2);
  for (int x = 40; x > 20; --x) {
    const int r = (40 - x) % 24;
    EXPECT_EQ(box.Pixel(x, 2), (r < 9 || (r >= 15 && r < 18)) ? clRed : clBlue) << x;
  }
  EXPECT_EQ(box.Pixel(20, 2), clWhite);
}

// ---- fills ----------------------------------------------------------------------------------

struct TFillCase {
  int Left, Top, Right, Bottom;
  int FirstX, LastX, FirstY, LastY;  // expected filled block; FirstX > LastX for none
};

void PrintTo(const TFillCase& c, std::ostream* os) {
  *os << "FillRect(" << c.Left << ", " << c.Top << ", " << c.Right << ", " << c.Bottom << ")";
}

class CanvasFill : public testing::TestWithParam<TFillCase> {};

TEST_P(CanvasFill, CoversTheHalfOpenSpanEitherWayUp) {
  const TFillCase c = GetParam();
  TCanvas box(12, 12);
  box.Brush.Color = clRed;
  box.FillRect(c.Left, c.Top, c.Right, c.Bottom);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= c.FirstX && x <= c.LastX && y >= c.FirstY && y <= c.LastY;
      ASSERT_EQ(box.Pixel(x, y), inside ? clRed : clWhite) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CanvasFill,
    testing::Values(TFillCase{2, 3, 5, 7, 2, 4, 3, 6},       // right and bottom excluded
                    TFillCase{2, 8, 5, 4, 2, 4, 5, 8},       // bottom above top: rows 5 ... 8
                    TFillCase{2, 6, 5, 5, 2, 4, 6, 6},       // one row above: row 6 alone
                    TFillCase{5, 3, 2, 7, 3, 5, 3, 6},       // right left of left: columns 3 ... 5
                    TFillCase{2, 6, 5, 6, 0, -1, 0, -1},     // equal edges: nothing
                    TFillCase{-5, -5, 3, 3, 0, 2, 0, 2},     // clipped at the top left
                    TFillCase{9, 9, 40, 40, 9, 11, 9, 11},   // clipped at the bottom right
                    TFillCase{4, 5, 6, -30, 4, 5, 0, 5},     // turned over, clipped at the top
                    TFillCase{INT_MIN, 2, INT_MAX, 3, 0, 11, 2, 2},
                    TFillCase{20, 2, 30, 3, 0, -1, 0, -1}));  // wholly outside

// ---- clipping -------------------------------------------------------------------------------

TEST(Canvas, ClipsLinesAtAllFourEdges) {
  TCanvas box(10, 8);
  box.MoveTo(-5, 2);  // left edge to right edge on row 2
  box.LineTo(15, 2);
  box.MoveTo(3, 100);  // bottom edge to top edge on column 3
  box.LineTo(3, -100);
  TPixelSet expected;
  for (int x = 0; x < 10; ++x) expected.insert({x, 2});
  for (int y = 0; y < 8; ++y) expected.insert({3, y});
  EXPECT_EQ(PixelsNot(box, clWhite), expected);

  // Diagonals entering at the left or top and leaving at the bottom or right edge.
  TCanvas diagonal(10, 8);
  diagonal.MoveTo(-4, 0);
  diagonal.LineTo(16, 20);
  diagonal.MoveTo(5, -3);
  diagonal.LineTo(25, 17);
  TPixelSet diagonalExpected{{8, 0}, {9, 1}};
  for (int x = 0; x < 4; ++x) diagonalExpected.insert({x, x + 4});
  EXPECT_EQ(PixelsNot(diagonal, clWhite), diagonalExpected);
}

TEST(Canvas, LinesFarOutsideCostNothingAndDrawNothing) {
  TCanvas box(10, 8);
  box.MoveTo(INT_MIN, INT_MIN);
  box.LineTo(INT_MAX, INT_MIN + 5);
  box.MoveTo(INT_MIN, -1);
  box.LineTo(-1, INT_MAX);
  EXPECT_TRUE(PixelsNot(box, clWhite).empty());
  // A line of four billion pixels that crosses the box draws only the box's part.
  box.MoveTo(INT_MIN, 4);
  box.LineTo(INT_MAX, 4);
  TPixelSet expected;
  for (int x = 0; x < 10; ++x) expected.insert({x, 4});
  EXPECT_EQ(PixelsNot(box, clWhite), expected);
}

// ---- copies ---------------------------------------------------------------------------------

TEST(Canvas, CopiesAPictureAtAnOffsetAndClipsIt) {
  TRgbImage picture(3, 2);
  const TColor colours[2][3] = {{clRed, clGreen, clBlue}, {kYellow, clAqua, clBlack}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) picture.SetPixel(x, y, colours[y][x]);
  for (const auto& [ox, oy] : std::vector<std::pair<int, int>>{{4, 5}, {-1, -1}, {5, 6}, {0, 0}}) {
    TCanvas box(7, 7);
    box.Draw(ox, oy, picture);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 7; ++x) {
        const int px = x - ox, py = y - oy;
        const bool covered = px >= 0 && px < 3 && py >= 0 && py < 2;
        EXPECT_EQ(box.Pixel(x, y), covered ? colours[py][px] : clWhite)
            << "offset " << ox << "," << oy << " pixel " << x << "," << y;
      }
  }
}

// ---- text -----------------------------------------------------------------------------------

TEST(Canvas, TextStandsOnAnOpaqueCellOfTheBrushColour) {
  TCanvas box(120, 40);
  box.Brush.Color = kGrey;
  box.FillRect(0, 0, 120, 40);
  box.Brush.Color = kYellow;
  box.Font = {10, clRed};
  const TSize cell = box.TextExtent("Prism");
  ASSERT_GT(cell.Width, 20);
  ASSERT_GE(cell.Height, 13);  // 13-pixel glyphs and their line spacing
  ASSERT_LE(cell.Height, 20);
  box.TextOut(7, 5, "Prism");
  int ink = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool inCell = x >= 7 && x < 7 + cell.Width && y >= 5 && y < 5 + cell.Height;
      const TColor c = box.Pixel(x, y);
      if (inCell) {
        ASSERT_TRUE(c == kYellow || c == clRed) << x << "," << y;  // no anti-aliasing
        ink += c == clRed;
      } else {
        ASSERT_EQ(c, kGrey) << x << "," << y;
      }
    }
  EXPECT_GT(ink, 30);
  EXPECT_EQ(box.PenPos(), (TPoint{0, 0}));
}

TEST(Canvas, TextSizeFollowsPointsNotTheScreen) {
  TCanvas box(10, 10);
  box.Font.Size = 10;
  const TSize ten = box.TextExtent("Color Correction");
  box.Font.Size = 20;
  const TSize twenty = box.TextExtent("Color Correction");
  EXPECT_GT(twenty.Width, ten.Width * 3 / 2);
  EXPECT_GT(twenty.Height, ten.Height * 3 / 2);
  box.Font.Size = 0;
  EXPECT_THROW(box.TextExtent("x"), std::invalid_argument);
}

TEST(Canvas, TextIsClippedAtTheEdges) {
  TCanvas reference(200, 40), clipped(30, 10);
  reference.TextOut(20, 10, "Ray Diagram");
  clipped.TextOut(-10, -10, "Ray Diagram");
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 30; ++x) EXPECT_EQ(clipped.Pixel(x, y), reference.Pixel(x + 30, y + 20));
}

// ---- change notification --------------------------------------------------------------------

TEST(Canvas, ReportsEveryDrawingOperation) {
  TCanvas box(5, 5);
  int calls = 0;
  box.SetChangeHandler([&] { ++calls; });
  const uint64_t before = box.ChangeCount();
  box.MoveTo(1, 1);  // moves the pen only
  EXPECT_EQ(calls, 0);
  box.LineTo(3, 3);
  box.FillRect(0, 0, 2, 2);
  box.Draw(0, 0, TRgbImage(1, 1));
  box.TextOut(0, 0, "x");
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(box.ChangeCount(), before + 4);
  box.SetChangeHandler({});
  box.FillRect(0, 0, 1, 1);
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(box.ChangeCount(), before + 5);
}

}  // namespace
}  // namespace orvelan
