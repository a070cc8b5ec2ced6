// One user click on the altitude spin button of an offscreen main window: the handler, both
// passes, thirteen read-outs and five pictures, with the repaint that follows (BM_Click) and
// without it (BM_ClickHandler).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include "ui/Main.h"

namespace {

using namespace orvelan;

// Clicks UpDown1's up and down arrows in turn, so that every click changes the position and
// runs the handler, and checks that every click did. With `timeRepaint` false, the repaint
// that follows each click runs outside the timing.
void RunClicks(benchmark::State& state, bool timeRepaint) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    state.SkipWithError("the window needs a QApplication (see bench_main.cpp)");
    return;
  }
  TForm1 form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) {
    state.SkipWithError("the window was not exposed");
    return;
  }
  QCoreApplication::processEvents();
  TArrowButton* arrows[] = {form.UpDown1->UpButton(), form.UpDown1->DownButton()};
  int next = 0;
  // The probe counts the atmosphere passes.
  int64_t passes = 0;
  form.SetPassProbe([&passes](TPassStep step) {
    if (step == TPassStep::AtmosphereCompute) ++passes;
  });
  for (auto _ : state) {
    QTest::mouseClick(arrows[next], Qt::LeftButton);
    if (timeRepaint) {
      QCoreApplication::processEvents();  // the repaint of the labels and pictures
    } else {
      state.PauseTiming();
      QCoreApplication::processEvents();
      state.ResumeTiming();
    }
    next = 1 - next;
  }
  form.SetPassProbe({});
  if (passes != state.iterations()) state.SkipWithError("a click did not run the handler");
  benchmark::DoNotOptimize(form.Label1->text());
}

// From the press to the new pixels on the (offscreen) screen: the click as a user sees it.
void BM_Click(benchmark::State& state) { RunClicks(state, true); }
BENCHMARK(BM_Click)->Unit(benchmark::kMicrosecond);

// The same click up to the return of the handler: the passes, the new texts and the drawn
// pictures, without Qt's repaint of the window.
void BM_ClickHandler(benchmark::State& state) { RunClicks(state, false); }
BENCHMARK(BM_ClickHandler)->Unit(benchmark::kMicrosecond);

}  // namespace
