#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

#include "framework/Canvas.h"
#include "model/Atmosphere.h"
#include "model/Prism.h"
#include "model/Settings.h"
#include "render/Draw.h"

namespace {

using namespace orvelan;

// Text goes through Qt's font engine, which needs a QGuiApplication; one for the whole run.
void EnsureGuiApplication() {
  static int argc = 1;
  static char name[] = "orvelan_bench";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = []() -> std::unique_ptr<QGuiApplication> {
    if (QCoreApplication::instance() != nullptr) return nullptr;  // bench_main made one
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return std::make_unique<QGuiApplication>(argc, argv);
  }();
}

// All five pictures, drawn as one atmosphere pass and one prism pass draw them, into boxes of
// the main window's sizes. The model results are computed once, outside the timing.
// Argument: the wedge angle in tenths of a degree (0, the default, or a non-zero wedge).
void BM_DrawPictures(benchmark::State& state) {
  EnsureGuiApplication();
  TSettings settings;
  settings.PrismAngle = static_cast<int16_t>(state.range(0));
  const TAtmosphereResult atmosphere = ComputeAtmosphere(settings);
  const TPrismResult prism = ComputePrism(settings, atmosphere);
  TCanvas image1(160, 160), image2(265, 160), image3(153, 160), image4(65, 145), image5(177, 113);
  for (auto _ : state) {
    DrawUncorrectedPicture(image1, atmosphere, settings);
    DrawRayDiagramStageOne(image2, settings);
    DrawRayDiagramStageTwo(image2, settings.PrismPosition, settings.ImageShift, prism.ShiftG);
    DrawCorrectedPicture(image3, prism, settings);
    DrawPositionChart(image4, prism);
    DrawColorCorrectionChart(image5, atmosphere, prism);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawPictures)->Arg(0)->Arg(55);

}  // namespace
