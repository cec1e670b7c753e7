#include "graphics/device.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "graphics/pgplot.h"
#include "lightcurve/files.h"
#include "numeric/rounding.h"
#include "shell/core/console.h"
#include "shell/core/format.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/system.h"
#include "shell/core/text.h"
#include "shell/core/values.h"

namespace zolka {

namespace {

constexpr int pathlen = 256;    // longest expanded file name
constexpr int namelen = 128;    // longest file name reply
constexpr int maxpanels = 100;  // most panels across or down a page

// A reply line, cut to the reply buffer.
std::string reply_line(int buflen = pathlen) {
  std::string s = console::read_line();
  cut(s, buflen);
  return s;
}

// A text without its leading and trailing blanks.
std::string stripped(std::string_view text) {
  const std::size_t a = text.find_first_not_of(' ');
  return a == std::string_view::npos ? std::string() : std::string(trimmed(text.substr(a)));
}

// The upper-cased first word of a reply.
std::string first_word_up(const std::string& reply) {
  return upcase(firstword(reply));
}

// This machine's name: it selects the print-queue table.
std::string site_name() {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0 || host[0] == '\0') return "localhost";
  std::string s(host);
  cut(s, 20);
  return s;
}

void device_list() {
  say("PGSTART device types:");
  say(" X=Xserve W=xWin T=Tektronix G=Gif H=Help");
  say(" P=PostScript C=ColourPS N=null B=pgBegin");
}

// First call: the remembered answers start afresh and the default plot files
// are placed in the plot directory.
void first_call() {
  ProgramState& s = state();
  s.aspect = 'L';
  s.pgstartmode = 'H';
  s.pgqueue = '?';
  s.iopen = 0;
  s.nx0 = 1;
  s.ny0 = 1;
  s.pgsite = site_name();
  say("PGSTART at " + s.pgsite);
  s.plotdir = "$SCR/";
  say("Default plot dir: " + s.plotdir);
  const char* scr = std::getenv("SCR");
  if (scr == nullptr || len1(scr) == 0) {
    // "$SCR/" would be the root of the file system: use the working directory.
    say("** SCR is not set: plot files go to the working directory.");
    s.plotdir.clear();
  } else {
    const std::string path = fullpath(s.plotdir);
    if (path != s.plotdir) say("Default path: " + path);
  }
  s.psfile = s.plotdir + "pgplot.ps";
  s.cpsfile = s.plotdir + "pgplot.cps";
  s.giffile = s.plotdir + "pgplot.gif";
  s.pltfile = s.plotdir + "pgplot.plt";
}

// The device prompt, asked until a device letter is chosen (step "device" of
// the dialogue). Sets pgstartmode, soft, spool and autoprint.
char device_letter() {
  ProgramState& s = state();
  for (;;) {
    console::write(" PGSTART device type (H=help) [" + std::string(1, s.pgstartmode) + "] ");
    const std::string word = first_word_up(reply_line());
    char c = word.empty() ? s.pgstartmode : word[0];
    if (c == ' ' || c == 'H' || std::string_view("TXWBNPCG").find(c) == std::string_view::npos) {
      device_list();
      continue;
    }
    s.pgstartmode = c;
    s.soft = std::string_view("TXWBN").find(c) != std::string_view::npos;
    s.spool = c == 'P' || c == 'C';
    s.autoprint = false;
    return c;
  }
}

const char* screen_device(char c) {
  switch (c) {
    case 'X':
      return "/XSERV";
    case 'W':
      return "/XW";
    case 'T':
      return "/TE";
    case 'N':
      return "/NU";
    default:
      return "?";
  }
}

// The print queue of a file plot, asked from the site's table.
void choose_queue() {
  ProgramState& s = state();
  if (s.pgqueues.empty()) {
    say("** PGSTART: no queues at " + s.pgsite);
    s.spool = false;
    s.autoprint = false;
    return;
  }
  std::string keys;
  for (const PrintQueue& q : s.pgqueues) keys += std::string(",") + q.key;
  for (;;) {
    console::write(" Which Queue (?" + keys + ") ? [" + std::string(1, s.pgqueue) + "] ");
    const std::string word = first_word_up(reply_line());
    const char key = word.empty() ? s.pgqueue : (word.size() == 1 ? word[0] : '\0');
    for (const PrintQueue& q : s.pgqueues) {
      if (q.key != key) continue;
      s.prtcom = q.command;
      s.pgqueue = key;
      return;
    }
    say("Print queues at " + s.pgsite + ":");
    for (const PrintQueue& q : s.pgqueues)
      say(std::string(" ") + q.key + "  " + q.command + "  " + q.description);
  }
}

// The file dialogue of a file plot: file, queue, orientation, device type.
// False when the file reply leaves no file (back to the device prompt).
bool file_dialogue(char mode) {
  ProgramState& s = state();
  s.jfile = mode == 'P' ? s.psfile : mode == 'C' ? s.cpsfile : s.giffile;
  if (mode != s.oldmode) s.plotfile = s.jfile;
  if (len1(s.plotfile) > 0) say("<CR> uses plotfile " + s.plotfile);
  say("JUNK autoprints " + s.jfile);
  console::write(mode == 'P'   ? " PostScript file : "
                 : mode == 'C' ? " ColourPostScript file : "
                               : " GIF file : ");
  std::string reply = reply_line(namelen);
  if (len1(reply) > 0) {
    const std::size_t at = reply.find_first_not_of(' ');
    if (reply[at] == '@') reply.erase(at, 1);
    s.plotfile = reply;
    s.autoprint = false;
    if (upcase(stripped(reply)) == "JUNK") {
      s.plotfile = s.jfile;
      s.autoprint = true;
    }
  }
  if (len1(s.plotfile) == 0) {
    device_list();
    return false;
  }
  if (s.spool) choose_queue();
  console::write(" P(ortrait) or L(andscape) ? [" + std::string(1, s.aspect) + "] ");
  const std::string word = first_word_up(reply_line());
  if (!word.empty() && (word[0] == 'P' || word[0] == 'L')) s.aspect = word[0];
  const bool portrait = s.aspect == 'P';
  s.devtype = mode == 'P'   ? (portrait ? "VPS" : "PS")
              : mode == 'C' ? (portrait ? "VCPS" : "CPS")
                            : (portrait ? "VGIF" : "GIF");
  return true;
}

// The page format, asked unless the caller gave both counts.
void page_format(int& nx, int& ny) {
  ProgramState& s = state();
  while (nx < 1 || ny < 1) {
    console::write(" Plot page format (NX,NY) [" + fmt_i(s.nx0, 3) + " ," + fmt_i(s.ny0, 3) +
                   " ] ");
    const std::string reply = reply_line();
    if (len1(reply) == 0) {
      nx = s.nx0;
      ny = s.ny0;
      break;
    }
    ValueReader r(reply);
    int a = 0, b = 0;
    if (r.next(a) != ValueReader::ok || r.next(b) != ValueReader::ok || a < 1 || b < 1) continue;
    if (a > maxpanels || b > maxpanels) {
      say("** At most", maxpanels, " panels across and down.");
      continue;
    }
    nx = a;
    ny = b;
  }
  s.nx0 = nx;
  s.ny0 = ny;
}

}  // namespace

void pgstart(int& nx, int& ny, int& isnew) {
  ProgramState& s = state();
  ++s.icall;
  if (s.icall == 1) first_call();
  s.oldmode = s.pgstartmode;
  isnew = 0;
  for (;;) {
    const char mode = device_letter();
    if (mode != s.oldmode) {
      // Another device: the open one (and a window still on show) goes.
      if (s.iopen != 0) pgend();
      s.iopen = 0;
      pgclos();
    }
    if (s.soft) {
      s.terminal = screen_device(mode);
    } else if (!file_dialogue(mode)) {
      continue;
    }
    if (s.iopen != 0) return;
    page_format(nx, ny);
    int ok;
    if (s.soft) {
      say("PGBEGIN( 0, \"" + s.terminal + "\"", nx, ny, " )");
      ok = pgbegin(0, s.terminal, nx, ny);
    } else {
      s.pgtask = "\"" + fullpath(s.plotfile) + "\"/" + s.devtype;
      say("PGBEGIN( 0, " + s.pgtask, nx, ny, " )");
      ok = pgbegin(0, s.pgtask, nx, ny);
    }
    if (ok == 1) {
      s.iopen = 1;
      isnew = 1;
      return;
    }
    say("** FAILED TO OPEN PLOT.");
  }
}

void pgstop() {
  ProgramState& s = state();
  pgend();
  s.iopen = 0;
  if (!s.spool) return;
  const std::string command = stripped(s.prtcom);
  say("COMMAND: " + command);
  const std::string file(firstword(s.plotfile));
  say("PLOTFILE: " + file);
  const std::string path = fullpath(s.plotfile);
  if (path != file) say("PATH: " + path);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    say("** No plot file " + path + " to queue.");
    return;
  }
  // The file name is quoted, so nothing in it reaches the shell as a command.
  s.pgtask = command + " " + shell_quote(path);
  say("TASK: " + s.pgtask);
  bool yes = s.autoprint;
  if (!yes) {
    console::write(" Queue file for plotting? [Y] ");
    const std::string reply = upcase(stripped(reply_line()));
    yes = reply.empty() || reply == "Y";
  }
  if (yes) spawn(s.pgtask);
}

bool pgagain() {
  console::write(" Plot again ? [N] ");
  return upcase(stripped(reply_line(10))) == "Y";
}

void pgkolors() {
  // Background grey level, then the roles window, label, data, model, sigma, now.
  struct Scheme {
    float background;
    int window, label, data, model, sigma, now;
  };
  static constexpr Scheme white{1, 1, 1, 4, 8, 11, 4};
  static constexpr Scheme black{0, 5, 7, 1, 7, 3, 2};
  ProgramState& s = state();
  const Scheme& k = s.whitebackground ? white : black;
  const float fg = 1 - k.background;
  pgscr(0, k.background, k.background, k.background);
  pgscr(1, fg, fg, fg);
  s.kolor_window = k.window;
  s.kolor_label = k.label;
  s.kolor_data = k.data;
  s.kolor_model = k.model;
  s.kolor_sigma = k.sigma;
  s.kolor_now = k.now;
}

void pgzolka(char side) {
  ProgramState& s = state();
  pgqch(s.csize);
  pgsch(0.7f * s.csize);
  std::string logo = "ZOLKA";
  append(logo, s.version);
  if (side == 'T')
    pgmtxt("T", 0.5f, 0.0f, 0.0f, logo);
  else if (side == 'C')
    pgmtxt("B", -1.0f, 0.02f, 0.0f, logo);
  pgsch(s.csize);
}

void pgcpu(float cpu) {
  std::string label = "CPU";
  append_i(label, nint(cpu));
  float height = 0;
  pgqch(height);
  pgsch(0.7f * height);
  pgmtxt("B", -1.0f, 0.97f, 1.0f, label);
  pgsch(height);
}

void empty_panel() {
  pgpage();
  pgvstd();
}

void closeplot() {
  ProgramState& s = state();
  pgclos();
  s.iopen = 0;
}

}  // namespace zolka
