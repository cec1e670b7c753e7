// The cached chi-square maps, one per kind ("XY", "UA", "TF", "FQ"; see
// grids.h), and the test of whether a cached map can stand for a new one.
//
// A cached map holds its values (c_xy, c_ua, c_tf, c_fq), shares its axes
// with the kind's grid builder, and keeps a hold record of the grid it was
// made on (counts, first and last axis values, the tweak count and, but for
// "FQ", the mass ratio). The kind's need flag (needcxy, ...) is true while the
// cache must be recomputed: set by a failed reuse test and, for "XY" and
// "UA", by needs() after any command that may change the model; cleared by
// storing a map.
#pragma once

#include <string_view>

namespace zolka {

// Reuse tests. Each compares the kind's current grid (just built by gridbox)
// and, but for FQ, qpl with the hold record, prints both, then asks
// "Parameters to tweak" (default: the held tweak count for XY, ntweak for the
// others), stores the reply clamped to 0 .. 7 in ntweak, and sets the need
// flag when anything differs: q at all, an axis count (or a count below 1),
// or an end of an axis by more than 0.002 (XY) or 0.001 (the others).
// Returns the need flag.
bool checkcxy();
bool checkcua();
bool checkctf();
bool checkcfq();

// Write the hold record of the map just stored in the kind's cache; the
// first record written in a run also marks the cache as needed. stowcxy
// prints "* stowcxy ntweak" with ntweak and the grid size.
void stowcxy();
void stowcua();
void stowctf();
void stowcfq();

// True when the kind's reuse test passes; false for any other option.
bool useoldmap(std::string_view opt);

// Copies the working map (n_1, n_2, par_1, par_2, chi2_12) into the kind's
// cache, writes its hold record, clears its need flag and files the map's
// metadata (qmap but for FQ, mapfit, maptweak, mapdof, chi2ref, cpumap).
// Another option prints "** invalid stowgrid(" and changes nothing.
void stowgrid(std::string_view opt);
// Copies the kind's cache into the working map with its metadata and shows
// the grid. Another option prints "** invalid fetchgrid(", and a cache that
// holds no map of its grid's size prints an error; both leave the working
// map as it was.
void fetchgrid(std::string_view opt);

}  // namespace zolka
