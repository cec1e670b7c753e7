// Planet coordinates. The planet position is held in four interchangeable
// pairs, kept consistent by the setters below:
//   x, y    lens-plane position (Einstein radii, star at the origin, x along
//           the source motion, y towards the source's closest approach);
//   u, a    separation and azimuth, a = atan2(x, y): radians from +y towards +x;
//   t, f    the time (hjd - mjd0, days) at which the source crosses the
//           planet's azimuth, and the planet's distance over the image
//           distance then: f > 0 on the major-image side, f < 0 on the minor;
//   f, q    for maps: f against log10 q.
// The conversions read t0, te and y0 of the current model; those that need t0
// recompute it from hjd0 - mjd0 first.
#pragma once

namespace zolka {

float xy2a(float x, float y);
float xy2deg(float x, float y);
void xy2ua(float x, float y, float& u, float& a);
void a2xy(float a, float& x, float& y);
void ua2xy(float u, float a, float& x, float& y);
// lu(i) = log10(max(1e-5, |(x, y)|)), deg(i) = azimuth in degrees, i = 1 .. n
// (plain arrays of n values).
void xy2la(int n, const float* x, const float* y, float* lu, float* deg);
// Azimuth of the source at time t (hjd - mjd0 days), radians and degrees.
float t2a(float t);
float t2deg(float t);
// Time at which the source crosses the azimuth of (x, y).
float xy2t(float x, float y);
// Time and image-relative distance of a planet at (x, y); f is left as passed
// when y = 0 exactly.
void xy2tf(float x, float y, float& t, float& f);
// Adds whole periods while a < lo, then subtracts them while a > hi.
float fixangle(float a, float lo, float hi, float period);
void fixangles(int n, float* a, float lo, float hi, float period);

// Setters: each writes the whole planet position from one pair.
void setplxy(float x, float y);
void setplua(float u, float a);
void setpltf(float t, float f);
void setplaf(float a, float f);
// Re-derives the position from the primary pair named by plpos.
void setplpos();

}  // namespace zolka
