#include "lens/binary_lens.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "numeric/sort.h"
#include "shell/core/print.h"
#include "shell/core/state.h"

namespace zolka {

namespace {

constexpr int maxdegree = 100;     // largest polynomial degree dzroots takes
constexpr double epss = 6e-15;     // rounding factor of the polynomial evaluation
constexpr int maxit = 100;         // Laguerre iterations before giving up
constexpr double rooteps = 1e-15;  // relative step at which a root search ends
constexpr float errimage = 1e-4f;  // largest lens-equation residual of an image
constexpr float errgap = 1e4f;     // largest ratio of a 4th or 5th image's residual to the 3rd's
constexpr float errfloor = 1e-9f;  // residuals this small pass the ratio test
constexpr float amin2 = 0.99f;     // totals below this are reported

// |z| without hypot's overflow guard: the values here stay far from overflow.
inline double cabs(const cplx& z) {
  return std::sqrt(z.real() * z.real() + z.imag() * z.imag());
}

// A complex number in the program's free format: (re,im).
std::string ctext(const cplx& z) {
  return " (" + free_format(z.real()) + "," + free_format(z.imag()) + ")";
}

[[noreturn, gnu::noinline, gnu::cold]] void laguer_failure(const cplx* a, int m, int iter,
                                                           const cplx& x, const cplx& dx,
                                                           const cplx& b) {
  say("its:", iter, " x:", ctext(x), " dx:", ctext(dx));
  say("m:", m, " b:", ctext(b));
  std::string line = "a:";
  for (int j = 0; j <= m; ++j) line += ctext(a[j]);
  say(line);
  stop("LAGUER too many iterations");
}

// Laguerre's method on a[0..m] (a[j] multiplies z^j). M > 0 fixes the degree
// at compile time so that the evaluation loops unroll; M = 0 takes m. Both
// perform the same arithmetic in the same order.
template <int M>
[[gnu::always_inline]] inline void laguer(const cplx* a, int m, cplx& x, double eps, bool polish) {
  const int n = M > 0 ? M : m;
  // Step lengths are compared as squares: |dx| >= dxold as |dx|^2 >= dxold^2.
  double dxold2 = std::norm(x);
  for (int iter = 1; iter <= maxit; ++iter) {
    // p(x), p'(x) and p''(x)/2 by nested multiplication, with a bound on the
    // rounding error of p(x).
    cplx b = a[n];
    double abb = cabs(b);
    double err = abb;
    cplx d = 0;
    cplx f = 0;
    const double abx = cabs(x);
#pragma GCC unroll 8
    for (int j = n - 1; j >= 0; --j) {
      f = x * f + d;
      d = x * d + b;
      b = x * b + a[j];
      abb = cabs(b);
      err = abb + abx * err;
    }
    err *= epss;
    if (abb <= err) return;  // x is a root to rounding

    // Laguerre step dx = n / (G +- sqrt((n-1)(nH - G^2))), G = p'/p,
    // H = G^2 - p''/p, with the sign that gives the larger denominator.
    // Multiplied through by p it reads dx = n p / (p' +- sqrt(Z)),
    // Z = (n-1)^2 p'^2 - 2n(n-1) p f (f = p''/2), with no division before
    // the square root. The principal root sqrt(Z) = w/(2t), with
    // t = sqrt((|Z| + |Re Z|)/2) and w = (|Z| + Re Z, Im Z) for Re Z >= 0,
    // w = (|Im Z|, sign(Im Z)(|Z| - Re Z)) otherwise; scaling the denominator
    // by 2t leaves the choice of sign alone and saves a division:
    // dx = 2tn p / (2t p' +- w). Everything is formed from Z2 = 2Z, which
    // gives (2t)^2 = |Z2| + |Re Z2| directly; the constants are applied to
    // p' and f before p is known, off the path that sets the pace (BM_lens2).
    const double c1 = 2.0 * (n - 1) * (n - 1);
    const double c2 = 4.0 * n * (n - 1);
    const cplx z2 = c1 * (d * d) - (c2 * f) * b;
    const double tt2 = cabs(z2) + std::fabs(z2.real());  // (2t)^2 = 4 t^2
    // Z = 0 (always so for n = 1): sqrt(Z) = 0, no scaling.
    const double tt = tt2 > 0 ? std::sqrt(tt2) : 1;  // 2t
    // 2w, and 2 (2t p' +- w) below.
    const cplx w2 = z2.real() >= 0 ? cplx(tt2, z2.imag())
                                   : cplx(std::fabs(z2.imag()), std::copysign(tt2, z2.imag()));
    // The sign that gives the larger |2t p' +- w| is the sign of
    // r = Re(p' conj(w)), and |2t p' +- w|^2 = 4t^2 |p'|^2 + |w|^2 + 4t |r|:
    // all but the last term are known before the square root (BM_lens2).
    const cplx d2 = 2.0 * d;
    const double rr = d2.real() * w2.real() + d2.imag() * w2.imag();
    const double base = tt2 > 0 ? tt2 * std::norm(d2) + std::norm(w2) : std::norm(d2);
    const double den = base + 2 * tt * std::fabs(rr);
    const cplx gp = rr >= 0 ? tt * d2 + w2 : tt * d2 - w2;  // ties keep the + sign
    // A zero denominator: a step of length 1 + |x| in a direction turning
    // with the iteration count.
    const cplx dx = den > 0 ? (b * std::conj(gp)) * (double(2 * n) * tt / den)
                            : std::exp(cplx(std::log(1 + abx), double(iter)));
    const cplx x1 = x - dx;
    if (x1 == x) return;
    x = x1;
    const double adx2 = std::norm(dx);
    if (iter > 6 && adx2 >= dxold2) return;  // the steps stopped shrinking
    dxold2 = adx2;
    if (!polish && adx2 <= eps * eps * std::norm(x)) return;
    if (iter == maxit) laguer_failure(a, n, iter, x, dx, b);
  }
}

// dlaguer with the degree fixed where it is small (the binary lens needs 1..5).
inline void laguer_any(const cplx* a, int m, cplx& x, double eps, bool polish) {
  switch (m) {
    case 1:
      laguer<1>(a, 1, x, eps, polish);
      break;
    case 2:
      laguer<2>(a, 2, x, eps, polish);
      break;
    case 3:
      laguer<3>(a, 3, x, eps, polish);
      break;
    case 4:
      laguer<4>(a, 4, x, eps, polish);
      break;
    case 5:
      laguer<5>(a, 5, x, eps, polish);
      break;
    default:
      laguer<0>(a, m, x, eps, polish);
      break;
  }
}

// dlaguer's first test at x: p(x) is zero to rounding, and dlaguer would
// return x unchanged. The same evaluation and bound as there; M as for laguer.
template <int M>
inline bool rounding_zero(const cplx* a, int m, const cplx& x) {
  const int n = M > 0 ? M : m;
  cplx b = a[n];
  double abb = cabs(b);
  double err = abb;
  const double abx = cabs(x);
#pragma GCC unroll 8
  for (int j = n - 1; j >= 0; --j) {
    b = x * b + a[j];
    abb = cabs(b);
    err = abb + abx * err;
  }
  err *= epss;
  return abb <= err;
}

}  // namespace

void dlaguer(const cplx* coef, int m, cplx& x, double eps, bool polish) {
  laguer_any(coef, m, x, eps, polish);
}

void dzroots(const cplx* coef, int m, cplx* roots, bool polish) {
  cplx work[maxdegree + 1];
  bool ready[maxdegree];  // the polishing pass would leave the root as it is
  for (int j = 0; j <= m; ++j) work[j] = coef[j];
  for (int j = m; j >= 1; --j) {
    cplx x = 0;
    laguer_any(work, j, x, rooteps, false);
    // A root whose imaginary part is rounding noise is real.
    if (std::fabs(x.imag()) <= 2 * rooteps * rooteps * std::fabs(x.real())) x.imag(0);
    roots[j - 1] = x;
    // The polishing pass begins with dlaguer's test whether the full
    // polynomial vanishes at x to rounding. Made here, it runs alongside the
    // next root's search, which does not depend on it (BM_lens2).
    if (polish) ready[j - 1] = m == 5 ? rounding_zero<5>(coef, m, x) : rounding_zero<0>(coef, m, x);
    // Deflate by synthetic division: work becomes the quotient p(z)/(z - x).
    cplx b = work[j];
    for (int jj = j - 1; jj >= 0; --jj) {
      const cplx t = work[jj];
      work[jj] = b;
      b = x * b + t;
    }
  }
  if (polish)
    for (int j = 0; j < m; ++j)
      if (!ready[j]) laguer_any(coef, m, roots[j], rooteps, true);
}

namespace {

// Printed when the source sits exactly on a lens position, where the leading
// coefficient vanishes.
[[gnu::noinline, gnu::cold]] void report_zero_leading(float q, const cplx& zeta, double zz,
                                                      double z1, double z2, const cplx& za,
                                                      const cplx& zb, const cplx& zf,
                                                      const cplx& zsc_sm, const cplx* c) {
  say("Poly Coefficients:", 6, " q", q);
  say("zs:", ctext(zeta), " zs_zsc:", zz);
  say("z1:", z1, " z2:", z2);
  say("za:", ctext(za), " zb:", ctext(zb));
  say("zf:", ctext(zf), " zsc_sm:", ctext(zsc_sm));
  for (int k = 1; k <= 6; ++k) say("zc(", k, "):", ctext(c[k - 1]));
}

}  // namespace

void lens2(float xs, float ys, float xp, float yp, float q, float& a) {
  // Binary frame: star at z1 = -d/2, planet at z2 = d/2 on the real axis.
  const double dxp = xp;
  const double dyp = yp;
  const double d = std::sqrt(dxp * dxp + dyp * dyp);
  const double cphi = dxp / d;
  const double sphi = dyp / d;
  const double m1 = 1 / (1 + double(q));
  const double m2 = double(q) / (1 + double(q));
  const double sm = m1 + m2;  // Sigma
  const double dm = m2 - m1;  // Delta
  const double bigxs = double(xs) * cphi + double(ys) * sphi;
  const double bigys = double(ys) * cphi - double(xs) * sphi;
  const double z1 = -d / 2;
  const double z2 = d / 2;
  const cplx zeta(bigxs - d / 2, bigys);
  const cplx zetac = std::conj(zeta);
  const double zz = std::norm(zeta);  // zeta conj(zeta), real

  // Coefficients c0 .. c5 of the lens-equation polynomial, c[k] multiplying z^k.
  cplx c[6];
  c[5] = z1 * z1 - zetac * zetac;
  const cplx zf = zeta * zetac * zetac - z1 * (z1 * zeta + dm);
  c[4] = zf - sm * zetac;
  const cplx zb = 2 * dm * zetac;
  c[3] = (zb - 2 * z1 * c[5]) * z1 + 2 * sm * zz;
  c[2] = sm * sm * zeta + (sm * dm - zeta * zb - 2 * z1 * zf) * z1;
  c[1] =
      -(2 * sm * dm * zeta + (sm * sm + dm * dm + 2 * sm * zz + (zb - z1 * c[5]) * z1) * z1) * z1;
  c[0] = (dm * dm * zeta + (sm * dm + (zf + sm * zetac) * z1 + zeta * zb) * z1) * z1 * z1;
  if (c[5].real() == 0 && c[5].imag() == 0)
    report_zero_leading(q, zeta, zz, z1, z2, z1 * zeta + dm, zb, zf, sm * zetac, c);

  cplx z[5];
  dzroots(c, 5, z, true);

  // Residual, position and signed magnification of each root. The Jacobian
  // determinant of the lens equation is 1 - |J|^2, J = sum m_i/(conj(z) - z_i)^2.
  float err[5];
  double amag[5];
  double xim[5];
  double yim[5];
  for (int k = 0; k < 5; ++k) {
    const cplx zc = std::conj(z[k]);
    const cplx w1 = zc - z1;
    const cplx w2 = zc - z2;
    // 1/w as conj(w)/|w|^2: one real division each (BM_lens2).
    const cplx r1 = std::conj(w1) * (1 / std::norm(w1));
    const cplx r2 = std::conj(w2) * (1 / std::norm(w2));
    const cplx zk = z[k] - (m1 * r1 + m2 * r2);
    err[k] = static_cast<float>(cabs(zk - zeta));
    xim[k] = z[k].real() + d / 2;
    yim[k] = z[k].imag();
    const cplx jac = m1 * (r1 * r1) + m2 * (r2 * r2);
    amag[k] = 1 / (1 - std::norm(jac));
  }

  // The images: all five roots when every residual is small, else the three
  // of smallest residual. Small alone is not enough: just outside a fold
  // caustic the two spurious roots nearly solve the lens equation (residual
  // about 0.1 sqrt(distance), so 3e-5 to 1e-4 at a distance of 1e-6), while
  // a true image's residual is rounding, 1e-16 to 1e-8. The pair therefore
  // counts only when its worse residual also lies within four orders of
  // magnitude of the third root's (or below 1e-9, beyond any spurious pair
  // at single-precision source positions).
  int rank[5];
  quicksort(5, err, rank);
  bool image[5] = {false, false, false, false, false};
  const float err3 = err[rank[2] - 1];
  const float err5 = err[rank[4] - 1];
  const int nsel = err5 <= errimage && err5 <= std::max(errgap * err3, errfloor) ? 5 : 3;
  for (int k = 0; k < nsel; ++k) image[rank[k] - 1] = true;

  double sum = 0;
  for (int k = 0; k < 5; ++k)
    if (image[k]) sum += std::fabs(amag[k]);
  const float total = static_cast<float>(sum);

  if (total < amin2) {
    diag("** ERROR in lens2a. A=", total, " <", amin2, " :(((.");
    diag("Planet u=", d, " Source xy=", bigxs, bigys,
         " u=", std::sqrt(bigxs * bigxs + bigys * bigys));
    // Take in the root whose magnification is closest to 1.
    double best = 1000;
    int kbest = -1;
    for (int k = 0; k < 5; ++k) {
      const double dev = std::fabs(amag[k] - 1);
      if (dev < best) {
        best = dev;
        kbest = k;
      }
    }
    if (kbest >= 0) image[kbest] = true;
  }

  // The image list in root order, rotated back into the argument frame.
  ImageList& im = state();
  int n = 0;
  for (int k = 0; k < 5; ++k) {
    if (!image[k]) continue;
    ++n;
    im.x_i(n) = static_cast<float>(cphi * xim[k] - sphi * yim[k]);
    im.y_i(n) = static_cast<float>(sphi * xim[k] + cphi * yim[k]);
    im.err_i(n) = err[k];
    im.a_i(n) = static_cast<float>(std::fabs(amag[k]));
  }
  im.nimage = n;

  if (n != 3 && n != 5) {
    diag("** WARNING: nimage", n, " not 3 or 5 :((((.");
    diag("** q", q, " sep", d, " xs,ys", bigxs, bigys);
    double run = 0;
    for (int k = 1; k <= n; ++k) {
      const int r = rank[k - 1] - 1;
      const float ai = static_cast<float>(std::fabs(amag[r]));
      run += ai;
      diag("**", r + 1, " rank", k, " keep", image[r], " err", err[r], " Ai", ai, " A", run);
    }
  }

  a = total >= 1.0f ? total : 1.0f;  // a NaN total also gives 1
}

}  // namespace zolka
