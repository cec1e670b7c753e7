// The column reader, the list reader and the file opener.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "lightcurve/column_reader.h"
#include "lightcurve/files.h"
#include "shell/core/state.h"
#include "support/support.h"

namespace zolka {
namespace {

using test::CapturedConsole;
using test::TempDir;

bool has(const std::string& out, const std::string& text) {
  return out.find(text) != std::string::npos;
}

// Reads file with ncol columns, time in column 1, into fresh arrays.
struct Read {
  int nrow = 0;
  std::vector<double> t;
  std::vector<std::vector<float>> a;
  std::string out;
};

Read read(const std::string& file, int ncol, int capacity = 1000) {
  Read r;
  r.nrow = capacity;
  r.t.assign(capacity + 1, -7);
  r.a.assign(ncol - 1, std::vector<float>(capacity + 1, -7));
  CapturedConsole con;
  switch (ncol) {
    case 3:
      loadlc3(file, 3, r.nrow, r.t.data(), r.a[0].data(), r.a[1].data());
      break;
    case 5:
      loadlc5(file, 5, r.nrow, r.t.data(), r.a[0].data(), r.a[1].data(), r.a[2].data(),
              r.a[3].data());
      break;
    default:
      ADD_FAILURE() << "ncol " << ncol;
  }
  r.out = con.output();
  return r;
}

TEST(ColumnReader, LinesThatReadAndLinesThatDoNot) {
  struct Case {
    const char* what;
    std::string text;
    int ncol;
    int rows;
  };
  const std::string three = "2454500.5 17.1 0.01\n2454501.5 17.2 0.02\n";
  const std::string eight = "1 2 3 4 5 6 7 8\n11 12 13 14 15 16 17 18\n";
  const Case cases[] = {
      {"3 columns read with 5", three, 5, 0},
      {"3 columns read with 3", three, 3, 2},
      {"8 columns read with 5", eight, 5, 2},
      {"header and # line before 10 rows",
       "HJD mag err\n# comment 1 2 3\n" +
           [] {
             std::string s;
             for (int i = 0; i < 10; ++i) s += std::to_string(2454500 + i) + " 17 0.01\n";
             return s;
           }(),
       3, 10},
      {"blank lines, commas, tabs, CRLF", "\n2454500.5,17.1,0.01\r\n\t2454501.5\t17.2\t0.02\n\n", 3,
       2},
      {"Fortran exponents", "2.4545005D6 1.71E1 1.0d-2\n", 3, 1},
      {"a slash ends the values of a line", "2454500.5 17.1 / 0.01\n2454501.5 17.2 0.02\n", 3, 1},
      {"NaN and Inf in any column do not read",
       "nan 17 0.01\n2454500 inf 0.01\n2454500 17 -Infinity\n2454500 NAN 1\n2454501 17 0.01\n", 3,
       1},
      {"values beyond a 32-bit real do not read", "2454500 1e39 0.01\n2454501 17 0.01\n", 3, 1},
      {"text glued to a number", "2454500.5 17.1x 0.01\n2454501 17 0.01\n", 3, 1},
      {"last line without newline", "2454500.5 17.1 0.01\n2454501.5 17.2 0.02", 3, 2},
      {"empty file", "", 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    dir.write("f.dat", c.text);
    const Read r = read(dir.file("f.dat"), c.ncol);
    EXPECT_EQ(r.nrow, c.rows) << r.out;
  }
}

TEST(ColumnReader, ColumnsGoToTheirArrays) {
  TempDir dir;
  dir.write("f.dat", "x\n2454500.125 17.5 0.02 1.3 400 99 98 97\n");
  const Read r = read(dir.file("f.dat"), 5);
  ASSERT_EQ(r.nrow, 1);
  EXPECT_EQ(r.t[0], 2454500.125);
  EXPECT_EQ(r.a[0][0], 17.5f);
  EXPECT_EQ(r.a[1][0], 0.02f);
  EXPECT_EQ(r.a[2][0], 1.3f);
  EXPECT_EQ(r.a[3][0], 400.0f);
  EXPECT_EQ(r.a[3][1], -7.0f);  // nothing written beyond the rows read
  EXPECT_TRUE(has(r.out, " NCOL 5 HJD COL 1 NROW 1000\n"));

  // A time in column 3 of 8: the other seven in their order on the line.
  std::vector<float> v(7 * 2);
  double t[2];
  int n = 2;
  CapturedConsole con;
  loadlc8t(dir.file("f.dat"), 8, 3, n, t, &v[0], &v[2], &v[4], &v[6], &v[8], &v[10], &v[12]);
  ASSERT_EQ(n, 1);
  EXPECT_EQ(t[0], 0.02);
  EXPECT_EQ(v[0], 2454500.125f);
  EXPECT_EQ(v[2], 17.5f);
  EXPECT_EQ(v[4], 1.3f);
  EXPECT_EQ(v[12], 97.0f);
}

TEST(ColumnReader, CapacityLimitsTheRows) {
  TempDir dir;
  std::string text;
  for (int i = 1; i <= 150; ++i) text += std::to_string(2454500 + i) + " 17 0.01\n";
  dir.write("f.dat", text);
  const Read r = read(dir.file("f.dat"), 3, 100);
  EXPECT_EQ(r.nrow, 100);
  EXPECT_EQ(r.t[99], 2454600.0);
  EXPECT_TRUE(has(r.out, " ** WARNING: Data beyond row 100 was not read.\n"));

  // Exactly at capacity: no warning.
  dir.write("g.dat", "2454500 17 0.01\n2454501 17 0.01\n");
  const Read g = read(dir.file("g.dat"), 3, 2);
  EXPECT_EQ(g.nrow, 2);
  EXPECT_FALSE(has(g.out, "WARNING"));
}

TEST(ColumnReader, LongLinesAreCutNotMerged) {
  TempDir dir;
  // A 3000-character line: its values lie in the first 2100 characters, and
  // what follows character 2100 must not become a line of its own.
  std::string longline = "2454500.5 17.1 0.01" + std::string(2100 - 19, ' ') + "2454999 1 1";
  longline += std::string(3000 - longline.size(), ' ');
  // Values only beyond character 2100: the line holds none.
  const std::string farline = std::string(2100, ' ') + "2454600.5 17.3 0.03";
  dir.write("f.dat", longline + "\n" + farline + "\n2454501.5 17.2 0.02\n");
  const Read r = read(dir.file("f.dat"), 3);
  ASSERT_EQ(r.nrow, 2);
  EXPECT_EQ(r.t[0], 2454500.5);
  EXPECT_EQ(r.t[1], 2454501.5);

  // A huge single line without any newline, larger than the read buffer.
  dir.write("g.dat", "2454500.5 17.1 0.01 " + std::string(300000, '9'));
  const Read g = read(dir.file("g.dat"), 3);
  EXPECT_EQ(g.nrow, 1);
}

TEST(ColumnReader, FilesThatDoNotOpen) {
  TempDir dir;
  const Read r = read(dir.file("missing.dat"), 3);
  EXPECT_EQ(r.nrow, 0);
  EXPECT_TRUE(has(r.out, " ** OPENFILE FAILED :( \n"));
  EXPECT_TRUE(has(r.out, "\a** Error opening file.\n"));
  EXPECT_TRUE(has(r.out, " ** LOADLC aborted.\n"));
  // A directory is not a data file.
  const Read d = read(dir.path().string(), 3);
  EXPECT_EQ(d.nrow, 0);
  EXPECT_TRUE(has(d.out, "** LOADLC aborted."));

  // Invalid dimensions.
  double t[1];
  float a[1], b[1];
  int n = 0;
  CapturedConsole con;
  loadlc3(dir.file("missing.dat"), 3, n, t, a, b);
  EXPECT_EQ(n, 0);
  EXPECT_TRUE(has(con.output(), " ** INVALID DIMENSIONS. 0 3\n ** LOADLC aborted.\n"));
}

TEST(ColumnReader, BlankNameAsksForOne) {
  TempDir dir;
  dir.write("f.dat", "2454500.5 17.1 0.01\n");
  double t[2];
  float a[2], b[2];
  int n = 2;
  CapturedConsole con(dir.file("f") + "\n");
  loadlc3("", 3, n, t, a, b);
  EXPECT_EQ(n, 1);
  EXPECT_TRUE(has(con.output(), " Enter name of  3-column free-format ASCII file :"));
}

TEST(ColumnReader, RandomBytesAndLinesReturnCleanly) {
  // Arbitrary bytes (NULs, control characters, partial numbers, long and short
  // lines) must never crash, hang or store a non-finite value.
  std::mt19937 rng(20110622);
  const std::string pieces[] = {"2454500.5", "17.25", "0.01", "-3", "1e38", "1e400", "nan",
                                "inf",       "+",     "-",    ".",  "e5",   "1d",    ",",
                                "/",         "\t",    " ",    "\r", "#",    "!"};
  TempDir dir;
  for (int trial = 0; trial < 200; ++trial) {
    std::string text;
    const int nline = rng() % 40;
    for (int l = 0; l < nline; ++l) {
      const int kind = rng() % 4;
      if (kind == 0) {  // raw bytes
        const int len = rng() % (trial % 10 == 0 ? 5000 : 80);
        for (int k = 0; k < len; ++k) text += static_cast<char>(rng() % 256);
      } else {  // tokens, sometimes glued together
        const int ntok = rng() % 12;
        for (int k = 0; k < ntok; ++k) {
          text += pieces[rng() % std::size(pieces)];
          if (rng() % 3) text += ' ';
        }
      }
      if (rng() % 8) text += '\n';
    }
    dir.write("fuzz.dat", text);
    for (const int ncol : {3, 5}) {
      const int cap = 1 + rng() % 30;
      const Read r = read(dir.file("fuzz.dat"), ncol, cap);
      ASSERT_GE(r.nrow, 0);
      ASSERT_LE(r.nrow, cap);
      for (int i = 0; i < r.nrow; ++i) {
        ASSERT_TRUE(std::isfinite(r.t[i]));
        for (const auto& col : r.a) ASSERT_TRUE(std::isfinite(col[i]));
      }
    }
  }
}

TEST(Files, OpenfileTriesDatAndExpandsTheEnvironment) {
  TempDir dir(true);
  dir.write("ob1.dat", "x\n");
  TextFile f;
  int ierr = -1;
  CapturedConsole con;
  openfile(49, "ob1", "FORMATTED", "OLD", ierr, f);
  EXPECT_EQ(ierr, 0);
  EXPECT_TRUE(f.is_open());
  EXPECT_TRUE(has(con.output(), " Open( 49, ob1.dat, FORMATTED, OLD )\n"));

  std::filesystem::create_directory(dir.path() / "data");
  dir.write("data/ob2.dat", "x\n");
  ::setenv("ZOLKA_TEST_DIR", (dir.path().string() + "  ").c_str(), 1);
  con.clear();
  TextFile g;
  openfile(49, "$ZOLKA_TEST_DIR/data/ob2.dat", "FORMATTED", "OLD", ierr, g);
  EXPECT_EQ(ierr, 0);
  const std::string path = dir.path().string() + "/data/ob2.dat";
  EXPECT_TRUE(has(con.output(), " Path( $ZOLKA_TEST_DIR/data/ob2.dat ) = " + path + "\n"));
  ::unsetenv("ZOLKA_TEST_DIR");

  con.clear();
  TextFile h;
  openfile(47, "nothere", "FORMATTED", "OLD", ierr, h);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(con.output(), " ** OPENFILE FAILED :( \n ** Path( nothere ) = nothere.dat\n");
}

TEST(Files, FullpathAndNames) {
  ::setenv("ZOLKA_TEST_VAR", "/home/x", 1);
  EXPECT_EQ(fullpath("  ob1.dat  rest"), "ob1.dat");
  EXPECT_EQ(fullpath("$ZOLKA_TEST_VAR/data/ob1.dat"), "/home/x/data/ob1.dat");
  EXPECT_EQ(fullpath("pre$ZOLKA_TEST_VAR"), "pre/home/x");
  EXPECT_EQ(fullpath("$ZOLKA_TEST_UNSET_VAR/ob1.dat"), "/ob1.dat");
  EXPECT_EQ(fullpath(""), "");
  ::setenv("ZOLKA_TEST_VAR", std::string(300, 'a').c_str(), 1);
  {
    CapturedConsole con;
    EXPECT_EQ(fullpath("$ZOLKA_TEST_VAR/x").size(), 256u);
    EXPECT_TRUE(has(con.output(), "** fullpath possible truncation:"));
  }
  ::unsetenv("ZOLKA_TEST_VAR");

  EXPECT_EQ(index_nopath("/data/ZOB08123I.dat"), 7);
  EXPECT_EQ(index_nopath("ZOB08123I.dat"), 1);

  test::fresh_state();
  state().datfile = "../maps/OOB08123I.dat";
  EXPECT_EQ(filenameq(0), "../maps/OOB08123I");
  EXPECT_EQ(filenameq(0.001f), "../maps/OOB08123I_q300");
  state().datfile = "@night 1";
  EXPECT_EQ(filenameq(1e-4f), "@night1_q400");
}

TEST(ListReader, ListFilesAndSingleNames) {
  TempDir dir(true);
  dir.write("night1.lis", "ob1.dat ! OGLE\n\n  # only a comment\nob2.dat#MOA\nob3.dat\n");
  dir.write("night1", "plain1\n");
  dir.write("night1.txt", "txt1\ntxt2\n");
  std::vector<std::string> list;
  CapturedConsole con;

  int n = 50;
  loadlist("@night1", n, list);
  ASSERT_EQ(n, 3);
  EXPECT_EQ(list[0], "ob1.dat");
  EXPECT_EQ(list[1], "ob2.dat");
  EXPECT_EQ(list[2], "ob3.dat");

  n = 50;
  loadlist("@night1.txt", n, list);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(list[1], "txt2");

  std::filesystem::remove(dir.path() / "night1.lis");
  n = 50;
  loadlist("@night1", n, list);
  ASSERT_EQ(n, 1);
  EXPECT_EQ(list[0], "plain1");

  n = 50;
  loadlist("ob9.dat", n, list);
  ASSERT_EQ(n, 1);
  EXPECT_EQ(list[0], "ob9.dat");

  for (const char* none : {"", "   ", "none", "NONE now"}) {
    n = 50;
    loadlist(none, n, list);
    EXPECT_EQ(n, 0) << none;
  }
}

TEST(ListReader, FailuresAndLimits) {
  TempDir dir(true);
  std::vector<std::string> list;
  CapturedConsole con;
  int n = 50;
  loadlist("@absent", n, list);
  EXPECT_EQ(n, 0);
  EXPECT_TRUE(has(con.output(), " ** error opening file @absent\n ** LOADLIST aborted.\n"));

  n = 0;
  loadlist("@absent", n, list);
  EXPECT_TRUE(has(con.output(), " ** dimension error  0\n"));

  dir.write("empty.lis", "! nothing\n\n");
  n = 50;
  con.clear();
  loadlist("@empty", n, list);
  EXPECT_EQ(n, 0);
  EXPECT_TRUE(has(con.output(), "** LOADLIST aborted."));

  std::string many;
  for (int i = 1; i <= 60; ++i) many += "f" + std::to_string(i) + ".dat\n";
  dir.write("many.lis", many);
  n = 50;
  con.clear();
  loadlist("@many", n, list);
  EXPECT_EQ(n, 50);
  EXPECT_EQ(list[49], "f50.dat");
  EXPECT_TRUE(has(con.output(), " ** WARNING: List beyond entry 50 was not read.\n"));

  // Entries are cut to their length.
  dir.write("long.lis", std::string(200, 'x') + "\n");
  n = 5;
  loadlist("@long", n, list, 30);
  ASSERT_EQ(n, 1);
  EXPECT_EQ(list[0].size(), 30u);
}

}  // namespace
}  // namespace zolka
