// The parameter editors: the codes of the E editor and their effects, the
// lens, planet and site editors, and the time-range editor.
#include "shell/edit_parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "fit/badness.h"
#include "fit/fit_fixture.h"
#include "lens/planet_geometry.h"
#include "lens/point_lens.h"
#include "shell/core/console.h"
#include "shell/core/state.h"
#include "shell/model/current_site.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::CapturedConsole;
using test::has_text;

// Paczynski (1986) magnification in double precision, independent of the
// program's 32-bit one.
double pspl(double u) {
  return (u * u + 2) / (u * std::sqrt(u * u + 4));
}

// Two sites without points, and a lens with its peak at t0 = 4000.
void two_sites() {
  test::fresh_state();
  ProgramState& s = state();
  s.mjd0 = 2450000;
  s.hjd0 = 2454000.123456789;
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  s.te = 20;
  s.y0 = 0.35f;
  s.a0 = static_cast<float>(pspl(0.35));
  setplxy(s.xpl, s.ypl);  // the planet's other pairs for this lens
  // 100 x 0.0029 / 100 is not 0.0029 in 32 bits.
  test::site_rows(2, 0.8f, 0.2f, 1.1f, 0.0029f, 0.002f);
  for (int l = 1; l <= 2; ++l) s.siglogf_l(l) = 0.1f;
  setsite(1);
}

// Runs the parameter editor on a script; the script must end it.
std::string edit(const std::string& script) {
  CapturedConsole con(script);
  editparms();
  return con.output();
}

// The values every code may touch, compared bit for bit.
struct Snapshot {
  double hjd0;
  float t0, te, y0, a0, smag0, qpl, xpl, ypl, cliplo, cliphi, delchi2, avglogte, siglogte, sigloga0;
  int ksee, ksky;
  float fs1, fb1, erbscl1, sigmag01, syserr1, avglogf1, siglogf1, fs2, fb2;
  std::string plpos;
  bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot() {
  const ProgramState& s = state();
  return {s.hjd0,     s.t0,          s.te,           s.y0,          s.a0,           s.smag0,
          s.qpl,      s.xpl,         s.ypl,          s.cliplo,      s.cliphi,       s.delchi2,
          s.avglogte, s.siglogte,    s.sigloga0,     s.ksee,        s.ksky,         s.fs_l(1),
          s.fb_l(1),  s.erbscl_l(1), s.sigmag0_l(1), s.syserr_l(1), s.avglogf_l(1), s.siglogf_l(1),
          s.fs_l(2),  s.fb_l(2),     s.plpos};
}

TEST(EditParms, RepliesThatChangeNothing) {
  // Blank replies, out-of-range answers and answers that keep the old value.
  const char* scripts[] = {
      "\n",           // default OK
      "ok\n",         // upper-cased
      "A\n0.5\n\n",   // not above 1
      "A\n\n\n",      // the default, the magnification at y0
      "A\n1e30\n\n",  // y0 would round to 0
      "Y0\n0\n\n",
      "U0\n-1\n\n",  // y0 must be > 0
      "TE\n0\n\n",
      "TE\n-20\n\n",  // te must be > 0
      "T0\n\n\n",     // hjd0 keeps its 64-bit digits
      "Q\n-0.5\n\n",  // q >= 0
      "S\n-1\n\n",
      "S\n\n\n",  // percent answers: >= 0; blank keeps the bits
      "%\n-3\n\n",
      "%\n\n\n",  //
      "E\n0\n\n",
      "E\n\n\n",   // error scale > 0
      "D\n0\n\n",  // threshold > 0
      "K\n4 -1\n\n",
      "K\n\n\n",  // corrections 0 .. 3
      "B\n-1\n\n",
      "B\n-7\n\n",  // the baseline flux fs (1 + b) must stay positive
      "B\n\n\n",
      "M\n\n\n",
      "C\n\n\n",
      "P\n\n\n\n\n",
      "LE\n4010 0 0.1 17\n\n",    // te = 0: keep all four
      "LE\n4010 20 -0.1 17\n\n",  // y0 < 0
      "LE\n\n\n",                 // a blank line before any value
  };
  for (const char* script : scripts) {
    two_sites();
    const Snapshot before = snapshot();
    const std::string out = edit(script);
    EXPECT_TRUE(snapshot() == before) << "script " << script;
    EXPECT_FALSE(has_text(out, "please try again")) << "script " << script;
  }
  two_sites();
  EXPECT_TRUE(has_text(edit("LE\n4010 0 0.1 17\n\n"), " Keeping old values."));
}

TEST(EditParms, RepliesAndTheirEffects) {
  struct Case {
    const char* script;
    std::function<void(const ProgramState&)> check;
  };
  const double tiny = 1e-6;
  const Case cases[] = {
      {"A\n3\n\n",
       [&](const ProgramState& s) {
         EXPECT_NEAR(s.y0, 0.348, 0.001);
         EXPECT_NEAR(pspl(s.y0), 3, 1e-5);
         EXPECT_NEAR(s.a0, 3, 1e-5);
       }},
      {"a0\n10\n\n", [&](const ProgramState& s) { EXPECT_NEAR(pspl(s.y0), 10, 2e-4); }},
      {"Y0\n0.2\n\n",
       [&](const ProgramState& s) {
         EXPECT_EQ(s.y0, 0.2f);
         EXPECT_NEAR(s.a0, pspl(0.2f), 1e-5);
       }},
      {"TE\n35\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.te, 35.0f); }},
      {"T0\n4010.5\n\n",
       [&](const ProgramState& s) {
         EXPECT_EQ(s.hjd0, 2454010.5);
         EXPECT_EQ(s.t0, 4010.5f);
       }},
      {"M\n17.5\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.smag0, 17.5f); }},
      {"Q\n0\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.qpl, 0.0f); }},
      {"Q\n0.02\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.qpl, 0.02f); }},
      {"S\n1.5\n\n", [&](const ProgramState& s) { EXPECT_NEAR(s.sigmag0_l(1), 0.015, tiny); }},
      {"S\n0\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.sigmag0_l(1), 0.0f); }},
      {"E\n1.7\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.erbscl_l(1), 1.7f); }},
      {"%\n1\n\n", [&](const ProgramState& s) { EXPECT_NEAR(s.syserr_l(1), 0.01, tiny); }},
      {"C\n-3 4\n\n",
       [&](const ProgramState& s) {
         EXPECT_EQ(s.cliplo, -3.0f);
         EXPECT_EQ(s.cliphi, 4.0f);
       }},
      {"PRIORS\n0.1 0.3\n1.2 0.5\n0.6\n\n",
       [&](const ProgramState& s) {
         EXPECT_EQ(s.avglogf_l(1), 0.1f);
         EXPECT_EQ(s.siglogf_l(1), 0.3f);
         EXPECT_EQ(s.avglogf_l(2), 0.0f);  // site 1's prior only
         EXPECT_EQ(s.avglogte, 1.2f);
         EXPECT_EQ(s.siglogte, 0.5f);
         EXPECT_EQ(s.sigloga0, 0.6f);
       }},
      {"D\n25\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.delchi2, 25.0f); }},
      {"K\n2 7\n\n",
       [&](const ProgramState& s) {
         EXPECT_EQ(s.ksee, 2);
         EXPECT_EQ(s.ksky, 0);
       }},
      {"K\n-1 3\n\n",
       [&](const ProgramState& s) {
         EXPECT_EQ(s.ksee, 0);
         EXPECT_EQ(s.ksky, 3);
       }},
      {"B\n0.4\n\n",
       [&](const ProgramState& s) {
         EXPECT_NEAR(s.fb_l(1), 0.8 * 0.4, tiny);
         EXPECT_NEAR(s.b0_l(1), 0.4, tiny);
         EXPECT_EQ(s.fs_l(1), 0.8f);
       }},
      {"LE\n4010 25\n0.2 17.3\n\n",  // the read goes on to a second line
       [&](const ProgramState& s) {
         EXPECT_EQ(s.hjd0, 2454010.0);
         EXPECT_EQ(s.te, 25.0f);
         EXPECT_EQ(s.y0, 0.2f);
         EXPECT_EQ(s.smag0, 17.3f);
         EXPECT_NEAR(s.a0, pspl(0.2f), 1e-5);  // follows y0 at once
       }},
      {"LE\n4010 x 0.2 17\n4011.25 26 0.3 17.1\n\n",  // unreadable: asked again
       [&](const ProgramState& s) {
         EXPECT_EQ(s.hjd0, 2454011.25);
         EXPECT_EQ(s.te, 26.0f);
       }},
      {"X\n0.3 -0.4\n\n",
       [&](const ProgramState& s) {
         EXPECT_EQ(s.plpos, "XY");
         EXPECT_EQ(s.xpl, 0.3f);
         EXPECT_EQ(s.ypl, -0.4f);
         EXPECT_NEAR(s.upl, 0.5, tiny);
         EXPECT_NEAR(s.apl, std::atan2(0.3, -0.4), tiny);
       }},
      {"UP\n2 90\n\n",
       [&](const ProgramState& s) {
         EXPECT_EQ(s.plpos, "UA");
         EXPECT_NEAR(s.xpl, 2, tiny);
         EXPECT_NEAR(s.ypl, 0, 1e-6);
       }},
      {"AL\n1 -270\n\n",  // brought into (-180, 180]: +90
       [&](const ProgramState& s) {
         EXPECT_NEAR(s.apl, M_PI / 2, tiny);
         EXPECT_NEAR(s.xpl, 1, tiny);
       }},
      {"AP\n1 180\n\n", [&](const ProgramState& s) { EXPECT_NEAR(s.apl, M_PI, tiny); }},
      {"TP\n4005 0.8\n\n",
       [&](const ProgramState& s) {
         // On the line from the star through the source at t = 4005, at 0.8
         // of the major image's distance then.
         EXPECT_EQ(s.plpos, "TF");
         const double tau = (4005 - 4000.123456789) / 20, y0 = 0.35;
         const double us = std::hypot(tau, y0);
         const double uplus = (us + std::sqrt(us * us + 4)) / 2;
         EXPECT_NEAR(std::atan2(s.xpl, s.ypl), std::atan2(tau, y0), 1e-5);
         EXPECT_NEAR(std::hypot(s.xpl, s.ypl), 0.8 * uplus, 1e-5);
       }},
      {"TP\n-5 0\n\n",  // neither a time > 0 nor f != 0: the pair stays
       [&](const ProgramState& s) {
         EXPECT_EQ(s.plpos, "TF");
         EXPECT_NEAR(s.xpl, 10000, 1);
         EXPECT_NEAR(s.ypl, -10000, 1);
       }},
  };
  for (const Case& c : cases) {
    two_sites();
    const std::string out = edit(c.script);
    SCOPED_TRACE(c.script);
    c.check(state());
    EXPECT_FALSE(has_text(out, "please try again"));
    EXPECT_EQ(state().loc, 1);
  }
}

TEST(EditParms, UnknownCodesAndSiteNumbers) {
  two_sites();
  for (const char* script : {"3\n\n", "0\n\n", "XYZ\n\n", "TF\n\n", "LA\n\n"}) {
    const Snapshot before = snapshot();
    const std::string out = edit(script);
    EXPECT_EQ(test::occurrences(out, " ** please try again."), 1) << script;
    EXPECT_TRUE(snapshot() == before) << script;
  }
  // "2" opens the editor of site 2; its blank reply leaves it.
  const std::string out = edit("2\n\n\n");
  EXPECT_TRUE(has_text(out, " ** editsite ********* 2 300 LaSilla")) << out;
  EXPECT_FALSE(has_text(out, "please try again"));
  EXPECT_TRUE(has_text(out, " Try also: lens , or 1 - 2  to edit a specific site."));
}

TEST(EditParms, APlanetGivenInTAndFFollowsTheLens) {
  // With t, f the primary pair, a new te moves x, y so that t, f stay.
  two_sites();
  edit("TP\n4005 0.8\nTE\n40\n\n");
  const ProgramState& s = state();
  EXPECT_EQ(s.tpl, 4005.0f);
  EXPECT_EQ(s.fpl, 0.8f);
  const double tau = (4005 - 4000.123456789) / 40;
  EXPECT_NEAR(std::atan2(s.xpl, s.ypl), std::atan2(tau, 0.35), 1e-5);
}

TEST(EditParms, RefittedFluxesStayWithTheirSites) {
  // Two sites of exact point-lens fluxes; "M-M0" solves both sites' fluxes
  // and site 1 keeps its own (not the last site's).
  test::fresh_state();
  test::set_model(2454000, 20, 0.2f);
  test::store_sites({test::exact_site(2454000, 20, 0.2f, 2.0f, 0.5f, 40, 2453960, 2454040, 0.01f),
                     test::exact_site(2454000, 20, 0.2f, 0.7f, 0.1f, 30, 2453970, 2454030, 0.01f)});
  test::no_priors();
  ProgramState& s = state();
  s.npfit = 5;
  edit("M-M0\n\n");
  EXPECT_NEAR(s.fs_l(1), 2.0, 1e-3);
  EXPECT_NEAR(s.fb_l(1), 0.5, 1e-3);
  EXPECT_NEAR(s.fs_l(2), 0.7, 1e-3);
  EXPECT_NEAR(s.fb_l(2), 0.1, 1e-3);
}

TEST(EditParms, EndOfInputLeavesTheOldValues) {
  for (const char* script : {"", "Q\n", "LE\n4010 25\n", "2\nS\n"}) {
    two_sites();
    const Snapshot before = snapshot();
    CapturedConsole con(script);
    EXPECT_THROW(editparms(), EndOfInput) << script;
    EXPECT_TRUE(snapshot() == before) << script;
  }
}

// Runs the editor of site l on a script.
std::string edit_site(int l, const std::string& script) {
  CapturedConsole con(script);
  editsite(l);
  return con.output();
}

TEST(EditSite, RepliesAndTheirEffects) {
  struct Case {
    const char* script;
    std::function<void(const ProgramState&)> check;
  };
  const double tiny = 1e-6;
  const Case cases[] = {
      {"S\n2\n\n", [&](const ProgramState& s) { EXPECT_NEAR(s.sigmag0_l(2), 0.02, tiny); }},
      {"S\n-2\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.sigmag0_l(2), 0.0029f); }},
      {"E\n1.3\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.erbscl_l(2), 1.3f); }},
      {"E\n0\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.erbscl_l(2), 1.1f); }},
      {"%\n0.4\n\n", [&](const ProgramState& s) { EXPECT_NEAR(s.syserr_l(2), 0.004, tiny); }},
      {"C\n0.7\n\n",
       [&](const ProgramState& s) {
         EXPECT_EQ(s.seefac, 0.7f);
         EXPECT_EQ(s.seefac_l(2), 0.0f);  // the fitted coefficient is left alone
       }},
      {"B\n0.5\n\n",
       [&](const ProgramState& s) {
         EXPECT_NEAR(s.fb_l(2), 1.6 * 0.5, tiny);
         EXPECT_EQ(s.fs_l(2), 1.6f);
       }},
      {"B\n-1\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.fb_l(2), 0.4f); }},
      {"M\n0.5\n\n",
       [&](const ProgramState& s) {
         // fs from site 1's source flux; the site's baseline flux unchanged.
         EXPECT_NEAR(s.fs_l(2), 0.8 * std::pow(10.0, 0.2), 1e-5);
         EXPECT_NEAR(s.fs_l(2) + s.fb_l(2), 1.6 + 0.4, 1e-5);
         EXPECT_NEAR(2.5 * std::log10(s.fs_l(2) / s.fs_l(1)), 0.5, 1e-5);
         EXPECT_NEAR(s.addmag_l(2), 0.5, 1e-5);
       }},
      {"M\n99\n\n",  // no finite source flux: kept
       [&](const ProgramState& s) {
         EXPECT_EQ(s.fs_l(2), 1.6f);
         EXPECT_EQ(s.fb_l(2), 0.4f);
       }},
      {"M\n\n\n",
       [&](const ProgramState& s) {
         EXPECT_EQ(s.fs_l(2), 1.6f);
         EXPECT_EQ(s.fb_l(2), 0.4f);
       }},
      {"LA\n-45.5\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.glat_l(2), -45.5); }},
      {"LA\n100\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.glat_l(2), -29.254); }},
      {"LA\n\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.glat_l(2), -29.254); }},
      {"LO\n-200\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.glon_l(2), 289.27); }},
      {"LO\n359.5\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.glon_l(2), 359.5); }},
      {"H\n2400\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.elev_l(2), 2400.0); }},
      {"D\n2.2\n\n", [&](const ProgramState& s) { EXPECT_EQ(s.diam_l(2), 2.2f); }},
  };
  for (const Case& c : cases) {
    two_sites();
    SCOPED_TRACE(c.script);
    const std::string out = edit_site(2, c.script);
    c.check(state());
    EXPECT_FALSE(has_text(out, "Please try again"));
    EXPECT_EQ(state().loc, 1);  // site 1 current on leaving
    EXPECT_EQ(state().fs, state().fs_l(1));
  }
}

TEST(EditSite, ListingUnknownCodesAndInvalidSites) {
  two_sites();
  std::string out = edit_site(2, "Z\n\n");
  EXPECT_TRUE(has_text(out, " ** Please try again.\n"));
  EXPECT_TRUE(has_text(out, " Site 2 D(m)=1.5 Lat(N)=-29.25 Lon(E)=289.27 Hgt(m)=2336 Ndat 300\n"));
  EXPECT_EQ(test::occurrences(out, " ** editsite ********* 2 300 LaSilla"), 2);

  const Snapshot before = snapshot();
  out = edit_site(3, "S\n1\n\n");
  EXPECT_EQ(out, " ** INVALID SITE editsite( 3 ) 1 2 50\n");
  out = edit_site(0, "");
  EXPECT_TRUE(has_text(out, "** INVALID SITE editsite( 0 )"));
  EXPECT_TRUE(snapshot() == before);
}

// A lens with t0 = 4000 whose plot window unit twin is 10 days.
void twin_ten() {
  test::fresh_state();
  ProgramState& s = state();
  s.mjd0 = 2450000;
  s.hjd0 = 2454000;
  s.y0 = 0.35f;
  s.a0 = atotl(s.y0);
  s.te = 10 / std::pow(thalf(s.a0), 0.75f);
}

TEST(EditTimes, RangesInDaysOrInUnitsOfTwin) {
  struct Case {
    const char* reply;
    float tbeg0, tend0;  // before
    float tbeg, tend;    // after
  } cases[] = {
      {"-2 2\n", 0, 0, 3980, 4020},       {"-2 0\n", 0, 0, 3980, 0},
      {"3950 4100\n", 0, 0, 3950, 4100},  {"\n", -5, 0, -5, 0},
      {"-2\n", 3900, 4050, 3980, 4050},   {"3990\n", -5, 0, 3990, 0},
      {"-1.5 -0.5\n", 0, 0, 3985, -0.5f},
  };
  for (const Case& c : cases) {
    twin_ten();
    ProgramState& s = state();
    s.tbeg = c.tbeg0;
    s.tend = c.tend0;
    CapturedConsole con(c.reply);
    edittimes();
    EXPECT_NEAR(s.tbeg, c.tbeg, 1e-3) << c.reply;
    EXPECT_NEAR(s.tend, c.tend, 1e-3) << c.reply;
    EXPECT_TRUE(has_text(con.output(), " Enter range of t or (t-t0)/twin for plots\n"));
  }
}

TEST(EditTimes, TheDataSpan) {
  twin_ten();
  ProgramState& s = state();
  s.te = 20;
  s.resize(3);
  s.ndata = 3;
  s.t_t(1) = 4000;
  s.t_t(2) = 3990;
  s.t_t(3) = 4100;
  CapturedConsole con("\n");
  edittimes();
  EXPECT_TRUE(has_text(con.output(),
                       " t: 3990.00 4100.00 t0: 4000.00 te: 20.00 (t-t0)/te: -0.5 5.0\n thalf="))
      << con.output();
}

}  // namespace
}  // namespace zolka
