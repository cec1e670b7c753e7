// The legend's lines: the lens, the peak, and one line per site with its
// error model, a marker in front only when there are several sites.
#include "graphics/legend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "fit/fit_fixture.h"
#include "graphics/pgplot.h"
#include "graphics/site_style.h"
#include "lens/point_lens.h"
#include "shell/core/state.h"
#include "shell/model/current_site.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::CapturedConsole;

// v with d decimals, as printf writes it.
std::string fixed(double v, int d) {
  char b[64];
  std::snprintf(b, sizeof b, "%.*f", d, v);
  return b;
}

// Sites of 40 exact points about a peak at HJD 2454567.8; site 1 has the
// flux scale fs = 1, fb = 0.3 (baseline magnitude 16.4 - 2.5 log10(1.3) =
// 16.12), each further site half the source flux.
void load_sites(int nsites) {
  std::vector<std::vector<test::Pt>> sites;
  for (int l = 1; l <= nsites; ++l)
    sites.push_back(test::exact_site(2454567.8, 25, 0.1f, 1, 0.3f, 40, 2454540, 2454600, 0.01f));
  test::store_sites(sites);
  ProgramState& s = state();
  for (int l = 1; l <= nsites; ++l) {
    s.fs_l(l) = l == 1 ? 1.0f : 0.5f;
    s.fb_l(l) = l == 1 ? 0.3f : 0.05f;
    s.syserr_l(l) = 0.003f;
  }
  subsidiaries();
  setsite(1);
  s.hjd0 = 2454567.8;
  s.te = 25;
  s.y0 = 0.1f;
  s.a0 = atotl(s.y0);
  s.npfit = 1;  // a chi-square caption without fits
}

class Legend : public ::testing::Test {
 protected:
  void SetUp() override {
    test::fresh_state();
    siteicons();
  }
  CapturedConsole con;
};

TEST_F(Legend, OneSiteHasNoMarkerAndNoLeadingBlank) {
  load_sites(1);
  const std::vector<LegendLine> lines = legend_lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].text.rfind("\\gx\\u2\\d/(40-1)=", 0), 0u) << lines[0].text;
  EXPECT_EQ(lines[3].text, "S1 m\\d0\\u=16.12 b=0.30 0.3%");
  EXPECT_EQ(lines[3].site, 1);
  EXPECT_EQ(lines[3].symbol, 0);
}

TEST_F(Legend, SeveralSitesGetTheirMarkersAndErrorModels) {
  load_sites(3);
  ProgramState& s = state();
  // Site 3 holds no data and has no line.
  s.ndat_l(3) = 0;
  s.sigmag0_l(2) = 0.02f;
  s.erbscl_l(2) = 1.5f;
  s.avglogf_l(2) = 0.2f;
  s.siglogf_l(2) = 0.1f;
  s.ksee = 1;
  s.seefac_l(2) = 0.25f;
  const std::vector<LegendLine> lines = legend_lines();
  ASSERT_EQ(lines.size(), 5u);
  // Site 2: half site 1's source flux, m - m0 = -2.5 log10(2); its blend
  // 0.05/0.5; the same systematic error as site 1, so not repeated.
  EXPECT_EQ(lines[3].text, " S1 m\\d0\\u=16.12 b=0.30 0.3% c=0.00");
  EXPECT_EQ(lines[4].text,
            " S2 m-m\\d0\\u=-0.75 b=0.10 \\gs\\d0\\u=0.02 f=1.50 logf=0.20 \\(2233) 0.10 c=0.25");
  EXPECT_EQ(lines[3].symbol, 17);
  EXPECT_EQ(lines[4].symbol, 16);
  EXPECT_EQ(s.loc, 1);
}

TEST_F(Legend, PeakAndLensLines) {
  // The half-width of the peak from its definition: the time from the peak
  // to where A has fallen to (A0 + 1)/2, in units of tE.
  const float y0 = 0.1f;
  const float a0 = atotl(y0);
  const float uhalf = ainv(0.5f * (a0 + 1));
  const float th = std::sqrt(uhalf * uhalf - y0 * y0);
  const struct {
    float te;
    std::string half;
  } widths[] = {{5, fixed(24 * 5 * th, 1) + "h"},
                {25, fixed(25 * th, 1) + "d"},
                {1000, std::to_string(std::lround(1000 * th)) + "d"}};
  for (const auto& w : widths) {
    SCOPED_TRACE(w.te);
    test::fresh_state();
    ProgramState& s = state();
    s.mjd0 = 2450000;
    s.hjd0 = 2454567.8;
    s.te = w.te;
    s.y0 = y0;
    s.a0 = a0;
    s.smag0 = 17.2f;
    const std::vector<LegendLine> lines = legend_lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text,
              "t\\d0\\u=4567.800 t\\dE\\u=" + fixed(w.te, 2) + "d t\\d1/2\\u=" + w.half);
    // No sites: the baseline and the blend.
    EXPECT_EQ(lines[2].text, "m\\d0\\u=17.20 b=0.00");
  }
  // u0 and A0 = (u0^2 + 2)/(u0 sqrt(u0^2 + 4)), with its magnitude 2.5 log10 A0.
  const struct {
    float y0;
    const char* want;
    float delmag;
  } lenses[] = {{0.1f, "u\\d0\\u=0.10 A\\d0\\u=10.04 =2.50mag", 2.5041f},
                {0.05f, "u\\d0\\u=0.050 A\\d0\\u=20.02 =3.25mag", 3.2534f},
                {0.001f, "u\\d0\\u=0.0010 A\\d0\\u=1000 =7.50mag", 7.5000f}};
  for (const auto& l : lenses) {
    SCOPED_TRACE(l.y0);
    test::fresh_state();
    state().te = 20;
    state().y0 = l.y0;
    EXPECT_EQ(legend_lines()[1].text, l.want);
    EXPECT_NEAR(state().delmag, l.delmag, 1e-3f);
  }
}

TEST_F(Legend, DrawsIntoThePanelAndKeepsHeightAndColour) {
  load_sites(2);
  state().qpl = 0.001f;
  state().xpl = 1.2f;
  state().ypl = 0.3f;
  ASSERT_EQ(pgbegin(0, "/NULL", 1, 1), 1);
  pgenv(0, 1, 0, 1, 0, 0);
  state().csize = 1.5f;
  pgsch(1.5f);
  pgsci(5);
  legend();
  float h = 0;
  int ci = 0;
  pgqch(h);
  pgqci(ci);
  EXPECT_FLOAT_EQ(h, 1.5f);
  EXPECT_EQ(ci, 5);
  pgclos();
  const std::string out = con.output();
  EXPECT_NE(out.find(" legend *************\n"), std::string::npos);
  EXPECT_NE(out.find(" legend_planet ****** qxy: 0.001 1.2 0.3\n"), std::string::npos) << out;
}

}  // namespace
}  // namespace zolka
