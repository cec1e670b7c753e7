// The photometric scale shared by the whole program: flux F and magnitude m
// are related by F = 10^(0.4 (16.4 - m)), so flux 1 is magnitude 16.4.
// Error bars: sigF = F sigm 0.4 ln 10, sigm = (sigF/F) 2.5/ln 10.
#pragma once

namespace zolka {

constexpr float magzero = 16.4f;  // magnitude of flux 1
constexpr float sigrelflx_sigmag =
    0.92103404f;  // 0.4 ln 10: magnitude error -> relative flux error

// Magnitude change of a blended source magnified by a: -2.5 log10((a + b)/(1 + b)),
// b the blend ratio fb/fs.
float blendmag(float a, float b);
// Flux of magnitude m.
float toflx(float m);
// Magnitude of flux f; a flux <= 0 stops the program.
float tomag(float f);
// m, sig (magnitudes) become F, sigF in place.
void mag_to_flx(float& m, float& sig);
// F, sigF become m, sig (magnitudes) in place; a flux <= 0 stops the program.
void flx_to_mag(float& f, float& sig);

}  // namespace zolka
