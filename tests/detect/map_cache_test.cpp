// The cached chi-square maps: storing, fetching, and the reuse test with its
// "Parameters to tweak" prompt.
#include "detect/map_cache.h"

#include <gtest/gtest.h>

#include <string>

#include "detect/grids.h"
#include "fit/fit_fixture.h"
#include "shell/core/state.h"
#include "shell/model/startup.h"
#include "support/support.h"

namespace zolka {
namespace {

const char* const kinds[] = {"XY", "UA", "TF", "FQ"};

// A small event, so that every kind has a grid of a few hundred points.
void load_event() {
  reset_state();
  std::vector<test::Pt> pts;
  for (int k = 0; k <= 60; ++k) pts.push_back({2454000.0 + k, 1.0f, 0.01f});
  test::store_sites({pts});
  ProgramState& s = state();
  s.hjd0 = 2454030.0;
  s.te = 20;
  s.y0 = 0.3f;
  s.qpl = 0.01f;
}

// Builds the grid of kind and fills the working map with a recognisable
// pattern and metadata, as a finished map leaves them.
void make_map(const char* kind, float base) {
  ProgramState& s = state();
  ASSERT_TRUE(gridbox(kind));
  for (int p = 1; p <= s.n_1 * s.n_2; ++p) s.chi2_12(p) = base + static_cast<float>(p);
  s.qmap = s.qpl;
  s.mapfit = 5;
  s.maptweak = s.ntweak;
  s.mapdof = 56;
  s.chi2ref = base;
  s.cpumap = 12.5f;
}

// Rebuilds the grid of kind and runs its reuse test with the given reply to
// the tweak prompt; the console output goes to out.
bool reuse(const char* kind, const std::string& reply, std::string* out = nullptr) {
  test::CapturedConsole console(reply + "\n");
  EXPECT_TRUE(gridbox(kind));
  const bool ok = useoldmap(kind);
  if (out != nullptr) *out = console.output();
  return ok;
}

// Computes and stores a map of kind with tweak count ntweak, as the map
// command does after a failed reuse test.
void compute_and_store(const char* kind, int ntweak) {
  EXPECT_FALSE(reuse(kind, std::to_string(ntweak)));
  test::CapturedConsole console;
  make_map(kind, 1000);
  stowgrid(kind);
}

TEST(MapCache, AStoredMapComesBackWithItsGridAndMetadata) {
  for (const char* kind : kinds) {
    test::CapturedConsole console;
    load_event();
    ProgramState& s = state();
    make_map(kind, 500);
    const int n1 = s.n_1, n2 = s.n_2;
    const float last1 = s.par_1(n1), last2 = s.par_2(n2);
    stowgrid(kind);
    EXPECT_EQ(s.nstowgrid, 1) << kind;
    // Another map overwrites the working map.
    make_map(kind == std::string("XY") ? "UA" : "XY", 0);
    s.qmap = 0.5f;
    s.mapfit = 0;
    fetchgrid(kind);
    ASSERT_EQ(s.n_1, n1) << kind;
    ASSERT_EQ(s.n_2, n2) << kind;
    EXPECT_EQ(s.par_1(n1), last1) << kind;
    EXPECT_EQ(s.par_2(n2), last2) << kind;
    ASSERT_EQ(s.chi2_12.size(), n1 * n2) << kind;
    for (int p = 1; p <= n1 * n2; ++p) ASSERT_EQ(s.chi2_12(p), 500 + static_cast<float>(p)) << kind;
    EXPECT_EQ(s.mapfit, 5) << kind;
    EXPECT_EQ(s.mapdof, 56) << kind;
    EXPECT_EQ(s.chi2ref, 500) << kind;
    EXPECT_EQ(s.cpumap, 12.5f) << kind;
    // q is an axis of the f,q map: it keeps no q of its own.
    EXPECT_EQ(s.qmap, kind == std::string("FQ") ? 0.5f : 0.01f) << kind;
    EXPECT_TRUE(test::has_text(console.output(), std::string("fetchgrid( ") + kind + " )"));
  }
}

TEST(MapCache, TheFirstReuseTestOfEveryKindFails) {
  for (const char* kind : kinds) {
    load_event();
    EXPECT_FALSE(reuse(kind, "")) << kind;
  }
}

TEST(MapCache, AnUnchangedGridQAndTweakCountReuseTheMap) {
  for (int k = 0; k < 4; ++k) {
    const char* kind = kinds[k];
    load_event();
    compute_and_store(kind, 2);
    const ProgramState& s = state();
    const bool need[] = {s.needcxy, s.needcua, s.needctf, s.needcfq};
    EXPECT_FALSE(need[k]) << kind;
    std::string out;
    EXPECT_TRUE(reuse(kind, "", &out)) << kind;
    EXPECT_TRUE(test::has_text(out, "Parameters to tweak [2]")) << kind;
    EXPECT_EQ(state().ntweak, 2) << kind;
  }
}

TEST(MapCache, AChangedTweakCountOrQRecomputes) {
  for (const char* kind : kinds) {
    load_event();
    ProgramState& s = state();
    compute_and_store(kind, 2);
    EXPECT_FALSE(reuse(kind, "3")) << kind;
    EXPECT_EQ(s.ntweak, 3) << kind;

    // A new q: the f,q grid, which holds no q, moves with it.
    compute_and_store(kind, 2);
    s.qpl = 0.012f;
    EXPECT_FALSE(reuse(kind, "")) << kind;
  }
}

TEST(MapCache, QAloneDecidesForTheKindsThatHoldIt) {
  load_event();
  ProgramState& s = state();
  compute_and_store("XY", 0);
  s.qpl = 0.0100001f;  // the same grid, a different q
  EXPECT_FALSE(reuse("XY", ""));
  EXPECT_EQ(s.nxp, s.holdxy.n1);
}

TEST(MapCache, NeedsInvalidatesTheXYAndUAMapsOnly) {
  for (const char* kind : kinds) {
    load_event();
    compute_and_store(kind, 1);
    needs();
    const bool keep = kind == std::string("TF") || kind == std::string("FQ");
    EXPECT_EQ(reuse(kind, ""), keep) << kind;
  }
}

TEST(MapCache, AxisEndsMayMoveByTheKindsTolerance) {
  const struct {
    const char* kind;
    float shift;
    bool reused;
  } cases[] = {{"XY", 0.0015f, true},  {"XY", 0.0025f, false}, {"UA", 0.0005f, true},
               {"UA", 0.0015f, false}, {"TF", 0.0015f, false}, {"FQ", 0.0015f, false}};
  for (const auto& c : cases) {
    load_event();
    compute_and_store(c.kind, 0);
    ProgramState& s = state();
    test::CapturedConsole console("\n");
    ASSERT_TRUE(gridbox(c.kind));
    const std::string k = c.kind;
    Vec1<float>& axis = k == "XY" ? s.xp_x : k == "UA" ? s.ulog_u : k == "TF" ? s.tp_t : s.f_f;
    axis(1) += c.shift;
    EXPECT_EQ(useoldmap(c.kind), c.reused) << c.kind << " " << c.shift;
  }
}

TEST(MapCache, TheTweakReplyIsClampedToNoneToSeven) {
  const struct {
    const char* reply;
    int ntweak;
  } cases[] = {{"12", 7}, {"-3", 0}, {"5", 5}};
  for (const auto& c : cases) {
    load_event();
    reuse("UA", c.reply);
    EXPECT_EQ(state().ntweak, c.ntweak) << c.reply;
  }
}

TEST(MapCache, TheReuseTestShowsWhatItCompares) {
  load_event();
  compute_and_store("XY", 2);
  std::string out;
  reuse("XY", "4", &out);
  EXPECT_TRUE(test::has_line(out, " checkcxy ********  need c(x,y)  F"));
  EXPECT_TRUE(test::has_text(out, " q old 0.01  new 0.01"));
  const std::string x = " X old " + std::to_string(state().nxp) + " -3.0 3.0  new " +
                        std::to_string(state().nxp) + " -3.0 3.0";
  EXPECT_TRUE(test::has_line(out, x));
  EXPECT_TRUE(test::has_text(out, " Y old"));
  EXPECT_TRUE(test::has_line(out, " need c( XY )  F"));
  EXPECT_TRUE(test::has_text(out, "Parameters to tweak [2]"));
  EXPECT_TRUE(test::has_text(out, " need c( XY )  T"));

  reuse("FQ", "", &out);
  EXPECT_TRUE(test::has_line(out, " checkcfq ********  need c( FQ )  F"));
  EXPECT_FALSE(test::has_text(out, "q old"));
  EXPECT_TRUE(test::has_text(out, " F old"));
  EXPECT_TRUE(test::has_text(out, " Q old"));
}

TEST(MapCache, StoringTheXYMapReportsItsTweakCountAndSize) {
  load_event();
  ProgramState& s = state();
  EXPECT_FALSE(reuse("XY", "3"));
  test::CapturedConsole console;
  make_map("XY", 0);
  stowgrid("XY");
  EXPECT_FALSE(s.needcxy);
  EXPECT_EQ(s.ntweakxy, 3);
  EXPECT_EQ(s.nfitxy, 5);
  EXPECT_EQ(s.qxy, s.qpl);
  const std::string out = console.output();
  EXPECT_TRUE(test::has_line(out, " stowgrid( XY ) ***********"));
  EXPECT_TRUE(test::has_line(
      out, " * stowcxy ntweak 3 nx,ny " + std::to_string(s.nxp) + " " + std::to_string(s.nyp)));
}

TEST(MapCache, UnknownKindsAndUnstoredMapsLeaveTheWorkingMapAlone) {
  test::CapturedConsole console;
  load_event();
  ProgramState& s = state();
  make_map("XY", 7);
  stowgrid("AB");
  fetchgrid("ab");
  EXPECT_EQ(s.nstowgrid, 0);
  const std::string out = console.output();
  EXPECT_TRUE(test::has_line(out, " ** invalid stowgrid(AB) ??? :-("));
  EXPECT_TRUE(test::has_line(out, " ** invalid fetchgrid(AB) ??? :-("));
  EXPECT_FALSE(useoldmap("AB"));
  EXPECT_FALSE(test::has_text(console.output(), "Parameters to tweak"));
  // Nothing stored for the x,y grid yet: the working map keeps its values.
  fetchgrid("XY");
  EXPECT_TRUE(test::has_text(console.output(), "** ERROR fetchgrid( XY ): no stored map"));
  EXPECT_EQ(s.chi2_12(1), 8);
}

}  // namespace
}  // namespace zolka
