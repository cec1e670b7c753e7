// zolka-sim: writes a synthetic multi-site microlensing event.
//
//   zolka-sim --event OB08123 --t0 4567.8 --te 20 --u0 0.1 --seed 1
//             --site O:400:17.2:0.3 --site Z:150:17.0:0.1:I --site K:300:17.8:0.5:R:1.3
//             [--planet Q:X:Y] [--columns 3|6] [--span DAYS] [--out DIR]
//
// Each --site is scope:points:baseline-mag:blend-ratio[:filter[:errscale]].
// --planet puts a planet of mass ratio Q at (X, Y) in the lens plane (Einstein
// radii, star at the origin, source moving along +x at height u0).
// Writes one file per site (e.g. OOB08123I.dat) and OB08123.lis into DIR.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/core/console.h"
#include "sim/simulate.h"

namespace {

void usage() {
  std::fprintf(stderr,
               "usage: zolka-sim --event OB08123 --t0 HJD-2450000 --te DAYS --u0 U0 [--seed N]\n"
               "                 --site SCOPE:NPTS:MAG:BLEND[:FILTER[:ERRSCALE]] ...\n"
               "                 [--planet Q:X:Y] [--columns 3|6] [--span DAYS] [--out DIR]\n");
}

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> v;
  std::string cur;
  for (char c : s) {
    if (c == sep) {
      v.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  v.push_back(cur);
  return v;
}

double number(const std::string& s, const char* what) {
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (s.empty() || *end != '\0')
    throw std::runtime_error(std::string("bad number for ") + what + ": " + s);
  return v;
}

zolka::sim::SimSite site_of(const std::string& spec) {
  const auto f = split(spec, ':');
  if (f.size() < 4 || f[0].size() != 1) throw std::runtime_error("bad --site " + spec);
  zolka::sim::SimSite s;
  s.scope = f[0][0];
  s.npts = static_cast<int>(number(f[1], "points"));
  s.basemag = static_cast<float>(number(f[2], "magnitude"));
  s.blend = static_cast<float>(number(f[3], "blend"));
  if (f.size() > 4 && !f[4].empty()) s.filter = f[4][0];
  if (f.size() > 5) s.errscale = static_cast<float>(number(f[5], "errscale"));
  if (s.npts < 1 || s.npts > 100000 || s.blend < 0 || s.errscale <= 0)
    throw std::runtime_error("out-of-range --site " + spec);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    zolka::sim::SimEvent ev;
    std::string dir = ".";
    std::string how = "zolka-sim";
    for (int i = 1; i < argc; ++i) how += std::string(" ") + argv[i];
    for (int i = 1; i < argc; ++i) {
      const std::string a = argv[i];
      if (a == "-h" || a == "--help") {
        usage();
        return 0;
      }
      if (i + 1 >= argc) throw std::runtime_error("missing value after " + a);
      const std::string v = argv[++i];
      if (a == "--event")
        ev.event = v;
      else if (a == "--t0")
        ev.t0 = number(v, "t0");
      else if (a == "--te")
        ev.te = static_cast<float>(number(v, "te"));
      else if (a == "--u0")
        ev.u0 = static_cast<float>(number(v, "u0"));
      else if (a == "--seed")
        ev.seed = static_cast<std::uint64_t>(number(v, "seed"));
      else if (a == "--site")
        ev.sites.push_back(site_of(v));
      else if (a == "--planet") {
        const auto f = split(v, ':');
        if (f.size() != 3) throw std::runtime_error("bad --planet " + v);
        ev.q = static_cast<float>(number(f[0], "q"));
        ev.xp = static_cast<float>(number(f[1], "planet x"));
        ev.yp = static_cast<float>(number(f[2], "planet y"));
        if (ev.q <= 0 || ev.q >= 1) throw std::runtime_error("--planet needs 0 < q < 1");
      } else if (a == "--columns")
        ev.columns = static_cast<int>(number(v, "columns"));
      else if (a == "--span")
        ev.span = number(v, "span");
      else if (a == "--out")
        dir = v;
      else
        throw std::runtime_error("unknown option " + a);
    }
    if (ev.sites.empty() || ev.te <= 0 || ev.u0 < 0 || (ev.columns != 3 && ev.columns != 6) ||
        ev.event.size() != 7)
      throw std::runtime_error(
          "need --site, te > 0, u0 >= 0, --columns 3 or 6, a 7-letter --event");
    // The magnification routines report planet changes on the console.
    std::istringstream none;
    std::ostringstream quiet;
    zolka::console::set_streams(&none, &quiet);
    const std::string lis = zolka::sim::write_event(ev, dir, how);
    zolka::console::set_streams(nullptr, nullptr);
    std::printf("%s\n", lis.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zolka-sim: %s\n", e.what());
    usage();
    return 2;
  }
}
