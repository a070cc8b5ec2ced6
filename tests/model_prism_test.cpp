#include <gtest/gtest.h>

#include <cmath>

#include "model/ComputationError.h"
#include "model/Prism.h"

namespace orvelan {
namespace {

TSettings Wedge(int16_t angle, TGlass glass = TGlass::BK7, TPrismType type = TPrismType::Single) {
  TSettings s;
  s.PrismAngle = angle;
  s.Glass = glass;
  s.PrismType = type;
  return s;
}

// The atmosphere of the default settings: FocalGR 9.8786, FocalBG 18.3707.
const TAtmosphereResult& DefaultAtmosphere() {
  static const TAtmosphereResult atmosphere = ComputeAtmosphere(TSettings{});
  return atmosphere;
}

struct PrismCase {
  const char* name;
  TSettings settings;
  double indexR, indexG, indexB, shiftG, prismGR, prismBG;
  // Numbers shown in PrismGR, PrismBG, Displacement, ResidualGR, ResidualGRArcsec,
  // ResidualBG, ResidualBGArcsec.
  const char* shown[7];
};

void PrintTo(const PrismCase& c, std::ostream* os) { *os << c.name; }


class PrismWorkedExample : public testing::TestWithParam<PrismCase> {};

TEST_P(PrismWorkedExample, ModelValuesAndReadouts) {
  const PrismCase& c = GetParam();
  const TPrismResult r = ComputePrism(c.settings, DefaultAtmosphere());
  EXPECT_NEAR(r.IndexR, c.indexR, 0.5e-5);
  EXPECT_NEAR(r.IndexG, c.indexG, 0.5e-5);
  EXPECT_NEAR(r.IndexB, c.indexB, 0.5e-5);
  EXPECT_NEAR(r.ShiftG, c.shiftG, 0.5e-5);
  EXPECT_NEAR(r.PrismGR, c.prismGR, 0.5e-4);
  EXPECT_NEAR(r.PrismBG, c.prismBG, 0.5e-4);

  const TPrismReadouts t = PrismReadouts(r, DefaultAtmosphere());
  EXPECT_EQ(t.PrismGR, std::string("G - R = ") + c.shown[0] + " μm");
  EXPECT_EQ(t.PrismBG, std::string("B - G = ") + c.shown[1] + " μm");
  EXPECT_EQ(t.Displacement, std::string("移動量 = ") + c.shown[2] + " mm");
  EXPECT_EQ(t.FocalGR, "G - R = 9.88 μm");
  EXPECT_EQ(t.FocalBG, "B - G = 18.37 μm");
  EXPECT_EQ(t.ResidualGR, std::string("dGR = ") + c.shown[3] + " μm");
  EXPECT_EQ(t.ResidualGRArcsec, std::string("      = ") + c.shown[4] + " ''");
  EXPECT_EQ(t.ResidualBG, std::string("dBG = ") + c.shown[5] + " μm");
  EXPECT_EQ(t.ResidualBGArcsec, std::string("      = ") + c.shown[6] + " ''");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrismWorkedExample,
    testing::Values(
        PrismCase{"BK7", Wedge(10), 1.51374, 1.51806, 1.52580, 0.45219, 3.7652, 6.7613,
                  {"3.8", "6.8", "0.45", "6.113", "0.210", "11.609", "0.399"}},
        PrismCase{"SF2", Wedge(10, TGlass::SF2), 1.61478, 1.62367, 1.64116, 0.54440, 7.7594,
                  15.2717, {"7.8", "15.3", "0.54", "2.119", "0.073", "3.099", "0.107"}},
        PrismCase{"Hybrid", Wedge(10, TGlass::BK7, TPrismType::Hybrid), 1.06675, 1.06957,
                  1.07561, 0.06072, 2.4645, 5.2671,
                  {"2.5", "5.3", "0.06", "7.414", "0.255", "13.104", "0.450"}},
        PrismCase{"NoWedge", Wedge(0, TGlass::SF2), 1.61478, 1.62367, 1.64116, 0.0, 0.0, 0.0,
                  {"0.0", "0.0", "0.00", "9.879", "0.340", "18.371", "0.632"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComputePrism, NoWedgeMovesNothingForAnyPrism) {
  for (TPrismType type : {TPrismType::Single, TPrismType::Hybrid}) {
    for (TGlass glass : {TGlass::BK7, TGlass::SF2}) {
      TSettings s = Wedge(0, glass, type);
      s.ImageShift = -7;
      const TPrismResult r = ComputePrism(s, DefaultAtmosphere());
      EXPECT_EQ(r.DeviationR, 0.0);
      EXPECT_EQ(r.DeviationB, 0.0);
      EXPECT_EQ(r.ShiftG, 0.0);
      EXPECT_EQ(r.PrismGR, 0.0);
      EXPECT_EQ(r.PrismBG, 0.0);
      EXPECT_EQ(r.Displacement, -7.0);
      EXPECT_EQ(r.ResidualGR, DefaultAtmosphere().FocalGR);
      EXPECT_EQ(r.ResidualBG, DefaultAtmosphere().FocalBG);
    }
  }
}

TEST(ComputePrism, PrismAtTheSensorDeviatesButDoesNotShift) {
  TSettings s = Wedge(37, TGlass::SF2);
  s.PrismPosition = 0;
  const TPrismResult r = ComputePrism(s, DefaultAtmosphere());
  EXPECT_GT(r.DeviationG, 0.0);
  EXPECT_EQ(r.ShiftR, 0.0);
  EXPECT_EQ(r.ShiftG, 0.0);
  EXPECT_EQ(r.PrismGR, 0.0);
  EXPECT_EQ(r.PrismBG, 0.0);
}

TEST(ComputePrism, NegativeWedgeMirrorsThePositiveOne) {
  for (TGlass glass : {TGlass::BK7, TGlass::SF2}) {
    const TPrismResult plus = ComputePrism(Wedge(73, glass), DefaultAtmosphere());
    const TPrismResult minus = ComputePrism(Wedge(-73, glass), DefaultAtmosphere());
    EXPECT_EQ(minus.DeviationG, -plus.DeviationG);
    EXPECT_EQ(minus.ShiftR, -plus.ShiftR);
    EXPECT_EQ(minus.PrismGR, -plus.PrismGR);
    EXPECT_EQ(minus.PrismBG, -plus.PrismBG);
    EXPECT_DOUBLE_EQ(minus.ResidualGR, DefaultAtmosphere().FocalGR + plus.PrismGR);
    EXPECT_DOUBLE_EQ(minus.ResidualBG, DefaultAtmosphere().FocalBG + plus.PrismBG);
  }
}

TEST(ComputePrism, ImageShiftMovesOnlyTheDisplacement) {
  TSettings shifted = Wedge(0);
  shifted.ImageShift = 3;
  TPrismResult a = ComputePrism(shifted, DefaultAtmosphere());
  TPrismResult b = ComputePrism(Wedge(0), DefaultAtmosphere());
  EXPECT_EQ(PrismReadouts(a, DefaultAtmosphere()).Displacement, "移動量 = 3.00 mm");
  EXPECT_EQ(a.Displacement, 3.0);
  a.Displacement = b.Displacement;
  EXPECT_EQ(a, b);
}

TEST(ComputePrism, HybridIgnoresTheGlass) {
  const TPrismResult bk7 = ComputePrism(Wedge(55, TGlass::BK7, TPrismType::Hybrid), DefaultAtmosphere());
  const TPrismResult sf2 = ComputePrism(Wedge(55, TGlass::SF2, TPrismType::Hybrid), DefaultAtmosphere());
  EXPECT_EQ(bk7, sf2);
}

TEST(ComputePrism, OverCorrectionShowsNegativeResiduals) {
  // SF2 at 10 degrees, 100 mm from the sensor: the largest wedge the window allows.
  TSettings s = Wedge(100, TGlass::SF2);
  s.PrismPosition = 100;
  const TPrismResult r = ComputePrism(s, DefaultAtmosphere());
  EXPECT_NEAR(r.ShiftG, 11.175, 0.5e-3);
  EXPECT_NEAR(r.PrismGR, 162.8, 0.05);
  EXPECT_NEAR(r.PrismBG, 320.8, 0.05);
  const TPrismReadouts t = PrismReadouts(r, DefaultAtmosphere());
  EXPECT_EQ(t.Displacement, "移動量 = 11.18 mm");
  EXPECT_EQ(t.ResidualGR.rfind("dGR = -", 0), 0u) << t.ResidualGR;
  EXPECT_EQ(t.ResidualGRArcsec.rfind("      = -", 0), 0u) << t.ResidualGRArcsec;
  s.ImageShift = -10;
  EXPECT_EQ(PrismReadouts(ComputePrism(s, DefaultAtmosphere()), DefaultAtmosphere()).Displacement,
            "移動量 = 1.18 mm");
}

TEST(ComputePrism, TinyNegativeResidualIsShownWithoutSign) {
  TPrismResult r;
  r.ResidualGR = -0.0004;
  r.ResidualBGArcsec = -0.0004;
  const TPrismReadouts t = PrismReadouts(r, TAtmosphereResult{});
  EXPECT_EQ(t.ResidualGR, "dGR = 0.000 μm");
  EXPECT_EQ(t.ResidualBGArcsec, "      = 0.000 ''");
}

TEST(ComputePrism, FaultsAreErrorsNotNumbers) {
  TSettings zeroFocus = Wedge(10);
  zeroFocus.FocalLength = 0;  // 0 / 0 when the residual is also 0
  TAtmosphereResult still;  // no atmospheric separation at all
  zeroFocus.PrismAngle = 0;
  EXPECT_THROW(ComputePrism(zeroFocus, still), TComputationError);

  TSettings steep = Wedge(900, TGlass::SF2);  // 90 degrees: the beam cannot leave the glass
  try {
    ComputePrism(steep, DefaultAtmosphere());
    FAIL() << "no error";
  } catch (const TComputationError& e) {
    EXPECT_NE(std::string(e.what()).find("ComputePrism(wedge 900/10°"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("invalid operation"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace orvelan
