// The current site: loading and storing site rows, and the flux relations of
// the sites to site 1.
#include <gtest/gtest.h>

#include <cmath>

#include "lens/point_lens.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/model/current_site.h"
#include "shell/model/photometry.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::CapturedConsole;

void sites(int n) {
  test::fresh_state();
  ProgramState& s = state();
  s.nloc = n;
  for (int l = 1; l <= n; ++l) {
    s.site_l(l) = "site" + std::string(1, char('0' + l));
    s.fs_l(l) = 1;
    s.fb_l(l) = 0;
    s.glat_l(l) = -30 - l;
    s.glon_l(l) = 10 * l;
    s.elev_l(l) = 100 * l;
    s.diam_l(l) = 0.5f * l;
    s.sigmag0_l(l) = 0.001f * l;
    s.erbscl_l(l) = 1 + 0.1f * l;
    s.syserr_l(l) = 0.002f * l;
    s.avglogf_l(l) = 0.01f * l;
    s.siglogf_l(l) = 0.1f * l;
    s.sigfs_l(l) = 0.03f * l;
    s.sigfb_l(l) = 0.04f * l;
    s.apiv_l(l) = 2.0f * l;
    s.seefac_l(l) = 0.7f * l;
  }
}

TEST(CurrentSite, OneSiteIsItsOwnReference) {
  sites(1);
  ProgramState& s = state();
  s.fs_l(1) = 2.5f;
  s.fb_l(1) = 0.5f;
  subsidiaries();
  EXPECT_EQ(s.sitefac_l(1), 1.0f);
  EXPECT_EQ(s.addmag_l(1), 0.0f);
  EXPECT_EQ(s.addflx_l(1), 0.0f);
  EXPECT_EQ(s.b0_l(1), 0.2f);
  EXPECT_EQ(s.b0, 0.2f);
  EXPECT_NEAR(s.smag0, 16.4 - 2.5 * std::log10(3.0), 1e-5);
  EXPECT_EQ(s.a0, atotl(s.y0));
}

TEST(CurrentSite, OtherSitesMapOntoSiteOne) {
  sites(2);
  ProgramState& s = state();
  s.fs_l(1) = 2;
  s.fb_l(1) = 1;
  s.fs_l(2) = 8;
  s.fb_l(2) = 3;
  subsidiaries();
  // A model flux fs A + fb of site 2 maps onto site 1's fs A + fb.
  for (const float a : {1.0f, 3.0f, 20.0f}) {
    const float f2 = s.fs_l(2) * a + s.fb_l(2);
    EXPECT_NEAR((f2 + s.addflx_l(2)) * s.sitefac_l(2), s.fs_l(1) * a + s.fb_l(1), 1e-5 * f2);
  }
  EXPECT_NEAR(s.addmag_l(2), -2.5 * std::log10(0.25), 1e-6);
  EXPECT_EQ(s.b0_l(2), 3.0f / 8.0f);
}

TEST(CurrentSite, WithoutSitesOnlyThePeakMagnificationIsRecomputed) {
  test::fresh_state();
  ProgramState& s = state();
  s.y0 = 0.1f;
  s.smag0 = 18;
  subsidiaries();  // no site 1 to take a baseline from: no stop
  EXPECT_EQ(s.a0, atotl(0.1f));
  EXPECT_EQ(s.smag0, 18.0f);
}

TEST(CurrentSite, SetsiteAndStowsiteRoundTrip) {
  sites(3);
  ProgramState& s = state();
  subsidiaries();
  setsite(2);
  EXPECT_EQ(s.loc, 2);
  EXPECT_EQ(s.site, "site2");
  EXPECT_EQ(s.glat, -32.0);
  EXPECT_EQ(s.diam, 1.0f);
  EXPECT_EQ(s.erbscl, s.erbscl_l(2));
  EXPECT_EQ(s.apiv, 4.0f);
  EXPECT_EQ(s.sitefac, 1.0f);

  s.erbscl = 3;
  s.fs = 4;
  s.fb = 2;
  s.site = "renamed";
  stowsite(2);
  EXPECT_EQ(s.erbscl_l(2), 3.0f);
  EXPECT_EQ(s.site_l(2), "renamed");
  EXPECT_EQ(s.sitefac_l(2), 0.25f);
  EXPECT_EQ(s.b0_l(2), 0.5f);
  // The seeing coefficient belongs to the seeing fit: storing a row keeps it.
  EXPECT_EQ(s.seefac_l(2), 1.4f);
  // Other rows are untouched.
  EXPECT_EQ(s.erbscl_l(3), 1.3f);
  EXPECT_EQ(s.site_l(1), "site1");
}

TEST(CurrentSite, InvalidIndicesChangeNothing) {
  sites(2);
  ProgramState& s = state();
  setsite(1);
  CapturedConsole con;
  setsite(3);
  setsite(0);
  EXPECT_EQ(s.loc, 1);
  EXPECT_EQ(s.site, "site1");
  s.erbscl = 5;
  stowsite(7);
  EXPECT_EQ(s.erbscl_l(1), 1.1f);
  EXPECT_EQ(con.output(),
            " ** INVALID SITE setsite( 3 ) 1 2 50\n"
            " ** INVALID SITE setsite( 0 ) 1 2 50\n"
            " ** INVALID LOCATION 7 1 2 50\n");

  // Without sites both do nothing at all.
  test::fresh_state();
  CapturedConsole quiet;
  setsite(1);
  stowsite(1);
  EXPECT_EQ(quiet.output(), "");
  EXPECT_EQ(state().loc, 0);
}

TEST(Photometry, ScaleAndConversions) {
  EXPECT_EQ(toflx(16.4f), 1.0f);
  EXPECT_NEAR(toflx(21.4f), 0.01f, 1e-8);
  EXPECT_NEAR(tomag(100.0f), 11.4f, 1e-5);
  for (const float m : {12.0f, 16.4f, 19.7f}) {
    float f = m, sig = 0.02f;
    mag_to_flx(f, sig);
    EXPECT_NEAR(sig / f, 0.02 * 0.4 * std::log(10.0), 1e-7);
    flx_to_mag(f, sig);
    EXPECT_NEAR(f, m, 2e-6 * m);
    EXPECT_NEAR(sig, 0.02f, 1e-7);
  }
  EXPECT_EQ(blendmag(1, 0.3f), 0.0f);
  EXPECT_NEAR(blendmag(10, 0), -2.5f, 1e-6);
  // Half the light blended: (10 + 1)/2 = 5.5 times brighter.
  EXPECT_NEAR(blendmag(10, 1), -2.5 * std::log10(5.5), 1e-6);
}

TEST(Photometry, NonPositiveFluxStops) {
  CapturedConsole con;
  EXPECT_THROW(tomag(0), FatalStop);
  float f = -1, sig = 0.1f;
  EXPECT_THROW(flx_to_mag(f, sig), FatalStop);
  EXPECT_NE(con.output().find("*** ERROR tomag( 0.0 ) NEGATIVE FLUX :(((((((((((("),
            std::string::npos);
  EXPECT_NE(con.output().find("*** ERROR flx_to_mag( -1.0 0.1 ) NEGATIVE FLUX :((((("),
            std::string::npos);
}

}  // namespace
}  // namespace zolka
