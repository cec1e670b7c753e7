#include "shell/core/format.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zolka {

namespace {

std::string stars(int w) {
  return std::string(static_cast<std::size_t>(std::max(w, 0)), '*');
}

std::string right(const std::string& s, int w) {
  if (static_cast<int>(s.size()) > w) return stars(w);
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

std::string nonfinite(double v) {
  if (std::isnan(v)) return "NaN";
  return v < 0 ? "-Infinity" : "Infinity";
}

// Drops trailing zeros of a fixed-point mantissa but keeps one decimal.
void trim_zeros(std::string& m) {
  const std::size_t dot = m.find('.');
  if (dot == std::string::npos) return;
  std::size_t last = m.size() - 1;
  while (last > dot + 1 && m[last] == '0') --last;
  m.erase(last + 1);
}

// Free-format real with `sig` significant digits; fixed form for lo <= |v| < hi.
std::string free_real(double v, int sig, double hi) {
  if (!std::isfinite(v)) return nonfinite(v);
  if (v == 0) return "0.0";
  const double a = std::fabs(v);
  char buf[64];
  if (a >= 1e-3 && a < hi) {
    int e = static_cast<int>(std::floor(std::log10(a)));
    int dec = std::max(sig - 1 - e, 1);
    std::snprintf(buf, sizeof buf, "%.*f", dec, v);
    // Rounding may carry into one more digit before the point (9.9999999 -> 10.000000).
    std::string s = buf;
    if (std::fabs(std::strtod(buf, nullptr)) >= std::pow(10.0, e + 1) && dec > 1) {
      std::snprintf(buf, sizeof buf, "%.*f", dec - 1, v);
      s = buf;
    }
    trim_zeros(s);
    return s;
  }
  std::snprintf(buf, sizeof buf, "%.*E", sig - 1, v);
  std::string s = buf;
  const std::size_t epos = s.find('E');
  std::string mant = s.substr(0, epos);
  trim_zeros(mant);
  return mant + s.substr(epos);
}

}  // namespace

std::string fmt_i(long long v, int w, int m) {
  std::string digits = std::to_string(v < 0 ? -v : v);
  if (m > 0 && static_cast<int>(digits.size()) < m)
    digits = std::string(static_cast<std::size_t>(m) - digits.size(), '0') + digits;
  if (m == 0 && v == 0 && w > 0) digits = "0";
  if (v < 0) digits = "-" + digits;
  return right(digits, w);
}

std::string fmt_f(double v, int w, int d) {
  if (!std::isfinite(v)) return right(nonfinite(v), w);
  if (v == 0) v = 0;  // a negative zero (-2.5 log10 1) shows without its sign
  char buf[512];
  if (std::fabs(v) >= 1e300) return stars(w);
  std::snprintf(buf, sizeof buf, "%.*f", std::max(d, 0), v);
  std::string s = buf;
  if (d == 0) s += '.';
  if (static_cast<int>(s.size()) > w) {
    // The leading zero of 0.xx is optional.
    const bool neg = s[0] == '-';
    const std::size_t z = neg ? 1 : 0;
    if (s.size() > z + 1 && s[z] == '0' && s[z + 1] == '.') s.erase(z, 1);
  }
  return right(s, w);
}

std::string fmt_e(double v, int w, int d, int scale) {
  if (!std::isfinite(v)) return right(nonfinite(v), w);
  if (v == 0) v = 0;
  d = std::max(d, 0);
  const int before = std::max(scale, 0);                // digits before the point
  const int sig = std::max(before > 0 ? d + 1 : d, 1);  // significant digits shown
  std::string digits(static_cast<std::size_t>(sig), '0');
  int exp10 = 0;  // the value is 0.digits x 10^exp10
  if (v != 0) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", sig - 1, std::fabs(v));
    digits.clear();
    const char* p = buf;
    for (; *p != 'E'; ++p)
      if (std::isdigit(static_cast<unsigned char>(*p))) digits += *p;
    exp10 = std::atoi(p + 1) + 1;
  }
  std::string out = v < 0 ? "-" : "";
  if (before > 0) {
    out += digits.substr(0, static_cast<std::size_t>(before));
    out += '.';
    out += digits.substr(static_cast<std::size_t>(std::min(before, sig)));
    if (v != 0) exp10 -= before;
  } else {
    out += "0.";
    out += digits.substr(0, static_cast<std::size_t>(d));
  }
  const int ae = std::abs(exp10);
  char eb[16];
  if (ae <= 99)
    std::snprintf(eb, sizeof eb, "E%c%02d", exp10 < 0 ? '-' : '+', ae);
  else
    std::snprintf(eb, sizeof eb, "%c%03d", exp10 < 0 ? '-' : '+', ae);
  out += eb;
  // The leading zero of 0.ddd is optional when the field is tight.
  if (static_cast<int>(out.size()) > w && before == 0) out.erase(v < 0 ? 1 : 0, 1);
  return right(out, w);
}

std::string fmt_g(double v, int w, int d) {
  if (!std::isfinite(v)) return right(nonfinite(v), w);
  const double a = std::fabs(v);
  if (a == 0) return right(fmt_f(0, w - 4, std::max(d - 1, 0)) + "    ", w);
  // F editing when 0.1 <= |v| < 10^d (after rounding to d significant digits).
  if (a >= 0.1 - 0.5 * std::pow(10.0, -d - 1) && a < std::pow(10.0, d) - 0.5) {
    int k = static_cast<int>(std::floor(std::log10(a))) + 1;  // digits before the point
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", d - 1, v);
    const double r = std::fabs(std::strtod(buf, nullptr));
    k = static_cast<int>(std::floor(std::log10(r))) + 1;
    if (k < 0) k = 0;
    return fmt_f(v, w - 4, std::max(d - k, 0)) + "    ";
  }
  return fmt_e(v, w, d, 0);
}

std::string free_format(int v) {
  return std::to_string(v);
}
std::string free_format(long long v) {
  return std::to_string(v);
}
std::string free_format(float v) {
  return free_real(v, 7, 1e7);
}
std::string free_format(double v) {
  return free_real(v, 15, 1e15);
}

namespace {

// A parsed edit descriptor or a group.
struct Desc {
  char kind = 0;  // 'I','F','E','G','A','X','L' literal, '/' newline, '(' group
  int w = 0, d = 0, m = 0;
  int scale = 0;  // P scale factor in force for E editing
  int repeat = 1;
  std::string text;  // literal text
  std::vector<Desc> group;
};

class Parser {
 public:
  explicit Parser(std::string_view f) : f_(f) {}
  std::vector<Desc> parse() {
    skip();
    if (pos_ < f_.size() && f_[pos_] == '(') {
      ++pos_;
      auto g = list(')');
      return g;
    }
    return list(0);
  }

 private:
  std::string_view f_;
  std::size_t pos_ = 0;
  int scale_ = 0;

  void skip() {
    while (pos_ < f_.size() && (f_[pos_] == ' ' || f_[pos_] == ',')) ++pos_;
  }
  int number() {
    int n = 0;
    bool any = false;
    while (pos_ < f_.size() && std::isdigit(static_cast<unsigned char>(f_[pos_]))) {
      n = n * 10 + (f_[pos_] - '0');
      ++pos_;
      any = true;
    }
    return any ? n : -1;
  }
  std::vector<Desc> list(char close) {
    std::vector<Desc> out;
    for (;;) {
      skip();
      if (pos_ >= f_.size()) return out;
      if (close && f_[pos_] == close) {
        ++pos_;
        return out;
      }
      char c = f_[pos_];
      if (c == '\'' || c == '"') {
        const char q = c;
        ++pos_;
        Desc d;
        d.kind = 'L';
        while (pos_ < f_.size()) {
          if (f_[pos_] == q) {
            if (pos_ + 1 < f_.size() && f_[pos_ + 1] == q) {
              d.text += q;
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          d.text += f_[pos_++];
        }
        out.push_back(d);
        continue;
      }
      if (c == '/') {
        ++pos_;
        Desc d;
        d.kind = '/';
        out.push_back(d);
        continue;
      }
      bool neg = false;
      if (c == '-') {
        neg = true;
        ++pos_;
      }
      int n = number();
      skip();
      if (pos_ >= f_.size()) return out;
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(f_[pos_])));
      if (c == 'P') {
        ++pos_;
        scale_ = neg ? -std::max(n, 0) : std::max(n, 0);
        continue;
      }
      Desc d;
      d.repeat = n > 0 ? n : 1;
      if (c == '(') {
        ++pos_;
        d.kind = '(';
        d.group = list(')');
        out.push_back(d);
        continue;
      }
      if (c == 'X') {
        ++pos_;
        d.kind = 'X';
        d.w = n > 0 ? n : 1;
        d.repeat = 1;
        out.push_back(d);
        continue;
      }
      ++pos_;
      if (c == 'A') {
        d.kind = 'A';
        d.w = number();
      } else if (c == 'I' || c == 'F' || c == 'E' || c == 'G' || c == 'D') {
        d.kind = c == 'D' ? 'E' : c;
        if (c == 'E' && pos_ < f_.size() && (f_[pos_] == 'S' || f_[pos_] == 's')) ++pos_;
        d.w = number();
        if (pos_ < f_.size() && f_[pos_] == '.') {
          ++pos_;
          const int x = number();
          if (d.kind == 'I')
            d.m = std::max(x, 0);
          else
            d.d = std::max(x, 0);
        }
        d.scale = scale_;
      } else {
        // Unknown descriptor: ignore the character.
        continue;
      }
      out.push_back(d);
    }
  }
};

double as_double(const FmtItem& it) {
  if (auto p = std::get_if<long long>(&it)) return static_cast<double>(*p);
  if (auto p = std::get_if<float>(&it)) return *p;
  if (auto p = std::get_if<double>(&it)) return *p;
  return 0;
}

std::string free_item(const FmtItem& it) {
  if (auto p = std::get_if<long long>(&it)) return free_format(*p);
  if (auto p = std::get_if<float>(&it)) return free_format(*p);
  if (auto p = std::get_if<double>(&it)) return free_format(*p);
  return std::string(std::get<std::string_view>(it));
}

class Writer {
 public:
  Writer(const FmtItem* b, const FmtItem* e) : it_(b), end_(e) {}
  std::string out;
  bool more() const { return it_ != end_; }
  // Runs a descriptor list once; returns false when the items ran out at a
  // data descriptor (output stops there).
  bool run(const std::vector<Desc>& list) {
    for (const Desc& d : list) {
      for (int r = 0; r < d.repeat; ++r) {
        switch (d.kind) {
          case 'L':
            out += d.text;
            break;
          case 'X':
            out.append(static_cast<std::size_t>(d.w), ' ');
            break;
          case '/':
            out += '\n';
            break;
          case '(':
            if (!run(d.group)) return false;
            break;
          default:
            if (!more()) return false;
            item(d, *it_++);
        }
      }
    }
    return true;
  }

 private:
  const FmtItem* it_;
  const FmtItem* end_;

  void item(const Desc& d, const FmtItem& it) {
    if (d.kind == 'A') {
      std::string s = std::holds_alternative<std::string_view>(it)
                          ? std::string(std::get<std::string_view>(it))
                          : free_item(it);
      if (d.w > 0) {
        if (static_cast<int>(s.size()) >= d.w)
          s = s.substr(0, static_cast<std::size_t>(d.w));
        else
          s = std::string(static_cast<std::size_t>(d.w) - s.size(), ' ') + s;
      }
      out += s;
      return;
    }
    if (std::holds_alternative<std::string_view>(it)) {
      out += std::get<std::string_view>(it);
      return;
    }
    const double v = as_double(it);
    switch (d.kind) {
      case 'I': {
        const double r = std::round(v);
        if (!std::isfinite(r) || std::fabs(r) > 9.2e18)
          out += stars(d.w);
        else
          out += fmt_i(static_cast<long long>(r), d.w, d.m);
        break;
      }
      case 'F':
        out += fmt_f(v, d.w, d.d);
        break;
      case 'E':
        out += fmt_e(v, d.w, d.d, d.scale);
        break;
      case 'G':
        out += fmt_g(v, d.w, d.d);
        break;
    }
  }
};

bool has_data_descriptor(const std::vector<Desc>& list) {
  for (const Desc& d : list) {
    if (d.kind == '('
            ? has_data_descriptor(d.group)
            : (d.kind == 'I' || d.kind == 'F' || d.kind == 'E' || d.kind == 'G' || d.kind == 'A'))
      return true;
  }
  return false;
}

}  // namespace

std::string format(std::string_view fmt, std::initializer_list<FmtItem> items) {
  std::size_t p = 0;
  while (p < fmt.size() && fmt[p] == ' ') ++p;
  if (p < fmt.size() && fmt[p] == '*') {
    std::string s;
    for (const FmtItem& it : items) {
      if (!s.empty()) s += ' ';
      s += free_item(it);
    }
    return s;
  }
  const std::vector<Desc> list = Parser(fmt).parse();
  Writer w(items.begin(), items.end());
  // Format reversion: items left over start a new line and the list again.
  bool first = true;
  while (first || w.more()) {
    if (!first) {
      if (!has_data_descriptor(list)) break;
      w.out += '\n';
    }
    first = false;
    if (!w.run(list)) break;
  }
  return w.out;
}

std::string format1(double v, std::string_view fmt) {
  return format(fmt, {v});
}

}  // namespace zolka
