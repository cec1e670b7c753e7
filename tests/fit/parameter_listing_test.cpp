// The parameter listings: the block under the menu's edit line and one
// site's summary.
#include "fit/parameter_listing.h"

#include <gtest/gtest.h>

#include <string>

#include "fit/fit_fixture.h"
#include "lens/planet_geometry.h"
#include "lens/point_lens.h"
#include "shell/core/state.h"
#include "shell/model/current_site.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::CapturedConsole;

// Two sites and a lens with hand-checkable captions.
void listed_state() {
  test::fresh_state();
  ProgramState& s = state();
  s.mjd0 = 2450000;
  s.hjd0 = 2454000;
  s.te = 20;
  s.y0 = 0.1f;
  s.a0 = atotl(s.y0);  // 10.04
  s.qpl = 0.001f;
  s.plpos = "XY";
  setplxy(0.6f, 0.8f);  // u = 1, azimuth atan2(0.6, 0.8) = 36.9 degrees
  // Site 2 is brighter by 2.5 log10(2) = 0.75 mag, with the same blend ratio.
  test::site_rows(2, 1, 0.25f, 1.5f, 0, 0.002f);
  setsite(2);
}

TEST(ParameterListing, Showpar) {
  listed_state();
  CapturedConsole con;
  showpar();
  const std::vector<std::string> lines = test::lines_of(con.output());
  ASSERT_EQ(lines.size(), 6u) << con.output();
  EXPECT_EQ(lines[0], "   t0=4000.00 te=20.00 y0=0.100 A0=10.0");
  EXPECT_EQ(lines[1].rfind("   q=0.001 u=1.000 alp=37^o x=0.6000 y=0.8000 t=", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2], "   1 m0=0.00 b=0.25 sig0=0.00 e=1.50 0.20% c=0.00 OGLE");
  EXPECT_EQ(lines[3], "   2 m-m0=0.75 b=0.25 sig0=0.00 e=1.50 0.20% c=0.00 LaSilla");
  EXPECT_EQ(lines[4], "   Prior: logf=+/-0.00 logte=1.33+/-0.41 <logA0>=0.78");
  EXPECT_EQ(lines[5], "   DelChi2=100.0 Clip   -1000.0    1000.0 ksee=no ksky=no");
  EXPECT_EQ(state().loc, 2);  // the current site as it was
}

TEST(ParameterListing, Showsite) {
  listed_state();
  CapturedConsole con;
  showsite();
  // 1.54 m to two digits; the height to the nearest metre, halves away from 0.
  EXPECT_EQ(con.output(),
            " Site 2 D(m)=1.5 Lat(N)=-29.25 Lon(E)=289.27 Hgt(m)=2336 Ndat 300\n"
            "   2 m-m0=0.75 b=0.25 sig0=0.00 e=1.50 0.20% c=0.00 LaSilla\n");
  // Without sites there is nothing to show.
  test::fresh_state();
  con.clear();
  showsite();
  EXPECT_EQ(con.output(), "");
}

}  // namespace
}  // namespace zolka
