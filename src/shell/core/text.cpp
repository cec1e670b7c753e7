#include "shell/core/text.h"

#include <cmath>

#include "shell/core/format.h"

namespace zolka {

namespace {
bool blank(char c) {
  return c == ' ' || c == '\t';
}
}  // namespace

int len1(std::string_view s) {
  int n = static_cast<int>(s.size());
  while (n > 0 &&
         (s[static_cast<std::size_t>(n - 1)] == ' ' || s[static_cast<std::size_t>(n - 1)] == '\0'))
    --n;
  return n;
}

std::string_view trimmed(std::string_view s) {
  return s.substr(0, static_cast<std::size_t>(len1(s)));
}

void word1(std::string_view s, int& i1, int& i2) {
  const int n = len1(s);
  int i = 1;
  while (i <= n && blank(s[static_cast<std::size_t>(i - 1)])) ++i;
  if (i > n) {
    i1 = 0;
    i2 = 0;
    return;
  }
  i1 = i;
  while (i <= n && !blank(s[static_cast<std::size_t>(i - 1)])) ++i;
  i2 = i - 1;
}

std::string_view firstword(std::string_view s) {
  int i1 = 0, i2 = 0;
  word1(s, i1, i2);
  if (i1 == 0) return {};
  return s.substr(static_cast<std::size_t>(i1 - 1), static_cast<std::size_t>(i2 - i1 + 1));
}

std::string upcase(std::string_view s) {
  std::string out(s);
  const int n = len1(s);
  for (int i = 0; i < n; ++i) {
    char& c = out[static_cast<std::size_t>(i)];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

void cut(std::string& s, int buflen) {
  if (static_cast<int>(s.size()) > buflen) s.resize(static_cast<std::size_t>(buflen));
}

void nospace(std::string& s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out += c;
  s = out;
}

void noeqbl(std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == ' ' && !out.empty() && out.back() == '=') continue;
    out += c;
  }
  s = out;
}

void nogreek(std::string& s, int buflen) {
  static const struct {
    const char* esc;
    const char* name;
  } table[] = {{"\\ga", "alp"}, {"\\gb", "bet"},   {"\\gg", "gam"},  {"\\gd", "del"},
               {"\\ge", "eps"}, {"\\gh", "theta"}, {"\\gy", "eta"},  {"\\gm", "mu"},
               {"\\gn", "nu"},  {"\\gp", "pi"},    {"\\gr", "rho"},  {"\\gs", "sig"},
               {"\\gx", "chi"}, {"\\gD", "Del"},   {"\\gW", "Omega"}};
  for (const auto& row : table) {
    std::size_t p = 0;
    const std::string_view name(row.name);
    while ((p = s.find(row.esc, p)) != std::string::npos) {
      s.replace(p, 3, name);
      p += name.size();
    }
  }
  cut(s, buflen);
}

void noupdn(std::string& s) {
  for (;;) {
    const std::size_t iu = s.find("\\u");
    const std::size_t id = s.find("\\d");
    if (iu == std::string::npos || id == std::string::npos) return;
    if (iu < id)
      s = s.substr(0, iu) + "^" + s.substr(iu + 2, id - iu - 2) + s.substr(id + 2);
    else
      s = s.substr(0, id) + "_" + s.substr(id + 2, iu - id - 2) + s.substr(iu + 2);
  }
}

void append(std::string& buf, std::string_view word, int buflen) {
  const int l1 = len1(buf);
  const int l2 = len1(word);
  buf.resize(static_cast<std::size_t>(l1));
  if (l1 > 0) buf += ' ';
  buf += word.substr(0, static_cast<std::size_t>(l2));
  cut(buf, buflen);
}

void append_i(std::string& buf, long long v, int buflen) {
  append(buf, free_format(v), buflen);
}

void append_f(std::string& buf, double v, std::string_view fmt, int buflen) {
  append(buf, firstword(format1(v, fmt)), buflen);
}

void append_f(std::string& buf, float v, std::string_view fmt, int buflen) {
  std::size_t p = 0;
  while (p < fmt.size() && fmt[p] == ' ') ++p;
  // Free format renders a 32-bit real with its own seven digits.
  if (p < fmt.size() && fmt[p] == '*')
    append(buf, free_format(v), buflen);
  else
    append_f(buf, static_cast<double>(v), fmt, buflen);
}

void append_n(std::string& buf, float v, int n, int buflen) {
  n = std::max(n, 2);
  if (v == 0) {
    append_f(buf, 0.0, "(f10.1)", buflen);
    return;
  }
  const float r = std::fabs(v) / std::pow(10.0f, static_cast<float>(n));
  std::string fmt;
  if (r < 9.9e-8f)
    fmt = "(1pe" + std::to_string(n + 7) + "." + std::to_string(n - 1) + ")";
  else if (r < 9.9e-7f)
    fmt = "(f15.6)";
  else if (r < 9.9e-6f)
    fmt = "(f15.5)";
  else if (r < 9.9e-5f)
    fmt = "(f15.4)";
  else if (r < 9.9e-4f)
    fmt = "(f15.3)";
  else if (r < 0.0099f)
    fmt = "(f15.2)";
  else if (r < 0.099f)
    fmt = "(f15.1)";
  if (fmt.empty()) {
    // Nearest integer, halves away from zero.
    append_i(buf, std::llround(static_cast<double>(v)), buflen);
    return;
  }
  append_f(buf, static_cast<double>(v), fmt, buflen);
}

}  // namespace zolka
