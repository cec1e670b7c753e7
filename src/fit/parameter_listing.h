// The fitted parameters with their uncertainties, as the covariance reports
// name them.
#pragma once

namespace zolka {

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
