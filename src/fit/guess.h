// The starting model of a light curve: the initial lens guess.
#pragma once

namespace zolka {

// Resets the model and every site's error model to neutral values (no blend,
// no baseline noise, unit error-bar scales, the prior widths and systematic
// error of the settings) and finds a starting point-lens model from site 1's
// magnitudes without any fit: the brightening is modelled as a Gaussian bump
// in time, its width scanned over 20 values from 10^(1/3) to 100 days and its
// centre over the data's time span in steps of a tenth of the width; the best
// bump (smallest -log10 of its likelihood times the prior on log10 te) gives
// the peak time, peak magnification, impact parameter, Einstein time and
// baseline magnitude. A baseline brighter than the median magnitude is moved
// to the median, keeping the peak brightness and its width in days. Finally
// npfit = 1 and the sites' source fluxes are solved (fitfsfb). A planet
// already set is kept. Does nothing without data. Uses the scratch columns
// plot1 and plot2.
void guesslens();

}  // namespace zolka
