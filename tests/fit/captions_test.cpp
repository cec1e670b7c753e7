// Captions of the fit reports.
#include "fit/captions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fit_fixture.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/model/current_site.h"
#include "shell/model/startup.h"
#include "support/support.h"

namespace zolka {
namespace {

TEST(Captions, Table) {
  const struct {
    const char* what;
    std::function<void()> set;
    std::function<void(std::string&)> build;
    const char* start;
    const char* want;
  } cases[] = {
      {"b empty", [] { state().b0 = 1.234f; }, title_b, "", "b=1.23"},
      {"b after A0", [] { state().b0 = 1.234f; }, title_b, "A0=12.3", "A0=12.3 b=1.23"},
      {"q 0.001", [] { state().qpl = 0.001f; }, title_q, "", "q=0.001"},
      {"q 5e-5", [] { state().qpl = 0.00005f; }, title_q, "", "q=5.0E-05"},
      {"q 250", [] { state().qpl = 250; }, title_q, "", "q=250"},
      {"q 10", [] { state().qpl = 10; }, title_q, "", "q=10."},
      {"y0 0.05", [] { state().y0 = 0.05f; }, title_y0, "", "y0=0.050"},
      {"y0 -0.5", [] { state().y0 = -0.5f; }, title_y0, "", "y0=-0.50"},
      {"a0 1.0012", [] { state().a0 = 1.0012f; }, title_a0, "", "A0=1.00120"},
      {"a0 12.34", [] { state().a0 = 12.34f; }, title_a0, "", "A0=12.3"},
      {"a0 1", [] { state().a0 = 1; }, title_a0, "", "A0=1.000000"},
      {"x", [] { state().xpl = 1.23456f; }, title_x, "", "x=1.235"},
      {"sig0 f", [] { state().sigmag0 = 0.051f; }, title_sig0, "", "sig0=0.05"},
      {"event path",
       [] {
         state().event.clear();
         state().datfile = "/data/run/OOB08123I.dat";
       },
       title_event, "", "OOB08123I.dat"},
      {"event alias",
       [] {
         state().event = "OB-08-123";
         state().alias = "MB-08-055";
       },
       title_event, "", "OB-08-123 MB-08-055"},
      {"chi2site",
       [] {
         state().chi2_l(1) = 812.4f;
         state().ndf_l(1) = 567;
       },
       [](std::string& t) { title_chi2site(t, 1); }, "", "Chi2=(812.4/567)=1.43"},
      {"lens",
       [] {
         ProgramState& s = state();
         s.mjd0 = 2450000;
         s.hjd0 = 2454567.8;
         s.te = 25;
         s.y0 = 0.1f;
         s.a0 = 10.04f;
       },
       title_lens, "", "t0=4567.80 te=25.00 y0=0.100 A0=10.0"},
      {"a0pm",
       [] {
         state().a0 = 12.34f;
         state().siga0 = 0.456f;
       },
       title_a0pm, "", "A0=12.3 +/- 0.46"},
      {"apm keeps its blanks and escapes",
       [] {
         state().a0 = 12.34f;
         state().siga0 = 0.456f;
       },
       title_apm, "", "A\\d0\\u= 12.3 \\(2233) 0.46"},
      {"deg", [] { state().apl = 1.5707964f; }, title_deg, "", "\\ga=90\\uo\\d"},
      {"deg negative", [] { state().apl = -2.5f; }, title_deg, "", "\\ga=-143\\uo\\d"},
      {"mag", [] { state().smag0 = 17.236f; }, title_mag, "", "m0=17.24"},
      {"u from x, y",
       [] {
         state().xpl = 3;
         state().ypl = 4;
       },
       title_u, "", "u=5.000"},
      {"priors (start values)", [] {}, title_pr, "",
       "Prior: logf=+/-0.10 logte=1.33+/-0.41 <logA0>=0.78"},
      {"prior f with a mean",
       [] {
         state().avglogf = 0.1f;
         state().siglogf = 0.05f;
       },
       title_pr_f, "", "logf=0.10+/-0.05"},
      {"see", [] { state().ksee = 2; }, title_see, "", "ksee=mag"},
      {"sky off", [] {}, title_sky, "x", "x ksky=no"},
      {"sky out of range", [] { state().ksky = 7; }, title_sky, "x", "x"},
      {"planet with a detection",
       [] {
         ProgramState& s = state();
         s.qpl = 0.001f;
         s.xpl = 1;
         s.ypl = 0;
         s.upl = 1;
         s.apl = 1.5707964f;
         s.tpl = 4567.8f;
         s.fpl = 1.25f;
         s.dchi2fit = 123.46f;
       },
       title_planet, "",
       "q=0.001 u=1.000 \\ga=90\\uo\\d x=1.000 y=0.0 t=4567.80 f=1.250 "
       "\\gD\\gx\\u2\\d=123.5"},
  };
  for (const auto& c : cases) {
    reset_state();
    c.set();
    std::string t = c.start;
    c.build(t);
    EXPECT_EQ(t, c.want) << c.what;
  }
}

TEST(Captions, BestAndThresholdArePrintedToo) {
  reset_state();
  test::CapturedConsole con;
  const struct {
    float d;
    const char* want;
  } cases[] = {{-250.4f, "best \\gD\\gx\\u2\\d=-250"},
               {12.345f, "best \\gD\\gx\\u2\\d=12.3"},
               {1.234f, "best \\gD\\gx\\u2\\d=1.23"}};
  for (const auto& c : cases) {
    state().dchi2fit = c.d;
    std::string t;
    title_best(t);
    EXPECT_EQ(t, c.want) << c.d;
  }
  std::string t;
  title_delchi2(t);
  EXPECT_EQ(t, "\\gD\\gx\\u2\\d=100");
  EXPECT_NE(con.output().find(" \\gD\\gx\\u2\\d=100\n"), std::string::npos);
}

TEST(Captions, SiteCaptionShowsItsErrorModelAndKeepsTheCurrentSite) {
  reset_state();
  test::store_sites(
      {test::exact_site(2454567.8, 20, 0.2f, 1, 0.2f, 20, 2454547.8, 2454587.8, 0.01f),
       test::exact_site(2454567.8, 20, 0.2f, 0.5f, 0.1f, 20, 2454547.8, 2454587.8, 0.01f)});
  ProgramState& s = state();
  s.site_l(2) = "LaSilla";
  s.fs_l(2) = 0.5f;  // half site 1's source flux: m - m0 = -2.5 log10(2)
  s.fb_l(2) = 0.1f;
  s.syserr_l(2) = 0.003f;
  s.erbscl_l(2) = 1.5f;
  s.siglogf_l(2) = 0.1f;
  setsite(1);
  std::string t;
  title_site(t, 2);
  EXPECT_EQ(t, "2 m-m0=-0.75 b=0.20 sig0=0.00 e=1.50 0.30% c=0.00 (logf=+/-0.10 ) LaSilla");
  EXPECT_EQ(s.loc, 1);
  test::CapturedConsole con;
  EXPECT_THROW(title_site(t, 3), FatalStop);
  EXPECT_NE(con.output().find("** INVALID SITE title_site( 3 )"), std::string::npos);
}

class Chi2Ladder : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_state();
    sim::SimEvent ev;
    ev.t0 = 4567.8;
    ev.te = 25;
    ev.u0 = 0.1f;
    ev.seed = 5;
    ev.sites = {{'O', 300, 17.2f, 0.3f, 'I', 1.0f}, {'Z', 150, 17.0f, 0.1f, 'I', 1.3f}};
    sim::store_event(ev);
    ProgramState& s = state();
    s.qpl = 0;
    s.hjd0 = 2454567.8;
    s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
    s.te = 25;
    s.y0 = 0.1f;
    s.npfit = 5;
  }
  test::CapturedConsole con;
};

TEST_F(Chi2Ladder, FitsTheRungsOnceAndLeavesTheModelAndTheStack) {
  ProgramState& s = state();
  const int is = s.is;
  const double hjd0 = s.hjd0;
  const float te = s.te, y0 = s.y0;
  std::string t;
  title_chi2(t);
  // Two rungs for npfit = 5: the fits with 4 and 5 parameters.
  ASSERT_EQ(t.rfind("\\gx\\u2\\d/(450-5)=", 0), 0u) << t;
  EXPECT_EQ(std::count(t.begin(), t.end(), '>'), 1) << t;
  EXPECT_EQ(t.find(' '), std::string::npos) << t;
  EXPECT_NE(con.output().find(" STOW CHI2/( 450 -  4 ) ="), std::string::npos);
  EXPECT_NE(con.output().find(" FINAL CHI2/("), std::string::npos);
  EXPECT_EQ(s.is, is);
  EXPECT_EQ(s.hjd0, hjd0);
  EXPECT_EQ(s.te, te);
  EXPECT_EQ(s.y0, y0);
  EXPECT_EQ(s.npfit, 5);
  EXPECT_GT(s.chi2_4, 0);
  EXPECT_GT(s.chi2_5, 0);

  // Nothing changed: nothing is printed and the same caption comes back.
  con.clear();
  std::string again;
  title_chi2(again);
  EXPECT_EQ(again, t);
  EXPECT_EQ(con.output(), "");

  // A change of te beyond its threshold (0.0003 te) gives the reason and
  // recalculates.
  s.te = 26;
  std::string third;
  title_chi2(third);
  EXPECT_NE(con.output().find(" --------- RE-CALCULATE Chi^2 BECAUSE:"), std::string::npos);
  EXPECT_NE(con.output().find("   te 25.0 => 26.0 (-1.0/0.0078=-128)"), std::string::npos)
      << con.output();
}

TEST_F(Chi2Ladder, FewParametersGiveOneValueWithoutFits) {
  state().npfit = 1;
  std::string t = "x";
  title_chi2(t);
  EXPECT_EQ(t.rfind("x \\gx\\u2\\d/(450-1)=", 0), 0u) << t;
  EXPECT_EQ(t.find("=>"), std::string::npos);
  EXPECT_EQ(con.output().find("STOW CHI2/( 450 -  4"), std::string::npos);
}

}  // namespace
}  // namespace zolka
