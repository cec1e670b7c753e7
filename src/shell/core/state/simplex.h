// The downhill-simplex minimiser's working vectors and its per-iteration
// history, which the progress plot draws after a fit.
#pragma once

#include "shell/core/array1.h"

namespace zolka {

constexpr int maxsimplexdim = 1000;  // largest number of simplex parameters
constexpr int maxhistory = 10000;    // entries of the history ring

struct SimplexState {
  Arr1<float, maxsimplexdim> pbar;  // centroid of the vertices but the highest
  Arr1<float, maxsimplexdim> pr;    // reflected point
  Arr1<float, maxsimplexdim> prr;   // expanded or contracted point
  // History ring, one entry per iteration: (k, 1) iteration count, (k, 2)
  // highest value, (k, 3) lowest value, (k, 4) their difference, (k, 5) RTOL,
  // (k, 6) PTOL.
  Mat1<float> amohist;
  int namohist = 0;        // entries written in the last call
  float amohistmax = 0;    // largest highest value since entry 1 was written
  float amohistmin = 0;    // smallest lowest value since entry 1 was written
  float amoftol = 0;       // tolerance of the last call
  int amondim = 0;         // parameters of the last call
  int amoitmax = 0;        // iteration limit of the last call
  int amojptol = 0;        // parameter with the largest PTOL in the last entry
  bool amolog = false;     // the progress plot wants logarithmic axes
  bool amoshrink = false;  // the last step was a shrink
};

}  // namespace zolka
