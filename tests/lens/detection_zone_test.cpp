#include "lens/detection_zone.h"

#include <gtest/gtest.h>

#include <cmath>

#include "lens/point_lens.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

class DzwTest : public ::testing::Test {
 protected:
  void SetUp() override { test::fresh_state(); }
};

// Hand computation for q = 0.001, u = 0.1, smag = 16, b = 0 (no blend):
// A = 10.0375, F0 = 5e9 * 10^-6.4 = 1990.54, fsky = 5e9 * 10^-7.6 * 2.26618
// = 284.62, SNR = F0 A sqrt(100 / (F0 A + fsky)) = 1403.9,
// B = sqrt(0.01 * 4.01) = 0.200250, F = 2/B + 2 * 2.01 / ((2.01 + B) B)
// = 19.0627, result = pi/3 * 0.001 * F * SNR = 28.03.
TEST_F(DzwTest, HandComputedValue) {
  const double a = (0.01 + 2) / (0.1 * std::sqrt(4.01));
  const double f0 = 5e9 * std::pow(10.0, -6.4), fsky = 5e9 * std::pow(10.0, -7.6) * 2.26618;
  const double snr = f0 * a * std::sqrt(100 / (f0 * a + fsky));
  const double bb = std::sqrt(0.01 * 4.01);
  const double f = 2 / bb + 2 * 2.01 / ((2.01 + bb) * bb);
  const double want = M_PI / 3 * 0.001 * f * snr;
  EXPECT_NEAR(dzwstd(0.001f, 0.1f, 16.0f, 0.0f), want, 1e-5 * want);
  EXPECT_NEAR(want, 28.03, 0.01);
}

TEST_F(DzwTest, ScalingsAndMemory) {
  const float p1 = dzwstd(0.001f, 0.3f, 17.0f, 0.5f);
  EXPECT_NEAR(dzwstd(0.004f, 0.3f, 17.0f, 0.5f), 4 * p1, 1e-5 * 4 * p1);
  EXPECT_LT(dzwstd(0.001f, 0.3f, 18.0f, 0.5f), p1);  // fainter
  EXPECT_LT(dzwstd(0.001f, 0.3f, 17.0f, 2.0f), p1);  // more blended
  EXPECT_LT(dzwstd(0.001f, 1.0f, 17.0f, 0.5f), p1);  // farther from the peak
  // The same arguments again: the remembered result, even where the state's
  // memory is all that can give it.
  dzwstd(0.001f, 0.3f, 17.0f, 0.5f);
  state().dzwval = 123.0f;
  EXPECT_EQ(dzwstd(0.001f, 0.3f, 17.0f, 0.5f), 123.0f);
  EXPECT_NE(dzwstd(0.001f, 0.31f, 17.0f, 0.5f), 123.0f);
}

}  // namespace
}  // namespace zolka
