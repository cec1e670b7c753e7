// Plot symbols and colours of the sites.
#pragma once

namespace zolka {

// Installs the default marker and colour index of every site row: sites 1 to
// 10 get markers 17, 16, 13, 18, 4, 6, 7, 12, 11, 5 and colour indices 1 to
// 10; sites 11 to 50 marker 1 and colour index 11. Called at start-up.
void siteicons();

// The colour of site isite: when the site exists and has both an icon and a
// colour name that the colour table knows, colour index 17 is defined as that
// colour and k becomes 17; otherwise k is unchanged. Prints the icon, the
// colour name, the status (0 when the name was found) and k.
void siteci(int isite, int& k);

}  // namespace zolka
