// Relative likelihoods of the working chi-square map and their marginal
// profiles along each axis, for the map display.
//
// With chi2min the smallest value of the map, a pixel's relative likelihood
// is exp(-(chi2 - chi2min)/2); summing it over one axis gives the profile of
// the other, scaled so that its largest value is 1.
#pragma once

namespace zolka {

// Smallest and largest chi-square of the working map and its pixel count
// (n_1 n_2); both values are 0 for an empty map.
struct MapRange {
  float chi2min = 0;
  float chi2max = 0;
  int npix = 0;
};

// From the working map (n_1, n_2, chi2_12) fills post_12, chi2_1, post_1,
// chi2_2 and post_2 (state().maps), each sized to the map. A profile whose
// largest sum is not positive is left unscaled. Pixels that are not finite
// are left out of the range and the minima and get likelihood 0. Returns the
// map's range; an empty map (or one with no finite pixel) leaves the arrays
// sized to the map and zero.
MapRange map_profiles();

}  // namespace zolka
