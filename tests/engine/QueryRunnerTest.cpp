// The single- and multi-row runners: columns, keys, scenario filtering and
// database failures.
#include <gtest/gtest.h>

#include "framework/KvException.h"
#include "tests/engine/TestReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const char kSql[] = "select x from t where id = 3";

class QueryRunnerTest : public ::testing::Test {
 protected:
  // Runs the query definition `query` (named Q, explicit SQL kSql) for instance 3.
  std::string runQuery(const std::string& query, int keyColumns = 1) {
    h.configure("<REPORT><QUERIES>" + query + "</QUERIES></REPORT>");
    report = h.make<TestReport>("T");
    TarnelReportInfo info(3, "");
    report->configure(info);
    report->openStream();
    report->processQuery(h.data.stream(0), "Q", keyColumns);
    return h.data.text();
  }
  ReportHarness h;
  std::unique_ptr<TestReport> report;
};

const char kSingleTwoFields[] =
    R"(<QUERY Name="Q" Table="tnl_t" Select="select x from t where id = " SingleSelect="True">
       <FIELDS><FIELD Name="a"/><FIELD Name="b"/></FIELDS></QUERY>)";

TEST_F(QueryRunnerTest, SingleSelectStartsAfterTheInstanceIdColumnOnlyWhenTheTableHasOne) {
  h.connection.script(kSql, {{"3", "v1", "v2"}, {"4", "w1", "w2"}});
  EXPECT_EQ(runQuery(kSingleTwoFields), "a\t3\nb\tv1\n");
  EXPECT_EQ(h.connection.executed()[1],
            "select 1 from user_Tab_columns where table_name='TNL_T' and column_name='INSTANCE_ID'");
}

TEST_F(QueryRunnerTest, SingleSelectSkipsTheInstanceIdColumnWhenTheProbeFindsIt) {
  h.connection.script(kSql, {{"3", "v1", "v2"}});
  h.connection.tableHasInstanceId("TNL_T");
  EXPECT_EQ(runQuery(kSingleTwoFields), "a\tv1\nb\tv2\n");
}

TEST_F(QueryRunnerTest, SingleSelectWritesScenarioFieldsPastTheLastColumnUntilAnotherField) {
  h.connection.script(kSql, {{"3", "v1"}});
  h.connection.tableHasInstanceId("TNL_T");
  h.data.names[3] = "CELL3";
  std::string text = runQuery(R"(<QUERY Name="Q" Table="tnl_t" SingleSelect="True"
      Select="select x from t where id = "><FIELDS><FIELD Name="a"/>
      <FIELD Name="n" Source="Scenario"/><FIELD Name="m" Source="Scenario" Value="mapname"/>
      <FIELD Name="b"/><FIELD Name="after" Source="Scenario"/></FIELDS></QUERY>)");
  EXPECT_EQ(text, "a\tv1\nn\tCELL3\nm\tmap-CELL3\n");
}

TEST_F(QueryRunnerTest, EmptyResultWritesNothing) {
  EXPECT_EQ(runQuery(kSingleTwoFields), "");
  EXPECT_EQ(h.connection.executed().size(), 1u);
}

const char kMulti[] =
    R"(<QUERY Name="Q" Select="select x from t where id = " %s>
       <FIELDS><FIELD Name="a"/><FIELD Name="b"/></FIELDS></QUERY>)";

std::string multi(const std::string& attributes) {
  std::string q = kMulti;
  return q.replace(q.find("%s"), 2, attributes);
}

TEST_F(QueryRunnerTest, RowIndexKeysCountRowsSkippedByTheScenario) {
  h.connection.script(kSql, {{"11", "a1", "b1"}, {"12", "a2", "b2"}, {"13", "a3", "b3"}});
  h.data.outOfScenario = {12};
  EXPECT_EQ(runQuery(multi(R"(RowIndex="True" IndexBy="3" Prefix="P_")")),
            "P_a[1]\ta1\nP_b[1]\tb1\nP_a[3]\ta3\nP_b[3]\tb3\n");
}

TEST_F(QueryRunnerTest, CheckScenarioFalseWritesEveryRow) {
  h.connection.script(kSql, {{"11", "a1"}, {"12", "a2"}});
  h.data.outOfScenario = {11, 12};
  EXPECT_EQ(runQuery(multi(R"(CheckScenario="False")")), "a[a1]\ta1\na[a2]\ta2\n");
}

TEST_F(QueryRunnerTest, IndexByKeysOnTheGivenColumnWhateverTheKeyCount) {
  h.connection.script(kSql, {{"11", "a1", "b1", "c1"}});
  EXPECT_EQ(runQuery(multi(R"(IndexBy="3")"), 2), "a[b1]\ta1\nb[b1]\tb1\n");
}

TEST_F(QueryRunnerTest, TwoKeyColumnsAreJoinedWithoutSeparator) {
  h.connection.script(kSql, {{"11", "a1", "b1"}});
  EXPECT_EQ(runQuery(multi(""), 2), "a[a1b1]\ta1\nb[a1b1]\tb1\n");
}

TEST_F(QueryRunnerTest, WithoutInstanceIdColumnFieldsAndKeysStartAtColumnZero) {
  h.connection.script(kSql, {{"11", "a1", "b1"}});
  EXPECT_EQ(runQuery(multi(R"(AddInstanceId="False")")), "a[11]\t11\nb[11]\ta1\n");
}

TEST_F(QueryRunnerTest, RowWithoutValuesBeyondTheIdWritesNothing) {
  h.connection.script(kSql, {{"11"}, {"12", "a2"}});
  EXPECT_EQ(runQuery(multi("")), "a[a2]\ta2\n");
}

TEST_F(QueryRunnerTest, ValueHoldingTheSeparatorReachesTheStreamIntact) {
  h.connection.script(kSql, {{"11", "x|y", "z"}});
  EXPECT_EQ(runQuery(multi(R"(RowIndex="True")")), "a[1]\tx|y\nb[1]\tz\n");
}

TEST_F(QueryRunnerTest, TranslatedFieldsAreWrittenInDegreesMinutesSeconds) {
  h.connection.script(kSql, {{"11", "40.5", "-75.25"}});
  EXPECT_EQ(runQuery(R"(<QUERY Name="Q" RowIndex="True" Select="select x from t where id = ">
      <FIELDS><FIELD Name="lat" Translate="Lat"/><FIELD Name="lon" Translate="Lon"/></FIELDS></QUERY>)"),
            "lat[1]\t40 30  0 N\nlon[1]\t 75 15  0 W\n");
}

TEST_F(QueryRunnerTest, DatabaseFailureGetsTheSqlAsContextAndIsLoggedThenThrown) {
  h.connection.fail(kSql, "no such table: t");
  for (const std::string& attributes : {std::string(R"(SingleSelect="True")"), std::string()}) {
    h.log.messages.clear();
    try {
      runQuery(multi(attributes));
      FAIL() << "no exception";
    } catch (const KvException& e) {
      EXPECT_EQ(e.message(), "no such table: t");
      EXPECT_EQ(e.contexts(), std::vector<RWEString>{"Failed database query:\nselect x from t where id = 3"});
      EXPECT_EQ(h.log.messages,
                std::vector<std::string>{
                    "0:no such table: t\nFailed database query:\nselect x from t where id = 3\n"});
    }
  }
}

}  // namespace
