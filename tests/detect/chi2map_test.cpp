// Chi-square maps over planet position on simulated events: where the planet
// is found, the reuse of a cached map, the reconnaissance pass and the
// bookkeeping of best and worst pixels.
#include "detect/chi2map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "detect/grids.h"
#include "fit/fit_drivers.h"
#include "fit/planet_fixture.h"
#include "lens/planet_geometry.h"
#include "numeric/angles.h"
#include "shell/core/format.h"
#include "shell/core/state.h"
#include "shell/model/stacks.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::has_text;

// A three-site event with a q = 0.01 planet at (1, 0.95), about three of its
// Einstein radii beside the major image's track: a bump the no-planet fit
// does not absorb. Few points, so that a map takes a second; the user's
// planet, of the true mass ratio, is parked far from every image.
constexpr float qtrue = 0.01f, xtrue = 1.0f, ytrue = 0.95f;

void load_event(bool with_planet = true) {
  sim::SimEvent ev = test::planet_event(ytrue);
  ev.q = with_planet ? qtrue : 0;
  ev.sites[0].npts = 150;
  ev.sites[1].npts = 120;
  ev.sites[2].npts = 100;
  test::load_planet_event(ev, qtrue, 25.0f, 25.0f, "XY");
}

// Builds the grid of kind and runs the map, replying `tweak` to the prompt
// of the reuse test. Returns the console output.
std::string run_map(const char* kind, const std::string& tweak) {
  test::CapturedConsole console(tweak + "\n");
  EXPECT_TRUE(gridbox(kind));
  chi2map(kind);
  return console.output();
}

// Axis values of the working map's pixel of smallest chi-square.
void best_pixel(float& a1, float& a2, float& cmin) {
  const ProgramState& s = state();
  int best = 1;
  for (int p = 2; p <= s.n_1 * s.n_2; ++p)
    if (s.chi2_12(p) < s.chi2_12(best)) best = p;
  a1 = s.par_1((best - 1) % s.n_1 + 1);
  a2 = s.par_2((best - 1) / s.n_1 + 1);
  cmin = s.chi2_12(best);
}

TEST(Chi2Map, TheXYMapFindsTheSimulatedPlanet) {
  test::TempDir dir(true);
  load_event();
  const std::string out = run_map("XY", "0");
  const ProgramState& s = state();
  EXPECT_TRUE(has_text(out, "Must recompute Chi^2( XY )"));
  EXPECT_TRUE(has_text(out, " FAST reconnaisance using IMCLOSE."));
  EXPECT_TRUE(has_text(out, " Best DelChi2( X ="));
  float x = 0, y = 0, cmin = 0;
  best_pixel(x, y, cmin);
  const float step = s.par_1(2) - s.par_1(1);
  EXPECT_LE(std::fabs(x - xtrue), 2 * step) << x;
  EXPECT_LE(std::fabs(y - ytrue), 2 * step) << y;
  EXPECT_GT(s.dchi2fit, 10 * s.delchi2);
  EXPECT_FLOAT_EQ(s.dchi2fit, s.chi2fit - cmin);
  // The fit record holds the best pixel's planet; the user's planet is back.
  EXPECT_FLOAT_EQ(s.xplfit, x);
  EXPECT_FLOAT_EQ(s.yplfit, y);
  EXPECT_FLOAT_EQ(s.qplfit, qtrue);
  EXPECT_FLOAT_EQ(s.xpl, 25.0f);
  EXPECT_FLOAT_EQ(s.ypl, 25.0f);
  EXPECT_EQ(s.npfit, 5);
  EXPECT_EQ(s.mapfit, 5);
  EXPECT_EQ(s.maptweak, 0);
  EXPECT_EQ(s.mapdof, s.ndata - 5);
  // The summary file gets the fit summary and the map line.
  const std::string fort20 = dir.read("fort.20");
  EXPECT_TRUE(has_text(fort20, " qxy:")) << fort20;
  EXPECT_TRUE(has_text(fort20, " dChi2:")) << fort20;
}

TEST(Chi2Map, AnUnchangedRepeatUsesTheCacheAndFitsNothing) {
  test::TempDir dir(true);
  load_event();
  run_map("XY", "0");
  const ProgramState& s = state();
  const Vec1<float> first = s.chi2_12;
  const float dchi2 = s.dchi2fit;
  state().te *= 1.01f;  // a fit would move it back
  const float te = s.te;
  const std::string out = run_map("XY", "");
  EXPECT_TRUE(has_text(out, "Using previous Chi^2( XY )")) << out;
  EXPECT_FALSE(has_text(out, "WITHOUT planet"));
  EXPECT_EQ(s.te, te);
  EXPECT_EQ(s.dchi2fit, dchi2);
  ASSERT_EQ(s.chi2_12.size(), first.size());
  for (int p = 1; p <= first.size(); ++p) ASSERT_EQ(s.chi2_12(p), first(p));
}

TEST(Chi2Map, WithoutTweaksEveryPixelHoldsTheReferenceModelWithThePlanet) {
  test::TempDir dir(true);
  load_event();
  const std::string out = run_map("XY", "0");
  EXPECT_TRUE(has_text(out, "   tweaking  0 parameters."));
  ProgramState& s = state();
  // The reference fit is the model the map leaves (nothing was refitted):
  // put a planet on a few pixels by hand and compare.
  const Vec1<float> map = s.chi2_12;
  int checked = 0;
  for (int p = 1; p <= map.size() && checked < 4; p += 997) {
    if (map(p) == s.chi2fit) continue;  // not computed
    s.qpl = qtrue;
    setplxy(s.par_1((p - 1) % s.n_1 + 1), s.par_2((p - 1) / s.n_1 + 1));
    float chi2 = 0;
    int nd = 0;
    chi2calc(chi2, nd);
    EXPECT_FLOAT_EQ(chi2, map(p)) << p;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

// The u,a grid is coarser than the anomaly's structure in separation (the
// chi-square changes by thousands between neighbouring pixels there), so the
// best pixel is held to the planet's azimuth, and the map to the chi-square
// of its pixels.
// Three pixels beside the planet, mapped with the given tweak count.
Vec1<float> three_pixels(const std::string& tweak) {
  test::CapturedConsole console(tweak + "\n");
  EXPECT_TRUE(gridbox("XY"));
  ProgramState& s = state();
  s.n_1 = 3;
  s.n_2 = 1;
  for (int k = 1; k <= 3; ++k) s.par_1(k) = 0.8f + 0.1f * static_cast<float>(k);
  s.par_2(1) = 1.05f;
  chi2map("XY");
  Vec1<float> v(3);
  for (int k = 1; k <= 3; ++k) v(k) = s.chi2_12(k);
  return v;
}

TEST(Chi2Map, TweakedParametersAreRefittedWhereThePlanetMatters) {
  test::TempDir dir(true);
  load_event();
  const Vec1<float> fixed = three_pixels("0");
  const Vec1<float> tweaked = three_pixels("3");
  // Each pixel changes chi2 by far more than 2 % of the threshold, so each is
  // refitted: the fit lowers the badness of fit (chi-square with the priors),
  // and with it the chi-square where the planet spoils the reference model.
  int better = 0;
  for (int k = 1; k <= 3; ++k) {
    EXPECT_NE(tweaked(k), fixed(k)) << k;
    better += tweaked(k) < fixed(k) - 100;
  }
  EXPECT_GE(better, 2);
  EXPECT_EQ(state().maptweak, 3);
  EXPECT_EQ(state().npfit, 5);
}

// The reference fit frees five parameters; a map that tweaks seven starts
// every pixel from the reference lens and the error model as it stood, not
// from an older save.
TEST(Chi2Map, TweakingTheErrorModelStartsFromTheCurrentOne) {
  test::TempDir dir(true);
  load_event();
  const float erbscl = state().erbscl;
  ASSERT_GT(erbscl, 0);
  const Vec1<float> five = three_pixels("5");
  const Vec1<float> seven = three_pixels("7");
  // The planets leave chi-square per point well above 1, so the fits widen
  // the error model and the chi-square comes down towards the number of
  // points (an error-bar scale restored as 0 gave millions).
  const float n = static_cast<float>(state().ndata);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_LT(seven(k), five(k)) << k;
    EXPECT_GT(seven(k), 0.5f * n) << k;
    EXPECT_LT(seven(k), 2.0f * n) << k;
  }
  EXPECT_GT(state().erbscl, 0.5f * erbscl);
}

TEST(Chi2Map, TheUAMapFindsTheSimulatedPlanetsAzimuth) {
  test::TempDir dir(true);
  load_event();
  run_map("UA", "0");
  ProgramState& s = state();
  float lu = 0, deg = 0, cmin = 0;
  best_pixel(lu, deg, cmin);
  float tu = 0, tdeg = 0;
  const float tx = xtrue, ty = ytrue;
  xy2la(1, &tx, &ty, &tu, &tdeg);
  EXPECT_LE(std::fabs(deg - tdeg), 2 * (s.par_2(2) - s.par_2(1))) << deg << " " << tdeg;
  EXPECT_GT(s.dchi2fit, 10 * s.delchi2);
  // The best pixel's value is the chi-square of that planet on the
  // reference model the map leaves.
  s.qpl = qtrue;
  setplua(std::pow(10.0f, lu), deg2rad(deg));
  float chi2 = 0;
  int nd = 0;
  chi2calc(chi2, nd);
  EXPECT_FLOAT_EQ(chi2, cmin);
}

TEST(Chi2Map, WithoutAPlanetInTheDataNoPixelFitsMuchBetter) {
  test::TempDir dir(true);
  load_event(false);
  run_map("XY", "0");
  const ProgramState& s = state();
  EXPECT_LT(s.dchi2fit, 30.0f);
  // Planets on the images' tracks are excluded.
  float lo = s.chi2_12(1);
  for (int p = 2; p <= s.chi2_12.size(); ++p) lo = std::max(lo, s.chi2_12(p));
  EXPECT_GT(lo - s.chi2fit, s.delchi2);
}

TEST(Chi2Map, NoMarkedPixelGivesAFlatMapWithBestAndWorstAtTheFirstPixel) {
  test::TempDir dir(true);
  load_event();
  test::CapturedConsole console("0\n");
  ASSERT_TRUE(gridbox("XY"));
  // A planet so light that it matters only right on an image, on a grid
  // far from every image.
  ProgramState& s = state();
  for (int k = 1; k <= s.n_1; ++k) s.par_1(k) = 5 + 0.01f * static_cast<float>(k);
  s.qpl = 1e-7f;
  chi2map("XY");
  const std::string out = console.output();
  EXPECT_TRUE(has_text(out, "Need Chi^2( XY ) at  0 of")) << out;
  for (int p = 1; p <= s.chi2_12.size(); ++p) ASSERT_EQ(s.chi2_12(p), s.chi2fit);
  EXPECT_EQ(s.dchi2fit, 0);
  EXPECT_EQ(s.xplfit, s.par_1(1));
  EXPECT_EQ(s.yplfit, s.par_2(1));
  EXPECT_TRUE(has_text(out, "Worst DelChi2( X = " + free_format(s.par_1(1)) +
                                ", Y = " + free_format(s.par_2(1)) + " ) = 0"))
      << out;
}

TEST(Chi2Map, TheFQMapHasNoReconnaissancePass) {
  test::TempDir dir(true);
  // A coarse f,q grid: a large mass ratio and a short light curve.
  sim::SimEvent ev = test::planet_event(0.95f);
  ev.sites = {{'O', 120, 18.5f, 0.2f, 'I', 1.0f}};
  test::load_planet_event(ev, 0.1f, 1.0f, 0.95f, "XY");
  const std::string out = run_map("FQ", "0");
  const ProgramState& s = state();
  EXPECT_TRUE(has_text(out, "fast = F"));
  EXPECT_FALSE(has_text(out, "reconnaisance"));
  const int npix = s.n_1 * s.n_2;
  EXPECT_TRUE(has_text(out, "Need Chi^2( FQ ) at  " + std::to_string(npix) + " of " +
                                std::to_string(npix) + " = 100 %"))
      << out;
  EXPECT_FLOAT_EQ(s.qpl, 0.1f);  // the user's planet is back
}

TEST(Chi2Map, WithoutDataNothingIsComputed) {
  test::TempDir dir(true);
  reset_state();
  ProgramState& s = state();
  s.qpl = 0.01f;
  test::CapturedConsole console("0\n");
  if (gridbox("XY")) chi2map("XY");
  EXPECT_TRUE(has_text(console.output(), "NO DATA TO MAP")) << console.output();
  EXPECT_FLOAT_EQ(s.qpl, 0.01f);
}

}  // namespace
}  // namespace zolka
