// Grids of planet positions for the chi-square maps. Expected counts and
// ranges are worked by hand from the grid rules (steps of the planet's
// Einstein radius r = sqrt(q), edges rounded to 0.1 or 0.05).
#include "detect/grids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fit/fit_fixture.h"
#include "shell/core/state.h"
#include "shell/model/startup.h"
#include "shell/model/time_axis.h"
#include "support/support.h"

namespace zolka {
namespace {

constexpr float axis_tol = 1e-5f;  // axis values are float sums of a few terms of order 1

// Steps of an axis are all equal (to rounding).
void expect_uniform(const Vec1<float>& a, int n, const std::string& what) {
  ASSERT_GE(n, 3) << what;
  const float step = (a(n) - a(1)) / static_cast<float>(n - 1);
  for (int i = 2; i <= n; ++i)
    EXPECT_NEAR(a(i) - a(i - 1), step, 1e-4f * std::fabs(a(n) - a(1))) << what << " i=" << i;
}

TEST(Grids, XYGridForQOfOneThousandthHas191ColumnsBothEndsIncluded) {
  test::CapturedConsole console;
  reset_state();  // q = 0.001, y0 = 0.35, no data
  ProgramState& s = state();
  ASSERT_TRUE(gridbox("xy"));
  // x: -3 .. 3 in steps of r: nint(6/0.0316228) + 1.
  EXPECT_EQ(s.nxp, 191);
  EXPECT_FLOAT_EQ(s.xp_x(1), -3);
  EXPECT_FLOAT_EQ(s.xp_x(191), 3);
  EXPECT_NEAR(s.xp_x(96), 0, axis_tol);
  expect_uniform(s.xp_x, s.nxp, "x");
  // y: -1.1 .. roundup(uplus(1.1) = 1.691, 0.1) = 1.7, widened by 10 r = 0.316
  // and rounded: -1.4 .. 2.0, nint(3.4/0.0316228) + 1 = 109 points.
  EXPECT_EQ(s.nyp, 109);
  EXPECT_NEAR(s.yp_y(1), -1.4f, axis_tol);
  EXPECT_NEAR(s.yp_y(109), 2.0f, axis_tol);
  // The working map takes the grid.
  EXPECT_EQ(s.n_1, 191);
  EXPECT_EQ(s.n_2, 109);
  EXPECT_EQ(s.par_1(191), s.xp_x(191));
  EXPECT_EQ(s.par_2(1), s.yp_y(1));
  EXPECT_EQ(s.chi2_12.size(), 191 * 109);
  const std::string out = console.output();
  EXPECT_TRUE(test::has_line(out, " gridbox( XY ) ********"));
  EXPECT_TRUE(test::has_line(out, " cxygrid( 1.0 ) *************"));
}

// A precise point near the peak of a wide event: its major image at (0, 2)
// has a detection zone of radius about 1 for q = 0.001 and an error of 1e-4
// mag, so the box reaches the limit y = 3; its minor image at (0, -0.5)
// reaches down to y = -1.2.
TEST(Grids, DataWidenTheXYBoxToTheirDetectionZones) {
  test::CapturedConsole console;
  reset_state();
  test::store_sites({{{2454000.0, 1.0f, 1e-4f}, {2454000.0 + 100 * 20, 1.0f, 1e-4f}}});
  ProgramState& s = state();
  s.hjd0 = 2454000.0;
  s.te = 20;
  s.y0 = 1.5f;
  ASSERT_TRUE(gridbox("XY"));
  // y: (-1.2 - 0.316, 3 clipped) rounded: -1.5 .. 3.0; nint(4.5/0.0316228) + 1.
  EXPECT_NEAR(s.yp_y(1), -1.5f, axis_tol);
  EXPECT_NEAR(s.yp_y(s.nyp), 3.0f, axis_tol);
  EXPECT_EQ(s.nyp, 143);
  // x stays -3 .. 3: the far point's major image near (100, 1.5) lies
  // wholly outside the limit box.
  EXPECT_EQ(s.nxp, 191);
}

TEST(Grids, UAGridSpansTheDataSeparationsInEqualStepsOfLogU) {
  test::CapturedConsole console;
  reset_state();
  ProgramState& s = state();
  // g = log10(1 + r) = 0.0135224: without data -1.05 .. 1.05 in
  // nint(2 x 2.1/g) = 311 points.
  ASSERT_TRUE(gridbox("UA"));
  EXPECT_EQ(s.nup, 311);
  EXPECT_EQ(s.nap, 311);
  EXPECT_NEAR(s.ulog_u(1), -1.05f, axis_tol);
  EXPECT_NEAR(s.ulog_u(311), 1.05f, axis_tol);
  EXPECT_FLOAT_EQ(s.ap_a(1), -90);
  EXPECT_FLOAT_EQ(s.ap_a(311), 270);
  expect_uniform(s.ap_a, s.nap, "azimuth");

  // A point at the peak of an event with u0 = 0.01: log10 u = -2, so the
  // axis starts at -2 - 10 g = -2.135, rounded to -2.15; 3.2/g x 2 = 473.
  test::store_sites({{{2454000.0, 1.0f, 0.01f}}});
  s.hjd0 = 2454000.0;
  s.te = 20;
  s.y0 = 0.01f;
  ASSERT_TRUE(gridbox("UA"));
  EXPECT_NEAR(s.ulog_u(1), -2.15f, axis_tol);
  EXPECT_NEAR(s.ulog_u(s.nup), 1.05f, axis_tol);
  EXPECT_EQ(s.nup, 473);
}

TEST(Grids, TFGridHasCellCentresOverThePlotTimeAxis) {
  test::CapturedConsole console;
  reset_state();
  std::vector<test::Pt> pts;
  for (int k = 0; k <= 40; ++k) pts.push_back({2454000.0 + k, 1.0f, 0.01f});
  test::store_sites({pts});
  ProgramState& s = state();
  s.hjd0 = 2454020.0;
  s.te = 20;
  s.y0 = 0.1f;
  ASSERT_TRUE(gridbox("TF"));
  // f: cell centres over -2 .. 2 in steps of r/2: nint(4/0.0158114) + 1.
  EXPECT_EQ(s.nfp, 254);
  EXPECT_NEAR(s.fp_f(1), -2 + 2.0f / 254, axis_tol);
  EXPECT_NEAR(s.fp_f(254), 2 - 2.0f / 254, axis_tol);
  // t: cells of te r/(2 A0) = 0.0315 d (A0 = 10.04 at u0 = 0.1).
  const float cell = (s.tp_t(s.ntp) - s.tp_t(1)) / static_cast<float>(s.ntp - 1);
  const float dt = 20 * std::sqrt(0.001f) / 2 / 10.0375f;
  const float span = cell * static_cast<float>(s.ntp);
  EXPECT_NEAR(span / dt, static_cast<float>(s.ntp - 1), 0.51f);
  // The cells fill the light-curve plot's time axis.
  float tmn = 0, tmx = 0;
  std::string label;
  timeaxis(tmn, tmx, label);
  EXPECT_NEAR(s.tp_t(1) - cell / 2, tmn, 1e-3f);
  EXPECT_NEAR(s.tp_t(s.ntp) + cell / 2, tmx, 1e-3f);
  EXPECT_LT(tmn, s.tfirst + 1);
  EXPECT_GT(tmx, s.tlast);
  expect_uniform(s.tp_t, s.ntp, "t");
}

TEST(Grids, FQGridHasNineRowsWithinADexOfLogQRoundedToATenth) {
  const struct {
    float q;
    float centre;  // log10 q to 0.1 dex
    int nf;        // nint(4/sqrt(q)) + 1
  } cases[] = {{0.001f, -3.0f, 127}, {0.0012f, -2.9f, 116}, {3e-4f, -3.5f, 232}};
  for (const auto& c : cases) {
    test::CapturedConsole console;
    reset_state();
    ProgramState& s = state();
    s.qpl = c.q;
    ASSERT_TRUE(gridbox("FQ"));
    EXPECT_EQ(s.nqp, 9) << c.q;
    EXPECT_NEAR(s.qlog_q(5), c.centre, axis_tol) << c.q;
    EXPECT_NEAR(s.qlog_q(1), c.centre - 1 + 1.0f / 9, axis_tol) << c.q;
    EXPECT_NEAR(s.qlog_q(9), c.centre + 1 - 1.0f / 9, axis_tol) << c.q;
    EXPECT_EQ(s.nf, c.nf) << c.q;
    EXPECT_NEAR(s.f_f(1), -2 + 2.0f / static_cast<float>(c.nf), axis_tol) << c.q;
    EXPECT_EQ(s.n_1, s.nf);
    EXPECT_EQ(s.n_2, 9);
  }
}

TEST(Grids, EveryAxisStopsAt2048Points) {
  const struct {
    const char* kind;
    int n1, n2;
  } cases[] = {{"XY", 2048, 2048}, {"UA", 2048, 2048}, {"TF", 2048, 2048}, {"FQ", 2048, 9}};
  for (const auto& c : cases) {
    test::CapturedConsole console;
    reset_state();
    ProgramState& s = state();
    s.qpl = 1e-9f;  // r = 3.2e-5: tens of thousands of steps on every axis
    ASSERT_TRUE(gridbox(c.kind));
    EXPECT_EQ(s.n_1, c.n1) << c.kind;
    EXPECT_EQ(s.n_2, c.n2) << c.kind;
  }
  // The ends stay where they were.
  test::CapturedConsole console;
  ProgramState& s = state();
  ASSERT_TRUE(gridbox("XY"));
  EXPECT_FLOAT_EQ(s.xp_x(2048), 3);
  ASSERT_TRUE(gridbox("UA"));
  EXPECT_FLOAT_EQ(s.ap_a(2048), 270);
}

TEST(Grids, NoPlanetOrAnUnknownKindBuildsNothing) {
  test::CapturedConsole console;
  reset_state();
  ProgramState& s = state();
  ASSERT_TRUE(gridbox("XY"));
  const int n1 = s.n_1;
  EXPECT_FALSE(gridbox("AB"));
  EXPECT_TRUE(test::has_line(console.output(), " gridbox( AB ) ********"));
  s.qpl = 0;
  EXPECT_FALSE(gridbox("UA"));
  EXPECT_TRUE(test::has_text(console.output(), "** ERROR gridbox: no planet to map"));
  EXPECT_EQ(s.n_1, n1);
  EXPECT_EQ(s.nup, 0);
}

TEST(Grids, ShowgridPrintsEachAxis) {
  test::CapturedConsole console;
  reset_state();
  ProgramState& s = state();
  s.n_1 = 3;
  s.par_1.resize(3);
  s.par_1(1) = -1;
  s.par_1(2) = 0;
  s.par_1(3) = 1;
  s.n_2 = 2;
  s.par_2.resize(2);
  s.par_2(1) = 10;
  s.par_2(2) = 20;
  showgrid("ua");
  EXPECT_EQ(console.output(), " U 3 -1.0 1.0 0.6666667\n A 2 10.0 20.0 5.0\n");
}

}  // namespace
}  // namespace zolka
