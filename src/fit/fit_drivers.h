// Fits of the lens model: the downhill simplex moves the packed parameter
// vector (packing.h) to minimise the badness of fit (badness.h).
#pragma once

namespace zolka {

// N-parameter fit with nloop restarts of the simplex around the best vertex.
// niter: in, the iteration limit of each restart; out, the iterations used.
// The model ends at the best vertex found, with its site fluxes and
// predictions; a restart whose best vertex is worse than the point it started
// from keeps that point, so a fit never ends worse than it began. Prints its progress unless
// mutefit0 (the "Amoeba LOOP" lines whenever nloop > 1). No data: a warning, nothing changes, niter
// = 0.
void fit0(int& niter, float ftol, int nloop, int n, float& bof);
// The standard fit: tolerance 1e-6, up to 5 runs of fit0 of at most 100
// iterations each and 500 in all, ending after a run that needed fewer than
// 100. nits = iterations used.
void fit1(int& nits, int n, float& bof);
// nloop standard fits, each reported with the model and the per-site lines;
// the best is kept (savepar) and put back when a later loop ends worse.
void fitloops(int n, int nloop);
// One line to the summary file fort.<unit>: the event, hjd0, te, smag0, the
// peak in magnitudes and the blend fraction, then, when npfit >= 4, the
// reduced chi-squares of nested fits with 4 .. min(npfit, 7) parameters (each
// further parameter put back to its fitted value in turn). The model is put
// back afterwards (stowall/restoreall); npfit keeps the last count fitted.
void fitsummary(int unit);
// chi2 = sum of the squared normalised residuals of the current model (after
// newpredat), n = ndata; both 0 without data.
void chi2calc(float& chi2, int& n);
// Removes the planet and refits the point-lens model with min(npfit, 7)
// parameters, keeping b0, sigmag0 and erbscl as they were. Nothing without a
// planet.
void noplanetfit();

// The model parameters of a fit report: the lens, then by n > 4, 5, ..., 9
// the blend, baseline noise, error-bar scale, planet x, y and q.
void say_fitmodel(int n);

}  // namespace zolka
