// Plot devices X and W on a real X server: scripts/xvfb-plot starts a private
// Xvfb display and runs this test program's XWindowInner tests there, which
// plot through the device dialogue (and the plot menu) and read the window's
// pixels back. Skips when Xvfb is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "graphics/device.h"
#include "graphics/pgplot.h"
#include "graphics/plot_menu.h"
#include "graphics/site_style.h"
#include "plot_checks.h"
#include "shell/core/console.h"
#include "shell/core/state.h"
#include "sim/store_event.h"
#include "support/support.h"

#ifdef ZOLKA_TEST_X11
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

namespace zolka {
namespace {

namespace fs = std::filesystem;

TEST(XWindow, DrawsOnXvfb) {
  if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) GTEST_SKIP() << "Xvfb not installed";
  test::TempDir dir;
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const std::string log = dir.file("xvfb.log");
  const std::string cmd = "ZOLKA_XVFB_INNER=1 '" + test::source_dir() + "/scripts/xvfb-plot' '" +
                          self + "' --gtest_filter='XWindowInner.*' >'" + log + "' 2>&1";
  const int rc = std::system(cmd.c_str());
  const std::string out = test::file_bytes(log);
  EXPECT_EQ(rc, 0) << out;
  EXPECT_NE(out.find("[  PASSED  ] 2 tests."), std::string::npos) << out;
  EXPECT_EQ(out.find("SKIPPED"), std::string::npos) << out;
}

#ifdef ZOLKA_TEST_X11
// What the X server shows: the viewable top-level windows, and the white and
// dark pixels of the first of them.
struct Screen {
  int windows = 0;
  bool marked = false;  // the first window has the name look() gave it before
  long white = 0;
  long dark = 0;
};

int ignore_x_errors(Display*, XErrorEvent*) {
  return 0;
}

// With mark, the first window is named so that a later look can tell it again.
constexpr char markname[] = "zolka test mark";
Screen look(bool mark = false) {
  Screen s;
  Display* dpy = XOpenDisplay(nullptr);
  if (dpy == nullptr) return s;
  XSetErrorHandler(ignore_x_errors);
  Window root = DefaultRootWindow(dpy), parent = 0, *children = nullptr;
  unsigned n = 0;
  XQueryTree(dpy, root, &root, &parent, &children, &n);
  for (unsigned i = 0; i < n; ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, children[i], &a) || a.map_state != IsViewable || a.width < 100)
      continue;
    if (++s.windows > 1) continue;
    char* name = nullptr;
    if (XFetchName(dpy, children[i], &name) && name) {
      s.marked = std::string(name) == markname;
      XFree(name);
    }
    if (mark) {
      XStoreName(dpy, children[i], markname);
      XSync(dpy, False);
    }
    XImage* im = XGetImage(dpy, children[i], 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (im == nullptr) continue;
    for (int y = 0; y < a.height; ++y)
      for (int x = 0; x < a.width; ++x) {
        const unsigned long p = XGetPixel(im, x, y) & 0xffffff;
        if (p == 0xffffff) ++s.white;
        if ((p >> 16 & 0xff) < 0x40 && (p >> 8 & 0xff) < 0x40 && (p & 0xff) < 0x40) ++s.dark;
      }
    XDestroyImage(im);
  }
  if (children) XFree(children);
  XCloseDisplay(dpy);
  return s;
}

// Waits (up to five seconds) for the server to show what the plot drew. The
// mark is read at the first look that finds a window: later looks would see
// the mark this call itself left.
Screen look_for(int windows, bool drawn, bool mark = false) {
  Screen s;
  bool seen = false, marked = false;
  for (int i = 0; i < 100; ++i) {
    s = look(mark);
    if (!seen && s.windows > 0) {
      seen = true;
      marked = s.marked;
    }
    if (s.windows == windows && (!drawn || (s.dark > 500 && s.white > s.dark))) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  s.marked = marked;
  return s;
}
#endif

void draw(const char* title) {
  pgkolors();
  pgenv(0, 10, 0, 1.2f, 0, 0);
  pglabel("time (days)", "flux", title);
  Vec1<float> x(200), y(200);
  for (int i = 1; i <= 200; ++i) {
    x(i) = 0.05f * static_cast<float>(i - 1);
    y(i) = 1.0f / (1.0f + (x(i) - 5) * (x(i) - 5));
  }
  pgslw(3);
  pgline(200, x, y);
  pgslw(1);
}

// pgstart on the given replies; fails the test, showing the dialogue, when
// the replies run out before a device opens.
void start(const std::string& replies, int& isnew) {
  test::CapturedConsole con(replies);
  int nx = 1, ny = 1;
  try {
    pgstart(nx, ny, isnew);
  } catch (const EndOfInput&) {
    ADD_FAILURE() << "no device opened:\n" << con.output();
  }
}

TEST(XWindowInner, PlotsStayOnShowUntilTheNextDevice) {
  if (std::getenv("ZOLKA_XVFB_INNER") == nullptr)
    GTEST_SKIP() << "runs on the display of scripts/xvfb-plot (see XWindow.DrawsOnXvfb)";
  test::fresh_state();
  test::TempDir dir;
  int isnew = 0;
  const char* const letters[] = {"X\n", "X\n", "W\n"};
  for (const char* const& letter : letters) {
    SCOPED_TRACE(letter);
    start(letter, isnew);
    ASSERT_EQ(isnew, 1);
    EXPECT_EQ(state().pgdev.kind, PgDevice::screen);
    draw("X window test");
    pgstop();
    // The page stays in its window after the plot is closed. The next plot on
    // the same device draws in the same window; another letter gets a new one.
#ifdef ZOLKA_TEST_X11
    const Screen s = look_for(1, true, true);
    EXPECT_EQ(s.windows, 1);
    EXPECT_GT(s.dark, 500);
    EXPECT_GT(s.white, s.dark);
    EXPECT_EQ(s.marked, &letter == &letters[1]);
#endif
  }
  // A file plot takes the window off the screen first.
  start("P\n" + dir.file("after.ps") + "\n\n", isnew);
  ASSERT_EQ(isnew, 1);
#ifdef ZOLKA_TEST_X11
  EXPECT_EQ(look_for(0, false).windows, 0);
#endif
  draw("after the window");
  pgstop();
  EXPECT_TRUE(test::complete_postscript(test::file_bytes(dir.file("after.ps"))));
  closeplot();
}

TEST(XWindowInner, LightCurveFromThePlotMenu) {
  if (std::getenv("ZOLKA_XVFB_INNER") == nullptr)
    GTEST_SKIP() << "runs on the display of scripts/xvfb-plot (see XWindow.DrawsOnXvfb)";
  test::fresh_state();
  siteicons();
  sim::SimEvent ev;
  ev.t0 = 4567.8;
  ev.te = 25;
  ev.u0 = 0.1f;
  ev.seed = 3;
  ev.sites = {{'O', 200, 17.2f, 0.3f, 'I', 1.0f}, {'Z', 100, 17.0f, 0.1f, 'I', 1.0f}};
  test::CapturedConsole con("X\n\n");
  sim::store_event(ev);
  ProgramState& s = state();
  s.hjd0 = 2454567.8;
  s.te = 25;
  s.y0 = 0.1f;
  mplot("M");
  EXPECT_NE(con.output().find(" magplot **************** ndata 300"), std::string::npos);
#ifdef ZOLKA_TEST_X11
  // Frame, labels, the data of both sites and the model on a white page.
  const Screen shown = look_for(1, true);
  EXPECT_EQ(shown.windows, 1);
  EXPECT_GT(shown.dark, 2000);
  EXPECT_GT(shown.white, shown.dark);
#endif
  closeplot();
}

}  // namespace
}  // namespace zolka
