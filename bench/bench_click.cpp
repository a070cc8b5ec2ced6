// One user click on the altitude spin button of an offscreen main window: the handler, both
// passes, thirteen read-outs, five pictures, and the repaint that follows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include "ui/Main.h"

namespace {

using namespace orvelan;

void BM_Click(benchmark::State& state) {
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
  // Up and down in turn, so that every click changes the position and runs the handler.
  TArrowButton* arrows[] = {form.UpDown1->UpButton(), form.UpDown1->DownButton()};
  int next = 0;
  // Each click must run the handler and its passes: the probe counts the atmosphere passes.
  int64_t passes = 0;
  form.SetPassProbe([&passes](TPassStep step) {
    if (step == TPassStep::AtmosphereCompute) ++passes;
  });
  for (auto _ : state) {
    QTest::mouseClick(arrows[next], Qt::LeftButton);
    QCoreApplication::processEvents();  // the repaint of the labels and pictures
    next = 1 - next;
  }
  form.SetPassProbe({});
  if (passes != state.iterations()) state.SkipWithError("a click did not run the handler");
  benchmark::DoNotOptimize(form.Label1->text());
}
BENCHMARK(BM_Click)->Unit(benchmark::kMicrosecond);

}  // namespace
