// Index sorts: an order of the keys that leaves the keys where they are.
//
// Arrays are 1-based as the formulas are written: x points at x(1) of n keys,
// index at index(1) of n integers. On return index holds a permutation of
// 1 .. n with x(index(1)) <= x(index(2)) <= ... <= x(index(n)). The sort is
// not stable: equal keys may come out in any order. n < 1 does nothing.
//
// The method is Hoare's quicksort with Sedgewick's refinements (Sedgewick 1978,
// Comm. ACM 21, 847): the pivot is the median of three keys, pending
// partitions wait on an explicit stack of 300 entries with the larger part
// pushed (so the depth stays below log2 n), partitions of 9 or fewer entries
// are left alone, and one straight-insertion pass over the whole index array
// finishes them. Nothing is allocated.
#pragma once

namespace zolka {

// Index sort of 32-bit keys.
void quicksort(int n, const float* x, int* index);
// The same sort of 64-bit keys (times).
void quicksort8(int n, const double* x, int* index);

}  // namespace zolka
