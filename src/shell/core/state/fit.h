// Fit control and fit results: the parameter count of the fit in progress,
// the best-fit copies, covariances and chi-square summaries.
#pragma once

#include <string>

#include "shell/core/array1.h"

namespace zolka {

constexpr int maxpar = 500;  // capacity of the parameter arrays

struct FitState {
  int npfit = 0;                // number of parameters the current fit varies
  int linearpar = 0;            // kind of the last linear flux solution: 0 none, 1 fs, 2 fs and fb
  int nonlinpar = 0;            // length of the simplex parameter vector of the last packing
  int nparm = 0;                // entries of loose in use, 4 nloc + 6
  Arr1<int, 4 * 50 + 6> loose;  // 1 for the fit-table entries freed by the last fit loop
  // Packing safeguards: (1) 1 when slot 3 holds log10(A0 - 1); (2) floor of
  // y0, Einstein radii; (3) K, the whole days taken off t0 in slot 1.
  Arr1<double, 3> safety;
  int nloopfit = 0;                  // loops of the last F command; 0 before the first
  bool aspused = false;              // preamp has used the planet magnification in this run
  bool fixb0 = false;                // the flux fit holds site 1's blend ratio at b0
  Arr1<int, 7> kpar;                 // parameter selection of the covariance and name routines
  Arr1<std::string, maxpar> name_p;  // parameter names for the listings (text 128)
  Arr1<float, maxpar> par_p;         // parameter values for the listings
  float chi2fit = 0;                 // chi-square of the last fit
  int ndfit = 0;                     // degrees of freedom of the last fit
  float dchi2fit = 0;                // chi-square change of the last fit

  // Best-fit copies (maps and honing).
  double hjd0fit = 0;  // HJD
  float tefit = 0;     // days
  float y0fit = 0;     // Einstein radii
  float a0fit = 0;
  float smag0fit = 0;  // mag

  // Covariances.
  Mat1<float> cov_pp;         // parameter covariance matrix, maxpar x maxpar when in use
  Arr1<float, maxpar> sig_p;  // parameter uncertainties
  int ncovdim = 0;            // dimension of the covariance in use
  float sigt0 = 0;            // uncertainty of t0, days
  float sigte = 0;            // uncertainty of te, days
  float sigy0 = 0;            // uncertainty of y0
  float siga0 = 0;            // uncertainty of a0
  float sigm0 = 0;            // uncertainty of smag0, mag
  float sigf0 = 0;            // uncertainty of the baseline flux fs + fb of site 1, flux units
  // Working matrices of the covariance, ncovdim x ncovdim when in use.
  Mat1<double> curv_pp;      // curvature (half the chi-square Hessian) of the parameters
  Mat1<double> norm_pp;      // curvature normalised to a unit diagonal, then its inverse
  Mat1<double> normcopy_pp;  // copy of the normalised curvature before inversion
  Mat1<float> check_pp;      // normalised curvature times its inverse (unit matrix check)
  Mat1<float> hessian;       // Hessian of the honing fits, maxpar x maxpar when in use

  // Chi-square summary values of the nested fits with 4 .. 7 parameters.
  float chi2_4 = 0;
  float chi2_5 = 0;
  float chi2_6 = 0;
  float chi2_7 = 0;

  // What the chi-square caption keeps between calls: the model at its last
  // recalculation (1 t0, 2 te, 3 smag0, 4 y0, 5 sigmag0, 6 erbscl, 7 b0,
  // 8 xpl, 9 ypl, 10 qpl, 11 npfit, 12 ndata, then 6 entries per site: b0_l,
  // sigmag0_l, erbscl_l), the change thresholds of entries 1..10, and the
  // reduced chi-square of the fits with k parameters.
  bool chi2saved = false;          // a recalculation has been made this run
  Arr1<float, maxpar> chi2save;    // values at the last recalculation
  Arr1<float, 10> chi2tiny;        // change thresholds of entries 1..10
  Arr1<float, maxpar> oldchi2red;  // reduced chi-square of the k-parameter fit
  std::string excuse;              // the last reason printed for a recalculation
};

}  // namespace zolka
