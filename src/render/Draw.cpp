#include "render/Draw.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "framework/RgbImage.h"
#include "render/Raster.h"

namespace orvelan {

namespace {

constexpr int kCaptionPoints = 10;

// A real pixel coordinate becomes a whole one by truncation toward zero. Values beyond a
// billion pixels are held there: they lie far outside any box and are clipped all the same.
int PixelCoordinate(double value, const char* what) {
  if (!std::isfinite(value)) {
    throw std::domain_error(std::string(what) + ": pixel coordinate is not a finite number");
  }
  constexpr double kLimit = 1e9;
  return static_cast<int>(std::trunc(std::fmax(-kLimit, std::fmin(kLimit, value))));
}

double Pi() { return 4 * std::atan(1.0); }

double CheckedPlanetSize(int planetSize) {
  if (planetSize < 1) {
    throw std::invalid_argument("planet size " + std::to_string(planetSize) +
                                " arcseconds: must be at least 1");
  }
  return planetSize;
}

void SetCaptionFont(TCanvas& box) {
  box.Font.Size = kCaptionPoints;
  box.Font.Color = clBlack;
  box.Brush.Color = clWhite;  // the opaque text cell
}

}  // namespace

void DrawPlanetDiscs(TCanvas& box, double redOffset, double blueOffset,
                     std::string_view caption, int captionColumn) {
  {
    TRgbImage picture(box.Width(), box.Height(), TRgbImage::TUninitialized{});
    FillPlanetDiscs(picture, redOffset, blueOffset);
    box.Draw(0, 0, picture);
  }
  SetCaptionFont(box);
  box.TextOut(captionColumn, 0, caption);
}

TDiscOffsets UncorrectedDiscOffsets(const TAtmosphereResult& atmosphere, int planetSize) {
  const double size = CheckedPlanetSize(planetSize);
  const double pi = Pi();
  return {(atmosphere.ZenithR - atmosphere.ZenithG) * 180 / pi * 3600 * 100 / size,
          (atmosphere.ZenithB - atmosphere.ZenithG) * 180 / pi * 3600 * 100 / size};
}

TDiscOffsets CorrectedDiscOffsets(const TPrismResult& prism, int planetSize) {
  const double size = CheckedPlanetSize(planetSize);
  return {-prism.ResidualGRArcsec * 100 / size, prism.ResidualBGArcsec * 100 / size};
}

void DrawUncorrectedPicture(TCanvas& box, const TAtmosphereResult& atmosphere,
                            const TSettings& settings) {
  const TDiscOffsets offsets = UncorrectedDiscOffsets(atmosphere, settings.PlanetSize);
  DrawPlanetDiscs(box, offsets.Red, offsets.Blue, kUncorrectedCaption,
                  kUncorrectedCaptionColumn);
}

void DrawCorrectedPicture(TCanvas& box, const TPrismResult& prism, const TSettings& settings) {
  const TDiscOffsets offsets = CorrectedDiscOffsets(prism, settings.PlanetSize);
  DrawPlanetDiscs(box, offsets.Red, offsets.Blue, kCorrectedCaption, kCorrectedCaptionColumn);
}

void DrawRayDiagramStageOne(TCanvas& box, const TSettings& settings) {
  const int width = box.Width(), height = box.Height();
  const int p = 2 * settings.PrismPosition;
  {
    TRgbImage picture(width, height, TRgbImage::TUninitialized{});
    FillWedge(picture, settings.PrismPosition, WedgeTangent(settings.PrismAngle),
              settings.PrismType);
    box.Draw(0, 0, picture);
  }
  // Optical axis.
  const int axisRow = PixelCoordinate(height * 0.5, "optical axis");
  box.Brush.Color = clWhite;  // the gaps of the dash-dot line
  box.Pen.Color = clBlack;
  box.Pen.Style = TPenStyle::DashDot;
  box.MoveTo(0, axisRow);
  box.LineTo(width, axisRow);
  // Captions.
  SetCaptionFont(box);
  box.TextOut(110, 0, "Ray Diagram");
  box.TextOut(225, 20, "CCD");
  box.TextOut(width - p - 30, 120, "Prism");
}

void DrawRayDiagramStageTwo(TCanvas& box, int prismPosition, int imageShift, double shiftG) {
  const int width = box.Width(), height = box.Height();
  const int p = 2 * prismPosition;
  const int s = 2 * imageShift;
  const int xP = width - p - 10;
  const int xS = width - 10;
  const int yIn = PixelCoordinate(height * 0.5 - s, "incoming ray");
  const int yOut = PixelCoordinate(height * 0.5 - 2 * shiftG - s, "ray at the sensor");
  // The ray, straight to the prism, then bent to the sensor.
  box.Pen.Color = clGreen;
  box.Pen.Style = TPenStyle::Solid;
  box.MoveTo(0, yIn);
  box.LineTo(xP, yIn);
  box.LineTo(xS, yOut);
  // The sensor.
  box.Pen.Color = clBlack;
  box.MoveTo(xS, 0);
  box.LineTo(xS, height);
}

void DrawPositionChart(TCanvas& box, const TPrismResult& prism) {
  const int width = box.Width(), height = box.Height();
  const int cx = width / 2, cy = height / 2;
  const int tickRow = PixelCoordinate(cy - prism.ShiftG * 10, "position tick");
  box.Brush.Color = clWhite;
  box.FillRect(0, 0, width, height);
  box.Pen.Color = clBlack;
  box.Pen.Style = TPenStyle::Solid;
  box.MoveTo(cx, 0);
  box.LineTo(cx, height);
  box.MoveTo(0, cy);
  box.LineTo(width, cy);
  box.Pen.Color = clAqua;
  box.MoveTo(cx - 10, tickRow);
  box.LineTo(cx + 10, tickRow);
  SetCaptionFont(box);
  box.TextOut(10, 0, "Position");
}

void DrawColorCorrectionChart(TCanvas& box, const TAtmosphereResult& atmosphere,
                              const TPrismResult& prism) {
  const int width = box.Width(), height = box.Height();
  const int c = height / 2;
  const int redEnd = PixelCoordinate((c + prism.PrismGR) - atmosphere.FocalGR, "red bar");
  const int blueEnd = PixelCoordinate((c + prism.PrismBG) - atmosphere.FocalBG, "blue bar");
  box.Brush.Color = clWhite;
  box.FillRect(0, 0, width, height);
  SetCaptionFont(box);
  box.TextOut(45, 0, "Color Correction");
  // Bars from the centre row toward their end rows (a bar ending above the centre is a
  // rectangle turned over, which covers the rows end + 1 ... c).
  box.Brush.Color = clRed;
  box.FillRect((3 * width) / 5, c, (4 * width) / 5, redEnd);
  box.Brush.Color = clBlue;
  box.FillRect(width / 5, c, (2 * width) / 5, blueEnd);
  box.Pen.Color = clBlack;
  box.Pen.Style = TPenStyle::Solid;
  box.MoveTo(0, c);
  box.LineTo(width, c);
}

}  // namespace orvelan
