// The engine's build driver and query dispatch: which SQL is sent, in which
// order, to which runner, and what ends a build.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "framework/KvException.h"
#include "framework/KvTraceStatic.h"
#include "tests/engine/TestReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const char kTwoQueries[] = R"(
<REPORT Entity="Cell">
  <SELECTS><SELECT Name="Q1"/><SELECT Name="Q2"/><SELECT Name="Q1"/></SELECTS>
  <QUERIES>
    <QUERY Name="Q1" Table="t1" SingleSelect="True"><FIELDS><FIELD Name="a"/></FIELDS></QUERY>
    <QUERY Name="Q2" Table="t2" SingleSelect="True"><FIELDS><FIELD Name="b"/></FIELDS></QUERY>
  </QUERIES>
</REPORT>)";

class QueryDispatchTest : public ::testing::Test {
 protected:
  std::unique_ptr<TestReport> report(const std::string& xml) {
    h.configure(xml);
    return h.make<TestReport>("Title");
  }
  // The message of the KvException a run of `xml` on `id` throws.
  std::string failure(const std::string& xml, int id) {
    try {
      h.run(*report(xml), id);
    } catch (const KvException& e) {
      return e.message().str();
    }
    return "no exception";
  }
  ReportHarness h;
};

TEST_F(QueryDispatchTest, WritesSelectsInDocumentOrderRepeatingAName) {
  auto r = report(kTwoQueries);
  h.connection.script("select tbl.instance_id, tbl.a from t1 tbl where tbl.instance_id = 42",
                      {{"42", "one"}});
  h.connection.script("select tbl.instance_id, tbl.b from t2 tbl where tbl.instance_id = 42",
                      {{"42", "two"}});
  h.run(*r, 42);
  EXPECT_EQ(h.data.text(), "a\t42\nb\t42\na\t42\n");
  h.connection.tableHasInstanceId("T1");
  h.connection.tableHasInstanceId("T2");
  h.data.calls.clear();
  auto again = h.make<TestReport>("Other");
  h.run(*again, 42);
  EXPECT_EQ(h.data.text(1), "a\tone\nb\ttwo\na\tone\n");
}

TEST_F(QueryDispatchTest, WhatEndsTheBuild) {
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
}

TEST_F(QueryDispatchTest, SqlOfExplicitAndGeneratedQueries) {
  // Query, SQL run, the last data manager call.
  const std::tuple<std::string, std::vector<std::string>, std::string> cases[] = {
      // An explicit select gets the instance id appended directly.
      {R"(<QUERY Name="E" Select="select * from t where id = "><FIELDS><FIELD Name="v"/>
        </FIELDS></QUERY>)", {"select * from t where id = 9"}, "separation ,Cell"},
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
    auto r = report(R"(<REPORT Entity="Cell"><SELECTS><SELECT Name="E"/></SELECTS><QUERIES>)" +
                    std::get<0>(c) + "</QUERIES></REPORT>");
    h.run(*r, 9);
    EXPECT_EQ(h.connection.executed(), std::get<1>(c));
    EXPECT_EQ(h.data.calls.back(), std::get<2>(c));
  }
}

TEST_F(QueryDispatchTest, SeparationAndSingleSelectChooseTheRunner) {
  // The single runner probes the table; the multi runner writes keys.
  auto r = report(R"(<REPORT><SELECTS><SELECT Name="Upper"/><SELECT Name="Lower"/>
    <SELECT Name="NoEntity"/><SELECT Name="Same"/></SELECTS><QUERIES>
    <QUERY Name="Upper" Table="t" Entity="Antenna" SingleSelect="True"><FIELDS><FIELD Name="v"/></FIELDS></QUERY>
    <QUERY Name="Lower" Table="t" Entity="Antenna" SingleSelect="true"><FIELDS><FIELD Name="v"/></FIELDS></QUERY>
    <QUERY Name="NoEntity" Table="t"><FIELDS><FIELD Name="v"/></FIELDS></QUERY>
    <QUERY Name="Same" Table="t" Entity="Cell"><FIELDS><FIELD Name="v"/></FIELDS></QUERY>
    </QUERIES></REPORT>)");
  h.data.separations[{"Cell", "Cell"}] = 0;
  h.connection.script("select tbl.instance_id, tbl.v from t tbl where tbl.instance_id = 5",
                      {{"5", "k"}});
  h.connection.tableHasInstanceId("T");
  h.run(*r, 5);
  EXPECT_EQ(h.data.text(), "v\tk\nv[k]\tk\nv[k]\tk\nv\tk\n");
  EXPECT_EQ(h.data.calls, (std::vector<std::string>{"openStream Title", "separation Antenna,Cell",
                                                    "separation Antenna,Cell",
                                                    "separation Cell,Cell"}));
}

TEST_F(QueryDispatchTest, DevelopmentTracingWritesEachSeparation) {
  auto r = report(R"(<REPORT><SELECTS><SELECT Name="F"/><SELECT Name="E"/></SELECTS><QUERIES>
    <QUERY Name="F" Table="t" Entity="Antenna"><FIELDS><FIELD Name="v"/></FIELDS></QUERY>
    <QUERY Name="E" Select="select 1 where 2 = "><FIELDS><FIELD Name="v"/></FIELDS></QUERY>
    </QUERIES></REPORT>)");
  h.data.separations[{"", "Cell"}] = 0;
  std::ostringstream trace;
  KvTraceStatic::setSink(&trace);
  __envKVDevelopment = true;
  h.run(*r, 3);
  __envKVDevelopment = false;
  KvTraceStatic::setSink(nullptr);
  EXPECT_EQ(trace.str(),
            "TarnelEntityReport::doXMLFields: Antenna.separation := 1\n"
            "TarnelEntityReport::doXMLExplicit: .separation := 0\n");
}

TEST_F(QueryDispatchTest, ExcelTemplateIsTheFirstTemplatesExcelAttribute) {
  auto r = report(R"(<REPORT><TEMPLATES><TEMPLATE Other="x"/><TEMPLATE Excel="b.xlt"/>
    </TEMPLATES></REPORT>)");
  EXPECT_EQ(r->excelTemplateFile(), "");
  auto s = report(R"(<REPORT><TEMPLATES><TEMPLATE Excel="a.xlt"/></TEMPLATES></REPORT>)");
  EXPECT_EQ(s->excelTemplateFile(), "a.xlt");
  TarnelSteeringData data;
  s->populateSteeringData(data);
  EXPECT_EQ(data.calls(), (std::vector<TarnelSteeringData::Entry>{{"runMacro", "0"}}));
}

TEST_F(QueryDispatchTest, ConfigurationWithoutSelectsOpensAnEmptyStream) {
  auto r = report("<REPORT/>");
  h.run(*r, 1);
  EXPECT_EQ(r->stream(), 0);
  EXPECT_EQ(h.data.text(), "");
}

}  // namespace
