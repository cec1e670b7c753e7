#include "numeric/sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/support.h"

namespace zolka {
namespace {

// Checks that index is a permutation of 1 .. n that orders the keys the way
// std::sort orders them.
template <class T>
void expect_sorted_by(const std::vector<T>& x, const std::vector<int>& index) {
  const int n = static_cast<int>(x.size());
  std::vector<int> seen(index);
  std::sort(seen.begin(), seen.end());
  for (int i = 1; i <= n; ++i) ASSERT_EQ(seen[i - 1], i) << "index is not a permutation of 1..n";
  std::vector<T> expected(x);
  std::sort(expected.begin(), expected.end());
  for (int i = 1; i <= n; ++i) {
    ASSERT_EQ(x[index[i - 1] - 1], expected[i - 1]) << "position " << i;
  }
}

struct Layout {
  std::string name;
  int n;
  float (*key)(int i, int n, std::mt19937& rng);  // key of element i (1-based)
};

const Layout kLayouts[] = {
    {"random n=10", 10, [](int, int, std::mt19937& g) { return float(g() % 1000); }},
    {"random n=11", 11, [](int, int, std::mt19937& g) { return float(g() % 1000); }},
    {"random n=1000", 1000, [](int, int, std::mt19937& g) { return float(g()) / 7.0f; }},
    {"random n=100000", 100000, [](int, int, std::mt19937& g) { return float(g()) - 2e9f; }},
    {"all equal n=10", 10, [](int, int, std::mt19937&) { return 5.0f; }},
    {"all equal n=100000", 100000, [](int, int, std::mt19937&) { return 5.0f; }},
    {"three keys n=100000", 100000, [](int, int, std::mt19937& g) { return float(g() % 3); }},
    {"ascending n=100000", 100000, [](int i, int, std::mt19937&) { return float(i); }},
    {"descending n=100000", 100000, [](int i, int n, std::mt19937&) { return float(n - i); }},
    {"organ pipe n=100000", 100000,
     [](int i, int n, std::mt19937&) { return float(std::min(i, n + 1 - i)); }},
    {"sawtooth n=50000", 50000, [](int i, int, std::mt19937&) { return float(i % 17); }},
};

TEST(Quicksort, OrdersKeysLikeStdSort) {
  std::mt19937 rng(20240611);
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    std::vector<float> x(layout.n);
    for (int i = 1; i <= layout.n; ++i) x[i - 1] = layout.key(i, layout.n, rng);
    const std::vector<float> keys_before(x);
    std::vector<int> index(layout.n, -7);
    test::CapturedConsole console;
    quicksort(layout.n, x.data(), index.data());
    EXPECT_EQ(console.output(), "") << "no stack overflow at the store's capacity";
    EXPECT_EQ(x, keys_before) << "the keys must not move";
    expect_sorted_by(x, index);
  }
}

TEST(Quicksort, ShortCountsUseInsertionAlone) {
  for (int n = 1; n <= 9; ++n) {
    SCOPED_TRACE("n=" + std::to_string(n));
    std::vector<float> x(n);
    for (int i = 1; i <= n; ++i) x[i - 1] = float((i * 7) % n) - 0.5f * i;
    std::vector<int> index(n);
    quicksort(n, x.data(), index.data());
    expect_sorted_by(x, index);
  }
}

TEST(Quicksort, NothingForCountBelowOne) {
  float x[2] = {2, 1};
  int index[2] = {-7, -7};
  quicksort(0, x, index);
  quicksort(-3, x, index);
  EXPECT_EQ(index[0], -7);
  EXPECT_EQ(index[1], -7);
}

TEST(Quicksort, SortsABlockOfALargerArray) {
  // A caller passes element it1 of a per-point array; the indices are then
  // relative to that block.
  std::vector<float> all = {9, 9, 9, 3, 1, 2, 9};
  std::vector<int> index(3);
  quicksort(3, &all[3], index.data());
  EXPECT_EQ(index, (std::vector<int>{2, 3, 1}));
}

TEST(Quicksort8, UsesAllSixtyFourBitsOfTheKeys) {
  // Times one second apart near HJD 2450000 are equal as 32-bit floats.
  const int n = 5000;
  std::vector<double> t(n);
  for (int i = 0; i < n; ++i) t[i] = 2450000.0 + i / 86400.0;
  std::mt19937 rng(7);
  std::shuffle(t.begin(), t.end(), rng);
  std::vector<int> index(n);
  quicksort8(n, t.data(), index.data());
  expect_sorted_by(t, index);
}

}  // namespace
}  // namespace zolka
