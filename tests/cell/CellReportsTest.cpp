// The cell reports: TarnelCell3GReport's applicability checks (their order
// and texts) and series-3 frame classification; TarnelCellParameterReport's
// key-field count per select and its build without the AP block.
#include <gtest/gtest.h>

#include <algorithm>

#include "reports/cell/TarnelCell3GReport.h"
#include "reports/cell/TarnelCellParameterReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const int kCell = 1000005;
const char kCountSql[] = "select count(instance_id) from tnl_cfg_cell3g where instance_id = 1000005";
const char kFrameSql[] =
    "select fr0tech,fr1tech,fr2tech,fr3tech,fr4tech,fr5tech,s2mmcea_t FROM tnl_cfg_cell "
    "WHERE instance_id = 1000005";
const char kFacesSql[] =
    "select a.instance_id, a.face, a.band, a.power from tnl_cfg_antenna a where a.cell_id = "
    "1000004";

// A TarnelCell3GReport configured on kCell, of `series`.
std::unique_ptr<TarnelCell3GReport> cell3g(ReportHarness& h, int series) {
  h.configure("<REPORT Entity=\"Cell\"/>");
  h.data.series[kCell] = series;
  auto report = h.make<TarnelCell3GReport>("Cell3G");
  TarnelReportInfo info(kCell, "");
  report->configure(info);
  return report;
}

// What preBuild throws for a cell of `series` whose count query gives
// `rows`: "" when it returns, else the kind, the message and the contexts.
std::string preBuild(int series, Rows rows) {
  ReportHarness h;
  h.connection.script(kCountSql, std::move(rows));
  try {
    cell3g(h, series)->preBuild();
    return "";
  } catch (const KvException& e) {
    return (dynamic_cast<const KvSkipReportException*>(&e) ? "skip: " : "message: ") +
           e.asString().str();
  }
}

TEST(Cell3GReport, ApplicabilityChecksInOrder) {
  const std::string failed =
      std::string("message: Query (") + kCountSql + ") failed for report: Cell3G\nPREBUILD";
  const std::string wrongSeries =
      "skip: Cell is not series 2, series 5, series 6, series 7, series 8 or series 9: Cell3G\n"
      "Checking series of cell";
  const struct {
    int series;
    Rows rows;
    std::string result;
  } cases[] = {
      // A count without exactly one value fails before the series is looked at.
      {3, {}, failed}, {5, {{"1", "2"}}, failed},
      // The series is checked before the data (series 3 and the zero count: end to end).
      {-1, {{"0"}}, wrongSeries}, {1, {{"0"}}, wrongSeries}, {4, {{"0"}}, wrongSeries},
      {10, {{"0"}}, wrongSeries}, {3, {{"4"}}, wrongSeries},
      // Only a count of exactly zero is skipped.
      {2, {{"2"}}, ""}, {6, {{"2"}}, ""}, {7, {{"2"}}, ""}, {8, {{"2"}}, ""}, {9, {{"00"}}, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.result, preBuild(c.series, c.rows)) << "series " << c.series;
  }
}

// isOnlyCDMAseries3 for a series-3 cell whose value `column` is `code` and
// whose frames are otherwise CDMA.
int onlyCdmaWith(int column, const std::string& code) {
  ReportHarness h;
  std::vector<std::string> row{"ccm", "c", "c", "c", "c", "c", ""};
  row[static_cast<size_t>(column)] = code;
  h.connection.script(kFrameSql, {row});
  return cell3g(h, 3)->isOnlyCDMAseries3();
}

// Every non-CDMA code tried in every frame: it counts only in its own frames.
TEST(Cell3GOnlyCdma, EachFrameHasItsOwnNonCdmaCodes) {
  ReportHarness other;
  EXPECT_EQ(0, cell3g(other, 5)->isOnlyCDMAseries3());  // other series: 0 without a query
  EXPECT_TRUE(other.connection.executed().empty());
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
  // Case, blanks and the seventh value do not count.
  EXPECT_EQ(1, onlyCdmaWith(0, "S2"));
  EXPECT_EQ(1, onlyCdmaWith(3, "ptmg "));
  EXPECT_EQ(1, onlyCdmaWith(6, "s2"));
}

TEST(CellParameterReport, NumKeyFieldsIsReadAsAtoiReadsIt) {
  const std::pair<const char*, int> cases[] = {
      {"<SELECT/>", 1},          {"<SELECT NumKeyFields=\"\"/>", 1},
      {"<SELECT NumKeyFields=\"3\"/>", 3}, {"<SELECT NumKeyFields=\"abc\"/>", 0},
      {"<SELECT NumKeyFields=\"3abc\"/>", 3}, {"<SELECT NumKeyFields=\" 12\"/>", 12},
  };
  for (const auto& c : cases) {
    std::unique_ptr<KvXMLElement> select = XMLDocument::parseText(c.first, "select");
    EXPECT_EQ(c.second, TarnelCellParameterReport::keyFieldCount(select.get())) << c.first;
  }
}

TEST(CellParameterReport, EachSelectIsKeyedOnItsOwnCountWithoutApBlock) {
  ReportHarness h;
  h.data.series[1000004] = 5;
  h.connection.script(kFacesSql, {{"2000013", "1", "B", "40"}});
  EXPECT_EQ(h.text<TarnelCellParameterReport>(
                "<REPORT Entity=\"Cell\"><SELECTS><SELECT Name=\"F\"/><SELECT Name=\"F\" "
                "NumKeyFields=\"2\"/><SELECT Name=\"F\" NumKeyFields=\"none\"/></SELECTS><QUERIES>"
                "<QUERY Name=\"F\" Entity=\"Antenna\" Select=\"select a.instance_id, a.face, "
                "a.band, a.power from tnl_cfg_antenna a where a.cell_id = \"><FIELDS><FIELD "
                "Name=\"face\"/><FIELD Name=\"band\"/><FIELD Name=\"power\"/></FIELDS></QUERY>"
                "</QUERIES></REPORT>", 1000004),
            "face[1]\t1\nband[1]\tB\npower[1]\t40\nface[1B]\t1\nband[1B]\tB\npower[1B]\t40\n"
            "face\t1\nband\tB\npower\t40\n");
  EXPECT_EQ(std::vector<std::string>(3, kFacesSql), h.connection.executed());
}

}  // namespace
