// The planet's marker on the lens-plane and map plots.
#pragma once

#include <string_view>

namespace zolka {

// Marks the planet (qpl, xpl, ypl) of radius r = sqrt(qpl), its Einstein
// radius, in the current colour and line style:
//   "XY"  a circle (outline) of radius r about (xpl, ypl) and a cross through
//         it with arms +-r;
//   "UA"  in the (log10 u, azimuth in degrees) frame of the u,a maps, about
//         (log10 upl, apl in degrees): a cross with arms dl = log10(upl + r)
//         - log10 upl and dd = r in degrees, and the ellipse of those
//         semi-axes.
// Prints "planet( " opt " ) ********" (opt upper-cased). Other options, and
// no planet (qpl <= 0, or upl <= 0 for "UA"), draw nothing.
void planet(std::string_view opt);

}  // namespace zolka
