// The badness of fit and a whole fit on simulated point-lens events; console
// output goes to a null stream.
//
//   BM_badness      one badness-of-fit evaluation over 10000 points of 3
//                   sites without a planet (after the initial guess)
//   BM_abof         the same evaluation as the simplex makes it: the fit's
//                   objective, which leaves out the stored magnitudes and
//                   seeing corrections that nothing reads inside the simplex
//   BM_atotl_loop   a bare loop computing atotl at the same points and model:
//                   the floor an evaluation is measured against
//   BM_fit_5_3      the F command's fit of a 5000-point 3-site event: 5
//                   parameters, 3 loops, from the initial guess
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <ostream>
#include <streambuf>

#include "bench_events.h"
#include "fit/badness.h"
#include "fit/fit_drivers.h"
#include "fit/packing.h"
#include "lens/point_lens.h"
#include "shell/core/console.h"
#include "shell/core/state.h"

namespace {

// A stream that discards everything.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

struct Quiet {
  NullBuffer buf;
  std::ostream out{&buf};
  Quiet() { zolka::console::set_streams(nullptr, &out); }
  ~Quiet() { zolka::console::set_streams(nullptr, nullptr); }
};

using zolka::bench::event;

void BM_badness(benchmark::State& st) {
  Quiet quiet;
  event(10000);
  float bof = 0;
  int nd = 0, np = 0;
  for (auto _ : st) {
    zolka::badness(bof, nd, np);
    benchmark::DoNotOptimize(bof);
  }
  st.counters["points"] = nd;
}
BENCHMARK(BM_badness)->Unit(benchmark::kMicrosecond);

void BM_abof(benchmark::State& st) {
  Quiet quiet;
  event(10000);
  std::array<float, zolka::maxslots> p{}, dp{};
  zolka::safe(p.data(), dp.data());
  for (auto _ : st) benchmark::DoNotOptimize(zolka::abof(p.data()));
  st.counters["points"] = zolka::state().ndata;
}
BENCHMARK(BM_abof)->Unit(benchmark::kMicrosecond);

void BM_atotl_loop(benchmark::State& st) {
  Quiet quiet;
  event(10000);
  zolka::ProgramState& s = zolka::state();
  for (auto _ : st) {
    for (int i = 1; i <= s.ndata; ++i) {
      const float tau = static_cast<float>((s.hjd_t(i) - s.hjd0) / s.te);
      s.a_t(i) = zolka::atotl(std::sqrt(s.y0 * s.y0 + tau * tau));
    }
    benchmark::ClobberMemory();
  }
  st.counters["points"] = s.ndata;
}
BENCHMARK(BM_atotl_loop)->Unit(benchmark::kMicrosecond);

void BM_fit_5_3(benchmark::State& st) {
  Quiet quiet;
  for (auto _ : st) {
    st.PauseTiming();
    event(5000);
    st.ResumeTiming();
    zolka::fitloops(5, 3);
  }
}
BENCHMARK(BM_fit_5_3)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
