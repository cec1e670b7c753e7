// Chi-square maps over planet position.
//
// For every pixel of the grid built by gridbox (grids.h) the planet is placed
// there and the chi-square of the model with that planet is stored in the
// working map (n_1, n_2, par_1, par_2, chi2_12 in state().maps); the first
// ntweak lens parameters are refitted where the planet changes the fit
// noticeably. Delta chi-square = chi2(no planet) - chi2(planet): positive
// values mark planet positions the data favour, strongly negative ones
// positions the data exclude.
#pragma once

#include <string_view>

namespace zolka {

// Computes (or fetches from the cache) the map of kind opt ("XY", "UA", "TF"
// or "FQ", upper-cased here) on the grid gridbox has just built. Leaves the
// map in the working map and the kind's cache, the best pixel's planet in the
// fit record (xplfit, yplfit, qplfit, ...) and dchi2fit, and the user's
// planet and npfit as they were. Writes the map summary to fort.20.
void chi2map(std::string_view opt);

// The fit summary (fitsummary) to the unit, then the line
// "<data file> qxy:<qplfit><xplfit><yplfit> dChi2:<dchi2fit>".
void cmapsummary(int unit);

}  // namespace zolka
