#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // The drawing and window benchmarks need Qt: one QApplication for the whole run, on the
  // offscreen platform unless QT_QPA_PLATFORM names another. Its creation is not timed.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const auto application = std::make_unique<QApplication>(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
