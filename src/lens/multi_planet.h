// Magnification of a source by the star and its planets.
//
// Each planet is first judged by the single-lens images: a planet changes the
// light only near one of the two images the star alone makes, so its effect is
// estimated as the image's magnification times the excess magnification of a
// point lens of mass ratio q at the image-planet distance (Gould & Loeb 1992).
// Only planets whose estimate reaches 1e-7 of the total get the binary-lens
// solution; at most two planets enter, their excess magnifications adding.
//
// Positions here are in Einstein radii of the star alone, as in the point
// lens of the fits; the binary lens (whose own unit is the Einstein radius of
// star plus planet, sqrt(1 + q) times larger) is called in those units, so a
// planet that hardly matters changes the magnification hardly at all.
#pragma once

namespace zolka {

// Magnification of a source at (xs, ys) (star's Einstein radii, star at the origin)
// by the star and npl planets of mass ratios q(i) at (xp(i), yp(i)); xp, yp
// and q point at element 1 of npl values. Planets with q <= 0 are ignored.
// Reads and writes the image list (lens1, then lens2 for the planets that
// matter, its images in the star's units) and aspfirst, the planet that last entered the
// magnification: when another enters, or a magnification falls below 0.999, a report of the source
// and the planets is printed. Stops the program when the single-lens magnification is below 0.999.
float asp(float xs, float ys, int npl, const float* xp, const float* yp, const float* q);

}  // namespace zolka
