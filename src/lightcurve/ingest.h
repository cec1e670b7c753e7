// Loading light curves: the data dialogue, and one site per file.
//
// A load replaces the store and the site table. Each file is read by layout
// trial (layouts.h), its points validated and put in time order
// (validation.h), and it becomes the next site, named from its file name
// (site_id.h), with its statistics printed. A file that yields nothing is
// reported and skipped; the sites before it are not disturbed.
#pragma once

#include <string>

namespace zolka {

// The data dialogue: asks for a file or "@name" (a list in name.lis, at most
// maxsite files), empties the store, loads every file as a site, then
// normalises the times, sets every clip weight to 1 and converts the
// magnitudes to fluxes. Returns true when data were loaded; false after a
// blank answer (nothing changes) or when no file gave data (the store is left
// empty).
bool newdata();

// The announcement of file i: a dashed line, "datfile i: file", and the
// shell's listing of the file ("ls -l", "head -n 3", "tail -n 3"; only "ls -l"
// for a directory, pipe or device).
void listfile(int i, const std::string& file);

// Reads one file into the store after its ndata points as site nloc + 1: the
// layout trials, point validation, time ordering, the site row with its
// identification, statistics, flux scale, sky and seeing. Returns true when
// the site was made; otherwise the store and the site table are as they were.
bool loadsite(const std::string& file);

}  // namespace zolka
