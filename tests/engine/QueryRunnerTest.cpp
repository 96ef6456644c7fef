// The single- and multi-row runners: columns, keys, scenario filtering and
// database failures.
#include <gtest/gtest.h>

#include <set>

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

// Query Q on kSql with `attributes`, of the fields a and b unless `fields` are given.
std::string query(const std::string& attributes,
                  const std::string& fields = "<FIELD Name=\"a\"/><FIELD Name=\"b\"/>") {
  return "<QUERY Name=\"Q\" Select=\"select x from t where id = \" " + attributes +
         "><FIELDS>" + fields + "</FIELDS></QUERY>";
}
const char kSingle[] = "Table=\"tnl_t\" SingleSelect=\"True\"";

TEST_F(QueryRunnerTest, SingleSelectStartsAfterTheInstanceIdColumnOnlyWhenTheTableHasOne) {
  h.connection.script(kSql, {{"3", "v1", "v2"}, {"4", "w1", "w2"}});
  EXPECT_EQ(runQuery(query(kSingle)), "a\t3\nb\tv1\n");
  EXPECT_EQ(h.connection.executed()[1],
            "select 1 from user_Tab_columns where table_name='TNL_T' and column_name='INSTANCE_ID'");
  h.connection.tableHasInstanceId("TNL_T");
  h.data = InMemoryDataManager();
  EXPECT_EQ(runQuery(query(kSingle)), "a\tv1\nb\tv2\n");
}

TEST_F(QueryRunnerTest, SingleSelectWritesScenarioFieldsPastTheLastColumnUntilAnotherField) {
  h.connection.script(kSql, {{"3", "v1"}});
  h.connection.tableHasInstanceId("TNL_T");
  h.data.names[3] = "CELL3";
  EXPECT_EQ(runQuery(query(kSingle,
                           "<FIELD Name=\"a\"/><FIELD Name=\"n\" Source=\"Scenario\"/><FIELD "
                           "Name=\"m\" Source=\"Scenario\" Value=\"mapname\"/><FIELD Name=\"b\"/>"
                           "<FIELD Name=\"after\" Source=\"Scenario\"/>")),
            "a\tv1\nn\tCELL3\nm\tmap-CELL3\n");
}

TEST_F(QueryRunnerTest, EmptyResultWritesNothing) {
  EXPECT_EQ(runQuery(query(kSingle)), "");
  EXPECT_EQ(h.connection.executed().size(), 1u);
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
    EXPECT_EQ(runQuery(query(c.attributes, c.fields), c.keyColumns), c.text) << c.what;
  }
}

TEST_F(QueryRunnerTest, DatabaseFailureGetsTheSqlAsContextAndIsLoggedThenThrown) {
  h.connection.fail(kSql, "no such table: t");
  for (const std::string& attributes : {std::string("SingleSelect=\"True\""), std::string()}) {
    h.log.messages.clear();
    try {
      runQuery(query(attributes));
      FAIL() << "no exception";
    } catch (const KvException& e) {
      EXPECT_EQ(e.message(), "no such table: t");
      EXPECT_EQ(e.contexts(), std::vector<RWEString>{"Failed database query:\n" + RWEString(kSql)});
      EXPECT_EQ(h.log.messages, std::vector<std::string>{"0:no such table: t\nFailed database "
                                                         "query:\nselect x from t where id = 3\n"});
    }
  }
}

}  // namespace
