// The site table: one row per loaded file l = 1 .. nloc. Site 1 is the
// reference: a flux f of site l maps onto site 1's scale as
// (f + addflx_l(l)) * sitefac_l(l).
#pragma once

#include <string>

#include "shell/core/array1.h"

namespace zolka {

constexpr int maxsite = 50;  // capacity of the site table

struct SiteTable {
  int nloc = 0;                          // number of sites in use
  Arr1<int, maxsite> it1_l;              // first store index of the site's points
  Arr1<int, maxsite> it2_l;              // last store index of the site's points
  Arr1<int, maxsite> ndat_l;             // number of points, it2_l - it1_l + 1
  Arr1<std::string, maxsite> datfile_l;  // data file the site was read from (text 128)
  Arr1<std::string, maxsite> site_l;     // site name (text 128)
  Arr1<std::string, maxsite> colour_l;   // plot colour name (text 20)
  Arr1<char, maxsite> icon_l;            // plot symbol letter
  Arr1<double, maxsite> glat_l;          // latitude, degrees north
  Arr1<double, maxsite> glon_l;          // longitude, degrees east
  Arr1<double, maxsite> elev_l;          // elevation, metres
  Arr1<float, maxsite> diam_l;           // telescope aperture, metres
  Arr1<float, maxsite> fs_l;             // source flux, flux units
  Arr1<float, maxsite> fb_l;             // blend flux, flux units
  Arr1<float, maxsite> b0_l;             // blend ratio fb_l/fs_l
  Arr1<float, maxsite> erbscl_l;         // error-bar scale factor
  Arr1<float, maxsite> sigmag0_l;        // baseline noise, mag
  Arr1<float, maxsite> syserr_l;         // systematic error floor, mag
  Arr1<float, maxsite> addmag_l;   // magnitude offset relative to site 1, -2.5 log10(sitefac_l)
  Arr1<float, maxsite> sitefac_l;  // fs_l(1)/fs_l(l)
  Arr1<float, maxsite> addflx_l;   // fb_l(1)/sitefac_l - fb_l, flux units
  Arr1<float, maxsite> avglogf_l;  // prior mean of log10(erbscl_l)
  Arr1<float, maxsite> siglogf_l;  // prior width of log10(erbscl_l)
  Arr1<float, maxsite> sigfs_l;    // uncertainty of fs_l
  Arr1<float, maxsite> sigfb_l;    // uncertainty of fb_l
  Arr1<float, maxsite> apiv_l;     // pivot magnification of the flux fit
  Arr1<float, maxsite> chi2_l;     // chi-square of the site in the last badness evaluation
  Arr1<int, maxsite> ndf_l;        // degrees of freedom of the site
  Arr1<float, maxsite> seefac_l;   // seeing correlation coefficient
  Arr1<float, maxsite> skyfac_l;   // sky correlation coefficient
  Arr1<float, maxsite> seemed_l;   // median seeing at loading
  Arr1<float, maxsite> seeavg_l;   // mean seeing at loading
  Arr1<float, maxsite> seerms_l;   // rms seeing at loading
  Arr1<float, maxsite> skymed_l;   // median sky per unit dwell at loading
  Arr1<float, maxsite> skyavg_l;   // mean sky per unit dwell at loading
  Arr1<float, maxsite> skyrms_l;   // rms sky per unit dwell at loading
  Arr1<bool, maxsite> scalerb_l;   // true for site 1 only
  Arr1<int, maxsite> kolor_l;      // plot colour index
  Arr1<int, maxsite> isymb_l;      // plot symbol
};

}  // namespace zolka
