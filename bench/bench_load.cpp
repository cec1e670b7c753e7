// Loading one large light-curve file through the per-file path of the data
// command: layout trials, point validation, time ordering, identification and
// statistics. The files are written by the benchmark into a temporary
// directory; console output goes to a null stream.
//
//   BM_LoadSixColumns    100000 six-column points: trials 1-3 find no rows,
//                        trial 4 accepts
//   BM_LoadThreeColumns  100000 three-column points: all seven trials run
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <string>

#include "lightcurve/ingest.h"
#include "shell/core/console.h"
#include "shell/core/state.h"
#include "shell/model/startup.h"

namespace {

namespace fs = std::filesystem;

// A temporary directory holding the two files, made once.
struct Files {
  fs::path dir;
  std::string six, three;

  Files() {
    std::random_device rd;
    dir = fs::temp_directory_path() / ("zolka-bench-" + std::to_string(rd()));
    fs::create_directories(dir);
    six = (dir / "OOB08123I.dat").string();
    three = (dir / "ZOB08123I.dat").string();
    std::ofstream f6(six), f3(three);
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0, 0.01);
    f6.setf(std::ios::fixed);
    f3.setf(std::ios::fixed);
    for (int i = 1; i <= zolka::maxdata; ++i) {
      const double t = 2454000 + 0.01 * i;
      // A point-lens brightening on a 19th-magnitude baseline.
      const double tau = (t - 2454500) / 20, u2 = tau * tau + 0.01;
      const double a = (u2 + 2) / std::sqrt(u2 * (u2 + 4));
      const double mag = 19 - 2.5 * std::log10(a) + noise(rng);
      f6.precision(5);
      f6 << t << ' ';
      f6.precision(4);
      f6 << mag << " 0.0100 1.2500 1234.5 60.0\n";
      f3.precision(5);
      f3 << t << ' ';
      f3.precision(4);
      f3 << mag << " 0.0100\n";
    }
  }
  ~Files() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

const Files& files() {
  static const Files f;
  return f;
}

void load(benchmark::State& st, const std::string& file) {
  std::ostream null(nullptr);
  zolka::console::set_streams(nullptr, &null);
  zolka::reset_state();
  zolka::ProgramState& s = zolka::state();
  s.resize(zolka::maxdata);
  for (auto _ : st) {
    s.ndata = 0;
    s.nloc = 0;
    if (!zolka::loadsite(file)) st.SkipWithError("file not loaded");
    benchmark::DoNotOptimize(s.ndata);
  }
  zolka::console::set_streams(nullptr, nullptr);
  st.counters["points"] = s.ndata;
}

void BM_LoadSixColumns(benchmark::State& st) {
  load(st, files().six);
}
void BM_LoadThreeColumns(benchmark::State& st) {
  load(st, files().three);
}

BENCHMARK(BM_LoadSixColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadThreeColumns)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
