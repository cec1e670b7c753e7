// The fit drivers on simulated events.
#include "fit/fit_drivers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "fit/badness.h"
#include "fit/covariance.h"
#include "fit/fit_fixture.h"
#include "fit/guess.h"
#include "fit/prediction.h"
#include "support/support.h"

namespace zolka {
namespace {

// A three-site event like the example ob08123.
sim::SimEvent event(std::uint64_t seed) {
  sim::SimEvent ev;
  ev.t0 = 4567.8;
  ev.te = 25;
  ev.u0 = 0.1f;
  ev.seed = seed;
  ev.sites = {{'O', 400, 17.2f, 0.3f, 'I', 1.0f},
              {'Z', 150, 17.0f, 0.1f, 'I', 1.0f},
              {'K', 300, 17.8f, 0.5f, 'R', 1.0f}};
  return ev;
}

void load(const sim::SimEvent& ev) {
  reset_state();
  sim::store_event(ev);
  state().qpl = 0;
  guesslens();
}

TEST(FitDrivers, RecoversASimulatedEventWithinItsUncertainties) {
  test::CapturedConsole console;
  const sim::SimEvent ev = event(5);
  load(ev);
  fitloops(5, 3);
  ProgramState& s = state();
  chi2calc(s.chi2fit, s.ndfit);
  covcalc();
  EXPECT_EQ(s.npfit, 5);
  EXPECT_EQ(s.ndfit, s.ndata);
  // Noise of the simulator is Gaussian with the reported error bars.
  EXPECT_NEAR(s.chi2fit / (s.ndata - 9), 1.0, 0.15);
  EXPECT_NEAR(s.hjd0, 2450000 + ev.t0, 4 * s.sigt0);
  EXPECT_NEAR(s.te, ev.te, 4 * s.sigte);
  EXPECT_NEAR(s.y0, ev.u0, 4 * s.sigy0);
  EXPECT_NEAR(s.b0, 0.3, 0.1);
  EXPECT_GT(s.sigt0, 0);
  EXPECT_LT(s.sigte, 1);
}

TEST(FitDrivers, MutedFitPrintsOnlyTheLoopLines) {
  test::CapturedConsole console;
  load(event(6));
  console.clear();
  int niter = 100;
  float bof = 0;
  fit0(niter, 1e-6f, 2, 4, bof);
  std::istringstream lines(console.output());
  std::string line;
  int n = 0;
  while (std::getline(lines, line)) {
    EXPECT_EQ(line.rfind(" Amoeba LOOP", 0), 0u) << line;
    ++n;
  }
  EXPECT_EQ(n, 2);
  EXPECT_GT(niter, 0);
}

TEST(FitDrivers, NoDataAndTooFewPoints) {
  test::CapturedConsole console;
  reset_state();
  int niter = 100;
  float bof = 0;
  fit0(niter, 1e-6f, 1, 5, bof);
  EXPECT_NE(console.output().find("** WARNING in fit0: NO DATA TO FIT."), std::string::npos);
  EXPECT_EQ(niter, 0);

  test::store_sites({test::exact_site(2454000.0, 20, 0.3f, 1, 0, 3, 2453995, 2454005, 0.01f)});
  ProgramState& s = state();
  s.hjd0 = 2454000.2;
  s.te = 18;
  s.y0 = 0.35f;
  s.qpl = 0;
  console.clear();
  int nits = 0;
  fit1(nits, 5, bof);
  EXPECT_NE(console.output().find("** WARNING in fit0: nfit 5> ndata 3"), std::string::npos);
  EXPECT_TRUE(std::isfinite(bof));
}

TEST(FitDrivers, OneParameterHasNoSimplex) {
  // Only the source fluxes are fitted: no simplex step, no iterations, one
  // run of the standard fit.
  test::CapturedConsole console;
  load(event(10));
  int nits = -1;
  float bof = 0;
  fit1(nits, 1, bof);
  EXPECT_EQ(nits, 0);
  EXPECT_EQ(state().nonlinpar, 0);
  EXPECT_TRUE(std::isfinite(bof));
}

TEST(FitDrivers, SummaryLineAndNestedFits) {
  test::CapturedConsole console;
  test::TempDir dir(true);
  load(event(7));
  ProgramState& s = state();
  s.event = "OB-08-123";
  // Three parameters: the event and five values only.
  fitloops(3, 1);
  const double hjd0 = s.hjd0;
  fitsummary(20);
  // Seven: nested fits with 4 .. 7 parameters, the model put back after.
  fitloops(7, 1);
  const float te = s.te;
  chi2calc(s.chi2fit, s.ndfit);
  s.npfit = 10;
  fitsummary(20);
  EXPECT_EQ(s.npfit, 7);
  EXPECT_EQ(s.te, te);
  const std::vector<std::string> lines = test::lines_of(dir.read("fort.20"));
  ASSERT_EQ(lines.size(), 2u);
  std::istringstream l1(lines[0]);
  std::string name;
  double t0;
  l1 >> name >> t0;
  EXPECT_EQ(name, "OB-08-123");
  EXPECT_NEAR(t0, hjd0, 1e-3);
  int words = 0;
  for (std::istringstream w(lines[0]); w >> name;) ++words;
  EXPECT_EQ(words, 6);
  // event, 5 values, ndfit, npfit, 4 reduced chi-squares and 3 held values.
  words = 0;
  for (std::istringstream w(lines[1]); w >> name;) ++words;
  EXPECT_EQ(words, 6 + 2 + 4 + 3);
}

TEST(FitDrivers, ChiSquareOfTheModel) {
  test::CapturedConsole console;
  load(event(8));
  float chi2 = 0;
  int n = 0;
  chi2calc(chi2, n);
  const ProgramState& s = state();
  double sum = 0;
  for (int i = 1; i <= s.ndata; ++i) {
    const double r = (s.datflx_t(i) - s.preflx_t(i)) / s.erbflx_t(i);
    sum += r * r;
  }
  EXPECT_EQ(n, s.ndata);
  EXPECT_NEAR(chi2, sum, 1e-5 * sum);
}

TEST(FitDrivers, NoPlanetFitWithoutAPlanetDoesNothing) {
  test::CapturedConsole console;
  load(event(9));
  const double hjd0 = state().hjd0;
  console.clear();
  noplanetfit();
  EXPECT_EQ(console.output(), "");
  EXPECT_EQ(state().hjd0, hjd0);
}

}  // namespace
}  // namespace zolka
