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
const char kConfig[] =
    "<REPORT Entity=\"Cell\"><TEMPLATES><TEMPLATE Excel=\"Cell3G.xlt\"/></TEMPLATES></REPORT>";

class Cell3GReportTest : public ::testing::Test {
 protected:
  std::unique_ptr<TarnelCell3GReport> configured(int series) {
    harness.configure(kConfig);
    harness.data.series[kCell] = series;
    auto report = harness.make<TarnelCell3GReport>("Cell3G");
    TarnelReportInfo info(kCell, "");
    report->configure(info);
    harness.connection.clearExecuted();
    return report;
  }

  // The exception preBuild throws for a cell of `series` whose count query
  // gives `rows`; fails the test when it throws none.
  template <typename E>
  E refusal(int series, Rows rows) {
    harness.connection.script(kCountSql, std::move(rows));
    auto report = configured(series);
    try {
      report->preBuild();
    } catch (const E& e) {
      return e;
    }
    ADD_FAILURE() << "preBuild did not throw";
    return E("");
  }

  ReportHarness harness;
};

TEST_F(Cell3GReportTest, QueryWithoutRowFailsBeforeTheSeriesIsLookedAt) {
  ReportMessageException e = refusal<ReportMessageException>(3, {});
  EXPECT_EQ(RWEString("Query (") + kCountSql + ") failed for report: Cell3G", e.message());
  EXPECT_EQ(std::vector<RWEString>{"PREBUILD"}, e.contexts());
}

TEST_F(Cell3GReportTest, QueryWithTwoValuesFails) {
  ReportMessageException e = refusal<ReportMessageException>(5, {{"1", "2"}});
  EXPECT_EQ(RWEString("Query (") + kCountSql + ") failed for report: Cell3G", e.message());
}

TEST_F(Cell3GReportTest, DatabaseFailureOfTheCountIsAMessageForTheUser) {
  harness.connection.fail(kCountSql, "no such table: tnl_cfg_cell3g");
  ReportMessageException e = refusal<ReportMessageException>(5, {});
  EXPECT_EQ(RWEString("Query (") + kCountSql + ") failed for report: Cell3G", e.message());
  EXPECT_EQ(std::vector<RWEString>{"PREBUILD"}, e.contexts());
  ASSERT_EQ(1u, harness.log.messages.size());
  EXPECT_EQ("0:no such table: tnl_cfg_cell3g\n", harness.log.messages[0]);
}

TEST_F(Cell3GReportTest, WrongSeriesIsSkippedEvenWith3GData) {
  KvSkipReportException e = refusal<KvSkipReportException>(3, {{"4"}});
  EXPECT_EQ(
      "Cell is not series 2, series 5, series 6, series 7, series 8 or series 9: Cell3G",
      e.message());
  EXPECT_EQ(std::vector<RWEString>{"Checking series of cell"}, e.contexts());
}

TEST_F(Cell3GReportTest, WrongSeriesComesBeforeMissingData) {
  KvSkipReportException e = refusal<KvSkipReportException>(4, {{"0"}});
  EXPECT_EQ(std::vector<RWEString>{"Checking series of cell"}, e.contexts());
}

TEST_F(Cell3GReportTest, CountOfZeroIsSkippedWithTheQueryAsContext) {
  KvSkipReportException e = refusal<KvSkipReportException>(5, {{"0"}});
  EXPECT_EQ("No 3G data: Cell3G", e.message());
  EXPECT_EQ(std::vector<RWEString>{kCountSql}, e.contexts());
}

TEST_F(Cell3GReportTest, AcceptedSeriesWithDataGoOn) {
  for (int series : {2, 5, 6, 7, 8, 9}) {
    harness.connection.script(kCountSql, {{"2"}});
    auto report = configured(series);
    EXPECT_NO_THROW(report->preBuild()) << "series " << series;
  }
}

TEST_F(Cell3GReportTest, OnlyTheTextZeroMeansNoData) {
  harness.connection.script(kCountSql, {{"00"}});
  auto report = configured(5);
  EXPECT_NO_THROW(report->preBuild());
}

TEST_F(Cell3GReportTest, OtherSeriesAreSkipped) {
  for (int series : {-1, 1, 3, 4, 10}) {
    KvSkipReportException e = refusal<KvSkipReportException>(series, {{"1"}});
    EXPECT_EQ(std::vector<RWEString>{"Checking series of cell"}, e.contexts())
        << "series " << series;
  }
}

// isOnlyCDMAseries3 for a series-3 cell whose frame `frame` carries `code`
// and whose other frames are CDMA.
int onlyCdmaWith(int frame, const std::string& code) {
  ReportHarness harness;
  harness.configure(kConfig);
  harness.data.series[kCell] = 3;
  std::vector<std::string> row{"c", "c", "c", "c", "c", "c", ""};
  row[static_cast<size_t>(frame)] = code;
  harness.connection.script(kFrameSql, {row});
  auto report = harness.make<TarnelCell3GReport>();
  TarnelReportInfo info(kCell, "");
  report->configure(info);
  return report->isOnlyCDMAseries3();
}

TEST(Cell3GOnlyCdma, OtherSeriesGiveZeroWithoutQuery) {
  ReportHarness harness;
  harness.configure(kConfig);
  harness.data.series[kCell] = 5;
  auto report = harness.make<TarnelCell3GReport>();
  TarnelReportInfo info(kCell, "");
  report->configure(info);
  EXPECT_EQ(0, report->isOnlyCDMAseries3());
  EXPECT_TRUE(harness.connection.executed().empty());
}

TEST(Cell3GOnlyCdma, AllCdmaFramesGiveOne) {
  EXPECT_EQ(1, onlyCdmaWith(0, "ccm"));
  EXPECT_EQ(1, onlyCdmaWith(2, ""));
}

struct FrameCodes {
  int frame;
  std::vector<std::string> nonCdma;
};

// Each frame's non-CDMA codes, and every one of them tried in every frame.
TEST(Cell3GOnlyCdma, EachFrameHasItsOwnNonCdmaCodes) {
  const std::vector<FrameCodes> frames = {
      {0, {"s2mm", "s2mml", "s2m", "s2", "s2e", "cbs", "ptm", "ptmc"}},
      {1, {"s2", "mm2s", "m1", "mm1", "ptmg"}},
      {2, {"s2", "ptmg", "m1", "mm1"}},
      {3, {"ptmg"}},
      {4, {}},
      {5, {}},
  };
  std::vector<std::string> all;
  for (const FrameCodes& f : frames) all.insert(all.end(), f.nonCdma.begin(), f.nonCdma.end());
  for (const FrameCodes& f : frames) {
    for (const std::string& code : all) {
      bool nonCdma = std::find(f.nonCdma.begin(), f.nonCdma.end(), code) != f.nonCdma.end();
      EXPECT_EQ(nonCdma ? 0 : 1, onlyCdmaWith(f.frame, code))
          << "frame " << f.frame << " code " << code;
    }
  }
}

TEST(Cell3GOnlyCdma, CodesCompareExactly) {
  EXPECT_EQ(1, onlyCdmaWith(0, "S2"));
  EXPECT_EQ(1, onlyCdmaWith(3, "ptmg "));
}

TEST(Cell3GOnlyCdma, SeventhValueDoesNotCount) { EXPECT_EQ(1, onlyCdmaWith(6, "s2")); }

}  // namespace
