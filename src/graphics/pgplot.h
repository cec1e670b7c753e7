// The PGPLOT routines the program draws with, under their PGPLOT names, over
// giza's PGPLOT-compatible library. This adapter is the only code that sees the
// drawing library.
//
// Devices are named as PGPLOT names them: "/XSERV" and "/XW" (an X window),
// "/NU" or "/NULL" (draws nothing), "file/PS" and "file/VPS" (monochrome
// PostScript, landscape and portrait), "file/CPS" and "file/VCPS" (colour
// PostScript), "file/GIF" and "file/VGIF" (GIF image), "file/PNG", and "?"
// (ask for a device on the console). A file name may stand in double quotes.
// "/TE" (a Tektronix terminal) has no driver here and does not open.
//
// Plot files are written completely or not at all: the drawing goes to a
// temporary file in the target's directory that is renamed when the plot is
// closed. GIF files are drawn as PNG and converted with libgd; a plot of
// several pages gives one file per page, the second named like "name_2.gif".
// Monochrome PostScript draws every colour index but 0 in black on white.
//
// An X window stays on show after its plot is closed, until the next plot
// opens (which reuses the window when it is an X window too) or pgclos() runs.
// Page prompting is always off, so the library never reads standard input.
//
// Arrays are passed as PGPLOT takes them: a count n and element 1 of each
// array (a(1) .. a(n)); the Vec1 and Mat1 forms check the count in debug
// builds. Colour indices, line styles and widths, and marker numbers are
// PGPLOT's.
#pragma once

#include <string_view>

#include "shell/core/array1.h"

namespace zolka {

// Opens a device for a page of nx by ny panels; returns 1 on success, else 0
// after a message saying why. An open device is closed first. unit is unused.
int pgbegin(int unit, std::string_view device, int nx, int ny);
// Closes the plot: a file is completed under its name, an X window stays on show.
void pgend();
// Closes the plot and any window still on show (end of run, fatal stop).
void pgclos();
// True while a plot is open for drawing.
bool pgqopen();

// Pages, viewports, windows, boxes, labels.
void pgpage();
void pgsvp(float xleft, float xright, float ybot, float ytop);
void pgvstd();
void pgenv(float xmin, float xmax, float ymin, float ymax, int just, int axis);
void pgswin(float x1, float x2, float y1, float y2);
// The window (x1, x2) x (y1, y2) with equal scales on both axes: the viewport
// shrinks to the window's shape, centred in the one it had.
void pgwnad(float x1, float x2, float y1, float y2);
void pgbox(std::string_view xopt, float xtick, int nxsub, std::string_view yopt, float ytick,
           int nysub);
void pglabel(std::string_view xlbl, std::string_view ylbl, std::string_view toplbl);
void pgmtxt(std::string_view side, float disp, float coord, float fjust, std::string_view text);
void pgptxt(float x, float y, float angle, float fjust, std::string_view text);
void pgtext(float x, float y, std::string_view text);

// Lines, markers, error bars, histograms, circles.
void pgline(int n, const float* x, const float* y);
void pgmove(float x, float y);
void pgdraw(float x, float y);
void pgpoint(int n, const float* x, const float* y, int symbol);
// dir as PGPLOT: 1 +x, 2 +y, 3 -x, 4 -y, 5 both x, 6 both y; t is the end-bar length.
void pgerrb(int dir, int n, const float* x, const float* y, const float* e, float t);
// Histogram as one step line through the tops of bins at x(1..n) (centred on
// them when center is true, else starting there); nothing for n < 2.
void pgbin(int n, const float* x, const float* data, bool center);
void pgcirc(float xcent, float ycent, float radius);

void pgline(int n, const Vec1<float>& x, const Vec1<float>& y);
void pgpoint(int n, const Vec1<float>& x, const Vec1<float>& y, int symbol);
void pgerrb(int dir, int n, const Vec1<float>& x, const Vec1<float>& y, const Vec1<float>& e,
            float t);
void pgbin(int n, const Vec1<float>& x, const Vec1<float>& data, bool center);

// Maps: a(i, j) over i1..i2, j1..j2; world x = tr[0] + tr[1] i + tr[2] j,
// y = tr[3] + tr[4] i + tr[5] j.
void pgcont(const Mat1<float>& a, int i1, int i2, int j1, int j2, const float* c, int nc,
            const float tr[6]);
void pggray(const Mat1<float>& a, int i1, int i2, int j1, int j2, float fg, float bg,
            const float tr[6]);
// The same over a plain array of idim x jdim values, i fastest (a(i, j) is
// element (j - 1) idim + i of a(1) ...).
void pgcont(const float* a, int idim, int jdim, int i1, int i2, int j1, int j2, const float* c,
            int nc, const float tr[6]);
void pggray(const float* a, int idim, int jdim, int i1, int i2, int j1, int j2, float fg, float bg,
            const float tr[6]);
void pgwedg(std::string_view side, float disp, float width, float fg, float bg,
            std::string_view label);

// Attributes.
void pgsci(int ci);
void pgscr(int ci, float cr, float cg, float cb);
// Defines colour index ci by a colour name (see colour_rgb); ier 0 on
// success, 1 for a name not in the table (the colour is then unchanged).
void pgscrn(int ci, std::string_view name, int& ier);
void pgsch(float size);
void pgsls(int ls);
void pgslw(int lw);
void pgsfs(int fs);
void pgqch(float& size);
void pgqfs(int& fs);
void pgqci(int& ci);
void pgqwin(float& x1, float& x2, float& y1, float& y2);
// The viewport, and the character size, in normalised device coordinates.
void pgqvp(float& x1, float& x2, float& y1, float& y2);
void pgqcs(float& xch, float& ych);

// The colour-name table: red, green and blue (0 to 1) of a colour name. Case,
// blanks and the spelling grey/gray do not matter ("Dark Sea Green" is
// "darkseagreen"). Holds the X11 names the program's site colours use and the
// common ones, plus "skin" and "amber". False for an unknown name.
bool colour_rgb(std::string_view name, float& r, float& g, float& b);

}  // namespace zolka
