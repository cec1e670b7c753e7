// The device dialogue: device letters and the device list, file plots with
// their queues and orientation, the page format, devices that do not open,
// closing and print spooling, the colour scheme and the logo.
#include "graphics/device.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "graphics/pgplot.h"
#include "plot_checks.h"
#include "shell/core/console.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

namespace fs = std::filesystem;
using test::CapturedConsole;
using test::complete_gif;
using test::complete_postscript;
using test::file_bytes;
using test::TempDir;

const auto count = test::count_text;
const auto has = test::has_text;

const char* const device_prompt = " PGSTART device type (H=help) [";
const char* const list_head = " PGSTART device types:";

// Each test runs with SCR naming its own temporary directory, so default plot
// files land there.
class Dialogue : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* scr = std::getenv("SCR");
    had_scr_ = scr != nullptr;
    if (had_scr_) old_scr_ = scr;
    setenv("SCR", dir.path().c_str(), 1);
    test::fresh_state();
  }
  void TearDown() override {
    closeplot();
    test::fresh_state();
    if (had_scr_)
      setenv("SCR", old_scr_.c_str(), 1);
    else
      unsetenv("SCR");
  }
  // Runs pgstart on the given replies; returns the output.
  std::string start(const std::string& replies, int nx = 1, int ny = 1) {
    CapturedConsole con(replies);
    nx_ = nx;
    ny_ = ny;
    pgstart(nx_, ny_, isnew_);
    return con.output();
  }
  std::string stop(const std::string& replies = "") {
    CapturedConsole con(replies);
    pgstop();
    return con.output();
  }
  static void draw() {
    pgkolors();
    pgenv(0, 1, 0, 1, 0, 0);
    pglabel("x", "y", "dialogue test");
  }
  TempDir dir;
  int nx_ = 0, ny_ = 0, isnew_ = -1;

 private:
  bool had_scr_ = false;
  std::string old_scr_;
};

TEST_F(Dialogue, FirstReturnListsTheDevices) {
  const std::string out = start("\nN\n");
  EXPECT_EQ(isnew_, 1);
  EXPECT_TRUE(pgqopen());
  EXPECT_EQ(state().iopen, 1);
  EXPECT_EQ(state().pgstartmode, 'N');
  EXPECT_TRUE(has(out, " PGSTART at "));
  EXPECT_TRUE(has(out, " Default plot dir: $SCR/\n"));
  EXPECT_TRUE(has(out, " Default path: " + dir.path().string() + "/\n"));
  // The plain Return (default H) shows the list; N then opens the null device.
  const std::string list = std::string(list_head) +
                           "\n  X=Xserve W=xWin T=Tektronix G=Gif H=Help\n"
                           "  P=PostScript C=ColourPS N=null B=pgBegin\n";
  EXPECT_TRUE(has(out, " PGSTART device type (H=help) [H] " + list +
                           " PGSTART device type (H=help) [H]  PGBEGIN( 0, \"/NU\" 1 1 )\n"))
      << out;
  EXPECT_EQ(state().psfile, "$SCR/pgplot.ps");
}

TEST_F(Dialogue, RepliesThatAreNoDeviceShowTheListAndAskAgain) {
  const std::string out = start("junk\nh\n?\nZ\n123\n@\n  \nn\n");
  // "  " is a blank reply, which takes the default H; "n" opens the null device.
  EXPECT_EQ(count(out, list_head), 7);
  EXPECT_EQ(count(out, device_prompt), 8);
  EXPECT_EQ(isnew_, 1);
}

TEST_F(Dialogue, WithoutScrPlotFilesGoToTheWorkingDirectory) {
  for (const char* scr : {static_cast<const char*>(nullptr), ""}) {
    SCOPED_TRACE(scr ? "SCR empty" : "SCR unset");
    test::fresh_state();
    if (scr)
      setenv("SCR", scr, 1);
    else
      unsetenv("SCR");
    TempDir here(true);
    const std::string out = start("P\n\n\n");
    EXPECT_TRUE(has(out, " ** SCR is not set: plot files go to the working directory.\n"));
    EXPECT_FALSE(has(out, "Default path: /"));
    EXPECT_TRUE(has(out, " <CR> uses plotfile pgplot.ps\n"));
    EXPECT_TRUE(has(out, " PGBEGIN( 0, \"pgplot.ps\"/PS 1 1 )"));
    draw();
    stop();
    EXPECT_TRUE(complete_postscript(file_bytes(here.file("pgplot.ps"))));
  }
}

TEST_F(Dialogue, JunkWritesTheDefaultFileAndQueuesItWithoutAsking) {
  state().pgqueues = {{'L', "true", "a queue that prints nothing"}};
  std::string out = start("P\njunk\nL\n\n");
  EXPECT_TRUE(has(out, " JUNK autoprints $SCR/pgplot.ps\n"));
  EXPECT_TRUE(has(out, " Which Queue (?,L) ? [?] "));
  EXPECT_EQ(state().plotfile, "$SCR/pgplot.ps");
  EXPECT_TRUE(state().autoprint);
  draw();
  out = stop();
  const std::string path = dir.file("pgplot.ps");
  EXPECT_TRUE(complete_postscript(file_bytes(path)));
  EXPECT_TRUE(has(out, " COMMAND: true\n PLOTFILE: $SCR/pgplot.ps\n PATH: " + path + "\n"));
  EXPECT_TRUE(has(out, " TASK: true '" + path + "'\n"));
  EXPECT_TRUE(has(out, "call system( true '" + path + "' )"));
  EXPECT_FALSE(has(out, "Queue file for plotting?"));
}

TEST_F(Dialogue, QueueListAndChoice) {
  state().pgqueues = {{'L', "true", "laser"}, {'C', "false", "colour"}};
  std::string out = start("P\nq.ps\n?\nX\n\nc\nP\n");
  EXPECT_EQ(count(out, " Which Queue (?,L,C) ? [?] "), 4);
  EXPECT_EQ(count(out, " L  true  laser\n"), 3);
  EXPECT_EQ(state().pgqueue, 'C');
  EXPECT_EQ(state().prtcom, "false");
  EXPECT_TRUE(has(out, " P(ortrait) or L(andscape) ? [L] "));
  EXPECT_TRUE(has(out, "/VPS 1 1 )"));
  draw();
  out = stop("n\n");
  EXPECT_TRUE(has(out, " Queue file for plotting? [Y] "));
  EXPECT_FALSE(has(out, "call system("));
  // The choices are next time's defaults; "<CR>" keeps the file.
  out = start("P\n\n\n\n");
  EXPECT_TRUE(has(out, " <CR> uses plotfile q.ps\n"));
  EXPECT_TRUE(has(out, " Which Queue (?,L,C) ? [C] "));
  EXPECT_TRUE(has(out, " P(ortrait) or L(andscape) ? [P] "));
  EXPECT_EQ(state().devtype, "VPS");
}

TEST_F(Dialogue, GifNeverAsksForAQueue) {
  state().pgqueues = {{'L', "true", "laser"}};
  TempDir here(true);
  std::string out = start("G\nplot.gif\n\n");
  EXPECT_FALSE(has(out, "Which Queue"));
  EXPECT_FALSE(has(out, "no queues"));
  EXPECT_TRUE(has(out, " GIF file : "));
  EXPECT_TRUE(has(out, " PGBEGIN( 0, \"plot.gif\"/GIF 1 1 )"));
  draw();
  out = stop();
  EXPECT_EQ(out, "");
  EXPECT_TRUE(complete_gif(file_bytes(here.file("plot.gif"))));
}

TEST_F(Dialogue, SpoolingWithoutQueuesCarriesOn) {
  const std::string out = start("C\nc.cps\n\n");
  EXPECT_TRUE(has(out, " ** PGSTART: no queues at " + state().pgsite + "\n"));
  EXPECT_FALSE(state().spool);
  draw();
  EXPECT_EQ(stop(), "");
}

TEST_F(Dialogue, AnotherLetterClosesTheOpenDevice) {
  start("N\n");
  ASSERT_TRUE(pgqopen());
  // Same letter: the device stays, nothing is opened, no page format asked.
  std::string out = start("N\n", 0, 0);
  EXPECT_EQ(isnew_, 0);
  EXPECT_FALSE(has(out, "PGBEGIN("));
  EXPECT_FALSE(has(out, "Plot page format"));
  EXPECT_TRUE(pgqopen());
  // P closes the open device before the file dialogue; a reply of only "@"
  // leaves no file and goes back to the device prompt (here: end of input).
  {
    CapturedConsole con("P\n@\n");
    EXPECT_THROW(pgstart(nx_, ny_, isnew_), EndOfInput);
    EXPECT_FALSE(pgqopen());
    EXPECT_EQ(state().iopen, 0);
    EXPECT_TRUE(state().plotfile.empty());
    EXPECT_TRUE(has(con.output(), " PostScript file :  PGSTART device types:\n"));
    EXPECT_EQ(count(con.output(), device_prompt), 2);
  }
  out = start("P\n$SCR/p.ps\n\n");
  EXPECT_EQ(isnew_, 1);
  EXPECT_EQ(state().pgdev.kind, PgDevice::postscript);
  draw();
  stop();
  EXPECT_TRUE(complete_postscript(file_bytes(dir.file("p.ps"))));
}

TEST_F(Dialogue, PageFormatAskedOnlyWithoutAGivenFormat) {
  std::string out = start("N\n", 1, 3);
  EXPECT_FALSE(has(out, "Plot page format"));
  EXPECT_EQ(state().nx0, 1);
  EXPECT_EQ(state().ny0, 3);
  stop();

  test::fresh_state();
  out = start("N\njunk\n0 2\n2\n1 200\n1,3\n", 0, 0);
  EXPECT_EQ(count(out, " Plot page format (NX,NY) [  1 ,  1 ] "), 5);
  EXPECT_EQ(count(out, " ** At most 100 panels across and down."), 1);
  EXPECT_EQ(nx_, 1);
  EXPECT_EQ(ny_, 3);
  EXPECT_TRUE(has(out, " PGBEGIN( 0, \"/NU\" 1 3 )"));
  stop();

  out = start("N\n\n", 0, 2);
  EXPECT_TRUE(has(out, " Plot page format (NX,NY) [  1 ,  3 ] "));
  EXPECT_EQ(nx_, 1);
  EXPECT_EQ(ny_, 3);
}

TEST_F(Dialogue, DevicesThatDoNotOpenRestartTheDialogue) {
  dir.write("afile", "not a directory\n");
  struct Case {
    const char* name;
    std::string replies;
    const char* reason;
  };
  const Case cases[] = {
      {"Tektronix", "T\nN\n", "Tektronix"},
      {"missing directory", "P\n" + dir.file("none/x.ps") + "\n\nN\n", "no directory"},
      {"file as directory", "G\n" + dir.file("afile/x.gif") + "\n\nN\n", "no directory"},
      {"directory as file", "C\n" + dir.path().string() + "\n\nN\n", "it is a directory"},
      {"unknown device at B", "B\n/VT100\nN\n", "unknown device type /VT100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::fresh_state();
    const std::string out = start(c.replies);
    EXPECT_EQ(count(out, " ** FAILED TO OPEN PLOT.\n"), 1);
    EXPECT_TRUE(has(out, c.reason));
    EXPECT_EQ(count(out, device_prompt), 2);
    EXPECT_EQ(state().pgdev.kind, PgDevice::null);
    closeplot();
  }
  EXPECT_EQ(fs::directory_iterator(dir.path())->path().filename(), "afile");
}

TEST_F(Dialogue, BAsksForAPgplotDeviceName) {
  const std::string out = start("B\n?\n/NULL\n");
  EXPECT_EQ(count(out, " Graphics device/type (? to see list, default /XSERV): "), 2);
  EXPECT_TRUE(has(out, " Device types here:"));
  EXPECT_TRUE(has(out, " PGBEGIN( 0, \"?\" 1 1 )"));
  EXPECT_EQ(state().pgdev.kind, PgDevice::null);
}

TEST_F(Dialogue, PrintCommandGetsTheFileNameQuoted) {
  state().pgqueues = {{'L', "true", "laser"}};
  TempDir here(true);
  // Unquoted, the shell would run ":>pwned" and create the file "pwned".
  const std::string name = "x;:>pwned;.ps";
  start("P\n" + name + "\nL\n\n");
  draw();
  const std::string out = stop("\n");
  EXPECT_TRUE(has(out, "call system( true 'x;:>pwned;.ps' )"));
  EXPECT_TRUE(complete_postscript(file_bytes(here.file(name))));
  EXPECT_FALSE(fs::exists(here.path() / "pwned"));
}

TEST(PgAgain, OnlyYMeansYes) {
  const struct {
    const char* reply;
    bool again;
  } cases[] = {{"y\n", true},    {" Y \n", true}, {"\n", false},
               {"yes\n", false}, {"n\n", false},  {"YY\n", false}};
  for (const auto& c : cases) {
    CapturedConsole con(c.reply);
    EXPECT_EQ(pgagain(), c.again) << c.reply;
    EXPECT_EQ(con.output(), " Plot again ? [N] ");
  }
}

TEST(ColourScheme, BackgroundAndRoles) {
  test::fresh_state();
  TempDir dir;
  const struct {
    bool white;
    int background;  // 0xRRGGBB of the page
    int window, label, data, model, sigma, now;
  } cases[] = {{true, 0xffffff, 1, 1, 4, 8, 11, 4}, {false, 0x000000, 5, 7, 1, 7, 3, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.white);
    state().whitebackground = c.white;
    const std::string file = dir.file(c.white ? "white.png" : "black.png");
    ASSERT_EQ(pgbegin(0, "\"" + file + "\"/PNG", 1, 1), 1);
    pgkolors();
    pgenv(0, 1, 0, 1, 0, 0);
    pgend();
    const auto img = test::image_ink(file, false);
    EXPECT_EQ(img.background, c.background);
    EXPECT_GT(img.ink, 1000);
    const ProgramState& s = state();
    EXPECT_EQ(s.kolor_window, c.window);
    EXPECT_EQ(s.kolor_label, c.label);
    EXPECT_EQ(s.kolor_data, c.data);
    EXPECT_EQ(s.kolor_model, c.model);
    EXPECT_EQ(s.kolor_sigma, c.sigma);
    EXPECT_EQ(s.kolor_now, c.now);
  }
}

TEST(Logo, KeepsTheCharacterHeight) {
  test::fresh_state();
  ASSERT_EQ(pgbegin(0, "/NULL", 1, 1), 1);
  pgenv(0, 1, 0, 1, 0, 0);
  pgsch(1.5f);
  pgzolka('T');
  EXPECT_FLOAT_EQ(state().csize, 1.5f);
  pgzolka('C');
  pgcpu(12.5f);
  float h = 0;
  pgqch(h);
  EXPECT_FLOAT_EQ(h, 1.5f);
  pgclos();
}

}  // namespace
}  // namespace zolka
