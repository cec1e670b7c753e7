// The chi-square map over planet x, y at q = 0.001 of a simulated three-site
// event of 3000 points, with no parameters refitted per pixel.
//
//   BM_map_xy   one whole map: reference fit, reconnaissance pass, main pass
//               and summary. Counters: pixels of the grid, pixels computed,
//               pixels computed per second of the main pass, the shares of
//               the map's CPU time in the reconnaissance and main passes (as
//               the map reports them on its "Total CPU:" line), and the heap
//               allocations made during the map per computed pixel.
//
// For the share of time inside the magnification and model routines, profile
// this program, e.g.
//   valgrind --tool=callgrind build/bench/bench_map --benchmark_filter=BM_map_xy
//   perf record -g build/bench/bench_map; perf report
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <sstream>
#include <string>

#include "bench_events.h"
#include "detect/chi2map.h"
#include "detect/grids.h"
#include "lens/planet_geometry.h"
#include "shell/core/console.h"
#include "shell/core/state.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// Every heap allocation of the program is counted (malloc and free pair up).
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t n) {
  ++allocations;
  if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

// The benchmarks' 3000-point event without a planet; the user's planet has
// q = 0.001 and sits far from every image.
void event() {
  zolka::bench::event(3000);
  zolka::state().qpl = 0.001f;
  zolka::setplxy(30, 30);
}

// The three numbers of the map's "Total CPU: a + b = c" line.
void total_cpu(const std::string& out, double& recon, double& main, double& total) {
  recon = main = total = 0;
  const std::size_t at = out.rfind("Total CPU:");
  if (at == std::string::npos) return;
  std::istringstream line(out.substr(at + 10));
  std::string plus, equals;
  line >> recon >> plus >> main >> equals >> total;
}

void BM_map_xy(benchmark::State& st) {
  std::ostringstream out;
  std::istringstream in;
  zolka::console::set_streams(&in, &out);
  event();
  zolka::ProgramState& s = zolka::state();
  long computed = 0, allocs = 0;
  double recon = 0, main = 0, total = 0;
  for (auto _ : st) {
    st.PauseTiming();
    out.str("");
    in.clear();
    in.str("0\n");     // parameters to tweak
    s.needcxy = true;  // never reuse the cached map
    zolka::gridbox("XY");
    st.ResumeTiming();
    const long before = allocations.load();
    zolka::chi2map("XY");
    allocs = allocations.load() - before;
    total_cpu(out.str(), recon, main, total);
    computed = 0;
    for (int p = 1; p <= s.n_1 * s.n_2; ++p) computed += s.chi2_12(p) != s.chi2fit;
  }
  zolka::console::set_streams(nullptr, nullptr);
  st.counters["pixels"] = s.n_1 * s.n_2;
  st.counters["computed"] = static_cast<double>(computed);
  st.counters["pixels_per_s"] = main > 0 ? static_cast<double>(computed) / main : 0;
  st.counters["recon_share"] = total > 0 ? recon / total : 0;
  st.counters["main_s"] = main;
  st.counters["allocs_per_pixel"] =
      computed > 0 ? static_cast<double>(allocs) / static_cast<double>(computed) : 0;
}
BENCHMARK(BM_map_xy)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
