// The images of the latest single- or binary-lens evaluation.
#pragma once

#include "shell/core/array1.h"

namespace zolka {

constexpr int maximage = 2048;  // capacity of the image list

struct ImageList {
  int nimage = 0;               // number of valid entries
  Arr1<float, maximage> x_i;    // image x, Einstein radii, origin at the lens star
  Arr1<float, maximage> y_i;    // image y, Einstein radii
  Arr1<float, maximage> a_i;    // unsigned magnification of each image
  Arr1<float, maximage> err_i;  // lens-equation residual of each image (binary lens only)

  float qclose = 0;  // mass ratio at imclose's previous call
  float rclose = 0;  // sqrt(qclose): the planet's Einstein radius, Einstein radii
};

}  // namespace zolka
