// Photometric corrections, data-quality settings and priors.
#pragma once

namespace zolka {

struct SettingsState {
  int ksee = 0;       // seeing-correlation correction: 0 off, 1..3 select it
  int ksky = 0;       // sky-correlation correction: 0 off, 1..3 select it
  float seebot = 0;   // lower end of the seeing range of the seeing correction
  float seetop = 0;   // upper end of the seeing range
  float skybot = 0;   // lower end of the sky range of the sky correction
  float skytop = 0;   // upper end of the sky range
  float cliplo = 0;   // lower clip threshold on the normalised residual (shown, not applied)
  float cliphi = 0;   // upper clip threshold on the normalised residual (shown, not applied)
  float delchi2 = 0;  // chi-square increase taken as a planet detection
  float seefac = 0;   // seeing factor c last entered at the site editor, a note only: the
                      // coefficient used is seefac_l, refitted by the seeing regression

  // Priors.
  float avglogte = 0;    // mean of the Gaussian prior on log10(te/days)
  float siglogte = 0;    // width of the prior on log10(te)
  float sigloga0 = 0;    // scale of the exponential prior on log10(a0)
  float cenb = 0;        // centre of the split-Gaussian prior on the blend ratio
  float sigbpos = 0;     // width of the blend prior above its centre
  float sigbneg = 0;     // width of the blend prior below its centre
  float sigbposoff = 0;  // sigbpos remembered while the blend prior is switched off
  float sigbnegoff = 0;  // sigbneg remembered while the blend prior is switched off
};

}  // namespace zolka
