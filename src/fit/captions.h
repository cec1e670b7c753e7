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

// title_a0, then "+/-" siga0 (2 digits) when siga0 > 0.
void title_a0pm(std::string& t);
// Plot form: "A\d0\u=" a0 (digits as title_a0), then "\(2233)" siga0 (2 digits)
// when siga0 > 0; no blank removal.
void title_apm(std::string& t);
// Refreshes the present moment (now), then "A=" anow with
// max(2, nint(2 - log10(anow - 1))) digits (at most 7).
void title_anow(std::string& t);
// "m0=" smag0 "(f10.2)"; noeqbl.
void title_mag(std::string& t);
// "u=" upl (4 digits) after upl = |(xpl, ypl)|; noeqbl.
void title_u(std::string& t);
// "\ga=" the planet azimuth in whole degrees followed by "\uo\d"; noeqbl.
void title_deg(std::string& t);
// "t=" tpl "(f10.2)" and "f=" fpl (4 digits); noeqbl.
void title_tp(std::string& t);
void title_fp(std::string& t);
// title_u, title_deg, title_x, title_y, title_tp, title_fp.
void title_plpos(std::string& t);
// title_q, title_plpos, then "\gD\gx\u2\d=" dchi2fit "(f10.1)" when
// dchi2fit > 0; noeqbl.
void title_planet(std::string& t);
// "\gD\gx\u2\d=" delchi2 as the nearest integer; the caption is then printed.
void title_delchi2(std::string& t);
// "best \gD\gx\u2\d=" dchi2fit (nearest integer from 100 up, "(f10.1)" from
// 10, else "(f10.2)"); the caption is then printed.
void title_best(std::string& t);
// The priors: "logf=" avglogf (left out when 0) "+/-" siglogf; "logte="
// avglogte "+/-" siglogte; "<logA0>=" sigloga0; all "(f14.2)", the first two
// without blanks. title_pr is "Prior:" and the three.
void title_pr_f(std::string& t);
void title_pr_te(std::string& t);
void title_pr_a0(std::string& t);
void title_pr(std::string& t);
// The observing priority for q = 0.001: at the peak, prioritymax = dzwstd at
// y0, "P\d0\u="; now, prioritynow = dzwstd at unow (after now), "P="; 2
// digits each. title_priority is both.
void title_pmax(std::string& t);
void title_pnow(std::string& t);
void title_priority(std::string& t);
// "ksee=" / "ksky=" followed by no, flx, mag or eps for 0, 1, 2, 3.
void title_see(std::string& t);
void title_sky(std::string& t);
// Site i's error model: its number (when there are several sites), "m0="
// smag0 for site 1 or "m-m0=" addmag, "b=", "sig0=", "e=", the systematic
// error in percent, "c=" seefac_l, the error-scale prior "(logf=...)" when
// siglogf > 0, and the site name; "(f10.2)"; noeqbl. A site index outside
// 1..nloc stops the program.
void title_site(std::string& t, int i);
// The reduced chi-square ladder: chi^2/(ndfit-npfit) of the current model
// with the fits of 4 .. min(npfit, 7) parameters, e.g.
// \gx\u2\d/(412-7)=2.31=>1.45=>1.20=>1.02. The fits are redone (and their
// reasons printed) only when the model, npfit or ndata changed beyond small
// thresholds since the last recalculation; the model is left as it was.
// Sets ndfit and chi2_4 .. chi2_7. Nothing without data.
void title_chi2(std::string& t);

}  // namespace zolka
