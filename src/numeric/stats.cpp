#include "numeric/stats.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "numeric/sort.h"
#include "shell/core/print.h"

namespace zolka {

namespace {

// The median's order buffer. It is scratch for one call, kept as a
// function-local static vector sized once (per thread) to the store's
// capacity, so that a median allocates nothing after its first use.
int* order_buffer() {
  thread_local std::vector<int> order(kMedianCapacity);
  return order.data();
}

// 1/sig^2 of a point with sig > 0.
double inverse_variance(float sig) {
  return 1.0 / (static_cast<double>(sig) * sig);
}

// x(1), the fallback of several routines for an empty count.
float first_value(const float* x) {
  return x ? x[0] : 0.0f;
}

}  // namespace

float xmedian(int n, const float* x) {
  if (n <= 0) {
    diag("** INVALID DIMENSION", n);
    diag("** XMEDIAN aborted.");
    return 0;
  }
  int nuse = n;
  if (n > kMedianCapacity) {
    diag("** WARNING: buffer overflow in XMEDIAN", n, kMedianCapacity);
    nuse = kMedianCapacity;
  }
  if (nuse == 1) return x[0];
  if (nuse == 2) return (x[0] + x[1]) / 2;

  int* order = order_buffer();
  quicksort(nuse, x, order);
  auto sorted = [x, order](int i) { return x[order[i - 1] - 1]; };
  const int k = (nuse + 1) / 2;
  if (nuse % 2 == 1) return sorted(k);
  return (sorted(k) + sorted(k + 1)) / 2;
}

void medmad(int n, const float* x, float& med, float& mad) {
  med = xmedian(n, x);
  double dev = 0;
  for (int i = 1; i <= n; ++i) dev += std::fabs(x[i - 1] - med);
  mad = static_cast<float>(dev / std::max(n, 1));
}

void avgrms(int n, const float* x, float& avg, float& rms) {
  if (n < 2) {
    avg = first_value(x);
    rms = 0;
    return;
  }
  // Welford's update: m(k) = m(k-1) + (x(k) - m(k-1))/k,
  // S += (x(k) - m(k-1)) (x(k) - m(k)); it never subtracts two large sums.
  float mean = x[0];
  double ss = 0;
  for (int k = 2; k <= n; ++k) {
    const float xk = x[k - 1];
    const float prev = mean;
    mean = prev + (xk - prev) / static_cast<float>(k);
    ss += static_cast<double>(xk - prev) * static_cast<double>(xk - mean);
  }
  avg = mean;
  rms = static_cast<float>(std::sqrt(ss / (n - 1)));
}

void avgrmspdf(int n, const float* w, const float* x, float& avg, float& rms) {
  double wsum = 0;
  double wxsum = 0;
  for (int i = 1; i <= n; ++i) {
    wsum += w[i - 1];
    wxsum += static_cast<double>(w[i - 1]) * x[i - 1];
  }
  if (n <= 0 || wsum <= 0) {
    avg = first_value(x);
    return;
  }
  const double mean = wxsum / wsum;
  double var = 0;
  for (int i = 1; i <= n; ++i) {
    const double d = x[i - 1] - mean;
    var += w[i - 1] * d * d;
  }
  avg = static_cast<float>(mean);
  rms = static_cast<float>(std::sqrt(var / wsum));
}

void optavg(int n, const float* x, const float* sig, float& avg, float& sigavg) {
  double wsum = 0;
  double wxsum = 0;
  for (int i = 1; i <= n; ++i) {
    if (sig[i - 1] <= 0) continue;
    const double w = inverse_variance(sig[i - 1]);
    wsum += w;
    wxsum += w * x[i - 1];
  }
  if (n <= 0 || wsum <= 0) {
    avg = 0;
    sigavg = -1;
    return;
  }
  avg = static_cast<float>(wxsum / wsum);
  sigavg = static_cast<float>(std::sqrt(1.0 / wsum));
}

void optscl(int n, const float* y, const float* sig, const float* m, float& s, float& sigs) {
  double ym = 0;  // sum y m / sig^2
  double mm = 0;  // sum m^2 / sig^2
  for (int i = 1; i <= n; ++i) {
    if (sig[i - 1] <= 0) continue;
    const double w = inverse_variance(sig[i - 1]);
    ym += w * y[i - 1] * m[i - 1];
    mm += w * m[i - 1] * m[i - 1];
  }
  if (n <= 0 || mm <= 0) {
    s = 0;
    sigs = -1;
    return;
  }
  s = static_cast<float>(ym / mm);
  sigs = static_cast<float>(std::sqrt(1.0 / mm));
}

void fitline(int n, const float* x, const float* y, const float* sig, float& x0, float& y0,
             float& slope, float& sigy0, float& sigslope) {
  x0 = 0;
  y0 = 0;
  slope = 0;
  sigy0 = -1;
  sigslope = -1;
  if (n <= 0) return;

  // Weighted centre of the points (0, 0 when no point has an error bar) and
  // the ranges of x and y, in one pass with the sums and comparisons of
  // optavg and mnmx (the flux fit of every badness evaluation runs this;
  // bench_fit BM_badness).
  double wsum = 0, wxsum = 0, wysum = 0;
  float xlo = x[0], xhi = x[0], ylo = y[0], yhi = y[0];
  for (int i = 1; i <= n; ++i) {
    const float xi = x[i - 1];
    const float yi = y[i - 1];
    if (xi < xlo) xlo = xi;
    if (xi > xhi) xhi = xi;
    if (yi < ylo) ylo = yi;
    if (yi > yhi) yhi = yi;
    if (sig[i - 1] <= 0) continue;
    const double w = inverse_variance(sig[i - 1]);
    wsum += w;
    wxsum += w * xi;
    wysum += w * yi;
  }
  float ybar = 0;
  if (wsum > 0) {
    x0 = static_cast<float>(wxsum / wsum);
    ybar = static_cast<float>(wysum / wsum);
  }

  // The normal equations are solved in X = (x - x0)/dx and Y = (y - ybar)/dy,
  // which keeps them well conditioned whatever the units (days of HJD,
  // magnitudes or fluxes of any size). The ranges span all points.
  float dx = xhi - xlo;
  float dy = yhi - ylo;
  if (!(dx > 0)) dx = 1;
  if (!(dy > 0)) dy = 1;

  // Weights of Y are (dy/sig)^2.
  double s = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (int i = 1; i <= n; ++i) {
    if (sig[i - 1] <= 0) continue;
    const double xs = (static_cast<double>(x[i - 1]) - x0) / dx;
    const double ys = (static_cast<double>(y[i - 1]) - ybar) / dy;
    const double r = static_cast<double>(dy) / sig[i - 1];
    const double w = r * r;
    s += w;
    sx += w * xs;
    sy += w * ys;
    sxx += w * xs * xs;
    sxy += w * xs * ys;
  }
  if (s <= 0) return;

  // Y = a + b X:  a = (Sy Sxx - Sx Sxy)/D, b = (S Sxy - Sx Sy)/D, D = S Sxx - Sx^2.
  // Sx vanishes up to rounding at the weighted centre, so the errors are
  // 1/sqrt(S) for a and 1/sqrt(Sxx) for b.
  const double d = s * sxx - sx * sx;
  double a, b, eb;
  if (d > 0) {
    a = (sy * sxx - sx * sxy) / d;
    b = (s * sxy - sx * sy) / d;
    eb = 1 / std::sqrt(sxx);
  } else {
    a = sy / s;
    b = 0;
    eb = 0;
  }
  const double dydx = static_cast<double>(dy) / dx;
  y0 = static_cast<float>(ybar + a * dy);
  sigy0 = static_cast<float>(dy / std::sqrt(s));
  slope = static_cast<float>(dydx * b);
  sigslope = static_cast<float>(dydx * eb);
}

void mnmx(int n, const float* x, float& lo, float& hi) {
  lo = first_value(x);
  hi = lo;
  for (int i = 2; i <= n; ++i) {
    if (x[i - 1] < lo) lo = x[i - 1];
    if (x[i - 1] > hi) hi = x[i - 1];
  }
}

void peqc(int n, float* x, float v) {
  for (int i = 1; i <= n; ++i) x[i - 1] = v;
}

void peqc(int n, int* x, int v) {
  for (int i = 1; i <= n; ++i) x[i - 1] = v;
}

void peqp(int n, float* x, const float* y) {
  for (int i = 1; i <= n; ++i) x[i - 1] = y[i - 1];
}

void peqp(int n, int* x, const int* y) {
  for (int i = 1; i <= n; ++i) x[i - 1] = y[i - 1];
}

void peqpac(int n, float* x, const float* y, float v) {
  if (v == 0) return;
  for (int i = 1; i <= n; ++i) x[i - 1] = y[i - 1] + v;
}

void peqpmc(int n, float* x, const float* y, float v) {
  if (v == 1) return;
  for (int i = 1; i <= n; ++i) x[i - 1] = y[i - 1] * v;
}

}  // namespace zolka
