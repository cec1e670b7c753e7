#include "shell/core/console.h"

#include <iostream>

namespace zolka::console {

namespace {
std::istream* in_stream = nullptr;
std::ostream* out_stream = nullptr;

std::istream& in() {
  return in_stream ? *in_stream : std::cin;
}
}  // namespace

void set_streams(std::istream* in, std::ostream* out) {
  in_stream = in;
  out_stream = out;
}

std::ostream& out() {
  return out_stream ? *out_stream : std::cout;
}

void write(std::string_view text) {
  out() << text;
}

void line(std::string_view text) {
  out() << text << '\n';
}

void flush() {
  out().flush();
}

std::string read_line() {
  flush();
  std::string s;
  if (!std::getline(in(), s)) {
    // A last line without a newline still counts as a line.
    if (!s.empty()) return s;
    throw EndOfInput();
  }
  if (!s.empty() && s.back() == '\r') s.pop_back();
  return s;
}

}  // namespace zolka::console
