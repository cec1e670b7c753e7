#include "lens/point_images.h"

#include <gtest/gtest.h>

#include <cmath>

#include "lens/point_lens.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

class PointImagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::fresh_state();
    state().qpl = 0;
  }
  test::CapturedConsole console_;
};

TEST_F(PointImagesTest, XcalcIsTimeInEinsteinTimes) {
  ProgramState& s = state();
  s.resize(3);
  s.ndata = 3;
  s.hjd0 = 2455000.5;
  s.te = 20;
  s.hjd_t(1) = 2454990.5;
  s.hjd_t(2) = 2455000.5;
  s.hjd_t(3) = 2455001.25;
  xcalc();
  EXPECT_FLOAT_EQ(s.x_t(1), -0.5f);
  EXPECT_FLOAT_EQ(s.x_t(2), 0.0f);
  EXPECT_FLOAT_EQ(s.x_t(3), 0.0375f);
}

// Images on the line through the source, the minor one on the far side; the
// image magnifications add up to the point-lens value with no planet; both
// image positions solve the point-lens equation u = theta - 1/theta.
TEST_F(PointImagesTest, ImagesOfThePointLens) {
  ProgramState& s = state();
  s.b0 = 0.4f;
  const float xs[4] = {-1.2f, -0.1f, 0.3f, 2.5f};
  lcalc(4, xs, 0.2f);
  for (int i = 1; i <= 4; ++i) {
    const double u = std::hypot(xs[i - 1], 0.2);
    EXPECT_NEAR(s.u_t(i), u, 1e-6);
    EXPECT_NEAR(s.up_t(i) - 1 / s.up_t(i), u, 1e-5);
    EXPECT_NEAR(s.um_t(i) - 1 / s.um_t(i), u, 1e-5);
    EXPECT_GT(s.xp_t(i) * xs[i - 1], 0);
    EXPECT_LT(s.xm_t(i) * xs[i - 1], 0);
    EXPECT_GT(s.yp_t(i), 0);
    EXPECT_LT(s.ym_t(i), 0);
    EXPECT_NEAR(s.ap_t(i) + s.am_t(i), atotl(static_cast<float>(u)), 1e-5);
    EXPECT_NEAR(s.ap_t(i) - s.am_t(i), 1, 1e-5);
    EXPECT_FLOAT_EQ(s.a_t(i), s.ap_t(i) + s.am_t(i));
    EXPECT_FLOAT_EQ(s.ab_t(i), s.a_t(i) + 0.4f);
  }
}

TEST_F(PointImagesTest, SourceHeightFlooredAndArraysGrown) {
  ProgramState& s = state();
  const float xs[2] = {0.5f, -0.5f};
  lcalc(2, xs, 0.0f);
  EXPECT_EQ(s.x_t.size(), 2);
  EXPECT_FLOAT_EQ(s.u_t(1), std::sqrt(0.25f + 1e-10f));
  EXPECT_GT(s.yp_t(1), 0);  // ys = 1e-5 keeps a direction
  EXPECT_LT(s.ym_t(1), 0);
}

TEST_F(PointImagesTest, PlanetEntersTheMagnification) {
  ProgramState& s = state();
  s.qpl = 0.001f;
  s.xpl = 0.0f;
  s.ypl = 1.16f;  // on the major image of a source at (0, 0.3)
  const float xs[1] = {0.0f};
  lcalc(1, xs, 0.3f);
  EXPECT_GT(std::fabs(s.a_t(1) - (s.ap_t(1) + s.am_t(1))), 1e-3);
}

}  // namespace
}  // namespace zolka
