// Statistics of data columns: medians, means and rms, inverse-variance
// weighted means, a weighted scale factor, a weighted straight line, extremes,
// and array fills.
//
// Arrays are 1-based as the formulas are written: a routine takes a count n
// and a pointer to element 1, so a caller can pass one site's block of a
// per-point array, e.g. xmedian(n, &s.datmag_t(it1)). Values, errors and
// results are 32-bit; weighted sums are accumulated in 64 bits. Nothing is
// allocated per call.
//
// Error bars: a point with sigma <= 0 is left out of every weighted sum, and a
// weighted routine with nothing to weigh returns an error of -1.
//
// Where a routine falls back to "the first value" for an empty count, x(1) is
// still read (callers pass arrays with room for one element); a null pointer
// gives 0 instead.
#pragma once

namespace zolka {

// Most values a median looks at (the light-curve store's capacity); a longer
// array has its first kMedianCapacity values ordered.
inline constexpr int kMedianCapacity = 100000;

// Median of x(1..n): the middle value, or for an even count the mean of the
// two middle values. n <= 0 prints "** INVALID DIMENSION" n and
// "** XMEDIAN aborted." and gives 0; n > kMedianCapacity prints
// "** WARNING: buffer overflow in XMEDIAN" and uses the first kMedianCapacity
// values. Orders the values into a per-thread scratch buffer, so it is not
// re-entrant within one thread.
float xmedian(int n, const float* x);

// Median med as xmedian (with its messages), and the mean absolute deviation
// about it, mad = sum |x(i) - med| / max(n, 1) over all n values (not the
// median of the deviations).
void medmad(int n, const float* x, float& med, float& mad);

// Mean and sample rms, rms = sqrt(sum (x - avg)^2 / (n - 1)), by Welford's
// running pass (Welford 1962, Technometrics 4, 419): the running mean in 32
// bits, the sum of squares in 64. n < 2 gives avg = x(1) and rms = 0.
void avgrms(int n, const float* x, float& avg, float& rms);

// Mean and rms of x under the weights w: avg = sum w x / W and
// rms = sqrt(sum w (x - avg)^2 / W), W = sum w. When n <= 0 or W <= 0,
// avg = x(1) and rms is left as it was.
void avgrmspdf(int n, const float* w, const float* x, float& avg, float& rms);

// Inverse-variance weighted mean of x with errors sig: w = 1/sig^2 over
// sig > 0, avg = sum w x / W, sigavg = sqrt(1/W). With no point of positive
// error, avg = 0 and sigavg = -1.
void optavg(int n, const float* x, const float* sig, float& avg, float& sigavg);

// Weighted least-squares scale factor of y ~ s m with errors sig on y:
// s = sum(y m / sig^2) / sum(m^2 / sig^2) over sig > 0, sigs = 1/sqrt(sum m^2/sig^2).
// With nothing to weigh (or all m = 0), s = 0 and sigs = -1.
void optscl(int n, const float* y, const float* sig, const float* m, float& s, float& sigs);

// Weighted straight line y = y0 + slope (x - x0) through the points with
// sig > 0, x0 being their weighted mean x, so that y0 and slope are
// uncorrelated: the error of the line at x is
// sqrt(sigy0^2 + (sigslope (x - x0))^2). All x equal gives slope 0 and
// sigslope 0. n <= 0 or no point with sig > 0 gives y0 = slope = 0 and
// sigy0 = sigslope = -1 (x0 = 0).
void fitline(int n, const float* x, const float* y, const float* sig, float& x0, float& y0,
             float& slope, float& sigy0, float& sigslope);

// Smallest and largest of x(1..n); n <= 0 gives lo = hi = x(1).
void mnmx(int n, const float* x, float& lo, float& hi);

// Fills, over i = 1 .. n (n <= 0 does nothing).
// x(i) = v, for real and integer arrays alike.
void peqc(int n, float* x, float v);
void peqc(int n, int* x, int v);
// x(i) = y(i).
void peqp(int n, float* x, const float* y);
void peqp(int n, int* x, const int* y);
// x(i) = y(i) + v, skipped entirely when v = 0. Callers shift in place (x and
// y the same array), which is why the identity can be skipped.
void peqpac(int n, float* x, const float* y, float v);
// x(i) = y(i) v, skipped entirely when v = 1 (an in-place scale, as above).
void peqpmc(int n, float* x, const float* y, float v);

}  // namespace zolka
