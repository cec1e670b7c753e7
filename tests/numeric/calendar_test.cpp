#include "numeric/calendar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <string>

#include "shell/core/print.h"
#include "support/support.h"

namespace zolka {
namespace {

namespace chr = std::chrono;

// Julian day number from the standard library's proleptic Gregorian calendar:
// 1970 January 1 is day number 2440588 (Unix epoch at JD 2440587.5).
int reference_jdn(int y, int m, int d) {
  const chr::sys_days day{chr::year{y} / chr::month{unsigned(m)} / chr::day{unsigned(d)}};
  return static_cast<int>(day.time_since_epoch().count()) + 2440588;
}

struct DateCase {
  int y, m, d;
  int jdn;  // published day numbers
};

TEST(Jdate, KnownDayNumbers) {
  const DateCase cases[] = {
      {2000, 1, 1, 2451545},    // J2000.0 epoch
      {1858, 11, 17, 2400001},  // MJD 0 at JD 2400000.5
      {1970, 1, 1, 2440588},    // Unix epoch
      {1801, 1, 1, 2378862},    // first supported day
      {2099, 12, 31, 2488069},  // last supported day
      {1900, 2, 28, 2415079},   // before the 1900 correction
      {1900, 3, 1, 2415080},    // after it
      {2000, 2, 29, 2451604},   // leap day of a century year divisible by 400
      {2024, 2, 31, 2460372},   // day not tested against the month: 2024 March 2
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
    EXPECT_EQ(jdate(c.y, c.m, c.d), c.jdn);
  }
}

TEST(Jdate, OutOfRangeStopsWithItsMessage) {
  struct Case {
    int y, m, d;
    std::string message;
  };
  const Case cases[] = {
      {1800, 12, 31, " ** JDATE: Year out of range 1801 - 2099 1800"},
      {2100, 1, 1, " ** JDATE: Year out of range 1801 - 2099 2100"},
      {1800, 13, 0, " ** JDATE: Year out of range 1801 - 2099 1800"},  // year first
      {2000, 0, 1, " ** JDATE: Month out of range 0"},
      {2000, 13, 1, " ** JDATE: Month out of range 13"},
      {2000, 13, 32, " ** JDATE: Month out of range 13"},  // month before day
      {2000, 1, 0, " ** JDATE: Day out of range 0"},
      {2000, 1, 32, " ** JDATE: Day out of range 32"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    test::CapturedConsole console;
    EXPECT_THROW(jdate(c.y, c.m, c.d), FatalStop);
    EXPECT_EQ(console.output(), c.message + "\n");
  }
}

TEST(Calendar, KnownInstants) {
  struct Case {
    std::string name;
    double jd;
    int y, m, d;
    double hr;
  };
  const Case cases[] = {
      {"2000 Jan 1 midnight", 2451544.5, 2000, 1, 1, 0},
      {"2000 Jan 1 18h", 2451545.25, 2000, 1, 1, 18},
      {"2000 Mar 1 midnight, leap year", 2451604.5, 2000, 3, 1, 0},
      {"2000 Feb 29 noon", 2451604.0, 2000, 2, 29, 12},
      {"end of leap year 2000", 2451910.5, 2001, 1, 1, 0},
      {"end of common year 2001", 2452275.5, 2002, 1, 1, 0},
      {"end of 1899", 2415020.5, 1900, 1, 1, 0},
      {"1900 Mar 1 midnight, common century year", 2415079.5, 1900, 3, 1, 0},
      {"first supported instant", 2378861.5, 1801, 1, 1, 0},
      // A mean year of 365.2475 days puts this in 2100 at first.
      {"last supported evening", 2488069.4, 2099, 12, 31, 21.6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int y = 0, m = 0, d = 0;
    double hr = -1;
    calendar(c.jd, y, m, d, hr);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(m, c.m);
    EXPECT_EQ(d, c.d);
    EXPECT_NEAR(hr, c.hr, 1e-6);
  }
}

TEST(Calendar, RoundTripOverEverySupportedDay) {
  // Every day of 1801-2099 against the standard library's calendar, and back
  // through calendar() at midnight and at 18h.
  constexpr double kHourTol = 24 * 2451545.0 * 4e-16;  // a few ulps of jd, in hours
  for (chr::sys_days day = chr::year{1801} / 1 / 1; day <= chr::year{2099} / 12 / 31;
       day += chr::days{1}) {
    const chr::year_month_day ymd{day};
    const int y = int(ymd.year());
    const int m = int(unsigned(ymd.month()));
    const int d = int(unsigned(ymd.day()));
    const int jdn = jdate(y, m, d);
    ASSERT_EQ(jdn, reference_jdn(y, m, d)) << y << "-" << m << "-" << d;
    for (double hour : {0.0, 18.0}) {
      int yy = 0, mm = 0, dd = 0;
      double hr = -1;
      calendar(jdn - 0.5 + hour / 24, yy, mm, dd, hr);
      ASSERT_EQ(yy * 10000 + mm * 100 + dd, y * 10000 + m * 100 + d) << "hour " << hour;
      ASSERT_NEAR(hr, hour, kHourTol) << y << "-" << m << "-" << d;
    }
  }
}

TEST(Calendar, YearOutOfRangeStops) {
  struct Case {
    double jd;
    std::string message;
  };
  const Case cases[] = {
      {2378861.5 - 1e-4, " ** JDATE: Year out of range 1801 - 2099 1800"},
      {2488070.5, " ** JDATE: Year out of range 1801 - 2099 2100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    test::CapturedConsole console;
    int y, m, d;
    double hr;
    EXPECT_THROW(calendar(c.jd, y, m, d, hr), FatalStop);
    EXPECT_EQ(console.output(), c.message + "\n");
  }
}

TEST(Tsplit, NearestMillisecond) {
  struct Case {
    double hr;
    int h, m, s, ms;
  };
  const Case cases[] = {
      {12.9999999, 13, 0, 0, 0},  // 0.36 ms before 13h rounds up
      {0, 0, 0, 0, 0},
      {1.5, 1, 30, 0, 0},
      {10 + 15 / 60.0 + 1.234 / 3600, 10, 15, 1, 234},
      {23 + 59 / 60.0 + 59.9994 / 3600, 23, 59, 59, 999},
      {7 + 0.0004 / 3600, 7, 0, 0, 0},
      {7 + 0.0006 / 3600, 7, 0, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("hr=" + std::to_string(c.hr));
    int h = -1, m = -1, s = -1, ms = -1;
    tsplit(c.hr, h, m, s, ms);
    EXPECT_EQ(h, c.h);
    EXPECT_EQ(m, c.m);
    EXPECT_EQ(s, c.s);
    EXPECT_EQ(ms, c.ms);
  }
}

// The clock readers against the C library's local time read just before and
// just after (the two differ only across a second or a midnight).
TEST(Clock, LocalDateAndTime) {
  auto local = [] {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
  };
  const std::tm before = local();
  int iday, imon, iyr, ihr, imin, isec;
  float hr;
  get_dmy(iday, imon, iyr);
  get_hmst(ihr, imin, isec, hr);
  const std::tm after = local();

  auto same_date = [&](const std::tm& t) {
    return iyr == t.tm_year + 1900 && imon == t.tm_mon + 1 && iday == t.tm_mday;
  };
  EXPECT_TRUE(same_date(before) || same_date(after)) << iyr << "-" << imon << "-" << iday;
  const int secs = ihr * 3600 + imin * 60 + isec;
  const int s0 = before.tm_hour * 3600 + before.tm_min * 60 + before.tm_sec;
  const int s1 = after.tm_hour * 3600 + after.tm_min * 60 + after.tm_sec;
  EXPECT_TRUE(secs == s0 || secs == s1 || s1 < s0) << ihr << ":" << imin << ":" << isec;
  EXPECT_NEAR(hr, ihr + imin / 60.0 + isec / 3600.0, 24 * 1.2e-7);
}

}  // namespace
}  // namespace zolka
