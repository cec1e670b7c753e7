#include "numeric/stats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "support/support.h"

namespace zolka {
namespace {

// Results are 32-bit; values built from sums of a few terms agree to a few
// float epsilons.
constexpr float kTol = 4 * 1.2e-7f;

::testing::AssertionResult near(float got, double want) {
  if (std::fabs(got - want) <= kTol * std::max(1.0, std::fabs(want)))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << got << " differs from " << want;
}

struct MedianCase {
  std::vector<float> x;
  float median;
};

TEST(Xmedian, MiddleValueOrMeanOfTheTwoMiddleValues) {
  const MedianCase cases[] = {
      {{3, 1, 2}, 2},
      {{4, 1, 3, 2}, 2.5f},
      {{7}, 7},
      {{1, 4}, 2.5f},
      {{5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 1}, 5},
      {{11, 2, 9, 4, 7, 6, 5, 8, 3, 10, 1}, 6},
      {{10, 2, 9, 4, 7, 6, 5, 8, 3, 1, -100, 100}, 5.5f},
  };
  for (const MedianCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.x));
    EXPECT_EQ(xmedian(static_cast<int>(c.x.size()), c.x.data()), c.median);
  }
}

TEST(Xmedian, EmptyCountReportsAndGivesZero) {
  const float x[1] = {42};
  for (int n : {0, -3}) {
    SCOPED_TRACE("n=" + std::to_string(n));
    test::CapturedConsole console;
    EXPECT_EQ(xmedian(n, x), 0.0f);
    EXPECT_EQ(console.output(),
              " ** INVALID DIMENSION " + std::to_string(n) + "\n ** XMEDIAN aborted.\n");
  }
}

TEST(Xmedian, OverlongArrayWarnsAndUsesTheFirstValues) {
  // x(i) = i for the first 100000 values, so their median is 50000.5; the
  // extra value would pull the median of all of them down to 50000.
  std::vector<float> x(100001);
  std::iota(x.begin(), x.end() - 1, 1.0f);
  x.back() = -1e6f;
  test::CapturedConsole console;
  EXPECT_EQ(xmedian(100001, x.data()), 50000.5f);
  EXPECT_EQ(console.output(), " ** WARNING: buffer overflow in XMEDIAN 100001 100000\n");
}

TEST(Medmad, MeanAbsoluteDeviationAboutTheMedian) {
  const float x[] = {1, 2, 3, 4, 100};
  float med = -1, mad = -1;
  medmad(5, x, med, mad);
  EXPECT_EQ(med, 3.0f);
  EXPECT_TRUE(near(mad, (2 + 1 + 0 + 1 + 97) / 5.0));
}

TEST(Medmad, DeviationCoversAllValuesBeyondTheMedianBuffer) {
  // The median of the first 100000 zeros is 0; the deviation sums all
  // 100001 values: 100001/100001 = 1.
  std::vector<float> x(100001, 0.0f);
  x.back() = 100001;
  float med = -1, mad = -1;
  test::CapturedConsole console;
  medmad(100001, x.data(), med, mad);
  EXPECT_EQ(med, 0.0f);
  EXPECT_TRUE(near(mad, 1.0));
}

TEST(Medmad, EmptyCountGivesZeros) {
  const float x[1] = {42};
  float med = -1, mad = -1;
  test::CapturedConsole console;
  medmad(0, x, med, mad);
  EXPECT_EQ(med, 0.0f);
  EXPECT_EQ(mad, 0.0f);
  EXPECT_NE(console.output().find("** XMEDIAN aborted."), std::string::npos);
}

TEST(Avgrms, MeanAndSampleRms) {
  struct Case {
    std::vector<float> x;
    double avg, rms;
  };
  const Case cases[] = {
      {{2, 4}, 3, std::sqrt(2.0)},
      {{5}, 5, 0},
      // Sum of squared deviations 32 over n - 1 = 7.
      {{2, 4, 4, 4, 5, 5, 7, 9}, 5, std::sqrt(32.0 / 7)},
      // Deviations of +-0.5 about 16.4: a small scatter on a large level.
      {{16.9f, 15.9f, 16.9f, 15.9f}, 16.4, std::sqrt(1.0 / 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.x));
    float avg = -1, rms = -1;
    avgrms(static_cast<int>(c.x.size()), c.x.data(), avg, rms);
    EXPECT_TRUE(near(avg, c.avg));
    EXPECT_TRUE(near(rms, c.rms));
  }
}

TEST(Avgrmspdf, WeightedMeanAndRms) {
  // Weights 1 and 3 on 0 and 4: mean 3, rms sqrt((1*9 + 3*1)/4) = sqrt(3).
  const float w[] = {1, 3};
  const float x[] = {0, 4};
  float avg = -1, rms = -1;
  avgrmspdf(2, w, x, avg, rms);
  EXPECT_TRUE(near(avg, 3));
  EXPECT_TRUE(near(rms, std::sqrt(3.0)));
}

TEST(Avgrmspdf, NoWeightFallsBackToTheFirstValueAndKeepsRms) {
  const float w[] = {0, 0};
  const float x[] = {7, 4};
  float avg = -1, rms = 42;
  avgrmspdf(2, w, x, avg, rms);
  EXPECT_EQ(avg, 7.0f);
  EXPECT_EQ(rms, 42.0f);
}

TEST(Optavg, InverseVarianceWeightedMean) {
  struct Case {
    std::string name;
    std::vector<float> x, sig;
    float avg, sigavg;
  };
  const Case cases[] = {
      {"equal errors", {10, 20}, {1, 1}, 15, 0.70710678f},
      // Weights 1 and 1/4: (10 + 20/4)/1.25 = 12, error sqrt(1/1.25).
      {"unequal errors", {10, 20}, {1, 2}, 12, 0.89442719f},
      {"points without error left out", {10, 1000, 20, -50}, {1, 0, 1, -1}, 15, 0.70710678f},
      {"nothing to weigh", {10, 20}, {0, -1}, 0, -1},
      {"empty", {}, {}, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    float avg = -7, sigavg = -7;
    optavg(static_cast<int>(c.x.size()), c.x.data(), c.sig.data(), avg, sigavg);
    EXPECT_TRUE(near(avg, c.avg));
    EXPECT_TRUE(near(sigavg, c.sigavg));
  }
}

TEST(Optscl, WeightedScaleFactor) {
  struct Case {
    std::string name;
    std::vector<float> y, sig, m;
    double s, sigs;
  };
  const Case cases[] = {
      // Sum m^2/sig^2 = 1 + 4 + 9 = 14.
      {"exact y = 2m", {2, 4, 6}, {1, 1, 1}, {1, 2, 3}, 2, 1 / std::sqrt(14.0)},
      // Sum y m = 3.5 + 10, sum m^2 = 5.
      {"scattered", {3.5f, 5.0f}, {1, 1}, {1, 2}, (3.5 + 10.0) / 5, 1 / std::sqrt(5.0)},
      {"points without error left out", {2, 100, 4}, {1, 0, 1}, {1, 1, 2}, 2, 1 / std::sqrt(5.0)},
      {"nothing to weigh", {2, 4}, {0, 0}, {1, 2}, 0, -1},
      {"model all zero", {2, 4}, {1, 1}, {0, 0}, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    float s = -7, sigs = -7;
    optscl(static_cast<int>(c.y.size()), c.y.data(), c.sig.data(), c.m.data(), s, sigs);
    EXPECT_TRUE(near(s, c.s));
    EXPECT_TRUE(near(sigs, c.sigs));
  }
}

struct Line {
  double x0, y0, slope, sigy0, sigslope;
};

struct LineCase {
  std::string name;
  std::vector<float> x, y, sig;
  Line want;
};

TEST(Fitline, WeightedLineThroughTheWeightedCentre) {
  // Reference values from the textbook weighted least squares about the
  // weighted centre: sigy0 = 1/sqrt(sum w), sigslope = 1/sqrt(sum w (x - x0)^2).
  const double r2 = std::sqrt(2.0), r3 = std::sqrt(3.0);
  const LineCase cases[] = {
      // y = 1 + 2x, sig 0.5: sum w = 20, sum w (x - 2)^2 = 40.
      {"exact line",
       {0, 1, 2, 3, 4},
       {1, 3, 5, 7, 9},
       {0.5f, 0.5f, 0.5f, 0.5f, 0.5f},
       {2, 5, 2, 1 / std::sqrt(20.0), 1 / std::sqrt(40.0)}},
      // Weights 1,1,1,1,4: x0 = 22/8 = 2.75, sum w (x - x0)^2 = 17.5.
      {"exact line, unequal weights",
       {0, 1, 2, 3, 4},
       {1, 3, 5, 7, 9},
       {1, 1, 1, 1, 0.5f},
       {2.75, 6.5, 2, 1 / std::sqrt(8.0), 1 / std::sqrt(17.5)}},
      // The outlier has no error bar: it is left out of the fit although it
      // widens the ranges used for conditioning.
      {"outlier without error",
       {0, 1, 2, 3, 4, 40},
       {1, 3, 5, 7, 9, -500},
       {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0},
       {2, 5, 2, 1 / std::sqrt(20.0), 1 / std::sqrt(40.0)}},
      // Centre (2, 2), sum (x - 2)(y - 2) = 1, sum (x - 2)^2 = 2.
      {"scattered", {1, 2, 3}, {1, 3, 2}, {1, 1, 1}, {2, 2, 0.5, 1 / r3, 1 / r2}},
      // The same shifted to times in HJD and large fluxes.
      {"offset data",
       {2450000, 2450001, 2450002},
       {1001, 1003, 1002},
       {1, 1, 1},
       {2450001, 1002, 0.5, 1 / r3, 1 / r2}},
      {"all x equal", {3, 3, 3, 3}, {1, 2, 3, 6}, {1, 1, 1, 1}, {3, 3, 0, 0.5, 0}},
      {"nothing to weigh", {1, 2}, {1, 2}, {0, -1}, {0, 0, 0, -1, -1}},
      {"empty", {}, {}, {}, {0, 0, 0, -1, -1}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.name);
    float x0 = -7, y0 = -7, slope = -7, sigy0 = -7, sigslope = -7;
    fitline(static_cast<int>(c.x.size()), c.x.data(), c.y.data(), c.sig.data(), x0, y0, slope,
            sigy0, sigslope);
    EXPECT_TRUE(near(x0, c.want.x0)) << "x0";
    EXPECT_TRUE(near(y0, c.want.y0)) << "y0";
    EXPECT_TRUE(near(slope, c.want.slope)) << "slope";
    EXPECT_TRUE(near(sigy0, c.want.sigy0)) << "sigy0";
    EXPECT_TRUE(near(sigslope, c.want.sigslope)) << "sigslope";
  }
}

TEST(Mnmx, SmallestAndLargest) {
  const float x[] = {3, -1, 7, 2};
  float lo = 0, hi = 0;
  mnmx(4, x, lo, hi);
  EXPECT_EQ(lo, -1.0f);
  EXPECT_EQ(hi, 7.0f);
  mnmx(0, x, lo, hi);
  EXPECT_EQ(lo, 3.0f);
  EXPECT_EQ(hi, 3.0f);
}

TEST(Fills, ConstantCopyShiftAndScale) {
  std::vector<float> x = {1, 2, 3, 9};
  peqc(3, x.data(), 0.5f);
  EXPECT_EQ(x, (std::vector<float>{0.5f, 0.5f, 0.5f, 9}));

  std::vector<int> k = {1, 2, 3, 9};
  peqc(3, k.data(), -1);
  EXPECT_EQ(k, (std::vector<int>{-1, -1, -1, 9}));
  peqc(0, k.data(), 5);
  EXPECT_EQ(k[0], -1);

  const std::vector<float> y = {4, 5, 6, 7};
  peqp(3, x.data(), y.data());
  EXPECT_EQ(x, (std::vector<float>{4, 5, 6, 9}));

  peqpac(3, x.data(), x.data(), 1.5f);
  EXPECT_EQ(x, (std::vector<float>{5.5f, 6.5f, 7.5f, 9}));
  peqpmc(3, x.data(), x.data(), 2);
  EXPECT_EQ(x, (std::vector<float>{11, 13, 15, 9}));
}

TEST(Fills, IdentityShiftAndScaleAreSkipped) {
  // Even when x and y differ, v = 0 (shift) and v = 1 (scale) leave x alone.
  std::vector<float> x = {1, 2, 3};
  const std::vector<float> y = {10, 20, 30};
  peqpac(3, x.data(), y.data(), 0);
  EXPECT_EQ(x, (std::vector<float>{1, 2, 3}));
  peqpmc(3, x.data(), y.data(), 1);
  EXPECT_EQ(x, (std::vector<float>{1, 2, 3}));
}

}  // namespace
}  // namespace zolka
