#include "shell/model/now.h"

#include <cmath>

#include "lens/point_lens.h"
#include "numeric/calendar.h"
#include "shell/core/format.h"
#include "shell/core/state.h"
#include "shell/model/photometry.h"

namespace zolka {

void now(int& iyr, int& imon, int& iday, int& ihr, int& imin, int& isec) {
  ProgramState& s = state();
  int lday = 0, lmon = 0, lyr = 0;
  get_dmy(lday, lmon, lyr);
  int lhr = 0, lmin = 0, lsec = 0;
  float hr = 0;
  get_hmst(lhr, lmin, lsec, hr);
  const double uthr = hr - s.timezone;
  s.hjdnow = jdate(lyr, lmon, lday) + (uthr - 12) / 24;
  // Back to the UTC calendar, which may fall on the previous or next day.
  double uhr = 0;
  calendar(s.hjdnow, iyr, imon, iday, uhr);
  int ims = 0;
  tsplit(uhr, ihr, imin, isec, ims);
  s.xnow = static_cast<float>((s.hjdnow - s.hjd0) / s.te);
  s.tnow = static_cast<float>(s.hjdnow - s.mjd0);
  s.unow = std::sqrt(s.y0 * s.y0 + s.xnow * s.xnow);
  s.anow = atotl(s.unow);
  s.smagnow = s.smag0 + blendmag(s.anow, s.b0);
}

std::string nowline() {
  int iyr = 0, imon = 0, iday = 0, ihr = 0, imin = 0, isec = 0;
  now(iyr, imon, iday, ihr, imin, isec);
  return "now " + fmt_i(iyr, 4) + "-" + fmt_i(imon, 2, 2) + "-" + fmt_i(iday, 2, 2) + " UT " +
         fmt_i(ihr, 2, 2) + ":" + fmt_i(imin, 2, 2) + ":" + fmt_i(isec, 2, 2);
}

}  // namespace zolka
