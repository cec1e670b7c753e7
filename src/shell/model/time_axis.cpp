#include "shell/model/time_axis.h"

#include <algorithm>
#include <cmath>

#include "lens/point_lens.h"
#include "numeric/rounding.h"
#include "shell/core/format.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"
#include "shell/model/now.h"

namespace zolka {

std::string nowmark() {
  ProgramState& s = state();
  int iyr = 0, imon = 0, iday = 0, ihr = 0, imin = 0, isec = 0;
  now(iyr, imon, iday, ihr, imin, isec);
  std::string text = "UT " + fmt_i(iyr, 4) + "-" + fmt_i(imon, 2, 2) + "-" + fmt_i(iday, 2, 2) +
                     " " + fmt_i(ihr, 2, 2) + ":" + fmt_i(imin, 2, 2) + ":" + fmt_i(isec, 2, 2);
  // Time since the peak: days, or hours within a day of it.
  double dt = s.hjdnow - s.hjd0;
  const bool hours = std::fabs(dt) <= 1;
  if (hours) dt *= 24;
  const float a = static_cast<float>(std::fabs(dt));
  append(text, " = t\\d0\\u");
  append(text, dt >= 0 ? " +" : " -");
  if (a > 9.9f)
    append_i(text, nint(a));
  else
    append_f(text, a, a > 0.99f ? "(f14.1)" : "(f14.2)");
  text += hours ? "h" : "d";
  // The time stays two blanks from "= t0", the rest is closed up.
  const std::size_t p = text.find("t\\d0\\u");
  std::string tail = text.substr(p);
  nospace(tail);
  text = text.substr(0, p) + tail;
  say("Now:", s.tnow, s.xnow, " ", text);
  return text;
}

void timeaxis(float& xmn, float& xmx, std::string& xlabel) {
  ProgramState& s = state();
  s.a0 = atotl(s.y0);
  const float th = thalf(s.a0);
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  say("timeaxis ****** a0", s.a0, " th=", th, " x", s.te, " =", s.te * th);

  s.hjdaxis = false;
  xlabel = "( t - t\\d0\\u ) / t\\dE\\u";
  if (s.mjd0 != 0 || s.te != 1) {
    s.hjdaxis = true;
    xlabel = "HJD - " + free_format(s.mjd0);
  }

  // Three peak widths either side of the peak.
  const float w = std::max(1.0f, s.te * std::pow(th, 0.75f));
  xmn = s.t0 - 3 * w;
  xmx = s.t0 + 3 * w;

  // The data, to whole days; data that end before (or begin after) the peak
  // leave room for the other half of it.
  const bool data = s.ndata > 0;
  const float tmn = s.tfirst - 1;
  const float tmx = s.tlast + 1;
  if (data) {
    xmn = std::min(xmn, tmn);
    xmx = std::max(xmx, tmx);
    roundup(xmx, 1);
    rounddown(xmn, 1);
    if (tmx < s.t0 + w) xmx = s.t0 + 1.5f * w;
    if (tmn > s.t0 - w) xmn = s.t0 - 1.5f * w;
  }

  // The user's range: full HJD, days after mjd0, or peak widths from the peak.
  if (s.tbeg != s.tend) {
    const float tb = s.tbeg;
    if (tb > static_cast<float>(s.mjd0))
      xmn = tb - static_cast<float>(s.mjd0);
    else if (tb > 0)
      xmn = tb;
    else if (tb < 0)
      xmn = std::min(s.tlast, s.t0) + tb * w;
    say("xmn ->", xmn);
    if (s.tbeg < s.tend) {
      if (tb > static_cast<float>(s.mjd0))
        xmx = s.tend - static_cast<float>(s.mjd0);
      else if (tb > 0)
        xmx = s.tend;
      else if (tb < 0 && s.tend > 0)
        xmx = std::max(s.tfirst, s.t0) + s.tend * w;
      say("xmx ->", xmx);
    }
  }

  // The present moment, when it is near the end of the range.
  if (xmx != xmn) {
    nowmark();
    const float xn = s.hjdaxis ? s.tnow : s.xnow;
    if ((xn - xmn) / (xmx - xmn) < 1.2f) {
      xmx = std::max(xmx, xn + 0.03f * (xmx - xmn));
      say("xmx ->", xmx, " to include tnow", s.tnow);
    }
  }

  // A range that misses the data moves to show them.
  if (data) {
    const float w2 = std::max(1.0f, th * s.te);
    if (xmn > tmx) {
      xmx = s.t0 + w2;
      xmn = std::max(tmn, tmx - 0.5f * std::fabs(s.t0 - tmx) - w2);
      say("Shift to", xmn, xmx, " to include data", tmn, tmx);
    }
    if (xmx < tmn) {
      xmn = s.t0 - w2;
      xmx = std::min(tmx, tmn + 0.5f * std::fabs(s.t0 - tmn) + w2);
      say("Shift to", xmn, xmx, " to include data", tmn, tmx);
    }
  }
  roundup(xmx, 0.1f);
  rounddown(xmn, 0.1f);
}

}  // namespace zolka
