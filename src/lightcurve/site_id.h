// Site and event identification from the names of follow-up data files.
//
// The naming convention, after the directory and ".dat" are removed:
//   character 1      observatory (scope) letter, case-sensitive except C/c
//   character 2      survey that announced the event: O (OGLE) or K (MOA)
//   character 3      sky field letter
//   characters 4-5   two-digit year, "2K" standing for "00"
//   characters 6-8   event number (years up to 10), or 6-9 (years from 11 on)
//   the rest         filter text; its first letter is the filter letter
// for example OOB08123I.dat: OGLE data of OGLE-2008-BLG-123 in the I band.
#pragma once

#include <string>
#include <string_view>

namespace zolka {

// Decodes a file name into the event name (OB-08-123), the site's plot symbol
// and colour, its standard name (with ":filter" for filters other than I),
// latitude and longitude (degrees), elevation (metres) and aperture (metres).
// A name off the convention keeps the defaults: the site named after the file,
// a blank event, latitude -30, longitude 0, elevation 100, aperture 1.
void cleansite(std::string_view file, std::string& event, char& icon, std::string& colour,
               std::string& site, double& glat, double& glon, double& elev, float& diam);

// Looks an event name (OB-08-123 or OB08123) up in the alias list
// "multiples.list" of the working directory (lines of two equivalent names,
// like "OB08123 KB08456") and gives the other name, or blank. The list is read
// on the first call of a run and again at every call while it is empty.
void eventalias(std::string_view event, std::string& alias);

}  // namespace zolka
