#include "detect/grids.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "fit/prediction.h"
#include "lens/point_images.h"
#include "lens/point_lens.h"
#include "numeric/rounding.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"
#include "shell/model/time_axis.h"

namespace zolka {

namespace {

constexpr float fmin = -2;       // f range of the t,f and f,q grids
constexpr float fmax = 2;        //
constexpr float xylimit = 3;     // the x,y grid stays inside |x|, |y| <= 3
constexpr float xyround = 0.1f;  // x,y grid edges are multiples of this
constexpr float ulimit = 1.05f;  // the u,a grid covers at least |log10 u| <= 1.05
constexpr float uround = 0.05f;  // u,a grid ends are multiples of this
constexpr int qrows = 9;         // rows of log10 q in the f,q grid: 4 per dex over +-1 dex, +1

// nint(v) for v >= 0, at most maxgrid; an infinite or undefined v is maxgrid.
int capped_nint(float v) {
  if (!(v < maxgrid)) return maxgrid;
  return std::max(nint(v), 0);
}

// n values from a to b, both ends included (the divisor is at least 1).
void both_ends(Vec1<float>& axis, int n, float a, float b) {
  axis.resize(n);
  const float div = static_cast<float>(std::max(n - 1, 1));
  for (int i = 1; i <= n; ++i) axis(i) = a + static_cast<float>(i - 1) / div * (b - a);
}

// n cell centres between a and b.
void cell_centres(Vec1<float>& axis, int n, float a, float b) {
  axis.resize(n);
  for (int i = 1; i <= n; ++i) {
    const float e = (static_cast<float>(i) - 0.5f) / static_cast<float>(n);
    axis(i) = (1 - e) * a + e * b;
  }
}

// Step of an axis with both ends included.
float end_step(float a, float b, int n) {
  return (b - a) / static_cast<float>(std::max(n - 1, 1));
}

// The working map takes the grid's axes; its values are sized to the grid.
void set_working_grid(int n1, const Vec1<float>& a1, int n2, const Vec1<float>& a2) {
  ProgramState& s = state();
  s.n_1 = n1;
  s.n_2 = n2;
  s.par_1.resize(n1);
  s.par_2.resize(n2);
  for (int i = 1; i <= n1; ++i) s.par_1(i) = a1(i);
  for (int i = 1; i <= n2; ++i) s.par_2(i) = a2(i);
  s.chi2_12.resize(n1 * n2);
}

// Image tracks of the data for the current model.
void image_tracks() {
  ProgramState& s = state();
  if (s.ndata <= 0) return;
  xcalc();
  lcalc(s.ndata, s.x_t.data(), s.y0);
}

// Box edges that take in the square of half-width m around (x, y).
struct Box {
  float x1, x2, y1, y2;
  void take(float x, float y, float m) {
    x1 = std::min(x1, x - m);
    x2 = std::max(x2, x + m);
    y1 = std::min(y1, y - m);
    y2 = std::max(y2, y + m);
  }
};

bool square_outside(float x, float y, float m, const Box& limit) {
  return x + m < limit.x1 || x - m > limit.x2 || y + m < limit.y1 || y - m > limit.y2;
}

}  // namespace

int grid_count(float cells) {
  return std::min(capped_nint(cells) + 1, maxgrid);
}

float axis_first(const Vec1<float>& axis, int n) {
  return n >= 1 ? axis(1) : 0.0f;
}

float axis_last(const Vec1<float>& axis, int n) {
  return n >= 1 ? axis(n) : 0.0f;
}

bool gridbox(std::string_view opt) {
  ProgramState& s = state();
  const std::string o = upcase(trimmed(opt));
  say("gridbox( ", o, " ) ********");
  const bool known = o == "XY" || o == "UA" || o == "TF" || o == "FQ";
  if (!known) return false;
  if (!(s.qpl > 0) || !std::isfinite(s.qpl)) {
    diag("** ERROR gridbox: no planet to map, q =", s.qpl, " :((((");
    return false;
  }
  if (o == "XY") {
    float y2 = std::max(uplus(1.1f), uplus(s.y0 + 0.3f));
    roundup(y2, 0.1f);
    cxygrid(-xylimit, xylimit, -1.1f, y2, -xylimit, xylimit, -xylimit, xylimit, 1);
    set_working_grid(s.nxp, s.xp_x, s.nyp, s.yp_y);
  } else if (o == "UA") {
    cuagrid(2);
    set_working_grid(s.nup, s.ulog_u, s.nap, s.ap_a);
  } else if (o == "TF") {
    ctfgrid();
    set_working_grid(s.ntp, s.tp_t, s.nfp, s.fp_f);
  } else {
    cfqgrid();
    set_working_grid(s.nf, s.f_f, s.nqp, s.qlog_q);
  }
  showgrid(o);
  return true;
}

void cxygrid(float x1, float x2, float y1, float y2, float xlo, float xhi, float ylo, float yhi,
             float pix) {
  ProgramState& s = state();
  say("cxygrid(", pix, " ) *************");
  const float r = std::sqrt(s.qpl);
  // Detection zone (Gould & Loeb 1992): a planet changes an image of
  // magnification A by a fraction ~ q/b^2 over a zone of radius b; the change
  // is detectable at the threshold delchi2 where that fraction reaches
  // sigma/sqrt(delchi2), so b^2 ~ (2A - 1) q/(sigma sqrt(delchi2)) for the
  // major image and 2A q/(sigma sqrt(delchi2)) for the minor image.
  const float kappa = s.qpl / std::sqrt(s.delchi2);
  Box box{x1, x2, y1, y2};
  const Box limit{xlo, xhi, ylo, yhi};
  float bplus = 0, bminus = 0;
  image_tracks();
  for (int i = 1; i <= s.ndata; ++i) {
    const float sigma = erbmag(i, premag(s.hjd_t(i)));
    const float w = kappa / sigma;
    const float bp = std::sqrt((2 * s.ap_t(i) - 1) * w);
    if (!square_outside(s.xp_t(i), s.yp_t(i), 2 * bp, limit)) {
      box.take(s.xp_t(i), s.yp_t(i), 2 * bp);
      bplus = std::max(bplus, bp);
    }
    const float bm = std::sqrt(2 * s.am_t(i) * w);
    if (!square_outside(s.xm_t(i), s.ym_t(i), 2 * bm, limit)) {
      box.take(s.xm_t(i), s.ym_t(i), 2 * bm);
      bminus = std::max(bminus, bm);
    }
  }
  // A margin of ten planet Einstein radii, inside the limit box, on a round edge.
  box.x1 = std::max(box.x1 - 10 * r, limit.x1);
  box.x2 = std::min(box.x2 + 10 * r, limit.x2);
  box.y1 = std::max(box.y1 - 10 * r, limit.y1);
  box.y2 = std::min(box.y2 + 10 * r, limit.y2);
  roundoff(box.x1, xyround);
  roundoff(box.x2, xyround);
  roundoff(box.y1, xyround);
  roundoff(box.y2, xyround);

  if (pix <= 0) pix = 2;
  s.nxp = grid_count(std::fabs(box.x2 - box.x1) * pix / r);
  s.nyp = grid_count(std::fabs(box.y2 - box.y1) * pix / r);
  both_ends(s.xp_x, s.nxp, box.x1, box.x2);
  both_ends(s.yp_y, s.nyp, box.y1, box.y2);

  const float dx = end_step(box.x1, box.x2, s.nxp);
  const float dy = end_step(box.y1, box.y2, s.nyp);
  say("A:", atotl(s.y0), " dzsize:", bplus, bminus, " rpl:", r);
  say("X:", s.nxp, box.x1, box.x2, dx, capped_nint(r / std::fabs(dx)));
  say("Y:", s.nyp, box.y1, box.y2, dy, capped_nint(r / std::fabs(dy)));
}

void cuagrid(float split) {
  ProgramState& s = state();
  say("cuagrid(", split, " ) *************");
  // log10 of (1 + the planet's Einstein radius): the planet's size on the log u axis.
  const float g = std::log10(std::sqrt(s.qpl) + 1);
  float lo = -ulimit, hi = ulimit;
  image_tracks();
  for (int i = 1; i <= s.ndata; ++i) {
    const float lu = std::log10(s.u_t(i));
    lo = std::min(lo, lu - 10 * g);
    hi = std::max(hi, lu + 10 * g);
  }
  say("data range of log r/Re", lo, hi);
  roundoff(lo, uround);
  roundoff(hi, uround);
  say("round by", uround, " to", lo, hi);

  const int n = capped_nint(split * (hi - lo) / g);
  s.nup = n;
  s.nap = n;
  both_ends(s.ulog_u, n, lo, hi);
  both_ends(s.ap_a, n, -90, 270);
  say("logu:", axis_first(s.ulog_u, n), axis_last(s.ulog_u, n), n, end_step(lo, hi, n));
  say("adeg:", -90.0f, 270.0f, n, end_step(-90, 270, n));
}

void ctfgrid() {
  ProgramState& s = state();
  say("ctfgrid ****************");
  float tmn = 0, tmx = 0;
  std::string label;
  timeaxis(tmn, tmx, label);
  const float r = std::sqrt(s.qpl);
  // Time steps of half the planet's crossing time at the peak magnification.
  const float dt = s.te * r / 2 / s.a0;
  const float df = r / 2;
  s.ntp = grid_count(std::fabs(tmx - tmn) / dt);
  s.nfp = grid_count((fmax - fmin) / df);
  cell_centres(s.tp_t, s.ntp, tmn, tmx);
  cell_centres(s.fp_f, s.nfp, fmin, fmax);
  say("T:", s.ntp, s.tp_t(1), s.tp_t(s.ntp), std::fabs(tmx - tmn) / static_cast<float>(s.ntp));
  say("F:", s.nfp, s.fp_f(1), s.fp_f(s.nfp), (fmax - fmin) / static_cast<float>(s.nfp));
}

void cfqgrid() {
  ProgramState& s = state();
  say("cfqgrid ****************");
  const float ql = static_cast<float>(nint(10 * std::log10(s.qpl))) / 10;
  say(" q", s.qpl, std::pow(10.0f, ql), " qlog", ql);
  s.nf = grid_count((fmax - fmin) / std::sqrt(s.qpl));
  s.nqp = std::min(qrows, maxgrid);
  cell_centres(s.f_f, s.nf, fmin, fmax);
  cell_centres(s.qlog_q, s.nqp, ql - 1, ql + 1);
  say("F:", s.nf, s.f_f(1), s.f_f(s.nf), (fmax - fmin) / static_cast<float>(s.nf));
  say("Q:", s.nqp, s.qlog_q(1), s.qlog_q(s.nqp), 2.0f / static_cast<float>(s.nqp));
}

void showgrid(std::string_view opt) {
  const ProgramState& s = state();
  const std::string o = upcase(trimmed(opt));
  const std::string l1 = o.substr(0, 1);
  const std::string l2 = o.size() > 1 ? o.substr(1, 1) : "";
  const float a1 = axis_first(s.par_1, s.n_1), b1 = axis_last(s.par_1, s.n_1);
  const float a2 = axis_first(s.par_2, s.n_2), b2 = axis_last(s.par_2, s.n_2);
  say(l1, s.n_1, a1, b1, (b1 - a1) / static_cast<float>(std::max(s.n_1, 1)));
  say(l2, s.n_2, a2, b2, (b2 - a2) / static_cast<float>(std::max(s.n_2, 1)));
}

}  // namespace zolka
