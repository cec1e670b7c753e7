// Relative likelihoods and marginal profiles of a chi-square map, on maps
// small enough to work out by hand.
#include "detect/map_profiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

constexpr float tol = 4 * std::numeric_limits<float>::epsilon();

void set_map(int n1, int n2, const std::vector<float>& chi2) {
  ProgramState& s = state();
  s.n_1 = n1;
  s.n_2 = n2;
  s.chi2_12.resize(static_cast<int>(chi2.size()));
  for (std::size_t p = 0; p < chi2.size(); ++p) s.chi2_12(static_cast<int>(p) + 1) = chi2[p];
}

TEST(MapProfiles, ThreeByTwoMapByHand) {
  test::fresh_state();
  // First axis fastest: row j = 1 holds 10 12 14, row j = 2 holds 11 10 16.
  set_map(3, 2, {10, 12, 14, 11, 10, 16});
  const MapRange r = map_profiles();
  EXPECT_EQ(r.npix, 6);
  EXPECT_EQ(r.chi2min, 10);
  EXPECT_EQ(r.chi2max, 16);
  const ProgramState& s = state();
  // post = exp(-(chi2 - 10)/2): 1, e^-1, e^-2 / e^-1/2, 1, e^-3.
  const double e = std::exp(1.0);
  const double post[6] = {1, 1 / e, 1 / (e * e), 1 / std::sqrt(e), 1, 1 / (e * e * e)};
  for (int p = 1; p <= 6; ++p) EXPECT_NEAR(s.post_12(p), post[p - 1], tol) << p;
  // Columns: minima 10, 10, 14; sums 1 + e^-1/2, e^-1 + 1, e^-2 + e^-3, over the first.
  const double col[3] = {post[0] + post[3], post[1] + post[4], post[2] + post[5]};
  const float colmin[3] = {10, 10, 14};
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(s.chi2_1(k), colmin[k - 1]) << k;
    EXPECT_NEAR(s.post_1(k), col[k - 1] / col[0], tol) << k;
  }
  // Rows: minima 10, 10; sums 1 + e^-1 + e^-2 and e^-1/2 + 1 + e^-3, over the second.
  const double row[2] = {post[0] + post[1] + post[2], post[3] + post[4] + post[5]};
  for (int j = 1; j <= 2; ++j) {
    EXPECT_EQ(s.chi2_2(j), 10) << j;
    EXPECT_NEAR(s.post_2(j), row[j - 1] / row[1], tol) << j;
  }
}

TEST(MapProfiles, FlatDeepAndBrokenMaps) {
  test::fresh_state();
  const ProgramState& s = state();
  // A flat map: every pixel as likely as the best, every profile 1.
  set_map(2, 2, {500, 500, 500, 500});
  map_profiles();
  for (int k = 1; k <= 2; ++k) {
    EXPECT_EQ(s.post_1(k), 1);
    EXPECT_EQ(s.post_2(k), 1);
  }
  // Pixels thousands above the best underflow to likelihood 0 and leave
  // the best pixel's profiles at 1.
  set_map(2, 1, {0, 5000});
  map_profiles();
  EXPECT_EQ(s.post_12(2), 0);
  EXPECT_EQ(s.post_1(1), 1);
  EXPECT_EQ(s.post_1(2), 0);
  // A pixel that is not a number stays out of the range and counts for nothing.
  set_map(2, 1, {std::numeric_limits<float>::quiet_NaN(), 7});
  const MapRange r = map_profiles();
  EXPECT_EQ(r.chi2min, 7);
  EXPECT_EQ(r.chi2max, 7);
  EXPECT_EQ(s.post_12(1), 0);
  EXPECT_EQ(s.post_1(2), 1);
  // An empty map, or one whose values are missing: nothing to show.
  set_map(0, 3, {});
  EXPECT_EQ(map_profiles().npix, 0);
  set_map(4, 4, {1, 2});
  EXPECT_EQ(map_profiles().npix, 0);
  EXPECT_EQ(s.post_1.size(), 4);
}

}  // namespace
}  // namespace zolka
