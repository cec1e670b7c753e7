// The parameter vector of the fits.
//
// A fit with parameter count N = npfit frees the first N entries of the
// fit-parameter table: 1 smag0, 2 hjd0, 3 te, 4 y0, 5 b0, 6 sigmag0,
// 7 erbscl, 8 and 9 the planet's coordinates, 10 qpl. Entries 1 and 5 (the
// sites' source and blend fluxes) are solved linearly in every evaluation, so
// the simplex moves only the others, packed with transforms that keep them
// positive and well scaled into fixed slots:
//   slot 1 (N >= 2)  t0 - K, t0 = hjd0 - mjd0, K = nint(t0) kept in safety(3):
//                    a fraction of a day, resolvable in single precision
//   slot 2 (N >= 3)  log10 te
//   slot 3 (N >= 4)  log10(A0 - 1), A0 = atotl(max(|y0|, 1e-5))
//   slot 4 (N >= 6)  log10 max(sigmag0, 0.01)
//   slot 5 (N >= 7)  log10 erbscl
//   slot 6 (N >= 8)  first planet coordinate: xpl ("XY"), apl in radians
//                    ("UA"), tpl ("TF")
//   slot 7 (N >= 9)  second coordinate: ypl, ln upl, ln |fpl| (the sign of
//                    fpl, the side of the lens, is kept as it was)
//   slot 8 (N >= 10) log10 qpl
// The vector length nonlinpar is N - 1 for 1 <= N <= 4, N - 2 for N >= 5 and
// 0 for N <= 0.
#pragma once

namespace zolka {

constexpr int maxslots = 8;  // slots of the parameter vector

// Length of the parameter vector for n fitted parameters.
int nonlinear_count(int n);
// Packs the model into p(1..nonlinpar) and the initial simplex steps into
// dp (pointers to slot 1) for N = npfit; sets nonlinpar, the safeguards
// safety(1..3), and the covariance positions kpar(3..5) = 1, 2, 3.
void safe(float* p, float* dp);
// Unpacks p into the model for N = npfit. A time slot that lost more than
// 50 s in single precision is reported; y0 never falls below 1e-5 and stays
// finite however small A0 - 1 becomes.
void desafe(const float* p);

}  // namespace zolka
