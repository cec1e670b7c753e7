#include "fit/simplex.h"

#include <algorithm>
#include <cmath>

#include "shell/core/print.h"
#include "shell/core/state.h"

namespace zolka {

namespace {

// One history entry in the ring; the running extremes restart whenever
// entry 1 is (re)written.
void record(ProgramState& s, int iter, float yhi, float ylo, float rtol, float ptol) {
  if (s.amohist.ni() != maxhistory) s.amohist.resize(maxhistory, 6);
  const int k = s.namohist % maxhistory + 1;
  ++s.namohist;
  s.amohist(k, 1) = static_cast<float>(iter);
  s.amohist(k, 2) = yhi;
  s.amohist(k, 3) = ylo;
  s.amohist(k, 4) = yhi - ylo;
  s.amohist(k, 5) = rtol;
  s.amohist(k, 6) = ptol;
  if (k == 1) {
    s.amohistmax = yhi;
    s.amohistmin = ylo;
  } else {
    s.amohistmax = std::max(s.amohistmax, yhi);
    s.amohistmin = std::min(s.amohistmin, ylo);
  }
}

}  // namespace

void amoeba(Mat1<float>& p, Vec1<float>& y, int mp, int np, int ndim, float ftol,
            const Objective& funk, int& iter) {
  const int itmax = iter;
  if (np < 1 || ndim < 1 || mp <= ndim || itmax < 1) return;
  ProgramState& s = state();
  const bool talk = s.muteamoeba == 0;
  const int mpts = ndim + 1;
  iter = 0;
  s.namohist = 0;
  s.amoftol = ftol;
  s.amondim = ndim;
  s.amoitmax = itmax;
  s.amolog = true;
  int nextra = std::min(itmax, ndim + 1);
  float* pbar = s.pbar.data();
  float* pr = s.pr.data();
  float* prr = s.prr.data();

  for (;;) {
    // Rank the vertices: lowest, highest and next-highest value.
    int ilo = 1, ihi = 0, inhi = 0;
    if (y(1) > y(2)) {
      ihi = 1;
      inhi = 2;
    } else {
      ihi = 2;
      inhi = 1;
    }
    for (int v = 1; v <= mpts; ++v) {
      if (y(v) < y(ilo)) ilo = v;
      if (y(v) > y(ihi)) {
        inhi = ihi;
        ihi = v;
      } else if (y(v) > y(inhi) && v != ihi) {
        inhi = v;
      }
    }

    // Fractional spread of the values (RTOL) and of each parameter (PTOL).
    float rtol = 0;
    const float denom = std::fabs(y(ihi)) + std::fabs(y(ilo));
    if (denom == 0) {
      if (talk)
        diag("** AMOEBA DIVIDE BY ZERO AVERTED. RTOL=", std::fabs(y(ihi) - y(ilo)), " / ", 0);
      rtol = 2 * std::fabs(ftol);
    } else {
      rtol = std::fabs(y(ihi) - y(ilo)) / denom;
    }
    float ptol = 0;
    int jptol = 0;
    const float floor = std::min(1e-10f, ftol / 100);
    for (int j = 1; j <= ndim; ++j) {
      float pmax = p(1, j), pmin = p(1, j);
      for (int v = 2; v <= mpts; ++v) {
        pmax = std::max(pmax, p(v, j));
        pmin = std::min(pmin, p(v, j));
      }
      const float ratio =
          std::fabs(pmax - pmin) / std::max(std::fabs(pmax) + std::fabs(pmin), floor);
      if (ratio > ptol) {
        ptol = ratio;
        jptol = j;
      }
    }
    s.amojptol = jptol;
    record(s, iter, y(ihi), y(ilo), rtol, ptol);

    bool extra = false;
    if (rtol < ftol && (s.amoshrink || rtol <= 0) && talk)
      say("Amoeba CONVERGED.", " PTOL", ptol, " RTOL", rtol, " <", ftol, " :)");
    if (ptol < ftol || rtol == 0) {
      if (talk) {
        say("Amoeba CONVERGED.", " RTOL", rtol, " PTOL", ptol, " <", ftol, " :)");
        say("Amoeba its", iter, " RTOL", rtol, " PTOL", ptol);
      }
      extra = true;
    } else if (iter >= itmax) {
      if (itmax <= 1) return;
      if (talk) {
        say("Amoeba Iter", iter, " max", itmax, " PTOL", ptol, " RTOL", rtol, " >", ftol, " :(");
        say("Amoeba its", iter, " RTOL", rtol, " PTOL", ptol);
      }
      extra = true;
    }
    // After the stop condition or the limit is first met, a few extra
    // iterations polish the simplex.
    if (extra && --nextra < 0) return;

    // One Nelder-Mead step: reflection 1, contraction 0.5, expansion 2.
    s.amoshrink = false;
    ++iter;
    for (int j = 1; j <= ndim; ++j) {
      float sum = 0;
      for (int v = 1; v <= mpts; ++v)
        if (v != ihi) sum += p(v, j);
      pbar[j - 1] = sum / static_cast<float>(ndim);
    }
    for (int j = 1; j <= ndim; ++j) pr[j - 1] = 2 * pbar[j - 1] - p(ihi, j);
    const float ypr = funk(pr);
    if (ypr <= y(ilo)) {
      for (int j = 1; j <= ndim; ++j) prr[j - 1] = 2 * pr[j - 1] - pbar[j - 1];
      const float yprr = funk(prr);
      const float* best = yprr < y(ilo) ? prr : pr;
      for (int j = 1; j <= ndim; ++j) p(ihi, j) = best[j - 1];
      y(ihi) = yprr < y(ilo) ? yprr : ypr;
    } else if (ypr >= y(inhi)) {
      if (ypr < y(ihi)) {
        for (int j = 1; j <= ndim; ++j) p(ihi, j) = pr[j - 1];
        y(ihi) = ypr;
      }
      for (int j = 1; j <= ndim; ++j) prr[j - 1] = 0.5f * p(ihi, j) + 0.5f * pbar[j - 1];
      const float yprr = funk(prr);
      if (yprr < y(ihi)) {
        for (int j = 1; j <= ndim; ++j) p(ihi, j) = prr[j - 1];
        y(ihi) = yprr;
      } else {
        // Shrink every vertex halfway towards the lowest.
        s.amoshrink = true;
        for (int v = 1; v <= mpts; ++v) {
          if (v == ilo) continue;
          for (int j = 1; j <= ndim; ++j) {
            p(v, j) = 0.5f * (p(v, j) + p(ilo, j));
            prr[j - 1] = p(v, j);
          }
          y(v) = funk(prr);
        }
      }
    } else {
      for (int j = 1; j <= ndim; ++j) p(ihi, j) = pr[j - 1];
      y(ihi) = ypr;
    }
  }
}

}  // namespace zolka
