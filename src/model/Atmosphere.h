// Atmospheric refraction and dispersion: the layered ray trace and its read-outs.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "Settings.h"

namespace orvelan {

// Where the three colours leave the model atmosphere and how far apart they land in the focal
// plane. All fields are zero before the first computation.
struct TAtmosphereResult {
  double ZenithR = 0;  // zenith angle of the red ray at the top of the atmosphere, radians
  double ZenithG = 0;  // same for green
  double ZenithB = 0;  // same for blue
  double FocalGR = 0;  // (ZenithG - ZenithR) x focal length: green minus red, micrometres
  double FocalBG = 0;  // (ZenithB - ZenithG) x focal length: blue minus green, micrometres

  friend bool operator==(const TAtmosphereResult&, const TAtmosphereResult&) = default;
};

// Traces one ray from the observer up through horizontal layers of air 100 m thick, whose
// refractivity falls off as exp(-h / 7400 m), and returns its zenith angle at the top of the
// atmosphere (radians).
//
//   wavelengthNm  300 ... 900 nm
//   altitude      apparent altitude of the planet, 5 ... 90 whole degrees
//   elevation     observer's height above sea level, 0 ... 10000 m
//
// The trace starts at elevation + 1 m and crosses layers while the lower edge of the next
// layer is below 100000 m: 1000 layers from sea level, 900 from 10000 m. A start at or above
// 100000 m crosses no layer and returns the apparent zenith angle unchanged. Altitudes
// outside 0 ... 180 degrees are traced as given. A floating-point fault (an arcsine argument
// beyond 1, a zero wavelength) throws TComputationError.
double TraceZenithAngle(int32_t wavelengthNm, int32_t altitude, int32_t elevation);

// Traces the red, green and blue rays of `settings` and converts their differences into
// focal-plane separations with the settings' focal length. Reads Altitude, Elevation, the
// three wavelengths and FocalLength. Throws TComputationError on a floating-point fault.
TAtmosphereResult ComputeAtmosphere(const TSettings& settings);

// The four atmosphere read-outs, each number formatted "0.00".
struct TAtmosphereReadouts {
  std::string SeparationBG;  // "B - G = 0.63''"       blue minus green on the sky, arcseconds
  std::string SeparationGR;  // "G - R = 0.34''"       green minus red on the sky, arcseconds
  std::string TrueAltitude;  // "Altitude = 44.98°"    altitude outside the atmosphere, degrees
  std::string Lift;          // "Difference = 0.96'"   how far the atmosphere lifts, arcminutes
};

// Forms the read-outs from a result and the apparent altitude (whole degrees) it was traced at.
TAtmosphereReadouts AtmosphereReadouts(const TAtmosphereResult& result, int32_t altitude);

}  // namespace orvelan
