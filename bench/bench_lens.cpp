// Speed of the lens models over one fixed set of 10^6 source positions: half
// uniform in |x|, |y| < 2, half within 0.05 of the caustic of a planet of mass
// ratio 1e-3 at (1, 0) (star at the origin). BM_atotl is the point lens alone,
// BM_lens2 the binary lens, BM_asp the magnification with that planet, and
// BM_asp_far the same with the planet at (30, 30), where it perturbs nothing
// and only the cheap single-lens estimate runs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <random>
#include <sstream>
#include <vector>

#include "lens/binary_lens.h"
#include "lens/multi_planet.h"
#include "lens/point_lens.h"
#include "shell/core/console.h"
#include "shell/model/startup.h"

namespace {

constexpr int npos = 1000000;
constexpr float qpl = 1e-3f;

struct Positions {
  std::vector<float> x, y;
};

// Caustic points of the lens from the critical curve: with w = conj(z),
// m1/w^2 + m2/(w - 1)^2 = exp(-i phi), i.e. the quartic
// m1 (w - 1)^2 + m2 w^2 - exp(-i phi) w^2 (w - 1)^2 = 0.
std::vector<std::complex<double>> caustic(double q, int nphi) {
  const double m1 = 1 / (1 + q), m2 = q / (1 + q);
  std::vector<std::complex<double>> pts;
  for (int k = 0; k < nphi; ++k) {
    const std::complex<double> e = std::polar(1.0, -2 * M_PI * k / nphi);
    const zolka::cplx c[5] = {m1, -2 * m1, m1 + m2 - e, 2.0 * e, -e};
    zolka::cplx w[4];
    zolka::dzroots(c, 4, w, true);
    for (const auto& wk : w) pts.push_back(std::conj(wk) - m1 / wk - m2 / (wk - 1.0));
  }
  return pts;
}

const Positions& positions() {
  static const Positions p = [] {
    Positions r;
    std::mt19937 gen(20110622);
    std::uniform_real_distribution<float> box(-2, 2);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto pts = caustic(qpl, 4096);
    for (int i = 0; i < npos / 2; ++i) {
      r.x.push_back(box(gen));
      r.y.push_back(box(gen));
    }
    for (int i = npos / 2; i < npos; ++i) {
      const auto& c = pts[gen() % pts.size()];
      const double rad = 0.05 * std::sqrt(unit(gen));
      const double ang = 2 * M_PI * unit(gen);
      r.x.push_back(static_cast<float>(c.real() + rad * std::cos(ang)));
      r.y.push_back(static_cast<float>(c.imag() + rad * std::sin(ang)));
    }
    return r;
  }();
  return p;
}

// The report that asp prints once is not part of what is measured.
struct QuietConsole {
  std::istringstream in;
  std::ostringstream out;
  QuietConsole() {
    zolka::reset_state();
    zolka::console::set_streams(&in, &out);
  }
  ~QuietConsole() { zolka::console::set_streams(nullptr, nullptr); }
};

void BM_atotl(benchmark::State& state) {
  const Positions& p = positions();
  for (auto _ : state) {
    float sum = 0;
    for (int i = 0; i < npos; ++i)
      sum += zolka::atotl(std::sqrt(p.x[i] * p.x[i] + p.y[i] * p.y[i]));
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * npos);
}

void BM_lens2(benchmark::State& state) {
  const Positions& p = positions();
  QuietConsole quiet;
  for (auto _ : state) {
    float sum = 0;
    for (int i = 0; i < npos; ++i) {
      float a = 0;
      zolka::lens2(p.x[i], p.y[i], 1.0f, 0.0f, qpl, a);
      sum += a;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * npos);
}

void run_asp(benchmark::State& state, float xp, float yp) {
  const Positions& p = positions();
  QuietConsole quiet;
  const float q = qpl;
  for (auto _ : state) {
    float sum = 0;
    for (int i = 0; i < npos; ++i) sum += zolka::asp(p.x[i], p.y[i], 1, &xp, &yp, &q);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * npos);
}

void BM_asp(benchmark::State& state) {
  run_asp(state, 1.0f, 0.0f);
}

void BM_asp_far(benchmark::State& state) {
  run_asp(state, 30.0f, 30.0f);
}

}  // namespace

BENCHMARK(BM_atotl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_lens2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_asp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_asp_far)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
