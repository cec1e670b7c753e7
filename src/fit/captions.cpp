#include "fit/captions.h"

#include <algorithm>
#include <cmath>

#include "fit/fit_drivers.h"
#include "lens/detection_zone.h"
#include "lens/point_lens.h"
#include "lightcurve/files.h"
#include "numeric/angles.h"
#include "numeric/rounding.h"
#include "shell/core/format.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"
#include "shell/model/current_site.h"
#include "shell/model/now.h"
#include "shell/model/stacks.h"

namespace zolka {

namespace {

// "label" then the value in a fixed format, blanks after "=" removed.
void labelled(std::string& t, const char* label, float v, const char* fmt) {
  append(t, label);
  append_f(t, v, fmt);
  noeqbl(t);
}

void labelled_n(std::string& t, const char* label, float v, int digits) {
  append(t, label);
  append_n(t, v, digits);
  noeqbl(t);
}

// Significant digits that keep `keep` digits of a - 1 for a magnification a:
// max(least, nint(keep - log10(a - 1))), capped at the 7 digits of a 32-bit
// value (which also covers a = 1, where the logarithm is infinite).
int excess_digits(float a, int keep, int least) {
  const float excess = a - 1;
  if (excess <= 0) return 7;
  return std::clamp(nint(static_cast<float>(keep) - std::log10(excess)), least, 7);
}

// Plain value with a fixed format and nothing else: the legend and the
// ladder write numbers this way.
std::string fixed(float v, const char* fmt) {
  return std::string(firstword(format1(v, fmt)));
}

}  // namespace

void title_a0(std::string& t) {
  const float a0 = state().a0;
  // More digits the closer a0 comes to 1, so that a0 - 1 keeps three.
  labelled_n(t, "A0=", a0, excess_digits(a0, 3, 3));
}

void title_t0(std::string& t) {
  ProgramState& s = state();
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  labelled(t, "t0=", s.t0, "(f15.2)");
}

void title_te(std::string& t) {
  labelled(t, "te=", state().te, "(f15.2)");
}

void title_y0(std::string& t) {
  const float y0 = state().y0;
  labelled(t, "y0=", y0, std::fabs(y0) > 0.1f ? "(f15.2)" : "(f15.3)");
}

void title_lens(std::string& t) {
  title_t0(t);
  title_te(t);
  title_y0(t);
  title_a0(t);
}

void title_b(std::string& t) {
  labelled(t, "b=", state().b0, "(f14.2)");
}

void title_sig0(std::string& t) {
  labelled(t, "sig0=", state().sigmag0, "(f14.2)");
}

void title_f(std::string& t) {
  labelled(t, "f=", state().erbscl, "(f14.2)");
}

void title_x(std::string& t) {
  labelled_n(t, "x=", state().xpl, 4);
}

void title_y(std::string& t) {
  labelled_n(t, "y=", state().ypl, 4);
}

void title_q(std::string& t) {
  const float q = state().qpl;
  std::string part;
  append(part, "q=");
  if (q >= 100) {
    append_i(part, nint(q));
  } else {
    const char* fmt = q > 1         ? "(f10.1)"
                      : q > 0.1f    ? "(f10.2)"
                      : q > 0.01f   ? "(f10.3)"
                      : q > 0.001f  ? "(f10.4)"
                      : q > 0.0001f ? "(f10.5)"
                                    : "(1pe8.1)";
    append_f(part, q, fmt);
    if (q > 0.0001f) {
      while (!part.empty() && part.back() == '0') part.pop_back();
    }
  }
  noeqbl(part);
  append(t, part);
}

void title_event(std::string& t) {
  const ProgramState& s = state();
  if (len1(s.event) > 0) {
    append(t, s.event);
    if (len1(s.alias) > 0) append(t, s.alias);
    return;
  }
  const std::string_view file = trimmed(s.datfile);
  if (file.empty()) return;
  append(t, file.substr(static_cast<std::size_t>(index_nopath(file) - 1)));
}

void title_chi2site(std::string& t, int i) {
  const ProgramState& s = state();
  std::string part = "Chi2=(";
  append_f(part, s.chi2_l(i), "(f15.1)");
  append(part, "/");
  append_i(part, s.ndf_l(i));
  append(part, ")=");
  append_f(part, s.chi2_l(i) / static_cast<float>(std::max(1, s.ndf_l(i))), "(f15.2)");
  nospace(part);
  append(t, part);
}

void title_a0pm(std::string& t) {
  title_a0(t);
  const float siga0 = state().siga0;
  if (siga0 > 0) {
    append(t, "+/-");
    append_n(t, siga0, 2);
  }
}

void title_apm(std::string& t) {
  const ProgramState& s = state();
  append(t, "A\\d0\\u=");
  append_n(t, s.a0, excess_digits(s.a0, 3, 3));
  if (s.siga0 > 0) {
    append(t, "\\(2233)");
    append_n(t, s.siga0, 2);
  }
}

void title_anow(std::string& t) {
  int iyr = 0, imon = 0, iday = 0, ihr = 0, imin = 0, isec = 0;
  now(iyr, imon, iday, ihr, imin, isec);
  const float anow = state().anow;
  append(t, "A=");
  append_n(t, anow, excess_digits(anow, 2, 2));
}

void title_mag(std::string& t) {
  labelled(t, "m0=", state().smag0, "(f10.2)");
}

void title_u(std::string& t) {
  ProgramState& s = state();
  s.upl = std::sqrt(s.xpl * s.xpl + s.ypl * s.ypl);
  labelled_n(t, "u=", s.upl, 4);
}

void title_deg(std::string& t) {
  append(t, "\\ga=");
  append_i(t, nint(rad2deg(state().apl)));
  t += "\\uo\\d";
  noeqbl(t);
}

void title_tp(std::string& t) {
  labelled(t, "t=", state().tpl, "(f10.2)");
}

void title_fp(std::string& t) {
  labelled_n(t, "f=", state().fpl, 4);
}

void title_plpos(std::string& t) {
  title_u(t);
  title_deg(t);
  title_x(t);
  title_y(t);
  title_tp(t);
  title_fp(t);
}

void title_planet(std::string& t) {
  title_q(t);
  title_plpos(t);
  const float dchi2 = state().dchi2fit;
  if (dchi2 > 0) labelled(t, "\\gD\\gx\\u2\\d=", dchi2, "(f10.1)");
  noeqbl(t);
}

void title_delchi2(std::string& t) {
  std::string part = "\\gD\\gx\\u2\\d=";
  append_i(part, nint(state().delchi2));
  noeqbl(part);
  append(t, part);
  say(t);
}

void title_best(std::string& t) {
  const float d = state().dchi2fit;
  std::string part = "best \\gD\\gx\\u2\\d=";
  if (std::fabs(d) >= 100)
    append_i(part, nint(d));
  else
    append_f(part, d, std::fabs(d) >= 10 ? "(f10.1)" : "(f10.2)");
  noeqbl(part);
  append(t, part);
  say(t);
}

namespace {
// "label" mean "+/-" width without blanks; the mean is left out when it is 0
// and omit_zero is set.
void prior_pair(std::string& t, const char* label, float mean, float width, bool omit_zero) {
  std::string part = label;
  if (!(omit_zero && mean == 0)) append_f(part, mean, "(f14.2)");
  append(part, "+/-");
  append_f(part, width, "(f14.2)");
  nospace(part);
  append(t, part);
}
}  // namespace

void title_pr_f(std::string& t) {
  const ProgramState& s = state();
  prior_pair(t, "logf=", s.avglogf, s.siglogf, true);
}

void title_pr_te(std::string& t) {
  const ProgramState& s = state();
  prior_pair(t, "logte=", s.avglogte, s.siglogte, false);
}

void title_pr_a0(std::string& t) {
  labelled(t, "<logA0>=", state().sigloga0, "(f14.2)");
}

void title_pr(std::string& t) {
  append(t, "Prior:");
  title_pr_f(t);
  title_pr_te(t);
  title_pr_a0(t);
  noeqbl(t);
}

void title_pmax(std::string& t) {
  ProgramState& s = state();
  s.prioritymax = dzwstd(0.001f, s.y0, s.smag0, s.b0);
  append(t, "P\\d0\\u=");
  append_n(t, s.prioritymax, 2);
}

void title_pnow(std::string& t) {
  int iyr = 0, imon = 0, iday = 0, ihr = 0, imin = 0, isec = 0;
  now(iyr, imon, iday, ihr, imin, isec);
  ProgramState& s = state();
  s.prioritynow = dzwstd(0.001f, s.unow, s.smag0, s.b0);
  append(t, "P=");
  append_n(t, s.prioritynow, 2);
}

void title_priority(std::string& t) {
  title_pmax(t);
  title_pnow(t);
}

namespace {
void correction_title(std::string& t, const char* label, int k) {
  static const char* const kinds[] = {"no", "flx", "mag", "eps"};
  if (k < 0 || k > 3) return;
  append(t, std::string(label) + kinds[k]);
  noeqbl(t);
}
}  // namespace

void title_see(std::string& t) {
  correction_title(t, "ksee=", state().ksee);
}

void title_sky(std::string& t) {
  correction_title(t, "ksky=", state().ksky);
}

void title_site(std::string& t, int i) {
  ProgramState& s = state();
  if (i < 1 || i > s.nloc) {
    diag("** INVALID SITE title_site(", i, " )", s.loc, s.nloc, maxsite);
    die();
  }
  const int keep = std::max(s.loc, 1);
  setsite(i);
  constexpr const char* f = "(f10.2)";
  if (s.nloc > 1) append_i(t, i);
  if (i == 1) {
    title_mag(t);
  } else {
    append(t, "m-m0=");
    append_f(t, s.addmag, f);
  }
  for (const auto& [label, v] :
       {std::pair{"b=", s.b0}, std::pair{"sig0=", s.sigmag0}, std::pair{"e=", s.erbscl}}) {
    append(t, label);
    append_f(t, v, f);
  }
  append_f(t, 100 * s.syserr, f);
  t += "%";
  append(t, "c=");
  append_f(t, s.seefac_l(i), f);
  if (s.siglogf > 0) {
    std::string part = "(logf=";
    if (s.avglogf != 0) append_f(part, s.avglogf, f);
    append(part, "+/-");
    append_f(part, s.siglogf, f);
    nospace(part);
    append(t, part);
    append(t, ")");
  }
  append(t, s.site);
  noeqbl(t);
  setsite(keep);
}

namespace {

constexpr int nalways = 12;  // entries of the saved model before the per-site blocks
constexpr int nperloc = 6;   // entries per site
constexpr int ib0 = 1, isigmag0 = 2, ierbscl = 3;  // places within a site's block

int siteentry(int l, int k) {
  return nalways + (l - 1) * nperloc + k;
}

// The ten model values the caption watches, in the order of its saved table.
void watched(const ProgramState& s, float v[11]) {
  v[1] = s.t0;
  v[2] = s.te;
  v[3] = s.smag0;
  v[4] = s.y0;
  v[5] = s.sigmag0;
  v[6] = s.erbscl;
  v[7] = s.b0;
  v[8] = s.xpl;
  v[9] = s.ypl;
  v[10] = s.qpl;
}

// Reduced chi-square of the current model for k fitted parameters.
float reduced_chi2(int k, int& ndf) {
  float chi2 = 0;
  chi2calc(chi2, ndf);
  return chi2 / static_cast<float>(std::max(1, ndf - k));
}

// Prints the reasons for a recalculation; false when nothing changed beyond
// its threshold.
bool changed(ProgramState& s) {
  const float w = std::clamp(thalf(s.a0), 0.1f, 1.0f);
  const float r = std::sqrt(std::sqrt(s.xpl * s.xpl + s.ypl * s.ypl));
  const float tiny[11] = {0,
                          std::max(0.0003f, 0.0003f * s.te * w),
                          std::max(0.0003f, 0.0003f * s.te),
                          0.0003f,
                          std::max(0.0003f, 0.0003f * s.y0),
                          std::max(0.001f, 0.01f * s.sigmag0),
                          std::max(0.001f, 0.01f * s.erbscl),
                          std::max(0.0003f, 0.0003f * std::fabs(s.b0)),
                          std::max(0.0003f, 0.0003f * r),
                          std::max(0.0003f, 0.0003f * r),
                          std::max(0.000001f, 0.0003f * std::fabs(s.qpl))};
  for (int k = 1; k <= 10; ++k) s.chi2tiny(k) = tiny[k];
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  float cur[11];
  watched(s, cur);
  const bool nfit = nint(s.chi2save(11)) != s.npfit;
  const bool ndat = nint(s.chi2save(12)) != s.ndata;
  bool any = nfit || ndat;
  for (int k = 1; k <= 10; ++k) any = any || std::fabs(s.chi2save(k) - cur[k]) > tiny[k];
  if (!any) return false;
  say("--------- RE-CALCULATE Chi^2 BECAUSE:");
  if (nfit) say("nfit", nint(s.chi2save(11)), " =>", s.npfit);
  if (ndat) say("ndat", nint(s.chi2save(12)), " =>", s.ndata);
  static const char* const labels[11] = {"",    "  t0", "  te", "  m0", "  y0", "  sig0",
                                         "  f", "  b",  "  x",  "  y",  "  q"};
  for (int k = 1; k <= 10; ++k) {
    const float change = s.chi2save(k) - cur[k];
    if (!(std::fabs(change) > tiny[k])) continue;
    std::string why = "(";
    append_n(why, change, 2);
    append(why, "/");
    append_n(why, tiny[k], 2);
    append(why, "=");
    append_n(why, change / tiny[k], 3);
    append(why, ")");
    nospace(why);
    s.excuse = freeline(labels[k], s.chi2save(k), " =>", cur[k]) + " " + why;
    console::line(s.excuse);
  }
  return true;
}

// The model as it was when the caption was asked for, with the per-site
// error model of the fits with fewer parameters.
void reset_sites(ProgramState& s, bool b0_from_save) {
  for (int l = 1; l <= s.nloc; ++l) {
    s.b0_l(l) = b0_from_save ? s.chi2save(siteentry(l, ib0)) : 0;
    s.sigmag0_l(l) = 0;
    s.erbscl_l(l) = 1;
  }
}

}  // namespace

void title_chi2(std::string& t) {
  ProgramState& s = state();
  if (s.ndata < 1) return;
  const bool recalc = !s.chi2saved || changed(s);
  if (recalc) {
    if (nalways + s.nloc * nperloc > maxpar) {
      diag("** ERROR maxparm", maxpar, " exceeded.");
      diag("**", nalways, " +", nperloc, " x", s.nloc, "  =", nalways + s.nloc * nperloc,
           " > maxparm=", maxpar);
      die();
    }
    int ndf = 0;
    const float bof = reduced_chi2(s.npfit, ndf);
    say("----------", " INITIAL CHI2/(", ndf, " - ", s.npfit, " ) = ", bof);
    stowall();
    s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
    float cur[11];
    watched(s, cur);
    for (int k = 1; k <= 10; ++k) s.chi2save(k) = cur[k];
    s.chi2save(11) = static_cast<float>(s.npfit);
    s.chi2save(12) = static_cast<float>(s.ndata);
    for (int l = 1; l <= s.nloc; ++l) {
      s.chi2save(siteentry(l, ib0)) = s.b0_l(l);
      s.chi2save(siteentry(l, isigmag0)) = s.sigmag0_l(l);
      s.chi2save(siteentry(l, ierbscl)) = s.erbscl_l(l);
    }
    s.chi2saved = true;
  }
  if (s.ndfit < 1) s.ndfit = s.ndata;
  const int k0 = std::min(s.npfit, 4);
  const int kmax = std::max(k0, std::min(s.npfit, 7));
  std::string ladder;
  for (int k = k0; k <= kmax; ++k) {
    if (recalc) {
      // Each rung starts from the model on entry (restored and pushed again,
      // so the stack is left as it was found) with the error model of the
      // fit with k parameters.
      if (k == 4 || k == 5) {
        if (k == 5) say("     b0 =", s.b0, " =>", s.chi2save(7));
        restoreall();
        stowall();
        s.b0 = k == 5 ? s.chi2save(7) : 0;
        s.sigmag0 = 0;
        s.erbscl = 1;
        reset_sites(s, k == 5);
      } else if (k == 6) {
        say("     sigmag0 =", s.sigmag0, " =>", s.chi2save(5));
        s.sigmag0 = s.chi2save(5);
        for (int l = 1; l <= s.nloc; ++l) s.sigmag0_l(l) = s.chi2save(siteentry(l, isigmag0));
      } else if (k == 7) {
        say("     erbscl =", s.erbscl, " =>", s.chi2save(6));
        s.erbscl = s.chi2save(6);
        for (int l = 1; l <= s.nloc; ++l) s.erbscl_l(l) = s.chi2save(siteentry(l, ierbscl));
      }
      if (k > 3) {
        const int npfit = s.npfit;
        int nits = 0;
        float bof = 0;
        fit1(nits, k, bof);
        s.npfit = npfit;
      }
      int ndf = 0;
      const float red = reduced_chi2(k, ndf);
      s.ndfit = ndf;
      say("----------", " STOW CHI2/(", ndf, " - ", k, " ) = ", red);
      s.oldchi2red(std::max(k, 1)) = red;
      if (k == 4) s.chi2_4 = red;
      if (k == 5) s.chi2_5 = red;
      if (k == 6) s.chi2_6 = red;
      if (k == 7) s.chi2_7 = red;
    }
    const float red = s.oldchi2red(std::max(k, 1));
    if (k == k0) {
      std::string part = "\\gx\\u2\\d/(";
      append_i(part, s.ndfit);
      append(part, "-");
      append_i(part, s.npfit);
      append(part, ")=");
      nospace(part);
      ladder = part;
    } else {
      ladder += "=>";
    }
    ladder += fixed(red, "(f11.2)");
  }
  append(t, ladder);
  noeqbl(t);
  if (recalc) {
    restoreall();
    int ndf = 0;
    const float red = reduced_chi2(s.npfit, ndf);
    say("----------", " FINAL CHI2/(", ndf, " - ", s.npfit, " ) = ", red);
  }
}

}  // namespace zolka
