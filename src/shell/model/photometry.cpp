#include "shell/model/photometry.h"

#include <cmath>

#include "shell/core/constants.h"
#include "shell/core/print.h"

namespace zolka {

float blendmag(float a, float b) {
  return -2.5f * std::log10((a + b) / (1 + b));
}

float toflx(float m) {
  return std::pow(10.0f, 0.4f * (magzero - m));
}

float tomag(float f) {
  if (f <= 0) {
    diag("*** ERROR tomag(", f, " ) NEGATIVE FLUX :((((((((((((");
    die();
  }
  return magzero - 2.5f * std::log10(f);
}

void mag_to_flx(float& m, float& sig) {
  const float f = toflx(m);
  sig = f * sig * sigrelflx_sigmag;
  m = f;
}

void flx_to_mag(float& f, float& sig) {
  if (f <= 0) {
    diag("*** ERROR flx_to_mag(", f, sig, " )", " NEGATIVE FLUX :(((((");
    die();
  }
  sig = sig / f * sigmag_sigrelflx;
  f = tomag(f);
}

}  // namespace zolka
