// The downhill-simplex minimiser on small problems with known minima, and its
// stop rules.
#include "fit/simplex.h"

#include <gtest/gtest.h>

#include <cmath>

#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

// Builds a simplex around start with steps dp and evaluates it.
void start_simplex(Mat1<float>& p, Vec1<float>& y, const std::vector<float>& start,
                   const std::vector<float>& dp, const Objective& f) {
  const int n = static_cast<int>(start.size());
  p.resize(n + 1, n);
  y.resize(n + 1);
  for (int v = 1; v <= n + 1; ++v) {
    std::vector<float> x(start);
    if (v <= n) x[v - 1] += dp[v - 1];
    for (int j = 1; j <= n; ++j) p(v, j) = x[j - 1];
    y(v) = f(x.data());
  }
}

int best_vertex(const Vec1<float>& y) {
  int b = 1;
  for (int v = 2; v <= y.size(); ++v)
    if (y(v) <= y(b)) b = v;
  return b;
}

class Simplex : public ::testing::Test {
 protected:
  void SetUp() override { test::fresh_state(); }
  test::CapturedConsole con;
};

TEST_F(Simplex, FindsTheMinimumOfAQuadraticBowl) {
  // Minimum 3 at (1, -2, 0.5).
  const Objective f = [](const float* x) {
    return 3 + (x[0] - 1) * (x[0] - 1) + 4 * (x[1] + 2) * (x[1] + 2) +
           9 * (x[2] - 0.5f) * (x[2] - 0.5f);
  };
  Mat1<float> p;
  Vec1<float> y;
  start_simplex(p, y, {0, 0, 0}, {0.5f, 0.5f, 0.5f}, f);
  int iter = 500;
  amoeba(p, y, 4, 3, 3, 1e-6f, f, iter);
  const int b = best_vertex(y);
  EXPECT_NEAR(p(b, 1), 1, 1e-3);
  EXPECT_NEAR(p(b, 2), -2, 1e-3);
  EXPECT_NEAR(p(b, 3), 0.5, 1e-3);
  EXPECT_NEAR(y(b), 3, 1e-5);
  EXPECT_GT(iter, 0);
  EXPECT_LT(iter, 500);
  // One history entry per pass: the iterations plus the final check.
  EXPECT_EQ(state().namohist, iter + 1);
  EXPECT_EQ(state().amohist(1, 1), 0.0f);
}

TEST_F(Simplex, WorksOnALineWithTwoVertices) {
  const Objective f = [](const float* x) { return (x[0] - 2.5f) * (x[0] - 2.5f); };
  Mat1<float> p;
  Vec1<float> y;
  start_simplex(p, y, {0}, {1}, f);
  int iter = 200;
  amoeba(p, y, 2, 1, 1, 1e-6f, f, iter);
  EXPECT_NEAR(p(best_vertex(y), 1), 2.5, 1e-3);
}

TEST_F(Simplex, OneIterationLimitMakesOneStepQuietly) {
  state().muteamoeba = 0;
  int calls = 0;
  const Objective f = [&calls](const float* x) {
    ++calls;
    return x[0] * x[0] + x[1] * x[1] + 1;
  };
  Mat1<float> p;
  Vec1<float> y;
  start_simplex(p, y, {3, 4}, {1, 1}, f);
  calls = 0;
  int iter = 1;
  amoeba(p, y, 3, 2, 2, 1e-6f, f, iter);
  EXPECT_EQ(iter, 1);
  EXPECT_GE(calls, 1);
  EXPECT_EQ(con.output().find("Amoeba Iter"), std::string::npos);
}

TEST_F(Simplex, EqualZeroValuesAvertTheDivision) {
  state().muteamoeba = 0;
  const Objective f = [](const float*) { return 0.0f; };
  Mat1<float> p;
  Vec1<float> y;
  start_simplex(p, y, {1, 1}, {0.5f, 0.5f}, f);
  int iter = 50;
  amoeba(p, y, 3, 2, 2, 1e-3f, f, iter);
  EXPECT_NE(con.output().find(" ** AMOEBA DIVIDE BY ZERO AVERTED. RTOL= 0.0 /  0"),
            std::string::npos)
      << con.output();
  // The stop then relies on PTOL, which a flat objective never shrinks: the
  // limit is reached and min(limit, ndim + 1) = 3 extra iterations follow.
  EXPECT_NE(con.output().find(" Amoeba Iter 50 max 50"), std::string::npos);
  EXPECT_EQ(iter, 53);
}

TEST_F(Simplex, MutedRunPrintsNothingAndTakesTheSameSteps) {
  const Objective f = [](const float* x) {
    return (x[0] - 1) * (x[0] - 1) + 10 * (x[1] - x[0] * x[0]) * (x[1] - x[0] * x[0]);
  };
  Mat1<float> p1, p2;
  Vec1<float> y1, y2;
  start_simplex(p1, y1, {-1, 1}, {0.3f, 0.3f}, f);
  start_simplex(p2, y2, {-1, 1}, {0.3f, 0.3f}, f);
  int it1 = 300, it2 = 300;
  state().muteamoeba = 1;
  amoeba(p1, y1, 3, 2, 2, 1e-5f, f, it1);
  EXPECT_EQ(con.output(), "");
  state().muteamoeba = 0;
  amoeba(p2, y2, 3, 2, 2, 1e-5f, f, it2);
  EXPECT_NE(con.output(), "");
  EXPECT_EQ(it1, it2);
  for (int v = 1; v <= 3; ++v) EXPECT_EQ(y1(v), y2(v));
}

TEST_F(Simplex, InvalidDimensionsDoNothing) {
  const Objective f = [](const float* x) { return x[0]; };
  Mat1<float> p(2, 1);
  Vec1<float> y(2);
  int iter = 10;
  amoeba(p, y, 1, 1, 1, 1e-6f, f, iter);  // mp <= ndim
  EXPECT_EQ(iter, 10);
  iter = 0;
  amoeba(p, y, 2, 1, 1, 1e-6f, f, iter);  // no iterations allowed
  EXPECT_EQ(iter, 0);
}

}  // namespace
}  // namespace zolka
