// The fit command's dialogue.
#pragma once

namespace zolka {

// Lists the ten fit parameters (number, freed by the last fit, value, what it
// is), asks "Fit Parameters and Loops" (defaults: 5, or npfit when it is 6 or
// more; the loops of the previous use, 3 the first time), then runs the fit
// loops, the chi-square of the result (chi2fit, ndfit) and the summary line
// to fort.20. A count outside 1 .. 10 or no loops: "** FIT ABORTED." and
// nothing changes. n is the caller's parameter count (0 from the menu).
void fitlens(int& n);

}  // namespace zolka
