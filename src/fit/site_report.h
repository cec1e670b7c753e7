// One status line per site.
#pragma once

namespace zolka {

// For each site, led by three blanks: its flux relative to site 1, blend
// ratio, baseline noise, error-bar scale, systematic error, its chi-square
// per degree of freedom of the last badness evaluation, and its name.
void multisitereport();

}  // namespace zolka
