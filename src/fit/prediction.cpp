#include "fit/prediction.h"

#include <algorithm>
#include <cmath>

#include "lens/multi_planet.h"
#include "lens/point_lens.h"
#include "shell/core/print.h"
#include "shell/model/current_site.h"
#include "shell/model/photometry.h"

namespace zolka {

namespace {

// The current-site copies of the error model hold site 1's values after an
// error-bar evaluation.
void site1_error_copies(ProgramState& s) {
  if (s.nloc < 1) return;
  s.syserr = s.syserr_l(1);
  s.sigmag0 = s.sigmag0_l(1);
  s.erbscl = s.erbscl_l(1);
}

[[noreturn]] void preamp_failure(const ProgramState& s, double hjd, float tau, float a) {
  diag("** ERROR in preamp.   A=", a, " :((((");
  diag("** hjd", hjd, " hjd0", s.hjd0, " te", s.te, " x0", tau, " y0", s.y0);
  if (s.qpl > 0) diag("** q", s.qpl, " xp,yp", s.xpl, s.ypl);
  if (s.aspused) diag("asp(", tau, s.y0, s.xpl, s.ypl, s.qpl, " )=", a);
  die();
}

// The magnification of point i without the failure check; tau as preamp.
inline float amplification(ProgramState& s, double hjd, float& tau) {
  tau = static_cast<float>((hjd - s.hjd0) / s.te);
  if (s.qpl > 0) {
    s.aspused = true;
    return asp(tau, s.y0, 1, &s.xpl, &s.ypl, &s.qpl);
  }
  return atotl(std::sqrt(s.y0 * s.y0 + tau * tau));
}

// The prediction of every point, with the magnitudes when wanted. Sites
// occupy the blocks it1_l .. it2_l of the store; the loop runs over them with
// the arrays and the model in locals (bench_fit BM_badness).
void predict_all(bool magnitudes) {
  ProgramState& s = state();
  if (s.ndata < 1) return;
  const float baseflux = toflx(s.smag0);
  const double hjd0 = s.hjd0;
  const float te = s.te, y0 = s.y0, smag0 = s.smag0;
  const bool planet = s.qpl > 0;
  const double* hjd = s.hjd_t.data() - 1;
  const float* sigflx = s.sigflx_t.data() - 1;
  const float* sigmag = s.sigmag_t.data() - 1;
  float* at = s.a_t.data() - 1;
  float* preflx = s.preflx_t.data() - 1;
  float* erbflx = s.erbflx_t.data() - 1;
  float* premag = s.premag_t.data() - 1;
  float* erbmag = s.erbmag_t.data() - 1;
  for (int l = 1; l <= s.nloc; ++l) {
    const SiteErrorModel em(s, l, baseflux);
    const float fs = s.fs_l(l), fb = s.fb_l(l);
    for (int i = s.it1_l(l); i <= s.it2_l(l); ++i) {
      float tau, a;
      if (planet) {
        a = amplification(s, hjd[i], tau);
      } else {
        tau = static_cast<float>((hjd[i] - hjd0) / te);
        a = atotl(std::sqrt(y0 * y0 + tau * tau));
      }
      if (a < minmagnification) preamp_failure(s, hjd[i], tau, a);
      const float f = fs * a + fb;
      const float e = em.err(sigflx[i], f);
      if (a <= minmagnification) {
        diag("** ERROR in newpredat.  pflx=", f, " A", a);
        diag("** t(", i, " )=", hjd[i] - s.mjd0, " loc", l, " fs", fs, " fb", fb);
        diag("** MAGNIFICATION A=", a, " MUST BE >", minmagnification);
        die();
      }
      at[i] = a;
      preflx[i] = f;
      erbflx[i] = e;
      if (magnitudes) {
        const float m = model_magnitude(f);
        premag[i] = m;
        erbmag[i] = em.mag(sigmag[i], m, smag0);
      }
    }
  }
  setfsfb_l(1);
  site1_error_copies(s);
}

// Regression through the origin of the residual of kind k on the regressor
// e(i), over the points i1 .. i2 whose x lies strictly inside (lo, hi):
// kappa = sum r e / sum e^2, left as it was when sum e^2 = 0.
void regress(int i1, int i2, const Vec1<float>& x, float lo, float hi, int k, float (*e)(int),
             float& kappa) {
  double sre = 0, see = 0;
  for (int i = i1; i <= i2; ++i) {
    if (!(x(i) > lo && x(i) < hi)) continue;
    const float r = resid(i, k);
    const float ei = e(i);
    sre += r * ei;
    see += ei * ei;
  }
  if (see != 0) kappa = static_cast<float>(sre / see);
}

}  // namespace

SiteErrorModel::SiteErrorModel(const ProgramState& s, int l, float baseflux)
    : scale(s.erbscl_l(l)), sys(s.syserr_l(l)), sig0(s.sigmag0_l(l)) {
  const float b = baseflux * sigrelflx_sigmag * sig0;
  basevar = b * b;
}

float model_magnitude(float f) {
  return f > 0 ? std::min(maxpremag, tomag(f)) : maxpremag;
}

float preamp(double hjd) {
  ProgramState& s = state();
  float tau;
  const float a = amplification(s, hjd, tau);
  if (a < minmagnification) preamp_failure(s, hjd, tau, a);
  return a;
}

float preflx(double hjd) {
  const ProgramState& s = state();
  const float a = preamp(hjd);
  return s.fs * a + s.fb;
}

float premag(double hjd) {
  const ProgramState& s = state();
  return s.smag0 + blendmag(preamp(hjd), s.b0);
}

float erbflx(int i, float f) {
  ProgramState& s = state();
  const SiteErrorModel em(s, s.loc_t(i), toflx(s.smag0));
  const float e = em.err(s.sigflx_t(i), f);
  site1_error_copies(s);
  return e;
}

float erbmag(int i, float m) {
  ProgramState& s = state();
  const SiteErrorModel em(s, s.loc_t(i), 0);
  const float e = em.mag(s.sigmag_t(i), m, s.smag0);
  site1_error_copies(s);
  return e;
}

void newpredat() {
  predict_all(true);
}

void newpredat_flux() {
  predict_all(false);
}

float etaflx_i(int i) {
  const ProgramState& s = state();
  if (s.erbflx_t(i) <= 0) return 0;
  return (s.datflx_t(i) - s.preflx_t(i)) / s.erbflx_t(i);
}

float resid(int i, int k) {
  const ProgramState& s = state();
  if (k == 1) return s.datflx_t(i) - s.preflx_t(i);
  if (k == 2) return s.datmag_t(i) - s.premag_t(i);
  return etaflx_i(i);
}

void resids(int k, float* r, float* e) {
  ProgramState& s = state();
  if (k != 3) newpredat();
  for (int i = 1; i <= s.ndata; ++i) {
    r[i - 1] = resid(i, k);
    e[i - 1] = k == 1 ? s.erbflx_t(i) : k == 2 ? s.erbmag_t(i) : 1.0f;
  }
}

float eps_see(int i) {
  const ProgramState& s = state();
  return s.see_t(i) - s.seemed_l(s.loc_t(i));
}

float eta_see(int i) {
  return eps_see(i) / state().a_t(i);
}

float eps_sky(int i) {
  const ProgramState& s = state();
  return s.sky_t(i) - s.skymed_l(s.loc_t(i));
}

void seecor() {
  const ProgramState& s = state();
  if (s.ndata < 1) return;
  if (s.ksee != 3) newpredat();
  seecor_fresh();
}

void seecor_fresh() {
  ProgramState& s = state();
  if (s.ndata < 1) return;
  for (int l = 1; l <= s.nloc; ++l) {
    const int i1 = s.it1_l(l);
    const int i2 = s.it1_l(l) + s.ndat_l(l) - 1;
    float kappa = 0;
    if (s.ksee > 0) regress(i1, i2, s.see_t, s.seebot, s.seetop, s.ksee, eta_see, kappa);
    s.seefac_l(l) = kappa;
    for (int i = i1; i <= i2; ++i) {
      s.seemag_t(i) = 0;
      s.seefac_t(i) = 1;
      if (!(s.see_t(i) > 0)) continue;
      if (s.ksee == 2) {
        const float u = kappa * eta_see(i);
        s.seemag_t(i) = u;
        s.seefac_t(i) = std::pow(10.0f, 0.4f * u);
      } else if (s.ksee == 1) {
        // Relative to the model flux with site 1's scaling, current here.
        const float d = 1 + kappa * eta_see(i) / preflx(s.hjd_t(i));
        // A correction that would make the flux non-positive is left out.
        if (d > 0) {
          s.seemag_t(i) = 2.5f * std::log10(d);
          s.seefac_t(i) = d;
        }
      }
    }
  }
}

void skycor() {
  ProgramState& s = state();
  say("skycor ****", s.ksky, s.skybot, s.skytop);
  if (s.ndata < 1) return;
  if (s.ksky != 3) newpredat();
  for (int l = 1; l <= s.nloc; ++l) {
    float kappa = 1;
    regress(s.it1_l(l), s.it1_l(l) + s.ndat_l(l) - 1, s.sky_t, s.skybot, s.skytop, s.ksky, eps_sky,
            kappa);
    s.skyfac_l(l) = kappa;
  }
}

float corflx(int i) {
  const ProgramState& s = state();
  float f = s.datflx_t(i);
  const int l = s.loc_t(i);
  if (l > 1) f = (f + s.addflx_l(l)) * s.sitefac_l(l);
  if (s.ksee != 0) f *= s.seefac_t(i);
  return f;
}

float erbcorflx(int i, float f) {
  const ProgramState& s = state();
  float e = erbflx(i, f);
  const int l = s.loc_t(i);
  if (l > 1) e *= s.sitefac_l(l);
  if (s.ksee != 0) e *= s.seefac_t(i);
  return e;
}

}  // namespace zolka
