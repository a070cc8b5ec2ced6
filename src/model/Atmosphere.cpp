#include "Atmosphere.h"

#include <cmath>
#include <string>

#include "FloatingPoint.h"
#include "FormatNumber.h"
#include "RefractiveIndexSeries.h"

namespace orvelan {

namespace {

constexpr double kScaleHeight = 7400.0;  // metres
constexpr int32_t kLayerThickness = 100;  // metres
constexpr int32_t kTopOfAtmosphere = 100000;  // metres: no layer starts at or above it

double Pi() noexcept { return 4.0 * std::atan(1.0); }

// Refractive index of air at height h (whole metres) for the sea-level refractivity N.
double LayerIndex(int32_t h, double refractivity) noexcept {
  return std::exp(static_cast<double>(-h) / kScaleHeight) * refractivity + 1.0;
}

double TraceUnchecked(int32_t wavelengthNm, int32_t altitude, int32_t elevation) noexcept {
  // Apparent zenith angle at the observer.
  double z = static_cast<double>(90 - altitude) * Pi() * (1.0 / 180.0);
  // Sea-level refractivity of this colour.
  const double refractivity =
      detail::EvaluateIndexSeries(detail::kAirCoefficients, wavelengthNm) - 1.0;
  // Snell's law at every layer boundary: sin(z) n_bottom = sin(z') n_top. The index at the
  // top of one layer is the index at the bottom of the next, so each height's exponential is
  // evaluated once; the values are the same bits a fresh evaluation would give.
  int32_t h = static_cast<int32_t>(static_cast<double>(elevation) + 1.0);
  double nBottom = LayerIndex(h, refractivity);
  while (h < kTopOfAtmosphere) {
    const double nTop = LayerIndex(h + kLayerThickness, refractivity);
    z = std::asin((std::sin(z) * nBottom) / nTop);
    nBottom = nTop;
    h += kLayerThickness;
  }
  return z;
}

std::string Describe(const char* operation, const TSettings& s) {
  return std::string(operation) + "(altitude " + std::to_string(s.Altitude) + "°, elevation " +
         std::to_string(s.Elevation) + " m, wavelengths " + std::to_string(s.WavelengthR) + "/" +
         std::to_string(s.WavelengthG) + "/" + std::to_string(s.WavelengthB) +
         " nm, focal length " + std::to_string(s.FocalLength) + " mm)";
}

}  // namespace

double TraceZenithAngle(int32_t wavelengthNm, int32_t altitude, int32_t elevation) {
  return detail::CheckedComputation(
      [&] { return TraceUnchecked(wavelengthNm, altitude, elevation); },
      [&] {
        return "TraceZenithAngle(" + std::to_string(wavelengthNm) + " nm, altitude " +
               std::to_string(altitude) + "°, elevation " + std::to_string(elevation) + " m)";
      });
}

TAtmosphereResult ComputeAtmosphere(const TSettings& settings) {
  return detail::CheckedComputation(
      [&] {
        TAtmosphereResult r;
        r.ZenithR = TraceUnchecked(settings.WavelengthR, settings.Altitude, settings.Elevation);
        r.ZenithG = TraceUnchecked(settings.WavelengthG, settings.Altitude, settings.Elevation);
        r.ZenithB = TraceUnchecked(settings.WavelengthB, settings.Altitude, settings.Elevation);
        // Angular differences times the focal length, millimetres, then micrometres.
        const double focalLength = settings.FocalLength;
        r.FocalGR = ((r.ZenithG - r.ZenithR) * focalLength) * 1000.0;
        r.FocalBG = ((r.ZenithB - r.ZenithG) * focalLength) * 1000.0;
        return r;
      },
      [&] { return Describe("ComputeAtmosphere", settings); });
}

TAtmosphereReadouts AtmosphereReadouts(const TAtmosphereResult& r, int32_t altitude) {
  const double pi = Pi();
  // Altitude outside the atmosphere, from the green ray, degrees.
  const double trueAltitude = 90.0 - r.ZenithG * 180.0 / pi;
  return {
      "B - G = " + FormatNumber("0.00", (r.ZenithB - r.ZenithG) * 180.0 / pi * 3600.0) + "''",
      "G - R = " + FormatNumber("0.00", (r.ZenithG - r.ZenithR) * 180.0 / pi * 3600.0) + "''",
      "Altitude = " + FormatNumber("0.00", trueAltitude) + "°",
      "Difference = " + FormatNumber("0.00", (altitude - trueAltitude) * 60.0) + "'",
  };
}

}  // namespace orvelan
