// Badness of fit: -2 ln L of the data given the model, plus -2 ln of the
// priors. Every "-2lnL" and "BoF" the program prints is this number.
//
//   BoF = sum_sites sum_points [ ((d - P)/E)^2 + 2 ln E ] + prior
//
// with d the measured flux, P = fs A + fb the model flux and E the full error
// bar of the error model (prediction.h); the constant n ln 2pi is left out.
// The source and blend fluxes fs, fb of every site are not parameters of the
// minimiser: each evaluation solves them by weighted linear least squares
// from the current magnifications.
#pragma once

namespace zolka {

// BoF of the current model; nd = points used, np = linear parameters counted.
// With no data all three are 0. Refreshes the predictions, every site's flux
// record, the derived site quantities, chi2_l, ndf_l, clip_t, a0 and the
// seeing corrections; with npfit >= 7 it also moves the error-bar scales of
// sites 2 .. nloc (with 5 points or more) towards chi-square per degree of
// freedom 1. The site current on entry is current again on return. A point
// with a non-positive error bar is reported and left out.
void badness(float& bof, int& nd, int& np);
// The objective of the fits: unpacks p (the fit's parameter vector) into the
// model and returns the badness of fit. It leaves the stored magnitudes
// (premag_t, erbmag_t) and the seeing corrections as they were: nothing reads
// them inside the simplex, and the fit refreshes them afterwards.
float abof(const float* p);

// -2 ln of the priors (a 1/te density, Gaussians on log10 erbscl and log10 te,
// an exponential on log10 A0, the peak inside the data, the split-Gaussian
// blend ratio); sets a0 = atotl(y0). A non-positive sigloga0 switches the A0
// prior off: its logarithm would not be defined.
float prior();

// newpredat, then fitfsfb_l for every site, then subsidiaries.
void fitfsfb();
// Solves fs, fb of site l from the stored a_t, datflx_t and erbflx_t and
// stores them in its record (also left in the current-site copies):
//   npfit < 5 (and > 0): fs alone with fb = b0 fs;
//   npfit >= 5: a straight line in A (fs and fb), or fs alone for a site with
//   one point or for site 1 when fixb0 is set;
//   a non-positive fs is refitted as fs alone with fb = 0; a site with no
//   usable error bar keeps its fluxes (sigfs = -1).
// linearpar tells the kind: 0 none, 1 fs, 2 fs and fb.
void fitfsfb_l(int l);
// Prints site l's linear model "f(l)=(fs+/-sigfs)(A-apiv)+(fb+/-sigfb)" and
// makes site 1's record current; an index outside 1 .. nloc is ignored.
void showfsfb_l(int l);

// Switches the blend prior off, remembering sigbpos and sigbneg; blendprioron
// puts them back. The pair is not nested.
void blendprioroff();
void blendprioron();

}  // namespace zolka
