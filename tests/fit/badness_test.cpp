// Badness of fit, the linear flux solution and the priors.
#include "fit/badness.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fit/fit_fixture.h"
#include "fit/prediction.h"
#include "lens/point_lens.h"
#include "support/support.h"

namespace zolka {
namespace {

constexpr double hjdpeak = 2454000.0;

class Badness : public ::testing::Test {
 protected:
  test::CapturedConsole console;
  void SetUp() override { reset_state(); }
  // Two sites of exact point-lens fluxes with noise-like offsets added, so
  // that chi-square is not zero.
  void two_sites(int n2 = 15) {
    auto s1 = test::exact_site(hjdpeak, 20, 0.3f, 1, 0.2f, 40, 2453960, 2454040, 0.01f);
    auto s2 = test::exact_site(hjdpeak, 20, 0.3f, 2, 0.5f, n2, 2453985, 2454015, 0.03f);
    for (std::size_t k = 0; k < s1.size(); ++k) s1[k].flux += (k % 2 ? 0.01f : -0.01f);
    for (std::size_t k = 0; k < s2.size(); ++k) s2[k].flux += (k % 3 ? 0.05f : -0.1f);
    test::store_sites({s1, s2});
    test::set_model(hjdpeak, 20, 0.3f);
    test::no_priors();
  }
  // chi-square and sum of ln sigflx with the site fluxes the badness left.
  void direct(double& chi2, double& lnsig) {
    const ProgramState& s = state();
    chi2 = lnsig = 0;
    for (int i = 1; i <= s.ndata; ++i) {
      const int l = s.loc_t(i);
      const float tau = static_cast<float>((s.hjd_t(i) - s.hjd0) / s.te);
      const float a = atotl(std::sqrt(s.y0 * s.y0 + tau * tau));
      const double r = (s.datflx_t(i) - (s.fs_l(l) * a + s.fb_l(l))) / s.sigflx_t(i);
      chi2 += r * r;
      lnsig += std::log(s.sigflx_t(i));
    }
  }
};

TEST_F(Badness, NoDataGivesZeros) {
  float bof = 7;
  int nd = 7, np = 7;
  badness(bof, nd, np);
  EXPECT_EQ(bof, 0);
  EXPECT_EQ(nd, 0);
  EXPECT_EQ(np, 0);
}

TEST_F(Badness, IsChiSquarePlusLogErrorsPlusPrior) {
  two_sites();
  ProgramState& s = state();
  s.npfit = 5;
  float bof;
  int nd, np;
  badness(bof, nd, np);
  double chi2, lnsig;
  direct(chi2, lnsig);
  EXPECT_EQ(nd, s.ndata);
  EXPECT_EQ(np, 4);
  EXPECT_NEAR(bof - prior(), chi2 + 2 * lnsig, 1e-4 * std::fabs(chi2 + 2 * lnsig));
  EXPECT_NEAR(s.chi2_l(1) + s.chi2_l(2), chi2, 1e-4 * chi2);
  EXPECT_EQ(s.ndf_l(1), 38);
  EXPECT_EQ(s.ndf_l(2), 13);
}

TEST_F(Badness, DoublingTheErrorBars) {
  two_sites();
  ProgramState& s = state();
  s.npfit = 5;
  float bof1, bof2;
  int nd, np;
  badness(bof1, nd, np);
  const float chi1 = s.chi2_l(1) + s.chi2_l(2);
  for (int l = 1; l <= s.nloc; ++l) s.erbscl_l(l) = 2;
  s.erbscl = 2;
  badness(bof2, nd, np);
  const float chi2 = s.chi2_l(1) + s.chi2_l(2);
  // Weights scale together, so fs and fb are the same and chi-square falls
  // by 4, while the log term rises by 2 n ln 2. The prior does not change.
  EXPECT_NEAR(chi2, chi1 / 4, 1e-4 * chi1);
  EXPECT_NEAR((bof2 - chi2) - (bof1 - chi1), 2 * nd * std::log(2.0), 1e-3);
}

TEST_F(Badness, OtherSitesErrorScaleMovesToUnitChiSquarePerDegree) {
  two_sites();
  ProgramState& s = state();
  s.npfit = 7;
  float bof;
  int nd, np;
  for (int k = 0; k < 30; ++k) badness(bof, nd, np);
  EXPECT_NEAR(s.chi2_l(2) / s.ndf_l(2), 1.0, 1e-3);
  EXPECT_GT(s.erbscl_l(2), 1);
  EXPECT_EQ(s.erbscl_l(1), 1);  // site 1's scale belongs to the simplex
}

TEST_F(Badness, SiteWithFourPointsKeepsItsScale) {
  two_sites(4);
  ProgramState& s = state();
  s.npfit = 7;
  float bof;
  int nd, np;
  badness(bof, nd, np);
  badness(bof, nd, np);
  EXPECT_EQ(s.erbscl_l(2), 1);
}

TEST_F(Badness, LinearFluxesOfExactData) {
  test::store_sites({test::exact_site(hjdpeak, 20, 0.3f, 1.7f, 0.4f, 30, 2453970, 2454030, 0.01f)});
  test::set_model(hjdpeak, 20, 0.3f);
  ProgramState& s = state();
  s.npfit = 5;
  fitfsfb();
  EXPECT_EQ(s.linearpar, 2);
  EXPECT_NEAR(s.fs_l(1), 1.7f, 1e-4);
  EXPECT_NEAR(s.fb_l(1), 0.4f, 1e-4);
  EXPECT_NEAR(s.b0, 0.4f / 1.7f, 1e-4);
  EXPECT_NEAR(s.smag0, 16.4f - 2.5f * std::log10(2.1f), 1e-4);
  // Four parameters: the blend is held at b0 (here the 0.4/1.7 just found).
  s.npfit = 4;
  s.b0 = 0;
  fitfsfb();
  EXPECT_EQ(s.linearpar, 1);
  EXPECT_EQ(s.fb_l(1), 0);
  // None fitted: fs = 1, fb = 0.
  s.npfit = 0;
  fitfsfb_l(1);
  EXPECT_EQ(s.linearpar, 0);
  EXPECT_EQ(s.fs_l(1), 1);
  EXPECT_EQ(s.fb_l(1), 0);
}

TEST_F(Badness, NegativeSourceFluxIsRefittedWithoutBlend) {
  // Flux falling as the magnification rises: the straight line has a
  // negative slope, so fs alone (fb = 0) is fitted instead.
  auto pts = test::exact_site(hjdpeak, 20, 0.3f, 1, 0, 30, 2453970, 2454030, 0.01f);
  for (auto& p : pts) p.flux = 5 - p.flux;
  test::store_sites({pts});
  test::set_model(hjdpeak, 20, 0.3f);
  ProgramState& s = state();
  s.npfit = 5;
  newpredat();
  fitfsfb_l(1);
  EXPECT_EQ(s.linearpar, 1);
  EXPECT_GT(s.fs_l(1), 0);
  EXPECT_EQ(s.fb_l(1), 0);
  EXPECT_EQ(s.apiv_l(1), 0);
}

TEST_F(Badness, DegenerateSites) {
  // One point; and several points at one time: both get a positive fs.
  std::vector<test::Pt> one = {{2454000.5, 1.2f, 0.01f}};
  std::vector<test::Pt> same = {
      {2454001.0, 1.1f, 0.01f}, {2454001.0, 1.2f, 0.01f}, {2454001.0, 1.15f, 0.02f}};
  test::store_sites(
      {test::exact_site(hjdpeak, 20, 0.3f, 1, 0, 30, 2453970, 2454030, 0.01f), one, same});
  test::set_model(hjdpeak, 20, 0.3f);
  ProgramState& s = state();
  s.npfit = 5;
  float bof;
  int nd, np;
  badness(bof, nd, np);
  EXPECT_TRUE(std::isfinite(bof));
  EXPECT_EQ(nd, s.ndata);
  EXPECT_GT(s.fs_l(2), 0);
  EXPECT_GT(s.fs_l(3), 0);
  EXPECT_EQ(s.ndf_l(2), 0);  // one point, one linear parameter
}

TEST_F(Badness, ZeroErrorBarIsReportedAndLeftOut) {
  two_sites();
  ProgramState& s = state();
  s.npfit = 5;
  s.sigflx_t(3) = 0;
  s.erbscl_l(1) = 0;  // every error bar of site 1 is then 0
  float bof;
  int nd, np;
  console.clear();
  badness(bof, nd, np);
  EXPECT_NE(console.output().find("** bof_flx ERROR divide by ZERO error bar."), std::string::npos);
  EXPECT_NE(console.output().find("** WARNING bof_flx NDATA="), std::string::npos);
  EXPECT_EQ(nd, s.ndat_l(2));
  EXPECT_TRUE(std::isfinite(bof));
  // Site 1 had nothing to weigh: it keeps a usable flux instead of 0.
  EXPECT_EQ(s.fs_l(1), 1);
  EXPECT_EQ(s.sigfs_l(1), -1);
}

TEST_F(Badness, PriorTerms) {
  two_sites();
  ProgramState& s = state();
  s.te = 20;
  s.y0 = 0.3f;
  s.hjd0 = hjdpeak;
  const float base = 2 * std::log(20.0f);
  EXPECT_FLOAT_EQ(prior(), base);
  EXPECT_EQ(s.a0, atotl(0.3f));
  // Error-bar scale: Gaussian in log10 f.
  s.siglogf = 0.1f;
  s.avglogf = 0;
  s.erbscl = std::pow(10.0f, 0.2f);  // two widths off
  EXPECT_NEAR(prior() - base, 4 + std::log(2 * M_PI) + 2 * std::log(0.1), 1e-4);
  s.siglogf = 0;
  // Event duration: Gaussian in log10 te.
  s.siglogte = 0.5f;
  s.avglogte = std::log10(20.0f) - 0.5f;  // one width off
  EXPECT_NEAR(prior() - base, 1 + std::log(2 * M_PI) + 2 * std::log(0.5), 1e-4);
  s.siglogte = 0;
  // Peak magnification: exponential in log10 A0 with mean sigloga0.
  s.sigloga0 = 0.5f;
  EXPECT_NEAR(prior() - base, 2 * (std::log(0.5) + std::log10(atotl(0.3f)) / 0.5), 1e-4);
  // A negative mean has no density: the term is left out, not NaN.
  s.sigloga0 = -0.5f;
  EXPECT_FLOAT_EQ(prior(), base);
  s.sigloga0 = 0;
  // Peak before the first point by one W = 0.5 te min(1, thalf): +1.
  const float w = 0.5f * s.te * std::min(1.0f, std::max(0.001f, thalf(atotl(0.3f))));
  s.hjd0 = s.mjd0 + static_cast<double>(s.tfirst) - w;
  EXPECT_NEAR(prior() - base, 1, 1e-3);
  s.hjd0 = hjdpeak;
  // Blend ratio: split Gaussian, no normalisation; off after blendprioroff.
  s.fs_l(1) = 1;
  s.fb_l(1) = -0.01f;  // one sigbneg below the centre 0
  s.fs_l(2) = 1;
  s.fb_l(2) = 1;  // one sigbpos above
  s.cenb = 0;
  s.sigbneg = 0.01f;
  s.sigbpos = 1;
  EXPECT_NEAR(prior() - base, 2, 1e-4);
  blendprioroff();
  EXPECT_FLOAT_EQ(prior(), base);
  blendprioron();
  EXPECT_NEAR(prior() - base, 2, 1e-4);
  s.sigbpos = 0;  // one width off switches the prior off
  EXPECT_FLOAT_EQ(prior(), base);
}

TEST_F(Badness, ShowsASitesLinearModel) {
  two_sites();
  ProgramState& s = state();
  s.npfit = 5;
  float bof;
  int nd, np;
  badness(bof, nd, np);
  console.clear();
  showfsfb_l(2);
  const std::string out = console.output();
  EXPECT_EQ(out.rfind(" f(2)=(", 0), 0u) << out;
  EXPECT_NE(out.find(")(A-"), std::string::npos) << out;
  EXPECT_EQ(s.fs, s.fs_l(1));
  console.clear();
  showfsfb_l(3);
  EXPECT_EQ(console.output(), "");
}

}  // namespace
}  // namespace zolka
