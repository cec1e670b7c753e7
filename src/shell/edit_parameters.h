// The parameter editors: the E command's editor of the lens, the planet, the
// error model, the priors and the sites, and the T command's editor of the
// plotted time range.
//
// Per-site quantities are edited through the current-site scalars: the
// editors load a row with setsite, change the scalars and store them back
// with stowsite. An answer out of range keeps the old value without a
// message; a blank answer keeps the old value exactly. End of input at any
// prompt ends the program in order (EndOfInput passes through).
#pragma once

#include <string_view>

namespace zolka {

// The parameter editor, repeated until the answer "OK" (the default): shows
// the parameter listing, asks "What to change ? " and acts on the code typed
// (LE, T0, TE, A/A0, Y0/U0, M-M0, M/M0, Q, the planet codes, B, S, E, %, C,
// P..., D, K, or a site number 1 .. nloc). After each recognised code site 1
// is stored and the planet's coordinate pairs are re-derived from plpos. An
// unrecognised code prints "** please try again." and asks again.
void editparms();

// Reads t0, te, y0 and the baseline magnitude in free format; the read goes
// on over further lines until four values are given. A line with an
// unreadable value asks again for all four; a blank line before any value
// keeps the old values. The values are taken only when te and y0 are both
// > 0 (then also hjd0 = mjd0 + t0 and a0 = the magnification at y0);
// otherwise "Keeping old values.".
void editlens();

// Asks for the planet position in the coordinate pair named by code ("X",
// "Y" or "XY"; "TP", "FP" or "TF"; "U", "A" or "UA"), makes it the primary
// pair (plpos) and re-derives the others. A new tp counts only when > 0, a
// new fp only when not 0, a new u only when > 0; the azimuth is typed in
// degrees and kept in (-pi, pi]. Another code prints
// "** Confused.  Please try again!".
void editplanet(std::string_view code);

// The editor of site l, repeated until a blank answer: error model (S, E, %),
// seeing factor (C), magnitude offset from site 1 (M), blend (B), position
// (LA, LO, H) and aperture (D). A site outside 1 .. nloc prints
// "** INVALID SITE editsite(". Leaves site 1 current.
void editsite(int l);

// The plotted time range tbeg, tend: prints the data's time span, the peak
// half-width and twin = max(1, te thalf(a0)^0.75), then asks for "tbeg tend".
// A negative tbeg typed means both values are (t - t0)/twin: tbeg becomes
// t0 + twin tbeg and a positive tend typed becomes t0 + twin tend; otherwise
// they are days after mjd0. A blank answer keeps both.
void edittimes();

}  // namespace zolka
