#include "numeric/sort.h"

#include <utility>

#include "shell/core/print.h"

namespace zolka {

namespace {

constexpr int kStackSize = 300;  // pending partitions the sort can hold
constexpr int kShort = 9;        // partitions this short are left to the insertion pass

template <class T>
void index_sort(int n, const T* x, int* index) {
  if (n < 1) return;
  // 1-based views: ix(i) is index(i), key(i) is x(index(i)).
  auto ix = [index](int i) -> int& { return index[i - 1]; };
  auto key = [x, index](int i) { return x[index[i - 1] - 1]; };

  for (int i = 1; i <= n; ++i) ix(i) = i;

  if (n > kShort) {
    int stack_l[kStackSize];  // left and right bounds of the pending partitions
    int stack_r[kStackSize];
    int nstack = 0;
    int l = 1;
    int r = n;
    for (;;) {
      // Median of the keys at l, the middle and r. With P at the middle, Q at r
      // and R at l, the strict comparisons pick l when R lies between Q and P,
      // else r when Q lies between P and R, else the middle.
      const int m = (l + r) / 2;
      const T p_mid = key(m);
      const T q_right = key(r);
      const T r_left = key(l);
      int med;
      if ((q_right < r_left) == (r_left < p_mid)) {
        med = l;
      } else if ((p_mid < q_right) != (r_left < p_mid)) {
        med = r;
      } else {
        med = m;
      }
      std::swap(ix(med), ix(l));
      const T v = key(l);

      // Partition about v. The other two sampled keys lie on either side of v,
      // so neither scan can leave l .. r.
      int i = l;
      int j = r + 1;
      for (;;) {
        do ++i;
        while (key(i) < v);
        do --j;
        while (key(j) > v);
        if (i >= j) break;
        std::swap(ix(i), ix(j));
      }
      std::swap(ix(l), ix(j));

      // Go on with the smaller long part and push the larger, which keeps the
      // stack depth below log2 n.
      const int nleft = j - l;
      const int nright = r - j;
      if (nleft > kShort && nright > kShort) {
        const bool push_right = nright >= nleft;
        if (nstack < kStackSize) {
          stack_l[nstack] = push_right ? j + 1 : l;
          stack_r[nstack] = push_right ? r : j - 1;
          ++nstack;
        } else {
          // Not reachable at any int count; the part that found no room is
          // left to the insertion pass, which still orders it.
          diag("\a*** STACK OVERFLOW IN QUICKSORT.");
        }
        if (push_right) {
          r = j - 1;
        } else {
          l = j + 1;
        }
      } else if (nleft > kShort) {
        r = j - 1;
      } else if (nright > kShort) {
        l = j + 1;
      } else {
        if (nstack == 0) break;
        --nstack;
        l = stack_l[nstack];
        r = stack_r[nstack];
      }
    }
  }

  // Straight insertion finishes the short partitions.
  for (int i = 2; i <= n; ++i) {
    const int it = ix(i);
    const T v = x[it - 1];
    int k = i - 1;
    while (k >= 1 && key(k) > v) {
      ix(k + 1) = ix(k);
      --k;
    }
    ix(k + 1) = it;
  }
}

}  // namespace

void quicksort(int n, const float* x, int* index) {
  index_sort(n, x, index);
}

void quicksort8(int n, const double* x, int* index) {
  index_sort(n, x, index);
}

}  // namespace zolka
