#include "fit/captions.h"

#include <algorithm>
#include <cmath>

#include "lightcurve/files.h"
#include "numeric/rounding.h"
#include "shell/core/format.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

namespace zolka {

namespace {

// "label" then the value in a fixed format, blanks after "=" removed.
void labelled(std::string& t, const char* label, float v, const char* fmt) {
  append(t, label);
  append_f(t, v, fmt);
  noeqbl(t);
}

void labelled_n(std::string& t, const char* label, float v, int digits) {
  append(t, label);
  append_n(t, v, digits);
  noeqbl(t);
}

}  // namespace

void title_a0(std::string& t) {
  const float a0 = state().a0;
  // More digits the closer a0 comes to 1, so that a0 - 1 keeps three; a0 = 1
  // (log10 of 0) takes the cap.
  const float excess = a0 - 1;
  int digits = 7;
  if (excess > 0) digits = std::clamp(nint(3 - std::log10(excess)), 3, 7);
  labelled_n(t, "A0=", a0, digits);
}

void title_t0(std::string& t) {
  ProgramState& s = state();
  s.t0 = static_cast<float>(s.hjd0 - s.mjd0);
  labelled(t, "t0=", s.t0, "(f15.2)");
}

void title_te(std::string& t) {
  labelled(t, "te=", state().te, "(f15.2)");
}

void title_y0(std::string& t) {
  const float y0 = state().y0;
  labelled(t, "y0=", y0, std::fabs(y0) > 0.1f ? "(f15.2)" : "(f15.3)");
}

void title_lens(std::string& t) {
  title_t0(t);
  title_te(t);
  title_y0(t);
  title_a0(t);
}

void title_b(std::string& t) {
  labelled(t, "b=", state().b0, "(f14.2)");
}

void title_sig0(std::string& t) {
  labelled(t, "sig0=", state().sigmag0, "(f14.2)");
}

void title_f(std::string& t) {
  labelled(t, "f=", state().erbscl, "(f14.2)");
}

void title_x(std::string& t) {
  labelled_n(t, "x=", state().xpl, 4);
}

void title_y(std::string& t) {
  labelled_n(t, "y=", state().ypl, 4);
}

void title_q(std::string& t) {
  const float q = state().qpl;
  std::string part;
  append(part, "q=");
  if (q >= 100) {
    append_i(part, nint(q));
  } else {
    const char* fmt = q > 1         ? "(f10.1)"
                      : q > 0.1f    ? "(f10.2)"
                      : q > 0.01f   ? "(f10.3)"
                      : q > 0.001f  ? "(f10.4)"
                      : q > 0.0001f ? "(f10.5)"
                                    : "(1pe8.1)";
    append_f(part, q, fmt);
    if (q > 0.0001f) {
      while (!part.empty() && part.back() == '0') part.pop_back();
    }
  }
  noeqbl(part);
  append(t, part);
}

void title_event(std::string& t) {
  const ProgramState& s = state();
  if (len1(s.event) > 0) {
    append(t, s.event);
    if (len1(s.alias) > 0) append(t, s.alias);
    return;
  }
  const std::string_view file = trimmed(s.datfile);
  if (file.empty()) return;
  append(t, file.substr(static_cast<std::size_t>(index_nopath(file) - 1)));
}

void title_chi2site(std::string& t, int i) {
  const ProgramState& s = state();
  std::string part = "Chi2=(";
  append_f(part, s.chi2_l(i), "(f15.1)");
  append(part, "/");
  append_i(part, s.ndf_l(i));
  append(part, ")=");
  append_f(part, s.chi2_l(i) / static_cast<float>(std::max(1, s.ndf_l(i))), "(f15.2)");
  nospace(part);
  append(t, part);
}

}  // namespace zolka
