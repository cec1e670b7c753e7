#include "lens/multi_planet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "lens/binary_lens.h"
#include "lens/point_lens.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

class AspTest : public ::testing::Test {
 protected:
  void SetUp() override { test::fresh_state(); }
  test::CapturedConsole console_;
};

TEST_F(AspTest, NoPlanetOrFarPlanetGivesThePointLens) {
  const float xp = 1000, yp = 1000, q = 0.001f, qzero = 0;
  for (const auto& [xs, ys] : std::vector<std::pair<float, float>>{{0.1f, 0.3f}, {1.5f, -0.2f}}) {
    float a0 = 0;
    lens1(xs, ys, a0);
    EXPECT_FLOAT_EQ(asp(xs, ys, 1, &xp, &yp, &q), a0);
    EXPECT_FLOAT_EQ(asp(xs, ys, 1, &xp, &yp, &qzero), a0);
    EXPECT_FLOAT_EQ(asp(xs, ys, 0, &xp, &yp, &q), a0);
  }
  EXPECT_EQ(console_.output(), "");
}

// A planet within half its Einstein radius sqrt(q) of an image: asp is the
// binary lens. One more than 200 planet Einstein radii from both images (in
// the log-polar measure that the estimate uses) leaves the point lens,
// whether the cheap bound or the estimate settles it.
// The binary lens in the star's Einstein radii: lens2's unit is that of star
// plus planet, sqrt(1 + q) times larger.
float lens2_star_units(float xs, float ys, float xp, float yp, float q) {
  const float k = 1 / std::sqrt(1 + q);
  float a = 0;
  lens2(xs * k, ys * k, xp * k, yp * k, q, a);
  return a;
}

TEST_F(AspTest, PlanetNearAnImageUsesTheBinaryLens) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<float> u(-1.5f, 1.5f);
  int far = 0;
  for (int n = 0; n < 1000; ++n) {
    const float xs = u(gen), ys = u(gen);
    float a0 = 0;
    lens1(xs, ys, a0);
    const ImageList& im = state();
    const float xk[2] = {im.x_i(1), im.x_i(2)}, yk[2] = {im.y_i(1), im.y_i(2)};

    const float qnear = 1e-3f;
    const int k = n % 2;
    const float xp = xk[k] + 0.3f * std::sqrt(qnear) * u(gen) / 1.5f;
    const float yp = yk[k] + 0.3f * std::sqrt(qnear) * u(gen) / 1.5f;
    const float a2 = lens2_star_units(xs, ys, xp, yp, qnear);
    EXPECT_EQ(asp(xs, ys, 1, &xp, &yp, &qnear), a2) << xs << "," << ys << " image " << k + 1;

    const float qfar = 1e-6f;
    const float xf = 3 * u(gen), yf = 3 * u(gen);
    double lp = 1e30;
    for (int j = 0; j < 2; ++j) {
      // r_image sqrt(ln(r_image/r_planet)^2 + dphi^2)
      const double rk = std::hypot(xk[j], yk[j]), rp = std::hypot(xf, yf);
      const double dphi = std::remainder(std::atan2(yk[j], xk[j]) - std::atan2(yf, xf), 2 * M_PI);
      lp = std::min(lp, rk * std::hypot(std::log(rk / rp), dphi));
    }
    if (lp > 200 * std::sqrt(qfar)) {
      // The point-lens excess at 200 planet Einstein radii is 2/200^4.
      EXPECT_EQ(asp(xs, ys, 1, &xf, &yf, &qfar), a0)
          << xs << "," << ys << " planet " << xf << "," << yf;
      ++far;
    }
  }
  EXPECT_GT(far, 500);
}

TEST_F(AspTest, TwoPlanetsAddTheirExcessMagnifications) {
  const float xs = 0.05f, ys = 0.3f;
  // Planets close to the major and the minor image respectively.
  const float xp[2] = {0.16f, -0.08f}, yp[2] = {1.15f, -0.8f}, q[2] = {1e-3f, 3e-4f};
  const float a = asp(xs, ys, 2, xp, yp, q);
  const float a1 = lens2_star_units(xs, ys, xp[0], yp[0], q[0]);
  const float a2 = lens2_star_units(xs, ys, xp[1], yp[1], q[1]);
  const float a0 = atotl(std::sqrt(xs * xs + ys * ys));
  EXPECT_NEAR(a, a1 + a2 - a0, 1e-6 * a);
  EXPECT_GT(std::fabs(a1 - a0), 1e-4);
  EXPECT_GT(std::fabs(a2 - a0), 1e-4);
}

// A receding planet leaves the point lens of the model behind: what remains is
// the small shift of the source by the planet's distant pull, falling off as
// q/d. (Measured in Einstein radii of star plus planet instead, the star's
// magnification would stay about q/2 below the point lens at any distance.)
TEST_F(AspTest, ARecedingPlanetLeavesThePointLens) {
  const float xs = 0.2f, ys = 0.15f, q = 0.01f;
  float a0 = 0;
  lens1(xs, ys, a0);
  float last = 1;
  int binary = 0;
  for (float r = 3; r < 60; r *= 1.25f) {
    const float xp = r, yp = r;
    const float dev = std::fabs(asp(xs, ys, 1, &xp, &yp, &q) / a0 - 1);
    EXPECT_LT(dev, last) << "planet at " << r << "," << r;
    if (r > 40) {
      EXPECT_LT(dev, 1e-3) << "planet at " << r << "," << r;
    }
    if (dev > 0) ++binary;
    last = dev;
  }
  EXPECT_GT(binary, 10);  // the binary lens gave every one of these
}

// The report comes when the dominant planet changes, and not otherwise.
TEST_F(AspTest, ReportOnlyWhenTheDominantPlanetChanges) {
  // Planet 1 near the major image of a source at (0, 0.3), planet 2 near the
  // major image of a source at (0.6, 0.3).
  const float xp[2] = {0.0f, 0.82f}, yp[2] = {1.16f, 0.41f}, q[2] = {1e-3f, 1e-3f};
  asp(0.0f, 0.3f, 2, xp, yp, q);
  EXPECT_EQ(count(console_.output(), "PSPL model xs,ys"), 1);
  EXPECT_NE(console_.output().find(" Planet 1 del"), std::string::npos) << console_.output();
  asp(0.01f, 0.3f, 2, xp, yp, q);
  EXPECT_EQ(count(console_.output(), "PSPL model xs,ys"), 1);
  console_.clear();
  asp(0.6f, 0.3f, 2, xp, yp, q);
  asp(0.61f, 0.3f, 2, xp, yp, q);
  EXPECT_EQ(count(console_.output(), "PSPL model xs,ys"), 1);
  EXPECT_NE(console_.output().find(" Planet 2 del"), std::string::npos) << console_.output();
  EXPECT_NE(console_.output().find(" Planets: 2 del"), std::string::npos) << console_.output();
  console_.clear();
  asp(0.0f, 0.3f, 2, xp, yp, q);
  EXPECT_EQ(count(console_.output(), "PSPL model xs,ys"), 1);
  EXPECT_EQ(state().aspfirst, 1);
}

}  // namespace
}  // namespace zolka
