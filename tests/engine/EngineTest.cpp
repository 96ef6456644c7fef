// The engine: the build driver and query dispatch (which SQL is sent, in
// which order, to which runner, what ends a build), the single- and
// multi-row runners, and the cell series with its series-dependent AP blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <tuple>

#include "engine/TarnelEntityReport.h"
#include "framework/KvTraceStatic.h"
#include "tests/support/ReportHarness.h"

namespace {

// A minimal concrete entity report on a Cell.
class TestReport : public TarnelEntityReport {
 public:
  using TarnelEntityReport::TarnelEntityReport;
  void configure(TarnelReportInfo& info) override {
    id = info.activeInstanceId();
    TarnelEntityReport::configure(info);
  }
  void populateSteeringData(TarnelSteeringData& data) override {
    TarnelEntityReport::populateSteeringData(data);
  }
  RWEString entityName() override { return "Cell"; }
  int instanceId() override { return id; }
  int stream() const { return streamNumber; }
  // configure on `instance`, then open the stream.
  void open(int instance) {
    TarnelReportInfo info(instance, "");
    configure(info);
    openReportStream();
  }
  int id = -1;
};

class EngineTest : public ::testing::Test {
 protected:
  std::unique_ptr<TestReport> report(const std::string& xml) {
    h.configure(xml);
    return h.make<TestReport>("Title");
  }
  // What a run of `xml` on `id` throws.
  std::string failure(const std::string& xml, int id) {
    return thrown([&] { h.run(*report(xml), id); });
  }
  ReportHarness h;
};

const char kTwoQueries[] = R"(
<REPORT Entity="Cell">
  <SELECTS><SELECT Name="Q1"/><SELECT Name="Q2"/><SELECT Name="Q1"/></SELECTS>
  <QUERIES>
    <QUERY Name="Q1" Table="t1" SingleSelect="True"><FIELDS><FIELD Name="a"/></FIELDS></QUERY>
    <QUERY Name="Q2" Table="t2" SingleSelect="True"><FIELDS><FIELD Name="b"/></FIELDS></QUERY>
  </QUERIES>
</REPORT>)";

TEST_F(EngineTest, WritesSelectsInDocumentOrderRepeatingAName) {
  auto r = report(kTwoQueries);
  h.connection.script("select tbl.instance_id, tbl.a from t1 tbl where tbl.instance_id = 42",
                      {{"42", "one"}});
  h.connection.script("select tbl.instance_id, tbl.b from t2 tbl where tbl.instance_id = 42",
                      {{"42", "two"}});
  h.run(*r, 42);
  EXPECT_EQ(h.data.text(), "a\t42\nb\t42\na\t42\n");
  h.connection.tableHasInstanceId("T1");
  h.connection.tableHasInstanceId("T2");
  h.run(*h.make<TestReport>("Other"), 42);
  EXPECT_EQ(h.data.text(1), "a\tone\nb\ttwo\na\tone\n");
}

TEST_F(EngineTest, WhatEndsTheBuild) {
  h.connection.script("select 1, 'x' where 1 = 7", {{"1", "x"}});
  EXPECT_EQ(failure(R"(<REPORT><SELECTS><SELECT Name="Q1"/><SELECT Name="Nope"/>
    <SELECT Name="Q1"/></SELECTS><QUERIES><QUERY Name="Q1" Select="select 1, 'x' where 1 = "
    SingleSelect="True"><FIELDS><FIELD Name="x"/></FIELDS></QUERY></QUERIES></REPORT>)", 7),
            "Query not defined in config file: Nope");
  EXPECT_EQ(h.data.text(), "x\t1\n");
  EXPECT_EQ(failure("<REPORT><SELECTS><SELECT/></SELECTS></REPORT>", 7),
            "Query not defined in config file: ");
  // A failed stream, even when the query wrote nothing.
  h = ReportHarness();
  h.data.failStream(0);
  EXPECT_EQ(failure(kTwoQueries, 42), "Unable to write all of the report  - check disk space");
  EXPECT_EQ(h.connection.executed().size(), 1u);
  // Without selects the stream is opened and left empty.
  h = ReportHarness();
  auto r = report("<REPORT/>");
  h.run(*r, 1);
  EXPECT_EQ(r->stream(), 0);
  EXPECT_EQ(h.data.text(), "");
}

TEST_F(EngineTest, SqlOfExplicitAndGeneratedQueries) {
  // Query, SQL run, the last data manager call.
  const std::tuple<std::string, std::vector<std::string>, std::string> cases[] = {
      // Join text replaces the instance id and keeps the trailing blank.
      {R"(<QUERY Name="E" Select="select * from t where id = " Join="and x = $INSTANCE_ID">
        <FIELDS><FIELD Name="v"/></FIELDS></QUERY>)", {"select * from t where id =  and x = 9"},
       "separation ,Cell"},
      {R"X(<QUERY Name="E" Table="tnl_x" Key="cell_id" Where="status != 'u' order by tbl.face">
        <FIELDS><FIELD Name="a"/><FIELD Name="S" Source="Scenario"/>
        <FIELD Name="b" Column="upper(tbl.b)"/></FIELDS></QUERY>)X",
       {"select tbl.instance_id, tbl.a, upper(tbl.b) from tnl_x tbl where tbl.cell_id = 9 "
        "and status != 'u' order by tbl.face"}, "openStream Title"},
      {R"(<QUERY Name="E" Table="tnl_y" AddInstanceId="False"><FIELDS><FIELD Name="c"/>
        </FIELDS></QUERY>)", {"select tbl.c from tnl_y tbl where tbl.instance_id = 9"},
       "openStream Title"},
  };
  for (const auto& c : cases) {
    h = ReportHarness();
    h.run(*report(R"(<REPORT Entity="Cell"><SELECTS><SELECT Name="E"/></SELECTS><QUERIES>)" +
                  std::get<0>(c) + "</QUERIES></REPORT>"), 9);
    EXPECT_EQ(h.connection.executed(), std::get<1>(c));
    EXPECT_EQ(h.data.calls.back(), std::get<2>(c));
  }
}

// The single runner probes the table; the multi runner writes keys. With
// development tracing on, each separation is traced.
TEST_F(EngineTest, SeparationAndSingleSelectChooseTheRunner) {
  auto r = report(R"(<REPORT><SELECTS><SELECT Name="Upper"/><SELECT Name="Lower"/>
    <SELECT Name="NoEntity"/><SELECT Name="Same"/><SELECT Name="E"/></SELECTS><QUERIES>
    <QUERY Name="Upper" Table="t" Entity="Antenna" SingleSelect="True"><FIELDS><FIELD Name="v"/></FIELDS></QUERY>
    <QUERY Name="Lower" Table="t" Entity="Antenna" SingleSelect="true"><FIELDS><FIELD Name="v"/></FIELDS></QUERY>
    <QUERY Name="NoEntity" Table="t"><FIELDS><FIELD Name="v"/></FIELDS></QUERY>
    <QUERY Name="Same" Table="t" Entity="Cell"><FIELDS><FIELD Name="v"/></FIELDS></QUERY>
    <QUERY Name="E" Select="select 1 where 2 = "><FIELDS><FIELD Name="v"/></FIELDS></QUERY>
    </QUERIES></REPORT>)");
  h.data.separations[{"Cell", "Cell"}] = 0;
  h.data.separations[{"", "Cell"}] = 0;
  h.connection.script("select tbl.instance_id, tbl.v from t tbl where tbl.instance_id = 5", {{"5", "k"}});
  h.connection.tableHasInstanceId("T");
  std::ostringstream trace;
  KvTraceStatic::setSink(&trace);
  __envKVDevelopment = true;
  h.run(*r, 5);
  __envKVDevelopment = false;
  KvTraceStatic::setSink(nullptr);
  EXPECT_EQ(h.data.text(), "v\tk\nv[k]\tk\nv[k]\tk\nv\tk\n");
  EXPECT_EQ(h.data.calls, (std::vector<std::string>{"openStream Title", "separation Antenna,Cell",
                                                    "separation Antenna,Cell", "separation Cell,Cell",
                                                    "separation ,Cell"}));
  EXPECT_EQ(trace.str(),
            "TarnelEntityReport::doXMLFields: Antenna.separation := 1\n"
            "TarnelEntityReport::doXMLFields: Antenna.separation := 1\n"
            "TarnelEntityReport::doXMLFields: .separation := 1\n"
            "TarnelEntityReport::doXMLFields: Cell.separation := 0\n"
            "TarnelEntityReport::doXMLExplicit: .separation := 0\n");
}

TEST_F(EngineTest, ExcelTemplateIsTheFirstTemplatesExcelAttribute) {
  EXPECT_EQ(report(R"(<REPORT><TEMPLATES><TEMPLATE Other="x"/><TEMPLATE Excel="b.xlt"/>
    </TEMPLATES></REPORT>)")->excelTemplateFile(), "");
  EXPECT_EQ(report(R"(<REPORT><TEMPLATES><TEMPLATE Excel="a.xlt"/></TEMPLATES></REPORT>)")
                ->excelTemplateFile(), "a.xlt");
}

// --- the runners ---

const char kSql[] = "select x from t where id = 3";
const char kSingle[] = "Table=\"tnl_t\" SingleSelect=\"True\"";

class QueryRunnerTest : public EngineTest {
 protected:
  // processQuery of Q (explicit SQL kSql, `attributes`, the fields a and b
  // unless `fields` are given) on instance 3.
  std::string runQuery(const std::string& attributes, int keyColumns = 1,
                       const std::string& fields = "<FIELD Name=\"a\"/><FIELD Name=\"b\"/>") {
    auto r = report("<REPORT><QUERIES><QUERY Name=\"Q\" Select=\"select x from t where id = \" " +
                    attributes + "><FIELDS>" + fields + "</FIELDS></QUERY></QUERIES></REPORT>");
    r->open(3);
    r->processQuery(h.data.stream(0), "Q", keyColumns);
    return h.data.text();
  }
};

TEST_F(QueryRunnerTest, SingleSelectStartsAfterTheInstanceIdColumnOnlyWhenTheTableHasOne) {
  EXPECT_EQ(runQuery(kSingle), "");  // an empty result writes nothing
  EXPECT_EQ(h.connection.executed().size(), 1u);
  h.connection.script(kSql, {{"3", "v1", "v2"}, {"4", "w1", "w2"}});
  h.data = InMemoryDataManager();
  EXPECT_EQ(runQuery(kSingle), "a\t3\nb\tv1\n");
  EXPECT_EQ(h.connection.executed()[2],
            "select 1 from user_Tab_columns where table_name='TNL_T' and column_name='INSTANCE_ID'");
  h.connection.tableHasInstanceId("TNL_T");
  h.data = InMemoryDataManager();
  EXPECT_EQ(runQuery(kSingle), "a\tv1\nb\tv2\n");
  // Scenario fields past the last column are written until another field.
  h.data = InMemoryDataManager();
  h.data.names[3] = "CELL3";
  h.connection.script(kSql, {{"3", "v1"}});
  EXPECT_EQ(runQuery(kSingle, 1, "<FIELD Name=\"a\"/><FIELD Name=\"n\" Source=\"Scenario\"/>"
                     "<FIELD Name=\"m\" Source=\"Scenario\" Value=\"mapname\"/><FIELD Name=\"b\"/>"
                     "<FIELD Name=\"after\" Source=\"Scenario\"/>"),
            "a\tv1\nn\tCELL3\nm\tmap-CELL3\n");
}

TEST_F(QueryRunnerTest, MultiSelectKeysAndRows) {
  const struct {
    const char* what;
    std::string attributes;
    int keyColumns;
    Rows rows;
    std::string text;
    std::set<int> outOfScenario = {};
    std::string fields = "<FIELD Name=\"a\"/><FIELD Name=\"b\"/>";
  } cases[] = {
      {"row index keys count rows the scenario skips", "RowIndex=\"True\" IndexBy=\"3\" "
       "Prefix=\"P_\"", 1, {{"11", "a1", "b1"}, {"12", "a2", "b2"}, {"13", "a3", "b3"}},
       "P_a[1]\ta1\nP_b[1]\tb1\nP_a[3]\ta3\nP_b[3]\tb3\n", {12}},
      {"CheckScenario False writes every row", "CheckScenario=\"False\"", 1,
       {{"11", "a1"}, {"12", "a2"}}, "a[a1]\ta1\na[a2]\ta2\n", {11, 12}},
      {"IndexBy keys on its column whatever the key count", "IndexBy=\"3\"", 2,
       {{"11", "a1", "b1", "c1"}}, "a[b1]\ta1\nb[b1]\tb1\n"},
      {"two key columns joined without separator", "", 2, {{"11", "a1", "b1"}},
       "a[a1b1]\ta1\nb[a1b1]\tb1\n"},
      {"without instance id column fields and keys start at 0", "AddInstanceId=\"False\"", 1,
       {{"11", "a1", "b1"}}, "a[11]\t11\nb[11]\ta1\n"},
      {"a row without values beyond the id writes nothing", "", 1, {{"11"}, {"12", "a2"}},
       "a[a2]\ta2\n"},
      {"a value holding the separator is intact", "RowIndex=\"True\"", 1, {{"11", "x|y", "z"}},
       "a[1]\tx|y\nb[1]\tz\n"},
      {"translated fields in degrees, minutes, seconds", "RowIndex=\"True\"", 1,
       {{"11", "40.5", "-75.25"}}, "lat[1]\t40 30  0 N\nlon[1]\t 75 15  0 W\n", {},
       "<FIELD Name=\"lat\" Translate=\"Lat\"/><FIELD Name=\"lon\" Translate=\"Lon\"/>"},
  };
  for (const auto& c : cases) {
    h = ReportHarness();
    h.connection.script(kSql, c.rows);
    h.data.outOfScenario = c.outOfScenario;
    EXPECT_EQ(runQuery(c.attributes, c.keyColumns, c.fields), c.text) << c.what;
  }
}

TEST_F(QueryRunnerTest, DatabaseFailureGetsTheSqlAsContextAndIsLoggedThenThrown) {
  h.connection.fail(kSql, "no such table: t");
  for (const char* attributes : {"SingleSelect=\"True\"", ""}) {
    h.log.messages.clear();
    EXPECT_EQ(thrown([&] { runQuery(attributes); }),
              "no such table: t\nFailed database query:\nselect x from t where id = 3");
    EXPECT_EQ(h.log.messages, std::vector<std::string>{"0:no such table: t\nFailed database "
                                                       "query:\nselect x from t where id = 3\n"});
  }
}

// --- the cell series ---

const char kSeriesSql[] =
    "select tbl.instance_id, tbl.series from tnl_cfg_cell tbl where tbl.instance_id = 8";

class SeriesTest : public EngineTest {
 protected:
  // A report on instance 8 whose CellSeries query returns `rows` and whose AP
  // queries each write one line naming themselves.
  std::unique_ptr<TestReport> prepare(Rows rows) {
    h = ReportHarness();
    auto r = report("<REPORT><QUERIES>" + h.seriesQuery(8, std::move(rows)) +
                    h.echoQueries({"APcellFields", "APcellDataFields", "APcellFieldsRCS",
                                   "SWLoadDataTRX", "APantenna2", "APantenna2RCS", "APvoicelaf"},
                                  8) + "</QUERIES></REPORT>");
    r->open(8);
    return r;
  }
  int seriesQueries() const {
    const std::vector<std::string>& run = h.connection.executed();
    return static_cast<int>(std::count(run.begin(), run.end(), kSeriesSql));
  }
};

TEST_F(SeriesTest, SecondValueOfTheSingleRowIsTheSeriesAndIsQueriedOnce) {
  auto r = prepare({{"17", "3"}});
  EXPECT_EQ(r->series(), 3);
  EXPECT_EQ(r->series(), 3);
  EXPECT_EQ(seriesQueries(), 1);
  // The voice LAF block never asks for it.
  r = prepare({{"17", "3"}});
  r->doAPvlaf(0);
  EXPECT_EQ(h.data.text(), "APvoicelaf\tAPvoicelaf\n");
  EXPECT_EQ(seriesQueries(), 0);
}

TEST_F(SeriesTest, RowsThatGiveNoSeries) {
  const std::string notOne = "error: CellSeries query should only return exactly one row for Cell: 8";
  const std::string notTwo = "message: Cell series could not be determined for Cell: 8";
  const std::pair<Rows, std::string> cases[] = {{{}, notOne},
                                                {{{"1", "2"}, {"1", "3"}}, notOne},
                                                {{{"3"}}, notTwo},
                                                {{{"17", "3", "4"}}, notTwo}};
  for (const auto& c : cases) {
    auto r = prepare(c.first);
    try {
      r->series();
      ADD_FAILURE() << "no exception";
    } catch (const ReportMessageException& e) {
      EXPECT_EQ("message: " + e.asString().str(), c.second);
    } catch (const KvException& e) {
      EXPECT_EQ("error: " + e.asString().str(), c.second);
    }
  }
}

TEST_F(SeriesTest, BlocksFollowTheSeriesTable) {
  const std::string rcs =
      ReportHarness::echoText({"APcellFieldsRCS", "SWLoadDataTRX", "APantenna2RCS", "APvoicelaf"});
  const std::string plain =
      ReportHarness::echoText({"APcellFields", "SWLoadDataTRX", "APantenna2", "APvoicelaf"});
  const std::pair<const char*, std::string> cases[] = {
      {"1", plain}, {"9", plain}, {"4", rcs}, {"5", rcs},
      {"3", ReportHarness::echoText({"APcellDataFields", "SWLoadDataTRX", "APantenna2",
                                     "APvoicelaf"})},
  };
  for (const auto& c : cases) {
    auto r = prepare({{"8", c.first}});
    r->doAPCell(0);
    r->doAPantenna(0);
    r->doAPvlaf(0);
    EXPECT_EQ(h.data.text(), c.second) << "series " << c.first;
  }
}

TEST_F(SeriesTest, SeriesOutsideOneToNineFailsBeforeAnythingIsWritten) {
  for (const std::string s : {"10", "0", "abc"}) {
    for (bool cell : {true, false}) {
      auto r = prepare({{"8", s}});
      EXPECT_EQ(thrown<ReportMessageException>([&] { cell ? r->doAPCell(0) : r->doAPantenna(0); }),
                "Undefined cell series for report: " + (s == "abc" ? "0" : s));
      EXPECT_EQ(h.data.text(), "");
    }
  }
}

}  // namespace
