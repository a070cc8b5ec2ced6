#include "Prism.h"

#include <cmath>
#include <string>

#include "FloatingPoint.h"
#include "FormatNumber.h"
#include "RefractiveIndexSeries.h"

namespace orvelan {

namespace {

double IndexOf(const TSettings& s, int32_t wavelengthNm) noexcept {
  using detail::EvaluateIndexSeries;
  if (s.PrismType == TPrismType::Hybrid) {
    // SF2 set against BK7: the ratio takes the place of the index.
    return EvaluateIndexSeries(detail::kSF2Coefficients, wavelengthNm) /
           EvaluateIndexSeries(detail::kBK7Coefficients, wavelengthNm);
  }
  return EvaluateIndexSeries(
      s.Glass == TGlass::SF2 ? detail::kSF2Coefficients : detail::kBK7Coefficients, wavelengthNm);
}

TPrismResult ComputeUnchecked(const TSettings& s, const TAtmosphereResult& atmosphere) noexcept {
  const double pi = 4.0 * std::atan(1.0);
  TPrismResult r;
  // Wedge angle: tenths of a degree to degrees to radians.
  r.WedgeAngle = s.PrismAngle / 10.0 * pi * (1.0 / 180.0);
  r.IndexR = IndexOf(s, s.WavelengthR);
  r.IndexG = IndexOf(s, s.WavelengthG);
  r.IndexB = IndexOf(s, s.WavelengthB);
  // A beam square on to the first face leaves the second, inclined at A, with
  // sin(A + deviation) = n sin A.
  const double sinA = std::sin(r.WedgeAngle);
  r.DeviationR = std::asin(r.IndexR * sinA) - r.WedgeAngle;
  r.DeviationG = std::asin(r.IndexG * sinA) - r.WedgeAngle;
  r.DeviationB = std::asin(r.IndexB * sinA) - r.WedgeAngle;
  // The beam turns PrismPosition millimetres in front of the sensor.
  const double lever = s.PrismPosition;
  r.ShiftR = std::tan(r.DeviationR) * lever;
  r.ShiftG = std::tan(r.DeviationG) * lever;
  r.ShiftB = std::tan(r.DeviationB) * lever;
  r.Displacement = s.ImageShift + r.ShiftG;
  // The wedge's own colour separations, micrometres, and what is left of the atmosphere's.
  r.PrismGR = (r.ShiftG - r.ShiftR) * 1000.0;
  r.PrismBG = (r.ShiftB - r.ShiftG) * 1000.0;
  r.ResidualGR = atmosphere.FocalGR - r.PrismGR;
  r.ResidualBG = atmosphere.FocalBG - r.PrismBG;
  // Residuals as angles on the sky: micrometres to millimetres, over the focal length.
  const double focalLength = s.FocalLength;
  r.ResidualGRArcsec = std::atan(r.ResidualGR * 0.001 / focalLength) * 3600.0 * 180.0 / pi;
  r.ResidualBGArcsec = std::atan(r.ResidualBG * 0.001 / focalLength) * 3600.0 * 180.0 / pi;
  return r;
}

}  // namespace

TPrismResult ComputePrism(const TSettings& settings, const TAtmosphereResult& atmosphere) {
  return detail::CheckedComputation(
      [&] { return ComputeUnchecked(settings, atmosphere); },
      [&] {
        const TSettings& s = settings;
        return "ComputePrism(wedge " + std::to_string(s.PrismAngle) + "/10°, position " +
               std::to_string(s.PrismPosition) + " mm, wavelengths " +
               std::to_string(s.WavelengthR) + "/" + std::to_string(s.WavelengthG) + "/" +
               std::to_string(s.WavelengthB) + " nm, focal length " +
               std::to_string(s.FocalLength) + " mm)";
      });
}

TPrismReadouts PrismReadouts(const TPrismResult& p, const TAtmosphereResult& a) {
  static constexpr const char* kMicrometres = " μm";
  static constexpr const char* kArcseconds = " ''";
  static constexpr const char* kOnTheSky = "      = ";
  return {
      "G - R = " + FormatNumber("0.0", p.PrismGR) + kMicrometres,
      "B - G = " + FormatNumber("0.0", p.PrismBG) + kMicrometres,
      "移動量 = " + FormatNumber("0.00", p.Displacement) + " mm",
      "G - R = " + FormatNumber("0.00", a.FocalGR) + kMicrometres,
      "B - G = " + FormatNumber("0.00", a.FocalBG) + kMicrometres,
      "dGR = " + FormatNumber("0.000", p.ResidualGR) + kMicrometres,
      kOnTheSky + FormatNumber("0.000", p.ResidualGRArcsec) + kArcseconds,
      "dBG = " + FormatNumber("0.000", p.ResidualBG) + kMicrometres,
      kOnTheSky + FormatNumber("0.000", p.ResidualBGArcsec) + kArcseconds,
  };
}

}  // namespace orvelan
