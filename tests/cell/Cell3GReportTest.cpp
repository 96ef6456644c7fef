// TarnelCell3GReport: the order and texts of the applicability checks, and
// the series-3 frame classification.
#include <gtest/gtest.h>

#include "framework/KvException.h"
#include "reports/cell/TarnelCell3GReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const int kCell = 1000005;
const char kCountSql[] = "select count(instance_id) from tnl_cfg_cell3g where instance_id = 1000005";
const char kFrameSql[] =
    "select fr0tech,fr1tech,fr2tech,fr3tech,fr4tech,fr5tech,s2mmcea_t FROM tnl_cfg_cell "
    "WHERE instance_id = 1000005";
const char kQueryFailed[] =
    "Query (select count(instance_id) from tnl_cfg_cell3g where instance_id = 1000005) failed "
    "for report: Cell3G";
const char kWrongSeries[] =
    "Cell is not series 2, series 5, series 6, series 7, series 8 or series 9: Cell3G";

class Cell3GReportTest : public ::testing::Test {
 protected:
  std::unique_ptr<TarnelCell3GReport> configured(int series) {
    harness.configure("<REPORT Entity=\"Cell\"/>");
    harness.data.series[kCell] = series;
    auto report = harness.make<TarnelCell3GReport>("Cell3G");
    TarnelReportInfo info(kCell, "");
    report->configure(info);
    return report;
  }

  // What preBuild throws for a cell of `series` whose count query gives
  // `rows`: "" when it returns, else the message and the contexts.
  std::string preBuild(int series, Rows rows) {
    harness.connection.script(kCountSql, std::move(rows));
    try {
      configured(series)->preBuild();
      return "";
    } catch (const KvException& e) {
      std::string kind = dynamic_cast<const KvSkipReportException*>(&e) ? "skip: " : "message: ";
      return kind + e.asString().str();
    }
  }

  ReportHarness harness;
};

TEST_F(Cell3GReportTest, CountWithoutOneValueFailsBeforeTheSeriesIsLookedAt) {
  EXPECT_EQ(std::string("message: ") + kQueryFailed + "\nPREBUILD", preBuild(3, {}));
  EXPECT_EQ(std::string("message: ") + kQueryFailed + "\nPREBUILD", preBuild(5, {{"1", "2"}}));
}

TEST_F(Cell3GReportTest, DatabaseFailureOfTheCountIsAMessageAndIsLogged) {
  harness.connection.fail(kCountSql, "no such table: tnl_cfg_cell3g");
  EXPECT_EQ(std::string("message: ") + kQueryFailed + "\nPREBUILD", preBuild(5, {}));
  EXPECT_EQ(std::vector<std::string>{"0:no such table: tnl_cfg_cell3g\n"}, harness.log.messages);
}

TEST_F(Cell3GReportTest, SeriesIsCheckedBeforeTheData) {
  for (int series : {-1, 1, 3, 4, 10}) {
    EXPECT_EQ(std::string("skip: ") + kWrongSeries + "\nChecking series of cell",
              preBuild(series, {{"0"}}))
        << "series " << series;
  }
  EXPECT_EQ(std::string("skip: ") + kWrongSeries + "\nChecking series of cell",
            preBuild(3, {{"4"}}));
}

TEST_F(Cell3GReportTest, OnlyACountOfExactlyZeroIsSkipped) {
  EXPECT_EQ(std::string("skip: No 3G data: Cell3G\n") + kCountSql, preBuild(5, {{"0"}}));
  for (int series : {2, 5, 6, 7, 8, 9}) EXPECT_EQ("", preBuild(series, {{"2"}})) << series;
  EXPECT_EQ("", preBuild(9, {{"00"}}));
}

// isOnlyCDMAseries3 for a series-3 cell whose value `column` is `code` and
// whose frames are otherwise CDMA.
int onlyCdmaWith(int column, const std::string& code) {
  ReportHarness harness;
  harness.configure("<REPORT Entity=\"Cell\"/>");
  harness.data.series[kCell] = 3;
  std::vector<std::string> row{"ccm", "c", "c", "c", "c", "c", ""};
  row[static_cast<size_t>(column)] = code;
  harness.connection.script(kFrameSql, {row});
  auto report = harness.make<TarnelCell3GReport>();
  TarnelReportInfo info(kCell, "");
  report->configure(info);
  return report->isOnlyCDMAseries3();
}

TEST(Cell3GOnlyCdma, OtherSeriesGiveZeroWithoutQuery) {
  ReportHarness harness;
  harness.configure("<REPORT Entity=\"Cell\"/>");
  harness.data.series[kCell] = 5;
  auto report = harness.make<TarnelCell3GReport>();
  TarnelReportInfo info(kCell, "");
  report->configure(info);
  EXPECT_EQ(0, report->isOnlyCDMAseries3());
  EXPECT_TRUE(harness.connection.executed().empty());
}

// Every non-CDMA code tried in every frame: it counts only in its own frames.
TEST(Cell3GOnlyCdma, EachFrameHasItsOwnNonCdmaCodes) {
  const std::vector<std::vector<std::string>> nonCdma = {
      {"s2mm", "s2mml", "s2m", "s2", "s2e", "cbs", "ptm", "ptmc"},
      {"s2", "mm2s", "m1", "mm1", "ptmg"},
      {"s2", "ptmg", "m1", "mm1"},
      {"ptmg"},
      {},
      {},
  };
  for (int frame = 0; frame < 6; ++frame) {
    const std::vector<std::string>& own = nonCdma[static_cast<size_t>(frame)];
    for (const std::vector<std::string>& codes : nonCdma) {
      for (const std::string& code : codes) {
        int expected = std::find(own.begin(), own.end(), code) == own.end() ? 1 : 0;
        EXPECT_EQ(expected, onlyCdmaWith(frame, code)) << "frame " << frame << " code " << code;
      }
    }
  }
}

TEST(Cell3GOnlyCdma, CaseBlanksAndTheSeventhValueDoNotCount) {
  EXPECT_EQ(1, onlyCdmaWith(0, "S2"));
  EXPECT_EQ(1, onlyCdmaWith(3, "ptmg "));
  EXPECT_EQ(1, onlyCdmaWith(6, "s2"));
}

}  // namespace
