// Number formats in the program's format notation. Every number the program
// prints is rendered here.
//
//   "(f10.2)"   fixed point, 10 wide, 2 decimals
//   "(1pe8.1)"  exponent form with one digit before the point, 8 wide, 1 decimal
//   "(e12.4)"   exponent form 0.dddd, "(g15.7)" general form
//   "(I4)"      integer 4 wide; "(I2.2)" at least 2 digits, leading zeros
//   "A", "A10"  text; "1X" one blank; 'text' a literal; "/" a new line
//   "(3f8.2)", "(2(i3,1x))"  repeat counts and groups, applied item by item
// A number too wide for its field prints as a row of asterisks as wide as the
// field.
//
// Free format is the general rendering: an integer as its digits, a 32-bit real
// with seven significant digits, a 64-bit real with fifteen. Fixed-point form
// is used from 0.001 up to 1e7 (1e15 for 64-bit), exponent form outside;
// trailing zeros are dropped but one decimal is kept ("1.0", "2.5E-05").
// Free-format lines begin with one blank column; freeline() builds them.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace zolka {

// Single edit descriptors.
std::string fmt_i(long long v, int w, int m = 0);          // Iw, Iw.m
std::string fmt_f(double v, int w, int d);                 // Fw.d
std::string fmt_e(double v, int w, int d, int scale = 0);  // Ew.d, 1PEw.d with scale 1
std::string fmt_g(double v, int w, int d);                 // Gw.d

// Free-format renderings, no leading or trailing blanks.
std::string free_format(int v);
std::string free_format(long long v);
std::string free_format(float v);
std::string free_format(double v);

// One item of a format list.
using FmtItem = std::variant<long long, float, double, std::string_view>;

// Applies a format text such as "(a,i4,1x,f8.2)" to the items in order. A
// format beginning with "*" renders the items in free format instead.
std::string format(std::string_view fmt, std::initializer_list<FmtItem> items);
// One real in a one-descriptor format such as "(f10.2)" or "*".
std::string format1(double v, std::string_view fmt);

namespace detail {
inline void free_append(std::string& s, std::string_view t) {
  s += t;
}
inline void free_append(std::string& s, const char* t) {
  s += t;
}
inline void free_append(std::string& s, const std::string& t) {
  s += t;
}
inline void free_append(std::string& s, char c) {
  s += c;
}
inline void free_append(std::string& s, bool b) {
  s += b ? " T" : " F";
}
template <class T, class = std::enable_if_t<std::is_arithmetic_v<T>>>
void free_append(std::string& s, T v) {
  s += ' ';
  if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double>)
    s += free_format(v);
  else if constexpr (std::is_same_v<T, long double>)
    s += free_format(static_cast<double>(v));
  else
    s += free_format(static_cast<long long>(v));
}
}  // namespace detail

// A free-format line: one blank column, then the items in order; texts as
// they stand, each number after one blank. freeline("NCOL", 3, " HJD COL", 1)
// gives " NCOL 3 HJD COL 1".
template <class... A>
std::string freeline(const A&... items) {
  std::string s = " ";
  (detail::free_append(s, items), ...);
  return s;
}

// The same items without the leading blank column: freetext(" D ... Data:", 0)
// gives " D ... Data: 0".
template <class... A>
std::string freetext(const A&... items) {
  std::string s;
  (detail::free_append(s, items), ...);
  return s;
}

}  // namespace zolka
