#include "sim/simulate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>

#include "lens/multi_planet.h"
#include "lens/point_lens.h"
#include "shell/model/photometry.h"

namespace zolka::sim {

namespace {

// Aperture (m) and longitude (degrees east) of the observatories the
// simulator knows; others get 1 m and longitude 0.
struct Scope {
  char letter;
  float diam;
  float lon;
};
constexpr Scope scopes[] = {{'O', 1.3f, -70.7f}, {'K', 1.8f, 170.5f},  {'Z', 1.54f, -70.7f},
                            {'W', 0.6f, 116.0f}, {'H', 2.0f, -156.2f}, {'U', 1.0f, 147.3f},
                            {'C', 1.3f, -70.8f}, {'A', 1.0f, 20.8f},   {'I', 2.0f, 149.1f}};

Scope scope_of(char c) {
  for (const Scope& s : scopes)
    if (s.letter == c) return s;
  return {c, 1.0f, 0.0f};
}

bool survey(char c) {
  return c == 'O' || c == 'K';
}

// True when the Sun is well down at the observatory: local solar time
// between 20 h and 5 h. Julian dates begin at noon UT.
bool night(double hjd, float lon) {
  double hour = std::fmod((hjd - std::floor(hjd)) * 24.0 + 12.0 + lon / 15.0, 24.0);
  if (hour < 0) hour += 24;
  return hour >= 20.0 || hour < 5.0;
}

// Standard normal deviates by the Box-Muller transform on our own generator,
// so a seed gives the same event on every platform.
class Gauss {
 public:
  explicit Gauss(std::uint64_t seed) : gen_(seed) {}
  double uniform() { return (static_cast<double>(gen_() >> 11) + 0.5) * 0x1.0p-53; }
  double normal() {
    const double r = std::sqrt(-2.0 * std::log(uniform()));
    return r * std::cos(6.283185307179586 * uniform());
  }

 private:
  std::mt19937_64 gen_;
};

}  // namespace

float magnification(const SimEvent& ev, double hjd) {
  const float tau = static_cast<float>((hjd - ev.t0) / ev.te);
  if (ev.q > 0) return asp(tau, ev.u0, 1, &ev.xp, &ev.yp, &ev.q);
  return atotl(std::sqrt(tau * tau + ev.u0 * ev.u0));
}

float model_mag(const SimEvent& ev, const SimSite& site, double hjd) {
  return site.basemag + blendmag(magnification(ev, hjd), site.blend);
}

std::vector<std::vector<SimPoint>> simulate(const SimEvent& ev) {
  Gauss rng(ev.seed);
  const double span = ev.span > 0 ? ev.span : std::max(60.0, 8.0 * ev.te);
  std::vector<std::vector<SimPoint>> out;
  for (const SimSite& site : ev.sites) {
    const Scope sc = scope_of(site.scope);
    // Surveys cover the whole season; follow-up sites the peak, within 1.5 te.
    const double half = survey(site.scope) ? span / 2 : std::max(1.5 * ev.te, 2.0);
    const double n0 = 3e4 * (sc.diam / 1.3) * (sc.diam / 1.3);
    const double skyflux = toflx(17.5f);
    std::vector<SimPoint> pts;
    int tries = 0;
    while (static_cast<int>(pts.size()) < site.npts && tries < 1000 * site.npts + 100000) {
      ++tries;
      const double hjd = ev.t0 - half + 2 * half * rng.uniform();
      if (!night(hjd, sc.lon)) continue;
      const double flux = toflx(model_mag(ev, site, hjd));
      const double sigpois = std::sqrt(n0 * (flux + skyflux)) / n0;
      const double sigsys = 0.003 * sigrelflx_sigmag * flux;
      const double sigtrue = std::sqrt(sigpois * sigpois + sigsys * sigsys);
      const double fobs = flux + sigtrue * rng.normal();
      if (fobs <= 0) continue;
      SimPoint p;
      p.hjd = hjd;
      p.mag = magzero - 2.5f * static_cast<float>(std::log10(fobs));
      p.err = static_cast<float>(1.0857362 * sigtrue / fobs / site.errscale);
      p.see = static_cast<float>(1.0 + 0.3 * std::fabs(rng.normal()));
      p.dwell = survey(site.scope) ? 120.0f : 300.0f;
      p.sky = static_cast<float>(n0 * skyflux * p.dwell / 100.0 * (1 + 0.1 * rng.normal()));
      pts.push_back(p);
    }
    std::sort(pts.begin(), pts.end(),
              [](const SimPoint& a, const SimPoint& b) { return a.hjd < b.hjd; });
    out.push_back(std::move(pts));
  }
  return out;
}

std::string site_file_name(const SimEvent& ev, const SimSite& site) {
  // The event name's survey letter comes first: OB08123 -> scope + OB08123 + filter.
  return std::string(1, site.scope) + ev.event + std::string(1, site.filter) + ".dat";
}

std::string write_event(const SimEvent& ev, const std::string& dir, const std::string& how) {
  const auto data = simulate(ev);
  const std::string prefix = dir.empty() ? "" : dir + "/";
  std::string list;
  for (std::size_t k = 0; k < ev.sites.size(); ++k) {
    const std::string name = site_file_name(ev, ev.sites[k]);
    std::ofstream f(prefix + name);
    if (!f) throw std::runtime_error("cannot write " + prefix + name);
    f << "# made by: " << how << "\n";
    char line[200];
    for (const SimPoint& p : data[k]) {
      if (ev.columns == 6)
        std::snprintf(line, sizeof line, "%.5f %.4f %.4f %.2f %.1f %.0f\n", p.hjd, p.mag, p.err,
                      p.see, p.sky, p.dwell);
      else
        std::snprintf(line, sizeof line, "%.5f %.4f %.4f\n", p.hjd, p.mag, p.err);
      f << line;
    }
    if (!f) throw std::runtime_error("cannot write " + prefix + name);
    list += name + "\n";
  }
  const std::string lis = prefix + ev.event + ".lis";
  std::ofstream f(lis);
  f << "# made by: " << how << "\n" << list;
  if (!f) throw std::runtime_error("cannot write " + lis);
  return lis;
}

}  // namespace zolka::sim
