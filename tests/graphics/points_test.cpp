// The per-site point drawer: the site with the larger median error bar is
// drawn (and reported) first, so the best data end up on top.
#include "graphics/points.h"

#include <gtest/gtest.h>

#include "fit/fit_fixture.h"
#include "graphics/pgplot.h"
#include "graphics/site_style.h"
#include "plot_checks.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::CapturedConsole;

// Sites of 20 points with flux error bars sig (flux 1, so sigmag = 1.0857 sig).
void sites_with_errors(const std::vector<float>& sigs) {
  std::vector<std::vector<test::Pt>> sites;
  for (float sig : sigs)
    sites.push_back(test::exact_site(2454567.8, 25, 0.5f, 1, 0, 20, 2454560, 2454575, sig));
  test::store_sites(sites);
}

// The point columns of the store: x = t, y = magnitude, equal bars.
void draw_points() {
  ProgramState& s = state();
  for (int i = 1; i <= s.ndata; ++i) {
    s.plot(0)(i) = s.t_t(i);
    s.plot(1)(i) = s.datmag_t(i);
    s.plot(2)(i) = s.sigmag_t(i);
  }
  pgxys(s.plot(0), s.plot(1), s.plot(2), s.plot(2));
}

TEST(PointDrawer, SitesFromTheLargestMedianErrorBarDown) {
  test::fresh_state();
  siteicons();
  CapturedConsole con;
  sites_with_errors({0.01f, 0.05f, 0.02f});
  con.clear();
  ASSERT_EQ(pgbegin(0, "/NULL", 1, 1), 1);
  pgenv(4559, 4576, 17, 14, 0, 0);
  draw_points();
  pgclos();
  const std::vector<std::string> lines = test::lines_of(con.output());
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(lines[0], " Sites sorted by median magnitude error bar:");
  // Place in the order of median error (1 the smallest), site, points.
  EXPECT_EQ(lines[1].rfind("  3 2 dat 20 mag med", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("  2 3 dat 20", 0), 0u) << lines[2];
  EXPECT_EQ(lines[3].rfind("  1 1 dat 20", 0), 0u) << lines[3];
  EXPECT_EQ(lines[4], "  3 2 20 S2");
  EXPECT_EQ(lines[5], "  2 3 20 S3");
  EXPECT_EQ(lines[6], "  1 1 20 S1");
  // The current-site name is left naming the best site.
  EXPECT_EQ(state().site, "S1");
}

TEST(PointDrawer, OneSiteIsNeitherSortedNorReported) {
  test::fresh_state();
  siteicons();
  CapturedConsole con;
  sites_with_errors({0.02f});
  con.clear();
  test::TempDir dir;
  ASSERT_EQ(pgbegin(0, "\"" + dir.file("one.png") + "\"/PNG", 1, 1), 1);
  pgenv(4559, 4576, 17, 14, 0, -2);
  draw_points();
  pgend();
  EXPECT_EQ(con.output(), "  1 1 20 S1\n");
  EXPECT_GT(test::Picture(dir.file("one.png"), false).count(test::inked), 200);
}

TEST(PointDrawer, NothingWithoutData) {
  test::fresh_state();
  CapturedConsole con;
  Vec1<float> none;
  pgxys(none, none, none, none);
  EXPECT_EQ(con.output(), "");
}

}  // namespace
}  // namespace zolka
