#include "shell/core/prompts.h"

#include <algorithm>

#include "shell/core/console.h"
#include "shell/core/format.h"
#include "shell/core/text.h"
#include "shell/core/values.h"

namespace zolka {

namespace {

constexpr int inputlen = 256;  // the prompt's input line

std::string read_input() {
  std::string s = console::read_line();
  cut(s, inputlen);
  return s;
}

// Reads up to n values of type T into v[0..n-1] following the "Old"/"New"
// rules: a blank line keeps all; each value read replaces the next old one; a
// line with fewer values ends; an unreadable value asks again (the values
// before it stay replaced). Returns how many of the variables were replaced.
template <class T>
int inq_n(std::string_view prompt, T* v[], int n) {
  const std::string_view p = trimmed(prompt);
  int taken = 0;
  for (;;) {
    std::string old = " Old " + std::string(p) + " :";
    for (int k = 0; k < n; ++k) old += " " + free_format(*v[k]);
    console::line(old);
    console::write(" New " + std::string(p) + " : ");
    const std::string line = read_input();
    if (len1(line) == 0) return taken;
    ValueReader r(line);
    for (int k = 0; k < n; ++k) {
      T x{};
      const ValueReader::Status st = r.next(x);
      if (st == ValueReader::none) return taken;
      if (st == ValueReader::bad) break;
      *v[k] = x;
      taken = std::max(taken, k + 1);
      if (k + 1 == n) return taken;
    }
  }
}

}  // namespace

void inq(std::string_view prompt, std::string_view dflt, std::string& reply, int buflen) {
  const std::string_view p = trimmed(prompt);
  if (len1(dflt) == 0)
    console::write(" " + std::string(p) + " ");
  else
    console::write(" " + std::string(p) + " [" + std::string(trimmed(dflt)) + "] ");
  const std::string line = read_input();
  if (len1(line) == 0)
    reply = std::string(dflt);
  else
    reply = line;
  cut(reply, buflen);
}

std::string inq(std::string_view prompt, std::string_view dflt, int buflen) {
  std::string reply;
  inq(prompt, dflt, reply, buflen);
  return reply;
}

namespace {
// A number reply with a default. A blank reply keeps the default value itself
// (the shown text has only seven digits of a 32-bit real).
template <class T>
void inq_number(std::string_view prompt, T dflt, T& result) {
  const std::string shown = free_format(dflt);
  for (;;) {
    const std::string reply = inq(prompt, shown, inputlen);
    if (len1(reply) == 0 || reply == shown) {
      result = dflt;
      return;
    }
    T v{};
    if (ValueReader(reply).next(v) == ValueReader::ok) {
      result = v;
      return;
    }
  }
}
}  // namespace

void inqi(std::string_view prompt, int dflt, int& result) {
  inq_number(prompt, dflt, result);
}

void inqr(std::string_view prompt, float dflt, float& result) {
  inq_number(prompt, dflt, result);
}

int inq2r(std::string_view prompt, float& a, float& b) {
  float* v[] = {&a, &b};
  return inq_n(prompt, v, 2);
}

int inq3r(std::string_view prompt, float& a, float& b, float& c) {
  float* v[] = {&a, &b, &c};
  return inq_n(prompt, v, 3);
}

int inq2i(std::string_view prompt, int& a, int& b) {
  int* v[] = {&a, &b};
  return inq_n(prompt, v, 2);
}

}  // namespace zolka
