// The four drawing routines behind the five pictures. Each reads the width and height from the
// surface it is given and assumes no box size.
#pragma once

#include <string_view>

#include "framework/Canvas.h"
#include "model/Atmosphere.h"
#include "model/Prism.h"
#include "model/Settings.h"

namespace orvelan {

// ---- Planet discs (Image1 uncorrected, Image3 corrected) ------------------------------------

// Three discs of radius 50 on black, red, green and blue; overlapping channels add. The green
// disc is centred on (W x 0.5, H x 0.5); the red and blue ones `redOffset` and `blueOffset`
// pixels higher (negative: lower). Then the caption, black 10-point text on its white cell,
// with its top left corner at (captionColumn, 0). Sets the surface's font.
void DrawPlanetDiscs(TCanvas& box, double redOffset, double blueOffset,
                     std::string_view caption, int captionColumn);

// Disc offsets in pixels: a separation on the sky drawn at 100 pixels per planet diameter.
struct TDiscOffsets {
  double Red = 0;
  double Blue = 0;
  friend bool operator==(const TDiscOffsets&, const TDiscOffsets&) = default;
};

// Uncorrected picture: (ZenithR - ZenithG) x 180 / pi x 3600 x 100 / PlanetSize for red,
// the same with ZenithB for blue. Throws std::invalid_argument for PlanetSize < 1.
TDiscOffsets UncorrectedDiscOffsets(const TAtmosphereResult& atmosphere, int planetSize);
// Corrected picture: -ResidualGRArcsec x 100 / PlanetSize for red,
// ResidualBGArcsec x 100 / PlanetSize for blue. Throws std::invalid_argument for PlanetSize < 1.
TDiscOffsets CorrectedDiscOffsets(const TPrismResult& prism, int planetSize);

inline constexpr std::string_view kUncorrectedCaption = " Original Image ";
inline constexpr int kUncorrectedCaptionColumn = 39;
inline constexpr std::string_view kCorrectedCaption = " Corrected Image ";
inline constexpr int kCorrectedCaptionColumn = 26;

// The two pictures as the passes draw them: offsets, caption and column from the tables above.
void DrawUncorrectedPicture(TCanvas& box, const TAtmosphereResult& atmosphere,
                            const TSettings& settings);
void DrawCorrectedPicture(TCanvas& box, const TPrismResult& prism, const TSettings& settings);

// ---- Ray diagram (Image2) --------------------------------------------------------------------

// Stage one, before ComputePrism: white ground, the wedge (from PrismAngle, PrismPosition,
// PrismType), the dash-dot optical axis and the captions "Ray Diagram", "CCD", "Prism".
// Sets the surface's pen and font.
void DrawRayDiagramStageOne(TCanvas& box, const TSettings& settings);
// Stage two, right after ComputePrism and stage one: the green ray, bent at the prism by
// `shiftG` millimetres (TPrismResult::ShiftG), and the black sensor line. Sets the pen.
// Throws std::domain_error for a shiftG that is NaN or infinite.
void DrawRayDiagramStageTwo(TCanvas& box, int prismPosition, int imageShift, double shiftG);

// ---- Charts (Image4, Image5) -----------------------------------------------------------------

// "Position": a black cross through (W div 2, H div 2) and an aqua tick 20 pixels wide at
// ShiftG x 10 pixels above the middle. Sets brush, pen and font.
// Throws std::domain_error for a ShiftG that is NaN or infinite.
void DrawPositionChart(TCanvas& box, const TPrismResult& prism);

// "Color Correction": the blue bar (second fifth of the width) and the red bar (fourth fifth)
// run from the centre row H div 2 to (c + PrismBG) - FocalBG and (c + PrismGR) - FocalGR, then
// the black centre line. Sets the brush and the pen (black, solid, as a new surface has it).
// Throws std::domain_error for a bar end that is NaN or infinite.
void DrawColorCorrectionChart(TCanvas& box, const TAtmosphereResult& atmosphere,
                              const TPrismResult& prism);

}  // namespace orvelan
