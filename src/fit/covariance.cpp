#include "fit/covariance.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "fit/parameter_listing.h"
#include "lens/point_lens.h"
#include "numeric/sort.h"
#include "shell/core/format.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {

constexpr float unittol = 1e-5f;      // largest error of the inversion check
constexpr int perline = 30;           // values in one line of a printed matrix
constexpr double maxinflation = 1e7;  // largest 1/(1 - R^2) of a determined parameter

// A matrix row as a fixed-format line: the index "(I3)" and the values in the
// given width and decimals, 30 to a line, continuation lines indented.
void print_row(int k, const float* v, int n, int w, int d) {
  std::string line = fmt_i(k, 3);
  for (int j = 0; j < n; ++j) {
    if (j > 0 && j % perline == 0) {
      console::line(line);
      line = "   ";
    }
    line += fmt_f(v[j], w, d);
  }
  console::line(line);
}

}  // namespace

void matinv(double* a, int n, float& det) {
  if (n <= 0 || n > maxinv) {
    det = 0;
    return;
  }
  // a(i, j) at a[(j - 1) n + i - 1].
  const auto at = [a, n](int i, int j) -> double& { return a[(j - 1) * n + (i - 1)]; };
  std::array<int, maxinv + 1> prow{}, pcol{};
  det = 1;
  for (int k = 1; k <= n; ++k) {
    // Full pivot: the largest element of rows and columns k .. n, row by row;
    // a later element of equal size replaces an earlier one.
    prow[k] = k;
    pcol[k] = k;
    double big = 0;
    for (int i = k; i <= n; ++i) {
      for (int j = k; j <= n; ++j) {
        if (std::fabs(at(i, j)) >= std::fabs(big)) {
          big = at(i, j);
          prow[k] = i;
          pcol[k] = j;
        }
      }
    }
    // Swap the pivot into place, negating the displaced row and column so
    // that the determinant keeps its sign.
    if (const int r = prow[k]; r > k) {
      for (int j = 1; j <= n; ++j) {
        const double hold = -at(k, j);
        at(k, j) = at(r, j);
        at(r, j) = hold;
      }
    }
    if (const int c = pcol[k]; c > k) {
      for (int i = 1; i <= n; ++i) {
        const double hold = -at(i, k);
        at(i, k) = at(i, c);
        at(i, c) = hold;
      }
    }
    if (big == 0) {
      det = 0;
      return;
    }
    for (int i = 1; i <= n; ++i)
      if (i != k) at(i, k) /= -big;
    for (int i = 1; i <= n; ++i) {
      if (i == k) continue;
      const double hold = at(i, k);
      for (int j = 1; j <= n; ++j)
        if (j != k) at(i, j) += hold * at(k, j);
    }
    for (int j = 1; j <= n; ++j)
      if (j != k) at(k, j) /= big;
    det = static_cast<float>(static_cast<double>(det) * big);
    at(k, k) = 1 / big;
  }
  // Undo the interchanges in reverse order.
  for (int k = n - 1; k >= 1; --k) {
    if (const int r = prow[k]; r > k) {
      for (int i = 1; i <= n; ++i) {
        const double hold = at(i, k);
        at(i, k) = -at(i, r);
        at(i, r) = hold;
      }
    }
    if (const int c = pcol[k]; c > k) {
      for (int j = 1; j <= n; ++j) {
        const double hold = at(k, j);
        at(k, j) = -at(c, j);
        at(c, j) = hold;
      }
    }
  }
}

void covcalc() {
  ProgramState& s = state();
  dpsplcalc();
  const int n = 2 * s.nloc + 3;
  s.ncovdim = n;
  shortparnames();

  // Curvature, upper triangle. A point touches t0, tE, u0 and its own
  // site's two fluxes only.
  Mat1<double>& h = s.curv_pp;
  h.resize(n, n);
  std::fill(h.data(), h.data() + static_cast<std::ptrdiff_t>(n) * n, 0.0);
  for (int l = 1; l <= s.nloc; ++l) {
    const float fs = s.fs_l(l);
    for (int i = s.it1_l(l); i <= s.it2_l(l); ++i) {
      const float sig = s.sigflx_t(i);
      if (!(sig > 0)) continue;
      const float w = 1 / (sig * sig);
      std::array<int, 5> idx{};
      std::array<float, 5> g{};
      int ng = 0;
      const auto add = [&](int k, float v) {
        if (k < 1 || k > n || v == 0) return;
        idx[ng] = k;
        g[ng] = v;
        ++ng;
      };
      add(s.kpar(3), fs * s.dpspl_dt0_t(i));
      add(s.kpar(4), fs * s.dpspl_dte_t(i));
      add(s.kpar(5), fs * s.dpspl_dy0_t(i));
      add(2 * l + 2, s.a_t(i) - 1);
      add(2 * l + 3, 1.0f);
      for (int a = 0; a < ng; ++a) {
        for (int b = 0; b < ng; ++b) {
          if (idx[b] > idx[a]) continue;
          h(idx[b], idx[a]) += g[b] * (g[a] * w);
        }
      }
    }
  }

  // Normalise to a unit diagonal. A parameter without curvature is uncoupled
  // (its row and column of H are zero): a unit diagonal entry keeps the rest
  // invertible, and its uncertainty is set to 0 below.
  Vec1<double> d(n);
  int nflat = 0;
  for (int k = 1; k <= n; ++k) {
    d(k) = std::sqrt(h(k, k));
    if (!(d(k) > 0)) ++nflat;
  }
  Mat1<double>& r = s.norm_pp;
  r.resize(n, n);
  for (int k = 1; k <= n; ++k) {
    for (int j = 1; j <= k; ++j) {
      double v = 0;
      if (d(j) > 0 && d(k) > 0)
        v = h(j, k) / (d(j) * d(k));
      else if (j == k)
        v = 1;
      r(j, k) = v;
      r(k, j) = v;
    }
  }
  s.normcopy_pp = r;

  float det = 0;
  matinv(r.data(), n, det);
  // The curvature is built from single-precision values, so a combination of
  // parameters whose correlation comes within 1e-7 of 1 is not determined by
  // the data: a diagonal element of the inverse of the normalised matrix,
  // 1/(1 - R^2) with R the parameter's multiple correlation, above 1e7 marks
  // the matrix as singular although the pivots stayed non-zero.
  bool invertible = det != 0;
  for (int k = 1; invertible && k <= n; ++k)
    if (!(r(k, k) < maxinflation)) invertible = false;
  // The curvature matrix itself is singular when a parameter has none.
  if (nflat > 0) det = 0;
  say("Hessian Determinant", det);
  if (det < 0) diag("** WARNING: NEGATIVE HESSIAN DETERMINANT :((((.");
  if (det == 0 || !invertible) diag("** WARNING: SINGULAR HESSIAN MARTIX :((((.");
  for (int k = 1; k <= n; ++k) {
    if (!(d(k) > 0))
      diag("** WARNING: no data constrain parameter", k, " " + s.name_p(k),
           ": uncertainty and correlations set to 0.");
  }

  s.sig_p.fill(0);
  s.cov_pp.resize(n, n);
  std::fill(s.cov_pp.data(), s.cov_pp.data() + static_cast<std::ptrdiff_t>(n) * n, 0.0f);
  if (!invertible) {
    diag("** WARNING: no uncertainties: the curvature matrix cannot be inverted.");
  } else {
    // Check: R times its inverse should be the unit matrix.
    Mat1<float>& p = s.check_pp;
    p.resize(n, n);
    float emax = 0;
    for (int k = 1; k <= n; ++k) {
      for (int j = 1; j <= n; ++j) {
        double sum = 0;
        for (int m = 1; m <= n; ++m) sum += s.normcopy_pp(j, m) * r(m, k);
        p(j, k) = static_cast<float>(sum);
        emax = std::max(emax, std::fabs(p(j, k) - (j == k ? 1.0f : 0.0f)));
      }
    }
    if (emax > unittol) {
      diag("** WARNING: Unit matrix Max error", emax, " TOO LARGE :((((.");
      for (int k = 1; k <= n; ++k) print_row(k, &p(1, k), n, 8, 4);
    } else {
      say("Unit matrix:  Max error", emax, " OK :)");
    }

    // Covariance and uncertainties; an uncoupled parameter has none. A
    // negative variance (a matrix that is not positive definite) gives no
    // uncertainty either.
    Mat1<double> v(n, n);
    for (int k = 1; k <= n; ++k) {
      for (int j = 1; j <= n; ++j) {
        const float dd = static_cast<float>(d(j) * d(k));
        v(j, k) = dd != 0 ? r(j, k) / dd : 0.0;
      }
    }
    for (int k = 1; k <= n; ++k)
      s.sig_p(k) = v(k, k) > 0 ? static_cast<float>(std::sqrt(v(k, k))) : 0.0f;
    for (int k = 1; k <= n; ++k) {
      for (int j = 1; j <= k; ++j) {
        const float ss = s.sig_p(j) * s.sig_p(k);
        const float c = ss != 0 ? static_cast<float>(v(j, k) / ss) : 0.0f;
        s.cov_pp(j, k) = c;
        s.cov_pp(k, j) = c;
      }
    }
  }

  s.sigt0 = s.sig_p(1);
  s.sigte = s.sig_p(2);
  s.sigy0 = s.sig_p(3);
  s.sigfs = s.sig_p(4);
  s.sigf0 = s.sig_p(5);
  s.siga0 = std::fabs(dpspl(s.y0)) * s.sigy0;
  const float f01 = s.nloc >= 1 ? s.fs_l(1) + s.fb_l(1) : 0.0f;
  s.sigm0 = f01 != 0 ? 1.0857362f * s.sigf0 / f01 : 0.0f;
}

void showbigcov(float threshold) {
  ProgramState& s = state();
  const int n = s.ncovdim;
  if (n < 2) return;
  const int npairs = n * (n - 1) / 2;
  for (int k = 1; k <= 3; ++k)
    if (s.plot(k).size() < npairs) s.plot(k).resize(npairs);
  float* pj = &s.plot(1)(1);
  float* pk = &s.plot(2)(1);
  float* mag = &s.plot(3)(1);
  int count = 0;
  for (int k = 2; k <= n; ++k) {
    for (int j = 1; j <= k - 1; ++j) {
      const float c = std::fabs(s.cov_pp(j, k));
      if (c > threshold) {
        pj[count] = static_cast<float>(j);
        pk[count] = static_cast<float>(k);
        mag[count] = c;
        ++count;
      }
    }
  }
  say("Covariances above", threshold, " :", count, " of", npairs);
  if (count < 1) return;
  Vec1<int> order(count);
  quicksort(count, mag, &order(1));
  for (int m = count; m >= 1; --m) {
    const int q = order(m) - 1;
    const int j = static_cast<int>(pj[q]);
    const int k = static_cast<int>(pk[q]);
    const std::string nj(trimmed(s.name_p(j)));
    const std::string nk(trimmed(s.name_p(k)));
    std::string line =
        format("(A,2I3,A,F8.3,4A)",
               {std::string_view("  Cov("), static_cast<long long>(j), static_cast<long long>(k),
                std::string_view(" ) ="), s.cov_pp(j, k), std::string_view("    "),
                std::string_view(nj), std::string_view(" vs "), std::string_view(nk)});
    cut(line, titlelen);
    console::line(line);
  }
}

void showcov() {
  const ProgramState& s = state();
  const int n = s.ncovdim;
  say("Covariances:");
  for (int k = 1; k <= n; ++k) print_row(k, &s.cov_pp(1, k), n, 6, 2);
  std::string line = "  ";
  for (int j = 1; j <= n; ++j) {
    if (j > 1 && (j - 1) % perline == 0) {
      console::line(line);
      line = "  ";
    }
    line += fmt_i(j, 6);
  }
  console::line(line);
}

}  // namespace zolka
