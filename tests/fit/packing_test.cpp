// Packing the model into the fit's parameter vector and back.
#include "fit/packing.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "lens/point_lens.h"
#include "shell/core/state.h"
#include "shell/model/startup.h"
#include "support/support.h"

namespace zolka {
namespace {

TEST(Packing, VectorLength) {
  const struct {
    int n, len;
  } cases[] = {{-1, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 3}, {6, 4}, {7, 5}, {10, 8}};
  for (const auto& c : cases) {
    EXPECT_EQ(nonlinear_count(c.n), c.len) << "N=" << c.n;
    test::CapturedConsole console;
    reset_state();
    ProgramState& s = state();
    s.npfit = c.n;
    s.te = 10;
    s.y0 = 0.2f;
    s.qpl = 0.01f;
    std::array<float, maxslots> p{}, dp{};
    safe(p.data(), dp.data());
    EXPECT_EQ(s.nonlinpar, c.len) << "N=" << c.n;
  }
}

TEST(Packing, RoundTrip) {
  test::CapturedConsole console;
  reset_state();
  ProgramState& s = state();
  s.mjd0 = 2450000;
  s.hjd0 = 2454567.8123;
  s.te = 23.4f;
  s.y0 = 0.0123f;
  s.sigmag0 = 0.03f;
  s.erbscl = 1.7f;
  s.npfit = 7;
  std::array<float, maxslots> p{}, dp{};
  safe(p.data(), dp.data());
  EXPECT_EQ(s.safety(3), 4568);  // K, the nearest whole day
  EXPECT_NEAR(p[0], 4567.8123 - 4568, 1e-3);
  EXPECT_EQ(s.kpar(3), 1);
  EXPECT_EQ(s.kpar(5), 3);
  const double hjd0 = s.hjd0;
  const float te = s.te, y0 = s.y0;
  s.hjd0 = 0;
  s.te = 1;
  s.y0 = 1;
  desafe(p.data());
  EXPECT_LT(std::fabs(s.hjd0 - hjd0) * 86400, 50);
  EXPECT_NEAR(s.te, te, 4 * te * 1.2e-7);
  EXPECT_NEAR(s.y0, y0, 1e-3 * y0);
  EXPECT_EQ(s.a0, atotl(s.y0));
  EXPECT_NEAR(s.sigmag0, 0.03f, 1e-6);
  EXPECT_EQ(s.sigmag0_l(1), s.sigmag0);
  EXPECT_NEAR(s.erbscl, 1.7f, 1e-6);
}

TEST(Packing, ImpactParameterStaysFiniteAndAboveItsFloor) {
  test::CapturedConsole console;
  reset_state();
  ProgramState& s = state();
  s.npfit = 4;
  const float cases[] = {30.0f, 10.0f, -10.0f, -40.0f};  // log10(A0 - 1)
  for (float v : cases) {
    std::array<float, maxslots> p{0, 1, v};
    desafe(p.data());
    EXPECT_TRUE(std::isfinite(s.y0)) << v;
    EXPECT_GE(s.y0, 1e-5f) << v;
    EXPECT_TRUE(std::isfinite(s.a0)) << v;
  }
}

TEST(Packing, PlanetInTimeAndRatioKeepsItsSide) {
  test::CapturedConsole console;
  reset_state();
  ProgramState& s = state();
  s.npfit = 10;
  s.te = 20;
  s.y0 = 0.1f;
  s.qpl = 0.001f;
  s.plpos = "TF";
  s.tpl = 5;
  s.fpl = -0.8f;  // minor-image side
  std::array<float, maxslots> p{}, dp{};
  safe(p.data(), dp.data());
  EXPECT_TRUE(std::isfinite(p[6]));
  EXPECT_GT(dp[6], 0);
  desafe(p.data());
  EXPECT_NEAR(s.fpl, -0.8f, 1e-5);
  EXPECT_NEAR(s.qpl, 0.001f, 1e-8);
}

}  // namespace
}  // namespace zolka
