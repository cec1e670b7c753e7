// The plot menu: one panel per letter of a reply, stacked down one page.
#pragma once

#include <string_view>

namespace zolka {

// Draws the panels of the letters of opt's first word (upper-cased, the
// reply cut to 10 characters), one below the other on a page of one column:
//   A magnification A(t)        B source and blend fluxes   C chi2 map x, y
//   G Gaussian residual test    I image positions           K chi2 map f, q
//   L chi2 map u, alpha         M light curve               N normalised residuals
//   O orbit detection map       P detection probability     R residuals
//   V chi2 map t, f             Y sky correlations          Z seeing correlations
// Every panel ends with the logo, inside its bottom edge after the maps C, L
// and V, above its top edge after the others; a letter without a panel gets
// an empty panel with its logo. The device dialogue opens the page, and the
// whole page is drawn again while the plot-again question is answered yes.
// An empty word returns at once.
void mplot(std::string_view opt);

}  // namespace zolka
