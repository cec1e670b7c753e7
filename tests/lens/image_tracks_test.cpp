#include "lens/image_tracks.h"

#include <gtest/gtest.h>

#include <cmath>

#include "lens/point_images.h"
#include "lens/point_lens.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

class ImageTracksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::fresh_state();
    ProgramState& s = state();
    s.qpl = 0;  // images of the point lens only
    s.y0 = 0.2f;
  }
  // n data points at source positions xs with error bars sigma, images from lcalc.
  void data(std::initializer_list<float> xs, float sigma, float q = 1e-3f) {
    ProgramState& s = state();
    s.ndata = static_cast<int>(xs.size());
    s.resize(s.ndata);
    int i = 1;
    for (float x : xs) {
      s.x_t(i) = x;
      s.erbmag_t(i) = sigma;
      ++i;
    }
    lcalc(s.ndata, s.x_t.data(), s.y0);
    s.qpl = q;
  }
  test::CapturedConsole console_;
};

TEST_F(ImageTracksTest, PlanetOnAMajorImageIsClose) {
  data({0.3f, 0.6f, 0.9f}, 0.005f);
  const ProgramState& s = state();
  for (int i = 1; i <= 3; ++i) {
    const float u = std::hypot(s.xp_t(i), s.yp_t(i));
    const float alpha = std::atan2(s.xp_t(i), s.yp_t(i));
    EXPECT_TRUE(imclose(u, alpha)) << i;
    // The minor image too: its zone is wider by sqrt(q) in azimuth.
    EXPECT_TRUE(imclose(std::hypot(s.xm_t(i), s.ym_t(i)), std::atan2(s.xm_t(i), s.ym_t(i)))) << i;
  }
  EXPECT_FLOAT_EQ(s.qclose, 1e-3f);
  EXPECT_FLOAT_EQ(s.rclose, std::sqrt(1e-3f));
}

TEST_F(ImageTracksTest, FarPlanetsAreNotClose) {
  // Zones of about sqrt(q/sigma) = 0.1 in ln r and in azimuth.
  data({-0.4f, -0.2f, 0.0f, 0.2f, 0.4f}, 0.01f, 1e-4f);
  const ProgramState& s = state();
  // Images at azimuths from about -63 to 63 degrees (major) and their
  // opposites (minor); a planet at -90 or 90 degrees near the ring is far
  // from all of them, and so is one far inside or outside the ring.
  EXPECT_FALSE(imclose(1.0f, 1.5707964f));
  EXPECT_FALSE(imclose(1.0f, -1.5707964f));
  EXPECT_FALSE(imclose(0.05f, std::atan2(s.xp_t(3), s.yp_t(3))));
  EXPECT_FALSE(imclose(20.0f, std::atan2(s.xp_t(3), s.yp_t(3))));
  // Whole turns of the azimuth do not matter.
  const float u = std::hypot(s.xp_t(2), s.yp_t(2));
  const float alpha = std::atan2(s.xp_t(2), s.yp_t(2));
  EXPECT_TRUE(imclose(u, alpha + 2 * 6.2831855f));
  EXPECT_TRUE(imclose(u, alpha - 6.2831855f));
}

// A larger error bar shrinks the zones: a planet just off an image matters
// for precise data only.
TEST_F(ImageTracksTest, ZonesShrinkWithTheErrorBar) {
  data({0.5f}, 0.001f);
  const ProgramState& s = state();
  const float u = std::hypot(s.xp_t(1), s.yp_t(1)) * 1.1f;
  const float alpha = std::atan2(s.xp_t(1), s.yp_t(1));
  EXPECT_TRUE(imclose(u, alpha));
  state().erbmag_t(1) = 0.5f;
  EXPECT_FALSE(imclose(u, alpha));
}

TEST_F(ImageTracksTest, InvalidMassRatio) {
  data({0.5f}, 0.01f);
  state().qpl = 0;
  EXPECT_TRUE(imclose(1.5f, 0.25f));
  EXPECT_EQ(console_.output(), " imclose( 1.5 0.25 ) for q= 0.0\n ** ERROR invalid q\n");
}

TEST_F(ImageTracksTest, LensPlaneTracksAreRefinedAndSolveTheLensEquation) {
  ImageTracks t;
  impaths_tracks(-2.0f, 2.0f, t);
  ASSERT_EQ(t.xs.size(), 2);
  EXPECT_FLOAT_EQ(t.xs(1), -2.0f);
  EXPECT_FLOAT_EQ(t.ys(2), 0.2f);
  const int n = t.xm.size();
  EXPECT_GE(n, 10000);
  EXPECT_LE(n, 100000);
  EXPECT_EQ(t.xp.size(), n);
  const ProgramState& s = state();
  for (int i = 1; i <= n; ++i) {
    // Source (x_t, y0): each image is on the line through it, at theta with
    // theta - 1/theta = u.
    const double u = std::hypot(s.x_t(i), 0.2);
    const double tp = std::hypot(t.xp(i), t.yp(i)), tm = std::hypot(t.xm(i), t.ym(i));
    ASSERT_NEAR(tp - 1 / tp, u, 1e-4) << i;
    ASSERT_NEAR(1 / tm - tm, u, 1e-4) << i;
    if (i > 1) {
      // Steps of at most about 0.01 along either track.
      ASSERT_LT(std::hypot(t.xp(i) - t.xp(i - 1), t.yp(i) - t.yp(i - 1)), 0.015) << i;
      ASSERT_LT(std::hypot(t.xm(i) - t.xm(i - 1), t.ym(i) - t.ym(i - 1)), 0.015) << i;
    }
  }
}

TEST_F(ImageTracksTest, LogAzimuthTracksWrap) {
  ImageTracks t;
  impathal_tracks(-90.0f, 270.0f, 0.0f, t);
  const int n = t.xs.size();
  ASSERT_EQ(n, 1000);
  for (int i = 1; i <= n; ++i) {
    for (const Vec1<float>* deg : {&t.ys, &t.ym, &t.yp}) {
      ASSERT_GE((*deg)(i), -90.0f);
      ASSERT_LE((*deg)(i), 270.0f);
    }
  }
  // Source at tau = -30 and 30: azimuths atan2(tau, y0), separation log10 u.
  EXPECT_NEAR(t.ys(1), -89.618f, 1e-3);
  EXPECT_NEAR(t.ys(n), 89.618f, 1e-3);
  EXPECT_NEAR(t.xs(1), std::log10(std::hypot(30.0f, 0.2f)), 1e-6);
  // The minor image lies opposite: 180 degrees on, wrapped into [-90, 270].
  EXPECT_NEAR(t.ym(1), -89.618f + 180, 1e-3);
  EXPECT_NEAR(t.ym(n), 89.618f + 180, 1e-3);
  EXPECT_NEAR(t.xm(n), std::log10(-uminus(std::hypot(30.0f, 0.2f))), 1e-5);
}

}  // namespace
}  // namespace zolka
