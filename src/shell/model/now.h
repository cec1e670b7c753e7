// The present moment: the current UTC time and the model then.
#pragma once

#include <string>

namespace zolka {

// Reads the local clock, turns it into UTC with the time-zone offset, and
// returns the UTC date and time. Sets hjdnow (Julian date of UTC, no
// heliocentric correction), tnow, xnow, unow, anow and smagnow.
void now(int& iyr, int& imon, int& iday, int& ihr, int& imin, int& isec);

// The menu's time line: "now 2011-06-22 UT 09:05:07" (calls now()).
std::string nowline();

}  // namespace zolka
