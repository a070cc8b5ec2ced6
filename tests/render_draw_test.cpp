#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/Canvas.h"
#include "model/Atmosphere.h"
#include "model/Prism.h"
#include "model/Settings.h"
#include "render/Draw.h"

namespace orvelan {
namespace {

constexpr TColor kYellow = 0x00FFFF;

// The pixels of `text` drawn the way the pictures draw captions (black, 10 points, on a white
// cell), on a fresh surface of the same size.
std::unique_ptr<TCanvas> Caption(const TCanvas& like, int x, int y, std::string_view text) {
  auto reference = std::make_unique<TCanvas>(like.Width(), like.Height());
  reference->Font = {10, clBlack};
  reference->TextOut(x, y, text);
  return reference;
}

// The caption's cell in `box` holds exactly the caption.
void ExpectCaption(const TCanvas& box, int x, int y, std::string_view text) {
  const auto owner = Caption(box, x, y, text);
  const TCanvas& reference = *owner;
  const TSize cell = reference.TextExtent(text);
  int ink = 0;
  for (int py = std::max(y, 0); py < std::min(y + cell.Height, box.Height()); ++py)
    for (int px = std::max(x, 0); px < std::min(x + cell.Width, box.Width()); ++px) {
      ASSERT_EQ(box.Pixel(px, py), reference.Pixel(px, py)) << text << " at " << px << "," << py;
      ink += box.Pixel(px, py) == clBlack;
    }
  EXPECT_GT(ink, 10) << text;
}

bool InCell(const TCanvas& box, int x, int y, std::string_view text, int px, int py) {
  const TSize cell = box.TextExtent(text);
  return px >= x && px < x + cell.Width && py >= y && py < y + cell.Height;
}

// ---- planet discs ---------------------------------------------------------------------------

TEST(PlanetDiscPicture, DrawsTheDiscsThenTheCaptionOverThem) {
  TCanvas box(160, 160);
  box.Brush.Color = clRed;  // whatever was left on the surface, the caption cell is white
  DrawPlanetDiscs(box, 80, 0, kUncorrectedCaption, kUncorrectedCaptionColumn);
  ExpectCaption(box, 39, 0, " Original Image ");
  // The red disc, centred on row 0, shows beside the caption and under it nowhere.
  EXPECT_EQ(box.Pixel(38, 0), clRed);
  EXPECT_EQ(box.Pixel(80, 20), clRed);
  EXPECT_EQ(box.Pixel(80, 80), clAqua);  // 80 rows below the red centre
  EXPECT_EQ(box.Pixel(80, 49), clWhite);
  EXPECT_EQ(box.Pixel(80, 50), clAqua);
  EXPECT_EQ(box.Pixel(30, 80), clBlack);
  EXPECT_EQ(box.Pixel(130, 80), clBlack);
}

TEST(PlanetDiscPicture, ReadsTheSizeOfItsBox) {
  TCanvas box(153, 160);
  DrawPlanetDiscs(box, 0, 0, kCorrectedCaption, kCorrectedCaptionColumn);
  ExpectCaption(box, 26, 0, " Corrected Image ");
  for (int x = 0; x < 153; ++x)
    EXPECT_EQ(box.Pixel(x, 80), x >= 27 && x <= 126 ? clWhite : clBlack) << x;
}

TEST(PlanetDiscPicture, OffsetsFollowOneSignRule) {
  const double pi = 4 * std::atan(1.0);
  const double arcsecond = pi / 180 / 3600;
  TAtmosphereResult atmosphere;
  atmosphere.ZenithG = 0.7;
  atmosphere.ZenithR = 0.7 - 3 * arcsecond;  // red 3'' lower on the sky: drawn below green
  atmosphere.ZenithB = 0.7 + 6 * arcsecond;
  const TDiscOffsets uncorrected = UncorrectedDiscOffsets(atmosphere, 30);
  EXPECT_NEAR(uncorrected.Red, -10.0, 1e-6);
  EXPECT_NEAR(uncorrected.Blue, 20.0, 1e-6);
  TPrismResult prism;
  prism.ResidualGRArcsec = 0.3;
  prism.ResidualBGArcsec = -0.6;
  const TDiscOffsets corrected = CorrectedDiscOffsets(prism, 30);
  EXPECT_DOUBLE_EQ(corrected.Red, -1.0);
  EXPECT_DOUBLE_EQ(corrected.Blue, -2.0);
  EXPECT_THROW(UncorrectedDiscOffsets(atmosphere, 0), std::invalid_argument);
  EXPECT_THROW(CorrectedDiscOffsets(prism, -3), std::invalid_argument);
}

TEST(PlanetDiscPicture, AtTheZenithAllThreeDiscsCoincide) {
  TSettings settings;
  settings.Altitude = 90;
  const TAtmosphereResult atmosphere = ComputeAtmosphere(settings);
  TCanvas box(160, 160);
  DrawUncorrectedPicture(box, atmosphere, settings);
  for (int y = 20; y < 160; ++y)
    EXPECT_EQ(box.Pixel(80, y), y >= 31 && y <= 129 ? clWhite : clBlack) << y;
}

// ---- ray diagram ----------------------------------------------------------------------------

std::unique_ptr<TCanvas> RayDiagram(const TSettings& settings) {
  auto box = std::make_unique<TCanvas>(265, 160);
  DrawRayDiagramStageOne(*box, settings);
  const TPrismResult prism = ComputePrism(settings, ComputeAtmosphere(settings));
  DrawRayDiagramStageTwo(*box, settings.PrismPosition, settings.ImageShift, prism.ShiftG);
  return box;
}

bool DashOn(int x) { return x % 24 < 9 || (x % 24 >= 15 && x % 24 < 18); }

TEST(RayDiagram, DefaultSettings) {
  const auto owner = RayDiagram(TSettings{});
  const TCanvas& box = *owner;
  // The wedge on the prism rows not covered by the ray or the caption "Prism".
  for (int y = 28; y < 120; ++y) {
    if (y == 80) continue;
    for (int x = 140; x < 160; ++x) {
      const bool wedge = y >= 33 && y <= 127 && x >= 146 && x <= 154;
      ASSERT_EQ(box.Pixel(x, y), wedge ? clAqua : clWhite) << x << "," << y;
    }
  }
  // The ray runs along the axis row up to the sensor line, which is drawn last.
  for (int x = 0; x < 255; ++x) ASSERT_EQ(box.Pixel(x, 80), clGreen) << x;
  for (int y = 0; y < 160; ++y) ASSERT_EQ(box.Pixel(255, y), clBlack) << y;
  // Beyond the sensor the dash-dot axis shows.
  for (int x = 256; x < 265; ++x) EXPECT_EQ(box.Pixel(x, 80), DashOn(x) ? clBlack : clWhite) << x;
  ExpectCaption(box, 110, 0, "Ray Diagram");
  ExpectCaption(box, 225, 20, "CCD");
  ExpectCaption(box, 135, 120, "Prism");
}

TEST(RayDiagram, AxisGapsAreWhiteOverTheWedge) {
  TCanvas box(265, 160);
  DrawRayDiagramStageOne(box, TSettings{});
  for (int x = 0; x < 265; ++x) {
    if (InCell(box, 110, 0, "Ray Diagram", x, 80)) continue;
    ASSERT_EQ(box.Pixel(x, 80), DashOn(x) ? clBlack : clWhite) << x;
  }
  EXPECT_EQ(box.Pixel(153, 80), clWhite);  // a gap inside the wedge
  EXPECT_EQ(box.Pixel(153, 79), clAqua);
}

TEST(RayDiagram, PrismCaptionCoversTheLowestPrismRows) {
  for (int position : {0, 50, 100}) {
    TSettings settings;
    settings.PrismPosition = static_cast<int16_t>(position);
    TCanvas box(265, 160);  // stage one: at position 0 the sensor line later crosses "Prism"
    DrawRayDiagramStageOne(box, settings);
    const int left = 265 - 2 * position - 19;
    ExpectCaption(box, 265 - 2 * position - 30, 120, "Prism");
    EXPECT_EQ(box.Pixel(left, 119), clAqua) << position;
    EXPECT_EQ(box.Pixel(left - 1, 119), clWhite) << position;
  }
}

struct TRayCase {
  const char* Name;
  int Position, Shift;
  double ShiftG;
  int InRow, OutRow;  // yIn and yOut
};

void PrintTo(const TRayCase& c, std::ostream* os) { *os << c.Name; }

class RayRows : public testing::TestWithParam<TRayCase> {};

TEST_P(RayRows, IncomingRowAndSensorRow) {
  const TRayCase& c = GetParam();
  TSettings settings;
  settings.PrismPosition = static_cast<int16_t>(c.Position);
  settings.ImageShift = static_cast<int16_t>(c.Shift);
  TCanvas box(265, 160);
  DrawRayDiagramStageOne(box, settings);
  DrawRayDiagramStageTwo(box, c.Position, c.Shift, c.ShiftG);
  const int xP = 265 - 2 * c.Position - 10;
  for (int x = 0; x < xP; ++x) ASSERT_EQ(box.Pixel(x, c.InRow), clGreen) << x;
  if (xP < 255) {
    EXPECT_EQ(box.Pixel(xP, c.InRow), clGreen);             // the bend's first pixel
    EXPECT_EQ(box.Pixel(254, c.OutRow), clGreen);  // the last pixel before the sensor
  }
  EXPECT_EQ(box.Pixel(255, c.InRow), clBlack);  // the sensor line is drawn last
  int green = 0;
  for (int y = 0; y < 160; ++y)
    for (int x = 255; x < 265; ++x) green += box.Pixel(x, y) == clGreen;
  EXPECT_EQ(green, 0);  // the ray stops at the sensor
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RayRows,
    testing::Values(TRayCase{"Straight", 50, 0, 0.0, 80, 80},
                    TRayCase{"ShiftUp10", 50, 10, 0.0, 60, 60},
                    TRayCase{"ShiftDown10", 50, -10, 0.0, 100, 100},
                    TRayCase{"BentUp", 50, 0, 5.0, 80, 70},
                    TRayCase{"BentDownShiftedUp", 50, 10, -2.6, 60, 65},  // 60 + 5.2 -> 65
                    TRayCase{"PrismAtSensor", 0, 0, 0.0, 80, 80},
                    TRayCase{"PrismFar", 100, -10, 11.175, 100, 77}));     // 100 - 22.35

TEST(RayDiagram, SensorRowOutsideTheBoxIsClipped) {
  TCanvas box(265, 160);
  DrawRayDiagramStageOne(box, TSettings{});
  DrawRayDiagramStageTwo(box, 50, 0, 1000.0);  // far above the top edge
  EXPECT_EQ(box.Pixel(155, 80), clGreen);
  EXPECT_EQ(box.Pixel(154, 80), clGreen);
  EXPECT_THROW(DrawRayDiagramStageTwo(box, 50, 0, std::numeric_limits<double>::quiet_NaN()),
               std::domain_error);
}

TEST(RayDiagram, NothingOfAnEarlierDiagramRemains) {
  TSettings first;
  first.PrismAngle = -100;
  first.PrismPosition = 10;
  first.ImageShift = 7;
  first.PrismType = TPrismType::Hybrid;
  TCanvas box(265, 160);
  DrawRayDiagramStageOne(box, first);
  DrawRayDiagramStageTwo(box, 10, 7, -3.0);
  TSettings second;
  second.PrismAngle = 55;
  second.Glass = TGlass::SF2;
  const TPrismResult prism = ComputePrism(second, ComputeAtmosphere(second));
  DrawRayDiagramStageOne(box, second);
  DrawRayDiagramStageTwo(box, second.PrismPosition, second.ImageShift, prism.ShiftG);
  const auto fresh = RayDiagram(second);
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 265; ++x) ASSERT_EQ(box.Pixel(x, y), fresh->Pixel(x, y)) << x << "," << y;
}

// ---- position chart -------------------------------------------------------------------------

struct TTickCase {
  double ShiftG;
  int Row;  // -1: not visible
};
// Test names and failure messages show the case, not its bytes.
void PrintTo(const TTickCase& c, std::ostream* os) { *os << "ShiftG " << c.ShiftG; }


class PositionTick : public testing::TestWithParam<TTickCase> {};

TEST_P(PositionTick, LiesOnItsTruncatedRow) {
  const auto [shiftG, row] = GetParam();
  TPrismResult prism;
  prism.ShiftG = shiftG;
  TCanvas box(65, 145);
  DrawPositionChart(box, prism);
  int aqua = 0;
  for (int y = 0; y < 145; ++y)
    for (int x = 0; x < 65; ++x) {
      const TColor c = box.Pixel(x, y);
      if (InCell(box, 10, 0, "Position", x, y)) continue;
      if (y == row && x >= 22 && x <= 41) {
        ASSERT_EQ(c, clAqua) << x << "," << y;
        ++aqua;
      } else if (x == 32 || y == 72) {
        ASSERT_EQ(c, clBlack) << x << "," << y;
      } else {
        ASSERT_EQ(c, clWhite) << x << "," << y;
      }
    }
  EXPECT_EQ(aqua, row > 0 ? 20 : 0);
  ExpectCaption(box, 10, 0, "Position");  // drawn last, over the top of the vertical line
}

INSTANTIATE_TEST_SUITE_P(Rows, PositionTick,
                         testing::Values(TTickCase{0.0, 72}, TTickCase{1.25, 59},
                                         TTickCase{-1.25, 84}, TTickCase{7.3, -1},
                                         TTickCase{7.25, 0},  // -0.5 truncates to row 0
                                         TTickCase{-7.2, 144}, TTickCase{-7.3, -1}));

// ---- colour-correction chart ----------------------------------------------------------------

struct TBarCase {
  const char* Name;
  double Focal, Prism;  // micrometres; the residual is Focal - Prism
  int First, Last;      // rows of the bar that show beside the centre line; First > Last: none
};

void PrintTo(const TBarCase& c, std::ostream* os) { *os << c.Name; }

class ColorBars : public testing::TestWithParam<TBarCase> {};

TEST_P(ColorBars, ShowTheirRowsBesideTheCentreLine) {
  const TBarCase& c = GetParam();
  for (bool red : {true, false}) {
    TAtmosphereResult atmosphere;
    TPrismResult prism;
    (red ? atmosphere.FocalGR : atmosphere.FocalBG) = c.Focal;
    (red ? prism.PrismGR : prism.PrismBG) = c.Prism;
    TCanvas box(177, 113);
    DrawColorCorrectionChart(box, atmosphere, prism);
    const TColor colour = red ? clRed : clBlue;
    const int left = red ? 106 : 35, right = red ? 140 : 69;
    const int otherLeft = red ? 35 : 106;
    for (int y = 0; y < 113; ++y) {
      const bool bar = y >= c.First && y <= c.Last;
      for (int x = left - 1; x <= right + 1; ++x) {
        const bool inColumns = x >= left && x <= right;
        const TColor got = box.Pixel(x, y);
        if (y == 56) {
          ASSERT_EQ(got, clBlack) << x;
        } else if (inColumns && bar) {
          ASSERT_EQ(got, colour) << x << "," << y;
        } else {
          ASSERT_NE(got, colour) << x << "," << y;
          if (!InCell(box, 45, 0, "Color Correction", x, y)) {
            ASSERT_EQ(got, clWhite) << x << "," << y;
          }
        }
      }
      // The other bar has a residual of 0: only the centre line crosses its columns.
      if (!InCell(box, 45, 0, "Color Correction", otherLeft, y)) {
        EXPECT_EQ(box.Pixel(otherLeft, y), y == 56 ? clBlack : clWhite) << y;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Residuals, ColorBars,
    testing::Values(TBarCase{"Plus30_4", 50.4, 20.0, 26, 55},
                    TBarCase{"Minus30_4", 20.0, 50.4, 57, 85},
                    TBarCase{"Plus0_9", 0.9, 0.0, 0, -1},     // bar of row 56 alone, covered
                    TBarCase{"Minus0_9", 0.0, 0.9, 0, -1},    // no bar at all
                    TBarCase{"Plus1_5", 1.5, 0.0, 55, 55},
                    TBarCase{"Minus1_5", 0.0, 1.5, 0, -1},    // 57.5 -> 57: row 56 alone
                    TBarCase{"Minus2_5", 0.0, 2.5, 57, 57},
                    TBarCase{"Equal", 18.37, 18.37, 0, -1},
                    TBarCase{"Plus56_5", 56.5, 0.0, 1, 55},  // -0.5 truncates to 0: row 0 stays
                    TBarCase{"Plus57", 57.0, 0.0, 0, 55},    // up to the top edge, over the caption
                    TBarCase{"Minus57", 0.0, 57.0, 57, 112},
                    TBarCase{"Minus500", 0.0, 500.0, 57, 112}));

TEST(ColorCorrectionChart, BarPaintsOverTheCaption) {
  TAtmosphereResult atmosphere;
  atmosphere.FocalGR = 80;
  TCanvas box(177, 113);
  DrawColorCorrectionChart(box, atmosphere, TPrismResult{});
  for (int y = 0; y < 56; ++y)
    for (int x = 106; x <= 140; ++x) ASSERT_EQ(box.Pixel(x, y), clRed) << x << "," << y;
  // Left of the bar the caption is whole.
  const auto reference = Caption(box, 45, 0, "Color Correction");
  for (int y = 0; y < 13; ++y)
    for (int x = 45; x < 106; ++x) ASSERT_EQ(box.Pixel(x, y), reference->Pixel(x, y)) << x << "," << y;
}

TEST(ColorCorrectionChart, RejectsAnEndRowThatIsNotANumber) {
  TAtmosphereResult atmosphere;
  atmosphere.FocalBG = std::numeric_limits<double>::infinity();
  TCanvas box(177, 113);
  EXPECT_THROW(DrawColorCorrectionChart(box, atmosphere, TPrismResult{}), std::domain_error);
}

}  // namespace
}  // namespace orvelan
