#include "graphics/map_display.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "detect/chi2map.h"
#include "detect/grids.h"
#include "detect/map_profiles.h"
#include "fit/captions.h"
#include "graphics/device.h"
#include "graphics/image_paths.h"
#include "graphics/lens_plane.h"
#include "graphics/light_curve.h"
#include "graphics/pgplot.h"
#include "graphics/planet_marker.h"
#include "lens/planet_geometry.h"
#include "lens/point_images.h"
#include "numeric/angles.h"
#include "numeric/rounding.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"
#include "shell/model/stacks.h"
#include "shell/model/time_axis.h"

namespace zolka {

namespace {

constexpr float ln10 = 2.3025851f;  // natural log of 10
constexpr float strong = 25;        // delta chi-square above which the profiles are drawn
constexpr int fitcolour = 3;        // colour index of the best planet and the profiles
constexpr int cpucolour = 4;        // colour index of the CPU note
constexpr float wedgedisp = 0.2f;   // the wedge's gap from the frame, character heights
constexpr float wedgewidth = 3.0f;  // the wedge's width, character heights
constexpr float wedgeroom = 2.0f;   // extra right margin for the wedge's numbers, character heights
constexpr float profilesize = 0.1f;  // height of a profile's peak, fraction of the window

bool map_kind(const std::string& o) {
  return o == "XY" || o == "UA" || o == "TF" || o == "FQ";
}

// CPU seconds of the cached map of the kind; -1 for another kind.
float map_cpu(const std::string& o) {
  const ProgramState& s = state();
  if (o == "XY") return s.cpuxy;
  if (o == "UA") return s.cpuua;
  if (o == "TF") return s.cputf;
  if (o == "FQ") return s.cpufq;
  return -1;
}

// Step between the n values of an axis, first to last: (last - first)/max(n - 1, 1).
float axis_step(const Vec1<float>& axis, int n) {
  return (axis(n) - axis(1)) / static_cast<float>(std::max(n - 1, 1));
}

// The window of the map: its axis values and half a pixel more on each side.
struct Window {
  float x1, x2, y1, y2;
  // A line across the window at second-axis value y, and one at first-axis value x.
  void hline(float y) const {
    if (!std::isfinite(y)) return;
    pgmove(x1, y);
    pgdraw(x2, y);
  }
  void vline(float x) const {
    if (!std::isfinite(x)) return;
    pgmove(x, y1);
    pgdraw(x, y2);
  }
};

// A histogram along the left edge: bin j spans second-axis values
// y(j) -+ w/2 at first-axis value v(j), drawn as one step line (the form
// pgbin draws along the bottom edge, turned on its side).
void side_histogram(int n, const Vec1<float>& y, const Vec1<float>& v, float w) {
  for (int j = 1; j <= n; ++j) {
    if (j == 1)
      pgmove(v(j), y(j) - w / 2);
    else
      pgdraw(v(j), y(j) - w / 2);
    pgdraw(v(j), y(j) + w / 2);
  }
}

// The likelihood profiles: post_1 along the bottom edge and post_2 along the
// left edge, each peaking at profilesize of the window.
void draw_profiles(const Window& win, float w2) {
  ProgramState& s = state();
  const int n1 = s.n_1, n2 = s.n_2;
  Vec1<float>& h1 = s.plot(1);
  Vec1<float>& h2 = s.plot(2);
  if (h1.size() < n1) h1.resize(n1);
  if (h2.size() < n2) h2.resize(n2);
  for (int k = 1; k <= n1; ++k) h1(k) = win.y1 + profilesize * (win.y2 - win.y1) * s.post_1(k);
  for (int j = 1; j <= n2; ++j) h2(j) = win.x1 + profilesize * (win.x2 - win.x1) * s.post_2(j);
  pgsci(fitcolour);
  pgbin(n1, s.par_1.data(), h1.data(), true);
  side_histogram(n2, s.par_2, h2, w2);
}

// The best map pixel's planet: its position above the frame and dashed lines
// through it; then the user's planet, restored, gets its marker.
void draw_best_planet(const std::string& o, const Window& win) {
  ProgramState& s = state();
  saveplanet();
  s.qpl = s.qplfit;
  setplxy(s.xplfit, s.yplfit);
  std::string pos;
  title_plpos(pos);
  pgsci(s.kolor_label);
  pgmtxt("t", 0.5f, 0.5f, 0.5f, pos);
  const Crosshair c = crosshair(o);
  pgsci(fitcolour);
  pgsls(2);
  for (int k = 0; k < c.ny; ++k) win.hline(c.y[k]);
  win.vline(c.x);
  pgsls(1);
  restoreplanet();
  planet(o);
}

}  // namespace

Crosshair crosshair(std::string_view opt) {
  const ProgramState& s = state();
  const std::string o(trimmed(upcase(opt)));
  Crosshair c;
  c.ny = 1;
  if (o == "XY") {
    c.x = s.xpl;
    c.y[0] = s.ypl;
  } else if (o == "TF") {
    c.x = s.tpl;
    c.y[0] = s.fpl;
  } else if (o == "FQ") {
    c.x = s.fpl;
    c.y[0] = std::log10(s.qpl);
  } else if (o == "UA") {
    // The azimuth axis spans one turn from -90 degrees; of the planet's
    // azimuth one turn down, as it is, and one turn up, one lies on it.
    const float a = rad2deg(s.apl);
    c.x = std::log10(s.upl);
    c.ny = 3;
    c.y[0] = a - 360;
    c.y[1] = a;
    c.y[2] = a + 360;
  } else {
    c.x = std::numeric_limits<float>::quiet_NaN();
    c.ny = 0;
  }
  return c;
}

void gridfit(std::string_view opt) {
  ProgramState& s = state();
  const std::string o(trimmed(upcase(opt)));
  say("gridfit( ", o, " ) ***********");
  if (!map_kind(o)) {
    diag("** INVALID OPTION gridfit( ", o, " )");
    empty_panel();
    return;
  }
  if (s.ndata < 1) {
    diag("** WARNING gridfit( ", o, " ): no data to map.  :((((");
    empty_panel();
    return;
  }
  xcalc();
  lcalc(s.ndata, s.x_t.data(), s.y0);
  if (!gridbox(o)) {
    empty_panel();
    return;
  }
  chi2map(o);
  drawmap(o);
}

void drawmap(std::string_view opt) {
  ProgramState& s = state();
  const std::string o(trimmed(upcase(opt)));
  if (!map_kind(o)) {
    diag("** INVALID OPTION gridfit( ", o, " )");
    empty_panel();
    return;
  }
  const MapRange range = map_profiles();
  if (range.npix < 1) {
    diag("** ERROR gridfit( ", o, " ): the map is empty.  :((((");
    empty_panel();
    return;
  }
  const int n1 = s.n_1, n2 = s.n_2;
  const std::string l1 = o.substr(0, 1), l2 = o.substr(1, 1);

  // Axes, and the window over the pixels' edges. An axis of one point gets a
  // pixel one unit wide.
  const float d1 = axis_step(s.par_1, n1), d2 = axis_step(s.par_2, n2);
  say(l1 + ":", n1, s.par_1(1), s.par_1(n1), d1);
  say(l2 + ":", n2, s.par_2(1), s.par_2(n2), d2);
  const float w1 = d1 != 0 ? d1 : 1.0f, w2 = d2 != 0 ? d2 : 1.0f;
  std::string timelabel;
  if (o == "TF") {
    float tmn = 0, tmx = 0;
    timeaxis(tmn, tmx, timelabel);
  }
  Window win{s.par_1(1) - w1 / 2, s.par_1(n1) + w1 / 2, s.par_2(1) - w2 / 2, s.par_2(n2) + w2 / 2};
  say("x", win.x1, win.x2, " y", win.y1, win.y2);

  // Frame. The u,a panel has the shape of its window in ln u and radians, so
  // that a planet's round zone looks round.
  pgsci(s.kolor_window);
  if (o == "UA") {
    win.y1 = static_cast<float>(nint(win.y1)) + 0.01f;
    win.y2 = static_cast<float>(nint(win.y2)) - 0.02f;
    pgpage();
    pgvstd();
    pgwnad(0, std::fabs(win.x2 - win.x1) * ln10, 0, deg2rad(std::fabs(win.y2 - win.y1)));
    pgswin(win.x1, win.x2, win.y1, win.y2);
    pgbox("bcnstl", 0, 0, "bcnst", 90, 3);
  } else if (o == "XY") {
    pgenv(win.x1, win.x2, win.y1, win.y2, 1, 0);
  } else {
    // Independent scales; the standard viewport gives up room at the right
    // for the wedge's numbers, which would otherwise run off the page.
    pgpage();
    pgvstd();
    float vx1 = 0, vx2 = 0, vy1 = 0, vy2 = 0, xch = 0, ych = 0;
    pgqvp(vx1, vx2, vy1, vy2);
    pgqcs(xch, ych);
    pgsvp(vx1, std::max(vx2 - wedgeroom * xch, 0.5f * (vx1 + vx2)), vy1, vy2);
    pgswin(win.x1, win.x2, win.y1, win.y2);
    pgbox("bcnst", 0, 0, o == "FQ" ? "bcnstl" : "bcnst", 0, 0);
  }

  // Labels and title.
  const char* xlabel = "x/R\\dE\\u";
  const char* ylabel = "y/R\\dE\\u";
  if (o == "TF") {
    xlabel = timelabel.c_str();
    ylabel = "f = ( u\\dp\\u / u\\di\\u )";
  } else if (o == "FQ") {
    xlabel = "f = ( u\\dp\\u / u\\di\\u )";
    ylabel = "q = m / M";
  } else if (o == "UA") {
    xlabel = "r/r\\dE\\u";
    ylabel = "\\ga (degrees)";
  }
  std::string title;
  title_event(title);
  title_q(title);
  title_delchi2(title);
  title_best(title);
  pgsci(s.kolor_label);
  pglabel(xlabel, ylabel, title);

  // Greyscale: pixel (i, j) at (par_1(i), par_2(j)).
  const float tr[6] = {s.par_1(1) - w1, w1, 0, s.par_2(1) - w2, 0, w2};
  const float lo = std::max(s.chi2fit - s.delchi2, 0.0f);
  float hi = s.chi2fit + s.delchi2;
  if (!(hi > lo)) hi = lo + 1;  // a threshold of zero still needs two distinct levels
  say("Chi2( ", l1, ", ", l2, " )", range.chi2min, range.chi2max, " chi2fit", s.chi2fit);
  float fg = lo, bg = hi;
  if (o == "FQ") {
    fg = 1;
    bg = 0;
    pggray(s.post_12.data(), n1, n2, 1, n1, 1, n2, fg, bg, tr);
  } else {
    say(n1, n2, " greyscale bg", lo, " fg", hi);
    pggray(s.chi2_12.data(), n1, n2, 1, n1, 1, n2, fg, bg, tr);
  }
  pgsci(s.kolor_window);
  pgwedg("RG", wedgedisp, wedgewidth, fg, bg, "");

  // The reference fit of the map, inside the top right corner.
  std::string fit = "fit";
  append_i(fit, s.mapfit);
  append(fit, "tweak");
  append_i(fit, s.maptweak);
  std::string chi = "\\gx\\u2\\d";
  append_f(chi, s.chi2ref, "(f10.2)");
  append(chi, "/");
  append_i(chi, s.mapdof);
  pgsci(s.kolor_label);
  pgsch(0.7f * s.csize);
  pgmtxt("T", -1.5f, 0.98f, 1.0f, fit);
  pgmtxt("T", -3.0f, 0.98f, 1.0f, chi);
  pgsch(s.csize);

  // The frame again, over the greyscale.
  pgsci(s.kolor_window);
  if (o == "UA") {
    pgbox("bcstl", 0, 0, "bcst", 90, 3);
  } else if (o == "FQ") {
    pgbox("bcst", 0, 0, "bcstl", 0, 0);
    // Contours of 1, 2 and 3 sigma in two parameters' worth of chi-square.
    const float dlevel[3] = {1, 4, 9};
    for (int k = 0; k < 3; ++k) {
      const float level = range.chi2min + dlevel[k];
      pgsci(k + 1);
      pgcont(s.chi2_12.data(), n1, n2, 1, n1, 1, n2, &level, 1, tr);
    }
    pgsci(s.kolor_window);
  } else {
    pgbox("bcst", 0, 0, "bcst", 0, 0);
  }

  // Reference lines.
  if (o == "TF") {
    pgsls(4);
    for (float f : {-1.0f, 0.0f, 1.0f}) win.hline(f);
    marktime(win.y1, win.y2);
    pgsls(1);
    pgsci(s.kolor_now);
    marknow(win.y1, win.y2);
    pgsci(s.kolor_window);
  } else if (o == "UA") {
    win.hline(-90);
    win.hline(90);
    // The source's azimuth at tau = -1, 0, 1, and the minor image's opposite it.
    pgsls(4);
    for (float tau : {-1.0f, 0.0f, 1.0f}) {
      const float a = xy2deg(tau, s.y0);
      win.hline(a);
      win.hline(a - 180);
    }
    pgsls(1);
    win.vline(0);
  } else if (o == "FQ") {
    pgsls(4);
    for (float f : {-1.0f, 0.0f, 1.0f}) win.vline(f);
    pgsls(1);
  }

  pgsci(cpucolour);
  pgcpu(map_cpu(o));

  // The Einstein ring and the image tracks.
  pgsci(s.kolor_model);
  ering(o);
  if (o == "UA") {
    impathal(win.y1, win.y2, 360, 4, 4);
  } else if (o == "XY") {
    impaths(4, 4);
  } else if (o == "TF") {
    pgsls(4);
    for (float f : {-1.0f, 0.0f, 1.0f}) win.hline(f);
    pgsls(1);
  }

  if (s.dchi2fit > s.delchi2) draw_best_planet(o, win);
  if (s.dchi2fit > strong) draw_profiles(win, w2);

  // The tracks drawn above took the data's image positions.
  if (s.ndata > 0) {
    xcalc();
    lcalc(s.ndata, s.x_t.data(), s.y0);
  }
}

}  // namespace zolka
