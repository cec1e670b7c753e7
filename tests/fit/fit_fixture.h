// Light curves put straight into the store for the fitting tests: sites of
// hand-made points, or a simulated event.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "lightcurve/store.h"
#include "shell/core/state.h"
#include "shell/model/current_site.h"
#include "shell/model/photometry.h"
#include "shell/model/startup.h"
#include "sim/store_event.h"

namespace zolka::test {

// One measured point: time (HJD), flux and flux error bar.
struct Pt {
  double hjd;
  float flux;
  float sig;
};

// Replaces the store by the given sites (site l's points in order), with
// neutral site rows: fs_l = 1, fb_l = 0, erbscl_l = 1, sigmag0_l = 0,
// syserr_l = 0, no seeing or sky. Times are normalised as a load does.
inline void store_sites(const std::vector<std::vector<Pt>>& sites) {
  ProgramState& s = state();
  int n = 0;
  for (const auto& site : sites) n += static_cast<int>(site.size());
  s.resize(n);
  s.ndata = 0;
  s.nloc = 0;
  for (const auto& site : sites) {
    const int l = ++s.nloc;
    s.it1_l(l) = s.ndata + 1;
    for (const Pt& p : site) {
      const int i = ++s.ndata;
      s.hjd_t(i) = p.hjd;
      s.datflx_t(i) = p.flux;
      s.sigflx_t(i) = p.sig;
      float m = p.flux > 0 ? p.flux : 1, e = p.sig;
      if (p.flux > 0) flx_to_mag(m, e);
      s.datmag_t(i) = m;
      s.sigmag_t(i) = e;
      s.see_t(i) = -1;
      s.sky_t(i) = -1;
      s.loc_t(i) = l;
      s.clip_t(i) = 1;
      s.seefac_t(i) = 1;
    }
    s.it2_l(l) = s.ndata;
    s.ndat_l(l) = static_cast<int>(site.size());
    s.site_l(l) = "S" + std::to_string(l);
    s.fs_l(l) = 1;
    s.fb_l(l) = 0;
    s.erbscl_l(l) = 1;
    s.sigmag0_l(l) = 0;
    s.syserr_l(l) = 0;
    s.avglogf_l(l) = 0;
    s.siglogf_l(l) = 0;
  }
  timearray();
  setsite(1);
}

// A point-lens light curve sampled at n points from hjd1 to hjd2 with
// exact fluxes fs A + fb and error bars sig (no noise).
inline std::vector<Pt> exact_site(double hjd0, float te, float u0, float fs, float fb, int n,
                                  double hjd1, double hjd2, float sig) {
  std::vector<Pt> pts;
  for (int k = 0; k < n; ++k) {
    const double t = hjd1 + (hjd2 - hjd1) * k / std::max(n - 1, 1);
    const float tau = static_cast<float>((t - hjd0) / te);
    const float u = std::sqrt(u0 * u0 + tau * tau);
    const float a = (u * u + 2) / (u * std::sqrt(u * u + 4));
    pts.push_back({t, fs * a + fb, sig});
  }
  return pts;
}

// Site rows without points, for the listings and the editors: n sites named
// OGLE, LaSilla, S3, ... at latitude -29.254, longitude 289.27, height 2335.5 m,
// aperture 1.54 m, with 150 l points counted; fluxes and error model as given.
inline void site_rows(int n, float fs, float fb, float erbscl, float sigmag0, float syserr) {
  ProgramState& s = state();
  s.nloc = n;
  for (int l = 1; l <= n; ++l) {
    s.site_l(l) = l == 1 ? "OGLE" : l == 2 ? "LaSilla" : "S" + std::to_string(l);
    s.ndat_l(l) = 150 * l;
    s.fs_l(l) = fs * static_cast<float>(l);
    s.fb_l(l) = fb * static_cast<float>(l);
    s.erbscl_l(l) = erbscl;
    s.sigmag0_l(l) = sigmag0;
    s.syserr_l(l) = syserr;
    s.glat_l(l) = -29.254;
    s.glon_l(l) = 289.27;
    s.elev_l(l) = 2335.5;
    s.diam_l(l) = 1.54f;
  }
}

// The point-lens model without a planet.
inline void set_model(double hjd0, float te, float y0) {
  ProgramState& s = state();
  s.hjd0 = hjd0;
  s.te = te;
  s.y0 = y0;
  s.qpl = 0;
}

// Priors off: no prior term but the 1/te density and the peak-time term.
inline void no_priors() {
  ProgramState& s = state();
  s.siglogf = 0;
  s.siglogte = 0;
  s.sigloga0 = 0;
  s.sigbpos = 0;
  s.sigbneg = 0;
  for (int l = 1; l <= s.nloc; ++l) s.siglogf_l(l) = 0;
}

}  // namespace zolka::test
