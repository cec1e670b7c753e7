// The stow stack, the save slots and the planet slot.
#include <gtest/gtest.h>

#include <cmath>

#include "lens/planet_geometry.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/model/stacks.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::CapturedConsole;

using test::occurrences;

// Two sites with distinct per-site values.
void twosites() {
  test::fresh_state();
  ProgramState& s = state();
  s.nloc = 2;
  s.fs_l(1) = 1;
  s.fb_l(1) = 0.25f;
  s.fs_l(2) = 4;
  s.fb_l(2) = 1;
  s.sigmag0_l(2) = 0.01f;
  s.erbscl_l(2) = 1.5f;
  s.syserr_l(2) = 0.003f;
  s.mjd0 = 2450000;
  s.hjd0 = 2454555.25;
  s.t0 = 4555.25f;
  s.te = 30;
  s.y0 = 0.2f;
}

TEST(Stacks, StowallRestoreallPutsTheModelBack) {
  twosites();
  ProgramState& s = state();
  stowall();
  EXPECT_EQ(s.is, 1);
  s.te = 99;
  s.hjd0 = 1;
  s.y0 = 0.9f;
  s.erbscl_l(2) = 7;
  s.fb_l(1) = 3;
  restoreall();
  EXPECT_EQ(s.is, 0);
  EXPECT_EQ(s.te, 30.0f);
  EXPECT_EQ(s.hjd0, 2454555.25);
  EXPECT_EQ(s.y0, 0.2f);
  EXPECT_EQ(s.erbscl_l(2), 1.5f);
  EXPECT_EQ(s.fb_l(1), 0.25f);
  // restoreall brings the derived quantities along: b0 = fb_l(1)/fs_l(1).
  EXPECT_EQ(s.b0, 0.25f);
  EXPECT_EQ(s.sitefac_l(2), 0.25f);

  // Nested pushes pop in reverse order.
  stowall();
  s.te = 40;
  stowall();
  s.te = 50;
  restoreall();
  EXPECT_EQ(s.te, 40.0f);
  EXPECT_EQ(s.is, 1);
  restoreall();
  EXPECT_EQ(s.te, 30.0f);
  EXPECT_EQ(s.is, 0);
}

TEST(Stacks, RestoreFromAnEmptyStackReusesSlotOne) {
  twosites();
  ProgramState& s = state();
  stowall();
  s.te = 60;
  stowall();
  restoreall();
  restoreall();
  EXPECT_EQ(s.te, 30.0f);
  s.te = 70;
  restoreall();  // empty: slot 1 again
  EXPECT_EQ(s.te, 30.0f);
  EXPECT_EQ(s.is, 0);
}

TEST(Stacks, RestoreWithNothingEverStowedLeavesTheModel) {
  twosites();
  ProgramState& s = state();
  CapturedConsole con;
  restoreall();
  EXPECT_EQ(s.te, 30.0f);
  EXPECT_EQ(s.hjd0, 2454555.25);
  EXPECT_EQ(s.is, 0);
  EXPECT_NE(con.output().find("** WARNING restoreall: nothing stowed."), std::string::npos);
}

TEST(Stacks, FullStackWarnsOnceThenOverflowStops) {
  twosites();
  CapturedConsole con;
  for (int k = 1; k <= maxstow; ++k) stowall();
  EXPECT_EQ(state().is, maxstow);
  EXPECT_EQ(occurrences(con.output(), "** WARNING stowall stack is full. 1000 1000"), 1);
  EXPECT_THROW(stowall(), FatalStop);
  EXPECT_NE(con.output().find(" ** ERROR stowall stack overflow. 1000 1000\n FATAL ERROR :(((("),
            std::string::npos)
      << con.output().substr(con.output().size() - 200);
}

TEST(Stacks, SaveparRestoreparByCount) {
  twosites();
  ProgramState& s = state();
  s.nloc = 1;
  s.loc = 1;
  s.smag0 = 18;
  s.b0 = 0.25f;
  // Slot holds y0 = 0.7, b0 = 0.5 from an earlier save of 5.
  s.y0 = 0.7f;
  s.b0 = 0.5f;
  savepar(5);
  s.y0 = 0.2f;
  s.b0 = 0.25f;
  savepar(3);  // smag0, t0 with hjd0, te
  s.smag0 = 1;
  s.t0 = 2;
  s.hjd0 = 3;
  s.te = 4;
  s.y0 = 5;
  restorepar(5);
  EXPECT_EQ(s.smag0, 18.0f);
  EXPECT_EQ(s.t0, 4555.25f);
  EXPECT_EQ(s.hjd0, 2454555.25);
  EXPECT_EQ(s.te, 30.0f);
  EXPECT_EQ(s.y0, 0.7f);
  EXPECT_EQ(s.b0, 0.5f);

  // Counts below 1 save and restore nothing.
  s.te = 8;
  savepar(0);
  restorepar(0);
  EXPECT_EQ(s.te, 8.0f);
}

TEST(Stacks, RestoreparGoesThroughTheCurrentSite) {
  twosites();
  ProgramState& s = state();
  s.loc = 2;
  s.sigmag0 = 0.02f;
  s.erbscl = 2;
  savepar(7);
  s.sigmag0 = 0.5f;
  s.erbscl = 9;
  s.erbscl_l(2) = 9;
  restorepar(7);
  // The restored error model lands in site 2's row through stowsite.
  EXPECT_EQ(s.sigmag0_l(2), 0.02f);
  EXPECT_EQ(s.erbscl_l(2), 2.0f);
}

TEST(Stacks, RestoreparPutsThePlanetBackWhateverItsPrimaryPair) {
  twosites();
  ProgramState& s = state();
  s.nloc = 1;
  s.loc = 1;
  s.plpos = "UA";
  setplxy(0.6f, 0.8f);
  s.qpl = 0.001f;
  savepar(10);
  // A fit in the u, a pair moves the planet elsewhere.
  setplua(1.5f, 2.0f);
  s.qpl = 0.01f;
  restorepar(10);
  EXPECT_NEAR(s.xpl, 0.6f, 1e-6);
  EXPECT_NEAR(s.ypl, 0.8f, 1e-6);
  EXPECT_NEAR(s.upl, 1.0f, 1e-6);
  EXPECT_EQ(s.qpl, 0.001f);
}

TEST(Stacks, PlanetSlotAndNoplanet) {
  test::fresh_state();
  ProgramState& s = state();
  s.te = 20;
  s.y0 = 0.1f;
  s.qpl = 0.002f;
  setplxy(1.2f, -0.3f);
  noplanet();
  EXPECT_EQ(s.qpl, 0.0f);
  EXPECT_EQ(s.xpl, 0.0f);
  EXPECT_EQ(s.ypl, 0.0f);
  EXPECT_EQ(s.upl, 0.0f);
  restoreplanet();
  EXPECT_EQ(s.qpl, 0.002f);
  EXPECT_EQ(s.xpl, 1.2f);
  EXPECT_EQ(s.ypl, -0.3f);
  EXPECT_NEAR(s.upl, std::hypot(1.2f, 0.3f), 1e-6);
}

}  // namespace
}  // namespace zolka
