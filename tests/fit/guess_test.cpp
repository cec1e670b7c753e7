// The initial lens guess.
#include "fit/guess.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fit/fit_fixture.h"
#include "lens/point_lens.h"
#include "support/support.h"

namespace zolka {
namespace {

// Site 1: a Gaussian brightening of amplitude amp (mag) and width tsig (days)
// centred at 2454000.3 on a baseline of base (mag), every 0.25 days.
std::vector<test::Pt> gaussian_bump(float amp, float tsig, float base) {
  std::vector<test::Pt> pts;
  for (int k = 0; k <= 400; ++k) {
    const double t = 2453950.0 + 0.25 * k;
    const float x = static_cast<float>((t - 2454000.3) / tsig);
    const float mag = base - amp * std::exp(-0.5f * x * x);
    pts.push_back({t, std::pow(10.0f, 0.4f * (16.4f - mag)), 0.01f});
  }
  return pts;
}

TEST(Guess, GaussianBumpGivesItsCentreAndWidth) {
  test::CapturedConsole console;
  reset_state();
  test::store_sites({gaussian_bump(1.0f, 5.0f, 17.0f)});
  ProgramState& s = state();
  s.siglogte = 0;
  guesslens();
  const std::string out = console.output();
  // Centre within one centre step (0.1 of the width), width within one grid
  // step (a factor 10^(1.6666666/19)).
  EXPECT_NEAR(s.hjd0, 2454000.3, 0.1 * 5 * 1.23);
  const std::size_t at = out.rfind("GLOBAL BEST");
  ASSERT_NE(at, std::string::npos);
  const std::size_t ts = out.find("tsig", at);
  const float tsig = std::stof(out.substr(ts + 5));
  EXPECT_NEAR(std::log10(tsig), std::log10(5.0f), 1.6666666f / 19);
  // The final source flux fit (a point-lens shape against the Gaussian)
  // keeps the baseline near the flat data.
  EXPECT_NEAR(s.smag0, 17.0f, 0.05f);
  EXPECT_EQ(s.npfit, 1);
  EXPECT_EQ(s.b0, 0);
  EXPECT_GT(s.te, 0);
  EXPECT_GT(s.y0, 0);
}

TEST(Guess, NoBrighteningKeepsAUsableModel) {
  // One point; and a site whose points all share one time.
  const std::vector<std::vector<test::Pt>> cases[] = {
      {{{2454000.5, 1.2f, 0.01f}}},
      {{{2454001.0, 1.1f, 0.01f}, {2454001.0, 1.2f, 0.01f}, {2454001.0, 1.15f, 0.02f}}}};
  for (const auto& sites : cases) {
    test::CapturedConsole console;
    reset_state();
    test::store_sites(sites);
    guesslens();
    const ProgramState& s = state();
    EXPECT_NE(console.output().find("t0 grid: 2"), std::string::npos);
    EXPECT_TRUE(std::isfinite(s.te) && s.te > 0);
    EXPECT_TRUE(std::isfinite(s.y0) && s.y0 > 0);
    EXPECT_TRUE(std::isfinite(s.smag0));
    EXPECT_GT(s.fs_l(1), 0);
  }
}

TEST(Guess, NothingWithoutData) {
  test::CapturedConsole console;
  reset_state();
  const float te = state().te;
  guesslens();
  EXPECT_EQ(state().te, te);
  EXPECT_NE(console.output().find("guesslens *********** nloc 0 ndata 0"), std::string::npos);
}

}  // namespace
}  // namespace zolka
