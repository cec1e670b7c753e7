#include "fit/guess.h"

#include <algorithm>
#include <cmath>

#include "fit/badness.h"
#include "fit/parameter_listing.h"
#include "lens/point_lens.h"
#include "numeric/rounding.h"
#include "numeric/stats.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/model/current_site.h"

namespace zolka {

namespace {

constexpr int nwidth = 20;             // widths of the bump
constexpr float noscore = 1.1e20f;     // score before any candidate
constexpr float log10e = 0.43429446f;  // log10(e)
constexpr float cutwidths = 6;         // the bump is zero beyond this many widths

// A candidate bump and the point-lens model it stands for.
struct Candidate {
  float score = noscore;  // -log10 P
  float dchi2 = 0;        // chi-square change against the constant model
  float logpr = 0;        // log10 of the te prior
  float logp = 0;         // log10 P
  float t0 = 0;           // centre, hjd - mjd0 days
  float te = 0;           // Einstein time, days
  float m0 = 0;           // baseline magnitude
  float a0 = 0;           // peak magnification
  float y0 = 0;           // impact parameter
  float tsig = 0;         // width, days
};

// Sum of (m_i - b)^2 over site 1's points, unweighted.
double constant_chi2(const ProgramState& s, int n, float b) {
  double sum = 0;
  for (int i = 1; i <= n; ++i) {
    const double d = s.datmag_t(i) - b;
    sum += d * d;
  }
  return sum;
}

// "Chi2=" S " /(" n "- 1 ) =" S/max(n - 1, 1) of a constant model.
void say_constant(double chi2, int n) {
  say("Chi2=", static_cast<float>(chi2), " /(", n,
      "- 1 ) =", static_cast<float>(chi2 / std::max(n - 1, 1)));
}

void reset_model(ProgramState& s) {
  s.te = 1;
  s.y0 = 1;
  s.t0 = 0;
  s.a0 = atotl(1);
  s.smag0 = 0;
  s.erbscl = 1;
  s.addmag = 0;
  s.b0 = 0;
  s.sigmag0 = 0;
  for (int l = 1; l <= s.nloc; ++l) neutralsite(l);
  subsidiaries();
}

// The bump search over site 1's n points; returns false when no centre of any
// width gave a brightening.
bool bump_search(ProgramState& s, int n, float mavg, double chi2c, Candidate& global) {
  const float* t = &s.t_t(1);
  const float* sig = &s.sigmag_t(1);
  float* g = &s.plot(1)(1);  // the bump, then the bump less its weighted mean
  float* y = &s.plot(2)(1);  // brightening over the mean magnitude
  for (int i = 1; i <= n; ++i) y[i - 1] = mavg - s.datmag_t(i);

  const float logstep = 1.6666666f / 19;
  say("tsig grid:", nwidth, std::pow(10.0f, 1.0f / 3), 100.0f, " d(logtsig)", logstep);
  bool found = false;
  for (int j = 0; j < nwidth; ++j) {
    const float fj = static_cast<float>(j) / 19;
    const float tsig = std::pow(10.0f, (1 - fj) / 3 + 2 * fj);
    say("-----", j + 1, " of", nwidth, " tsig=", tsig, " -----");
    const float t1 = t[0], tn = t[n - 1];
    const float span = std::fabs(tn - t1);
    const int nc = std::max(2, nint(span / std::fabs(0.1f * tsig)));
    const float step = span / static_cast<float>(std::max(nc - 1, 1));
    say("t0 grid:", nc, t1, tn, " d(t0)", step);
    Candidate local;
    int nodata = 0, negative = 0;
    for (int m = 0; m < nc; ++m) {
      const float f = static_cast<float>(m) / static_cast<float>(nc - 1);
      const float tau = (1 - f) * t1 + f * tn;
      for (int i = 0; i < n; ++i) {
        const float x = (t[i] - tau) / tsig;
        g[i] = std::fabs(x) <= cutwidths ? std::exp(-0.5f * x * x) : 0.0f;
      }
      float gbar, sgbar;
      optavg(n, g, sig, gbar, sgbar);
      if (gbar == 0) {
        ++nodata;
        continue;
      }
      for (int i = 0; i < n; ++i) g[i] -= gbar;
      float a, siga;
      optscl(n, y, sig, g, a, siga);
      // A bump too small to raise the peak magnification above 1 has no
      // point-lens equivalent (infinite impact parameter): it counts with
      // the negative ones.
      const float apeak = std::pow(10.0f, 0.4f * a);
      if (a < 0 || !(apeak > 1)) {
        ++negative;
        continue;
      }
      double sum = 0;
      for (int i = 0; i < n; ++i) {
        const double r = y[i] - a * g[i];
        sum += r * r;
      }
      Candidate c;
      c.dchi2 = static_cast<float>(sum - chi2c);
      c.m0 = gbar * a + mavg;
      c.a0 = apeak;
      c.y0 = ainv(apeak);
      const float w = thalf(apeak);
      // The time at which the bump has fallen to the brightening of half the
      // peak magnification excess, over the point-lens half-width.
      const float r = std::log10((1 + apeak) / 2) / std::log10(apeak);
      c.te = tsig * std::sqrt(-2 * std::log(r)) / w;
      c.logpr = 0;
      if (s.siglogte > 0) {
        const float v = (std::log10(c.te) - s.avglogte) / s.siglogte;
        c.logpr = std::log10(std::exp(-0.5f * v * v));
      }
      c.logp = -0.5f * c.dchi2 * log10e + c.logpr;
      c.score = -c.logp;
      c.t0 = tau;
      c.tsig = tsig;
      if (c.score <= local.score) local = c;
    }
    if (nodata > 0)
      say("No data near", nodata, " of", nc, " ",
          nint(100.0f * static_cast<float>(nodata) / static_cast<float>(std::max(nc, 1))),
          " % of t0 values.");
    if (negative > 0)
      say("Negative mag for", negative, " of", nc, " ",
          nint(100.0f * static_cast<float>(negative) / static_cast<float>(std::max(nc, 1))),
          " % of t0 values.");
    say(" Local best     Log(Pr)", local.logpr, "     Dchi2", local.dchi2, " Log(P)", local.logp);
    say(" t0", local.t0, " tsig", tsig, " te", local.te);
    say(" m0", local.m0, " A", local.a0, " y0", local.y0);
    if (local.score < noscore && local.score <= global.score) {
      global = local;
      found = true;
      s.smag0 = local.m0;
      s.a0 = local.a0;
      s.y0 = local.y0;
      say("** KEEP THIS ONE.  IT IS THE BEST YET !   :)");
    }
    say("GLOBAL BEST     Log(Pr)", global.logpr, "     Dchi2", global.dchi2, " Log(P)",
        global.logp);
    say(" t0", global.t0, " tsig", global.tsig, " te", global.te);
    say(" m0", s.smag0, " A", s.a0, " y0", s.y0);
  }
  return found;
}

}  // namespace

void guesslens() {
  ProgramState& s = state();
  say();
  say("guesslens *********** nloc", s.nloc, " ndata", s.ndata);
  if (s.ndata < 1) return;
  reset_model(s);
  say("guesslens default parameters:");
  s.loc = 1;
  say("loc", 1, " nloc", s.nloc);
  showpar();

  const int n = s.ndat_l(1);
  if (n <= 0) {
    diag("** WARNING: No data.");
  } else {
    float tlo, thi, mlo, mhi, slo, shi;
    mnmx(n, &s.t_t(1), tlo, thi);
    mnmx(n, &s.datmag_t(1), mlo, mhi);
    mnmx(n, &s.sigmag_t(1), slo, shi);
    const float mmed = xmedian(n, &s.datmag_t(1));
    float mavg, sigavg;
    optavg(n, &s.datmag_t(1), &s.sigmag_t(1), mavg, sigavg);
    say("observed times:", n, tlo, thi);
    say("observed mags:", n, mlo, mhi, " med", mmed);
    say("observed sigs:", n, slo, shi);
    const double chi2c = constant_chi2(s, n, mavg);
    say("optimal average mag:", mavg, "+/-", sigavg);
    say_constant(chi2c, n);
    say("median mag:", mmed);
    say_constant(constant_chi2(s, n, mmed), n);
    say("baseline mag:", mavg);
    say_constant(chi2c, n);

    Candidate best;
    if (bump_search(s, n, mavg, chi2c, best)) {
      s.hjd0 = s.mjd0 + static_cast<double>(best.t0);
      s.t0 = best.t0;
      s.te = best.te;
    } else {
      // Nothing brightens (a single point, one time only, or a fading light
      // curve): the neutral model peaks at the brightest point on the median.
      int ib = 1;
      for (int i = 2; i <= n; ++i)
        if (s.datmag_t(i) < s.datmag_t(ib)) ib = i;
      diag("** WARNING: no brightening found; the peak is put at the brightest point.");
      s.hjd0 = s.hjd_t(ib);
      s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
      s.smag0 = mmed;
    }
    say("med mag", mmed, " opt avg mag", s.smag0);
    if (s.smag0 < mmed) {
      const float m0 = s.smag0, aold = s.a0, u0 = s.y0, te = s.te;
      const float k = std::pow(10.0f, 0.4f * (mmed - s.smag0));
      s.a0 = s.a0 * k;
      s.y0 = ainv(s.a0);
      const float ratio = thalf(aold) / thalf(s.a0);
      s.te = s.te * ratio;
      s.smag0 = mmed;
      say("m0 =", m0, " => median mag", mmed);
      say("A0 =", aold, " x", k, " =", s.a0);
      say("u0 =", u0, " =>", s.y0);
      say("te =", te, " x", ratio, " =", s.te);
    }
  }

  for (int l = 1; l <= s.nloc; ++l) {
    s.fs_l(l) = 1;
    s.fb_l(l) = 0;
  }
  s.npfit = 1;
  fitfsfb();
  say("guesslens final parameters:");
  say("*********************************");
}

}  // namespace zolka
