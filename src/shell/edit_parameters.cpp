#include "shell/edit_parameters.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>

#include "fit/badness.h"
#include "fit/parameter_listing.h"
#include "lens/planet_geometry.h"
#include "lens/point_lens.h"
#include "numeric/angles.h"
#include "shell/core/console.h"
#include "shell/core/constants.h"
#include "shell/core/print.h"
#include "shell/core/prompts.h"
#include "shell/core/state.h"
#include "shell/core/text.h"
#include "shell/core/values.h"
#include "shell/model/current_site.h"

namespace zolka {

namespace {

// Asks for a real with the current value as the default; the answer replaces
// v only when it differs from it and passes the test. A blank answer keeps v
// exactly.
template <class Accept>
void ask_real(std::string_view prompt, float& v, Accept accept) {
  float x = v;
  inqr(prompt, v, x);
  if (x != v && accept(x)) v = x;
}

void ask_real(std::string_view prompt, float& v) {
  ask_real(prompt, v, [](float) { return true; });
}

// The same for a 64-bit value (site position), asked with 32-bit digits.
template <class Accept>
void ask_real(std::string_view prompt, double& v, Accept accept) {
  const float shown = static_cast<float>(v);
  float x = shown;
  inqr(prompt, shown, x);
  if (x != shown && accept(x)) v = x;
}

// A fraction asked in percent: the default is 100 v, a non-negative answer
// divided by 100 becomes v. The blank answer leaves v as it is rather than
// 100 v / 100, which need not give v back in 32-bit arithmetic.
void ask_percent(std::string_view prompt, float& v) {
  const float shown = 100 * v;
  float x = shown;
  inqr(prompt, shown, x);
  if (x != shown && x >= 0) v = x / 100;
}

bool positive(float x) {
  return x > 0;
}

// The blend ratio b = fb/fs of the current site, and its blend flux with it.
// Only b > -1 is taken: the site's baseline flux fs (1 + b) must stay
// positive, or the magnitudes of the model would have no meaning and the
// next evaluation with the ratio held would stop the program.
void edit_blend() {
  ProgramState& s = state();
  say("b = Fb/Fs ( blend flux / source flux ).");
  const float b0 = s.b0;
  ask_real("blend flux b", s.b0, [](float b) { return b > -1; });
  if (s.b0 != b0) s.fb = s.fs * s.b0;
}

// The peak time in days after mjd0. hjd0 changes only when a new value is
// typed, so that a blank answer keeps its full 64-bit digits.
void edit_t0() {
  ProgramState& s = state();
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  say("hjd0", s.hjd0, " =", s.mjd0, " +", s.t0);
  float t0 = s.t0;
  inqr("mid-time t_0", s.t0, t0);
  if (t0 != s.t0) {
    s.t0 = t0;
    s.hjd0 = s.mjd0 + static_cast<double>(t0);
  }
  say(s.mjd0, " +", s.t0, " =", s.hjd0);
}

// The peak magnification, through the impact parameter that gives it. A
// magnification so large that the impact parameter rounds to 0 in 32 bits is
// not taken (y0 stays positive, as every other way of setting it demands).
void edit_a0() {
  ProgramState& s = state();
  const float a = atotl(s.y0);
  float x = a;
  inqr("peak magnification A_0", a, x);
  if (x == a || !(x > 1)) return;
  const float y0 = ainv(x);
  if (!(y0 > 0)) return;
  s.y0 = y0;
  s.a0 = atotl(s.y0);
}

void edit_y0() {
  ProgramState& s = state();
  float y0 = s.y0;
  inqr("impact parameter y_0", s.y0, y0);
  if (y0 != s.y0 && y0 > 0) {
    s.y0 = y0;
    s.a0 = atotl(s.y0);
  }
}

void edit_priors() {
  ProgramState& s = state();
  say("Pr( log10( f ) ) = Gaussian");
  inq2r("<logf> and sig(logf)", s.avglogf, s.siglogf);
  say("Pr( log10( tE ) ) = Gaussian");
  inq2r("<logtE> and sig(logtE)", s.avglogte, s.siglogte);
  say("Pr( log10( A0 ) ) = Exponential");
  ask_real("<logA0>", s.sigloga0);
}

// The seeing and sky corrections; each new value counts only in 0 .. 3.
void edit_corrections() {
  ProgramState& s = state();
  int ksee = s.ksee, ksky = s.ksky;
  inq2i("see/sky corrections (1,2,3=flx,mag,eta)", ksee, ksky);
  if (ksee >= 0 && ksee <= 3) s.ksee = ksee;
  if (ksky >= 0 && ksky <= 3) s.ksky = ksky;
}

// The site number a reply names, or 0 when it names none.
int site_number(std::string_view reply) {
  std::string_view w = trimmed(reply);
  w.remove_prefix(std::min(w.find_first_not_of(" \t"), w.size()));
  int l = 0;
  if (!parse_int(w, l) || l < 1 || l > state().nloc) return 0;
  return l;
}

// One code of the parameter editor; false when it is not recognised. Site 1
// is current.
bool editparm(const std::string& reply) {
  ProgramState& s = state();
  const std::string w(trimmed(reply));
  const auto whole = [&w](std::initializer_list<std::string_view> codes) {
    return std::find(codes.begin(), codes.end(), std::string_view(w)) != codes.end();
  };
  const auto first2 = [&reply](std::string_view code) { return reply.compare(0, 2, code) == 0; };

  if (first2("LE")) {
    editlens();
  } else if (first2("T0")) {
    edit_t0();
  } else if (first2("TE")) {
    ask_real("time to cross Einstein radius t_E", s.te, positive);
  } else if (whole({"A"}) || first2("A0")) {
    edit_a0();
  } else if (whole({"Y0", "U0"})) {
    edit_y0();
  } else if (whole({"M-M0", "M-M"})) {
    // fitfsfb leaves the last site's fluxes in the current-site scalars;
    // site 1 is made current again before it is stored.
    fitfsfb();
    setsite(1);
  } else if (whole({"M", "M0"})) {
    ask_real("baseline mag", s.smag0);
  } else if (whole({"Q"})) {
    ask_real("planet/star mass ratio q", s.qpl, [](float q) { return q >= 0; });
  } else if (whole({"X", "Y", "XY", "XP", "YP"})) {
    editplanet("XY");
  } else if (whole({"T", "F", "TP", "FP"})) {
    editplanet("TF");
  } else if (whole({"U", "UP", "AP", "AL"})) {
    editplanet("UA");
  } else if (whole({"B"})) {
    edit_blend();
  } else if (whole({"S"})) {
    ask_percent("Sig0 = baseline flux error (%) ", s.sigmag0);
  } else if (whole({"E"})) {
    ask_real("Error bar scale f ", s.erbscl, positive);
  } else if (whole({"%"})) {
    ask_percent("Percent systematic error", s.syserr);
  } else if (whole({"C"})) {
    inq2r("Clip thresholds: lo,hi ", s.cliplo, s.cliphi);
  } else if (!reply.empty() && reply[0] == 'P') {
    edit_priors();
  } else if (whole({"D"})) {
    ask_real("detection threshold DelChi2", s.delchi2, positive);
  } else if (whole({"K"})) {
    edit_corrections();
  } else if (const int l = site_number(reply); l > 0) {
    editsite(l);
  } else {
    return false;
  }
  return true;
}

// The site's magnitude offset from site 1, m - m0 = 2.5 log10(fs / fs_l(1)):
// the source flux becomes fs_l(1) 10^(0.4 (m - m0)). The site's measurements
// do not change with it, so the blend takes up the difference and the site's
// baseline flux fs + fb stays as it was:
//   fb = fb_l(1) 10^(0.4 (m - m0)) - offset,
//   offset = (fs_l(1) + fb_l(1)) 10^(0.4 (m - m0)) - (fs + fb)_old,
// that is fb = (fs + fb)_old - fs. The site's model flux at baseline is thus
// continuous in m - m0, and typing the offset the site already has changes
// nothing. An offset that gives no finite positive source flux is not taken.
void edit_addmag() {
  ProgramState& s = state();
  float m = s.addmag;
  inqr("m-m0", s.addmag, m);
  if (m == s.addmag) return;
  const float fs = s.fs_l(1) * std::pow(10.0f, 0.4f * m);
  if (!(fs > 0) || !std::isfinite(fs)) return;
  const float baseline = s.fs + s.fb;
  s.addmag = m;
  s.fs = fs;
  s.fb = baseline - fs;
}

// One code of the site editor; false when it is not recognised. Site l is
// current.
bool editsiteparm(int l, const std::string& w) {
  ProgramState& s = state();
  if (w == "S") {
    ask_percent("Sig0 = Baseline flux error (%) ", s.sigmag0);
  } else if (w == "E") {
    // A zero scale would leave points without error bars (and the error-scale
    // prior without a logarithm), as the parameter editor's "E" also refuses.
    ask_real("Error bar scale f", s.erbscl, positive);
  } else if (w == "%") {
    ask_percent("Percent systematic error", s.syserr);
  } else if (w == "C") {
    // The site's seeing coefficient seefac_l is what the seeing regression
    // finds, and every evaluation of the fit refits it; a value set here
    // would be overwritten before anything used it. The answer is therefore
    // kept as a note only, offered as the default the next time.
    ask_real("Seeing factor c", s.seefac);
    say("c is fitted from the seeing correlations; the value is kept as a note only.");
  } else if (w == "M") {
    edit_addmag();
  } else if (w == "B") {
    setsite(l);
    edit_blend();
  } else if (w == "LA") {
    ask_real("North Latitude (degrees) ", s.glat, [](float x) { return x >= -90 && x <= 90; });
  } else if (w == "LO") {
    ask_real("East Longitude (degrees) ", s.glon, [](float x) { return x >= -180 && x <= 360; });
  } else if (w == "H") {
    ask_real("Height (metres) ", s.elev, [](float) { return true; });
  } else if (w == "D") {
    ask_real("Diameter (m) ", s.diam);
  } else {
    return false;
  }
  return true;
}

// Reads the four values of editlens: t0 in 64 bits (it sets hjd0), the others
// in 32. False when a line held an unreadable value.
bool read_lens(double& t0, float v[3], bool& none) {
  none = false;
  int n = 0;
  while (n < 4) {
    const std::string line = console::read_line();
    if (n == 0 && len1(line) == 0) {
      none = true;
      return true;
    }
    ValueReader r(line);
    while (n < 4) {
      const ValueReader::Status st = n == 0 ? r.next(t0) : r.next(v[n - 1]);
      if (st == ValueReader::none) break;
      if (st == ValueReader::bad) return false;
      ++n;
    }
  }
  return true;
}

}  // namespace

void editparms() {
  ProgramState& s = state();
  for (;;) {
    showpar();
    std::string t = "Try also: lens ";
    if (s.nloc > 1) {
      append(t, ", or 1 -");
      append_i(t, s.nloc);
      append(t, " to edit a specific site.");
    }
    say(trimmed(t));
    for (;;) {
      const std::string reply = upcase(inq("What to change ? ", "OK"));
      if (trimmed(reply) == "OK") return;
      setsite(1);
      if (editparm(reply)) break;
      say("** please try again.");
    }
    stowsite(1);
    setplpos();
    stowsite(1);
  }
}

void editlens() {
  ProgramState& s = state();
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  say("Old lens t0,te,y0,mag:", s.t0, s.te, s.y0, s.smag0);
  double t0 = 0;
  float v[3] = {0, 0, 0};
  bool none = false;
  do {
    console::write(" New lens t0,te,y0,mag: ");
  } while (!read_lens(t0, v, none));
  if (none || !(v[0] > 0 && v[1] > 0)) {
    say("Keeping old values.");
    return;
  }
  s.hjd0 = s.mjd0 + t0;
  s.t0 = static_cast<float>(t0);
  s.te = v[0];
  s.y0 = v[1];
  s.smag0 = v[2];
  // The peak magnification follows the new impact parameter at once, so that
  // the listings show the lens as it now is.
  s.a0 = atotl(s.y0);
}

void editplanet(std::string_view code) {
  ProgramState& s = state();
  const std::string c(trimmed(upcase(code)));
  say("** editplanet( " + c + " )");
  if (c == "X" || c == "Y" || c == "XY") {
    s.plpos = "XY";
    say("Planet X and Y are in R_E units.");
    inq2r("X and Y ", s.xpl, s.ypl);
  } else if (c == "TP" || c == "FP" || c == "TF") {
    s.plpos = "TF";
    say("tp is time of planet-like anomaly.");
    say("fp(>0) is u/u+,  fp(<0) is u/u-");
    float tp = s.tpl, fp = s.fpl;
    inq2r("Planet tp and fp ", tp, fp);
    if (tp > 0) s.tpl = tp;
    if (fp != 0) s.fpl = fp;
  } else if (c == "U" || c == "A" || c == "UA") {
    s.plpos = "UA";
    say("U is planet-star distance (R_E units).");
    say("A is planet-star angle (clockwise from y axis)");
    say("( enter A in degrees )");
    const float deg = rad2deg(s.apl);
    float u = s.upl, d = deg;
    inq2r("Planet U and A ", u, d);
    if (u > 0) s.upl = u;
    if (d != deg) {
      // Into (-pi, pi] through the sine and cosine of the angle, in 64 bits:
      // 180 degrees in 32 bits lies just beyond pi and would come back as -pi.
      const double a = d * (std::numbers::pi / 180);
      const float w = static_cast<float>(std::atan2(std::sin(a), std::cos(a)));
      s.apl = w <= -pi ? pi : w;
    }
  } else {
    say("** Confused.  Please try again!");
  }
  setplpos();
}

void editsite(int l) {
  ProgramState& s = state();
  if (l < 1 || l > s.nloc) {
    diag("** INVALID SITE editsite(", l, " )", s.loc, s.nloc, maxsite);
    return;
  }
  for (;;) {
    setsite(l);
    say("** editsite *********", s.loc, s.ndat_l(s.loc), " " + std::string(trimmed(s.site)));
    showsite();
    const std::string w(trimmed(upcase(inq("What to change ?", ""))));
    if (len1(w) == 0) break;
    if (!editsiteparm(l, w)) {
      say("** Please try again.");
      continue;
    }
    stowsite(l);
  }
  stowsite(l);
  setsite(1);
}

void edittimes() {
  ProgramState& s = state();
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  const bool data = s.ndata > 0;
  float tmin = 0, tmax = 0;
  if (data) {
    tmin = tmax = s.t_t(1);
    for (int i = 2; i <= s.ndata; ++i) {
      tmin = std::min(tmin, s.t_t(i));
      tmax = std::max(tmax, s.t_t(i));
    }
  }
  std::string t;
  if (data) {
    append(t, "t:");
    append_f(t, tmin, "(f13.2)");
    append_f(t, tmax, "(f13.2)");
  }
  append(t, "t0:");
  append_f(t, s.t0, "(f13.2)");
  append(t, "te:");
  append_f(t, s.te, "(f13.2)");
  if (data) {
    append(t, "(t-t0)/te:");
    append_f(t, (tmin - s.t0) / s.te, "(f13.1)");
    append_f(t, (tmax - s.t0) / s.te, "(f13.1)");
  }
  say(t);

  // The plot window's unit: the peak's half-width to the power 0.75, at least
  // a day, as the time axis of the plots uses it.
  s.a0 = atotl(s.y0);
  const float th = thalf(s.a0);
  const float twin = th > 0 ? std::max(1.0f, s.te * std::pow(th, 0.75f)) : 1.0f;
  say("thalf=", s.te * th, " twin=", twin);
  say();
  say("Enter range of t or (t-t0)/twin for plots");
  say("Old (t-t0)/twin:", (s.tbeg - s.t0) / twin, (s.tend - s.t0) / twin);
  const int typed = inq2r("tbeg tend ", s.tbeg, s.tend);
  // Only values typed are converted: a blank answer keeps both, and a lone
  // tbeg leaves tend, which is still in days, as it was.
  if (typed >= 1 && s.tbeg < 0) {
    s.tbeg = s.tbeg * twin + s.t0;
    if (typed >= 2 && s.tend > 0) s.tend = s.t0 + twin * s.tend;
  }
}

}  // namespace zolka
