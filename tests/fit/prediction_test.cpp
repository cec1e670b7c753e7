// Model prediction and the photometric error model.
#include "fit/prediction.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fit/fit_fixture.h"
#include "lens/point_lens.h"
#include "support/support.h"

namespace zolka {
namespace {

class Prediction : public ::testing::Test {
 protected:
  test::CapturedConsole console;
  void SetUp() override {
    reset_state();
    test::store_sites(
        {test::exact_site(2454000.0, 20, 0.3f, 1, 0, 21, 2453980, 2454020, 0.01f),
         test::exact_site(2454000.0, 20, 0.3f, 2, 0.5f, 11, 2453990, 2454010, 0.02f)});
    ProgramState& s = state();
    s.hjd0 = 2454000.0;
    s.te = 20;
    s.y0 = 0.3f;
    s.qpl = 0;
    s.smag0 = 16.4f;
  }
};

TEST_F(Prediction, PointLensMagnification) {
  ProgramState& s = state();
  EXPECT_EQ(preamp(s.hjd0), atotl(s.y0));
  const float tau = 0.5f;
  EXPECT_FLOAT_EQ(preamp(s.hjd0 + tau * s.te), atotl(std::sqrt(s.y0 * s.y0 + tau * tau)));
  // Paczynski at u = 0.3: (0.09 + 2)/(0.3 sqrt(4.09)).
  EXPECT_NEAR(preamp(s.hjd0), 2.09 / (0.3 * std::sqrt(4.09)), 1e-5);
}

TEST_F(Prediction, ErrorModel) {
  ProgramState& s = state();
  const int i = 3;  // a point of site 1
  s.erbscl_l(1) = 1.5f;
  // Scale alone: exactly sigflx f.
  EXPECT_EQ(erbflx(i, 2.0f), s.sigflx_t(i) * 1.5f);
  // Systematic fraction of the flux in quadrature.
  s.syserr_l(1) = 0.01f;
  const float sig = s.sigflx_t(i) * 1.5f;
  EXPECT_FLOAT_EQ(erbflx(i, 2.0f), std::sqrt(sig * sig + 0.02f * 0.02f));
  // Baseline noise at the baseline magnitude 16.4 (flux 1): 0.4 ln10 sig0.
  s.syserr_l(1) = 0;
  s.sigmag0_l(1) = 0.05f;
  const float b = 0.92103404f * 0.05f;
  EXPECT_FLOAT_EQ(erbflx(i, 2.0f), std::sqrt(sig * sig + b * b));
  // In magnitudes the baseline noise grows as the point gets fainter.
  const float sm = s.sigmag_t(i) * 1.5f;
  EXPECT_FLOAT_EQ(erbmag(i, 16.4f), std::sqrt(sm * sm + 0.05f * 0.05f));
  EXPECT_NEAR(erbmag(i, 17.4f), std::sqrt(sm * sm + std::pow(0.05f * std::pow(10.0f, 0.4f), 2)),
              1e-6);
  // The current-site copies hold site 1's values afterwards.
  EXPECT_EQ(s.erbscl, 1.5f);
  EXPECT_EQ(s.sigmag0, 0.05f);
}

TEST_F(Prediction, NewpredatFillsEveryPoint) {
  ProgramState& s = state();
  s.fs_l(1) = 1;
  s.fb_l(1) = 0;
  s.fs_l(2) = 2;
  s.fb_l(2) = 0.5f;
  newpredat();
  for (int i = 1; i <= s.ndata; ++i) {
    // The fixture's fluxes are exact for these fluxes: zero residuals.
    EXPECT_NEAR(s.preflx_t(i), s.datflx_t(i), 1e-5f * s.datflx_t(i)) << i;
    EXPECT_NEAR(s.premag_t(i), 16.4f - 2.5f * std::log10(s.preflx_t(i)), 1e-5) << i;
    EXPECT_NEAR(etaflx_i(i), 0, 1e-3) << i;
  }
  EXPECT_EQ(s.fs, 1);  // site 1's scaling is current again
}

TEST_F(Prediction, NonPositiveOrFaintFluxIsMagnitude47) {
  ProgramState& s = state();
  s.fs_l(1) = 1;
  s.fb_l(1) = -100;  // strong negative blending
  s.fs_l(2) = 1e-20f;
  s.fb_l(2) = 0;  // magnitude far beyond 47
  newpredat();
  EXPECT_EQ(s.premag_t(1), 47.0f);
  EXPECT_EQ(s.premag_t(s.it1_l(2)), 47.0f);
  EXPECT_LT(s.preflx_t(1), 0);
}

TEST_F(Prediction, ResidsRefreshOnlyForFluxAndMagnitude) {
  ProgramState& s = state();
  newpredat();
  Vec1<float> r(s.ndata), e(s.ndata);
  s.fs_l(1) = 3;  // the stored predictions are now stale
  resids(3, &r(1), &e(1));
  EXPECT_EQ(r(1), etaflx_i(1));
  EXPECT_EQ(e(1), 1.0f);
  const float stale = s.preflx_t(1);
  resids(1, &r(1), &e(1));
  EXPECT_NE(s.preflx_t(1), stale);
  EXPECT_EQ(r(1), s.datflx_t(1) - s.preflx_t(1));
  EXPECT_EQ(e(1), s.erbflx_t(1));
}

TEST_F(Prediction, SeeingAndSkyOutsideTheirRangesAreNeutral) {
  ProgramState& s = state();
  for (int i = 1; i <= s.ndata; ++i) {
    s.see_t(i) = 5;
    s.sky_t(i) = 500;
  }
  s.seebot = 0;
  s.seetop = 1;
  s.skybot = 0;
  s.skytop = 100;
  s.ksee = 1;
  s.ksky = 1;
  seecor();
  skycor();
  for (int l = 1; l <= s.nloc; ++l) {
    EXPECT_EQ(s.seefac_l(l), 0);
    EXPECT_EQ(s.skyfac_l(l), 1);
  }
  for (int i = 1; i <= s.ndata; ++i) EXPECT_EQ(s.seefac_t(i), 1.0f);
}

TEST_F(Prediction, SeeingRegressionRecoversACorrelation) {
  ProgramState& s = state();
  s.fs_l(2) = 2;
  s.fb_l(2) = 0.5f;
  newpredat();
  // Flux residual = 0.2 (seeing - median)/A at every point of both sites.
  for (int l = 1; l <= s.nloc; ++l) s.seemed_l(l) = 1.5f;
  for (int i = 1; i <= s.ndata; ++i) {
    s.see_t(i) = 1 + 0.1f * static_cast<float>(i % 7);
    s.datflx_t(i) = s.preflx_t(i) + 0.2f * (s.see_t(i) - 1.5f) / s.a_t(i);
  }
  s.ksee = 1;
  s.seebot = 0;
  s.seetop = 10;
  seecor();
  EXPECT_NEAR(s.seefac_l(1), 0.2f, 1e-4);
  EXPECT_NEAR(s.seefac_l(2), 0.2f, 1e-4);
  // The flux factor of a point: 1 + kappa eta_see / (site 1's model flux).
  const int i = 4;
  EXPECT_NEAR(s.seefac_t(i), 1 + 0.2f * eta_see(i) / preflx(s.hjd_t(i)), 1e-5);
}

TEST_F(Prediction, DataOnSiteOnesScale) {
  ProgramState& s = state();
  s.fs_l(2) = 2;
  s.fb_l(2) = 0.5f;
  subsidiaries();
  newpredat();
  // Site 2's exact fluxes 2 A + 0.5 carried onto site 1 (fs 1, fb 0) give A.
  for (int i = s.it1_l(2); i <= s.it2_l(2); ++i)
    EXPECT_NEAR(corflx(i), s.a_t(i), 1e-5f * s.a_t(i)) << i;
  EXPECT_FLOAT_EQ(erbcorflx(s.it1_l(2), 1.0f), erbflx(s.it1_l(2), 1.0f) * 0.5f);
}

}  // namespace
}  // namespace zolka
