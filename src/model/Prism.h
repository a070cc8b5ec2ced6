// The wedge prism in front of the sensor: deviations, focal-plane shifts and the colour error
// left after it.
#pragma once

#include <string>

#include "Atmosphere.h"
#include "Settings.h"

namespace orvelan {

struct TPrismResult {
  double WedgeAngle = 0;  // wedge angle A, radians
  double IndexR = 0;      // refractive index (or SF2/BK7 index ratio for Hybrid), red
  double IndexG = 0;
  double IndexB = 0;
  double DeviationR = 0;  // asin(index x sin A) - A, radians
  double DeviationG = 0;
  double DeviationB = 0;
  double ShiftR = 0;      // tan(deviation) x PrismPosition: image movement on the sensor, mm
  double ShiftG = 0;
  double ShiftB = 0;
  double Displacement = 0;      // ImageShift + ShiftG: green image from the optical axis, mm
  double PrismGR = 0;           // (ShiftG - ShiftR) x 1000, micrometres
  double PrismBG = 0;           // (ShiftB - ShiftG) x 1000, micrometres
  double ResidualGR = 0;        // FocalGR - PrismGR, micrometres
  double ResidualBG = 0;        // FocalBG - PrismBG, micrometres
  double ResidualGRArcsec = 0;  // ResidualGR as an angle on the sky, arcseconds
  double ResidualBGArcsec = 0;  // ResidualBG as an angle on the sky, arcseconds

  friend bool operator==(const TPrismResult&, const TPrismResult&) = default;
};

// Computes the wedge's effect for the three filter wavelengths and sets it against the
// atmosphere's focal-plane separations (only FocalGR and FocalBG of `atmosphere` are read).
//
// Reads WavelengthR/G/B (300 ... 900 nm), FocalLength (1000 ... 30000 mm), PrismAngle (-100 ...
// 100 tenths of a degree), PrismPosition (0 ... 100 mm), ImageShift (-10 ... 10 mm), Glass and
// PrismType. A Single wedge uses the index of its glass; a Hybrid wedge uses SF2 / BK7 and
// ignores Glass. Signs follow the wedge angle: a negative angle gives negative deviations and
// shifts. A floating-point fault (a focal length of 0, an arcsine argument beyond 1 for an
// out-of-range angle) throws TComputationError.
TPrismResult ComputePrism(const TSettings& settings, const TAtmosphereResult& atmosphere);

// The nine prism read-outs: prefix, the value formatted by FormatNumber, suffix.
struct TPrismReadouts {
  std::string PrismGR;           // "G - R = 3.8 μm"       the wedge's green minus red
  std::string PrismBG;           // "B - G = 6.8 μm"       the wedge's blue minus green
  std::string Displacement;      // "移動量 = 0.45 mm"      green image from the optical axis
  std::string FocalGR;           // "G - R = 9.88 μm"      atmosphere's green minus red
  std::string FocalBG;           // "B - G = 18.37 μm"     atmosphere's blue minus green
  std::string ResidualGR;        // "dGR = 6.113 μm"       green minus red left after the wedge
  std::string ResidualGRArcsec;  // "      = 0.210 ''"     the same on the sky
  std::string ResidualBG;        // "dBG = 11.609 μm"      blue minus green left after the wedge
  std::string ResidualBGArcsec;  // "      = 0.399 ''"     the same on the sky
};

TPrismReadouts PrismReadouts(const TPrismResult& prism, const TAtmosphereResult& atmosphere);

}  // namespace orvelan
