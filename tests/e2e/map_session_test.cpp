// End-to-end: a simulated planetary event loaded, fitted and mapped through
// the plot menu's C, first to the null device, then again, from the cache,
// into a PostScript file.
#include <gtest/gtest.h>

#include <string>

#include "fit/planet_fixture.h"
#include "graphics/plot_checks.h"
#include "sim/simulate.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::has_text;
using test::run_zolka;
using test::TempDir;

// The planet fixture's event (q = 0.01 at (1, 0.95), beside the major
// image's track) with fewer points, written as files.
void write_planet_event(const TempDir& dir) {
  sim::SimEvent ev = test::planet_event(0.95f);
  ev.sites[0].npts = 150;
  ev.sites[1].npts = 120;
  ev.sites[2].npts = 100;
  sim::write_event(ev, dir.path().string(), "zolka::sim::write_event in map_session_test");
}

// The number after `key` in the last line of out that holds it.
double last_value(const std::string& out, const std::string& key) {
  const std::size_t at = out.rfind(key);
  if (at == std::string::npos) return -1e30;
  return std::stod(out.substr(at + key.size()));
}

TEST(MapSession, TheXYMapFindsThePlanetAndIsReusedForThePlotFile) {
  TempDir dir;
  write_planet_event(dir);
  // Load, fit, set q; C to the null device (no refits); C again into a
  // PostScript file, where the unchanged map is reused.
  const auto r =
      run_zolka("D\n@OB08456\nF\n5 3\nE\nQ\n0.01\n\nC\nN\n0\n\nC\nP\nmap.ps\n\n\n\n", dir.path());
  EXPECT_EQ(r.status, 0);
  const std::string& out = r.output;
  EXPECT_EQ(test::occurrences(out, "gridfit( XY ) ***********"), 2);
  EXPECT_EQ(test::occurrences(out, "Must recompute Chi^2( XY )"), 1) << out;
  EXPECT_EQ(test::occurrences(out, "Using previous Chi^2( XY )"), 1);
  EXPECT_EQ(test::occurrences(out, "WITHOUT planet, parameters: 5"), 1);
  EXPECT_TRUE(has_text(out, "   tweaking  0 parameters."));
  // The best pixel lies within a grid step or two of the planet, far above
  // the detection threshold of 100.
  const std::size_t best = out.rfind(" Best DelChi2( X =");
  ASSERT_NE(best, std::string::npos);
  const std::string line = out.substr(best, out.find('\n', best) - best);
  const double x = std::stod(line.substr(line.find("X =") + 3));
  const double y = std::stod(line.substr(line.find("Y =") + 3));
  EXPECT_NEAR(x, 1.0, 0.2) << line;
  EXPECT_NEAR(y, 0.95, 0.2) << line;
  EXPECT_GT(last_value(line, ") ="), 1000) << line;

  // The summary file: the fits' lines, then the map's.
  const std::string fort20 = dir.read("fort.20");
  const std::size_t q = fort20.find("@OB08456  qxy:   0.01000");
  ASSERT_NE(q, std::string::npos) << fort20;
  EXPECT_GT(last_value(fort20, "dChi2:"), 1000) << fort20;

  const std::string ps = test::file_bytes(dir.file("map.ps"));
  EXPECT_TRUE(test::complete_postscript(ps));
  EXPECT_GT(ps.size(), 20000u);
}

TEST(MapSession, MapsRefuseWithoutDataOrPlanet) {
  TempDir dir;
  write_planet_event(dir);
  // C before loading, then after loading with q set to 0.
  const auto r = run_zolka("C\nN\n\nD\n@OB08456\nE\nQ\n0\n\nC\nN\n\nQ\nY\n", dir.path());
  EXPECT_EQ(r.status, 0);
  const std::string& out = r.output;
  EXPECT_TRUE(has_text(out, "** WARNING gridfit( XY ): no data to map."));
  EXPECT_TRUE(has_text(out, "** ERROR gridbox: no planet to map, q = 0.0"));
  EXPECT_FALSE(has_text(out, "chi2map("));
  EXPECT_TRUE(has_text(out, "ZOLKA retired."));
}

}  // namespace
}  // namespace zolka
