// The pixel-by-pixel parts of the pictures, each in two forms: the plain per-pixel definition
// and the row-run form the drawing routines use. Both must give identical pixels; the tests
// compare them over many sizes and inputs.
#pragma once

#include "framework/RgbImage.h"
#include "model/Settings.h"

namespace orvelan {

// Planet discs: pixel (x, y) gets red 255 if (x - cx)^2 + (y - cy + redOffset)^2 < 2500, green
// 255 if (x - cx)^2 + (y - cy)^2 < 2500, blue 255 if (x - cx)^2 + (y - cy + blueOffset)^2 <
// 2500, with cx = W x 0.5, cy = H x 0.5; every other channel 0.
void FillPlanetDiscsPerPixel(TRgbImage& image, double redOffset, double blueOffset);
void FillPlanetDiscs(TRgbImage& image, double redOffset, double blueOffset);

// Wedge of the ray diagram on white ground, for p = 2 x prismPosition and the tangent t of the
// wedge angle; see WedgeTangent.
void FillWedgePerPixel(TRgbImage& image, int prismPosition, double tangent, TPrismType type);
void FillWedge(TRgbImage& image, int prismPosition, double tangent, TPrismType type);

// tan of the wedge angle, formed as ComputePrism forms WedgeAngle:
// (prismAngle / 10) x pi x (1 / 180), pi = 4 atan(1).
double WedgeTangent(int prismAngle);

}  // namespace orvelan
