// The planet: mass ratio and position in four interchangeable coordinate pairs.
//
// Lens-plane frame: star at the origin, Einstein-radius units, x along the
// source motion, y towards the source's closest approach (source at (tau, y0)).
// Azimuths are measured from +y towards +x: apl = atan2(xpl, ypl), radians.
#pragma once

#include <string>

namespace zolka {

struct PlanetState {
  float qpl = 0;      // planet-to-star mass ratio q; q <= 0 means no planet
  float xpl = 0;      // planet x, Einstein radii
  float ypl = 0;      // planet y, Einstein radii
  float upl = 0;      // planet-star separation, Einstein radii
  float apl = 0;      // planet azimuth, radians from +y towards +x
  float tpl = 0;      // time the source crosses the planet's azimuth, hjd - mjd0 days
  float fpl = 0;      // separation over image distance at tpl; > 0 major side, < 0 minor side
  std::string plpos;  // primary coordinate pair: "XY", "TF" or "UA"
  float qplfit = 0;   // q of the best map pixel
  float xplfit = 0;   // planet x of the best map pixel, Einstein radii
  float yplfit = 0;   // planet y of the best map pixel, Einstein radii
  int aspfirst = -1;  // planet (index 1..npl) that last entered asp's magnification; -1 none yet
};

}  // namespace zolka
