// Runs the model over every position of every spin button and over random combinations of
// all settings, and checks that every result is finite and every read-out well formed.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "model/Atmosphere.h"
#include "model/Prism.h"

namespace orvelan {
namespace {

// True if `text` is prefix + number + suffix, the number having exactly `decimals` places,
// an optional minus (never on a zero), and lying within half a last place of `value`.
::testing::AssertionResult IsReadout(std::string_view text, std::string_view prefix,
                                     int decimals, std::string_view suffix, double value) {
  auto fail = [&] { return ::testing::AssertionFailure() << "bad read-out \"" << text << "\" for " << value; };
  if (text.size() < prefix.size() + suffix.size() || text.substr(0, prefix.size()) != prefix ||
      text.substr(text.size() - suffix.size()) != suffix) {
    return fail();
  }
  const std::string number(text.substr(prefix.size(), text.size() - prefix.size() - suffix.size()));
  std::size_t i = number.starts_with('-') ? 1 : 0;
  const std::size_t point = number.find('.');
  if (point == std::string::npos || point == i || number.size() - point - 1 != static_cast<std::size_t>(decimals)) {
    return fail();
  }
  for (; i < number.size(); ++i) {
    if (i != point && !std::isdigit(static_cast<unsigned char>(number[i]))) return fail();
  }
  const double shown = std::strtod(number.c_str(), nullptr);
  if (number.starts_with('-') && shown == 0.0) return fail();
  if (!(std::fabs(shown - value) <= 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + 1e-12 * std::fabs(value))) {
    return fail();
  }
  return ::testing::AssertionSuccess();
}

bool AllFinite(const TAtmosphereResult& a) {
  return std::isfinite(a.ZenithR) && std::isfinite(a.ZenithG) && std::isfinite(a.ZenithB) &&
         std::isfinite(a.FocalGR) && std::isfinite(a.FocalBG);
}

bool AllFinite(const TPrismResult& p) {
  for (double v : {p.WedgeAngle, p.IndexR, p.IndexG, p.IndexB, p.DeviationR, p.DeviationG,
                   p.DeviationB, p.ShiftR, p.ShiftG, p.ShiftB, p.Displacement, p.PrismGR, p.PrismBG,
                   p.ResidualGR, p.ResidualBG, p.ResidualGRArcsec, p.ResidualBGArcsec}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

// Computes both passes for `s` and checks results and all thirteen read-outs.
void CheckSettings(const TSettings& s) {
  TAtmosphereResult a;
  TPrismResult p;
  ASSERT_NO_THROW(a = ComputeAtmosphere(s));
  ASSERT_NO_THROW(p = ComputePrism(s, a));
  ASSERT_TRUE(AllFinite(a));
  ASSERT_TRUE(AllFinite(p));

  const double pi = 4.0 * std::atan(1.0);
  const double trueAltitude = 90.0 - a.ZenithG * 180.0 / pi;
  const TAtmosphereReadouts at = AtmosphereReadouts(a, s.Altitude);
  ASSERT_TRUE(IsReadout(at.SeparationBG, "B - G = ", 2, "''", (a.ZenithB - a.ZenithG) * 180.0 / pi * 3600.0));
  ASSERT_TRUE(IsReadout(at.SeparationGR, "G - R = ", 2, "''", (a.ZenithG - a.ZenithR) * 180.0 / pi * 3600.0));
  ASSERT_TRUE(IsReadout(at.TrueAltitude, "Altitude = ", 2, "°", trueAltitude));
  ASSERT_TRUE(IsReadout(at.Lift, "Difference = ", 2, "'", (s.Altitude - trueAltitude) * 60.0));

  const TPrismReadouts pt = PrismReadouts(p, a);
  ASSERT_TRUE(IsReadout(pt.PrismGR, "G - R = ", 1, " μm", p.PrismGR));
  ASSERT_TRUE(IsReadout(pt.PrismBG, "B - G = ", 1, " μm", p.PrismBG));
  ASSERT_TRUE(IsReadout(pt.Displacement, "移動量 = ", 2, " mm", p.Displacement));
  ASSERT_TRUE(IsReadout(pt.FocalGR, "G - R = ", 2, " μm", a.FocalGR));
  ASSERT_TRUE(IsReadout(pt.FocalBG, "B - G = ", 2, " μm", a.FocalBG));
  ASSERT_TRUE(IsReadout(pt.ResidualGR, "dGR = ", 3, " μm", p.ResidualGR));
  ASSERT_TRUE(IsReadout(pt.ResidualGRArcsec, "      = ", 3, " ''", p.ResidualGRArcsec));
  ASSERT_TRUE(IsReadout(pt.ResidualBG, "dBG = ", 3, " μm", p.ResidualBG));
  ASSERT_TRUE(IsReadout(pt.ResidualBGArcsec, "      = ", 3, " ''", p.ResidualBGArcsec));
}

constexpr TGlass kGlasses[] = {TGlass::BK7, TGlass::SF2};
constexpr TPrismType kTypes[] = {TPrismType::Single, TPrismType::Hybrid};

TEST(Sweep, EverySpinPositionOneAtATime) {
  for (const TNumericSetting& setting : kNumericSettings) {
    for (int v = setting.Minimum; v <= setting.Maximum; v += setting.Step) {
      for (TGlass glass : kGlasses) {
        for (TPrismType type : kTypes) {
          TSettings s;
          s.*setting.Field = static_cast<int16_t>(v);
          s.Glass = glass;
          s.PrismType = type;
          SCOPED_TRACE(std::string(setting.Name) + " = " + std::to_string(v));
          ASSERT_NO_FATAL_FAILURE(CheckSettings(s));
        }
      }
    }
  }
}

TEST(Sweep, RandomCombinationsOverTheFullRanges) {
  std::mt19937 random(20261211);
  for (int i = 0; i < 100000; ++i) {
    TSettings s;
    for (const TNumericSetting& setting : kNumericSettings) {
      const int steps = (setting.Maximum - setting.Minimum) / setting.Step;
      s.*setting.Field = static_cast<int16_t>(
          setting.Minimum + setting.Step * std::uniform_int_distribution<int>(0, steps)(random));
    }
    s.Glass = kGlasses[random() % 2];
    s.PrismType = kTypes[random() % 2];
    SCOPED_TRACE("combination " + std::to_string(i));
    ASSERT_NO_FATAL_FAILURE(CheckSettings(s));
  }
}

}  // namespace
}  // namespace orvelan
