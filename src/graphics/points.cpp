#include "graphics/points.h"

#include <string>
#include <vector>

#include "graphics/pgplot.h"
#include "graphics/site_style.h"
#include "numeric/sort.h"
#include "numeric/stats.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {

constexpr float barend = 1.0f;     // length of the error-bar end marks, PGPLOT units
constexpr float pointsize = 0.7f;  // marker height relative to the character height

// The sites in drawing order, each with its place in the ascending order of
// median magnitude error (1 = the smallest): largest median first. With
// several sites the order is reported, and `site` ends up naming the last
// (best) one.
struct Placed {
  int site;
  int place;
};

std::vector<Placed> drawing_order() {
  ProgramState& s = state();
  const int nloc = s.nloc;
  if (nloc == 1) return {{1, 1}};
  std::vector<float> sigmed(static_cast<std::size_t>(nloc));
  std::vector<int> rank(static_cast<std::size_t>(nloc));
  for (int l = 1; l <= nloc; ++l) {
    const int n = s.ndat_l(l);
    sigmed[static_cast<std::size_t>(l - 1)] = n > 0 ? xmedian(n, &s.sigmag_t(s.it1_l(l))) : 0.0f;
  }
  quicksort(nloc, sigmed.data(), rank.data());
  say("Sites sorted by median magnitude error bar:");
  std::vector<Placed> order;
  for (int k = nloc; k >= 1; --k) {
    const int l = rank[static_cast<std::size_t>(k - 1)];
    order.push_back({l, k});
    const int n = s.ndat_l(l);
    float magmed = 0, magmad = 0;
    if (n > 0) medmad(n, &s.datmag_t(s.it1_l(l)), magmed, magmad);
    s.site = s.site_l(l);
    say(k, l, " dat", n, " mag med", magmed, " mad", magmad, " sig",
        sigmed[static_cast<std::size_t>(l - 1)], " ", trimmed(s.site));
  }
  return order;
}

}  // namespace

void pgxys1(const Vec1<float>& x, const Vec1<float>& y, const Vec1<float>& e1,
            const Vec1<float>& e2, int ixy) {
  ProgramState& s = state();
  if (s.ndata < 1 || s.nloc < 1) return;
  // PGPLOT error-bar directions: 1 +x, 2 +y, 3 -x, 4 -y.
  const int dir1 = ixy == 0 ? 2 : 1;
  const int dir2 = ixy == 0 ? 4 : 3;
  for (const Placed& p : drawing_order()) {
    const int l = p.site;
    const int n = s.ndat_l(l);
    if (n < 1) continue;
    const int i1 = s.it1_l(l);
    int k = s.kolor_l(l);
    siteci(l, k);
    say(p.place, l, n, " ", trimmed(s.site_l(l)));
    pgsci(k);
    pgerrb(dir1, n, &x(i1), &y(i1), &e1(i1), barend);
    pgerrb(dir2, n, &x(i1), &y(i1), &e2(i1), barend);
    pgqch(s.csize);
    pgsch(pointsize * s.csize);
    pgpoint(n, &x(i1), &y(i1), s.isymb_l(l));
    pgsch(s.csize);
  }
}

void pgxys(const Vec1<float>& x, const Vec1<float>& y, const Vec1<float>& e1,
           const Vec1<float>& e2) {
  pgxys1(x, y, e1, e2, 0);
}

void pgxsy(const Vec1<float>& x, const Vec1<float>& y, const Vec1<float>& e1,
           const Vec1<float>& e2) {
  pgxys1(x, y, e1, e2, 1);
}

}  // namespace zolka
