// Model prediction and the photometric error model.
//
// The current model (hjd0, te, y0, the planet qpl at xpl, ypl) and each
// site's flux scaling fs_l, fb_l give every data point its magnification, its
// predicted flux fs A + fb and magnitude, and the error bar that the error
// model assigns to it. Flux 1 is magnitude 16.4 (shell/model/photometry.h).
//
// Error model of a point of site l with model flux F (flux units):
//   E^2 = (erbscl_l sigflx)^2 + (syserr_l F)^2 + (0.4 ln10 sigmag0_l toflx(smag0))^2
// the error-bar scale, a systematic fraction of the flux, and the baseline
// noise as a constant flux error taken at the model's baseline magnitude.
//
// Calling order: newpredat must run after any change of the model or of the
// site fluxes before the stored arrays a_t, preflx_t, premag_t, erbflx_t and
// erbmag_t are read; resid, etaflx_i, eta_see and corflx read them as they
// stand.
#pragma once

#include <cmath>

#include "shell/core/state.h"

namespace zolka {

constexpr float maxpremag = 47.0f;  // magnitude stored for a faint or non-positive model flux
constexpr float minmagnification = 0.999f;  // a smaller magnification is a fatal error

// Magnification at time hjd (HJD): the lens with its planet at the source
// position (tau, y0), tau = (hjd - hjd0)/te, when qpl > 0, else the point
// lens at sqrt(y0^2 + tau^2). A magnification below 0.999 prints the model
// and stops the program.
float preamp(double hjd);
// fs A + fb with the current site's scaling.
float preflx(double hjd);
// smag0 + blendmag(A, b0): the light curve on site 1's baseline and blend.
float premag(double hjd);

// Error bar in flux of point i when the model flux is f (see the head of the
// file). Leaves site 1's values in the current-site copies syserr, sigmag0
// and erbscl.
float erbflx(int i, float f);
// Error bar in magnitudes of point i when the model magnitude is m:
//   sig^2 = syserr_l^2 + (erbscl_l sigmag)^2 + (sigmag0_l / 10^(0.4 (smag0 - m)))^2
// (the baseline noise grows as the point gets fainter than the baseline).
// Same side effect as erbflx.
float erbmag(int i, float m);

// Fills a_t, preflx_t, premag_t (at most 47; 47 for a model flux <= 0),
// erbflx_t and erbmag_t for points 1 .. ndata, each with its own site's fs,
// fb; leaves site 1's scaling current. A magnification <= 0.999 prints the
// point and stops the program.
void newpredat();
// The flux half of newpredat: a_t, preflx_t and erbflx_t only, for a caller
// that refreshes the magnitudes itself right after (the badness of fit).
void newpredat_flux();

// Normalised residual (datflx_t - preflx_t)/erbflx_t; 0 when erbflx_t <= 0.
float etaflx_i(int i);
// Residual of kind k: 1 flux, 2 magnitude, other the normalised residual.
float resid(int i, int k);
// All residuals of kind k into r(1..ndata) with their error bars e (pointers
// to element 1). k = 1, 2 refresh the predictions first; k = 3 uses them as
// they stand. Errors: erbflx_t, erbmag_t, or 1 for normalised residuals.
void resids(int k, float* r, float* e);

// Seeing minus the site's median seeing, and that over the magnification.
float eps_see(int i);
float eta_see(int i);
// Sky minus the site's median sky.
float eps_sky(int i);

// Seeing regression: per site the coefficient seefac_l of the residual of
// kind ksee against eta_see over the points with seebot < see_t < seetop
// (0 when off or undetermined), and per point the correction seemag_t (mag)
// and seefac_t (flux factor), neutral unless ksee is 1 or 2. Refreshes the
// predictions first unless ksee = 3. The badness of fit does not use it.
void seecor();
// The seeing regression without the refresh, for a caller whose stored
// predictions are already current.
void seecor_fresh();
// Sky regression: per site skyfac_l, the coefficient of the residual of kind
// ksky against eps_sky over skybot < sky_t < skytop (1 when undetermined).
// Prints "skycor ****" with ksky, skybot, skytop.
void skycor();

// Measured flux of point i on site 1's scale, seeing-corrected when ksee != 0.
float corflx(int i);
// erbflx(i, f) on site 1's scale, likewise.
float erbcorflx(int i, float f);

// Predicted magnitude of model flux f: at most 47, and 47 for f <= 0.
float model_magnitude(float f);

// One site's error model with the per-evaluation constants taken out of the
// point loop; err gives exactly erbflx and mag exactly erbmag for the points
// of that site.
struct SiteErrorModel {
  float scale = 1;    // erbscl_l
  float sys = 0;      // syserr_l
  float sig0 = 0;     // sigmag0_l
  float basevar = 0;  // (toflx(smag0) 0.4 ln10 sigmag0_l)^2
  SiteErrorModel(const ProgramState& s, int l, float baseflux);
  // Inline: they run once per point in every evaluation of the badness of fit.
  // sigflx, sigmag: the point's measured error bars; smag0 the model's
  // baseline magnitude.
  float err(float sigflx, float f) const {
    const float sig = sigflx * scale;
    float v = 0;
    if (sys > 0) v += (sys * f) * (sys * f);
    if (sig0 > 0) v += basevar;
    return v > 0 ? std::sqrt(sig * sig + v) : sig;
  }
  float mag(float sigmag, float m, float smag0) const {
    const float se = sigmag * scale;
    float v = sys * sys + se * se;
    if (sig0 > 0) {
      const float g = std::pow(10.0f, 0.4f * (smag0 - m));
      v += (sig0 / g) * (sig0 / g);
    }
    return std::sqrt(v);
  }
};

}  // namespace zolka
