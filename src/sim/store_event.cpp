#include "sim/store_event.h"

#include "lightcurve/store.h"
#include "numeric/stats.h"
#include "shell/core/state.h"
#include "shell/model/current_site.h"

namespace zolka::sim {

void store_event(const SimEvent& ev) {
  ProgramState& s = state();
  const std::vector<std::vector<SimPoint>> points = simulate(ev);
  int total = 0;
  for (const auto& site : points) total += static_cast<int>(site.size());
  s.resize(total);
  s.ndata = 0;
  s.nloc = 0;
  const bool seeing = ev.columns >= 6;
  for (std::size_t k = 0; k < points.size(); ++k) {
    const int n = static_cast<int>(points[k].size());
    if (n < 1) continue;
    const int l = ++s.nloc;
    s.it1_l(l) = s.ndata + 1;
    s.it2_l(l) = s.ndata + n;
    s.ndat_l(l) = n;
    s.site_l(l) = std::string(1, ev.sites[k].scope);
    s.fs_l(l) = 1;
    s.fb_l(l) = 0;
    s.erbscl_l(l) = 1;
    s.sigmag0_l(l) = 0;
    s.syserr_l(l) = s.syserr;
    s.avglogf_l(l) = s.avglogf;
    s.siglogf_l(l) = s.siglogf;
    for (const SimPoint& p : points[k]) {
      const int i = ++s.ndata;
      s.hjd_t(i) = p.hjd;
      s.datmag_t(i) = p.mag;
      s.sigmag_t(i) = p.err;
      s.see_t(i) = seeing ? p.see : -1.0f;
      s.sky_t(i) = seeing ? p.sky : -1.0f;
      s.dwell_t(i) = seeing ? p.dwell : -1.0f;
      s.loc_t(i) = l;
      s.clip_t(i) = 1;
      s.seemag_t(i) = 0;
      s.seefac_t(i) = 1;
    }
    s.seemed_l(l) = xmedian(n, &s.see_t(s.it1_l(l)));
    s.skymed_l(l) = xmedian(n, &s.sky_t(s.it1_l(l)));
  }
  timearray();
  dat_mag_to_flx();
  setsite(1);
  subsidiaries();
}

}  // namespace zolka::sim
