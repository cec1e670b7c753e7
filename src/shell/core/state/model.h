// The point-source point-lens model with blending, the photometric error model
// and the current-site scalars.
//
// Time convention: t = hjd - mjd0 (days), with mjd0 a multiple of 10000, so
// 32-bit times keep the digits that matter; hjd values keep the full date.
// Photometric scale: flux 1 is magnitude 16.4.
#pragma once

namespace zolka {

struct ModelState {
  double hjd0 = 0;    // time of peak magnification, HJD
  float t0 = 0;       // hjd0 - mjd0, days; refreshed wherever hjd0 or mjd0 change
  float te = 0;       // Einstein-radius crossing time, days
  float y0 = 0;       // impact parameter, Einstein radii
  float a0 = 0;       // peak magnification, the point-lens magnification at y0
  float smag0 = 0;    // baseline magnitude (source plus blend) of site 1, mag
  float b0 = 0;       // blend ratio fb/fs of the current site (site 1 for the lens model)
  float fs = 0;       // source flux of the current site, flux units
  float fb = 0;       // blend flux of the current site, flux units
  float f0 = 0;       // baseline flux used by covariances and rebinning, flux units
  float addmag = 0;   // magnitude offset of the current site relative to site 1, mag
  float addflx = 0;   // flux offset of the current site, flux units
  float sitefac = 0;  // flux factor of the current site onto site 1's scale
  float sigmag0 = 0;  // baseline noise added to the error bars, mag
  float erbscl = 0;   // error-bar scale factor
  float syserr = 0;   // systematic error floor, mag

  // Current site (loaded from a site row by setsite, written back by stowsite).
  int loc = 0;        // index of the current site, 1 .. nloc
  double glat = 0;    // latitude of the current site, degrees north
  double glon = 0;    // longitude of the current site, degrees east
  double elev = 0;    // elevation of the current site, metres
  float diam = 0;     // telescope aperture of the current site, metres
  float avglogf = 0;  // prior mean of log10(erbscl) of the current site
  float siglogf = 0;  // prior width of log10(erbscl) of the current site
  float sigfs = 0;    // uncertainty of fs from the linear flux fit
  float sigfb = 0;    // uncertainty of fb from the linear flux fit
  float apiv = 0;     // pivot magnification of the linear flux fit
};

}  // namespace zolka
