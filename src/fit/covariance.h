// Uncertainties and correlations of the point-lens parameters and of every
// site's fluxes, from the curvature of chi-square at the current model.
//
// Parameters (n = ncovdim = 2 nloc + 3): t0, tE, u0 at the positions
// kpar(3..5) (1, 2, 3 once a fit has run), then per site l the source flux
// fs at 2l + 2 and the baseline flux f0 = fs + fb at 2l + 3. The model flux
// of a point of site l is fs_l A(t; t0, tE, u0) + fb_l, so its derivatives
// are fs_l dA/dp for the lens parameters, A - 1 for fs and 1 for f0. The
// curvature uses the measured error bars alone:
//   H(j, k) = sum_i g_j g_k / sigflx_i^2
// It is normalised to a unit diagonal, R = D^-1 H D^-1 with D = sqrt(diag H),
// before inversion, so the determinant of R lies in (0, 1] for a positive
// definite H; the covariance is V = D^-1 R^-1 D^-1, sig_p(k) = sqrt(V(k, k))
// and cov_pp holds the correlations V(j, k)/(sig_p(j) sig_p(k)). Any planet
// is left out.
//
// Parameters that no point constrains (zero curvature, e.g. a site without a
// usable error bar, or t0, tE, u0 before the first fit) are uncoupled from
// the rest: they get zero uncertainty and zero correlations, and are named in
// a warning. When the rest is singular (det = 0, or a parameter whose
// multiple correlation with the others comes within 1e-7 of 1, beyond what
// single-precision data determine) every uncertainty and correlation is
// stored as 0, and a note says that none is available.
#pragma once

namespace zolka {

constexpr int maxinv = 500;  // largest matrix matinv inverts

// Fills ncovdim, sig_p, cov_pp, sigt0, sigte, sigy0, sigfs, sigf0, siga0 and
// sigm0 (names and values of the parameters through shortparnames); prints
// the determinant and the check of the inversion. Leaves a_t holding the
// point-lens magnification of every point.
void covcalc();
// Inverts a (n x n, column-major, leading dimension n, double) in place by
// Gauss-Jordan elimination with full pivoting; det = its determinant, formed
// in single precision. n <= 0 or n > 500 gives det = 0 and leaves a alone; a
// zero pivot gives det = 0 and leaves a partly transformed.
void matinv(double* a, int n, float& det);
// Lists the parameter pairs whose |correlation| exceeds the threshold, the
// largest first. Uses the scratch columns plot1 .. plot3.
void showbigcov(float threshold);
// Prints the correlation matrix, 30 values a line.
void showcov();

}  // namespace zolka
