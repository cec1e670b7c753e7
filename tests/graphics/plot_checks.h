// Checks on plot files shared by the graphics tests: a PostScript file is
// complete when it starts with "%!PS" and ends with its "%%EOF" trailer; a GIF
// file when it starts with "GIF8" and ends with the trailer byte 0x3B. Images
// are decoded with libgd to count the pixels that differ from the background.
#pragma once

#include <gd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "graphics/pgplot.h"

namespace zolka::test {

inline std::string file_bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

inline bool complete_postscript(const std::string& bytes) {
  if (bytes.rfind("%!PS", 0) != 0) return false;
  std::size_t end = bytes.find_last_not_of("\r\n");
  return end != std::string::npos && end >= 4 && bytes.compare(end - 4, 5, "%%EOF") == 0;
}

inline bool complete_gif(const std::string& bytes) {
  return bytes.size() > 13 && bytes.rfind("GIF8", 0) == 0 && bytes.back() == '\x3b';
}

// Size of a GIF or PNG image and the number of its pixels that differ from
// the colour of its top-left corner (the background); -1 when it does not decode.
struct ImageInk {
  int width = -1;
  int height = -1;
  int ink = -1;
  int background = -1;  // the corner colour as 0xRRGGBB
};

inline ImageInk image_ink(const std::string& path, bool gif) {
  ImageInk r;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return r;
  gdImagePtr im = gif ? gdImageCreateFromGif(f) : gdImageCreateFromPng(f);
  std::fclose(f);
  if (!im) return r;
  r.width = gdImageSX(im);
  r.height = gdImageSY(im);
  auto rgb = [&](int x, int y) {
    const int c = gdImageGetPixel(im, x, y);
    return (gdImageRed(im, c) << 16) | (gdImageGreen(im, c) << 8) | gdImageBlue(im, c);
  };
  r.background = rgb(0, 0);
  r.ink = 0;
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x)
      if (rgb(x, y) != r.background) ++r.ink;
  gdImageDestroy(im);
  return r;
}

// An image read with libgd for looking at single pixels: colours as 0xRRGGBB,
// rows from the top. Empty (width 0) when the file does not decode.
class Picture {
 public:
  Picture(const std::string& path, bool gif) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return;
    gdImagePtr im = gif ? gdImageCreateFromGif(f) : gdImageCreateFromPng(f);
    std::fclose(f);
    if (!im) return;
    width = gdImageSX(im);
    height = gdImageSY(im);
    pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const int c = gdImageGetPixel(im, x, y);
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)] =
            (gdImageRed(im, c) << 16) | (gdImageGreen(im, c) << 8) | gdImageBlue(im, c);
      }
    gdImageDestroy(im);
  }
  int rgb(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)];
  }
  // Pixels in columns x0..x1 and rows y0..y1 (clipped to the image) for which
  // the test holds.
  int count(const std::function<bool(int)>& test, int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = std::max(y0, 0); y <= std::min(y1, height - 1); ++y)
      for (int x = std::max(x0, 0); x <= std::min(x1, width - 1); ++x) n += test(rgb(x, y));
    return n;
  }
  int count(const std::function<bool(int)>& test) const {
    return count(test, 0, 0, width - 1, height - 1);
  }
  int width = 0;
  int height = 0;

 private:
  std::vector<int> pixels_;
};

// Colour tests: not the white background; pure red (colour index 2); mostly
// blue (colour index 4).
inline bool inked(int c) {
  return c != 0xffffff;
}
inline bool reddish(int c) {
  return (c >> 16 & 0xff) > 0xc0 && (c >> 8 & 0xff) < 0x60 && (c & 0xff) < 0x60;
}
inline bool bluish(int c) {
  return (c & 0xff) > 0xc0 && (c >> 16 & 0xff) < 0x60 && (c >> 8 & 0xff) < 0x60;
}

// Colour index 3 (green) drawn over grey or white: lines are smoothed into
// what lies under them, so any clear excess of green counts.
inline bool greenish(int c) {
  const int r = c >> 16 & 0xff, g = c >> 8 & 0xff, b = c & 0xff;
  return g > std::max(r, b) + 24;
}

// Runs of consecutive image rows (or columns) holding more than `least`
// pixels for which the test holds: the centre of each run.
inline std::vector<double> runs(const Picture& p, bool rows, int least,
                                const std::function<bool(int)>& test) {
  std::vector<double> centres;
  const int n = rows ? p.height : p.width;
  int start = -1;
  for (int k = 0; k <= n; ++k) {
    bool on = false;
    if (k < n)
      on = (rows ? p.count(test, 0, k, p.width - 1, k) : p.count(test, k, 0, k, p.height - 1)) >
           least;
    if (on && start < 0) start = k;
    if (!on && start >= 0) {
      centres.push_back(0.5 * (start + k - 1));
      start = -1;
    }
  }
  return centres;
}

// First and last image column (or row) holding a pixel for which the test holds.
inline void extent(const Picture& p, bool columns, const std::function<bool(int)>& test, int& first,
                   int& last) {
  first = -1;
  last = -1;
  const int n = columns ? p.width : p.height;
  for (int k = 0; k < n; ++k) {
    const int c =
        columns ? p.count(test, k, 0, k, p.height - 1) : p.count(test, 0, k, p.width - 1, k);
    if (c == 0) continue;
    if (first < 0) first = k;
    last = k;
  }
}

// Opens an 800 x 600 PNG file whose whole area is the window [x1, x2] x
// [y1, y2], drawing in colour 1; false when the file cannot be opened.
inline bool open_window_png(const std::string& path, float x1, float x2, float y1, float y2) {
  if (pgbegin(0, "\"" + path + "\"/PNG", 1, 1) != 1) return false;
  pgpage();
  pgsvp(0, 1, 0, 1);
  pgswin(x1, x2, y1, y2);
  pgsci(1);
  return true;
}

}  // namespace zolka::test
