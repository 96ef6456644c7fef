// End-to-end runs of the series-2 cell diagram on the demo network: one cell
// of each technology combination (series-2 cells of the 60-cell, seed-7 demo
// are 4, 13, 22, 31, 40, 49 and 58), with the exact stream and steering data.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/E2eSupport.h"

namespace {

const char kConfig[] = "reports/series2/s2_cell_diagram.xml";
const char kClass[] = "TarnelS2CellDiagramReport";

class Series2E2eCell : public ::testing::TestWithParam<int> {};

// 4: "s2m" with growth frames "s2" and "ptmg", units over several slots.
// 13: "s2mm" with CEA and CDMA growth frame 1 (odd BBA at 4, 3, 2; CE-2 unit as TCU).
// 22: "s2e" with "mm2s", "s2", "ptmg": RTUs on shelf 3, etdru units over two slots.
// 31: "ptmc" with CDMA growth frame 2: no AMPS RTU.
// 40: "pcm", "c", "ccm": frame 2 rows are primary-frame rows, the CRTU is drawn.
// 49: "s2mml" with "m1" and "mm1": no AMPS RTU, only the shelf-0 CAT board.
// 58: unknown and empty frames: the cell row alone.
TEST_P(Series2E2eCell, StreamAndSteeringOfTheCell) {
  const std::string stem = "s2_cell_diagram_" + std::to_string(1000000 + GetParam());
  ReportRun run = runExample(kConfig, kClass, 1000000 + GetParam());
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_EQ(expectedText("series2/" + stem + ".txt"), run.file(stem + ".txt"));
  EXPECT_EQ(expectedText("series2/" + stem + ".steering.json"), run.file(stem + ".steering.json"));
}

INSTANTIATE_TEST_SUITE_P(Cells, Series2E2eCell, ::testing::Values(4, 13, 22, 31, 40, 49, 58),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "cell" + std::to_string(info.param);
                         });

TEST(Series2E2e, UndefinedLayoutQueryFailsTheRun) {
  std::string config = readFile(examplePath(kConfig));
  size_t from = config.find("<QUERY Name=\"s2_crtu\"");
  config.erase(from, config.find("</QUERY>", from) + 8 - from);
  std::string folder = freshFolder();
  writeFile(folder + "/no_crtu.xml", config);
  CommandResult result =
      runTarnel({"run", "--db", demoDatabase(), "--config", folder + "/no_crtu.xml", "--queries",
                 examplePath("queries/common.xml"), "--class", kClass, "--instance", "1000040",
                 "--out", folder});
  EXPECT_EQ(1, result.exitCode);
  EXPECT_EQ(0u, result.err.find("tarnel-report: error: Query not defined in config file: "
                                "s2_crtu\n"))
      << result.err;
}

}  // namespace
