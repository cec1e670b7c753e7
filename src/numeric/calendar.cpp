#include "numeric/calendar.h"

#include <cmath>
#include <ctime>

#include "shell/core/print.h"

namespace zolka {

namespace {

// Days in a common year before the first of each month.
constexpr int kDaysBefore[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Gregorian leap year. Day numbers from jdate count 1900 as a common year and
// 2000 as a leap year, so the rule must include the 400-year exception.
bool leap_year(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

std::tm local_now() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

constexpr const char* kYearRange = "** JDATE: Year out of range 1801 - 2099";

void check_year(int y) {
  if (y < kFirstYear || y > kLastYear) stop(kYearRange, y);
}

// Julian day number of a date from 1801 to 2100 February, unchecked. Integer form with
// truncating division, exact from 1900 March to 2100 February, where every
// fourth year is a leap year. February 1900 has no 29th day, so every earlier
// date lies one day later than the form says.
int day_number(int iyr, int imon, int iday) {
  int j = 367 * iyr - 7 * (iyr + (imon + 9) / 12) / 4 + 275 * imon / 9 + iday + 1721014;
  if (100 * iyr + imon <= 190002) ++j;  // before 1900 March
  return j;
}

}  // namespace

void get_dmy(int& iday, int& imon, int& iyr) {
  const std::tm tm = local_now();
  iday = tm.tm_mday;
  imon = tm.tm_mon + 1;
  iyr = tm.tm_year + 1900;
}

void get_hmst(int& ihr, int& imin, int& isec, float& hr) {
  const std::tm tm = local_now();
  ihr = tm.tm_hour;
  imin = tm.tm_min;
  isec = tm.tm_sec;
  hr = static_cast<float>(ihr) + (static_cast<float>(imin) + static_cast<float>(isec) / 60) / 60;
}

int jdate(int iyr, int imon, int iday) {
  check_year(iyr);
  if (imon < 1 || imon > 12) stop("** JDATE: Month out of range", imon);
  if (iday < 1 || iday > 31) stop("** JDATE: Day out of range", iday);
  return day_number(iyr, imon, iday);
}

void calendar(double jd, int& iyr, int& imon, int& iday, double& hr) {
  // Guess the year from a mean year of 365.2475 days, then step to the year
  // whose 1 January midnight is the last one at or before jd.
  const double guess = jd / 365.2475 - 4712;
  if (!(std::fabs(guess) < 1e9)) stop(kYearRange, guess);
  int n = static_cast<int>(guess);
  double d;  // days since the start of 1 January of year n
  bool leap;
  for (;;) {
    // The guess runs ahead of the calendar by up to three days at the end of
    // 2099, so 2100 is allowed as a guess and judged once the steps settle.
    if (n < kFirstYear || n > kLastYear + 1) stop(kYearRange, n);
    d = jd + 0.5 - day_number(n, 1, 1);
    if (d < 0) {
      --n;
      continue;
    }
    leap = leap_year(n);
    if (d >= (leap ? 366 : 365)) {
      ++n;
      continue;
    }
    break;
  }
  check_year(n);

  const int extra = leap ? 1 : 0;  // February 29 in a leap year
  int m = 1;
  if (d >= 31) {
    m = 12;
    for (int k = 2; k <= 11; ++k) {
      if (d < kDaysBefore[k + 1] + extra) {
        m = k;
        break;
      }
    }
  }

  const double x = d + 1 - kDaysBefore[m] - (m >= 3 ? extra : 0);
  iyr = n;
  imon = m;
  iday = static_cast<int>(x);
  hr = 24 * (x - iday);
}

void tsplit(double hr, int& ihr, int& imin, int& isec, int& ims) {
  // Half a millisecond in hours, so that the truncations below give the
  // nearest millisecond.
  double x = hr + 1.3888888888888888e-7;
  ihr = static_cast<int>(x);
  x = 60 * (x - ihr);
  imin = static_cast<int>(x);
  x = 60 * (x - imin);
  isec = static_cast<int>(x);
  ims = static_cast<int>(1000 * (x - isec));
}

}  // namespace zolka
