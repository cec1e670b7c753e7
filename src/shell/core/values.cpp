#include "shell/core/values.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zolka {

namespace {
bool separator(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n';
}
}  // namespace

bool parse_real(std::string_view tok, double& v) {
  if (tok.empty() || tok.size() > 64) return false;
  char buf[72];
  std::size_t n = 0;
  std::size_t i = 0;
  if (tok[0] == '+') i = 1;  // from_chars takes no plus sign
  for (; i < tok.size(); ++i) {
    const char c = tok[i];
    buf[n++] = (c == 'd' || c == 'D' || c == 'q' || c == 'Q') ? 'e' : c;
  }
  if (n == 0) return false;
  // Only digits, one sign, a point and an exponent: no "nan", "inf" or hex.
  for (std::size_t k = 0; k < n; ++k) {
    const char c = buf[k];
    if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-'))
      return false;
  }
  double x = 0;
  const auto r = std::from_chars(buf, buf + n, x, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != buf + n || !std::isfinite(x)) return false;
  v = x;
  return true;
}

bool parse_int(std::string_view tok, int& v) {
  if (tok.empty()) return false;
  std::size_t i = tok[0] == '+' ? 1 : 0;
  if (i == tok.size()) return false;
  int x = 0;
  const auto r = std::from_chars(tok.data() + i, tok.data() + tok.size(), x);
  if (r.ec != std::errc() || r.ptr != tok.data() + tok.size()) return false;
  v = x;
  return true;
}

std::string_view ValueReader::token() {
  if (ended_) return {};
  while (pos_ < s_.size() && separator(s_[pos_])) ++pos_;
  if (pos_ >= s_.size()) return {};
  if (s_[pos_] == '/') {
    ended_ = true;
    return {};
  }
  const std::size_t b = pos_;
  while (pos_ < s_.size() && !separator(s_[pos_]) && s_[pos_] != '/') ++pos_;
  return s_.substr(b, pos_ - b);
}

ValueReader::Status ValueReader::next(double& v) {
  const std::string_view t = token();
  if (t.empty()) return none;
  return parse_real(t, v) ? ok : bad;
}

ValueReader::Status ValueReader::next(float& v) {
  double d = 0;
  const Status st = next(d);
  if (st != ok) return st;
  if (std::fabs(d) > std::numeric_limits<float>::max()) return bad;
  v = static_cast<float>(d);
  return ok;
}

ValueReader::Status ValueReader::next(int& v) {
  const std::string_view t = token();
  if (t.empty()) return none;
  return parse_int(t, v) ? ok : bad;
}

}  // namespace zolka
