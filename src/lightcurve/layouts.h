// Recognising the column layout of a light-curve file by trial.
//
// Seven layouts are tried from the widest down; the first whose reader finds
// rows with valid times wins:
//   1  8,4 = ( N mag err HJD see sky code dwell )   N must be whole numbers
//   2  8,3 = ( mag err HJD see sky air dwell code )
//   3  7,3 = ( mag err HJD see sky code dwell )
//   4  6   = ( HJD mag err see sky dwell )
//   5  5   = ( HJD mag err see sky )                 dwell -1; may mix with 3-column rows
//   6  4   = ( HJD mag err see )                     sky, dwell -1
//   7  3   = ( HJD mag err )                         see, sky, dwell -1
// A time is valid when it exceeds 1000 days or is exactly 0 (points at 0 are
// dropped later by point validation). Columns a layout lacks are -1, airmass
// and code included.
#pragma once

#include <string>

namespace zolka {

constexpr int nlayout = 7;  // layouts tried on each file

// Reads file into the store after its first n0 points (rows n0 + 1 on), trying
// the layouts in order with the room left in the store as the row limit.
// Returns the number of rows of the accepted layout, or 0 after
// "** NO DATA FROM " when none fits. The points before n0 are not touched.
int readlayouts(const std::string& file, int n0);

}  // namespace zolka
