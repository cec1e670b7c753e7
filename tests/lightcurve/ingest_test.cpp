// Loading light curves: layout trials, the mixed layout, point validation,
// time ordering, lists of files and bad input.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <string>

#include "lightcurve/ingest.h"
#include "lightcurve/store.h"
#include "shell/core/print.h"
#include "shell/core/state.h"
#include "shell/model/photometry.h"
#include "support/support.h"

namespace zolka {
namespace {

namespace fs = std::filesystem;
using test::CapturedConsole;
using test::TempDir;

using test::occurrences;
bool has(const std::string& out, const std::string& text) {
  return occurrences(out, text) > 0;
}

// A temporary working directory holding copies of the named fixtures.
struct Workdir {
  TempDir dir{true};
  explicit Workdir(std::initializer_list<const char*> fixtures) {
    test::fresh_state();
    for (const char* f : fixtures)
      fs::copy_file(fs::path(test::source_dir()) / "tests" / "fixtures" / f, dir.path() / f);
  }
};

// Loads one file as the next site; returns the output.
std::string loadone(const std::string& file) {
  CapturedConsole con;
  loadsite(file);
  return con.output();
}

// Runs the data dialogue with the given reply; returns the output.
std::string dialogue(const std::string& reply, bool* loaded = nullptr) {
  CapturedConsole con(reply + "\n");
  const bool ok = newdata();
  if (loaded) *loaded = ok;
  return con.output();
}

// The layout trial that accepted the file: 1 + the rejections before the acceptance.
int accepted_trial(const std::string& out) {
  const std::size_t acc = out.find("** DATA FORMAT ACCEPTED **  :)");
  if (acc == std::string::npos) return 0;
  return 1 + occurrences(out.substr(0, acc), "** DATA FORMAT REJECTED **  :(");
}

TEST(Ingest, EachLayoutFindsItsColumns) {
  struct Case {
    const char* file;
    int trial;
    float see, sky, dwell, air, code;  // row 1 after loading; sky per unit dwell
  };
  const float sky60 = 200.0f / 60.0f;
  const Case cases[] = {
      {"layout84.dat", 1, 1.1f, sky60, 60, -1, 7}, {"layout83.dat", 2, 1.1f, sky60, 60, 1.15f, 7},
      {"layout73.dat", 3, 1.1f, sky60, 60, -1, 7}, {"layout6.dat", 4, 1.1f, sky60, 60, -1, -1},
      {"layout5.dat", 5, 1.1f, 200, -1, -1, -1},   {"layout4.dat", 6, 1.1f, -1, -1, -1, -1},
      {"layout3.dat", 7, -1, -1, -1, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Workdir w{c.file};
    const std::string out = loadone(c.file);
    const ProgramState& s = state();
    EXPECT_EQ(accepted_trial(out), c.trial) << out;
    ASSERT_EQ(s.ndata, 6);
    ASSERT_EQ(s.nloc, 1);
    // Short times (HJD - 2450000) are made full only once all files are in.
    const double offset = s.hjd_t(1) < jdshort ? jdoffset : 0;
    EXPECT_DOUBLE_EQ(s.hjd_t(1) + offset, 2454501.1);
    EXPECT_DOUBLE_EQ(s.hjd_t(6) + offset, 2454506.1);
    EXPECT_EQ(s.datmag_t(1), 17.01f);
    EXPECT_EQ(s.sigmag_t(6), 0.06f);
    EXPECT_EQ(s.see_t(1), c.see);
    EXPECT_EQ(s.sky_t(1), c.sky);
    EXPECT_EQ(s.dwell_t(1), c.dwell);
    EXPECT_EQ(s.air_t(1), c.air);
    EXPECT_EQ(s.code_t(1), c.code);
    EXPECT_EQ(s.loc_t(6), 1);
    EXPECT_EQ(s.it1_l(1), 1);
    EXPECT_EQ(s.it2_l(1), 6);
    EXPECT_TRUE(has(out, " ** All  6 data points accepted :)\n"));
    EXPECT_TRUE(has(out, " ** HJD strictly increase.   :)\n"));
  }
}

TEST(Ingest, TrialMessages) {
  Workdir w{"layout83.dat", "layout6.dat"};
  const std::string out83 = loadone("layout83.dat");
  EXPECT_TRUE(has(out83,
                  "\n ** Format 8,4=( N mag err HJD see sky code dwell )\n"
                  " NCOL 8 HJD COL 4 NROW 100000\n"
                  " Open( 49, layout83.dat, FORMATTED, OLD )\n"
                  " ** FIRST COLUMN NOT SEQUENCE NUMBERS.\n"
                  " ** DATA FORMAT REJECTED **  :(\n\n"
                  " ** Format 8,3=( mag err HJD see sky air dwell code )\n"))
      << out83;
  // The second file is read after the first six points.
  const std::string out6 = loadone("layout6.dat");
  EXPECT_EQ(occurrences(out6, "** DATA FORMAT REJECTED"), 3);
  EXPECT_TRUE(has(out6, " NCOL 6 HJD COL 1 NROW 99994\n"));
  EXPECT_TRUE(has(out6, " HJD: 6 7 12 2454501.1 2454506.1\n"));
  EXPECT_EQ(state().nloc, 2);
  EXPECT_EQ(state().it1_l(2), 7);
}

TEST(Ingest, MixedThreeAndFiveColumns) {
  {
    Workdir w{"mixed40_40.dat"};
    const std::string out = loadone("mixed40_40.dat");
    EXPECT_EQ(accepted_trial(out), 5);
    EXPECT_TRUE(has(out,
                    "\n\n ** MIXED 3+5=( HJD mag err )+( HJD mag err see sky ) MISSING dwell.\n"
                    "    3-column data 40 5-column data 40 Total 80\n"));
    EXPECT_FALSE(has(out, "** ERROR found"));
    const ProgramState& s = state();
    ASSERT_EQ(s.ndata, 80);
    // Rows alternate: odd k has seeing 1 + 0.01 k and sky 500 + k, even k none.
    for (int k = 1; k <= 80; ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(s.hjd_t(k), 2454600 + 0.125 * k);
      EXPECT_EQ(s.sigmag_t(k), k % 2 ? 0.02f : 0.03f);
      EXPECT_EQ(s.see_t(k), k % 2 ? float(1 + 0.01 * k) : -1.0f);
      EXPECT_EQ(s.sky_t(k), k % 2 ? float(500 + k) : -1.0f);
      EXPECT_EQ(s.dwell_t(k), -1.0f);
    }
  }
  {
    Workdir w{"mixed41_39.dat"};
    const std::string out = loadone("mixed41_39.dat");
    EXPECT_EQ(accepted_trial(out), 5);
    EXPECT_FALSE(has(out, "MIXED"));
    const ProgramState& s = state();
    ASSERT_EQ(s.ndata, 41);
    for (int i = 1; i <= 41; ++i) EXPECT_EQ(s.sigmag_t(i), 0.02f);
    EXPECT_EQ(s.dwell_t(41), -1.0f);
  }
}

TEST(Ingest, ReversedTimesAreSorted) {
  Workdir w{"layout3.dat", "reversed.dat"};
  loadone("layout3.dat");
  const std::string out = loadone("reversed.dat");
  const ProgramState& s = state();
  ASSERT_EQ(s.ndata, 14);
  // The first site's points are untouched; the second's are in time order with
  // magnitude and error moved along.
  EXPECT_EQ(s.hjd_t(1), 4501.1);
  EXPECT_EQ(s.datmag_t(6), 17.06f);
  const double t[] = {2454500.5, 2454501, 2454501.5, 2454502, 2454503, 2454504, 2454505, 2454506};
  for (int k = 0; k < 8; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(s.hjd_t(7 + k), t[k]);
    EXPECT_EQ(s.sigmag_t(7 + k), float((t[k] - 2454500) / 100));
    EXPECT_EQ(s.datmag_t(7 + k), float(17 + (t[k] - 2454500) / 10));
  }
  EXPECT_TRUE(has(out, "  HJD( 9 ) = 2454503.0 HJD( 10 ) = 2454500.5    :((((   -2.5\n"));
  EXPECT_TRUE(has(out, " Identical time pairs 0 reversed 2\n"));
  EXPECT_TRUE(has(out, " quicksort8 results verified.\n re-order 8 times. 2454501.0 2454506.0\n"));
  EXPECT_EQ(occurrences(out, "** HJD strictly increase.   :)"), 1);  // the second pass
}

TEST(Ingest, IdenticalTimesStay) {
  Workdir w{"identical.dat"};
  const std::string out = loadone("identical.dat");
  EXPECT_EQ(state().ndata, 5);
  EXPECT_EQ(state().hjd_t(2), state().hjd_t(3));
  EXPECT_TRUE(has(out,
                  "  HJD( 2 ) = 2454502.0 HJD( 3 ) = 2454502.0 IDENTICAL TIMES   :((((  \n"
                  " ** WARNING: HJD NOT STRICTLY INCREASING.   :(\n"
                  " Identical time pairs 1\n"));
  EXPECT_FALSE(has(out, "quicksort8"));
}

TEST(Ingest, InvalidPointsAreDropped) {
  Workdir w{"badpoints.dat"};
  const std::string out = loadone("badpoints.dat");
  const ProgramState& s = state();
  ASSERT_EQ(s.ndata, 2);
  EXPECT_EQ(s.hjd_t(1), 2454501.0);
  EXPECT_EQ(s.hjd_t(2), 2454504.0);
  EXPECT_EQ(s.datmag_t(2), 17.4f);
  EXPECT_EQ(s.it2_l(1), 2);
  EXPECT_TRUE(has(out, " ** INVALID HJD       :((((.\n  3 hjd 0.0 mag 17.3 +- 0.03\n"));
  EXPECT_TRUE(has(out,
                  " ** INVALID ERROR BAR :((((.\n ** INVALID HJD       :((((.\n"
                  "  5 hjd 0.0 mag 17.5 +- 0.0\n"));
  EXPECT_TRUE(has(out,
                  " ** Invalid error bars: 3 Invalid HJD: 2\n"
                  " ** Rejected data: 4 Ndat= 6=> 2\n"));
}

TEST(Ingest, FilesThatGiveNoData) {
  Workdir w{"layout3.dat", "relative.dat"};
  loadone("layout3.dat");
  const std::string out = loadone("relative.dat");
  EXPECT_EQ(accepted_trial(out), 0);
  EXPECT_EQ(occurrences(out, "** DATA FORMAT REJECTED **  :("), 7);
  EXPECT_TRUE(has(out, " ** INVALID HJD( 7 )  -10.0  :(\n"));
  EXPECT_TRUE(has(out, " times: 4\n ** NO DATA FROM relative.dat\n"));
  EXPECT_EQ(state().nloc, 1);
  EXPECT_EQ(state().ndata, 6);

  // Every point invalid: validation leaves nothing.
  w.dir.write("allbad.dat", "# made in the test: no positive error bar\n2454501 17 0\n0 17 0\n");
  const std::string bad = loadone("allbad.dat");
  EXPECT_TRUE(
      has(bad, " ** HJD strictly increase.   :)\n times: 0\n ** NO DATA FROM allbad.dat\n"));
  EXPECT_EQ(state().nloc, 1);
  EXPECT_EQ(state().ndata, 6);
}

TEST(Ingest, NonFiniteValuesDoNotRead) {
  Workdir w{"nonfinite.dat"};
  loadone("nonfinite.dat");
  const ProgramState& s = state();
  ASSERT_EQ(s.ndata, 3);
  EXPECT_EQ(s.hjd_t(1), 2454501.0);
  EXPECT_EQ(s.hjd_t(2), 2454505.0);
  EXPECT_EQ(s.hjd_t(3), 2454507.0);
}

TEST(Ingest, SiteRowAndStatistics) {
  Workdir w{"OOB08123I.dat", "ZOB08123I.dat"};
  loadone("OOB08123I.dat");
  const std::string out = loadone("ZOB08123I.dat");
  const ProgramState& s = state();
  ASSERT_EQ(s.nloc, 2);
  EXPECT_EQ(s.site_l(1), "OGLE");
  EXPECT_EQ(s.site_l(2), "LaSilla");
  EXPECT_EQ(s.icon_l(2), 'Z');
  EXPECT_EQ(s.colour_l(2), "orange");
  EXPECT_EQ(s.diam_l(2), 1.54f);
  EXPECT_EQ(s.datfile_l(2), "ZOB08123I.dat");
  EXPECT_EQ(s.event, "OB-08-123");
  EXPECT_TRUE(s.scalerb_l(1));
  EXPECT_FALSE(s.scalerb_l(2));
  // Site 2's magnitudes: 14.70 14.20 13.95 14.10 14.65; mean 14.32.
  EXPECT_TRUE(has(out, " MAG lo 13.95 hi 14.7 med 14.2 avg "));
  EXPECT_EQ(s.fs_l(1), 1.0f);
  EXPECT_NEAR(s.fs_l(2), std::pow(10.0, 0.4 * (16.4 - 14.32)), 1e-5);
  EXPECT_EQ(s.fb_l(2), 0.0f);
  EXPECT_NEAR(s.sitefac_l(2), 1 / s.fs_l(2), 1e-7);
  EXPECT_EQ(s.erbscl_l(2), 1.0f);
  EXPECT_EQ(s.seefac_l(2), 0.0f);
  EXPECT_EQ(s.skymed_l(2), -1.0f);
  for (int i = s.it1_l(2); i <= s.it2_l(2); ++i) {
    EXPECT_EQ(s.loc_t(i), 2);
    EXPECT_EQ(s.seefac_t(i), 1.0f);
    EXPECT_EQ(s.seemag_t(i), 0.0f);
  }
}

TEST(Ingest, ThreeFileList) {
  Workdir w{"night1.lis", "OOB08123I.dat", "ZOB08123I.dat", "HOB08123R.dat"};
  bool loaded = false;
  const std::string out = dialogue("@night1", &loaded);
  EXPECT_TRUE(loaded);
  const ProgramState& s = state();
  EXPECT_EQ(s.datfile, "@night1");
  ASSERT_EQ(s.nloc, 3);
  EXPECT_EQ(s.ndata, 16);
  const char* names[] = {"OGLE", "LaSilla", "FTN:R"};
  const int ndat[] = {7, 5, 4};
  for (int l = 1; l <= 3; ++l) {
    SCOPED_TRACE(l);
    EXPECT_EQ(s.site_l(l), names[l - 1]);
    EXPECT_EQ(s.ndat_l(l), ndat[l - 1]);
    EXPECT_EQ(s.it1_l(l), l == 1 ? 1 : s.it2_l(l - 1) + 1);
    EXPECT_EQ(s.it2_l(l) - s.it1_l(l) + 1, s.ndat_l(l));
    for (int i = s.it1_l(l); i <= s.it2_l(l); ++i) {
      EXPECT_EQ(s.loc_t(i), l);
      EXPECT_GT(s.sigmag_t(i), 0);
      if (i > s.it1_l(l)) {
        EXPECT_LE(s.hjd_t(i - 1), s.hjd_t(i));
      }
    }
  }
  EXPECT_EQ(s.it2_l(3), s.ndata);
  EXPECT_TRUE(has(out,
                  " datfiles: 3\n datfile 1: OOB08123I.dat\n datfile 2: ZOB08123I.dat\n"
                  " datfile 3: HOB08123R.dat\n"));
  EXPECT_TRUE(has(out, " call system( ls -l 'ZOB08123I.dat' ) \n"));
  EXPECT_TRUE(has(out,
                  " sites 3 total data points: 16\n"
                  " site 1 Ndat 7 OGLE\n site 2 Ndat 5 LaSilla\n site 3 Ndat 4 FTN:R\n"));
  // Times: short times made full, mjd0 from point 2, t_t relative to it.
  EXPECT_DOUBLE_EQ(s.hjd_t(1), 2454550.1);
  EXPECT_EQ(s.mjd0, 2450000);
  EXPECT_FLOAT_EQ(s.t_t(1), 4550.1f);
  EXPECT_FLOAT_EQ(s.tfirst, 4550.1f);
  EXPECT_FLOAT_EQ(s.tlast, 4560.1f);
  EXPECT_TRUE(has(out, " reference mjd0: 2450000\n"));
  // Fluxes on the scale where magnitude 16.4 is flux 1; every clip weight 1.
  for (int i = 1; i <= s.ndata; ++i) {
    EXPECT_NEAR(s.datflx_t(i), std::pow(10.0, 0.4 * (16.4 - s.datmag_t(i))), 2e-6 * s.datflx_t(i));
    EXPECT_NEAR(s.sigflx_t(i) / s.datflx_t(i), s.sigmag_t(i) * 0.4 * std::log(10.0), 1e-6);
    EXPECT_EQ(s.clip_t(i), 1.0f);
  }
  EXPECT_TRUE(has(out, " dat_mag_to_flx ************ ndata 16\n"));

  // A blank answer keeps everything, the file name included.
  const std::string again = dialogue("");
  EXPECT_TRUE(has(again, " Old file: @night1\n"));
  EXPECT_EQ(s.datfile, "@night1");
  EXPECT_EQ(s.ndata, 16);
  EXPECT_EQ(s.nloc, 3);
}

TEST(Ingest, BadFilesInAListDoNotDisturbTheGoodOnes) {
  Workdir w{"OOB08123I.dat", "ZOB08123I.dat", "HOB08123R.dat"};
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
  w.dir.write("garbage.dat", garbage);
  w.dir.write("words.dat", "# made in the test: no numbers at all\nthis is not data\n");
  w.dir.write("long.dat", "# made in the test: one line of 5000 digits\n" + std::string(5000, '7'));
  fs::create_directory(w.dir.path() / "adir");
  w.dir.write("self.lis",
              "# made in the test: names itself, another list, bad files and three good ones\n"
              "OOB08123I.dat\nself.lis\n@self\nmissing.dat\ngarbage.dat\nZOB08123I.dat\n"
              "words.dat\nlong.dat\nadir\n/dev/zero\nfifo\nHOB08123R.dat\n");
  ASSERT_EQ(::mkfifo((w.dir.path() / "fifo").c_str(), 0600), 0);
  const std::string out = dialogue("@self");
  const ProgramState& s = state();
  ASSERT_EQ(s.nloc, 3);
  EXPECT_EQ(s.site_l(1), "OGLE");
  EXPECT_EQ(s.site_l(2), "LaSilla");
  EXPECT_EQ(s.site_l(3), "FTN:R");
  EXPECT_EQ(s.ndata, 16);
  EXPECT_EQ(s.datmag_t(1), 17.5f);
  EXPECT_EQ(s.datmag_t(8), 14.7f);
  EXPECT_EQ(s.datmag_t(13), 15.4f);
  // A pipe or a device is neither listed by head and tail nor read.
  EXPECT_TRUE(has(out, " ** NOT A REGULAR FILE: fifo\n"));
  EXPECT_FALSE(has(out, "head -n 3 '/dev/zero'"));
  for (const char* bad : {"self.lis", "@self", "missing.dat", "garbage.dat", "words.dat",
                          "long.dat", "adir", "/dev/zero", "fifo"})
    EXPECT_TRUE(has(out, std::string(" ** NO DATA FROM ") + bad + "\n")) << bad;
}

TEST(Ingest, MissingListAndAllFilesBad) {
  Workdir w{"OOB08123I.dat"};
  dialogue("OOB08123I.dat");
  ASSERT_EQ(state().ndata, 7);
  bool loaded = true;
  const std::string out = dialogue("@nolist", &loaded);
  EXPECT_FALSE(loaded);
  EXPECT_TRUE(has(out, " ** error opening file @nolist\n ** LOADLIST aborted.\n"));
  EXPECT_TRUE(has(out, " datfiles: 0\n"));
  EXPECT_TRUE(has(out, " sites 0 total data points: 0\n ** WARNING -- No data.  :(((\n"));
  // A load replaces the previous data: nothing is left.
  EXPECT_EQ(state().ndata, 0);
  EXPECT_EQ(state().nloc, 0);
}

TEST(Ingest, ShellMetacharactersInNamesRunNothing) {
  Workdir w{};
  w.dir.write("evil.lis",
              "# made in the test: names that a shell would run\n"
              "x;touch>pwned1\n|touch>pwned2\n`touch>pwned3`\nit's.dat;touch>pwned4\n"
              "a$(touch>pwned5)\n-\n");
  const std::string out = dialogue("@evil");
  for (const char* f : {"pwned1", "pwned2", "pwned3", "pwned4", "pwned5"})
    EXPECT_FALSE(fs::exists(w.dir.path() / f)) << f;
  EXPECT_TRUE(has(out, " call system( ls -l 'x;touch>pwned1' ) \n"));
  EXPECT_TRUE(has(out, " call system( head -n 3 'it'\\''s.dat;touch>pwned4' ) \n"));
  EXPECT_TRUE(has(out, " call system( tail -n 3 './-' ) \n"));
  EXPECT_EQ(state().ndata, 0);
}

TEST(Ingest, AtMostFiftyFilesFromAList) {
  Workdir w{};
  std::string list = "# made in the test: 52 one-point files\n";
  for (int i = 1; i <= 52; ++i) {
    const std::string name = "p" + std::to_string(i) + ".dat";
    w.dir.write(name, std::to_string(2454500 + i) + " 17 0.01\n");
    list += name + "\n";
  }
  w.dir.write("many.lis", list);
  const std::string out = dialogue("@many");
  EXPECT_TRUE(has(out, " ** WARNING: List beyond entry 50 was not read.\n"));
  EXPECT_EQ(state().nloc, 50);
  EXPECT_EQ(state().ndata, 50);
  EXPECT_EQ(state().hjd_t(50), 2454550.0);
  EXPECT_EQ(state().it1_l(50), 50);
}

TEST(Ingest, TheStoreHoldsAtMostMaxdataPoints) {
  Workdir w{"OOB08123I.dat"};
  {
    std::ofstream f(w.dir.path() / "big.dat");
    f << "# made in the test: 100005 three-column rows\n" << std::fixed << std::setprecision(3);
    for (int i = 1; i <= maxdata + 5; ++i) f << 2454000 + 0.001 * i << " 17 0.01\n";
  }
  w.dir.write("two.lis", "big.dat\nOOB08123I.dat\n");
  const std::string out = dialogue("@two");
  const ProgramState& s = state();
  EXPECT_TRUE(has(out, " ** WARNING: Data beyond row 100000 was not read.\n"));
  EXPECT_EQ(s.ndata, maxdata);
  EXPECT_EQ(s.nloc, 1);
  // The second file arrives at a full store and yields nothing.
  EXPECT_TRUE(has(out, " ** INVALID DIMENSIONS. 0 3\n"));
  EXPECT_TRUE(has(out, " ** NO DATA FROM OOB08123I.dat\n"));
}

TEST(Ingest, PublicEventsLoadWhole) {
  // The point counts and sites are those the data's own description gives.
  const std::string real = test::real_data_dir();
  if (real.empty()) GTEST_SKIP() << "no real data";
  struct Site {
    const char* name;
    int ndat;
  };
  struct Event {
    const char* list;
    const char* event;
    std::vector<Site> sites;
  };
  const Event events[] = {
      {"OB05390",
       "OB-05-390",
       {{"OGLE", 342},
        {"LaSilla", 151},
        {"Perth", 65},
        {"FTN:R", 52},
        {"UTas", 12},
        {"MOA:R", 28}}},
      {"KB08310", "KB-08-310", {{"MOA", 2862}, {"CTIO", 46}, {"LaSilla", 51}, {"UTas", 12}}},
  };
  for (const Event& e : events) {
    SCOPED_TRACE(e.list);
    Workdir w{};
    for (const auto& f : fs::directory_iterator(real))
      fs::copy_file(f.path(), w.dir.path() / f.path().filename());
    const std::string out = dialogue(std::string("@") + e.list);
    const ProgramState& s = state();
    ASSERT_EQ(s.nloc, static_cast<int>(e.sites.size()));
    int total = 0;
    for (int l = 1; l <= s.nloc; ++l) {
      EXPECT_EQ(s.site_l(l), e.sites[l - 1].name);
      EXPECT_EQ(s.ndat_l(l), e.sites[l - 1].ndat);
      total += e.sites[l - 1].ndat;
    }
    EXPECT_EQ(s.ndata, total);
    EXPECT_EQ(s.event, e.event);
    EXPECT_EQ(s.mjd0, 2450000);
  }
}

TEST(Store, TimeNormalisation) {
  test::fresh_state();
  ProgramState& s = state();
  s.resize(3);
  CapturedConsole con;
  // One point: mjd0 from point 1.
  s.ndata = 1;
  s.hjd_t(1) = 4567.8;
  timearray();
  EXPECT_DOUBLE_EQ(s.hjd_t(1), 2454567.8);
  EXPECT_EQ(s.mjd0, 2450000);
  EXPECT_EQ(s.jdround, 10000);
  EXPECT_EQ(s.t_t(1), float(2454567.8 - 2450000));
  // Two or more: mjd0 from point 2, even across a multiple of 10000.
  s.ndata = 3;
  s.hjd_t(1) = 2449999.5;
  s.hjd_t(2) = 2450000.5;
  s.hjd_t(3) = 2449990.0;
  timearray();
  EXPECT_EQ(s.mjd0, 2450000);
  EXPECT_EQ(s.tfirst, -10.0f);
  EXPECT_EQ(s.tlast, 0.5f);
  EXPECT_TRUE(has(con.output(), " time range: -10.0 0.5\n"));
  // A time far beyond any date does not overflow the reference day.
  s.hjd_t(2) = 1e300;
  timearray();
  EXPECT_GT(s.mjd0, 0);
}

TEST(Store, FluxColumns) {
  test::fresh_state();
  ProgramState& s = state();
  s.resize(2);
  s.ndata = 2;
  s.datmag_t(1) = 16.4f;
  s.sigmag_t(1) = 0.1f;
  s.datmag_t(2) = 19.0f;
  s.sigmag_t(2) = 0.05f;
  CapturedConsole con;
  dat_mag_to_flx();
  EXPECT_EQ(s.datflx_t(1), 1.0f);
  EXPECT_NEAR(s.sigflx_t(1), 0.092103404, 1e-8);
  s.datmag_t(2) = 0;
  s.sigmag_t(2) = 0;
  dat_flx_to_mag();
  EXPECT_NEAR(s.datmag_t(2), 19.0f, 1e-5);
  EXPECT_NEAR(s.sigmag_t(2), 0.05f, 1e-7);
  s.datflx_t(2) = 0;
  EXPECT_THROW(dat_flx_to_mag(), FatalStop);
}

}  // namespace
}  // namespace zolka
