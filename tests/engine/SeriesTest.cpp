// The cell series of the engine and the series-dependent AP blocks.
#include <gtest/gtest.h>

#include "framework/KvException.h"
#include "tests/engine/TestReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const char kSeriesSql[] =
    "select tbl.instance_id, tbl.series from tnl_cfg_cell tbl where tbl.instance_id = 8";

// Each AP query writes one line naming itself.
const char kApConfig[] = R"(<REPORT><QUERIES>
  <QUERY Name="CellSeries" Table="tnl_cfg_cell" SingleSelect="True"><FIELDS><FIELD Name="series"/></FIELDS></QUERY>
  <QUERY Name="APcellFields" Select="select 'APcellFields' where 8 = " SingleSelect="True"><FIELDS><FIELD Name="q"/></FIELDS></QUERY>
  <QUERY Name="APcellDataFields" Select="select 'APcellDataFields' where 8 = " SingleSelect="True"><FIELDS><FIELD Name="q"/></FIELDS></QUERY>
  <QUERY Name="APcellFieldsRCS" Select="select 'APcellFieldsRCS' where 8 = " SingleSelect="True"><FIELDS><FIELD Name="q"/></FIELDS></QUERY>
  <QUERY Name="SWLoadDataTRX" Select="select 'SWLoadDataTRX' where 8 = " SingleSelect="True"><FIELDS><FIELD Name="q"/></FIELDS></QUERY>
  <QUERY Name="APantenna2" Select="select 'APantenna2' where 8 = " SingleSelect="True"><FIELDS><FIELD Name="q"/></FIELDS></QUERY>
  <QUERY Name="APantenna2RCS" Select="select 'APantenna2RCS' where 8 = " SingleSelect="True"><FIELDS><FIELD Name="q"/></FIELDS></QUERY>
  <QUERY Name="APvoicelaf" Select="select 'APvoicelaf' where 8 = " SingleSelect="True"><FIELDS><FIELD Name="q"/></FIELDS></QUERY>
</QUERIES></REPORT>)";

class SeriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.configure(kApConfig);
    for (const char* q : {"APcellFields", "APcellDataFields", "APcellFieldsRCS", "SWLoadDataTRX",
                          "APantenna2", "APantenna2RCS", "APvoicelaf"}) {
      h.connection.script(std::string("select '") + q + "' where 8 = 8", {{q}});
    }
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
  std::string blocks() {
    report->doAPCell(0);
    report->doAPantenna(0);
    report->doAPvlaf(0);
    return h.data.text();
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

TEST_F(SeriesTest, ZeroOrSeveralRowsFailWithTheEntityAndInstance) {
  for (Rows rows : {Rows{}, Rows{{"1", "2"}, {"1", "3"}}}) {
    seriesRows(rows);
    try {
      report->series();
      FAIL() << "no exception";
    } catch (const ReportMessageException&) {
      FAIL() << "wrong exception";
    } catch (const KvException& e) {
      EXPECT_EQ(e.message(), "CellSeries query should only return exactly one row for Cell: 8");
    }
  }
}

TEST_F(SeriesTest, RowNotOfTwoValuesCannotDetermineTheSeries) {
  for (Rows rows : {Rows{{"3"}}, Rows{{"17", "3", "4"}}}) {
    seriesRows(rows);
    try {
      report->series();
      FAIL() << "no exception";
    } catch (const ReportMessageException& e) {
      EXPECT_EQ(e.message(), "Cell series could not be determined for Cell: 8");
    }
  }
}

TEST_F(SeriesTest, BlocksFollowTheSeriesTable) {
  struct Case {
    const char* series;
    const char* text;
  } cases[] = {
      {"1", "q\tAPcellFields\nq\tSWLoadDataTRX\nq\tAPantenna2\nq\tAPvoicelaf\n"},
      {"3", "q\tAPcellDataFields\nq\tSWLoadDataTRX\nq\tAPantenna2\nq\tAPvoicelaf\n"},
      {"4", "q\tAPcellFieldsRCS\nq\tSWLoadDataTRX\nq\tAPantenna2RCS\nq\tAPvoicelaf\n"},
      {"5", "q\tAPcellFieldsRCS\nq\tSWLoadDataTRX\nq\tAPantenna2RCS\nq\tAPvoicelaf\n"},
      {"9", "q\tAPcellFields\nq\tSWLoadDataTRX\nq\tAPantenna2\nq\tAPvoicelaf\n"},
  };
  for (const Case& c : cases) {
    h.data = InMemoryDataManager();
    SetUp();
    seriesRows({{"8", c.series}});
    EXPECT_EQ(blocks(), c.text) << "series " << c.series;
  }
}

TEST_F(SeriesTest, SeriesOutsideOneToNineFailsBeforeAnythingIsWritten) {
  for (const char* s : {"10", "0", "abc"}) {
    h.data = InMemoryDataManager();
    SetUp();
    seriesRows({{"8", s}});
    std::string number = std::string(s) == "abc" ? "0" : s;
    for (bool cell : {true, false}) {
      try {
        cell ? report->doAPCell(0) : report->doAPantenna(0);
        FAIL() << "no exception";
      } catch (const ReportMessageException& e) {
        EXPECT_EQ(e.message(), "Undefined cell series for report: " + number);
      }
    }
    EXPECT_EQ(h.data.text(), "");
  }
}

TEST_F(SeriesTest, VoiceLafBlockNeverAsksForTheSeries) {
  report->doAPvlaf(0);
  EXPECT_EQ(h.data.text(), "q\tAPvoicelaf\n");
  EXPECT_EQ(seriesQueries(), 0);
}

}  // namespace
