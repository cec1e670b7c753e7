#include "graphics/pgplot.h"

#include <cpgplot.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/plot_files.h"
#include "shell/core/console.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/core/text.h"

#if defined(__SANITIZE_ADDRESS__)
// The drawing library and the font and X libraries under it keep caches for
// the life of the process and never free them; the leak checker of the
// sanitizer build is told not to report those.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libfreetype.so\n"
         "leak:libcairo.so\n"
         "leak:libpixman-1.so\n"
         "leak:libgiza.so\n"
         "leak:libX11.so\n";
}
#endif

namespace zolka {

namespace {

// A device specification taken apart: the file (blank for screen and null
// devices) and the upper-cased device type after the last "/".
struct DeviceSpec {
  std::string file;
  std::string type;
};

// What a PGPLOT device type stands for here.
struct DeviceKind {
  int kind = PgDevice::none;
  bool mono = false;
  bool portrait = false;
  const char* dflt = "";  // file name when the device name gives none
};

bool parse_device(std::string_view device, DeviceSpec& spec) {
  std::string s(trimmed(device));
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  std::string rest;
  if (!s.empty() && s.front() == '"') {
    // The closing quote is the last one, so a name may itself hold quotes.
    const std::size_t q = s.rfind('"');
    if (q == 0) return false;
    spec.file = s.substr(1, q - 1);
    rest = s.substr(q + 1);
    if (rest.empty() || rest.front() != '/') return false;
    spec.type = upcase(rest.substr(1));
    return true;
  }
  const std::size_t slash = s.rfind('/');
  if (slash == std::string::npos) return false;
  spec.file = s.substr(0, slash);
  spec.type = upcase(s.substr(slash + 1));
  return true;
}

DeviceKind device_kind(const std::string& type) {
  using K = PgDevice;
  if (type == "XSERV" || type == "XS" || type == "XW" || type == "XWINDOW")
    return {K::screen, false, false, ""};
  if (type == "NU" || type == "NULL") return {K::null, false, false, ""};
  if (type == "PS") return {K::postscript, true, false, "pgplot.ps"};
  if (type == "VPS") return {K::postscript, true, true, "pgplot.ps"};
  if (type == "CPS") return {K::postscript, false, false, "pgplot.ps"};
  if (type == "VCPS") return {K::postscript, false, true, "pgplot.ps"};
  if (type == "GIF") return {K::gif, false, false, "pgplot.gif"};
  if (type == "VGIF") return {K::gif, false, true, "pgplot.gif"};
  if (type == "PNG") return {K::png, false, false, "pgplot.png"};
  return {};
}

void device_types() {
  say("Device types here:");
  say("  /XSERV, /XW   X window");
  say("  /NULL         null device (draws nothing)");
  say("  file/PS       PostScript, landscape; /VPS portrait");
  say("  file/CPS      colour PostScript, landscape; /VCPS portrait");
  say("  file/GIF      GIF image, landscape; /VGIF portrait");
  say("  file/PNG      PNG image");
}

// PGPLOT's own device prompt, asked on the console.
std::string ask_device() {
  for (;;) {
    console::write(" Graphics device/type (? to see list, default /XSERV): ");
    const std::string reply(trimmed(console::read_line()));
    if (reply.find_first_not_of(' ') == std::string::npos) return "/XSERV";
    if (reply.substr(reply.find_first_not_of(' ')) == "?") {
      device_types();
      continue;
    }
    return reply;
  }
}

// Attributes a freshly opened device has, set again when an X window is reused.
void default_attributes() {
  cpgask(0);
  cpgsci(1);
  cpgsls(1);
  cpgslw(1);
  cpgsch(1.0f);
  cpgsfs(1);
  state().pgdev.ci = 1;
}

int open_screen(int nx, int ny) {
  PgDevice& d = state().pgdev;
  if (d.onshow && d.kind == PgDevice::screen) {
    // The window of the last plot is still up: draw the new page in it.
    cpgsubp(nx, ny);
    default_attributes();
    d.onshow = false;
    d.open = true;
    return 1;
  }
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    diag("** PGBEGIN: no X display (DISPLAY is not set).");
    return 0;
  }
  if (cpgbeg(0, "/xw", nx, ny) != 1) {
    diag("** PGBEGIN: cannot open an X window on display " + std::string(display));
    return 0;
  }
  d.kind = PgDevice::screen;
  d.open = true;
  default_attributes();
  return 1;
}

int open_file(const DeviceKind& k, const std::string& file, int nx, int ny) {
  const std::string target = file.empty() ? std::string(k.dflt) : file;
  const bool ps = k.kind == PgDevice::postscript;
  std::string why;
  const std::string tmp = plot_tmpfile(target,
                                       ps                        ? ".ps"
                                       : k.kind == PgDevice::gif ? ".gif"
                                                                 : ".png",
                                       why);
  const std::string scratch = tmp.empty() || ps ? "" : plot_scratch(why);
  if (tmp.empty() || (!ps && scratch.empty())) {
    diag("** PGBEGIN: cannot write plot file " + target + ": " + why);
    discard_plot_files(tmp, "");
    return 0;
  }
  const std::string spec = ps ? tmp + (k.portrait ? "/vps" : "/ps") : scratch + "/png";
  if (cpgbeg(0, spec.c_str(), nx, ny) != 1) {
    diag("** PGBEGIN: the plotting library cannot open " + target);
    discard_plot_files(tmp, scratch);
    return 0;
  }
  // PNG pages are 800 by 600 pixels (8.5 by 6.375 inches); portrait turns them.
  if (!ps && k.portrait) cpgpap(6.375f, 8.5f / 6.375f);
  PgDevice& d = state().pgdev;
  d.kind = k.kind;
  d.mono = k.mono;
  d.open = true;
  d.file = target;
  d.tmpfile = tmp;
  d.scratch = scratch;
  default_attributes();
  return 1;
}

bool has_option(std::string_view opt, char c) {
  for (char o : opt)
    if (o == c || o == c - 'A' + 'a') return true;
  return false;
}

// Prepares a reversed axis for a box drawn in the negated window: the numeric
// options are removed (they are written by axis_numbers) and a tick interval
// is chosen when the caller left it to the box (about five major ticks).
void reversed_axis(std::string& opt, float& tick, int& nsub, float w1, float w2) {
  std::string kept;
  for (char o : opt)
    if (!has_option(std::string_view(&o, 1), 'N') && !has_option(std::string_view(&o, 1), 'M'))
      kept += o;
  opt = kept;
  if (tick == 0) {
    int sub = 0;
    tick = cpgrnd(0.2f * std::fabs(w1 - w2), &sub);
    if (nsub == 0) nsub = sub;
  }
}

// Writes the numbers of a reversed axis at its major ticks, where PGPLOT's
// box writes them: "N" below the bottom edge or left of the left edge, "M"
// above the top edge or right of the right edge; "V" turns y numbers upright.
void axis_numbers(std::string_view opt, bool yaxis, float tick, float w1, float w2) {
  const bool below = has_option(opt, 'N'), above = has_option(opt, 'M');
  if ((!below && !above) || tick <= 0) return;
  // v = mm 10^pp with an integer mm at every multiple of the tick.
  int pp = static_cast<int>(std::floor(std::log10(tick)));
  for (int k = 0; k < 6; ++k) {
    const double m = tick / std::pow(10.0, pp);
    if (std::fabs(m - std::round(m)) < 1e-3) break;
    --pp;
  }
  const double scale = std::pow(10.0, pp);
  const float lo = std::min(w1, w2), hi = std::max(w1, w2);
  const bool upright = yaxis && has_option(opt, 'V');
  for (double v = std::ceil(lo / tick - 1e-4) * tick; v <= hi + 1e-4 * tick; v += tick) {
    const float frac = static_cast<float>((v - w1) / (w2 - w1));
    char text[64];
    int len = sizeof text;
    cpgnumb(static_cast<int>(std::lround(v / scale)), pp, 0, text, &len);
    const std::string t(text, static_cast<std::size_t>(std::max(len, 0)));
    if (yaxis) {
      if (below) cpgmtxt(upright ? "LV" : "L", 0.7f, frac, upright ? 1.0f : 0.5f, t.c_str());
      if (above) cpgmtxt(upright ? "RV" : "R", 0.7f, frac, upright ? 0.0f : 0.5f, t.c_str());
    } else {
      if (below) cpgmtxt("B", 1.2f, frac, 0.5f, t.c_str());
      if (above) cpgmtxt("T", 0.7f, frac, 0.5f, t.c_str());
    }
  }
}

// Normalised colour name: lower case, no blanks, "gray" spelled "grey".
std::string colour_key(std::string_view name) {
  std::string k;
  for (char c : name) {
    if (c == ' ' || c == '\t') continue;
    k += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  for (std::size_t p = k.find("gray"); p != std::string::npos; p = k.find("gray", p))
    k.replace(p, 4, "grey");
  return k;
}

struct NamedColour {
  const char* key;
  int r, g, b;  // 0 .. 255
};

// X11 colour values (as PGPLOT's name lookup gives them), with "olive" and
// "teal" from the web colours and "skin" and "amber" as commonly defined.
constexpr NamedColour colour_table[] = {
    {"black", 0, 0, 0},           {"white", 255, 255, 255},
    {"red", 255, 0, 0},           {"green", 0, 255, 0},
    {"blue", 0, 0, 255},          {"cyan", 0, 255, 255},
    {"magenta", 255, 0, 255},     {"yellow", 255, 255, 0},
    {"orange", 255, 165, 0},      {"maroon", 176, 48, 96},
    {"darkgreen", 0, 100, 0},     {"turquoise", 64, 224, 208},
    {"navy", 0, 0, 128},          {"navyblue", 0, 0, 128},
    {"grey", 190, 190, 190},      {"purple", 160, 32, 240},
    {"darkred", 139, 0, 0},       {"olive", 128, 128, 0},
    {"teal", 0, 128, 128},        {"darkseagreen", 143, 188, 143},
    {"lightblue", 173, 216, 230}, {"slategrey", 112, 128, 144},
    {"skin", 255, 205, 148},      {"amber", 255, 191, 0},
    {"brown", 165, 42, 42},       {"pink", 255, 192, 203},
    {"gold", 255, 215, 0},        {"violet", 238, 130, 238},
    {"darkblue", 0, 0, 139},      {"darkgrey", 169, 169, 169},
    {"lightgrey", 211, 211, 211},
};

// The current panel's size and the character height, in device units
// (pixels of an image); false when the device reports no size. (The
// library's own queries in normalised units mix panel and page.)
bool panel_size(float& width, float& height, float& ch) {
  const PgDevice& d = state().pgdev;
  float x1 = 0, x2 = 0, y1 = 0, y2 = 0, cx = 0;
  cpgqvsz(3, &x1, &x2, &y1, &y2);
  cpgqcs(3, &cx, &ch);
  width = (x2 - x1) / static_cast<float>(std::max(d.nxsub, 1));
  height = (y2 - y1) / static_cast<float>(std::max(d.nysub, 1));
  return width > 0 && height > 0 && ch > 0;
}

// The standard viewport of a panel, as PGPLOT has it: a margin of four
// character heights on every side, room for the numbers and labels of the
// axes and a title. The library's own leaves only about two character
// heights on the panels of a page of several, which cuts titles and labels.
// The edges sit on the middle of a device pixel, where a frame line of one
// pixel is drawn sharp.
void standard_viewport() {
  float width = 0, height = 0, ch = 0;
  if (!panel_size(width, height, ch)) {
    cpgvstd();
    return;
  }
  auto edges = [ch](float size, float& lo, float& hi) {
    const float margin = std::min(4 * ch, 0.3f * size);
    lo = (std::floor(margin) + 0.5f) / size;
    hi = (std::floor(size - margin) + 0.5f) / size;
  };
  float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  edges(width, x1, x2);
  edges(height, y1, y2);
  cpgsvp(x1, x2, y1, y2);
}

// Text as the library can draw it: printable ASCII only. A byte of a
// multi-byte character would put the library's text renderer into an error
// state that blanks everything drawn after it, so each becomes "?"; control
// characters are left out (a tab becomes a blank).
std::string plot_text(std::string_view text) {
  std::string t;
  t.reserve(text.size());
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u == '\t')
      t += ' ';
    else if (u >= 0x80)
      t += '?';
    else if (u >= 0x20 && u != 0x7f)
      t += c;
  }
  return t;
}

// PGPLOT draws the characters with codes 0 to 31 as its markers of those
// numbers (a legend writes a site's marker as such a character). A text of
// one such character written on side T or B is drawn here as the marker,
// sized to the character height, centred on the text's line a third of a
// character height before the place where the text would begin, so that a
// text written from the same place follows it. True when drawn.
bool marker_text(std::string_view side, float disp, float coord, float fjust,
                 std::string_view text) {
  if (text.size() != 1 || static_cast<unsigned char>(text[0]) >= 0x20) return false;
  const bool top = has_option(side, 'T'), bottom = has_option(side, 'B');
  if (!top && !bottom) return true;  // nothing sensible to draw on the other sides
  float vx1 = 0, vx2 = 0, vy1 = 0, vy2 = 0, width = 0, height = 0, ch = 0;
  cpgqvp(0, &vx1, &vx2, &vy1, &vy2);
  if (!panel_size(width, height, ch) || vx2 == vx1 || vy2 == vy1) return true;
  const float xch = ch / width, ych = ch / height;
  // The library centres a line of text about disp (side T) or disp - 0.4
  // (side B) character heights out from the edge; a marker's cell is one
  // character height wide.
  const float yc = top ? vy2 + (disp - 0.1f) * ych : vy1 - (disp - 0.4f) * ych;
  const float xc = vx1 + coord * (vx2 - vx1) - fjust * xch - 0.35f * xch;
  float wx1 = 0, wx2 = 0, wy1 = 0, wy2 = 0;
  cpgqwin(&wx1, &wx2, &wy1, &wy2);
  const float x = wx1 + (xc - vx1) / (vx2 - vx1) * (wx2 - wx1);
  const float y = wy1 + (yc - vy1) / (vy2 - vy1) * (wy2 - wy1);
  // Drawn outside the window too, as text would be. Clipping switched back
  // on clips to the whole page in this library until the viewport is set
  // again.
  int clip = 1;
  cpgqclp(&clip);
  cpgsclp(0);
  cpgpt1(x, y, static_cast<unsigned char>(text[0]));
  cpgsclp(clip);
  cpgsvp(vx1, vx2, vy1, vy2);
  cpgswin(wx1, wx2, wy1, wy2);
  return true;
}

}  // namespace

int pgbegin(int /*unit*/, std::string_view device, int nx, int ny) {
  PgDevice& d = state().pgdev;
  if (d.open) pgend();
  std::string name(trimmed(device));
  if (name.find_first_not_of(' ') != std::string::npos &&
      name.substr(name.find_first_not_of(' ')) == "?")
    name = ask_device();
  DeviceSpec spec;
  if (!parse_device(name, spec)) {
    diag("** PGBEGIN: not a device specification: " + name);
    return 0;
  }
  const DeviceKind k = device_kind(spec.type);
  if (spec.type == "TE" || spec.type == "TEK" || spec.type == "TEK4010") {
    diag("** PGBEGIN: there is no Tektronix terminal device.");
    return 0;
  }
  if (k.kind == PgDevice::none) {
    diag("** PGBEGIN: unknown device type /" + spec.type);
    return 0;
  }
  // A window left on show gives way to any other device.
  if (d.onshow && k.kind != PgDevice::screen) pgclos();
  nx = std::max(nx, 1);
  ny = std::max(ny, 1);
  int ok = 0;
  switch (k.kind) {
    case PgDevice::screen:
      ok = open_screen(nx, ny);
      break;
    case PgDevice::null:
      ok = cpgbeg(0, "/null", nx, ny) == 1 ? 1 : 0;
      if (ok == 1) {
        d.kind = PgDevice::null;
        d.open = true;
        default_attributes();
      }
      break;
    default:
      ok = open_file(k, spec.file, nx, ny);
  }
  if (ok == 1) {
    d.nxsub = nx;
    d.nysub = ny;
  }
  return ok;
}

void pgend() {
  PgDevice& d = state().pgdev;
  if (!d.open) return;
  if (d.kind == PgDevice::screen) {
    // The window stays up for the user to look at; the library draws
    // everything still buffered.
    cpgupdt();
    d.open = false;
    d.onshow = true;
    return;
  }
  cpgend();
  const PgDevice done = d;
  d = PgDevice{};
  if (done.kind == PgDevice::postscript)
    finish_postscript(done.tmpfile, done.file);
  else if (done.kind == PgDevice::png || done.kind == PgDevice::gif)
    finish_pages(done.scratch, done.tmpfile, done.file, done.kind == PgDevice::gif);
}

void pgclos() {
  PgDevice& d = state().pgdev;
  if (d.open) pgend();
  if (d.onshow) {
    cpgend();
    d = PgDevice{};
  }
}

bool pgqopen() {
  return state().pgdev.open;
}

void pgpage() {
  cpgpage();
}
void pgsvp(float xleft, float xright, float ybot, float ytop) {
  cpgsvp(xleft, xright, ybot, ytop);
}
void pgvstd() {
  standard_viewport();
}
void pgenv(float xmin, float xmax, float ymin, float ymax, int just, int axis) {
  // The library starts the page or panel; the viewport is the standard one
  // (see standard_viewport), and the box is ours, so that reversed axes are
  // labelled right (see pgbox).
  cpgenv(xmin, xmax, ymin, ymax, just, -2);
  standard_viewport();
  if (just == 1)
    cpgwnad(xmin, xmax, ymin, ymax);
  else
    cpgswin(xmin, xmax, ymin, ymax);
  const char* xopt = "";
  const char* yopt = "";
  switch (axis) {
    case -1:
      xopt = yopt = "BC";
      break;
    case 0:
      xopt = yopt = "BCNST";
      break;
    case 1:
      xopt = yopt = "ABCNST";
      break;
    case 2:
      xopt = yopt = "ABCGNST";
      break;
    case 10:
      xopt = "BCLNST";
      yopt = "BCNST";
      break;
    case 20:
      xopt = "BCNST";
      yopt = "BCLNST";
      break;
    case 30:
      xopt = yopt = "BCLNST";
      break;
    default:
      return;
  }
  pgbox(xopt, 0, 0, yopt, 0, 0);
}
void pgswin(float x1, float x2, float y1, float y2) {
  cpgswin(x1, x2, y1, y2);
}
void pgwnad(float x1, float x2, float y1, float y2) {
  cpgwnad(x1, x2, y1, y2);
}
void pgbox(std::string_view xopt, float xtick, int nxsub, std::string_view yopt, float ytick,
           int nysub) {
  float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  cpgqwin(&x1, &x2, &y1, &y2);
  const bool xrev = x1 > x2 && !has_option(xopt, 'L');
  const bool yrev = y1 > y2 && !has_option(yopt, 'L');
  if (!xrev && !yrev) {
    cpgbox(std::string(xopt).c_str(), xtick, nxsub, std::string(yopt).c_str(), ytick, nysub);
    return;
  }
  // The library places ticks and numbers as if every axis increased left to
  // right and bottom to top, so a reversed axis (magnitudes growing
  // downwards) would get wrong numbers. Such an axis is drawn in a window
  // where it is negated, which puts the ticks on the same round values,
  // without the library's numbers; then its numbers are written here.
  std::string xo(xopt), yo(yopt);
  if (xrev) reversed_axis(xo, xtick, nxsub, x1, x2);
  if (yrev) reversed_axis(yo, ytick, nysub, y1, y2);
  cpgswin(xrev ? -x1 : x1, xrev ? -x2 : x2, yrev ? -y1 : y1, yrev ? -y2 : y2);
  cpgbox(xo.c_str(), xtick, nxsub, yo.c_str(), ytick, nysub);
  cpgswin(x1, x2, y1, y2);
  if (xrev) axis_numbers(xopt, false, xtick, x1, x2);
  if (yrev) axis_numbers(yopt, true, ytick, y1, y2);
}
void pglabel(std::string_view xlbl, std::string_view ylbl, std::string_view toplbl) {
  cpglab(plot_text(xlbl).c_str(), plot_text(ylbl).c_str(), plot_text(toplbl).c_str());
}
void pgmtxt(std::string_view side, float disp, float coord, float fjust, std::string_view text) {
  if (marker_text(side, disp, coord, fjust, text)) return;
  cpgmtxt(std::string(side).c_str(), disp, coord, fjust, plot_text(text).c_str());
}
void pgptxt(float x, float y, float angle, float fjust, std::string_view text) {
  cpgptxt(x, y, angle, fjust, plot_text(text).c_str());
}
void pgtext(float x, float y, std::string_view text) {
  cpgtext(x, y, plot_text(text).c_str());
}

void pgline(int n, const float* x, const float* y) {
  if (n >= 2) cpgline(n, x, y);
}
void pgmove(float x, float y) {
  PgDevice& d = state().pgdev;
  d.penx = x;
  d.peny = y;
  cpgmove(x, y);
}
void pgdraw(float x, float y) {
  // The library forgets the pen position once it has drawn a segment, so
  // that a second pgdraw in a row would only move the pen: each segment
  // starts from the position kept here.
  PgDevice& d = state().pgdev;
  cpgmove(d.penx, d.peny);
  cpgdraw(x, y);
  d.penx = x;
  d.peny = y;
}
void pgpoint(int n, const float* x, const float* y, int symbol) {
  if (n >= 1) cpgpt(n, x, y, symbol);
}
void pgerrb(int dir, int n, const float* x, const float* y, const float* e, float t) {
  if (n >= 1) cpgerrb(dir, n, x, y, e, t);
}
void pgbin(int n, const float* x, const float* data, bool center) {
  // Drawn here as PGPLOT draws it, one step line through the bin tops: the
  // library's own histogram fills the area down to y = 0.
  if (n < 2) return;
  const float* v = data;
  auto edge = [&](int i) {  // left edge of bin i (0-based), or right edge of the last for i = n
    if (i == n) return x[n - 1] + (center ? 0.5f : 1.0f) * (x[n - 1] - x[n - 2]);
    if (!center) return x[i];
    return i == 0 ? x[0] - 0.5f * (x[1] - x[0]) : 0.5f * (x[i] + x[i - 1]);
  };
  pgmove(edge(0), v[0]);
  for (int i = 1; i < n; ++i) {
    pgdraw(edge(i), v[i - 1]);
    pgdraw(edge(i), v[i]);
  }
  pgdraw(edge(n), v[n - 1]);
}
void pgcirc(float xcent, float ycent, float radius) {
  cpgcirc(xcent, ycent, radius);
}

void pgline(int n, const Vec1<float>& x, const Vec1<float>& y) {
  ZOLKA_BOUNDS(n <= x.size() && n <= y.size());
  pgline(n, x.data(), y.data());
}
void pgpoint(int n, const Vec1<float>& x, const Vec1<float>& y, int symbol) {
  ZOLKA_BOUNDS(n <= x.size() && n <= y.size());
  pgpoint(n, x.data(), y.data(), symbol);
}
void pgerrb(int dir, int n, const Vec1<float>& x, const Vec1<float>& y, const Vec1<float>& e,
            float t) {
  ZOLKA_BOUNDS(n <= x.size() && n <= y.size() && n <= e.size());
  pgerrb(dir, n, x.data(), y.data(), e.data(), t);
}
void pgbin(int n, const Vec1<float>& x, const Vec1<float>& data, bool center) {
  ZOLKA_BOUNDS(n <= x.size() && n <= data.size());
  pgbin(n, x.data(), data.data(), center);
}

void pgcont(const Mat1<float>& a, int i1, int i2, int j1, int j2, const float* c, int nc,
            const float tr[6]) {
  pgcont(a.data(), a.ni(), a.nj(), i1, i2, j1, j2, c, nc, tr);
}
void pggray(const Mat1<float>& a, int i1, int i2, int j1, int j2, float fg, float bg,
            const float tr[6]) {
  pggray(a.data(), a.ni(), a.nj(), i1, i2, j1, j2, fg, bg, tr);
}
void pgcont(const float* a, int idim, int jdim, int i1, int i2, int j1, int j2, const float* c,
            int nc, const float tr[6]) {
  ZOLKA_BOUNDS(i1 >= 1 && i2 <= idim && j1 >= 1 && j2 <= jdim);
  if (nc >= 1) cpgcont(a, idim, jdim, i1, i2, j1, j2, c, nc, tr);
}
void pggray(const float* a, int idim, int jdim, int i1, int i2, int j1, int j2, float fg, float bg,
            const float tr[6]) {
  ZOLKA_BOUNDS(i1 >= 1 && i2 <= idim && j1 >= 1 && j2 <= jdim);
  if (!(fg > bg)) {
    cpggray(a, idim, jdim, i1, i2, j1, j2, fg, bg, tr);
    return;
  }
  // The library draws every value in the foreground shade when the
  // foreground level is the larger one; the negated values between the
  // negated levels give the picture PGPLOT draws.
  const std::size_t n = static_cast<std::size_t>(idim) * static_cast<std::size_t>(jdim);
  std::vector<float> negated(n);
  for (std::size_t k = 0; k < n; ++k) negated[k] = -a[k];
  cpggray(negated.data(), idim, jdim, i1, i2, j1, j2, -fg, -bg, tr);
}
void pgwedg(std::string_view side, float disp, float width, float fg, float bg,
            std::string_view label) {
  cpgwedg(std::string(side).c_str(), disp, width, fg, bg, std::string(label).c_str());
}

void pgsci(int ci) {
  PgDevice& d = state().pgdev;
  d.ci = ci;
  // Monochrome PostScript: the paper is white, and everything drawn is black.
  cpgsci(d.mono && ci != 0 ? 1 : ci);
}
void pgscr(int ci, float cr, float cg, float cb) {
  if (state().pgdev.mono && (ci == 0 || ci == 1)) return;
  cpgscr(ci, cr, cg, cb);
}
void pgscrn(int ci, std::string_view name, int& ier) {
  float r, g, b;
  if (!colour_rgb(name, r, g, b)) {
    ier = 1;
    return;
  }
  pgscr(ci, r, g, b);
  ier = 0;
}
void pgsch(float size) {
  cpgsch(size);
}
void pgsls(int ls) {
  cpgsls(ls);
}
void pgslw(int lw) {
  cpgslw(lw);
}
void pgsfs(int fs) {
  cpgsfs(fs);
}
void pgqch(float& size) {
  cpgqch(&size);
}
void pgqvp(float& x1, float& x2, float& y1, float& y2) {
  cpgqvp(0, &x1, &x2, &y1, &y2);
}
void pgqcs(float& xch, float& ych) {
  cpgqcs(0, &xch, &ych);
}
void pgqfs(int& fs) {
  cpgqfs(&fs);
}
void pgqci(int& ci) {
  if (state().pgdev.open)
    ci = state().pgdev.ci;
  else
    cpgqci(&ci);
}
void pgqwin(float& x1, float& x2, float& y1, float& y2) {
  cpgqwin(&x1, &x2, &y1, &y2);
}

bool colour_rgb(std::string_view name, float& r, float& g, float& b) {
  const std::string key = colour_key(name);
  for (const NamedColour& c : colour_table) {
    if (key != c.key) continue;
    r = static_cast<float>(c.r) / 255.0f;
    g = static_cast<float>(c.g) / 255.0f;
    b = static_cast<float>(c.b) / 255.0f;
    return true;
  }
  return false;
}

}  // namespace zolka
