// Dates and clock times.
//
// A calendar date is year, month 1-12 and day 1-31. A Julian day number is the
// Julian date of noon on a calendar date (2000 January 1 is 2451545); a Julian
// date is a real number of days, so midnight starting a day lies half a day
// before its day number. The supported years are 1801 to 2099; a date outside
// them stops the program. Clock times are the platform's local time; the
// caller turns them into UTC with the user's time-zone offset.
#pragma once

namespace zolka {

inline constexpr int kFirstYear = 1801;  // first supported calendar year
inline constexpr int kLastYear = 2099;   // last supported calendar year

// Today's local calendar date.
void get_dmy(int& iday, int& imon, int& iyr);

// The local clock time: hour, minute, second, and the decimal hours
// hr = ihr + (imin + isec/60)/60.
void get_hmst(int& ihr, int& imin, int& isec, float& hr);

// Julian day number of a calendar date. The day is not tested against the
// month's length, so 2024 February 31 is 2024 March 2. A year outside
// 1801-2099, a month outside 1-12 or a day outside 1-31 prints
// "** JDATE: Year out of range 1801 - 2099", "** JDATE: Month out of range" or
// "** JDATE: Day out of range" with the value and stops the program.
int jdate(int iyr, int imon, int iday);

// Calendar date and decimal hour (0 <= hr < 24) of the Julian date jd. The
// instant that ends a day belongs to the next day, hour 0. A year outside
// 1801-2099 prints "** JDATE: Year out of range 1801 - 2099" with the year and
// stops the program.
void calendar(double jd, int& iyr, int& imon, int& iday, double& hr);

// Decimal hours split into hours, minutes, seconds and milliseconds, rounded
// to the nearest millisecond (12.9999999 gives 13 0 0 0).
void tsplit(double hr, int& ihr, int& imin, int& isec, int& ims);

}  // namespace zolka
