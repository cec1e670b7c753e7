// An independent solution of the binary-lens equation for the tests, in long
// double: the fifth-degree polynomial is built by polynomial arithmetic from
// the rational lens equation (not from closed-form coefficients), its roots
// come from the Aberth-Ehrlich simultaneous iteration (Aberth 1973) rather
// than Laguerre's method, and the images are the roots that satisfy the lens
// equation itself. Also the caustic, sampled from the critical curve
// (Witt 1990), to measure how far a source lies from it.
//
// Frame: star of mass 1/(1+q) at the origin, planet of mass q/(1+q) at (s, 0).
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace zolka::test {

using lcplx = std::complex<long double>;
using Poly = std::vector<lcplx>;  // p[k] multiplies z^k

inline Poly pmul(const Poly& a, const Poly& b) {
  Poly c(a.size() + b.size() - 1, lcplx(0));
  for (std::size_t i = 0; i < a.size(); ++i)
    for (std::size_t j = 0; j < b.size(); ++j) c[i + j] += a[i] * b[j];
  return c;
}

inline Poly padd(const Poly& a, const Poly& b, lcplx fb = 1) {
  Poly c(std::max(a.size(), b.size()), lcplx(0));
  for (std::size_t i = 0; i < a.size(); ++i) c[i] += a[i];
  for (std::size_t i = 0; i < b.size(); ++i) c[i] += fb * b[i];
  return c;
}

inline lcplx peval(const Poly& p, lcplx z) {
  lcplx b = p.back();
  for (std::size_t k = p.size() - 1; k-- > 0;) b = b * z + p[k];
  return b;
}

// All roots of p by the Aberth-Ehrlich iteration from points on a circle.
inline std::vector<lcplx> aberth_roots(const Poly& p) {
  const int n = static_cast<int>(p.size()) - 1;
  Poly dp(n);
  for (int k = 1; k <= n; ++k) dp[k - 1] = static_cast<long double>(k) * p[k];
  // Start on a circle of the Cauchy-bound size, off any symmetry axis.
  long double rad = 0;
  for (int k = 0; k < n; ++k) rad = std::max(rad, std::abs(p[k] / p[n]));
  rad = std::min<long double>(1 + rad, 10) / 2;
  std::vector<lcplx> z(n);
  for (int k = 0; k < n; ++k) z[k] = std::polar(rad, 0.4L + 2 * 3.14159265358979323846L * k / n);
  for (int it = 0; it < 100; ++it) {
    long double worst = 0;
    for (int k = 0; k < n; ++k) {
      const lcplx ratio = peval(p, z[k]) / peval(dp, z[k]);
      lcplx sum = 0;
      for (int j = 0; j < n; ++j)
        if (j != k) sum += 1.0L / (z[k] - z[j]);
      const lcplx w = ratio / (1.0L - ratio * sum);
      z[k] -= w;
      worst = std::max(worst, std::abs(w) / (1 + std::abs(z[k])));
    }
    if (worst < 1e-16L) break;
  }
  // Newton polish on p alone.
  for (lcplx& r : z)
    for (int it = 0; it < 3; ++it) {
      const lcplx dpv = peval(dp, r);
      if (std::abs(dpv) > 0) r -= peval(p, r) / dpv;
    }
  return z;
}

struct RefImage {
  long double x, y;  // position, star at the origin
  long double mag;   // signed magnification 1/det J
};

struct RefSolution {
  std::vector<RefImage> images;
  long double total = 0;   // sum of |mag|
  int npos = 0, nneg = 0;  // images of positive and negative parity
};

// Images of a source at (xs, ys): planet of mass ratio q at (s, 0).
inline RefSolution binary_reference(long double xs, long double ys, long double s, long double q) {
  const long double m1 = 1 / (1 + q);
  const long double m2 = q / (1 + q);
  const lcplx zeta(xs, ys);
  const lcplx zetac = std::conj(zeta);
  // conj(z) = zetac + m1/(z - 0) + m2/(z - s) = N(z)/P(z), P = z (z - s).
  const Poly P = pmul({0, 1}, {-s, 1});
  const Poly N = padd(padd(pmul({zetac}, P), {-m1 * s, m1}), {0, m2});
  // conj(z) - z_i = (N - z_i P)/P; the lens equation times D1 D2:
  // (z - zeta) D1 D2 - m1 P D2 - m2 P D1 = 0.
  const Poly D1 = N;
  const Poly D2 = padd(N, P, -s);
  Poly poly = pmul(pmul({-zeta, 1}, D1), D2);
  poly = padd(poly, pmul(P, D2), -m1);
  poly = padd(poly, pmul(P, D1), -m2);
  while (poly.size() > 1 && std::abs(poly.back()) == 0) poly.pop_back();

  RefSolution r;
  for (const lcplx& z : aberth_roots(poly)) {
    const lcplx zc = std::conj(z);
    const lcplx mapped = z - m1 / zc - m2 / (zc - s);
    const long double scale = 1 + std::abs(z) + std::abs(m1 / zc) + std::abs(m2 / (zc - s));
    // A root is an image when it satisfies the lens equation. True images do
    // to 1e-15 or better, except a pair close to merging at a fold, whose
    // positions are only as accurate as the square root of the precision;
    // spurious roots miss by 1e-7 or more unless the source lies within about
    // 1e-9 of a caustic.
    if (std::abs(mapped - zeta) > 1e-10L * scale) continue;
    const lcplx jac = m1 / (zc * zc) + m2 / ((zc - s) * (zc - s));
    const long double det = 1 - std::norm(jac);
    r.images.push_back({z.real(), z.imag(), 1 / det});
    r.total += std::fabs(1 / det);
    (det > 0 ? r.npos : r.nneg)++;
  }
  return r;
}

// Points of the caustic of the binary lens (star at 0, planet at (s, 0)),
// from nphi points of each of the four branches of the critical curve:
// m1/conj(z)^2 + m2/(conj(z) - s)^2 = exp(-i phi) on the critical curve.
inline std::vector<std::pair<double, double>> caustic_points(long double s, long double q,
                                                             int nphi) {
  const long double m1 = 1 / (1 + q);
  const long double m2 = q / (1 + q);
  std::vector<std::pair<double, double>> pts;
  for (int k = 0; k < nphi; ++k) {
    const long double phi = 2 * 3.14159265358979323846L * k / nphi;
    const lcplx e = std::polar(1.0L, -phi);
    // With w = conj(z): m1 (w - s)^2 + m2 w^2 - e w^2 (w - s)^2 = 0.
    const Poly ws = pmul({-s, 1}, {-s, 1});
    const Poly w2 = {0, 0, 1};
    Poly poly = padd(pmul({m1}, ws), pmul({m2}, w2));
    poly = padd(poly, pmul(pmul({e}, w2), ws), -1);
    for (const lcplx& w : aberth_roots(poly)) {
      const lcplx z = std::conj(w);
      const lcplx src = z - m1 / w - m2 / (w - s);
      pts.emplace_back(static_cast<double>(src.real()), static_cast<double>(src.imag()));
    }
  }
  return pts;
}

// Distance from (x, y) to the nearest sampled caustic point.
inline double caustic_distance(const std::vector<std::pair<double, double>>& pts, double x,
                               double y) {
  double best = 1e300;
  for (const auto& [cx, cy] : pts) best = std::min(best, std::hypot(cx - x, cy - y));
  return best;
}

}  // namespace zolka::test
