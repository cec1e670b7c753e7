// The observing-priority figure: the width of the zones around the two images
// of a point lens in which a planet of mass ratio q would be detected, scaled
// by the photometric signal-to-noise ratio of the magnified source
// (after Horne, Snodgrass & Tsapras 2009).
#pragma once

namespace zolka {

// Detection-zone width for mass ratio q, source separation u (Einstein radii),
// baseline magnitude smag of source plus blend and blend ratio b = fb/fs, for
// a fixed photometric model (5e9 counts per unit time at magnitude 0, sky of
// magnitude 19 per square arcsecond over 2.26618 square arcseconds, exposure
// 100). Repeating the previous call's arguments returns the remembered result
// (dzwset, dzwq, dzwu, dzwsmag, dzwb, dzwval in the state).
float dzwstd(float q, float u, float smag, float b);

}  // namespace zolka
