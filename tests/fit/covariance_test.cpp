// Matrix inversion and the parameter covariance.
#include "fit/covariance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/badness.h"
#include "fit/fit_fixture.h"
#include "fit/parameter_listing.h"
#include "support/support.h"

namespace zolka {
namespace {

// Column-major n x n from rows.
std::vector<double> from_rows(const std::vector<std::vector<double>>& rows) {
  const int n = static_cast<int>(rows.size());
  std::vector<double> a(static_cast<std::size_t>(n) * n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a[j * n + i] = rows[i][j];
  return a;
}

TEST(Matinv, KnownInverses) {
  const struct {
    const char* what;
    std::vector<std::vector<double>> a, inv;
    float det;
  } cases[] = {
      {"2x2", {{4, 7}, {2, 6}}, {{0.6, -0.7}, {-0.2, 0.4}}, 10},
      {"swap", {{0, 1}, {1, 0}}, {{0, 1}, {1, 0}}, -1},
      {"pivoting 3x3",
       {{0, 2, 1}, {1, 0, 0}, {3, 0, 1}},
       {{0, 1, 0}, {0.5, 1.5, -0.5}, {0, -3, 1}},
       -2},
      // Hilbert matrix of order 3 and its integer inverse; det 1/2160.
      {"hilbert",
       {{1, 1.0 / 2, 1.0 / 3}, {1.0 / 2, 1.0 / 3, 1.0 / 4}, {1.0 / 3, 1.0 / 4, 1.0 / 5}},
       {{9, -36, 30}, {-36, 192, -180}, {30, -180, 180}},
       1.0f / 2160},
  };
  for (const auto& c : cases) {
    std::vector<double> a = from_rows(c.a);
    const std::vector<double> want = from_rows(c.inv);
    float det = 0;
    matinv(a.data(), static_cast<int>(c.a.size()), det);
    EXPECT_NEAR(det, c.det, 1e-6 * std::fabs(c.det)) << c.what;
    for (std::size_t k = 0; k < a.size(); ++k)
      EXPECT_NEAR(a[k], want[k], 1e-9 * (1 + std::fabs(want[k]))) << c.what << " element " << k;
  }
}

TEST(Matinv, SingularAndOutOfRange) {
  std::vector<double> a = from_rows({{1, 2}, {2, 4}});
  float det = 5;
  matinv(a.data(), 2, det);
  EXPECT_EQ(det, 0);
  std::vector<double> b = {3};
  const std::vector<double> keep = b;
  matinv(b.data(), 0, det);
  EXPECT_EQ(det, 0);
  EXPECT_EQ(b, keep);
  matinv(b.data(), 501, det);
  EXPECT_EQ(det, 0);
}

class Covariance : public ::testing::Test {
 protected:
  test::CapturedConsole console;
  void SetUp() override { reset_state(); }
  // Five-parameter fluxes of the current model, then its covariance; with
  // fitted, t0, tE, u0 have their positions as after a fit.
  static void fitted_fluxes_then_covariance(bool fitted) {
    ProgramState& s = state();
    s.npfit = 5;
    if (fitted) {
      s.kpar(3) = 1;
      s.kpar(4) = 2;
      s.kpar(5) = 3;
    }
    fitfsfb();
    covcalc();
  }
};

TEST_F(Covariance, OneSiteMatchesTheLinearTheory) {
  // Exact data, so the model sits at the minimum; the covariance of the
  // fluxes alone (t0, tE, u0 held) is the weighted straight-line theory.
  test::store_sites(
      {test::exact_site(2454000.0, 20, 0.3f, 1.5f, 0.5f, 60, 2453960, 2454040, 0.01f)});
  test::set_model(2454000.0, 20, 0.3f);
  ProgramState& s = state();
  fitted_fluxes_then_covariance(true);
  EXPECT_EQ(s.ncovdim, 5);
  EXPECT_EQ(s.name_p(1), "t0");
  EXPECT_EQ(s.name_p(4), "fs(S1)");
  EXPECT_EQ(s.name_p(5), "f0(S1)");
  EXPECT_FLOAT_EQ(s.par_p(5), s.fs_l(1) + s.fb_l(1));
  for (int k = 1; k <= 5; ++k) {
    EXPECT_GT(s.sig_p(k), 0) << k;
    EXPECT_FLOAT_EQ(s.cov_pp(k, k), 1) << k;
    for (int j = 1; j <= 5; ++j) EXPECT_EQ(s.cov_pp(j, k), s.cov_pp(k, j));
  }
  EXPECT_NE(console.output().find("OK :)"), std::string::npos);
  // sigm0: the relative error of the baseline flux in magnitudes.
  EXPECT_NEAR(s.sigm0, 1.0857362f * s.sigf0 / (s.fs_l(1) + s.fb_l(1)), 1e-9);
  // Pairs out of 10, listed largest first, each once.
  console.clear();
  showbigcov(0.5f);
  EXPECT_NE(console.output().find(" of 10"), std::string::npos);
}

TEST_F(Covariance, BigCorrelationsInDecreasingOrder) {
  ProgramState& s = state();
  s.ncovdim = 4;
  s.cov_pp.resize(4, 4);
  s.name_p(1) = "a";
  s.name_p(2) = "b";
  s.name_p(3) = "c";
  s.name_p(4) = "d";
  for (int k = 1; k <= 4; ++k) s.cov_pp(k, k) = 1;
  const auto set = [&s](int j, int k, float c) { s.cov_pp(j, k) = s.cov_pp(k, j) = c; };
  set(1, 2, 0.5f);  // exactly the threshold: not listed
  set(1, 3, -0.9f);
  set(2, 4, 0.7f);
  set(3, 4, 0.1f);
  s.resize(1);
  showbigcov(0.5f);
  const std::vector<std::string> lines = test::lines_of(console.output());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], " Covariances above 0.5 : 2 of 6");
  EXPECT_EQ(lines[1], "  Cov(  1  3 ) =  -0.900    a vs c");
  EXPECT_EQ(lines[2], "  Cov(  2  4 ) =   0.700    b vs d");
}

TEST_F(Covariance, SingularCurvatureGivesZerosAndWarnings) {
  // Site 2 has a single point: its fs and f0 cannot both be determined.
  test::store_sites({test::exact_site(2454000.0, 20, 0.3f, 1, 0, 40, 2453960, 2454040, 0.01f),
                     {{2454001.0, 2.0f, 0.02f}}});
  test::set_model(2454000.0, 20, 0.3f);
  ProgramState& s = state();
  fitted_fluxes_then_covariance(true);
  const std::string out = console.output();
  EXPECT_NE(out.find("** WARNING: SINGULAR HESSIAN MARTIX :((((."), std::string::npos) << out;
  EXPECT_NE(out.find("no uncertainties"), std::string::npos) << out;
  for (int k = 1; k <= s.ncovdim; ++k) {
    EXPECT_EQ(s.sig_p(k), 0) << k;
    for (int j = 1; j <= s.ncovdim; ++j) EXPECT_EQ(s.cov_pp(j, k), 0);
  }
}

TEST_F(Covariance, BeforeAnyFitTheLensRowsAreEmpty) {
  // kpar all zero: t0, tE, u0 have no position, so no curvature.
  test::store_sites(
      {test::exact_site(2454000.0, 20, 0.3f, 1.5f, 0.5f, 60, 2453960, 2454040, 0.01f)});
  test::set_model(2454000.0, 20, 0.3f);
  ProgramState& s = state();
  fitted_fluxes_then_covariance(false);
  const std::string out = console.output();
  EXPECT_NE(out.find("** WARNING: SINGULAR HESSIAN MARTIX"), std::string::npos);
  EXPECT_NE(out.find("no data constrain parameter 1"), std::string::npos);
  EXPECT_EQ(s.sig_p(1), 0);
  EXPECT_EQ(s.cov_pp(1, 1), 0);
  // The fluxes are still determined, with a unit diagonal.
  EXPECT_GT(s.sig_p(4), 0);
  EXPECT_FLOAT_EQ(s.cov_pp(4, 4), 1);
  console.clear();
  showparsig();
  EXPECT_NE(console.output().find(" Parameters: 5"), std::string::npos);
  EXPECT_NE(console.output().find("Peak magnification A0"), std::string::npos);
}

}  // namespace
}  // namespace zolka
