// End-to-end runs against a PostgreSQL server, the one scripts/postgres.sh
// starts (scripts/test.sh does): TARNEL_PG_URI is the report role on a copy of
// the 60-cell, seed-7 demo network, TARNEL_PG_SCRATCH_URI the owner on a
// database the tests may load. Without a server these tests are skipped,
// unless TARNEL_REQUIRE_POSTGRES (or CI) is set: then they fail.
#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"
#include "tests/support/XlsxReader.h"

namespace {

const char kScratchUri[] = "TARNEL_PG_SCRATCH_URI";
const char kHiddenPassword[] = "***";

// `uri` with its password (between "user:" and "@") replaced by `password`.
std::string withPassword(const std::string& uri, const std::string& password) {
  size_t colon = uri.find(':', uri.find("://") + 3);
  return uri.substr(0, colon + 1) + password + uri.substr(uri.find('@'));
}

// The lines of `text` sorted, with `folder` written as {out} (batches with
// several workers report in any order).
std::vector<std::string> sortedLines(const std::string& text, const std::string& folder) {
  std::vector<std::string> lines = linesOf(replaced(text, folder, "{out}"));
  std::sort(lines.begin(), lines.end());
  return lines;
}

// A server is needed: skip without one, unless it is required.
class PostgresE2e : public testing::Test {
 protected:
  void SetUp() override {
    SKIP_OR_FAIL_WITHOUT(server().empty() ? "No PostgreSQL server (TARNEL_PG_URI is not set)" : "",
                         "TARNEL_REQUIRE_POSTGRES");
  }

  static std::string server() { return environment("TARNEL_PG_URI"); }
  static std::string scratch() { return environment(kScratchUri); }

  // run on `db` of `config` with the common query library.
  static CommandResult runOn(const std::string& db, const std::string& config, const char* className,
                             int instance, const std::string& out, std::vector<std::string> extra = {}) {
    extra.insert(extra.end(), {"--queries", examplePath("queries/common.xml")});
    return runTarnel(runArgs(db, config, className, std::to_string(instance), out, extra));
  }

  // Asserts that the two folders hold the same files, byte for byte, but for
  // the database the steering data names; workbooks hold the same cells, but
  // for the database their title block names.
  static void expectSameFiles(const std::string& sqlite, const std::string& postgres,
                              const std::string& sqliteDb = demoDatabase(), const std::string& postgresDb = server()) {
    std::vector<std::string> files = filesIn(sqlite);
    ASSERT_FALSE(files.empty());
    ASSERT_EQ(files, filesIn(postgres));
    for (const std::string& f : files) {
      if (f.size() > 5 && f.substr(f.size() - 5) == ".xlsx") {
        EXPECT_EQ(cells(sqlite + "/" + f, sqliteDb), cells(postgres + "/" + f, postgresDb)) << f;
        continue;
      }
      EXPECT_EQ(replaced(readFile(sqlite + "/" + f), "\"database\": \"" + shown(sqliteDb) + "\"", "{db}"),
                replaced(readFile(postgres + "/" + f), "\"database\": \"" + shown(postgresDb) + "\"", "{db}"))
          << f;
    }
  }

  // `db` as the tool shows it.
  static std::string shown(const std::string& db) {
    return db.find("://") == std::string::npos ? db : withPassword(db, kHiddenPassword);
  }

  // Every sheet's rows of the workbook at `path`, with the database it names as {db}.
  static std::vector<std::string> cells(const std::string& path, const std::string& db) {
    XlsxReader book(path);
    std::vector<std::string> all;
    for (const std::string& sheet : book.sheetNames()) {
      all.push_back("sheet " + sheet);
      for (const std::string& row : book.rows(sheet)) all.push_back(replaced(row, "\"" + shown(db) + "\"", "{db}"));
    }
    return all;
  }
};

// Every row of examples/reports/catalogue.tsv, and the cell report in a scenario: a batch
// over every instance of the report's entity gives the same files on SQLite
// and on PostgreSQL, workbooks included.
struct BenchRow {
  std::string config, className;
  std::vector<std::string> extra;
};

void PrintTo(const BenchRow& row, std::ostream* os) { *os << row.config << " " << row.className; }

std::vector<BenchRow> benchRows() {
  std::vector<BenchRow> rows;
  for (const auto& report : benchReports()) rows.push_back({report.first, report.second, {}});
  rows.push_back({"cell/cell.xml", "TarnelCellReport", {"--scenario", "north"}});
  return rows;
}

std::string rowName(const testing::TestParamInfo<BenchRow>& info) {
  std::string name = info.param.config.substr(0, info.param.config.rfind('.'));
  for (const std::string& word : info.param.extra) name += "_" + word;
  std::replace_if(name.begin(), name.end(), [](char c) { return !isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

class PostgresSameOutput : public PostgresE2e, public testing::WithParamInterface<BenchRow> {};

TEST_P(PostgresSameOutput, EveryInstanceWritesTheSameFiles) {
  const BenchRow& row = GetParam();
  std::string sqlite = freshFolder(), postgres = freshFolder();
  auto batch = [&row](const std::string& db, const std::string& out, const char* jobs) {
    std::vector<std::string> args{"batch", "--db", db, "--config", examplePath("reports/" + row.config),
                                  "--queries", examplePath("queries/common.xml"), "--class", row.className,
                                  "--instances", "all", "--out", out, "-j", jobs, "--workbook"};
    args.insert(args.end(), row.extra.begin(), row.extra.end());
    return runTarnel(args);
  };
  CommandResult a = batch(demoDatabase(), sqlite, "1"), b = batch(server(), postgres, "2");
  EXPECT_EQ(b.exitCode, a.exitCode);
  EXPECT_EQ(b.out, a.out);
  EXPECT_EQ(sortedLines(b.err, postgres), sortedLines(a.err, sqlite));
  expectSameFiles(sqlite, postgres);
}

INSTANTIATE_TEST_SUITE_P(BenchReports, PostgresSameOutput, testing::ValuesIn(benchRows()), rowName);

TEST_F(PostgresE2e, TraceShowsAProcedureAsItsFunctionCall) {
  std::string out = freshFolder();
  CommandResult r = runOn(server(), examplePath("reports/diagram/pivcell.xml"), "TarnelPivCellDiagramReport",
                          1000006, out, {"--trace-sql", out + "/trace.sql"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::string text = readFile(out + "/trace.sql");
  for (const char* proc : {"GetMCStatus", "GetCPIVData"}) {
    std::string call = "\n-- call tnl_cfg_reports." + std::string(proc) + "\nselect * from tnl_cfg_reports." +
                       proc + "(1000006);\n";
    EXPECT_NE(text.find(call), std::string::npos) << text;
  }
}

// Bad inputs: the config is examples/reports/<config> with `from` replaced by
// `to`; in `err`, {out} stands for the output folder and {any} for a text that
// varies (the server's socket).
struct BadRun {
  std::string db, config, from, to;
  const char* className;
  int instance, exitCode;
  std::string err;
};

TEST_F(PostgresE2e, BadInputsFailWithTheServersMessage) {
  const std::string wrong = "not-the-password", evdo = "evdo/evdo_bts.xml";
  const BadRun cases[] = {
      {withPassword(server(), wrong), "cell/cell.xml", "", "", "TarnelCellReport", 1000004, 2,
       "tarnel-report: error: Cannot connect to database " + withPassword(server(), kHiddenPassword) +
           ": connection to server {any} failed: FATAL:  password authentication failed for user \"tarnel_report\"\n"},
      {server(), evdo, "proc=\"Get1xEVElement\"", "proc=\"NoSuchProc\"", "Tarnel1xEVReport", 7000001, 1,
       "tarnel-report: error: function tnl_cfg_reports.nosuchproc(unknown, unknown) does not exist\n"
       "  context: Calling stored procedure tnl_cfg_reports.NoSuchProc\n"
       "  context: partial report kept as {out}/edited_7000001.txt.failed\n"},
      // The report role cannot change the network.
      {server(), evdo, "select c0, c1, c2, c3 from tnl_1xev_element order by seq",
       "delete from tnl_instance returning instance_id", "Tarnel1xEVReport", 7000001, 1,
       "tarnel-report: error: permission denied for table tnl_instance\n"
       "  context: partial report kept as {out}/edited_7000001.txt.failed\n"},
  };
  for (const BadRun& c : cases) {
    std::string out = freshFolder(), config = examplePath("reports/" + c.config);
    if (!c.from.empty()) {
      std::string text = readFile(config);
      ASSERT_NE(text.find(c.from), std::string::npos) << c.from;
      config = out + "/edited.xml";
      writeFile(config, replaced(text, c.from, c.to));
    }
    CommandResult r = runOn(c.db, config, c.className, c.instance, out);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    std::string err = replaced(c.err, "{out}", out), seen = r.err;
    size_t any = err.find("{any}");
    if (any != std::string::npos && seen.size() + 5 >= err.size()) {
      seen = seen.substr(0, any) + "{any}" + seen.substr(seen.size() - (err.size() - any - 5));
    }
    EXPECT_EQ(seen, err);
    EXPECT_EQ(r.err.find(wrong), std::string::npos);
  }
  CommandResult after = runOn(server(), examplePath("reports/" + evdo), "Tarnel1xEVReport", 7000001, freshFolder());
  EXPECT_EQ(after.exitCode, 0) << after.err;
}

// Round trips per instance are exact counts: a batch (-j 1, so that each run
// follows the same one before it) on the 60-cell network. Before the
// batch's snapshot cache and pipelines these were 24.38, 15.00 and 5.00.
TEST_F(PostgresE2e, BatchStatsCountTheRoundTripsPerInstance) {
  const struct {
    const char* config;
    const char* className;
    std::string out;
  } cases[] = {
      {"laf/voice_laf.xml", "TarnelLAFReport",
       "180 written, 0 skipped, 0 messages, 0 failed\nper instance: 16.47 statements, 1.28 round trips, "
       "16.88 rows (asked 22.39, from memory 11.32)\n"},
      {"cell/cell.xml", "TarnelCellReport",
       "60 written, 0 skipped, 0 messages, 0 failed\nper instance: 8.13 statements, 1.25 round trips, "
       "11.27 rows (asked 13.03, from memory 8.92)\n"},
      {"evdo/evdo_bts.xml", "Tarnel1xEVReport",
       "15 written, 0 skipped, 0 messages, 0 failed\nper instance: 6.20 statements, 1.33 round trips, "
       "20.13 rows (asked 4.07, from memory 1.93)\n"},
  };
  for (const auto& c : cases) {
    CommandResult r = runTarnel({"batch", "--db", server(), "--config", examplePath("reports/") + c.config,
                                 "--queries", examplePath("queries/common.xml"), "--class", c.className,
                                 "--instances", "all", "--out", freshFolder(), "--stats"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, c.out) << c.className;
  }
}

// Cell 1000005's radio query, sent ahead in the pipeline its batch run
// predicts from cell 1000004's, ends the connection: the batch writes for it
// exactly what a run of it alone writes, and runs cell 1000006 on a new
// connection. (A statement sent ahead that fails on a sound connection:
// tests/host/PgPipelineTest.cpp.)
TEST_F(PostgresE2e, AFailureInAPipelineWritesWhatTheRunAloneWrites) {
  std::string in = freshFolder(), batchOut = freshFolder(), aloneOut = freshFolder(), nextOut = freshFolder();
  std::string config = in + "/edited.xml";
  writeFile(config, replaced(readFile(examplePath("reports/cell/cell.xml")), "<FIELD Name=\"maho_enabled\"/>",
                             "<FIELD Name=\"maho_enabled\" Column=\"(select pg_terminate_backend(pg_backend_pid()) "
                             "where tbl.instance_id - 1000005 = 0)\"/>"));
  CommandResult batch = runTarnel({"batch", "--db", server(), "--config", config, "--queries",
                                   examplePath("queries/common.xml"), "--class", "TarnelCellReport",
                                   "--instances", "1000004,1000005,1000006", "--out", batchOut});
  CommandResult alone = runOn(server(), config, "TarnelCellReport", 1000005, aloneOut);
  CommandResult next = runOn(server(), config, "TarnelCellReport", 1000006, nextOut);
  EXPECT_EQ(batch.exitCode, 1);
  EXPECT_EQ(alone.exitCode, 1);
  EXPECT_EQ(batch.out, "2 written, 0 skipped, 0 messages, 1 failed\n");
  EXPECT_EQ(replaced(batch.err, batchOut, "{out}"),
            replaced(replaced(alone.err, aloneOut, "{out}"), "tarnel-report: error: ",
                     "tarnel-report: instance 1000005: error: "));
  EXPECT_EQ(readFile(batchOut + "/edited_1000005.txt.failed"), readFile(aloneOut + "/edited_1000005.txt.failed"));
  EXPECT_EQ(readFile(batchOut + "/edited_1000006.txt"), readFile(nextOut + "/edited_1000006.txt"));
}

// A server of the test's own (the batch's server restarts under it), as
// scripts/postgres.sh makes one: started with the demo network, stopped at the end.
class OwnServer {
 public:
  OwnServer() : started_(runShell(script() + " start " + folder_.path + " " + TARNEL_REPORT_BINARY, "/").out) {
    const std::string key = "export TARNEL_PG_URI='";
    size_t at = started_.find(key);
    if (at == std::string::npos) return;
    at += key.size();
    uri_ = started_.substr(at, started_.find('\'', at) - at);
  }
  ~OwnServer() { runShell(script() + " stop " + folder_.path, "/"); }

  const std::string& uri() const { return uri_; }
  const std::string& message() const { return started_; }  // what the start printed
  std::string restartCommand() const { return script() + " restart " + folder_.path; }

 private:
  static std::string script() { return std::string(TARNEL_SOURCE_DIR) + "/scripts/postgres.sh"; }

  const TempFolder folder_;  // below /tmp itself: the server's user must reach it
  const std::string started_;
  std::string uri_;
};

// The server restarts while a batch of two workers runs (each cell's query
// waits 50 ms, so that the batch is under way): the runs under way fail with
// the server's message, the workers connect again and the rest are written,
// as a batch without the restart writes them.
TEST_F(PostgresE2e, ABatchGoesOnAfterTheServerRestarts) {
  OwnServer own;
  ASSERT_FALSE(own.uri().empty()) << own.message();
  std::string in = freshFolder(), calm = freshFolder(), restarted = freshFolder();
  std::string config = in + "/edited.xml";
  writeFile(config, replaced(readFile(examplePath("reports/cell/cell.xml")), "<FIELD Name=\"maho_enabled\"/>",
                             "<FIELD Name=\"maho_enabled\" Column=\"(select 1 from pg_sleep(0.05))\"/>"));
  std::vector<std::string> args{"batch", "--db", own.uri(), "--config", config, "--queries",
                                examplePath("queries/common.xml"), "--class", "TarnelCellReport",
                                "--instances", "all", "-j", "2", "--out"};
  auto batch = [&args](const std::string& out, const std::vector<std::string>& prefix) {
    std::vector<std::string> all = args;
    all.push_back(out);
    return runTarnelBehind(prefix, all);
  };
  ASSERT_EQ(batch(calm, {}).exitCode, 0);
  // The batch in the background; the restart once its tenth cell is written.
  std::string shell = "\"$@\" & tool=$!; n=0; until [ -e " + restarted + "/edited_1000010.txt ] || [ $n -gt 400 ]; "
                      "do sleep 0.02; n=$((n+1)); done; " + own.restartCommand() + "; wait $tool";
  CommandResult r = batch(restarted, {"sh", "-c", shell, "sh"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  std::vector<std::string> written;
  for (const std::string& f : filesIn(restarted)) {
    if (f.size() > 4 && f.substr(f.size() - 4) == ".txt") written.push_back(f);
  }
  int failed = 60 - static_cast<int>(written.size());
  EXPECT_TRUE(failed == 1 || failed == 2) << r.out << r.err;
  EXPECT_EQ(r.out, std::to_string(60 - failed) + " written, 0 skipped, 0 messages, " + std::to_string(failed) + " failed\n");
  size_t lines = 0;
  for (size_t at = r.err.find("error: "); at != std::string::npos; at = r.err.find("error: ", at + 1), ++lines) {
    EXPECT_EQ(r.err.substr(at, r.err.find('\n', at) - at), "error: terminating connection due to administrator command");
  }
  EXPECT_EQ(lines, static_cast<size_t>(failed));
  for (const std::string& f : written) EXPECT_EQ(readFile(restarted + "/" + f), readFile(calm + "/" + f)) << f;
}

// demo-db loads a server; a load that fails (a procedure without a PostgreSQL
// function) leaves the server as it was; a smaller load replaces the network.
TEST_F(PostgresE2e, DemoDbLoadsAServerAndAFailedLoadLeavesItAsItWas) {
  ASSERT_FALSE(scratch().empty()) << kScratchUri << " is not set";
  CommandResult load = runTarnel({"demo-db", scratch(), "--cells", "5", "--seed", "2"});
  ASSERT_EQ(load.exitCode, 0) << load.err;
  EXPECT_EQ(load.out, "wrote " + withPassword(scratch(), kHiddenPassword) + " (5 cells, seed 2)\n");
  std::string before = freshFolder(), after = freshFolder(), scripts = freshFolder();
  const std::string config = examplePath("reports/diagram/s3cell.xml");
  const char* s3 = "TarnelS3CellDiagramReport";
  // Cell 1 has series 3 and an equipped microcell.
  ASSERT_EQ(runOn(scratch(), config, s3, 1000001, before).exitCode, 0);

  ASSERT_EQ(runShell("cp -r '" + examplePath("demo") + "' '" + examplePath("postgres") + "' .", scripts).exitCode, 0);
  writeFile(scripts + "/demo/99-unported.sql",
            "INSERT INTO tnl_procedure VALUES ('tnl_cfg_reports', 'Unported', 1, 'SELECT 1');\n");
  CommandResult failed = runTarnel({"demo-db", scratch(), "--cells", "3", "--scripts", scripts + "/demo"});
  EXPECT_EQ(failed.exitCode, 2);
  EXPECT_EQ(failed.err, "tarnel-report: error: Stored procedure tnl_cfg_reports.Unported has no "
                        "PostgreSQL function (scripts in " + scripts + "/postgres)\n");
  EXPECT_EQ(runOn(scratch(), config, s3, 1000001, after).exitCode, 0);
  expectSameFiles(before, after, scratch(), scratch());

  ASSERT_EQ(runTarnel({"demo-db", scratch(), "--cells", "3"}).exitCode, 0);
  CommandResult gone = runOn(scratch(), config, s3, 1000005, freshFolder());
  EXPECT_EQ(gone.exitCode, 2);
  EXPECT_EQ(gone.err, "tarnel-report: error: Unknown instance: 1000005 (not in the catalogue tnl_instance)\n");
}

}  // namespace
