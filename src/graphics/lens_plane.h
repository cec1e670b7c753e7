// Drawings in the lens plane (Einstein radii, the star at the origin, the
// source moving along +x at height y0) and in the coordinates of the planet
// maps.
#pragma once

#include <string_view>

namespace zolka {

// The sources of the data points and their two images (recomputed with
// lcalc at y0; x_t is refreshed), in the current panel:
//   isymb < 0: sources, major and minor images with each site's marker and
//              colour (no error bars);
//   isymb = 0: around each source a circle (outline) of radius sqrt(qpl) (colour 3),
//              and around each image the circle inside which a planet of
//              mass ratio qpl would change that point by more than the
//              detection threshold: radius sqrt(qpl) ainv((A f - A_other)/A_image)
//              with f = 10^(0.4 sqrt(delchi2) sigmag_t), in kolor_model;
//   isymb > 0: sources, minor and major images with marker isymb.
// Nothing is drawn without data.
void marksites(int isymb);

// The Einstein ring in a map's coordinates: "XY" the unit circle with a
// marker at the star; "TF" the circle turned into time and image-relative
// distance (xy2tf); "UA" the line log u = 0 over the azimuths of the
// circle, degrees (either case). Other options draw nothing.
void ering(std::string_view opt);

}  // namespace zolka
