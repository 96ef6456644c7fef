// End-to-end runs against a PostgreSQL server, the one scripts/postgres.sh
// starts (scripts/test.sh does): TARNEL_PG_URI is the report role on a copy of
// the 60-cell, seed-7 demo network, TARNEL_PG_SCRATCH_URI the owner on a
// database the tests may load. Without a server these tests are skipped,
// unless TARNEL_REQUIRE_POSTGRES (or CI) is set: then they fail.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

namespace {

const char kReportUri[] = "TARNEL_PG_URI";
const char kScratchUri[] = "TARNEL_PG_SCRATCH_URI";
const char* const kRequired[] = {"TARNEL_REQUIRE_POSTGRES", "CI"};
const char kBenchReports[] = "/bench/reports.tsv";
const char kHiddenPassword[] = "***";
// Runs of the two databases are compared at the same run time.
const std::map<std::string, std::string> kFixedTime{{"SOURCE_DATE_EPOCH", "1700000000"}};

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// `uri` with its password (between "user:" and "@") replaced by `password`.
std::string withPassword(const std::string& uri, const std::string& password) {
  size_t colon = uri.find(':', uri.find("://") + 3);
  size_t at = uri.find('@');
  return uri.substr(0, colon + 1) + password + uri.substr(at);
}

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir)) {
      if (entry->d_name[0] != '.') names.push_back(entry->d_name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The lines of `text` sorted, with `folder` written as "OUT" (batches with
// several workers report in any order).
std::vector<std::string> sortedLines(const std::string& text, const std::string& folder) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    for (size_t at; (at = line.find(folder)) != std::string::npos;) line.replace(at, folder.size(), "OUT");
    lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

// "" when equal, else the first line where `b` differs from `a`.
std::string firstDifference(const std::string& a, const std::string& b) {
  std::istringstream ia(a), ib(b);
  std::string la, lb;
  for (int n = 1;; ++n) {
    bool more = static_cast<bool>(std::getline(ia, la));
    bool moreB = static_cast<bool>(std::getline(ib, lb));
    if (!more && !moreB) return a == b ? "" : "line endings differ";
    if (!more || !moreB || la != lb) {
      return "line " + std::to_string(n) + ": sqlite \"" + (more ? la : "<end>") +
             "\", postgres \"" + (moreB ? lb : "<end>") + "\"";
    }
  }
}

// A server is needed: skip without one, unless it is required.
class PostgresE2e : public testing::Test {
 protected:
  void SetUp() override {
    if (!variable(kReportUri).empty()) return;
    for (const char* required : kRequired) {
      if (!variable(required).empty()) {
        FAIL() << "No PostgreSQL server: " << kReportUri << " is not set, but " << required
               << " is (scripts/test.sh starts one with scripts/postgres.sh)";
      }
    }
    GTEST_SKIP() << "No PostgreSQL server (" << kReportUri << " is not set)";
  }

  static std::string server() { return variable(kReportUri); }
  static std::string scratch() { return variable(kScratchUri); }

  // run on `db` with examples/<config> and the common query library.
  static CommandResult runOn(const std::string& db, const std::string& config,
                             const std::string& className, int instance, const std::string& out,
                             const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args{"run", "--db", db, "--config", config, "--queries",
                                  examplePath("queries/common.xml"), "--class", className,
                                  "--instance", std::to_string(instance), "--out", out};
    args.insert(args.end(), extra.begin(), extra.end());
    return runTarnel(args, kFixedTime);
  }

  static CommandResult batchOn(const std::string& db, const std::string& config,
                               const std::string& className, const std::string& out,
                               const std::vector<std::string>& extra) {
    std::vector<std::string> args{"batch", "--db", db, "--config", examplePath("reports/" + config),
                                  "--queries", examplePath("queries/common.xml"), "--class",
                                  className, "--instances", "all", "--out", out};
    args.insert(args.end(), extra.begin(), extra.end());
    return runTarnel(args, kFixedTime);
  }

  // Asserts that the two folders hold the same files, byte for byte.
  static void expectSameFiles(const std::string& sqlite, const std::string& postgres) {
    std::vector<std::string> files = filesIn(sqlite);
    ASSERT_FALSE(files.empty());
    ASSERT_EQ(files, filesIn(postgres));
    for (const std::string& f : files) {
      EXPECT_EQ(firstDifference(readFile(sqlite + "/" + f), readFile(postgres + "/" + f)), "") << f;
    }
  }
};

// Every row of bench/reports.tsv: a batch over every instance of the
// report's entity gives the same files on SQLite and on PostgreSQL.
struct BenchRow {
  std::string config, className;
};

void PrintTo(const BenchRow& row, std::ostream* os) { *os << row.config << " " << row.className; }

std::vector<BenchRow> benchRows() {
  std::vector<BenchRow> rows;
  std::ifstream in(std::string(TARNEL_SOURCE_DIR) + kBenchReports);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    BenchRow row;
    std::getline(fields, row.config, '\t');
    std::getline(fields, row.className, '\t');
    rows.push_back(row);
  }
  return rows;
}

std::string rowName(const testing::TestParamInfo<BenchRow>& info) {
  std::string name = info.param.config.substr(0, info.param.config.rfind('.'));
  for (char& c : name) {
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

class PostgresSameOutput : public PostgresE2e, public testing::WithParamInterface<BenchRow> {};

TEST_P(PostgresSameOutput, EveryInstanceWritesTheSameFiles) {
  const BenchRow& row = GetParam();
  std::string sqlite = freshFolder(), postgres = freshFolder();
  CommandResult a = batchOn(demoDatabase(), row.config, row.className, sqlite, {});
  CommandResult b = batchOn(server(), row.config, row.className, postgres, {"-j", "2"});
  EXPECT_EQ(b.exitCode, a.exitCode);
  EXPECT_EQ(b.out, a.out);
  EXPECT_EQ(sortedLines(b.err, postgres), sortedLines(a.err, sqlite));
  expectSameFiles(sqlite, postgres);
}

INSTANTIATE_TEST_SUITE_P(BenchReports, PostgresSameOutput, testing::ValuesIn(benchRows()), rowName);

TEST_F(PostgresE2e, ScenarioRestrictsMultiRowQueriesAsOnSqlite) {
  std::string sqlite = freshFolder(), postgres = freshFolder();
  std::vector<std::string> north{"--scenario", "north"};
  EXPECT_EQ(batchOn(demoDatabase(), "cell/cell.xml", "TarnelCellReport", sqlite, north).out,
            "60 written, 0 skipped, 0 messages, 0 failed\n");
  EXPECT_EQ(batchOn(server(), "cell/cell.xml", "TarnelCellReport", postgres, north).out,
            "60 written, 0 skipped, 0 messages, 0 failed\n");
  expectSameFiles(sqlite, postgres);
}

TEST_F(PostgresE2e, TraceShowsAProcedureAsItsFunctionCall) {
  std::string out = freshFolder();
  std::string trace = out + "/trace.sql";
  CommandResult r = runOn(server(), examplePath("reports/diagram/pivcell.xml"),
                          "TarnelPivCellDiagramReport", 1000006, out, {"--trace-sql", trace});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::string text = readFile(trace);
  EXPECT_NE(text.find("\n-- call tnl_cfg_reports.GetMCStatus\n"
                      "select * from tnl_cfg_reports.GetMCStatus(1000006);\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\n-- call tnl_cfg_reports.GetCPIVData\n"
                      "select * from tnl_cfg_reports.GetCPIVData(1000006);\n"),
            std::string::npos)
      << text;
}

// Bad inputs ----------------------------------------------------------------

TEST_F(PostgresE2e, UnreachableServerIsAnInputError) {
  CommandResult r = runOn("postgresql://tarnel_report@127.0.0.1:1/tarnel",
                          examplePath("reports/cell/cell.xml"), "TarnelCellReport", 1000004,
                          freshFolder());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err,
            "tarnel-report: error: Cannot connect to database "
            "postgresql://tarnel_report@127.0.0.1:1/tarnel: connection to server at "
            "\"127.0.0.1\", port 1 failed: Connection refused\n"
            "  Is the server running on that host and accepting TCP/IP connections?\n");
}

TEST_F(PostgresE2e, WrongPasswordIsAnInputErrorThatDoesNotShowThePassword) {
  std::string uri = withPassword(server(), "not-the-password");
  CommandResult r = runOn(uri, examplePath("reports/cell/cell.xml"), "TarnelCellReport", 1000004,
                          freshFolder());
  EXPECT_EQ(r.exitCode, 2);
  std::string start = "tarnel-report: error: Cannot connect to database " +
                      withPassword(server(), kHiddenPassword) + ": connection to server ";
  std::string end = " failed: FATAL:  password authentication failed for user \"tarnel_report\"\n";
  EXPECT_EQ(r.err.substr(0, start.size()), start) << r.err;
  ASSERT_GE(r.err.size(), end.size());
  EXPECT_EQ(r.err.substr(r.err.size() - end.size()), end) << r.err;
  EXPECT_EQ(r.err.find("not-the-password"), std::string::npos);
}

TEST_F(PostgresE2e, MissingFunctionFailsTheRunWithTheServersMessage) {
  std::string out = freshFolder();
  std::string config = out + "/nosuch.xml";
  std::string text = readFile(examplePath("reports/evdo/evdo_bts.xml"));
  size_t at = text.find("proc=\"Get1xEVElement\"");
  ASSERT_NE(at, std::string::npos);
  writeFile(config, text.replace(at, 21, "proc=\"NoSuchProc\""));
  CommandResult r = runOn(server(), config, "Tarnel1xEVReport", 7000001, out);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err,
            "tarnel-report: error: function tnl_cfg_reports.nosuchproc(unknown, unknown) does "
            "not exist\n"
            "  context: Calling stored procedure tnl_cfg_reports.NoSuchProc\n"
            "  context: partial report kept as " + out + "/nosuch_7000001.txt.failed\n");
}

TEST_F(PostgresE2e, ReportRoleCannotChangeTheNetwork) {
  std::string out = freshFolder();
  std::string config = out + "/delete.xml";
  std::string text = readFile(examplePath("reports/evdo/evdo_bts.xml"));
  std::string select = "select c0, c1, c2, c3 from tnl_1xev_element order by seq";
  size_t at = text.find(select);
  ASSERT_NE(at, std::string::npos);
  writeFile(config, text.replace(at, select.size(), "delete from tnl_instance returning instance_id"));
  CommandResult r = runOn(server(), config, "Tarnel1xEVReport", 7000001, out);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
            "tarnel-report: error: permission denied for table tnl_instance");
  CommandResult after = runOn(server(), examplePath("reports/evdo/evdo_bts.xml"),
                              "Tarnel1xEVReport", 7000001, out);
  EXPECT_EQ(after.exitCode, 0) << after.err;
}

// Loading a network ---------------------------------------------------------

// Copies examples/demo and examples/postgres below a fresh folder and adds a
// demo script defining a procedure that has no PostgreSQL function.
std::string scriptsWithAnUnportedProcedure() {
  std::string root = freshFolder();
  for (const char* folder : {"demo", "postgres"}) {
    std::string to = root + "/" + folder;
    mkdir(to.c_str(), 0755);
    for (const std::string& f : filesIn(examplePath(folder))) {
      writeFile(to + "/" + f, readFile(examplePath(folder) + "/" + f));
    }
  }
  writeFile(root + "/demo/99-unported.sql",
            "INSERT INTO tnl_procedure VALUES ('tnl_cfg_reports', 'Unported', 1, 'SELECT 1');\n");
  return root;
}

TEST_F(PostgresE2e, DemoDbLoadsAServerAndAFailedLoadLeavesItAsItWas) {
  ASSERT_FALSE(scratch().empty()) << kScratchUri << " is not set";
  std::string sqliteDb = freshFolder() + "/five.db";
  ASSERT_EQ(runTarnel({"demo-db", sqliteDb, "--cells", "5", "--seed", "2"}).exitCode, 0);
  CommandResult load = runTarnel({"demo-db", scratch(), "--cells", "5", "--seed", "2"});
  ASSERT_EQ(load.exitCode, 0) << load.err;
  EXPECT_EQ(load.out, "wrote " + withPassword(scratch(), kHiddenPassword) + " (5 cells, seed 2)\n");

  std::string sqlite = freshFolder(), postgres = freshFolder();
  std::string config = examplePath("reports/diagram/s3cell.xml");
  // Cell 1 has series 3 and an equipped microcell.
  ASSERT_EQ(runOn(sqliteDb, config, "TarnelS3CellDiagramReport", 1000001, sqlite).exitCode, 0);
  runOn(scratch(), config, "TarnelS3CellDiagramReport", 1000001, postgres);
  expectSameFiles(sqlite, postgres);

  std::string scripts = scriptsWithAnUnportedProcedure();
  CommandResult failed =
      runTarnel({"demo-db", scratch(), "--cells", "3", "--scripts", scripts + "/demo"});
  EXPECT_EQ(failed.exitCode, 2);
  EXPECT_EQ(failed.err, "tarnel-report: error: Stored procedure tnl_cfg_reports.Unported has no "
                        "PostgreSQL function (scripts in " + scripts + "/postgres)\n");
  std::string again = freshFolder();
  EXPECT_EQ(runOn(scratch(), config, "TarnelS3CellDiagramReport", 1000001, again).exitCode, 0);
  expectSameFiles(sqlite, again);

  ASSERT_EQ(runTarnel({"demo-db", scratch(), "--cells", "3"}).exitCode, 0);
  CommandResult gone = runOn(scratch(), config, "TarnelS3CellDiagramReport", 1000005, freshFolder());
  EXPECT_EQ(gone.exitCode, 2);
  EXPECT_EQ(gone.err,
            "tarnel-report: error: Unknown instance: 1000005 (not in the catalogue tnl_instance)\n");
}

// Shards --------------------------------------------------------------------

TEST_F(PostgresE2e, ShardsTogetherRunEveryInstanceOnce) {
  std::string whole = freshFolder(), shards = freshFolder();
  batchOn(server(), "instance/lmt.xml", "TarnelLMTReport", whole, {});
  for (const char* shard : {"1/3", "2/3", "3/3"}) {
    std::string part = freshFolder();
    CommandResult r = batchOn(server(), "instance/lmt.xml", "TarnelLMTReport", part, {"--shard", shard});
    EXPECT_EQ(r.out, "20 written, 0 skipped, 0 messages, 0 failed\n") << shard;
    for (const std::string& f : filesIn(part)) {
      EXPECT_FALSE(fileExists(shards + "/" + f)) << f << " written by two shards";
      writeFile(shards + "/" + f, readFile(part + "/" + f));
    }
  }
  expectSameFiles(whole, shards);
}

TEST(PostgresShardUsage, ShardOutsideItsCountIsAUsageError) {
  CommandResult r = runTarnel({"batch", "--db", demoDatabase(), "--config",
                               examplePath("reports/instance/lmt.xml"), "--class",
                               "TarnelLMTReport", "--instances", "all", "--shard", "4/3"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "tarnel-report: error: --shard needs K/N with 1 <= K <= N (slice K of N): 4/3\n");
  EXPECT_EQ(r.out, "");
}

}  // namespace
