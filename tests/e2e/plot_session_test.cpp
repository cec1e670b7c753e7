// Scripted sessions that plot a loaded event with the plot menu: the light
// curve into PostScript, colour PostScript and GIF files, two panels down a
// page, devices that cannot open, and an X window on an invisible display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "graphics/plot_checks.h"
#include "support/support.h"

namespace zolka {
namespace {

namespace fs = std::filesystem;
using test::count_text;
using test::has_text;
using test::run_zolka;
using test::TempDir;

// The example event of the repository: three sites, 850 points.
void copy_example(const TempDir& dir) {
  const fs::path from = fs::path(test::source_dir()) / "examples" / "ob08123";
  for (const auto& e : fs::directory_iterator(from))
    fs::copy_file(e.path(), dir.path() / e.path().filename());
}

const char* const load = "D\n@OB08123\n";

TEST(PlotSession, LightCurveIntoPostScriptAndGifFiles) {
  TempDir dir;
  copy_example(dir);
  // M, then the device, the file, the orientation (kept for the next file
  // plot unless answered), and no second plot.
  const auto r = run_zolka(
      std::string(load) + "M\nP\nlc.ps\n\n\nM\nC\nlc.cps\nP\n\nM\nG\nlc.gif\nL\n\n", dir.path());
  EXPECT_EQ(r.status, 0);
  const std::string& out = r.output;
  EXPECT_EQ(count_text(out, " magplot **************** ndata 850\n"), 3);
  EXPECT_TRUE(has_text(out, " PGBEGIN( 0, \"lc.ps\"/PS 1 1 )"));
  EXPECT_TRUE(has_text(out, " PGBEGIN( 0, \"lc.cps\"/VCPS 1 1 )"));
  EXPECT_TRUE(has_text(out, " PGBEGIN( 0, \"lc.gif\"/GIF 1 1 )"));
  EXPECT_FALSE(has_text(out, "FAILED TO OPEN PLOT"));
  // Every point with its two error bars makes a long PostScript file.
  for (const char* ps : {"lc.ps", "lc.cps"}) {
    SCOPED_TRACE(ps);
    const std::string bytes = test::file_bytes(dir.file(ps));
    EXPECT_TRUE(test::complete_postscript(bytes));
    EXPECT_GT(bytes.size(), 100000u);
  }
  EXPECT_NE(test::file_bytes(dir.file("lc.cps")).find("%%BoundingBox: 0 0 459 612"),
            std::string::npos);
  const std::string gif = test::file_bytes(dir.file("lc.gif"));
  EXPECT_TRUE(test::complete_gif(gif));
  const test::Picture p(dir.file("lc.gif"), true);
  EXPECT_EQ(p.width, 800);
  EXPECT_EQ(p.height, 600);
  EXPECT_GT(p.count(test::inked), 20000);
}

TEST(PlotSession, MrGivesTwoPanels) {
  TempDir dir;
  copy_example(dir);
  const auto r = run_zolka(std::string(load) + "MR\nG\nmr.gif\n\n\n", dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(has_text(r.output, "\"/GIF 1 2 )")) << r.output;
  // The light curve fills the upper panel; the residual panel, still to
  // come, has only its logo.
  const test::Picture p(dir.file("mr.gif"), true);
  ASSERT_EQ(p.height, 600);
  EXPECT_GT(p.count(test::inked, 0, 0, p.width - 1, 299), 10000);
  const int lower = p.count(test::inked, 0, 300, p.width - 1, 599);
  EXPECT_GT(lower, 50);
  EXPECT_LT(lower, 2000);
}

TEST(PlotSession, DevicesThatCannotOpenAskAgain) {
  TempDir dir;
  copy_example(dir);
  dir.write("afile", "not a directory\n");
  // A Tektronix terminal, a file in a missing directory, a file under a
  // plain file; then the null device draws.
  const auto r = run_zolka(std::string(load) + "M\nT\nP\n" + dir.file("none/x.ps") + "\n\nG\n" +
                               dir.file("afile/x.gif") + "\n\nN\n\nQ\nY\n",
                           dir.path());
  EXPECT_EQ(r.status, 0);
  const std::string& out = r.output;
  EXPECT_EQ(count_text(out, " ** FAILED TO OPEN PLOT.\n"), 3) << out;
  EXPECT_TRUE(has_text(out, "** PGBEGIN: there is no Tektronix terminal device."));
  EXPECT_EQ(count_text(out, "** PGBEGIN: cannot write plot file"), 2);
  EXPECT_TRUE(has_text(out, " PGBEGIN( 0, \"/NU\" 1 1 )"));
  EXPECT_EQ(count_text(out, " magplot ****************"), 1);
  EXPECT_TRUE(has_text(out, "ZOLKA retired."));
  EXPECT_FALSE(fs::exists(dir.path() / "none"));
}

TEST(PlotSession, LightCurveInAnXWindow) {
  if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) GTEST_SKIP() << "Xvfb not installed";
  TempDir dir;
  copy_example(dir);
  // scripts/xvfb-plot gives the run an invisible X display; X and W open
  // windows on it.
  const std::string xvfb = "'" + test::source_dir() + "/scripts/xvfb-plot'";
  const auto r = run_zolka(std::string(load) + "M\nX\n\nM\nW\n\nQ\nY\n", dir.path(), xvfb);
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(has_text(r.output, " PGBEGIN( 0, \"/XSERV\" 1 1 )"));
  EXPECT_TRUE(has_text(r.output, " PGBEGIN( 0, \"/XW\" 1 1 )"));
  EXPECT_EQ(count_text(r.output, " magplot **************** ndata 850\n"), 2);
  EXPECT_FALSE(has_text(r.output, "FAILED TO OPEN PLOT"));
  EXPECT_TRUE(has_text(r.output, "ZOLKA retired."));
}

}  // namespace
}  // namespace zolka
