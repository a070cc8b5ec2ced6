#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "framework/RgbImage.h"
#include "model/Prism.h"
#include "render/Raster.h"

namespace orvelan {
namespace {

constexpr TColor kYellow = 0x00FFFF;
constexpr TColor kFuchsia = 0xFF00FF;
constexpr TColor kLime = 0x00FF00;  // the green channel alone

bool SamePixels(const TRgbImage& a, const TRgbImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  if (a.Width() == 0) return true;  // rows of an empty picture have no address to compare
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.Row(y), b.Row(y), static_cast<size_t>(3 * a.Width())) != 0) return false;
  return true;
}

// ---- planet discs ---------------------------------------------------------------------------

struct TRun {
  int First, Last;  // rows on a column (or columns on a row), inclusive
  TColor Color;
};

struct TDiscCase {
  const char* Name;
  int Width, Height;
  double Red, Blue;
  bool AlongColumn;  // runs are rows on column `Line`; otherwise columns on row `Line`
  int Line;
  std::vector<TRun> Runs;  // everything else on the line is black
};

void PrintTo(const TDiscCase& c, std::ostream* os) { *os << c.Name; }

class DiscRuns : public testing::TestWithParam<TDiscCase> {};

TEST_P(DiscRuns, MatchTheColourTable) {
  const TDiscCase& c = GetParam();
  for (bool perPixel : {false, true}) {
    TRgbImage image(c.Width, c.Height);
    if (perPixel)
      FillPlanetDiscsPerPixel(image, c.Red, c.Blue);
    else
      FillPlanetDiscs(image, c.Red, c.Blue);
    const int length = c.AlongColumn ? c.Height : c.Width;
    for (int i = 0; i < length; ++i) {
      TColor expected = clBlack;
      for (const TRun& run : c.Runs)
        if (i >= run.First && i <= run.Last) expected = run.Color;
      const TColor got = c.AlongColumn ? image.Pixel(c.Line, i) : image.Pixel(i, c.Line);
      ASSERT_EQ(got, expected) << (perPixel ? "per pixel, " : "row runs, ") << "position " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, DiscRuns,
    testing::Values(
        // One white disc; the points at distance exactly 50 (columns 30 and 130) stay dark.
        TDiscCase{"Image1Row80", 160, 160, 0, 0, false, 80, {{31, 129, clWhite}}},
        TDiscCase{"Image1Column80", 160, 160, 0, 0, true, 80, {{31, 129, clWhite}}},
        // Odd width: the centre lies at 76.5.
        TDiscCase{"Image3Row80", 153, 160, 0, 0, false, 80, {{27, 126, clWhite}}},
        TDiscCase{"RedDown10",
                  160, 160, -10, 0, true, 80,
                  {{31, 40, clAqua}, {41, 129, clWhite}, {130, 139, clRed}}},
        TDiscCase{"RedDown10BlueUp10",
                  160, 160, -10, 10, true, 80,
                  {{21, 30, clBlue}, {31, 40, clAqua}, {41, 119, clWhite}, {120, 129, kYellow},
                   {130, 139, clRed}}},
        // Red up, blue down: fuchsia would show if the two were swapped.
        TDiscCase{"RedUp60BlueDown60",
                  160, 160, 60, -60, true, 80,
                  {{0, 30, clRed}, {31, 69, kYellow}, {70, 90, kLime}, {91, 129, clAqua},
                   {130, 159, clBlue}}},
        TDiscCase{"RedAndBlueTogether", 160, 160, 20, 20, true, 80,
                  {{11, 30, kFuchsia}, {31, 109, clWhite}, {110, 129, kLime}}}));

// An offset of 130 or more (or -129 or less) puts a disc wholly outside Image1; 129.9 still
// lights the middle of row 0 and -128.9 the middle of row 159.
TEST(PlanetDiscs, DiscLeavingTheTopOrBottomEdge) {
  struct TCase {
    double Offset;
    bool Lit;
    int Row;  // the row that must be lit
  };
  for (const TCase c : {TCase{130, false, 0}, TCase{-129, false, 0}, TCase{500, false, 0},
                        TCase{-1e9, false, 0}, TCase{129.9, true, 0}, TCase{-128.9, true, 159}}) {
    for (bool perPixel : {false, true}) {
      for (bool red : {true, false}) {
        TRgbImage image(160, 160);
        const double r = red ? c.Offset : 0, b = red ? 0 : c.Offset;
        perPixel ? FillPlanetDiscsPerPixel(image, r, b) : FillPlanetDiscs(image, r, b);
        const int channel = red ? 2 : 0;
        int lit = 0;
        for (int y = 0; y < 160; ++y)
          for (int x = 0; x < 160; ++x) lit += image.Row(y)[3 * x + channel] == 255;
        if (c.Lit) {
          EXPECT_EQ(image.Row(c.Row)[3 * 80 + channel], 255) << c.Offset;
          EXPECT_GT(lit, 0);
        } else {
          EXPECT_EQ(lit, 0) << c.Offset << (red ? " red" : " blue");
        }
      }
    }
  }
}

TEST(PlanetDiscs, RowRunsEqualThePerPixelDefinition) {
  std::mt19937_64 random(20260101);
  std::uniform_real_distribution<double> offset(-200.0, 200.0);
  std::uniform_int_distribution<int> side(0, 170);
  int cases = 0;
  auto check = [&](int w, int h, double red, double blue) {
    TRgbImage fast(w, h), slow(w, h);
    FillPlanetDiscs(fast, red, blue);
    FillPlanetDiscsPerPixel(slow, red, blue);
    ASSERT_TRUE(SamePixels(fast, slow)) << w << " x " << h << " red " << red << " blue " << blue;
    ++cases;
  };
  // Whole and half offsets put many pixels at a distance of exactly 50.
  for (int w : {160, 153, 1, 2, 99, 100, 101})
    for (int h : {160, 159, 1, 100, 101})
      for (double d = -135; d <= 135; d += 0.5) check(w, h, d, -d * 0.5);
  for (int i = 0; i < 4000; ++i) check(side(random), side(random), offset(random), offset(random));
  // Offsets just beside the boundaries of the edge rows.
  for (double d : {129.9, 130.0, std::nextafter(130.0, 0.0), -128.9, -129.0,
                   std::nextafter(-129.0, 0.0), 1e300, -1e300})
    check(160, 160, d, d);
  EXPECT_GT(cases, 10000);
}

// ---- wedge ----------------------------------------------------------------------------------

TEST(Wedge, TangentIsFormedAsThePrismModelFormsTheWedgeAngle) {
  TAtmosphereResult atmosphere;
  for (int angle = -100; angle <= 100; ++angle) {
    TSettings settings;
    settings.PrismAngle = static_cast<int16_t>(angle);
    EXPECT_EQ(WedgeTangent(angle), std::tan(ComputePrism(settings, atmosphere).WedgeAngle))
        << angle;
  }
}

struct TWedgeCase {
  const char* Name;
  int Angle, Position;
  TPrismType Type;
  int Row;
  std::vector<TRun> Runs;  // columns on `Row`; everything else white
};

void PrintTo(const TWedgeCase& c, std::ostream* os) { *os << c.Name; }

class WedgeRuns : public testing::TestWithParam<TWedgeCase> {};

TEST_P(WedgeRuns, MatchTheColourTable) {
  const TWedgeCase& c = GetParam();
  for (bool perPixel : {false, true}) {
    TRgbImage image(265, 160);
    const double t = WedgeTangent(c.Angle);
    perPixel ? FillWedgePerPixel(image, c.Position, t, c.Type)
             : FillWedge(image, c.Position, t, c.Type);
    for (int x = 0; x < 265; ++x) {
      TColor expected = clWhite;
      for (const TRun& run : c.Runs)
        if (x >= run.First && x <= run.Last) expected = run.Color;
      ASSERT_EQ(image.Pixel(x, c.Row), expected) << (perPixel ? "per pixel, " : "row runs, ")
                                                  << "column " << x;
    }
  }
}

constexpr TPrismType kSingle = TPrismType::Single, kHybrid = TPrismType::Hybrid;

INSTANTIATE_TEST_SUITE_P(
    Tables, WedgeRuns,
    testing::Values(
        TWedgeCase{"DefaultRow33", 0, 50, kSingle, 33, {{146, 154, clAqua}}},
        TWedgeCase{"DefaultRow80", 0, 50, kSingle, 80, {{146, 154, clAqua}}},
        TWedgeCase{"DefaultRow127", 0, 50, kSingle, 127, {{146, 154, clAqua}}},
        TWedgeCase{"DefaultRow32", 0, 50, kSingle, 32, {}},
        TWedgeCase{"DefaultRow128", 0, 50, kSingle, 128, {}},
        TWedgeCase{"Angle100Row33", 100, 50, kSingle, 33, {{146, 163, clAqua}}},
        TWedgeCase{"Angle100Row80", 100, 50, kSingle, 80, {{146, 154, clAqua}}},
        TWedgeCase{"Angle100Row127", 100, 50, kSingle, 127, {{146, 146, clAqua}}},
        TWedgeCase{"Angle100Row32", 100, 50, kSingle, 32, {}},
        TWedgeCase{"AngleMinus100Row33", -100, 50, kSingle, 33, {{146, 146, clAqua}}},
        TWedgeCase{"AngleMinus100Row127", -100, 50, kSingle, 127, {{146, 163, clAqua}}},
        TWedgeCase{"AngleMinus100Row128", -100, 50, kSingle, 128, {}},
        TWedgeCase{"HybridRow33",
                   0, 50, kHybrid, 33, {{146, 154, clPaleAqua}, {155, 164, clAqua}}},
        TWedgeCase{"HybridRow127",
                   0, 50, kHybrid, 127, {{146, 154, clPaleAqua}, {155, 164, clAqua}}},
        TWedgeCase{"HybridRow32", 0, 50, kHybrid, 32, {}},
        TWedgeCase{"HybridAngle100Row33",
                   100, 50, kHybrid, 33, {{146, 163, clPaleAqua}, {164, 164, clAqua}}},
        TWedgeCase{"HybridAngle100Row127",
                   100, 50, kHybrid, 127, {{146, 146, clPaleAqua}, {147, 164, clAqua}}},
        TWedgeCase{"Position0", 0, 0, kSingle, 80, {{246, 254, clAqua}}},
        TWedgeCase{"Position100", 0, 100, kSingle, 80, {{46, 54, clAqua}}}));

TEST(Wedge, RowRunsEqualThePerPixelDefinition) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> side(0, 400), position(-20, 260), angle(-100, 100);
  int cases = 0;
  auto check = [&](int w, int h, int p, int a, TPrismType type) {
    TRgbImage fast(w, h), slow(w, h);
    FillWedge(fast, p, WedgeTangent(a), type);
    FillWedgePerPixel(slow, p, WedgeTangent(a), type);
    ASSERT_TRUE(SamePixels(fast, slow)) << w << " x " << h << " position " << p << " angle "
                                        << a << (type == kSingle ? " single" : " hybrid");
    ++cases;
  };
  for (TPrismType type : {kSingle, kHybrid}) {
    for (int a = -100; a <= 100; ++a)
      for (int p : {0, 1, 50, 99, 100}) check(265, 160, p, a, type);
    // Tall and narrow boxes, where the face leaves the wedge's columns, and positions beyond
    // the box.
    for (int i = 0; i < 1500; ++i)
      check(side(random), side(random), position(random), angle(random), type);
  }
  EXPECT_GT(cases, 4000);
}

}  // namespace
}  // namespace orvelan
