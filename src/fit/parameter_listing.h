// Listings of the model parameters: the parameter block under the menu's
// " E ... Edit parameters" line and in the editors, one site's summary, and
// the fitted parameters with their uncertainties, as the covariance reports
// name them.
#pragma once

namespace zolka {

// The parameter block, each line led by three blanks: the lens caption; the
// planet's mass ratio and position in terminal form; one caption per site
// (showsitepar); the priors; "DelChi2=" delchi2 and " Clip" cliplo cliphi in
// "(f10.1)" with the seeing and sky correction captions. Leaves the current
// site as it was.
void showpar();
// One caption line per site (title_site), led by three blanks.
void showsitepar();
// The current site: "Site" loc "D(m)=" diam (2 digits) "Lat(N)=" glat
// "Lon(E)=" glon "(f15.2)" "Hgt(m)=" elev (nearest metre) "Ndat" ndat_l, then
// the site's caption led by three blanks. Nothing without a current site.
void showsite();

// Names and values of the covariance parameters: all names blank, then "t0",
// "tE", "u0" at the positions kpar(3..5) with hjd0 - mjd0, te, y0, and for
// each site l "fs(<site>)" and "f0(<site>)" (the site number when the name is
// blank, blanks removed) at positions ncovdim - 2 nloc + 2l - 1 and + 2l with
// fs_l and fs_l + fb_l.
void shortparnames();
// "Parameters:" ncovdim, one line per parameter with its value and "+/-" its
// uncertainty, then the peak magnification and the baseline magnitude with
// theirs.
void showparsig();

}  // namespace zolka
