// The plot device: what the device dialogue remembers between plots, the
// print-queue table of this site, and the device the PGPLOT adapter has open.
#pragma once

#include <string>
#include <vector>

namespace zolka {

// One print queue: a key letter, a shell command to which the plot file's
// path is appended, and a line describing it.
struct PrintQueue {
  char key = ' ';           // one upper-case letter
  std::string command;      // print command, e.g. "lpr -Pcolour"
  std::string description;  // one-line description shown in the queue list
};

// The device the PGPLOT adapter drives. Kinds follow the device names it
// accepts; a screen window stays on show after its plot is closed until the
// next plot opens or the run ends.
struct PgDevice {
  enum Kind { none, screen, null, postscript, png, gif };
  int kind = none;      // Kind of the open (or on-show) device
  bool open = false;    // a plot is open for drawing
  bool onshow = false;  // a closed screen plot still shown in its window
  bool mono = false;    // monochrome PostScript: every colour index but 0 draws black
  int ci = 1;           // colour index last set by the program (before any mono mapping)
  float penx = 0;       // pen position of pgmove/pgdraw, world x
  float peny = 0;       // pen position of pgmove/pgdraw, world y
  int nxsub = 1;        // panels across the page of the open device
  int nysub = 1;        // panels down the page
  std::string file;     // file the plot is written to (empty for screen and null)
  std::string tmpfile;  // temporary file beside `file`, renamed to it when the plot closes
  std::string scratch;  // PNG page the drawing library writes, in a scratch directory
};

struct GraphicsState {
  // Device dialogue of pgstart/pgstop; the remembered answers are the next defaults.
  char pgstartmode = 'H';  // device letter of the current or last plot (X W T N B P C G, H help)
  char oldmode = ' ';      // pgstartmode when the current pgstart call began
  int icall = 0;           // number of pgstart calls so far
  int iopen = 0;           // 1 while a device opened by pgstart is open
  int nx0 = 1;             // last page format: panels across
  int ny0 = 1;             // last page format: panels down
  bool soft = false;       // the device is a screen, terminal or null device
  bool spool = false;      // the finished file is offered to a print queue
  bool autoprint = false;  // print without asking (the file reply was JUNK)
  char aspect = 'L';       // page orientation of file plots, L(andscape) or P(ortrait)
  char pgqueue = '?';      // key of the print queue chosen last
  std::string pgsite;      // site name that selects the print-queue table (text 20)
  std::string plotdir;     // default plot directory (text 128)
  std::string psfile;      // default PostScript file, plotdir + "pgplot.ps" (text 128)
  std::string cpsfile;     // default colour PostScript file, plotdir + "pgplot.cps"
  std::string giffile;     // default GIF file, plotdir + "pgplot.gif"
  std::string pltfile;     // plotdir + "pgplot.plt" (kept for completeness; no device uses it)
  std::string jfile;       // default ("junk") file of the chosen file type
  std::string plotfile;    // file of the current or last file plot, as typed (text 128)
  std::string prtcom;      // print command of the chosen queue (text 128)
  std::string devtype;     // file device type: PS, VPS, CPS, VCPS, GIF or VGIF
  std::string terminal;    // screen device: /XSERV, /XW, /TE, /NU or ?
  std::string pgtask;      // device specification of a file plot; then the print command line
  std::vector<PrintQueue> pgqueues;  // print-queue table of pgsite (empty: no queues here)

  PgDevice pgdev;  // the device open in the PGPLOT adapter
};

}  // namespace zolka
