#include "graphics/legend.h"

#include <cmath>

#include "fit/captions.h"
#include "graphics/pgplot.h"
#include "graphics/plot_numbers.h"
#include "graphics/site_style.h"
#include "lens/point_lens.h"
#include "numeric/rounding.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"
#include "shell/model/current_site.h"

namespace zolka {

namespace {

constexpr float legendsize = 0.75f;  // legend height relative to csize
constexpr float firstdisp = -0.5f;   // displacement above the first line, character heights
constexpr float linestep = 1.5f;     // distance between lines, character heights
constexpr float legendx = 0.05f;     // left end of the lines, fraction of the panel width

// "t0= 4567.800 tE= 25.00d t1/2= 2.5d": the peak, the time scale and the
// half-width of the peak (days, or hours below one day).
std::string peak_line(const ProgramState& s) {
  std::string t = "t\\d0\\u=";
  append_f(t, s.hjd0 - s.mjd0, "(f11.3)");
  append(t, "t\\dE\\u=");
  append_f(t, s.te, "(f11.2)");
  t += "d";
  append(t, "t\\d1/2\\u=");
  const float half = s.te * thalf(s.a0);
  if (half >= 100) {
    append_i(t, nint(half));
    t += "d";
  } else if (half >= 1) {
    append_f(t, half, "(f11.1)");
    t += "d";
  } else {
    append_f(t, 24 * half, "(f11.1)");
    t += "h";
  }
  noeqbl(t);
  return t;
}

// "u0= 0.100 A0= 10.04 = 2.50mag"; sets a0 and delmag.
std::string lens_line(ProgramState& s) {
  std::string t = "u\\d0\\u=";
  append_f(t, s.y0, s.y0 < 0.01f ? "(f11.4)" : s.y0 >= 0.1f ? "(f11.2)" : "(f11.3)");
  s.a0 = atotl(s.y0);
  append(t, "A\\d0\\u=");
  append_magnification(t, s.a0, 100, 1000);
  s.delmag = 2.5f * std::log10(s.a0);
  append(t, "=");
  append_f(t, s.delmag, "(f11.2)");
  t += "mag";
  noeqbl(t);
  return t;
}

// The error model of site i, made current: name, magnitude, blend,
// systematic error (where it differs from site 1's), baseline noise, error
// scale with its prior, and the seeing coefficient when seeing is corrected.
std::string site_line(ProgramState& s, int i) {
  setsite(i);
  std::string t(trimmed(s.site));
  append(t, i == 1 ? "m\\d0\\u=" : "m-m\\d0\\u=");
  append_f(t, i == 1 ? s.smag0 : s.addmag, "(f11.2)");
  if (s.b0 != 0) {
    append(t, "b=");
    append_f(t, s.b0, "(f11.2)");
  }
  if (s.syserr != 0 && (i == 1 || s.syserr != s.syserr_l(1))) {
    append_f(t, 100 * s.syserr, "(f11.1)");
    t += "%";
  }
  if (s.sigmag0 != 0) {
    append(t, "\\gs\\d0\\u=");
    append_f(t, s.sigmag0, "(f11.2)");
  }
  if (s.erbscl != 1) {
    append(t, "f=");
    append_f(t, s.erbscl, "(f11.2)");
    if (s.siglogf > 0) {
      append(t, "logf=");
      if (s.avglogf != 0) append_f(t, s.avglogf, "(f11.2)");
      append(t, "\\(2233)");
      append_f(t, s.siglogf, "(f11.2)");
    }
  }
  if (s.ksee != 0) {
    append(t, "c=");
    append_f(t, s.seefac_l(i), "(f10.2)");
  }
  noeqbl(t);
  return t;
}

}  // namespace

std::vector<LegendLine> legend_lines() {
  ProgramState& s = state();
  std::vector<LegendLine> lines;
  if (s.ndata > 0) {
    std::string t;
    title_chi2(t);
    lines.push_back({t});
  }
  lines.push_back({peak_line(s)});
  lines.push_back({lens_line(s)});
  if (s.nloc >= 1) {
    for (int i = 1; i <= s.nloc; ++i) {
      if (s.ndat_l(i) <= 0) continue;
      LegendLine l{site_line(s, i), i};
      // Several sites: the site's marker stands in front of its line.
      if (s.nloc > 1) {
        l.symbol = s.isymb_l(i);
        l.text = " " + l.text;
      }
      lines.push_back(l);
    }
    setsite(1);
  } else {
    std::string t = "m\\d0\\u=";
    append_f(t, s.smag0, "(f11.2)");
    append(t, "b=");
    append_f(t, s.b0, "(f11.2)");
    noeqbl(t);
    lines.push_back({t});
  }
  return lines;
}

void legend() {
  ProgramState& s = state();
  say("legend *************");
  pgsch(legendsize * s.csize);
  float disp = firstdisp;
  for (const LegendLine& l : legend_lines()) {
    disp -= linestep;
    if (l.site == 0) {
      pgmtxt("t", disp, legendx, 0, l.text);
      continue;
    }
    int ci = 1;
    pgqci(ci);
    int k = s.kolor_l(l.site);
    siteci(l.site, k);
    pgsci(k);
    // A one-character text whose code is a marker number shows that marker.
    if (l.symbol != 0) pgmtxt("t", disp, legendx, 0, std::string(1, static_cast<char>(l.symbol)));
    pgmtxt("t", disp, legendx, 0, l.text);
    pgsci(ci);
  }
  legend_planet('B');
  pgsch(s.csize);
}

void legend_planet(char opt) {
  const ProgramState& s = state();
  const char side = opt >= 'a' && opt <= 'z' ? static_cast<char>(opt - 'a' + 'A') : opt;
  say("legend_planet ****** qxy:", s.qpl, s.xpl, s.ypl);
  if (!(s.qpl > 0 && s.xpl * s.xpl + s.ypl * s.ypl < 100)) return;
  std::string t;
  title_planet(t);
  noeqbl(t);
  if (side == 'B')
    pgmtxt("b", -0.5f, 0.5f, 0.5f, t);
  else if (side == 'T')
    pgmtxt("t", 0.5f, 0.5f, 0.5f, t);
}

}  // namespace zolka
