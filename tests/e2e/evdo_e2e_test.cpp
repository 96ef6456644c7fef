// End-to-end runs of the 1xEV reports on the demo network, with the clock
// pinned by SOURCE_DATE_EPOCH so that the run-time stamps are exact. Each
// run's report and steering files equal tests/e2e/expected/evdo/<file>.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/E2eSupport.h"

namespace {

TEST(EvdoE2e, ReportsEqualTheirExpectedFiles) {
  const struct {
    std::string config;  // stem of examples/reports/evdo/<config>.xml
    const char* className;
    int instance;
  } cases[] = {
      {"evdo_bts", "Tarnel1xEVReport", 7000005},              // a base station without elevation
      {"evdo_neighbours", "Tarnel1xEVNbrReport", 7500012},  // a sector with neighbours
      {"evdo_neighbours", "Tarnel1xEVNbrReport", 7500013},  // and one without
  };
  for (const auto& c : cases) {
    std::string out = freshFolder();
    CommandResult r = runTarnel(
        {"run", "--db", demoDatabase(), "--config", examplePath("reports/evdo/" + c.config + ".xml"),
         "--queries", examplePath("queries/common.xml"), "--class", c.className, "--instance",
         std::to_string(c.instance), "--out", out},
        {{"SOURCE_DATE_EPOCH", "1700000000"}});
    ASSERT_EQ(0, r.exitCode) << r.err;
    std::string stem = c.config + "_" + std::to_string(c.instance);
    for (const std::string& f : {stem + ".txt", stem + ".steering.json"}) {
      EXPECT_EQ(expectedText("evdo/" + f), readFile(out + "/" + f)) << f;
    }
  }
}

}  // namespace
