#include "lens/planet_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "lens/point_lens.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

class PlanetGeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::fresh_state();
    ProgramState& s = state();
    s.mjd0 = 2450000;
    s.hjd0 = 2454700.25;
    s.te = 23.5f;
    s.y0 = 0.12f;
  }
  test::CapturedConsole console_;
};

// Setting the planet by x,y and then by each of the other pairs the first
// setter derived gives back x and y.
TEST_F(PlanetGeometryTest, SetterRoundTrips) {
  const ProgramState& s = state();
  for (const auto& [x, y] : std::vector<std::pair<float, float>>{
           {0.8f, 0.9f}, {-1.3f, 0.4f}, {0.2f, -0.7f}, {-0.05f, -1.6f}, {1.9f, 0.03f}}) {
    setplxy(x, y);
    const float u = s.upl, a = s.apl, t = s.tpl, f = s.fpl;
    EXPECT_NEAR(u, std::hypot(x, y), 1e-6);
    setplua(u, a);
    EXPECT_NEAR(s.xpl, x, 2e-6) << x << "," << y;
    EXPECT_NEAR(s.ypl, y, 2e-6) << x << "," << y;
    setpltf(t, f);
    // t is a day count near 4700 in single precision (5e-4 days, 2e-5 te),
    // and the planet moves u/y0 times as far as the source's position.
    const float tol = 3e-5f * std::hypot(x, y) / s.y0 * (1 + std::fabs(x / y));
    EXPECT_NEAR(s.xpl, x, tol) << x << "," << y;
    EXPECT_NEAR(s.ypl, y, tol) << x << "," << y;
    // f > 0 on the major-image side (the side of the source, y > 0).
    EXPECT_EQ(f > 0, y > 0);
  }
}

TEST_F(PlanetGeometryTest, AzimuthNinetyDegreesIsPlusX) {
  const ProgramState& s = state();
  setplua(1.0f, 1.5707964f);
  EXPECT_NEAR(s.xpl, 1.0f, 1e-6);
  EXPECT_NEAR(s.ypl, 0.0f, 1e-6);
  EXPECT_FLOAT_EQ(xy2deg(1, 0), 90.0f);
  EXPECT_FLOAT_EQ(xy2deg(0, 1), 0.0f);
  EXPECT_FLOAT_EQ(xy2deg(-1, 0), -90.0f);
}

// On the x axis f keeps its previous value; t follows x y0/1e-6 te.
TEST_F(PlanetGeometryTest, PlanetOnTheAxisKeepsF) {
  ProgramState& s = state();
  setplxy(0.5f, 0.8f);
  const float fprev = s.fpl;
  setplxy(0.6f, 0.0f);
  EXPECT_EQ(s.fpl, fprev);
  const float t0 = static_cast<float>(s.hjd0 - s.mjd0);
  EXPECT_FLOAT_EQ(s.tpl, t0 + 0.6f * s.y0 / 1e-6f * s.te);
  EXPECT_FLOAT_EQ(s.upl, 0.6f);
  EXPECT_NEAR(s.apl, 1.5707964f, 1e-6);
}

// The planet lies on the line from the star through the source at time t,
// at f times the image distance.
TEST_F(PlanetGeometryTest, SetpltfPlacesThePlanetAlongTheSourceDirection) {
  const ProgramState& s = state();
  const float t0 = static_cast<float>(s.hjd0 - s.mjd0);
  const float tau = 0.4f;
  for (float f : {1.0f, 0.7f, -1.0f, -1.3f}) {
    setpltf(t0 + tau * s.te, f);
    const double us = std::hypot(tau, s.y0);
    const double theta = f >= 0 ? uplus(us) : -uminus(us);
    EXPECT_NEAR(s.xpl, tau / us * theta * f, 1e-5) << f;
    EXPECT_NEAR(s.ypl, s.y0 / us * theta * f, 1e-5) << f;
  }
}

// y0 = 0 at t = t0 leaves no direction: the limit y0 -> 0+ (along +y), not NaN.
TEST_F(PlanetGeometryTest, SetpltfWithSourceOnTheStar) {
  ProgramState& s = state();
  s.y0 = 0;
  const float t0 = static_cast<float>(s.hjd0 - s.mjd0);
  setpltf(t0, 1.0f);
  EXPECT_FLOAT_EQ(s.xpl, 0.0f);
  EXPECT_FLOAT_EQ(s.ypl, 1.0f);  // the major image of a source at the star is the ring
  setpltf(t0, -0.5f);
  EXPECT_FLOAT_EQ(s.ypl, -0.5f);
  EXPECT_FALSE(std::isnan(s.upl));
}

TEST_F(PlanetGeometryTest, SetplposFollowsThePrimaryPair) {
  ProgramState& s = state();
  s.plpos = "UA";
  setplua(1.2f, 0.3f);
  s.y0 = 0.3f;  // the model changes; u,a stays, t,f follows
  setplpos();
  EXPECT_FLOAT_EQ(s.upl, 1.2f);
  EXPECT_FLOAT_EQ(s.apl, 0.3f);
  s.plpos = "ZZ";
  setplpos();
  EXPECT_EQ(console_.output(), " ** INVALID plpos :ZZ\n");
}

TEST_F(PlanetGeometryTest, FixangleShiftsByWholePeriods) {
  EXPECT_FLOAT_EQ(fixangle(-190, -180, 180, 360), 170);
  EXPECT_FLOAT_EQ(fixangle(725, 0, 360, 360), 5);
  EXPECT_FLOAT_EQ(fixangle(10, 0, 360, 360), 10);
  EXPECT_FLOAT_EQ(fixangle(5, 0, 360, 0), 5);
  // Angles that a period cannot move end the loop.
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(fixangle(inf, 0, 360, 360), inf);
  EXPECT_EQ(fixangle(-inf, 0, 360, 360), -inf);
  EXPECT_EQ(fixangle(1e30f, 0, 360, 360), 1e30f);
  float a[3] = {-90, 400, 10};
  fixangles(3, a, 0, 360, 360);
  EXPECT_FLOAT_EQ(a[0], 270);
  EXPECT_FLOAT_EQ(a[1], 40);
  EXPECT_FLOAT_EQ(a[2], 10);
}

TEST_F(PlanetGeometryTest, LogSeparationAndAzimuth) {
  const float x[3] = {0, 3, 0}, y[3] = {0.001f, -4, 0};
  float lu[3], deg[3];
  xy2la(3, x, y, lu, deg);
  EXPECT_FLOAT_EQ(lu[0], -3);
  EXPECT_FLOAT_EQ(lu[1], std::log10(5.0f));
  EXPECT_FLOAT_EQ(lu[2], -5);  // floored at 1e-5
  EXPECT_FLOAT_EQ(deg[1], static_cast<float>(std::atan2(3.0, -4.0) * 180 / M_PI));
}

}  // namespace
}  // namespace zolka
