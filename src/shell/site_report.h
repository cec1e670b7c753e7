// One status line per site.
#pragma once

namespace zolka {

// For each site: its flux relative to site 1, blend ratio, baseline noise,
// error-bar scale, systematic error and name, led by three blanks.
void multisitereport();

}  // namespace zolka
