// What the tool does when things go wrong: full disks, hostile or broken
// configurations, odd values, damaged or locked databases, interrupted and
// large batches. Nothing is lost silently and the database never changes.
#include <sys/stat.h>
#include <sqlite3.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

namespace {

std::string ecp() { return examplePath("reports/instance/ecp.xml"); }

std::vector<std::string> ecpRun(const std::string& config, const std::string& out,
                                const std::string& db = demoDatabase()) {
  return runArgs(db, config, "TarnelECPReport", "3000001", out);
}

// The ECP report run with `text` as its configuration <folder>/<name>.
CommandResult runWritten(const std::string& folder, const std::string& name, const std::string& text) {
  writeFile(folder + "/" + name, text);
  return runTarnel(ecpRun(folder + "/" + name, folder));
}

TEST(Reliability, FullDiskFailsTheRunAndLeavesNoFileUnderAFinalName) {
  std::string out = freshFolder();
  // A file-size limit of 1 KiB: the command ignores SIGXFSZ, so writes past it
  // fail as on a full disk instead of killing the process.
  CommandResult r = runTarnelBehind({"/bin/bash", "-c", "ulimit -f 1; exec \"$0\" \"$@\""},
                                    ecpRun(ecp(), out));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "tarnel-report: error: Unable to write all of the report  - check disk space\n"
                   "  context: partial report kept as " + out + "/ecp_3000001.txt.failed\n");
  EXPECT_EQ(filesIn(out), std::vector<std::string>{"ecp_3000001.txt.failed"});
  // The SQL trace is no exception: a trace cut short fails the command.
  std::string traced = freshFolder();
  r = runTarnelBehind({"/bin/bash", "-c", "ulimit -f 1; exec \"$0\" \"$@\""},
                      {"batch", "--db", demoDatabase(), "--config", examplePath("reports/instance/ecp3g.xml"),
                       "--class", "TarnelECP3GReport", "--instances", "all", "--out", traced,
                       "--trace-sql", traced + "/sql.txt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "tarnel-report: error: Cannot write all of the SQL trace to " + traced +
                       "/sql.txt: File too large\n");
}

TEST(Reliability, SqlTraceReplaysAsItStands) {
  std::string out = freshFolder(), trace = out + "/sql.txt";
  for (const char* instances : {"all", "3000002"}) {  // appended: the set-up runs again
    CommandResult r = runTarnel({"batch", "--db", demoDatabase(), "--config", examplePath("reports/diagram/s3cell.xml"),
                                 "--queries", examplePath("queries/common.xml"), "--class",
                                 "TarnelS3CellDiagramReport", "--instances", instances, "--out", out,
                                 "--trace-sql", trace});
    ASSERT_NE(r.exitCode, 2) << r.err;
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(demoDatabase().c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, readFile(trace).c_str(), nullptr, nullptr, &error), SQLITE_OK) << error;
  sqlite3_free(error);
  sqlite3_close(db);
}

// Hostile or malformed configurations are refused with their line (exit 2);
// a 10 MiB one runs; odd values and short rows are written as they are.
TEST(Reliability, ConfigurationsRefusedWithTheirLineOrRun) {
  std::string folder = freshFolder(), nested;
  for (int i = 0; i < 5000; ++i) nested += "<A>";
  std::string big = "<REPORT Entity=\"ECP\"><SELECTS><SELECT Name=\"Q\"/></SELECTS><QUERIES>";
  while (big.size() < 10 * 1024 * 1024) {
    big += "<QUERY Name=\"Filler" + std::to_string(big.size()) +
           "\" Table=\"tnl_cfg_cell\"><FIELDS><FIELD Name=\"series\"/></FIELDS></QUERY>\n";
  }
  big += "<QUERY Name=\"Q\" Table=\"tnl_cfg_ecp\" Entity=\"ECP\"><FIELDS><FIELD Name=\"trmostdn\"/>"
         "</FIELDS></QUERY></QUERIES></REPORT>\n";
  struct Case {
    std::string name, text, err;  // err: after the file's path
    std::string written = "";     // the report, when it runs
  } cases[] = {
      {"bomb.xml",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaaaaaaaa\">"
       "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]>\n<r>&c;</r>\n",
       ":3: Detected an entity reference loop\n"},
      {"external.xml", "<!DOCTYPE r [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>\n<r>&e;</r>\n",
       ":1: DOCTYPE declarations are not allowed in a configuration\n"},
      {"deep.xml", "<R>\n" + nested, ":2: Excessive depth in document: 256\n"},
      {"big.xml", big, "", "trmostdn\t(201)137-7919\n"},
      {"odd.xml",
       "<REPORT Entity=\"ECP\"><SELECTS><SELECT Name=\"Odd\"/></SELECTS><QUERIES>"
       "<QUERY Name=\"Odd\" SingleSelect=\"True\" Table=\"tnl_cfg_ecp\" Select=\"select "
       "instance_id, 'a|b', 'tab&#9;in', 'it''s &quot;q&quot;', 'Zürich ✓', NULL from tnl_cfg_ecp "
       "where instance_id = \"><FIELDS><FIELD Name=\"pipe\"/><FIELD Name=\"tab\"/>"
       "<FIELD Name=\"quotes\"/><FIELD Name=\"utf8\"/><FIELD Name=\"null\"/>"
       "<FIELD Name=\"beyond\"/><FIELD Name=\"after\" Source=\"Scenario\"/></FIELDS></QUERY>"
       "</QUERIES></REPORT>",
       "", "pipe\ta|b\ntab\ttab\tin\nquotes\tit's \"q\"\nutf8\tZürich ✓\nnull\t\n"},
  };
  for (const Case& c : cases) {
    CommandResult r = runWritten(folder, c.name, c.text);
    EXPECT_EQ(r.exitCode, c.err.empty() ? 0 : 2) << c.name;
    EXPECT_EQ(r.err, c.err.empty() ? "" : "tarnel-report: error: " + folder + "/" + c.name + c.err);
    if (c.err.empty()) {
      EXPECT_EQ(readFile(folder + "/" + c.name.substr(0, c.name.size() - 4) + "_3000001.txt"), c.written);
    }
  }
}

TEST(Reliability, DamagedDatabasesFailWithSqlitesMessage) {
  std::string folder = freshFolder(), whole = readFile(demoDatabase());
  writeFile(folder + "/truncated.db", whole.substr(0, whole.size() / 3));
  CommandResult truncated = runTarnel(ecpRun(ecp(), folder, folder + "/truncated.db"));
  EXPECT_NE(truncated.exitCode, 0);
  EXPECT_NE(truncated.err.find("database disk image is malformed"), std::string::npos) << truncated.err;

  std::string copy = folder + "/copy.db";
  writeFile(copy, whole);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(copy.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "drop table tnl_cfg_ecp", nullptr, nullptr, nullptr), SQLITE_OK);
  CommandResult missing = runTarnel(ecpRun(ecp(), folder, copy));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("tarnel-report: error: no such table: tnl_cfg_ecp\n"), std::string::npos)
      << missing.err;

  ASSERT_EQ(sqlite3_exec(db, "begin exclusive; create table held(x)", nullptr, nullptr, nullptr), SQLITE_OK);
  CommandResult locked = runTarnel(ecpRun(ecp(), folder, copy));
  sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  EXPECT_EQ(locked.exitCode, 2);
  EXPECT_EQ(locked.err, "tarnel-report: error: Cannot open database " + copy + ": database is locked\n");
}

// `out` holds `reports` whole pairs of report and steering files, and the
// batch journal `journal` listing as many instances, and nothing else.
void expectOnlyWholeFiles(const std::string& out, size_t reports, const std::string& journal) {
  std::vector<std::string> files = filesIn(out);
  std::string lines = readFile(out + "/" + journal);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), static_cast<long>(reports + 1));
  EXPECT_EQ(countEnding(files, ".txt"), reports);
  EXPECT_EQ(countEnding(files, ".steering.json"), reports);
  EXPECT_EQ(files.size(), 2 * reports + 1);
}

TEST(Reliability, InterruptedBatchStopsAfterTheInstancesUnderWay) {
  // A 3,000-cell network: its LAF batch runs long enough to be interrupted (SIGINT after 0.3 s).
  std::string out = freshFolder(), db = freshFolder() + "/medium.db";
  ASSERT_EQ(runTarnel({"demo-db", db, "--cells", "3000"}).exitCode, 0);
  std::string before = readFile(db);
  CommandResult r = runTarnelBehind({"timeout", "--preserve-status", "-s", "INT", "0.3"},
                                    {"batch", "--db", db, "--config",
                                     examplePath("reports/laf/voice_laf.xml"), "--class", "TarnelLAFReport",
                                     "--instances", "all", "-j", "2", "--out", out});
  EXPECT_EQ(r.exitCode, 130) << r.err;
  int written = 0, skipped = 0, messages = 0, failed = 0, notRun = 0;
  ASSERT_EQ(sscanf(r.out.c_str(), "%d written, %d skipped, %d messages, %d failed", &written,
                   &skipped, &messages, &failed), 4) << r.out;
  ASSERT_EQ(sscanf(r.err.c_str(), "tarnel-report: interrupted: %d instances not run", &notRun), 1)
      << r.err;
  EXPECT_EQ(failed, 0);
  EXPECT_GT(notRun, 0);
  EXPECT_EQ(written + notRun, 9000);
  expectOnlyWholeFiles(out, static_cast<size_t>(written), "voice_laf.journal");
  EXPECT_EQ(readFile(db), before);
}

TEST(Reliability, LargeParallelBatchWritesEveryFileWholeAndLeavesTheDatabaseAlone) {
  std::string folder = freshFolder(), db = folder + "/large.db", out = folder + "/out";
  ASSERT_EQ(runTarnel({"demo-db", db, "--cells", "10000"}).exitCode, 0);
  std::string before = readFile(db);
  ASSERT_EQ(mkdir(out.c_str(), 0755), 0);
  CommandResult r = runTarnel({"batch", "--db", db, "--config", examplePath("reports/instance/lmt.xml"),
                               "--queries", examplePath("queries/common.xml"), "--class",
                               "TarnelLMTReport", "--instances", "all", "-j", "2", "--out", out});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "10000 written, 0 skipped, 0 messages, 0 failed\n");
  expectOnlyWholeFiles(out, 10000, "lmt.journal");
  EXPECT_EQ(readFile(out + "/lmt_1010000.txt").substr(0, 20), "CellName\tCELL10000\nc");
  EXPECT_EQ(readFile(db), before);
}

}  // namespace
