// The downhill-simplex minimiser (Nelder & Mead 1965), the only minimiser of
// the program: every fit hands it a simplex of trial parameter vectors, their
// objective values and the objective.
#pragma once

#include <functional>

#include "shell/core/array1.h"

namespace zolka {

// The objective: takes a vector of ndim parameters (p[0] .. p[ndim-1]).
using Objective = std::function<float(const float* p)>;

// Minimises funk by the downhill simplex.
//   p     simplex, p(v, j) = parameter j of vertex v; rows 1..ndim+1 and
//         columns 1..ndim are used (p.ni() >= mp rows, p.nj() >= np columns)
//   y     y(v) = funk at vertex v; must hold the values of rows 1..ndim+1
//   ftol  fractional tolerance on the values (RTOL) and on the parameters (PTOL)
//   iter  in: the iteration limit; out: iterations made (may exceed the limit
//         by the extra passes made after the stop condition is first met)
// Nothing happens when np < 1, ndim < 1, mp <= ndim or the limit < 1. The
// caller picks the best vertex. Keeps its working vectors and a history of
// every iteration in the program state; prints progress unless muteamoeba.
void amoeba(Mat1<float>& p, Vec1<float>& y, int mp, int np, int ndim, float ftol,
            const Objective& funk, int& iter);

}  // namespace zolka
