#include "shell/model/current_site.h"

#include <cmath>

#include "lens/point_lens.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/model/photometry.h"

namespace zolka {

void setfsfb_l(int l) {
  ProgramState& s = state();
  s.fs = s.fs_l(l);
  s.fb = s.fb_l(l);
  s.sigfs = s.sigfs_l(l);
  s.sigfb = s.sigfb_l(l);
  s.apiv = s.apiv_l(l);
}

void stowfsfb_l(int l) {
  ProgramState& s = state();
  s.fs_l(l) = s.fs;
  s.fb_l(l) = s.fb;
  s.sigfs_l(l) = s.sigfs;
  s.sigfb_l(l) = s.sigfb;
  s.apiv_l(l) = s.apiv;
}

void setsite(int l) {
  ProgramState& s = state();
  if (s.nloc < 1) return;
  if (l < 1 || l > s.nloc) {
    diag("** INVALID SITE setsite(", l, " )", s.loc, s.nloc, maxsite);
    return;
  }
  s.loc = l;
  s.site = s.site_l(l);
  s.glat = s.glat_l(l);
  s.glon = s.glon_l(l);
  s.elev = s.elev_l(l);
  s.diam = s.diam_l(l);
  s.sigmag0 = s.sigmag0_l(l);
  s.erbscl = s.erbscl_l(l);
  s.syserr = s.syserr_l(l);
  s.avglogf = s.avglogf_l(l);
  s.siglogf = s.siglogf_l(l);
  setfsfb_l(l);
  subsidiaries_l(l);
  s.b0 = s.b0_l(l);
  s.addflx = s.addflx_l(l);
  s.addmag = s.addmag_l(l);
  s.sitefac = s.sitefac_l(l);
}

void stowsite(int l) {
  ProgramState& s = state();
  if (s.nloc < 1) return;
  if (l < 1 || l > s.nloc) {
    diag("** INVALID LOCATION", l, s.loc, s.nloc, maxsite);
    return;
  }
  s.site_l(l) = s.site;
  s.glat_l(l) = s.glat;
  s.glon_l(l) = s.glon;
  s.elev_l(l) = s.elev;
  s.diam_l(l) = s.diam;
  s.sigmag0_l(l) = s.sigmag0;
  s.erbscl_l(l) = s.erbscl;
  s.syserr_l(l) = s.syserr;
  s.avglogf_l(l) = s.avglogf;
  s.siglogf_l(l) = s.siglogf;
  stowfsfb_l(l);
  subsidiaries_l(l);
}

void subsidiaries_l(int l) {
  ProgramState& s = state();
  s.sitefac_l(l) = s.fs_l(1) / s.fs_l(l);
  s.addmag_l(l) = -2.5f * std::log10(s.sitefac_l(l));
  s.addflx_l(l) = s.fb_l(1) / s.sitefac_l(l) - s.fb_l(l);
  s.b0_l(l) = s.fb_l(l) / s.fs_l(l);
}

void subsidiaries() {
  ProgramState& s = state();
  for (int l = 1; l <= s.nloc; ++l) subsidiaries_l(l);
  s.a0 = atotl(s.y0);
  // Without sites there is no site 1 to take the baseline from; the empty row's
  // zero flux would otherwise stop the program in tomag.
  if (s.nloc < 1) return;
  s.smag0 = tomag(std::fabs(s.fs_l(1) + s.fb_l(1)));
  s.b0 = s.fb_l(1) / s.fs_l(1);
}

void neutralsite(int l) {
  ProgramState& s = state();
  s.fs_l(l) = 1;
  s.fb_l(l) = 0;
  s.sigfs_l(l) = 0;
  s.sigfb_l(l) = 0;
  s.apiv_l(l) = 1;
  s.addmag_l(l) = 0;
  s.b0_l(l) = 0;
  s.sigmag0_l(l) = 0;
  s.erbscl_l(l) = 1;
  s.syserr_l(l) = s.syserr;
  s.avglogf_l(l) = s.avglogf;
  s.siglogf_l(l) = s.siglogf;
  s.chi2_l(l) = 0;
  s.ndf_l(l) = 0;
  s.seefac_l(l) = 0;
  s.skyfac_l(l) = 0;
}

}  // namespace zolka
