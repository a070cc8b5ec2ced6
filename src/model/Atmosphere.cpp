#include "Atmosphere.h"

#include <array>
#include <cmath>
#include <cstddef>
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

// exp(-h / H) for a height h in whole metres: the fall-off of refractivity with height.
double FallOff(int32_t h) noexcept { return std::exp(static_cast<double>(-h) / kScaleHeight); }

// Traces rays of several colours through the same layers, side by side. Within one ray every
// layer waits on the sine and arcsine of the layer below, so a lone trace leaves the
// processor idle for most of each step; the rays of other colours fill that time. Each ray
// sees exactly the operations of a trace of its own, so the results are the same bits.
template <std::size_t N>
std::array<double, N> TraceUnchecked(const std::array<int32_t, N>& wavelengthsNm,
                                     int32_t altitude, int32_t elevation) noexcept {
  std::array<double, N> z;             // zenith angle of each ray, radians
  std::array<double, N> refractivity;  // sea-level refractivity of each colour
  for (std::size_t i = 0; i < N; ++i) {
    // Apparent zenith angle at the observer.
    z[i] = static_cast<double>(90 - altitude) * Pi() * (1.0 / 180.0);
    refractivity[i] =
        detail::EvaluateIndexSeries(detail::kAirCoefficients, wavelengthsNm[i]) - 1.0;
  }
  // Snell's law at every layer boundary: sin(z) n_bottom = sin(z') n_top, with the index
  // n = exp(-h / H) N + 1. The top of one layer is the bottom of the next, and the fall-off
  // is the same for every colour, so each height's exponential is evaluated once.
  int32_t h = static_cast<int32_t>(static_cast<double>(elevation) + 1.0);
  std::array<double, N> nBottom;
  const double fallOff = FallOff(h);
  for (std::size_t i = 0; i < N; ++i) nBottom[i] = fallOff * refractivity[i] + 1.0;
  while (h < kTopOfAtmosphere) {
    const double fallOffTop = FallOff(h + kLayerThickness);
    for (std::size_t i = 0; i < N; ++i) {
      const double nTop = fallOffTop * refractivity[i] + 1.0;
      z[i] = std::asin((std::sin(z[i]) * nBottom[i]) / nTop);
      nBottom[i] = nTop;
    }
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
      [&] { return TraceUnchecked(std::array{wavelengthNm}, altitude, elevation)[0]; },
      [&] {
        return "TraceZenithAngle(" + std::to_string(wavelengthNm) + " nm, altitude " +
               std::to_string(altitude) + "°, elevation " + std::to_string(elevation) + " m)";
      });
}

TAtmosphereResult ComputeAtmosphere(const TSettings& settings) {
  return detail::CheckedComputation(
      [&] {
        TAtmosphereResult r;
        const std::array<int32_t, 3> wavelengths{settings.WavelengthR, settings.WavelengthG,
                                                 settings.WavelengthB};
        const auto [zenithR, zenithG, zenithB] =
            TraceUnchecked(wavelengths, settings.Altitude, settings.Elevation);
        r.ZenithR = zenithR;
        r.ZenithG = zenithG;
        r.ZenithB = zenithB;
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
