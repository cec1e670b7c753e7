// 1-based arrays, indexed as the formulas are written: a(1) .. a(n).
//
// Arr1<T, N> has a fixed capacity N held inline (site and parameter arrays).
// Vec1<T> and Mat1<T> live on the heap and are sized to what is in use
// (per-point arrays, grid axes, maps). Element (i) or (i, j) is bounds-checked
// when ZOLKA_CHECK_BOUNDS is defined (the sanitizer build); otherwise the
// access is a plain indexed load, as the hot loops need.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <vector>

namespace zolka {

#ifdef ZOLKA_CHECK_BOUNDS
#define ZOLKA_BOUNDS(cond) assert(cond)
#else
#define ZOLKA_BOUNDS(cond) ((void)0)
#endif

template <class T, int N>
class Arr1 {
 public:
  T& operator()(int i) {
    ZOLKA_BOUNDS(i >= 1 && i <= N);
    return a_[i - 1];
  }
  const T& operator()(int i) const {
    ZOLKA_BOUNDS(i >= 1 && i <= N);
    return a_[i - 1];
  }
  static constexpr int capacity() { return N; }
  void fill(const T& v) { a_.fill(v); }
  // Pointer to element 1, for routines that take a plain array of n values.
  T* data() { return a_.data(); }
  const T* data() const { return a_.data(); }

 private:
  std::array<T, N> a_{};
};

template <class T>
class Vec1 {
 public:
  Vec1() = default;
  explicit Vec1(int n, const T& v = T{}) : a_(static_cast<std::size_t>(std::max(n, 0)), v) {}

  T& operator()(int i) {
    ZOLKA_BOUNDS(i >= 1 && i <= size());
    return a_[static_cast<std::size_t>(i - 1)];
  }
  const T& operator()(int i) const {
    ZOLKA_BOUNDS(i >= 1 && i <= size());
    return a_[static_cast<std::size_t>(i - 1)];
  }
  int size() const { return static_cast<int>(a_.size()); }
  // Grows or shrinks to n elements; existing values are kept, new ones are v.
  void resize(int n, const T& v = T{}) { a_.resize(static_cast<std::size_t>(std::max(n, 0)), v); }
  void assign(int n, const T& v) { a_.assign(static_cast<std::size_t>(std::max(n, 0)), v); }
  void fill(const T& v) { std::fill(a_.begin(), a_.end(), v); }
  T* data() { return a_.data(); }
  const T* data() const { return a_.data(); }

 private:
  std::vector<T> a_;
};

// Two-dimensional 1-based array m(i, j), i = 1 .. ni, j = 1 .. nj, stored with i
// varying fastest (a map row of constant j is contiguous).
template <class T>
class Mat1 {
 public:
  Mat1() = default;
  Mat1(int ni, int nj, const T& v = T{}) { resize(ni, nj, v); }

  T& operator()(int i, int j) {
    ZOLKA_BOUNDS(i >= 1 && i <= ni_ && j >= 1 && j <= nj_);
    return a_[static_cast<std::size_t>(i - 1) + static_cast<std::size_t>(j - 1) * ni_];
  }
  const T& operator()(int i, int j) const {
    ZOLKA_BOUNDS(i >= 1 && i <= ni_ && j >= 1 && j <= nj_);
    return a_[static_cast<std::size_t>(i - 1) + static_cast<std::size_t>(j - 1) * ni_];
  }
  int ni() const { return ni_; }
  int nj() const { return nj_; }
  // Resizing discards the contents; every element becomes v.
  void resize(int ni, int nj, const T& v = T{}) {
    ni_ = std::max(ni, 0);
    nj_ = std::max(nj, 0);
    a_.assign(static_cast<std::size_t>(ni_) * static_cast<std::size_t>(nj_), v);
  }
  void fill(const T& v) { std::fill(a_.begin(), a_.end(), v); }
  T* data() { return a_.data(); }
  const T* data() const { return a_.data(); }

 private:
  int ni_ = 0;
  int nj_ = 0;
  std::vector<T> a_;
};

}  // namespace zolka
