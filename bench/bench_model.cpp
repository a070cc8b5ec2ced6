#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "model/Atmosphere.h"
#include "model/FloatingPoint.h"
#include "model/Prism.h"

namespace {

// The bare floor of an atmosphere pass: three traces through the layers, each layer with
// two exponentials, a sine and an arcsine, at the default settings, and nothing else. The
// ratios of the other benchmarks to this one are the figures that matter.
double FloorTrace(double refractivity) {
  const double pi = 4.0 * std::atan(1.0);
  double z = 45 * pi * (1.0 / 180.0);
  for (int32_t h = 1; h < 100000; h += 100) {
    const double nBottom = std::exp(static_cast<double>(-h) / 7400.0) * refractivity + 1.0;
    const double nTop = std::exp(static_cast<double>(-(h + 100)) / 7400.0) * refractivity + 1.0;
    z = std::asin((std::sin(z) * nBottom) / nTop);
  }
  return z;
}

void BM_TraceFloor(benchmark::State& state) {
  // Refractivities of air at 660, 550 and 440 nm.
  double r = 2.77586749e-4, g = 2.79232946e-4, b = 2.82294283e-4;
  // From the clean vector state every model computation starts from (see FloatingPoint.h):
  // a benchmark run before this one, a click among them, may have left it dirty, and libm's
  // SSE code then runs many times slower.
  orvelan::detail::ClearUpperVectorState();
  for (auto _ : state) {
    benchmark::DoNotOptimize(r);
    benchmark::DoNotOptimize(g);
    benchmark::DoNotOptimize(b);
    benchmark::DoNotOptimize(FloorTrace(r));
    benchmark::DoNotOptimize(FloorTrace(g));
    benchmark::DoNotOptimize(FloorTrace(b));
  }
}
BENCHMARK(BM_TraceFloor);

void BM_ComputeAtmosphere(benchmark::State& state) {
  orvelan::TSettings settings;
  for (auto _ : state) {
    benchmark::DoNotOptimize(settings);
    benchmark::DoNotOptimize(orvelan::ComputeAtmosphere(settings));
  }
}
BENCHMARK(BM_ComputeAtmosphere);

void BM_ComputePrism(benchmark::State& state) {
  orvelan::TSettings settings;
  const orvelan::TAtmosphereResult atmosphere = orvelan::ComputeAtmosphere(settings);
  for (auto _ : state) {
    benchmark::DoNotOptimize(settings);
    benchmark::DoNotOptimize(orvelan::ComputePrism(settings, atmosphere));
  }
}
BENCHMARK(BM_ComputePrism);

}  // namespace
