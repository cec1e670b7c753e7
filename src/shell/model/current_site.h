// The current site. The per-site quantities of the site table are used and
// edited through one set of current-site scalars (loc, site, glat, glon, elev,
// diam, sigmag0, erbscl, syserr, avglogf, siglogf, fs, fb, sigfs, sigfb, apiv,
// b0, addflx, addmag, sitefac): setsite loads them from a row, stowsite writes
// them back.
//
// Site 1 is the photometric reference: a flux f measured at site l maps onto
// site 1's scale as (f + addflx_l(l)) * sitefac_l(l), with
//   sitefac_l(l) = fs_l(1)/fs_l(l)
//   addflx_l(l)  = fb_l(1)/sitefac_l(l) - fb_l(l)
//   addmag_l(l)  = -2.5 log10(sitefac_l(l))
//   b0_l(l)      = fb_l(l)/fs_l(l)
#pragma once

namespace zolka {

// Loads site row l into the current-site scalars and makes loc = l. Does
// nothing without sites; an index outside 1 .. nloc prints
// "** INVALID SITE setsite( l )" with loc, nloc and the capacity, and changes
// nothing.
void setsite(int l);
// Stores the current-site scalars into row l and brings the row's derived flux
// relation up to date. The row's seeing coefficient seefac_l is left alone: it
// belongs to the seeing-correlation fit. Does nothing without sites; an index
// outside 1 .. nloc prints "** INVALID LOCATION" and changes nothing.
void stowsite(int l);

// fs, fb, sigfs, sigfb, apiv = the flux-fit record of row l.
void setfsfb_l(int l);
// The flux-fit record of row l = fs, fb, sigfs, sigfb, apiv.
void stowfsfb_l(int l);

// Recomputes sitefac_l, addmag_l, addflx_l and b0_l of row l from fs_l, fb_l
// (no check: a source flux of 0 gives non-finite values).
void subsidiaries_l(int l);
// subsidiaries_l for every site, then a0 = point-lens magnification at y0 and,
// with sites loaded, smag0 = magnitude of |fs_l(1) + fb_l(1)| and
// b0 = fb_l(1)/fs_l(1). Without sites only a0 is recomputed.
void subsidiaries();
// Puts site l's row back to neutral fit quantities: fs_l = 1, fb_l = 0, no
// flux-fit uncertainties, pivot 1, no offset or blend, no baseline noise, unit
// error-bar scale, the current systematic error and error-scale prior, no
// chi-square and no seeing or sky coefficients. A new load and the initial
// guess start every site from it.
void neutralsite(int l);

}  // namespace zolka
