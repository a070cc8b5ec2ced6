// Helpers of the main-window tests: user actions through real events, and the oracles that
// recompute the read-outs and pictures from the model and the drawing routines.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <cstring>
#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/HandlerGuard.h"
#include "model/Atmosphere.h"
#include "model/FormatNumber.h"
#include "model/Prism.h"
#include "render/Draw.h"
#include "ui/Main.h"

namespace orvelan::testing_support {

// One click on an arrow of a spin button: press and release with the left mouse button in
// the middle of the arrow.
inline void ClickArrow(TUpDown* spin, TUDBtnType button, int times = 1) {
  TArrowButton* arrow = button == TUDBtnType::btNext ? spin->UpButton() : spin->DownButton();
  for (int i = 0; i < times; ++i) QTest::mouseClick(arrow, Qt::LeftButton);
}

// A pick from the glass list as the keyboard makes it (Up / Down move the selection and
// report it as activated), or, when the list already shows that glass, a pick of the
// same item from the list.
inline void PickGlass(QComboBox* list, TGlass glass) {
  const int index = static_cast<int>(glass);
  if (list->currentIndex() == index) {
    emit list->activated(index);
    return;
  }
  QTest::keyClick(list, index > list->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
}

// The text a text box shows for a position.
inline std::string PositionText(const TForm1::TSettingRow& row, int16_t position) {
  if (row.Setting->Field == &TSettings::PrismAngle) return FormatNumber("0.0", position * 0.1);
  return std::to_string(position);
}

struct TReadouts {
  std::vector<std::string> Texts;  // Label1 ... Label4, Label24 ... Label26, Label28, Label31,
                                   // Label34 ... Label37
  friend bool operator==(const TReadouts&, const TReadouts&) = default;
};

inline std::vector<QLabel*> ReadoutLabels(const TForm1& f) {
  return {f.Label1,  f.Label2,  f.Label3,  f.Label4,  f.Label24, f.Label25, f.Label26,
          f.Label28, f.Label31, f.Label34, f.Label35, f.Label36, f.Label37};
}

inline TReadouts ShownReadouts(const TForm1& form) {
  TReadouts r;
  for (QLabel* label : ReadoutLabels(form)) r.Texts.push_back(label->text().toStdString());
  return r;
}

// The thirteen texts the model gives for a snapshot, in the order of ReadoutLabels.
inline TReadouts ModelReadouts(const TSettings& s) {
  const TAtmosphereResult atmosphere = ComputeAtmosphere(s);
  const TAtmosphereReadouts a = AtmosphereReadouts(atmosphere, s.Altitude);
  const TPrismReadouts p = PrismReadouts(ComputePrism(s, atmosphere), atmosphere);
  return {{a.SeparationBG, a.SeparationGR, a.TrueAltitude, a.Lift, p.Displacement, p.PrismGR,
           p.PrismBG, p.FocalGR, p.FocalBG, p.ResidualGR, p.ResidualGRArcsec, p.ResidualBG,
           p.ResidualBGArcsec}};
}

// The pixels of a surface, without row padding.
inline std::vector<uint8_t> PixelBytes(const TCanvas& canvas) {
  std::vector<uint8_t> bytes;
  const TRgbImage& pixels = canvas.Pixels();
  for (int y = 0; y < pixels.Height(); ++y)
    bytes.insert(bytes.end(), pixels.Row(y), pixels.Row(y) + 3 * pixels.Width());
  return bytes;
}

inline std::vector<TImage*> Images(const TForm1& f) {
  return {f.Image1, f.Image2, f.Image3, f.Image4, f.Image5};
}

// The five pictures as the drawing routines make them for a snapshot, drawn on fresh
// surfaces of the boxes' sizes, in the order Image1 ... Image5.
inline std::vector<std::vector<uint8_t>> RenderedPictures(const TForm1& form, const TSettings& s) {
  const TAtmosphereResult atmosphere = ComputeAtmosphere(s);
  const TPrismResult prism = ComputePrism(s, atmosphere);
  auto fresh = [&](const TImage* box) {
    return std::make_unique<TCanvas>(box->Canvas().Width(), box->Canvas().Height());
  };
  auto image1 = fresh(form.Image1), image2 = fresh(form.Image2), image3 = fresh(form.Image3),
       image4 = fresh(form.Image4), image5 = fresh(form.Image5);
  DrawUncorrectedPicture(*image1, atmosphere, s);
  DrawRayDiagramStageOne(*image2, s);
  DrawRayDiagramStageTwo(*image2, s.PrismPosition, s.ImageShift, prism.ShiftG);
  DrawCorrectedPicture(*image3, prism, s);
  DrawPositionChart(*image4, prism);
  DrawColorCorrectionChart(*image5, atmosphere, prism);
  return {PixelBytes(*image1), PixelBytes(*image2), PixelBytes(*image3), PixelBytes(*image4),
          PixelBytes(*image5)};
}

inline std::vector<std::vector<uint8_t>> ShownPictures(const TForm1& form) {
  std::vector<std::vector<uint8_t>> pictures;
  for (TImage* image : Images(form)) pictures.push_back(PixelBytes(image->Canvas()));
  return pictures;
}

// Collects the messages the handler guard would show, for the life of the object.
class TMessageLog {
 public:
  TMessageLog()
      : FScope([this](const QString& message) { Messages.push_back(message.toStdString()); }) {}
  std::vector<std::string> Messages;

 private:
  TScopedPresenter FScope;
};

// Records the pass steps the window runs.
class TStepLog {
 public:
  explicit TStepLog(TForm1& form) : FForm(form) {
    form.SetPassProbe([this](TPassStep step) { Steps.push_back(step); });
  }
  ~TStepLog() { FForm.SetPassProbe({}); }
  std::vector<TPassStep> Steps;

 private:
  TForm1& FForm;
};

inline const std::vector<TPassStep> kAtmosphereSteps{
    TPassStep::AtmosphereSnapshot, TPassStep::AtmosphereCompute,
    TPassStep::AtmosphereReadouts, TPassStep::UncorrectedPicture};
inline const std::vector<TPassStep> kPrismSteps{
    TPassStep::PrismSnapshot,      TPassStep::RayDiagramStageOne, TPassStep::PrismCompute,
    TPassStep::RayDiagramStageTwo, TPassStep::PrismReadouts,      TPassStep::CorrectedPicture,
    TPassStep::FocalReadouts,      TPassStep::PositionChart,      TPassStep::ColorCorrectionChart};

inline std::vector<TPassStep> BothPasses() {
  std::vector<TPassStep> steps = kAtmosphereSteps;
  steps.insert(steps.end(), kPrismSteps.begin(), kPrismSteps.end());
  return steps;
}

}  // namespace orvelan::testing_support
