// Whole-store routines of the light-curve store: time normalisation and the
// flux form of the measured magnitudes.
//
// Times: hjd_t keeps the full heliocentric Julian date; t_t = hjd_t - mjd0 in
// 32 bits, with mjd0 a multiple of jdround = 10000 days, keeps the 6-7
// significant digits that matter. Files giving HJD - 2450000 are brought to
// full HJD here.
#pragma once

namespace zolka {

constexpr double jdshort = 100000;    // times below this are HJD - 2450000
constexpr double jdoffset = 2450000;  // added to such times

// Normalises the times of points 1 .. ndata: short times get 2450000 added;
// mjd0 = 10000 * int(hjd_t(k)/10000) with k = 2 when there are two or more
// points, else 1; t_t = hjd_t - mjd0; tfirst, tlast = the extremes of t_t.
// Prints the reference day, the first and last point and the time range. Does
// nothing without points.
void timearray();

// datflx_t, sigflx_t = the flux form of datmag_t, sigmag_t for every point.
void dat_mag_to_flx();
// datmag_t, sigmag_t = the magnitude form of datflx_t, sigflx_t for every
// point; a flux that is not positive stops the program.
void dat_flx_to_mag();

}  // namespace zolka
