// The PGPLOT adapter: device names, plot files written completely or not at
// all, GIF conversion, monochrome PostScript, the colour-name table.
#include "graphics/pgplot.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>

#include "graphics/plot_files.h"
#include "plot_checks.h"
#include "support/support.h"

namespace zolka {
namespace {

namespace fs = std::filesystem;
using test::CapturedConsole;
using test::complete_gif;
using test::complete_postscript;
using test::file_bytes;
using test::image_ink;
using test::TempDir;

class Adapter : public ::testing::Test {
 protected:
  void SetUp() override { test::fresh_state(); }
  void TearDown() override {
    pgclos();
    test::fresh_state();
  }
  // The names in the directory, to see that no temporary file is left behind.
  std::set<std::string> names() const {
    std::set<std::string> s;
    for (const auto& e : fs::directory_iterator(dir.path())) s.insert(e.path().filename().string());
    return s;
  }
  std::string spec(const std::string& name, const std::string& type) const {
    return "\"" + dir.file(name) + "\"/" + type;
  }
  TempDir dir;
  CapturedConsole con;
};

// A small plot: white page, frame with labels, a peaked curve, markers with
// error bars in red, and a thick navy line.
void draw_test_plot() {
  pgscr(0, 1, 1, 1);
  pgscr(1, 0, 0, 0);
  pgenv(0, 10, 0, 1.2f, 0, 0);
  pglabel("time (days)", "flux", "adapter test");
  Vec1<float> x(100), y(100);
  for (int i = 1; i <= 100; ++i) {
    x(i) = 0.1f * static_cast<float>(i - 1);
    y(i) = 1.0f / (1.0f + (x(i) - 5) * (x(i) - 5));
  }
  pgline(100, x, y);
  float xs[5] = {1, 3, 5, 7, 9}, ys[5], es[5];
  for (int i = 0; i < 5; ++i) {
    ys[i] = 1.0f / (1.0f + (xs[i] - 5) * (xs[i] - 5));
    es[i] = 0.05f;
  }
  pgsci(2);
  pgpoint(5, xs, ys, 17);
  pgerrb(6, 5, xs, ys, es, 1.0f);
  int ier = -1;
  pgscrn(3, "navy", ier);
  pgsci(3);
  pgslw(20);
  pgmove(1, 1.1f);
  pgdraw(9, 1.1f);
  pgslw(1);
  pgsci(1);
}

TEST_F(Adapter, FileDevicesWriteCompleteFiles) {
  struct Case {
    const char* type;
    const char* name;
    bool postscript;
    int width, height;  // PostScript points or image pixels
  };
  const Case cases[] = {
      {"PS", "a.ps", true, 612, 459},    {"VPS", "b.ps", true, 459, 612},
      {"CPS", "c.cps", true, 612, 459},  {"VCPS", "d.cps", true, 459, 612},
      {"GIF", "e.gif", false, 800, 600}, {"VGIF", "f.gif", false, 600, 800},
      {"PNG", "g.png", false, 800, 600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ASSERT_EQ(pgbegin(0, spec(c.name, c.type), 1, 1), 1);
    EXPECT_TRUE(pgqopen());
    draw_test_plot();
    pgend();
    EXPECT_FALSE(pgqopen());
    const std::string bytes = file_bytes(dir.file(c.name));
    // Readable as any new file is (the temporary file it was written as is private).
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(static_cast<unsigned>(fs::status(dir.file(c.name)).permissions()),
              0666u & ~static_cast<unsigned>(mask));
    if (c.postscript) {
      EXPECT_TRUE(complete_postscript(bytes));
      EXPECT_GT(bytes.size(), 5000u);
      const std::string box =
          "%%BoundingBox: 0 0 " + std::to_string(c.width) + " " + std::to_string(c.height);
      EXPECT_NE(bytes.find(box), std::string::npos) << box;
    } else {
      const bool gif = std::string(c.name).ends_with(".gif");
      if (gif) {
        EXPECT_TRUE(complete_gif(bytes));
      }
      const auto img = image_ink(dir.file(c.name), gif);
      EXPECT_EQ(img.width, c.width);
      EXPECT_EQ(img.height, c.height);
      EXPECT_EQ(img.background, 0xffffff);
      EXPECT_GT(img.ink, 3000);  // frame, ticks, labels, curve, markers
    }
  }
  // Nothing but the seven plots: every temporary file was renamed or removed.
  EXPECT_EQ(names(),
            (std::set<std::string>{"a.ps", "b.ps", "c.cps", "d.cps", "e.gif", "f.gif", "g.png"}));
}

// The fill and stroke colours a PostScript file sets with "r g b rg/RG".
std::vector<std::array<double, 3>> ps_colours(const std::string& bytes) {
  std::vector<std::array<double, 3>> v;
  const std::regex rgb(R"(([0-9.]+) ([0-9.]+) ([0-9.]+) (rg|RG))");
  for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), rgb);
       it != std::sregex_iterator(); ++it)
    v.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3])});
  return v;
}
bool all_grey(const std::vector<std::array<double, 3>>& v) {
  for (const auto& c : v)
    if (c[0] != c[1] || c[1] != c[2]) return false;
  return true;
}

TEST_F(Adapter, MonochromePostScriptDrawsColoursInBlackOnWhite) {
  ASSERT_EQ(pgbegin(0, spec("mono.ps", "PS"), 1, 1), 1);
  pgscr(0, 0, 0, 0);  // a black background would be lost on paper: ignored
  pgscr(1, 1, 1, 1);
  draw_test_plot();
  pgend();
  ASSERT_EQ(pgbegin(0, spec("colour.ps", "CPS"), 1, 1), 1);
  draw_test_plot();
  pgend();
  const std::string mono = file_bytes(dir.file("mono.ps"));
  ASSERT_TRUE(complete_postscript(mono));
  EXPECT_TRUE(all_grey(ps_colours(mono)));
  const std::string colour = file_bytes(dir.file("colour.ps"));
  ASSERT_TRUE(complete_postscript(colour));
  EXPECT_FALSE(all_grey(ps_colours(colour)));
}

TEST_F(Adapter, NamedColoursReachTheImage) {
  ASSERT_EQ(pgbegin(0, spec("navy.png", "PNG"), 1, 1), 1);
  draw_test_plot();  // draws a thick line in colour index 3 defined as "navy"
  pgend();
  FILE* f = std::fopen(dir.file("navy.png").c_str(), "rb");
  ASSERT_NE(f, nullptr);
  gdImagePtr im = gdImageCreateFromPng(f);
  std::fclose(f);
  ASSERT_NE(im, nullptr);
  int navy = 0;
  for (int y = 0; y < gdImageSY(im); ++y)
    for (int x = 0; x < gdImageSX(im); ++x)
      if ((gdImageGetTrueColorPixel(im, x, y) & 0xffffff) == 0x000080) ++navy;
  gdImageDestroy(im);
  EXPECT_GT(navy, 1000);
}

TEST_F(Adapter, NullDeviceDrawsAndWritesNothing) {
  for (const char* name : {"/NU", "/NULL", "/nu"}) {
    SCOPED_TRACE(name);
    TempDir here(true);
    ASSERT_EQ(pgbegin(0, name, 1, 2), 1);
    EXPECT_TRUE(pgqopen());
    draw_test_plot();
    draw_test_plot();
    pgend();
    EXPECT_FALSE(pgqopen());
    EXPECT_TRUE(fs::is_empty(here.path()));
  }
}

TEST_F(Adapter, DevicesThatCannotOpenSayWhyAndLeaveNothing) {
  dir.write("afile", "a regular file\n");
  const char* display = std::getenv("DISPLAY");
  const std::string saved = display ? display : "";
  unsetenv("DISPLAY");
  struct Case {
    std::string device;
    const char* message;
  };
  const Case cases[] = {
      {"/TE", "** PGBEGIN: there is no Tektronix terminal device."},
      {"/XYZ", "** PGBEGIN: unknown device type /XYZ"},
      {"nodevice", "** PGBEGIN: not a device specification: nodevice"},
      {"/XSERV", "** PGBEGIN: no X display (DISPLAY is not set)."},
      {spec("missing/x.ps", "PS"), "no directory"},
      {spec("afile/x.gif", "GIF"), "no directory"},
      {"\"" + dir.path().string() + "\"/CPS", "it is a directory"},
      {"\"" + dir.path().string() + "/\"/CPS", "it is a directory"},
      // A directory nobody can write in, not even the superuser.
      {"\"/proc/zolka-plot-test.ps\"/PS", "** PGBEGIN: cannot write plot file /proc/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device);
    con.clear();
    EXPECT_EQ(pgbegin(0, c.device, 1, 1), 0);
    EXPECT_FALSE(pgqopen());
    EXPECT_NE(con.output().find(c.message), std::string::npos) << con.output();
  }
  if (!saved.empty()) setenv("DISPLAY", saved.c_str(), 1);
  EXPECT_EQ(names(), std::set<std::string>{"afile"});
}

TEST_F(Adapter, UnwritableDirectoryDoesNotOpen) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  fs::create_directory(dir.path() / "ro");
  fs::permissions(dir.path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(pgbegin(0, spec("ro/x.ps", "PS"), 1, 1), 0);
  EXPECT_NE(con.output().find("** PGBEGIN: cannot write plot file"), std::string::npos);
  fs::permissions(dir.path() / "ro", fs::perms::owner_all);
  EXPECT_TRUE(fs::is_empty(dir.path() / "ro"));
}

TEST_F(Adapter, FileNamesWithBlanksQuotesAndNoQuotes) {
  ASSERT_EQ(pgbegin(0, spec("my plot.ps", "PS"), 1, 1), 1);
  draw_test_plot();
  pgend();
  EXPECT_TRUE(complete_postscript(file_bytes(dir.file("my plot.ps"))));
  ASSERT_EQ(pgbegin(0, spec("it\"s.gif", "gif"), 1, 1), 1);
  draw_test_plot();
  pgend();
  EXPECT_TRUE(complete_gif(file_bytes(dir.file("it\"s.gif"))));
  ASSERT_EQ(pgbegin(0, dir.file("plain.ps") + "/VCPS", 1, 1), 1);
  draw_test_plot();
  pgend();
  EXPECT_TRUE(complete_postscript(file_bytes(dir.file("plain.ps"))));
}

TEST_F(Adapter, DefaultFileNamesInTheWorkingDirectory) {
  TempDir here(true);
  for (const char* device : {"/PS", "/GIF"}) {
    ASSERT_EQ(pgbegin(0, device, 1, 1), 1);
    draw_test_plot();
    pgend();
  }
  EXPECT_TRUE(complete_postscript(file_bytes(here.file("pgplot.ps"))));
  EXPECT_TRUE(complete_gif(file_bytes(here.file("pgplot.gif"))));
}

TEST_F(Adapter, SeveralPagesGiveOneGifPerPageAndOnePostScriptFile) {
  ASSERT_EQ(pgbegin(0, spec("pages.gif", "GIF"), 1, 1), 1);
  for (int page = 0; page < 3; ++page) draw_test_plot();
  pgend();
  for (const char* name : {"pages.gif", "pages_2.gif", "pages_3.gif"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(complete_gif(file_bytes(dir.file(name))));
    EXPECT_GT(image_ink(dir.file(name), true).ink, 3000);
  }
  EXPECT_NE(con.output().find(" Page 3 of the plot: " + dir.file("pages_3.gif")),
            std::string::npos);

  ASSERT_EQ(pgbegin(0, spec("pages.ps", "PS"), 1, 1), 1);
  for (int page = 0; page < 2; ++page) draw_test_plot();
  pgend();
  const std::string ps = file_bytes(dir.file("pages.ps"));
  EXPECT_TRUE(complete_postscript(ps));
  EXPECT_NE(ps.find("%%Pages: 2"), std::string::npos);
  EXPECT_EQ(names(),
            (std::set<std::string>{"pages.gif", "pages_2.gif", "pages_3.gif", "pages.ps"}));
}

TEST_F(Adapter, OpeningAnotherDeviceCompletesTheOpenPlot) {
  ASSERT_EQ(pgbegin(0, spec("first.ps", "PS"), 1, 1), 1);
  draw_test_plot();
  ASSERT_EQ(pgbegin(0, spec("second.ps", "PS"), 1, 1), 1);
  EXPECT_TRUE(complete_postscript(file_bytes(dir.file("first.ps"))));
  draw_test_plot();
  pgclos();
  EXPECT_TRUE(complete_postscript(file_bytes(dir.file("second.ps"))));
}

TEST_F(Adapter, IncompleteFilesAreNotKept) {
  // A PostScript file cut short (no "%%EOF" trailer) is not renamed into place.
  dir.write(".tmp.ps", "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n");
  EXPECT_FALSE(finish_postscript(dir.file(".tmp.ps"), dir.file("cut.ps")));
  EXPECT_NE(con.output().find("** ERROR: cannot write plot file " + dir.file("cut.ps")),
            std::string::npos);
  // A plot closed before anything was drawn leaves no empty image behind.
  ASSERT_EQ(pgbegin(0, spec("empty.gif", "GIF"), 1, 1), 1);
  pgend();
  EXPECT_TRUE(fs::is_empty(dir.path())) << *names().begin();
}

// Runs of dark rows in the image's columns x0..x1: (centre row, length).
std::vector<std::pair<double, int>> dark_runs(gdImagePtr im, int x0, int x1) {
  std::vector<std::pair<double, int>> runs;
  int start = -1;
  for (int y = 0; y <= gdImageSY(im); ++y) {
    bool dark = false;
    for (int x = x0; y < gdImageSY(im) && x <= x1 && !dark; ++x)
      dark = (gdImageGetTrueColorPixel(im, x, y) & 0xff) < 0x80;
    if (dark && start < 0) start = y;
    if (!dark && start >= 0) {
      runs.push_back({0.5 * (start + y - 1), y - start});
      start = -1;
    }
  }
  return runs;
}

// The tick rows just inside the right edge of the frame and the number
// labels left of the frame, of a plot of y from ylo (bottom) to yhi (top).
struct Axis {
  std::vector<std::pair<double, int>> ticks, labels;
  int height = 0;
};
Axis y_axis(const std::string& file, float ylo, float yhi) {
  EXPECT_EQ(pgbegin(0, "\"" + file + "\"/PNG", 1, 1), 1);
  pgscr(0, 1, 1, 1);
  pgscr(1, 0, 0, 0);
  pgenv(0, 1, ylo, yhi, 0, 0);
  pgend();
  Axis a;
  FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return a;
  gdImagePtr im = gdImageCreateFromPng(f);
  std::fclose(f);
  a.height = gdImageSY(im);
  // The frame's left and right edges: the columns that are dark over most of the height.
  int left = -1, right = -1;
  for (int x = 0; x < gdImageSX(im); ++x) {
    int n = 0;
    for (int y = 0; y < a.height; ++y) n += (gdImageGetTrueColorPixel(im, x, y) & 0xff) < 0x80;
    if (n > a.height / 2) {
      if (left < 0) left = x;
      right = x;
    }
  }
  a.ticks = dark_runs(im, right - 3, right - 3);
  a.labels = dark_runs(im, 0, left - 8);  // clear of the x axis numbers
  gdImageDestroy(im);
  return a;
}

TEST_F(Adapter, ReversedAxisIsTheMirrorImageOfTheNormalOne) {
  // Magnitudes grow downwards: the axis from 10 (bottom) to 1 (top) must
  // look like the axis from 1 to 10 turned upside down, ticks and numbers
  // alike ("10", the longest number, at the bottom).
  const Axis up = y_axis(dir.file("up.png"), 1, 10);
  const Axis down = y_axis(dir.file("down.png"), 10, 1);
  ASSERT_GE(up.ticks.size(), 6u);
  ASSERT_GE(up.labels.size(), 4u);
  for (auto [runs, mirrored] : {std::pair{&up.ticks, &down.ticks}, {&up.labels, &down.labels}}) {
    ASSERT_EQ(runs->size(), mirrored->size());
    const std::size_t n = runs->size();
    for (std::size_t i = 0; i < n; ++i) {
      const auto& a = (*runs)[i];
      const auto& b = (*mirrored)[n - 1 - i];
      EXPECT_NEAR(a.first, up.height - 1 - b.first, 2.0) << i;
      EXPECT_NEAR(a.second, b.second, 2) << i;
    }
  }
}

TEST(PlotFiles, PageNames) {
  EXPECT_EQ(page_name("dir/plot.gif", 2), "dir/plot_2.gif");
  EXPECT_EQ(page_name("plot", 3), "plot_3");
  EXPECT_EQ(page_name("a.b/plot.ps", 12), "a.b/plot_12.ps");
}

TEST(Colours, NamesOfTheSiteColours) {
  // Expected values: X11 rgb.txt, except olive and teal (web colours) and
  // skin and amber (no X11 name).
  struct Case {
    const char* name;
    int r, g, b;
  };
  const Case cases[] = {
      {"black", 0, 0, 0},
      {"maroon", 176, 48, 96},
      {"cyan", 0, 255, 255},
      {"darkgreen", 0, 100, 0},
      {"turquoise", 64, 224, 208},
      {"orange", 255, 165, 0},
      {"green", 0, 255, 0},
      {"magenta", 255, 0, 255},
      {"navy", 0, 0, 128},
      {"skin", 255, 205, 148},
      {"grey", 190, 190, 190},
      {"purple", 160, 32, 240},
      {"darkred", 139, 0, 0},
      {"olive", 128, 128, 0},
      {"blue", 0, 0, 255},
      {"teal", 0, 128, 128},
      {"dark sea green", 143, 188, 143},
      {"lightblue", 173, 216, 230},
      {"amber", 255, 191, 0},
      {"slate grey", 112, 128, 144},
      {"Slate Gray", 112, 128, 144},
      {"DarkSeaGreen", 143, 188, 143},
      {"  GRAY ", 190, 190, 190},
      {"white", 255, 255, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    float r = -1, g = -1, b = -1;
    ASSERT_TRUE(colour_rgb(c.name, r, g, b));
    EXPECT_FLOAT_EQ(r * 255, static_cast<float>(c.r));
    EXPECT_FLOAT_EQ(g * 255, static_cast<float>(c.g));
    EXPECT_FLOAT_EQ(b * 255, static_cast<float>(c.b));
  }
  float r = -1, g = -1, b = -1;
  for (const char* unknown : {"", "mauve-ish", "dark", "greenish"}) {
    EXPECT_FALSE(colour_rgb(unknown, r, g, b)) << unknown;
  }
  EXPECT_EQ(r, -1);
}

TEST_F(Adapter, UnknownColourNameLeavesTheColour) {
  ASSERT_EQ(pgbegin(0, "/NULL", 1, 1), 1);
  int ier = -1;
  pgscrn(17, "Dark Sea Green", ier);
  EXPECT_EQ(ier, 0);
  pgscrn(17, "no such colour", ier);
  EXPECT_EQ(ier, 1);
  pgsci(17);
  int ci = 0;
  pgqci(ci);
  EXPECT_EQ(ci, 17);
}

TEST_F(Adapter, TextOutsideAsciiLeavesTheRestOfThePlot) {
  // A byte of a multi-byte character put the library's text renderer into an
  // error state in which nothing more was drawn.
  ASSERT_EQ(pgbegin(0, spec("text.png", "PNG"), 1, 1), 1);
  pgenv(0, 1, 0, 1, 0, 0);
  pglabel("temps (jours)", "magnitude",
          "donn\xc3\xa9"
          "es \xe2\x97\x8f");
  pgmtxt("T", -2, 0.5f, 0.5f, "\xc3\xa9t\xc3\xa9");
  pgsci(2);
  pgslw(10);
  pgmove(0.1f, 0.5f);
  pgdraw(0.9f, 0.5f);
  pgend();
  const test::Picture p(dir.file("text.png"), false);
  EXPECT_GT(p.count(test::reddish), 1000);
}

TEST_F(Adapter, MarkerCodesInTextShowAsMarkers) {
  // A text of one character whose code is a marker number shows the marker
  // just before where a text would start; a control character inside a
  // longer text draws nothing of its own.
  auto draw = [&](const std::string& name, const std::string& text) {
    EXPECT_EQ(pgbegin(0, spec(name, "PNG"), 1, 1), 1);
    pgenv(0, 1, 0, 1, 0, -2);
    pgsci(2);
    pgmtxt("T", -2, 0.5f, 0, text);
    pgend();
    return test::Picture(dir.file(name), false);
  };
  const test::Picture marker = draw("marker.png", std::string(1, '\x11'));
  const int half = marker.width / 2;
  EXPECT_GT(marker.count(test::reddish, 0, 0, half - 1, marker.height / 2), 8);
  EXPECT_EQ(marker.count(test::inked, half, 0, marker.width - 1, marker.height - 1), 0);
  const test::Picture plain = draw("plain.png", "AB");
  const test::Picture control = draw("control.png",
                                     "A\x01\x11"
                                     "B");
  EXPECT_GT(plain.count(test::inked), 50);
  EXPECT_EQ(control.count(test::inked), plain.count(test::inked));
}

TEST_F(Adapter, PanelsLeaveRoomForTitlesAndLabels) {
  // Three panels down a page, as the plot menu draws them: every title,
  // label and number stays inside its own panel, so the rows where panels
  // meet and the edges of the page stay blank.
  for (const char* type : {"PNG", "VGIF"}) {
    SCOPED_TRACE(type);
    const bool gif = std::string(type) == "VGIF";
    const std::string name = gif ? "panels.gif" : "panels.png";
    ASSERT_EQ(pgbegin(0, spec(name, type), 1, 3), 1);
    pgsch(1.5f);
    for (int k = 0; k < 3; ++k) {
      pgenv(0, 10, 20, 15, 0, 0);
      pglabel("HJD - 2450000", "OGLE mag", "OB-08-123 A\\d0\\u=10.0 P\\d0\\u=14");
    }
    pgend();
    const test::Picture p(dir.file(name), gif);
    ASSERT_GT(p.height, 0);
    const int panel = p.height / 3;
    for (int y : {0, panel - 1, panel, 2 * panel - 1, 2 * panel, p.height - 1})
      EXPECT_EQ(p.count(test::inked, 0, y, p.width - 1, y), 0) << "row " << y;
    EXPECT_EQ(p.count(test::inked, 0, 0, 0, p.height - 1), 0);
    EXPECT_EQ(p.count(test::inked, p.width - 1, 0, p.width - 1, p.height - 1), 0);
    for (int k = 0; k < 3; ++k)
      EXPECT_GT(p.count(test::inked, 0, k * panel, p.width - 1, (k + 1) * panel - 1), 1500) << k;
  }
}

TEST_F(Adapter, HistogramIsAStepLineWithoutFill) {
  // Bins centred on x = 1 .. 4 with tops 0.2, 0.8, 0.5, 0.2 in a window
  // [0, 5] x [0, 1] over the whole 800 x 600 image: 160 pixels per unit
  // across, 600 down.
  ASSERT_EQ(pgbegin(0, spec("bin.png", "PNG"), 1, 1), 1);
  pgpage();
  pgsvp(0, 1, 0, 1);
  pgswin(0, 5, 0, 1);
  pgsci(1);
  const float x[4] = {1, 2, 3, 4}, top[4] = {0.2f, 0.8f, 0.5f, 0.2f};
  pgbin(4, x, top, true);
  pgend();
  const test::Picture p(dir.file("bin.png"), false);
  auto inked_near = [&](float wx, float wy) {
    const int col = static_cast<int>(wx / 5 * 800), row = static_cast<int>((1 - wy) * 600);
    return p.count(test::inked, col - 2, row - 2, col + 2, row + 2) > 0;
  };
  // Tops from the first bin's left edge to the last one's right edge, and
  // the risers between them.
  for (auto [wx, wy] : {std::pair{0.6f, 0.2f},
                        {2.0f, 0.8f},
                        {3.0f, 0.5f},
                        {4.4f, 0.2f},
                        {1.5f, 0.5f},
                        {2.5f, 0.65f},
                        {3.5f, 0.3f}})
    EXPECT_TRUE(inked_near(wx, wy)) << wx << "," << wy;
  // Nothing under the tops (no fill) and nothing beyond the ends.
  for (auto [wx, wy] : {std::pair{2.0f, 0.4f}, {3.0f, 0.1f}, {0.2f, 0.2f}, {4.8f, 0.2f}})
    EXPECT_FALSE(inked_near(wx, wy)) << wx << "," << wy;
}

TEST_F(Adapter, GreyscaleRunsFromBackgroundToForegroundEitherWay) {
  // Two pixels, values 0 and 1, filling the left and right halves of a
  // white page: the value at fg is black, the one at bg white, whichever is larger.
  const float a[2] = {0, 1};
  const float tr[6] = {-0.5f, 1, 0, -0.5f, 0, 1};  // pixel (i, 1) over x = i - 1 .. i
  for (float fg : {0.0f, 1.0f}) {
    SCOPED_TRACE(fg);
    ASSERT_EQ(pgbegin(0, spec("gray.png", "PNG"), 1, 1), 1);
    pgscr(0, 1, 1, 1);
    pgscr(1, 0, 0, 0);
    pgpage();
    pgsvp(0, 1, 0, 1);
    pgswin(0, 2, 0, 1);
    pggray(a, 2, 1, 1, 2, 1, 1, fg, 1 - fg, tr);
    pgend();
    const test::Picture p(dir.file("gray.png"), false);
    const int zero = p.rgb(200, 300), one = p.rgb(600, 300);
    const int black = fg == 0 ? zero : one, white = fg == 0 ? one : zero;
    EXPECT_LT(std::max({black >> 16 & 0xff, black >> 8 & 0xff, black & 0xff}), 0x10) << black;
    EXPECT_EQ(white, 0xffffff);
  }
}

}  // namespace
}  // namespace zolka
