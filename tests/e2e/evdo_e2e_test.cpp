// End-to-end runs of the 1xEV reports on the demo network, with the clock
// pinned by SOURCE_DATE_EPOCH so that the run-time stamps are exact. Each
// run's files must equal tests/e2e/expected/evdo/<file>.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/E2eSupport.h"

namespace {

struct Case {
  std::string config;  // stem of examples/reports/evdo/<config>.xml
  const char* className;
  int instance;
  std::vector<std::string> files;
};

TEST(EvdoE2e, ReportsEqualTheirExpectedFiles) {
  const Case cases[] = {
      // A base station without elevation.
      {"evdo_bts", "Tarnel1xEVReport", 7000005,
       {"evdo_bts_7000005.txt", "evdo_bts_7000005.steering.json"}},
      // A sector with neighbours, then one without.
      {"evdo_neighbours", "Tarnel1xEVNbrReport", 7500012,
       {"evdo_neighbours_7500012.txt", "evdo_neighbours_7500012.steering.json"}},
      {"evdo_neighbours", "Tarnel1xEVNbrReport", 7500013, {"evdo_neighbours_7500013.txt"}},
  };
  for (const Case& c : cases) {
    std::string out = freshFolder();
    CommandResult r = runTarnel(
        {"run", "--db", demoDatabase(), "--config", examplePath("reports/evdo/" + c.config + ".xml"),
         "--queries", examplePath("queries/common.xml"), "--class", c.className, "--instance",
         std::to_string(c.instance), "--out", out},
        {{"SOURCE_DATE_EPOCH", "1700000000"}});
    ASSERT_EQ(0, r.exitCode) << r.err;
    for (const std::string& f : c.files) {
      EXPECT_EQ(expectedText("evdo/" + f), readFile(out + "/" + f)) << f;
    }
  }
}

}  // namespace
