// Where a plot goes: the device dialogue, opening and closing the plot,
// offering a finished PostScript file to a print queue, the plot-again
// question, the colour scheme and the logo.
//
// Every plotting command runs the same cycle: pgstart, pgkolors, set csize and
// lwide, draw the panels (each ending with its logo), pgstop, then pgagain; if
// that says yes, start again from pgstart. The answers of the dialogue (device
// letter, file, queue, orientation, page format) are kept in the state and
// offered as defaults next time.
//
// Device letters: X "/XSERV" and W "/XW" (an X window), T "/TE" (Tektronix,
// not available: it fails to open), N "/NU" (null), B "?" (ask for a PGPLOT
// device name), P PostScript, C colour PostScript, G GIF (files), H help.
//
// Plot files default to the directory named by the environment variable SCR;
// when SCR is not set, to the working directory.
#pragma once

#include <string>
#include <string_view>

namespace zolka {

// Asks for the device (and for a file plot its file, print queue and
// orientation), then the page format unless nx and ny are both at least 1, and
// opens the plot. nx, ny (in/out): panels across and down. isnew (out): 1 when
// this call opened the device, 0 when a device of the same letter was already
// open. Returns only with an open device; end of input ends the program.
void pgstart(int& nx, int& ny, int& isnew);
// Closes the plot; a PostScript file is then offered to the chosen print queue.
void pgstop();
// Asks " Plot again ? [N] "; true only for the answer Y (either case).
bool pgagain();
// Installs the colour scheme of whitebackground: colour indices 0 and 1 and
// the colour roles kolor_window, kolor_label, kolor_data, kolor_model,
// kolor_sigma, kolor_now.
void pgkolors();
// Writes the logo "ZOLKA <version>" at 0.7 of the character height: side 'T'
// above the top edge of the viewport, 'C' inside its bottom edge. Reads the
// character height into csize and restores it.
void pgzolka(char side);
// Writes "CPU <seconds>" inside the bottom right corner of the viewport.
void pgcpu(float cpu);
// Starts the next panel of the page with the standard viewport and draws
// nothing in it: the place of a panel that has nothing to show, so that the
// panels after it and its logo land where they belong.
void empty_panel();
// Closes an open plot and any window still on show; registered at start-up as
// the state's closeplot hook, run at the end of the run and at a fatal stop.
void closeplot();

}  // namespace zolka
