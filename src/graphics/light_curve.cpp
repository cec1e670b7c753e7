#include "graphics/light_curve.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "fit/captions.h"
#include "fit/prediction.h"
#include "graphics/legend.h"
#include "graphics/pgplot.h"
#include "graphics/plot_numbers.h"
#include "graphics/points.h"
#include "lens/point_images.h"
#include "lens/point_lens.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"
#include "shell/model/photometry.h"
#include "shell/model/time_axis.h"

namespace zolka {

namespace {

constexpr int nmodel = 1000;         // samples of the model curve across the window
constexpr float floormag = 3;        // data are drawn at most this much fainter than the baseline
constexpr int dottedstyle = 4;       // PGPLOT line styles: 1 full, 2 dashed, 4 dotted
constexpr int blendcolour = 2;       // colour index of the source and blend levels
constexpr float nowtextsize = 0.7f;  // height of the present-moment text relative to csize

// Work columns of the plot, clear of plot1 .. plot3 that the initial guess
// and the covariances use.
enum Column { xdata = 4, ydata, e1data, e2data, xmodel, ymodel };

// A value in a fixed format, without blanks.
std::string fixed(float v, const char* fmt) {
  std::string t;
  append_f(t, v, fmt);
  return t;
}

void vline(float x, float y1, float y2) {
  pgmove(x, y1);
  pgdraw(x, y2);
}

void hline(float x1, float x2, float y) {
  pgmove(x1, y);
  pgdraw(x2, y);
}

// The data on site 1's magnitude scale with their error bars: x in axis
// units, y the magnitude, e1 the bar towards faint, e2 towards bright. Each
// flux and bar end is held at the floor flux, so no flux below it reaches
// the magnitude conversion. Widens [ymn, ymx] over the points inside
// [xmn, xmx], never beyond 1 magnitude under the baseline.
void data_magnitudes(float xmn, float xmx, float& ymn, float& ymx) {
  ProgramState& s = state();
  const int n = s.ndata;
  Vec1<float>& x = s.plot(xdata);
  Vec1<float>& y = s.plot(ydata);
  Vec1<float>& e1 = s.plot(e1data);
  Vec1<float>& e2 = s.plot(e2data);
  const float ffl = toflx(s.smag0 + floormag);
  xcalc();
  float xlo = std::numeric_limits<float>::max(), xhi = -xlo, ylo = xlo, yhi = -xlo;
  float vlo = xlo, vhi = -xlo;
  for (int i = 1; i <= n; ++i) {
    const float p = preflx(s.hjd_t(i));
    const float f = corflx(i);
    const float e = erbcorflx(i, p);
    const float m = tomag(std::max(ffl, f));
    const float mlo = tomag(std::max(ffl, f - e));
    const float mhi = tomag(std::max(ffl, f + e));
    x(i) = s.hjdaxis ? static_cast<float>(s.hjd_t(i) - s.mjd0) : s.x_t(i);
    y(i) = m;
    e1(i) = mlo - m;
    e2(i) = m - mhi;
    xlo = std::min(xlo, x(i));
    xhi = std::max(xhi, x(i));
    ylo = std::min(ylo, m);
    yhi = std::max(yhi, m);
    if (x(i) >= xmn && x(i) <= xmx) {
      const float v = std::min(m, s.smag0 + 1);
      vlo = std::min(vlo, v);
      vhi = std::max(vhi, v);
    }
  }
  say("Data times", xlo, xhi, " mags", ylo, yhi);
  ymx = std::max(ymx, vhi) + 0.2f;
  ymn = std::min(ymn, vlo) - 0.2f;
}

// The baseline and, at the right-hand edge, its magnitude and the peak's
// magnitude and magnification.
void margin_values(float xmn, float xmx, float ymn, float ymx) {
  const ProgramState& s = state();
  const float dx = 0.01f * (xmx - xmn);
  if (ymn < s.smag0 && s.smag0 < ymx) pgptxt(xmx + dx, s.smag0, 0, 0, fixed(s.smag0, "(f10.1)"));
  const float mp = s.smag0 + blendmag(s.a0, s.b0);
  if (ymn < mp && mp < ymx) {
    pgptxt(xmx + dx, mp, 0, 0, fixed(mp, "(f10.1)"));
    std::string a;
    append_magnification(a, s.a0, 5, 50);
    pgptxt(xmx - dx, mp, 0, 1, a);
  }
}

// The model light curve with the current planet, sampled across the window;
// with a blend also the source alone (dashed).
void model_curve(float xmn, float xmx) {
  ProgramState& s = state();
  if (s.x_t.size() < nmodel) s.resize(std::max(nmodel, s.ndata));
  Vec1<float>& x = s.plot(xmodel);
  Vec1<float>& y = s.plot(ymodel);
  for (int k = 0; k < nmodel; ++k) {
    const float xk = xmn + (xmx - xmn) * static_cast<float>(k) / (nmodel - 1);
    x(k + 1) = xk;
    s.x_t(k + 1) = s.hjdaxis ? (xk - s.t0) / s.te : xk;
  }
  lcalc(nmodel, &s.x_t(1), s.y0);
  for (int k = 1; k <= nmodel; ++k) y(k) = s.smag0 + blendmag(s.a_t(k), s.b0);
  pgsci(s.kolor_model);
  pgsls(1);
  pgline(nmodel, x, y);
  if (s.b0 > 0) {
    for (int k = 1; k <= nmodel; ++k) y(k) = s.smag0 + blendmag(s.a_t(k) - s.b0, s.b0);
    pgsci(blendcolour);
    pgsls(2);
    pgline(nmodel, x, y);
    pgsls(1);
  }
}

}  // namespace

void marktime(float y1, float y2) {
  ProgramState& s = state();
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  const float th = thalf(s.a0);
  // The peak, one tE and the half-width either side: in days, or in tE from
  // the peak.
  const float c = s.hjdaxis ? s.t0 : 0;
  const float w = s.hjdaxis ? s.te : 1;
  for (float x : {c, c - w, c + w, c - th * w, c + th * w}) vline(x, y1, y2);
}

void marknow(float y1, float y2) {
  ProgramState& s = state();
  const std::string text = nowmark();
  if (y1 == y2) return;
  float left = 0, right = 0, bot = 0, top = 0;
  pgqwin(left, right, bot, top);
  const float xp = s.hjdaxis ? s.tnow : s.xnow;
  if (xp < std::min(left, right) || xp > std::max(left, right)) return;
  vline(xp, y1, y2);
  const float q = right != left ? (xp - left) / (right - left) : 1;
  pgsch(nowtextsize * s.csize);
  pgmtxt("T", 0.3f, q, q, text);
  pgsch(s.csize);
  const std::string mag = fixed(s.smagnow, "(f14.1)") + "mag";
  if (q < 0.9f) pgmtxt("B", -0.8f, q + 0.01f, 0, mag);
  std::string a = "A=";
  append_magnification(a, s.anow, 2, 10);
  noeqbl(a);
  pgmtxt("B", -0.8f, q - 0.01f, 1, a);
  say("Inow", s.smagnow, "  :", mag);
  say("Anow", s.anow, "  :", a);
}

void magplot() {
  ProgramState& s = state();
  say("magplot **************** ndata", s.ndata);
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  float xmn = 0, xmx = 0;
  std::string xlabel;
  timeaxis(xmn, xmx, xlabel);
  say("y0", s.y0, " A0", s.a0, " b0", s.b0, " ndata", s.ndata);

  // Magnitudes from half a magnitude under the baseline to above the peak.
  // The peak of a source right behind the lens (u0 = 0) is infinitely bright:
  // the range is then chosen as for a peak of 5, like one not positive.
  if (!(s.a0 > 0 && std::isfinite(s.a0))) s.a0 = 5;
  float ymx = s.smag0 + 0.5f;
  float ymn = std::min(s.smag0 + blendmag(s.a0, s.b0) - 0.2f, s.smag0 - 0.5f);
  const bool data = s.ndata > 0;
  if (data) data_magnitudes(xmn, xmx, ymn, ymx);

  say("pgenv(", xmn, xmx, ymx, ymn, " )");
  pgsci(s.kolor_window);
  pgenv(xmn, xmx, ymx, ymn, 0, 0);

  pgsls(dottedstyle);
  pgsci(s.kolor_model);
  marktime(ymn, ymx);
  hline(xmn, xmx, s.smag0);
  if (s.b0 > 0) {
    const float a = s.smag0 + blendmag(1 - s.b0, s.b0);
    const float b = s.smag0 + blendmag(0, s.b0);
    say("a", a, " b", b, " a+b", s.smag0);
    pgsci(blendcolour);
    hline(xmn, xmx, a);
    hline(xmn, xmx, b);
  }
  pgsls(1);
  pgsci(s.kolor_now);
  marknow(ymn, ymx);

  std::string ylabel = "magnitude";
  std::string title = "Microlens Lightcurve";
  if (s.nloc > 0) {
    ylabel = std::string(trimmed(s.site_l(1))) + " mag";
    title.clear();
    title_event(title);
    title_apm(title);
    title_priority(title);
  }
  noeqbl(title);
  pgsci(s.kolor_label);
  pglabel(xlabel, ylabel, title);
  legend();

  pgsci(s.kolor_model);
  margin_values(xmn, xmx, ymn, ymx);

  if (data) {
    Vec1<float>& y = s.plot(ydata);
    for (int i = 1; i <= s.ndata; ++i) y(i) = std::clamp(y(i), ymn, ymx);
    pgxys(s.plot(xdata), y, s.plot(e1data), s.plot(e2data));
  }
  model_curve(xmn, xmx);
}

}  // namespace zolka
