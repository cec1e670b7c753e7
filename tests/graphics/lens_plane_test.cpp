// Drawings in the lens plane: the Einstein ring in map coordinates and the
// marks of the sources and images of the data points.
#include "graphics/lens_plane.h"

#include <gtest/gtest.h>

#include "fit/fit_fixture.h"
#include "graphics/pgplot.h"
#include "graphics/site_style.h"
#include "plot_checks.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::Picture;

class LensPlane : public ::testing::Test {
 protected:
  void SetUp() override {
    test::fresh_state();
    siteicons();
  }
  // An 800 by 600 image whose whole area is the window [x1, x2] x [y1, y2].
  void open(float x1, float x2, float y1, float y2) {
    ASSERT_TRUE(test::open_window_png(dir.file("plane.png"), x1, x2, y1, y2));
  }
  Picture picture() {
    pgend();
    return Picture(dir.file("plane.png"), false);
  }
  test::TempDir dir;
  test::CapturedConsole con;
};

TEST_F(LensPlane, EinsteinRingInXY) {
  // 200 pixels per Einstein radius about the centre (400, 300).
  open(-2, 2, -1.5f, 1.5f);
  ering("xy");
  const Picture p = picture();
  for (auto [x, y] : {std::pair{600, 300}, {200, 300}, {400, 100}, {400, 500}, {541, 159}})
    EXPECT_GT(p.count(test::inked, x - 2, y - 2, x + 2, y + 2), 0) << x << "," << y;
  // Nothing between the marker at the centre and the ring, nor outside it.
  EXPECT_EQ(p.count(test::inked, 480, 280, 560, 320), 0);
  EXPECT_EQ(p.count(test::inked, 620, 0, 799, 599), 0);
  EXPECT_GT(p.count(test::inked, 395, 295, 405, 305), 0);
  EXPECT_NE(con.output().find(" ering( XY ) **********"), std::string::npos);
}

TEST_F(LensPlane, EinsteinRingInUA) {
  // log u = 0 over all azimuths, -180 to 180 degrees.
  open(-1, 1, -200, 200);
  ering("UA");
  const Picture p = picture();
  EXPECT_GT(p.count(test::inked, 398, 40, 401, 560), 500);
  EXPECT_EQ(p.count(test::inked, 0, 0, 799, 20), 0);
  EXPECT_EQ(p.count(test::inked, 0, 0, 390, 599), 0);
}

TEST_F(LensPlane, MarksOfSourcesAndImages) {
  test::store_sites({test::exact_site(2454567.8, 25, 0.3f, 1, 0, 5, 2454550, 2454585, 0.01f)});
  ProgramState& s = state();
  s.hjd0 = 2454567.8;
  s.te = 25;
  s.y0 = 0.3f;
  s.qpl = 0.01f;
  s.delchi2 = 100;
  s.kolor_model = 1;
  for (int isymb : {-1, 0, 5}) {
    SCOPED_TRACE(isymb);
    open(-2, 2, -1.5f, 1.5f);
    marksites(isymb);
    const Picture p = picture();
    EXPECT_GT(p.count(test::inked), 30);
    // The sources lie on the line y = y0, 60 pixels above the centre; the
    // major images above it, the minor images below the star.
    EXPECT_GT(p.count(test::inked, 0, 235, 799, 245), 5);
    EXPECT_GT(p.count(test::inked, 0, 301, 799, 599), 5);
  }
  // Circles of radius sqrt(q) about the sources in colour index 3 (green).
  open(-2, 2, -1.5f, 1.5f);
  marksites(0);
  const Picture p = picture();
  EXPECT_GT(p.count([](int c) { return (c >> 8 & 0xff) > 0x80 && (c >> 16) < 0x60; }), 50);
  // Outlines: the middle of the circle about the source at x = -0.012
  // (pixel 397.6, 240) stays blank.
  EXPECT_EQ(p.count(test::inked, 394, 236, 401, 244), 0);
}

}  // namespace
}  // namespace zolka
