// The cell series of the engine and the series-dependent AP blocks.
#include <gtest/gtest.h>

#include "framework/KvException.h"
#include "tests/engine/TestReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const char kSeriesSql[] =
    "select tbl.instance_id, tbl.series from tnl_cfg_cell tbl where tbl.instance_id = 8";
const char* const kApQueries[] = {"APcellFields", "APcellDataFields", "APcellFieldsRCS",
                                  "SWLoadDataTRX", "APantenna2",       "APantenna2RCS",
                                  "APvoicelaf"};

class SeriesTest : public ::testing::Test {
 protected:
  // A report on instance 8 whose AP queries each write one line naming itself.
  void SetUp() override {
    h = ReportHarness();
    std::string xml = "<REPORT><QUERIES><QUERY Name=\"CellSeries\" Table=\"tnl_cfg_cell\" "
                      "SingleSelect=\"True\"><FIELDS><FIELD Name=\"series\"/></FIELDS></QUERY>";
    for (const std::string q : kApQueries) {
      xml += "<QUERY Name=\"" + q + "\" Select=\"select '" + q + "' where 8 = \" SingleSelect="
             "\"True\"><FIELDS><FIELD Name=\"q\"/></FIELDS></QUERY>";
      h.connection.script("select '" + q + "' where 8 = 8", {{q}});
    }
    h.configure(xml + "</QUERIES></REPORT>");
    report = h.make<TestReport>("T");
    TarnelReportInfo info(8, "");
    report->configure(info);
    report->openStream();
  }
  void seriesRows(Rows rows) { h.connection.script(kSeriesSql, std::move(rows)); }
  int seriesQueries() const {
    int n = 0;
    for (const std::string& s : h.connection.executed()) n += s == kSeriesSql;
    return n;
  }
  // What series() throws: "message: " for a ReportMessageException, else "error: ".
  std::string seriesFailure() {
    try {
      return "series " + std::to_string(report->series());
    } catch (const ReportMessageException& e) {
      return "message: " + e.message().str();
    } catch (const KvException& e) {
      return "error: " + e.message().str();
    }
  }
  ReportHarness h;
  std::unique_ptr<TestReport> report;
};

TEST_F(SeriesTest, SecondValueOfTheSingleRowIsTheSeriesAndIsQueriedOnce) {
  seriesRows({{"17", "3"}});
  EXPECT_EQ(report->series(), 3);
  EXPECT_EQ(report->series(), 3);
  EXPECT_EQ(seriesQueries(), 1);
}

TEST_F(SeriesTest, RowsThatGiveNoSeries) {
  const std::string notOne =
      "error: CellSeries query should only return exactly one row for Cell: 8";
  const std::string notTwo = "message: Cell series could not be determined for Cell: 8";
  const std::pair<Rows, std::string> cases[] = {{{}, notOne},
                                                {{{"1", "2"}, {"1", "3"}}, notOne},
                                                {{{"3"}}, notTwo},
                                                {{{"17", "3", "4"}}, notTwo}};
  for (const auto& c : cases) {
    SetUp();
    seriesRows(c.first);
    EXPECT_EQ(seriesFailure(), c.second);
  }
}

TEST_F(SeriesTest, BlocksFollowTheSeriesTable) {
  const std::string rcs = "q\tAPcellFieldsRCS\nq\tSWLoadDataTRX\nq\tAPantenna2RCS\nq\tAPvoicelaf\n";
  const std::string plain = "q\tAPcellFields\nq\tSWLoadDataTRX\nq\tAPantenna2\nq\tAPvoicelaf\n";
  const std::pair<const char*, std::string> cases[] = {
      {"1", plain}, {"9", plain}, {"4", rcs}, {"5", rcs},
      {"3", "q\tAPcellDataFields\nq\tSWLoadDataTRX\nq\tAPantenna2\nq\tAPvoicelaf\n"},
  };
  for (const auto& c : cases) {
    SetUp();
    seriesRows({{"8", c.first}});
    report->doAPCell(0);
    report->doAPantenna(0);
    report->doAPvlaf(0);
    EXPECT_EQ(h.data.text(), c.second) << "series " << c.first;
  }
}

TEST_F(SeriesTest, SeriesOutsideOneToNineFailsBeforeAnythingIsWritten) {
  for (const std::string s : {"10", "0", "abc"}) {
    for (bool cell : {true, false}) {
      SetUp();
      seriesRows({{"8", s}});
      try {
        cell ? report->doAPCell(0) : report->doAPantenna(0);
        FAIL() << "no exception";
      } catch (const ReportMessageException& e) {
        EXPECT_EQ(e.message(), "Undefined cell series for report: " + (s == "abc" ? "0" : s));
      }
      EXPECT_EQ(h.data.text(), "");
    }
  }
}

TEST_F(SeriesTest, VoiceLafBlockNeverAsksForTheSeries) {
  report->doAPvlaf(0);
  EXPECT_EQ(h.data.text(), "q\tAPvoicelaf\n");
  EXPECT_EQ(seriesQueries(), 0);
}

}  // namespace
