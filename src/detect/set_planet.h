// Placing the planet at a point of a chi-square map.
#pragma once

#include <string_view>

namespace zolka {

// Sets the planet from map coordinates (c1, c2) of kind opt (upper-cased,
// at most 10 characters):
//   "XY"  setplxy(c1, c2);
//   "UA"  setplua(10^c1, c2 degrees);
//   "TF"  setpltf(c1, c2);
//   "FQ"  qpl = 10^c2 and f = c1, at the azimuth where that planet fits best:
//         an azimuth scan of chi2calc (values kept in c_a) around the best map
//         planet (xplfit, yplfit) when its separation is between 0.05 and 20,
//         else over the source track from t0 - 5 te to t0 + 5 te, in steps of
//         the planet's Einstein radius over the image distance (at most
//         maxgrid cells), refined by a parabola through the best three cells.
//         Prints the scan ("logQ ... chi2min =") and leaves the model's
//         predictions at the chosen azimuth.
// Another kind prints "** INVALID OPTION setplanet( " and stops the program.
void setplanet(std::string_view opt, float c1, float c2);

}  // namespace zolka
