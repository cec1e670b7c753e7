#include "fit/badness.h"

#include <algorithm>
#include <cmath>

#include "fit/packing.h"
#include "fit/prediction.h"
#include "lens/point_lens.h"
#include "numeric/stats.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"
#include "shell/model/current_site.h"
#include "shell/model/photometry.h"

namespace zolka {

namespace {

constexpr float ln2pi = 1.8378771f;  // ln(2 pi)

void report_bad_error_bar(const ProgramState& s, int i, int l, float d, float p, float e) {
  const float sig = s.sigflx_t(i);
  diag("** bof_flx ERROR divide by ZERO error bar.");
  diag("** point", i, " t", static_cast<float>(s.hjd_t(i) - s.mjd0), " site ", s.site_l(l));
  diag("** flux", d, " model", p);
  diag("** sigflx", sig, " error bar", e);
  diag("** eta0", sig != 0 ? (d - p) / sig : 0.0f, " eta", e != 0 ? (d - p) / e : 0.0f);
}

// Weighted least-squares scale fs of d ~ fs (a + b) over the site's points:
// the arithmetic of optscl with x = a + b formed in single precision.
void scale_fit(const ProgramState& s, int i1, int i2, float b, float& fs, float& sigfs) {
  double ym = 0, mm = 0;
  for (int i = i1; i <= i2; ++i) {
    const float sig = s.erbflx_t(i);
    if (sig <= 0) continue;
    const float x = s.a_t(i) + b;
    const double w = 1.0 / (static_cast<double>(sig) * sig);
    ym += w * s.datflx_t(i) * x;
    mm += w * x * x;
  }
  if (i2 < i1 || mm <= 0) {
    fs = 0;
    sigfs = -1;
    return;
  }
  fs = static_cast<float>(ym / mm);
  sigfs = static_cast<float>(std::sqrt(1.0 / mm));
}

}  // namespace

void fitfsfb_l(int l) {
  ProgramState& s = state();
  const int nd = s.ndat_l(l);
  const int i1 = s.it1_l(l);
  const int i2 = i1 + nd - 1;
  s.fs = 1;
  s.apiv = 0;
  s.sigfb = 0;
  s.sigfs = 0;
  enum { none, scale, line } kind = none;
  if (s.npfit < 5) {
    if (s.npfit > 0 && nd > 0) kind = scale;
  } else if (nd < 2) {
    if (nd == 1) kind = scale;
  } else if (l == 1 && s.fixb0) {
    kind = scale;
  } else {
    kind = line;
  }
  if (kind == none) {
    s.linearpar = 0;
    s.fs = 1;
    s.fb = 0;
  } else if (kind == scale) {
    // The blend ratio is held at b0: fs (A + b0).
    s.linearpar = 1;
    scale_fit(s, i1, i2, s.b0, s.fs, s.sigfs);
    s.fb = s.b0 * s.fs;
    s.sigfb = 0;
  } else {
    // d = fpiv + fs (A - apiv), apiv the weighted mean magnification.
    s.linearpar = 2;
    float fpiv;
    fitline(nd, &s.a_t(i1), &s.datflx_t(i1), &s.erbflx_t(i1), s.apiv, fpiv, s.fs, s.sigfb, s.sigfs);
    s.fb = fpiv - s.apiv * s.fs;
  }
  if (kind != none && s.fs <= 0) {
    // No positive source flux with a blend: the source alone.
    s.linearpar = 1;
    s.fb = 0;
    s.sigfb = 0;
    s.apiv = 0;
    scale_fit(s, i1, i2, 0, s.fs, s.sigfs);
  }
  if (kind != none && s.fs <= 0) {
    // Nothing to weigh (every error bar of the site is zero): a zero source
    // flux would make the site's scale factors infinite and, for site 1,
    // stop the program in the magnitude of the baseline. The site keeps its
    // fluxes, marked by sigfs = -1.
    s.linearpar = 0;
    s.fs = s.fs_l(l) > 0 ? s.fs_l(l) : 1.0f;
    s.fb = s.fs_l(l) > 0 ? s.fb_l(l) : 0.0f;
    s.sigfs = -1;
  }
  stowfsfb_l(l);
}

void fitfsfb() {
  newpredat();
  for (int l = 1; l <= state().nloc; ++l) fitfsfb_l(l);
  subsidiaries();
}

float prior() {
  ProgramState& s = state();
  s.a0 = atotl(s.y0);
  float p = 2 * std::log(s.te);
  if (s.siglogf > 0) {
    const float v = (std::log10(s.erbscl) - s.avglogf) / s.siglogf;
    p += v * v + ln2pi + 2 * std::log(s.siglogf);
  }
  if (s.siglogte > 0) {
    const float w = (std::log10(s.te) - s.avglogte) / s.siglogte;
    p += w * w + ln2pi + 2 * std::log(s.siglogte);
  }
  // Exponential density of log10 A0 with mean sigloga0; a negative mean has
  // no density (its logarithm is undefined), so it counts as no prior.
  if (s.sigloga0 > 0) p += 2 * (std::log(s.sigloga0) + std::log10(s.a0) / s.sigloga0);
  // The peak inside the data: a Gaussian penalty in units of half the peak's
  // half-width beyond the first or last point.
  const float t0 = static_cast<float>(s.hjd0 - s.mjd0);
  const float w = 0.5f * s.te * std::min(1.0f, std::max(0.001f, thalf(s.a0)));
  const float e = std::max((t0 - s.tlast) / w, (s.tfirst - t0) / w);
  if (e > 0) p += e * e;
  if (s.sigbpos > 0 && s.sigbneg > 0) {
    for (int l = 1; l <= s.nloc; ++l) {
      const float x = s.fb_l(l) / s.fs_l(l) - s.cenb;
      const float sig = x < 0 ? s.sigbneg : s.sigbpos;
      p += (x / sig) * (x / sig);
    }
  }
  return p;
}

namespace {

// The badness of fit; with corrections, also the stored magnitudes and the
// seeing corrections, which the sum itself does not use.
constexpr int lnchunk = 16;  // error bars multiplied before one logarithm

void evaluate(float& bof, int& nd, int& np, bool corrections) {
  ProgramState& s = state();
  bof = 0;
  nd = 0;
  np = 0;
  if (s.ndata < 1) return;

  // Fresh magnifications and fluxes, then fs, fb of every site. When the
  // seeing regression refreshes the predictions (ksee != 3) the magnitudes of
  // the first pass would be overwritten unread, so that pass skips them and
  // the refresh is folded into the sum below: the model has not moved, so
  // the stored a_t are the magnifications the refresh would compute.
  const bool refresh = s.ksee != 3 || !corrections;
  const bool magnitudes = corrections && refresh;
  if (refresh)
    newpredat_flux();
  else
    newpredat();
  for (int l = 1; l <= s.nloc; ++l) fitfsfb_l(l);
  subsidiaries();

  const int remembered = s.loc >= 1 && s.loc <= s.nloc ? s.loc : 1;
  const float baseflux = toflx(s.smag0);
  const float smag0 = s.smag0;
  const float* at = s.a_t.data() - 1;
  const float* datflx = s.datflx_t.data() - 1;
  const float* sigflx = s.sigflx_t.data() - 1;
  const float* sigmag = s.sigmag_t.data() - 1;
  float* preflx = s.preflx_t.data() - 1;
  float* erbflx = s.erbflx_t.data() - 1;
  float* premag = s.premag_t.data() - 1;
  float* erbmag = s.erbmag_t.data() - 1;
  float* clip = s.clip_t.data() - 1;
  double total = 0;
  for (int l = 1; l <= s.nloc; ++l) {
    setsite(l);
    const SiteErrorModel em(s, l, baseflux);
    const float fs = s.fs, fb = s.fb;
    double s0 = 0, s1 = 0, lnsum = 0;
    // The sum of ln e is taken as the log of running products, flushed every
    // few points (and before the product could leave double's range), which
    // saves a logarithm per point.
    double eprod = 1;
    int inprod = 0;
    int n = 0;
    for (int i = s.it1_l(l); i <= s.it2_l(l); ++i) {
      const float p = fs * at[i] + fb;
      const float e = em.err(sigflx[i], p);
      if (refresh) {
        preflx[i] = p;
        erbflx[i] = e;
      }
      if (magnitudes) {
        const float m = model_magnitude(p);
        premag[i] = m;
        erbmag[i] = em.mag(sigmag[i], m, smag0);
      }
      const float d = datflx[i];
      const float sig = sigflx[i];
      if (sig <= 0 || e <= 0) {
        report_bad_error_bar(s, i, l, d, p, e);
        continue;
      }
      const float eta0 = (d - p) / sig;
      const float eta = (d - p) / e;
      s0 += eta0 * eta0;
      s1 += eta * eta;
      eprod *= e;
      if (++inprod == lnchunk || !(eprod > 1e-150 && eprod < 1e150)) {
        lnsum += std::log(eprod);
        eprod = 1;
        inprod = 0;
      }
      ++n;
      clip[i] = 1;
    }
    lnsum += std::log(eprod);
    lnsum *= 2;
    const int nlin = s.npfit <= 0 ? 0 : std::min(n, s.npfit >= 4 ? 2 : 1);
    // Sites after the first carry their own error-bar scale, set so that
    // their chi-square per degree of freedom is 1 (site 1's is a parameter).
    if (s.npfit >= 7 && l >= 2 && n >= 5 && s0 > 0) {
      const double g = s1 / std::max(n - nlin, 1);
      s1 /= g;
      lnsum += n * std::log(g);
      if (g > 1e-4) s.erbscl_l(l) *= static_cast<float>(std::sqrt(g));
    }
    s.chi2_l(l) = static_cast<float>(s1);
    s.ndf_l(l) = std::max(n - nlin, 0);
    total += s1 + lnsum;
    nd += n;
    np += nlin;
  }
  // The seeing regression reads the refreshed predictions with site 1's
  // scaling current (for ksee = 3, the predictions of the first pass).
  if (corrections) {
    setfsfb_l(1);
    seecor_fresh();
  }
  setsite(remembered);
  bof = static_cast<float>(total + prior());
  if (nd != s.ndata) diag("** WARNING bof_flx NDATA=", s.ndata, " ND=", nd);
}

}  // namespace

void badness(float& bof, int& nd, int& np) {
  evaluate(bof, nd, np, true);
}

float abof(const float* p) {
  desafe(p);
  // Inside the simplex nothing reads the stored magnitudes or the seeing
  // corrections, and the fit refreshes both after it (fit0: fitfsfb and
  // seecor), so the objective leaves them out; the value is the same.
  float bof;
  int nd, np;
  evaluate(bof, nd, np, false);
  return bof;
}

void showfsfb_l(int l) {
  ProgramState& s = state();
  if (l < 1 || l > s.nloc) return;
  setfsfb_l(l);
  std::string t;
  append(t, "f(");
  append_i(t, l);
  append(t, ") = (");
  append_n(t, s.fs, 3);
  append(t, "+/-");
  append_n(t, s.sigfs, 2);
  append(t, ") ( A -");
  append_n(t, s.apiv, 4);
  append(t, ") + (");
  append_n(t, s.fb, 3);
  append(t, "+/-");
  append_n(t, s.sigfb, 2);
  append(t, ")");
  nospace(t);
  say(t);
  setfsfb_l(1);
}

void blendprioroff() {
  ProgramState& s = state();
  s.sigbposoff = s.sigbpos;
  s.sigbnegoff = s.sigbneg;
  s.sigbpos = 0;
  s.sigbneg = 0;
}

void blendprioron() {
  ProgramState& s = state();
  s.sigbpos = s.sigbposoff;
  s.sigbneg = s.sigbnegoff;
}

}  // namespace zolka
