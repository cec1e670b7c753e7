// Scripted sessions that fit light curves with the F command.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "sim/simulate.h"
#include "support/support.h"

namespace zolka {
namespace {

namespace fs = std::filesystem;
using test::run_zolka;
using test::TempDir;

// The fitted values and uncertainties of the "Parameters:" listing after F:
// name -> (value, uncertainty).
std::map<std::string, std::pair<double, double>> parameters(const std::string& out) {
  std::map<std::string, std::pair<double, double>> p;
  const std::size_t at = out.rfind(" Parameters:");
  if (at == std::string::npos) return p;
  std::istringstream lines(out.substr(at));
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) {
    std::istringstream w(line);
    int k;
    std::string name, pm;
    double v, sig;
    if (!(w >> k >> name >> v >> pm >> sig) || pm != "+/-") break;
    p[name] = {v, sig};
  }
  return p;
}

TEST(FitSession, SimulatedListFiveParametersThreeLoops) {
  TempDir dir;
  sim::SimEvent ev;
  ev.event = "OB08123";
  ev.t0 = 4567.8;
  ev.te = 25;
  ev.u0 = 0.1f;
  ev.seed = 21;
  ev.sites = {{'O', 400, 17.2f, 0.3f, 'I', 1.0f},
              {'Z', 150, 17.0f, 0.1f, 'I', 1.0f},
              {'K', 300, 17.8f, 0.5f, 'R', 1.0f}};
  sim::write_event(ev, dir.path().string(), "zolka::sim::write_event in fit_session_test");
  const auto r = run_zolka("D\n@OB08123\nF\n5 3\n", dir.path());
  EXPECT_EQ(r.status, 0);
  const std::string& out = r.output;
  EXPECT_NE(out.find(" guesslens final parameters:"), std::string::npos);
  EXPECT_NE(out.find(" Fit parameters 5 loops 3"), std::string::npos);
  EXPECT_EQ(test::occurrences(out, " ** Fit "), 3);
  EXPECT_NE(out.find("Unit matrix:  Max error"), std::string::npos);
  EXPECT_NE(out.find(" Covariances above 0.5 :"), std::string::npos);
  // The simulated truth within four of the reported uncertainties.
  const auto p = parameters(out);
  ASSERT_EQ(p.size(), 9u) << out.substr(out.rfind("Parameters:"));
  EXPECT_NEAR(p.at("t0").first, ev.t0, 4 * p.at("t0").second);
  EXPECT_NEAR(p.at("tE").first, ev.te, 4 * p.at("tE").second);
  EXPECT_NEAR(p.at("u0").first, ev.u0, 4 * p.at("u0").second);
  EXPECT_GT(p.at("t0").second, 0);
  // One summary line: event, hjd0, te, m0, 2.5 log10 A0, blend fraction,
  // ndfit, npfit, the 4- and 5-parameter reduced chi-squares and b0.
  const std::vector<std::string> lines = test::lines_of(dir.read("fort.20"));
  ASSERT_EQ(lines.size(), 1u);
  std::istringstream w(lines[0]);
  std::string name;
  double hjd0, te, m0, dmag, bfrac, chi4, b0, chi5;
  int nd, np;
  ASSERT_TRUE(w >> name >> hjd0 >> te >> m0 >> dmag >> bfrac >> nd >> np >> chi4 >> b0 >> chi5);
  EXPECT_EQ(name, "OB-08-123");
  EXPECT_NEAR(hjd0, 2450000 + ev.t0, 4 * p.at("t0").second);
  EXPECT_NEAR(te, ev.te, 4 * p.at("tE").second);
  EXPECT_NEAR(bfrac, 0.3 / 1.3, 0.05);
  EXPECT_EQ(nd, 850);
  EXPECT_EQ(np, 5);
  EXPECT_NEAR(chi5, 1.0, 0.15);
  EXPECT_GT(chi4, chi5);  // the blend matters
}

TEST(FitSession, BadStates) {
  TempDir dir;
  // Before any data, F only shows the menu again.
  auto r = run_zolka("F\n", dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output.find("fitlens"), std::string::npos);

  // A brightening, a site of one point and a site whose points share one
  // time; then counts out of range, then a fit with more parameters than
  // the single file has points.
  dir.write("OOB08123I.dat",
            "# hand-made OGLE points of a brightening\n"
            "4550.1 17.50 0.02\n4552.1 17.20 0.02\n4554.1 16.60 0.02\n4555.1 16.10 0.02\n"
            "4556.1 16.00 0.02\n4557.1 16.20 0.02\n4559.1 16.80 0.02\n4562.1 17.30 0.02\n"
            "4566.1 17.50 0.02\n4570.1 17.52 0.02\n");
  dir.write("UOB08123I.dat", "# hand-made: a single point\n4556.2 16.5 0.03\n");
  dir.write("WOB08123I.dat",
            "# hand-made: three points at one time\n4555.5 16.3 0.03\n4555.5 16.4 0.03\n"
            "4555.5 16.35 0.03\n");
  dir.write("OB08123.lis", "OOB08123I.dat\nUOB08123I.dat\nWOB08123I.dat\n");
  r = run_zolka("D\n@OB08123\nF\n11 3\nF\n5 0\nF\n5 2\n", dir.path());
  EXPECT_EQ(r.status, 0);
  const std::string& out = r.output;
  EXPECT_EQ(test::occurrences(out, " ** FIT ABORTED."), 2);
  EXPECT_EQ(out.find("FATAL"), std::string::npos);
  EXPECT_NE(out.find(" ** WARNING: SINGULAR HESSIAN MARTIX :((((."), std::string::npos);
  EXPECT_NE(out.find(" Parameters: 9"), std::string::npos);
  EXPECT_EQ(out.find("NaN"), std::string::npos);

  r = run_zolka("D\nUOB08123I.dat\nF\n5 1\n", dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.output.find(" ** WARNING in fit0: nfit 5> ndata 1"), std::string::npos);
  EXPECT_EQ(r.output.find("FATAL"), std::string::npos);
  EXPECT_NE(r.output.find(" Parameters: 5"), std::string::npos);
}

// The public light curves: every list and every file not in a list loads,
// and F with 5 parameters and 3 loops gives a sensible point-lens model.
TEST(FitSession, RealEvents) {
  const std::string real = test::real_data_dir();
  if (real.empty()) GTEST_SKIP() << "no real data";
  std::vector<std::string> inputs;
  std::vector<std::string> listed;
  for (const auto& e : fs::directory_iterator(real)) {
    if (e.path().extension() != ".lis") continue;
    inputs.push_back("@" + e.path().stem().string());
    for (const std::string& l : test::lines_of(TempDir().read(e.path().string())))
      if (!l.empty()) listed.push_back(l.substr(0, l.find_first_of(" \t!#")));
  }
  for (const auto& e : fs::directory_iterator(real)) {
    const std::string f = e.path().filename().string();
    if (e.path().extension() == ".dat" &&
        std::find(listed.begin(), listed.end(), f) == listed.end())
      inputs.push_back(f);
  }
  ASSERT_FALSE(inputs.empty());
  for (const std::string& in : inputs) {
    TempDir dir;
    for (const auto& e : fs::directory_iterator(real))
      fs::copy_file(e.path(), dir.path() / e.path().filename());
    const auto r = run_zolka("D\n" + in + "\nF\n5 3\n", dir.path());
    EXPECT_EQ(r.status, 0) << in;
    const auto p = parameters(r.output);
    ASSERT_TRUE(p.count("t0") && p.count("tE") && p.count("u0")) << in;
    // The peak inside the data, positive finite tE and u0, the reduced
    // chi-square of the fit printed.
    const std::size_t at = r.output.find("observed times:");
    ASSERT_NE(at, std::string::npos) << in;
    std::istringstream w(r.output.substr(at + 15));
    int n;
    double tlo, thi;
    w >> n >> tlo >> thi;
    EXPECT_GE(p.at("t0").first, tlo) << in;
    EXPECT_LE(p.at("t0").first, thi) << in;
    EXPECT_TRUE(std::isfinite(p.at("tE").first) && p.at("tE").first > 0) << in;
    EXPECT_TRUE(std::isfinite(p.at("u0").first) && p.at("u0").first > 0) << in;
    EXPECT_NE(r.output.find("-------- Chi^2="), std::string::npos) << in;
  }
}

}  // namespace
}  // namespace zolka
