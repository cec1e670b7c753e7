// Captions built from the program state, shared by plots and terminal reports.
//
// Every builder appends to the caption it is given (a 128-character text) and
// leaves what is already there in front; clear the caption first for a fresh
// one. Pieces are joined by the text-building rules: one blank before each
// piece (none into an empty caption), numbers in the stated formats, and the
// blanks after each "=" removed (noeqbl) where a builder says so. Plot escapes
// ("\g", "\u", "\d") appear only in captions meant for plots.
#pragma once

#include <string>

namespace zolka {

// "A0=" a0 with max(3, nint(3 - log10(a0 - 1))) significant digits (at most
// 7, the digits of a single-precision value, which also covers a0 = 1);
// noeqbl on the caption.
void title_a0(std::string& t);
// "t0=" t0 "(f15.2)", after t0 = hjd0 - mjd0; noeqbl on the caption.
void title_t0(std::string& t);
// "te=" te "(f15.2)"; noeqbl.
void title_te(std::string& t);
// "y0=" y0, "(f15.2)" when |y0| > 0.1, else "(f15.3)"; noeqbl.
void title_y0(std::string& t);
// title_t0, title_te, title_y0, title_a0 in that order.
void title_lens(std::string& t);
// "b=" b0, "sig0=" sigmag0, "f=" erbscl, each "(f14.2)"; noeqbl.
void title_b(std::string& t);
void title_sig0(std::string& t);
void title_f(std::string& t);
// "x=" xpl and "y=" ypl with 4 significant digits; noeqbl.
void title_x(std::string& t);
void title_y(std::string& t);
// "q=" qpl: >= 100 as the nearest integer; > 1 "(f10.1)"; > 0.1 "(f10.2)";
// > 0.01 "(f10.3)"; > 0.001 "(f10.4)"; > 0.0001 "(f10.5)"; else "(1pe8.1)".
// Between 0.0001 and 100 the trailing zeros are dropped (10.0 shows as
// "q=10."). noeqbl on the appended part only.
void title_q(std::string& t);
// The event name and its alias; with no event name, the data file name
// without its directory; nothing when all are blank.
void title_event(std::string& t);
// "Chi2=(" chi2_l "/" ndf_l ")=" chi2_l/max(1, ndf_l) of site i, formats
// "(f15.1)", integer, "(f15.2)", all blanks of the appended part removed:
// Chi2=(812.4/567)=1.43.
void title_chi2site(std::string& t, int i);

}  // namespace zolka
