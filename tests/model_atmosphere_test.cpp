#include <gtest/gtest.h>

#include <cmath>

#include "model/Atmosphere.h"
#include "model/ComputationError.h"
#include "model/RefractiveIndex.h"

namespace orvelan {
namespace {

TSettings With(int16_t altitude, int16_t elevation, int16_t r = 660, int16_t g = 550, int16_t b = 440) {
  TSettings s;
  s.Altitude = altitude;
  s.Elevation = elevation;
  s.WavelengthR = r;
  s.WavelengthG = g;
  s.WavelengthB = b;
  return s;
}

TEST(ComputeAtmosphere, DefaultsGiveTheReferenceAngles) {
  const TAtmosphereResult r = ComputeAtmosphere(TSettings{});
  EXPECT_NEAR(r.ZenithR, 0.7856757508, 0.5e-10);
  EXPECT_NEAR(r.ZenithG, 0.7856773972, 0.5e-10);
  EXPECT_NEAR(r.ZenithB, 0.7856804590, 0.5e-10);
}

struct WorkedCase {
  const char* name;
  TSettings settings;
  double focalGR, focalBG;
  const char *bg, *gr, *altitude, *lift;
};

void PrintTo(const WorkedCase& c, std::ostream* os) { *os << c.name; }


class AtmosphereWorkedExample : public testing::TestWithParam<WorkedCase> {};

TEST_P(AtmosphereWorkedExample, SeparationsAndReadouts) {
  const WorkedCase& c = GetParam();
  const TAtmosphereResult r = ComputeAtmosphere(c.settings);
  EXPECT_NEAR(r.FocalGR, c.focalGR, 0.5e-4);
  EXPECT_NEAR(r.FocalBG, c.focalBG, 0.5e-4);
  const TAtmosphereReadouts t = AtmosphereReadouts(r, c.settings.Altitude);
  EXPECT_EQ(t.SeparationBG, c.bg);
  EXPECT_EQ(t.SeparationGR, c.gr);
  EXPECT_EQ(t.TrueAltitude, c.altitude);
  EXPECT_EQ(t.Lift, c.lift);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AtmosphereWorkedExample,
    testing::Values(
        WorkedCase{"Defaults", With(45, 0), 9.8786, 18.3707, "B - G = 0.63''", "G - R = 0.34''",
                   "Altitude = 44.98°", "Difference = 0.96'"},
        WorkedCase{"LowPlanet", With(5, 0), 117.2257, 218.0701, "B - G = 7.50''", "G - R = 4.03''",
                   "Altitude = 4.81°", "Difference = 11.18'"},
        WorkedCase{"HighObserver", With(45, 10000), 2.5569, 4.7550, "B - G = 0.16''",
                   "G - R = 0.09''", "Altitude = 45.00°", "Difference = 0.25'"},
        WorkedCase{"Zenith", With(90, 0), 0.0, 0.0, "B - G = 0.00''", "G - R = 0.00''",
                   "Altitude = 90.00°", "Difference = 0.00'"},
        WorkedCase{"ReversedFilters", With(45, 0, 440, 550, 660), -18.3707, -9.8786,
                   "B - G = -0.34''", "G - R = -0.63''", "Altitude = 44.98°",
                   "Difference = 0.96'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComputeAtmosphere, ZenithIsExactlyZeroStraightUp) {
  const TAtmosphereResult r = ComputeAtmosphere(With(90, 5000));
  EXPECT_EQ(r.ZenithR, 0.0);
  EXPECT_EQ(r.ZenithG, 0.0);
  EXPECT_EQ(r.ZenithB, 0.0);
}

TEST(ComputeAtmosphere, EqualWavelengthsGiveExactlyEqualAngles) {
  const TAtmosphereResult r = ComputeAtmosphere(With(20, 300, 550, 550, 550));
  EXPECT_EQ(r.ZenithR, r.ZenithG);
  EXPECT_EQ(r.ZenithG, r.ZenithB);
  EXPECT_EQ(r.FocalGR, 0.0);
  EXPECT_EQ(r.FocalBG, 0.0);
}

// One ray through the layers, written the plain way: both indices of every layer evaluated
// afresh, one colour at a time.
double PlainTrace(int32_t nm, int32_t altitude, int32_t elevation) {
  const double pi = 4.0 * std::atan(1.0);
  const double refractivity = AirIndex(nm) - 1.0;
  double z = static_cast<double>(90 - altitude) * pi * (1.0 / 180.0);
  for (int32_t h = elevation + 1; h < 100000; h += 100) {
    const double nBottom = std::exp(static_cast<double>(-h) / 7400.0) * refractivity + 1.0;
    const double nTop = std::exp(static_cast<double>(-(h + 100)) / 7400.0) * refractivity + 1.0;
    z = std::asin((std::sin(z) * nBottom) / nTop);
  }
  return z;
}

TEST(ComputeAtmosphere, EachColourIsTheSameBitsAsAPlainTraceOfItsOwn) {
  // The three colours are traced side by side; nothing may carry over from one to another,
  // and sharing the exponentials may not move a single bit.
  struct Case {
    int16_t altitude, elevation, r, g, b;
  };
  for (const Case& c : {Case{45, 0, 660, 550, 440}, Case{12, 2300, 700, 510, 380},
                        Case{5, 10000, 900, 300, 301}, Case{89, 9999, 300, 900, 600},
                        Case{5, 0, 550, 550, 550}}) {
    SCOPED_TRACE(::testing::Message() << c.altitude << "° " << c.elevation << " m " << c.r << "/"
                                      << c.g << "/" << c.b << " nm");
    const TAtmosphereResult r = ComputeAtmosphere(With(c.altitude, c.elevation, c.r, c.g, c.b));
    EXPECT_EQ(r.ZenithR, PlainTrace(c.r, c.altitude, c.elevation));
    EXPECT_EQ(r.ZenithG, PlainTrace(c.g, c.altitude, c.elevation));
    EXPECT_EQ(r.ZenithB, PlainTrace(c.b, c.altitude, c.elevation));
    EXPECT_EQ(r.ZenithB, TraceZenithAngle(c.b, c.altitude, c.elevation));
  }
}

// Snell's law holds through every boundary, so the layered trace must agree with the closed
// form asin(sin z0 n(start) / n(100001)) for every altitude, elevation and wavelength.
TEST(TraceZenithAngle, AgreesWithTheClosedFormEverywhere) {
  const double pi = 4.0 * std::atan(1.0);
  double worst = 0;
  for (int altitude = 5; altitude <= 90; ++altitude) {
    for (int elevation = 0; elevation <= 10000; elevation += 100) {
      for (int nm = 300; nm <= 900; nm += 60) {
        const double z0 = (90 - altitude) * pi * (1.0 / 180.0);
        const double refractivity = AirIndex(nm) - 1.0;
        const int start = elevation + 1;
        const double n0 = 1 + refractivity * std::exp(-start / 7400.0);
        const double nTop = 1 + refractivity * std::exp(-100001 / 7400.0);
        const double closed = std::asin(std::sin(z0) * n0 / nTop);
        worst = std::max(worst, std::fabs(TraceZenithAngle(nm, altitude, elevation) - closed));
      }
    }
  }
  EXPECT_LT(worst, 1e-12);
}

TEST(TraceZenithAngle, StartAboveTheTopCrossesNoLayer) {
  const double pi = 4.0 * std::atan(1.0);
  EXPECT_EQ(TraceZenithAngle(550, 30, 100000), 60 * pi * (1.0 / 180.0));
}

TEST(TraceZenithAngle, ImpossibleInputIsAnErrorNamingTheCall) {
  // On the horizon refraction pushes the arcsine's argument past 1; a zero wavelength
  // divides by zero.
  EXPECT_THROW(TraceZenithAngle(550, 0, 0), TComputationError);
  try {
    TraceZenithAngle(0, 45, 0);
    FAIL() << "no error";
  } catch (const TComputationError& e) {
    EXPECT_STREQ(e.what(), "TraceZenithAngle(0 nm, altitude 45°, elevation 0 m): division by zero");
  }
  TSettings s;
  s.WavelengthB = 0;
  EXPECT_THROW(ComputeAtmosphere(s), TComputationError);
}

}  // namespace
}  // namespace orvelan
