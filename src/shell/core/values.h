// Reading numbers in free format: values separated by blanks, tabs or commas,
// as a reply or a data line gives them. A "/" ends the values of a line.
// Non-finite values (NaN, Inf) do not read.
#pragma once

#include <string_view>

namespace zolka {

class ValueReader {
 public:
  enum Status { ok, none, bad };  // a value; no value left on the line; not a number

  explicit ValueReader(std::string_view text) : s_(text) {}

  Status next(double& v);
  Status next(float& v);
  Status next(int& v);
  // Position just after the last value read (0-based), for the caller's rest.
  std::size_t position() const { return pos_; }

 private:
  std::string_view s_;
  std::size_t pos_ = 0;
  bool ended_ = false;

  // The next token, or an empty view when none is left.
  std::string_view token();
};

// Parses a whole token as a real (Fortran forms: 1.5, .5, 1e3, 1d3, 1.5D-2, +3).
bool parse_real(std::string_view tok, double& v);
// Parses a whole token as an integer.
bool parse_int(std::string_view tok, int& v);

}  // namespace zolka
