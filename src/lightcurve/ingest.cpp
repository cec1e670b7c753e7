#include "lightcurve/ingest.h"

#include <filesystem>
#include <vector>

#include "lightcurve/column_reader.h"
#include "lightcurve/files.h"
#include "lightcurve/layouts.h"
#include "lightcurve/site_id.h"
#include "lightcurve/store.h"
#include "lightcurve/validation.h"
#include "numeric/stats.h"
#include "shell/core/print.h"
#include "shell/core/prompts.h"
#include "shell/core/state.h"
#include "shell/core/system.h"
#include "shell/core/text.h"
#include "shell/model/current_site.h"
#include "shell/model/photometry.h"

namespace zolka {

namespace {

const std::string dashes(42, '-');

struct ColumnStats {
  float lo = 0, hi = 0, med = 0, avg = 0, rms = 0;
};

// Lowest, highest, median, mean and rms of x(1..n), printed after the label.
ColumnStats colstats(const char* label, int n, const float* x) {
  ColumnStats c;
  mnmx(n, x, c.lo, c.hi);
  c.med = xmedian(n, x);
  avgrms(n, x, c.avg, c.rms);
  say(label, " lo", c.lo, " hi", c.hi, " med", c.med, " avg", c.avg, " rms", c.rms);
  return c;
}

}  // namespace

void listfile(int i, const std::string& file) {
  say(dashes);
  say("datfile", i, ": ", file);
  // The name goes to the shell as one quoted word; a leading "-" would make
  // it an option (and "-" alone would read the terminal).
  std::string path = fullpath(file);
  if (!path.empty() && path[0] == '-') path = "./" + path;
  const std::string q = shell_quote(path);
  spawn("ls -l " + q);
  // head and tail would wait for ever on a pipe or a device like /dev/zero.
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec)) {
    diag("** NOT A REGULAR FILE: ", path);
    return;
  }
  spawn("head -n 3 " + q);
  spawn("tail -n 3 " + q);
}

bool loadsite(const std::string& file) {
  ProgramState& s = state();
  if (s.nloc >= maxsite) {
    diag("** WARNING: site table full:", s.nloc, " sites.", " File not read: ", file);
    return false;
  }
  if (s.hjd_t.size() < maxdata) s.resize(maxdata);
  const int n0 = s.ndata;

  int n = readlayouts(file, n0);
  if (n < 1) return false;
  n = validpoints(n0, n);
  timeorder(n0, n);
  if (n < 1) {
    say("times:", n);
    diag("** NO DATA FROM ", file);
    return false;
  }
  const int i1 = n0 + 1;
  const int i2 = n0 + n;
  s.ndata = i2;
  say("HJD:", n, i1, i2, s.hjd_t(i1), s.hjd_t(i2));

  const int l = s.nloc + 1;
  s.nloc = l;
  s.datfile_l(l) = file;
  s.ndat_l(l) = n;
  s.it1_l(l) = i1;
  s.it2_l(l) = i2;
  // A new row starts neutral, so nothing of an earlier load carries over.
  neutralsite(l);

  char icon = ' ';
  std::string colour;
  cleansite(file, s.event, icon, colour, s.site, s.glat, s.glon, s.elev, s.diam);
  eventalias(s.event, s.alias);
  s.site_l(l) = s.site;
  s.icon_l(l) = icon;
  s.colour_l(l) = colour;
  s.glat_l(l) = s.glat;
  s.glon_l(l) = s.glon;
  s.elev_l(l) = s.elev;
  s.diam_l(l) = s.diam;
  s.scalerb_l(l) = l == 1;

  for (int i = i1; i <= i2; ++i) {
    s.loc_t(i) = l;
    s.seemag_t(i) = 0;
    s.seefac_t(i) = 1;
  }

  const ColumnStats mag = colstats("MAG", n, &s.datmag_t(i1));
  colstats("SIG", n, &s.sigmag_t(i1));

  // Site 1 sets the flux scale; the others start at the flux of their mean
  // magnitude on it.
  s.fb_l(l) = 0;
  if (l == 1) {
    s.smag0 = mag.avg;
    s.fs_l(1) = 1;
  } else {
    s.fs_l(l) = toflx(mag.avg);
  }
  subsidiaries();
  s.erbscl_l(l) = 1;

  colstats("DWELL", n, &s.dwell_t(i1));
  for (int i = i1; i <= i2; ++i)
    if (s.dwell_t(i) > 0) s.sky_t(i) /= s.dwell_t(i);
  const ColumnStats sky = colstats("SKY", n, &s.sky_t(i1));
  s.skymed_l(l) = sky.med;
  s.skyavg_l(l) = sky.avg;
  s.skyrms_l(l) = sky.rms;
  s.skyfac_l(l) = 0;

  const ColumnStats see = colstats("SEE", n, &s.see_t(i1));
  s.seemed_l(l) = see.med;
  s.seeavg_l(l) = see.avg;
  s.seerms_l(l) = see.rms;
  s.seefac_l(l) = 0;
  return true;
}

bool newdata() {
  ProgramState& s = state();
  say("newdata ***********************************");
  say("Enter the name of a lightcurve data file");
  say("or @name for a list of files in name.lis");
  if (len1(s.datfile) > 0) say("Old file: ", s.datfile);
  std::string file;
  inq("New file: ", "", file);
  if (len1(file) == 0) return false;

  s.datfile = file;
  std::vector<std::string> files;
  const std::string_view word = firstword(s.datfile);
  if (!word.empty() && word[0] == '@') {
    int nfile = maxsite;
    loadlist(s.datfile, nfile, files);
    const std::size_t lis = s.datfile.find(".lis");
    if (lis != std::string::npos) s.datfile.resize(lis);
  } else {
    files.push_back(s.datfile);
  }
  const int nfile = static_cast<int>(files.size());
  say("datfiles:", nfile);
  for (int i = 1; i <= nfile; ++i) say("datfile", i, ": ", files[i - 1]);

  s.resize(maxdata);
  s.ndata = 0;
  s.nloc = 0;
  for (int i = 1; i <= nfile; ++i) {
    listfile(i, files[i - 1]);
    loadsite(files[i - 1]);
  }

  say(dashes);
  say("sites", s.nloc, " total data points:", s.ndata);
  if (s.ndata < 1) {
    diag("** WARNING -- No data.  :(((");
    return false;
  }
  for (int l = 1; l <= s.nloc; ++l) {
    s.site = s.site_l(l);
    say("site", l, " Ndat", s.ndat_l(l), " ", s.site);
  }
  timearray();
  for (int i = 1; i <= s.ndata; ++i) s.clip_t(i) = 1;
  dat_mag_to_flx();
  return true;
}

}  // namespace zolka
