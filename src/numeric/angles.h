// Angle conversions. Angles are held in radians and shown in degrees; the
// factors are 180/pi and pi/180 held as 32-bit floats.
#pragma once

namespace zolka {

inline float rad2deg(float x) {
  return 57.295776f * x;
}
inline float deg2rad(float x) {
  return 0.017453292f * x;
}

}  // namespace zolka
