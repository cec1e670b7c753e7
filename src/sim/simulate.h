// Synthetic microlensing events: multi-site point-lens light curves with
// blending and photometric noise, written in the program's file layouts and
// naming convention (OOB08123I.dat is OGLE's I-band data of OB-08-123, and
// OB08123.lis lists the files of the event, reference site first).
//
// Noise model per site: an exposure collects n0 = 3e4 (D/1.3 m)^2 photons
// from a star of flux 1 (magnitude 16.4) and sky photons equal to a star of
// magnitude 17.5; the flux error is the Poisson error of star plus sky, with a
// systematic floor of 0.003 mag added in quadrature. The reported error bars
// are the true ones divided by the site's errscale (errscale > 1 makes them
// too small, as real photometry often does).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zolka::sim {

struct SimSite {
  char scope = 'O';       // observatory letter of the file-name convention
  int npts = 100;         // number of points
  float basemag = 17.0f;  // baseline magnitude of source plus blend
  float blend = 0.0f;     // blend ratio fb/fs
  char filter = 'I';      // filter letter
  float errscale = 1.0f;  // true error / reported error
};

struct SimEvent {
  std::string event = "OB08123";  // survey letter, field, two-digit year, number
  double t0 = 4567.8;             // peak time, HJD - 2450000
  float te = 20.0f;               // Einstein time, days
  float u0 = 0.1f;                // impact parameter, Einstein radii
  std::vector<SimSite> sites;
  // A planet of the lens star (none when q <= 0), in the lens-plane frame of
  // the program: star at the origin, the source moving along +x and passing
  // the star at height u0 (y > 0 towards the source's closest approach).
  float q = 0;             // planet-to-star mass ratio
  float xp = 0;            // planet x, Einstein radii
  float yp = 0;            // planet y, Einstein radii
  int columns = 3;         // 3: HJD mag err; 6: HJD mag err see sky dwell
  double span = 0;         // days covered by the survey sites; 0: max(60, 8 te)
  std::uint64_t seed = 1;  // random seed
};

struct SimPoint {
  double hjd = 0;   // HJD - 2450000
  float mag = 0;    // measured magnitude
  float err = 0;    // reported magnitude error
  float see = 0;    // seeing, arcsec
  float sky = 0;    // sky counts
  float dwell = 0;  // exposure, s
};

// Magnification at time hjd (HJD - 2450000): the point lens, or the star and
// its planet when q > 0.
float magnification(const SimEvent& ev, double hjd);
// Model magnitude of a site at time hjd (HJD - 2450000), without noise.
float model_mag(const SimEvent& ev, const SimSite& site, double hjd);

// The simulated points of every site, in time order within a site.
std::vector<std::vector<SimPoint>> simulate(const SimEvent& ev);

// File name of a site's data: scope letter, survey letter, the event's field,
// year and number, filter letter, ".dat" (e.g. ZOB08123I.dat).
std::string site_file_name(const SimEvent& ev, const SimSite& site);

// Writes one data file per site and the list file <event>.lis into dir; the
// first line of each data file is a comment holding `how` (the command that
// made it). Returns the list file's path; throws std::runtime_error when a
// file cannot be written.
std::string write_event(const SimEvent& ev, const std::string& dir, const std::string& how);

}  // namespace zolka::sim
