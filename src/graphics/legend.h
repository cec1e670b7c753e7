// The legend of a panel: lines of captions written inside the top of the
// current PGPLOT panel, and the planet's line.
#pragma once

#include <string>
#include <vector>

namespace zolka {

// One line of the legend: its text (plot escapes included), and for a site
// line the site and the marker drawn in front of it (0: none, as with a
// single site, where the line also has no leading blank).
struct LegendLine {
  std::string text;
  int site = 0;    // site of the line, 0 for the lens lines
  int symbol = 0;  // marker number drawn before the line, 0 for none
};

// The lines legend() writes, built from the current state: the chi-square
// ladder (title_chi2, with data), the peak time, tE and the half-width of the
// peak; u0, A0 and its magnitude; then one line per site holding data (its
// name, baseline or offset magnitude, blend, systematic error, baseline noise,
// error scale and its prior, seeing coefficient), or without sites the
// baseline and blend. Sets a0 = atotl(y0) and delmag = 2.5 log10(a0); leaves
// site 1 current.
std::vector<LegendLine> legend_lines();

// Writes the legend into the current panel: the lines of legend_lines() from
// the top edge down at 0.75 of the character height csize, each site line in
// the site's colour; then legend_planet('B'). Restores the height csize and
// the colour index.
void legend();

// The planet's caption (title_planet), centred: opt 'B' inside the bottom
// edge, 'T' above the top edge (either case). Written only for a planet
// (qpl > 0) within 10 Einstein radii of the star.
void legend_planet(char opt);

}  // namespace zolka
