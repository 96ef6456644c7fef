// The command line: bad inputs with their exit codes and messages, batches,
// configuration checks, and the database left untouched.
#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

namespace {

const std::string kEcp = "reports/instance/ecp.xml";

std::vector<std::string> runArgs(const std::string& config, const std::string& db,
                                 const std::string& out, const std::string& cls = "TarnelECPReport",
                                 const std::string& instance = "3000001") {
  return {"run", "--db", db, "--config", config, "--class", cls, "--instance", instance, "--out", out};
}

TEST(CommandLine, InputsThatCannotBeLoadedExitWithTwoAndNameTheProblem) {
  std::string folder = freshFolder();
  writeFile(folder + "/bad.xml", "<REPORT>\n<SELECTS>\n</REPORT>\n");
  writeFile(folder + "/notdb.db", "hello, not a database\n");
  writeFile(folder + "/file", "");
  std::string ecp = examplePath(kEcp);
  struct Case {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {runArgs(folder + "/none.xml", demoDatabase(), folder),
       "tarnel-report: error: " + folder + "/none.xml: cannot read file: No such file or directory\n"},
      {runArgs(folder + "/bad.xml", demoDatabase(), folder),
       "tarnel-report: error: " + folder + "/bad.xml:4: Premature end of data in tag REPORT line 1\n"},
      {runArgs(ecp, folder + "/none.db", folder),
       "tarnel-report: error: Database not found: " + folder + "/none.db\n"},
      {runArgs(ecp, folder + "/notdb.db", folder),
       "tarnel-report: error: Cannot open database " + folder + "/notdb.db: file is not a database\n"},
      {runArgs(ecp, demoDatabase(), folder, "TarnelNoSuchReport"),
       "tarnel-report: error: Unknown report class: TarnelNoSuchReport (see `tarnel-report classes`)\n"},
      {runArgs(ecp, demoDatabase(), folder, "TarnelECPReport", "99"),
       "tarnel-report: error: Unknown instance: 99 (not in the catalogue tnl_instance)\n"},
      {runArgs(ecp, demoDatabase(), folder + "/missing"),
       "tarnel-report: error: Output folder does not exist: " + folder + "/missing\n"},
      {runArgs(ecp, demoDatabase(), folder + "/file"),
       "tarnel-report: error: Output folder is not a folder: " + folder + "/file\n"},
  };
  for (const Case& c : cases) {
    CommandResult r = runTarnel(c.args);
    EXPECT_EQ(r.exitCode, 2) << c.err;
    EXPECT_EQ(r.err, c.err);
  }
  CommandResult usage = runTarnel({"run", "--db", demoDatabase()});
  EXPECT_EQ(usage.exitCode, 2);
  EXPECT_NE(usage.err.find("--config is required"), std::string::npos) << usage.err;
}

TEST(CommandLine, UndefinedQueryAndBrokenSqlFailTheRunAndKeepThePartialReport) {
  std::string folder = freshFolder();
  writeFile(folder + "/broken.xml",
            "<REPORT Entity=\"ECP\"><SELECTS><SELECT Name=\"Ok\"/><SELECT Name=\"B\"/></SELECTS><QUERIES>\n"
            "<QUERY Name=\"Ok\" Table=\"tnl_cfg_ecp\" Entity=\"ECP\"><FIELDS><FIELD Name=\"ecp_number\"/></FIELDS></QUERY>\n"
            "<QUERY Name=\"B\" Select=\"select nosuch from tnl_cfg_ecp where instance_id = \">"
            "<FIELDS><FIELD Name=\"x\"/></FIELDS></QUERY></QUERIES></REPORT>\n");
  CommandResult broken = runTarnel(runArgs(folder + "/broken.xml", demoDatabase(), folder));
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_EQ(broken.err,
            "tarnel-report: log: no such column: nosuch\n"
            "    Failed database query:\n"
            "    select nosuch from tnl_cfg_ecp where instance_id = 3000001\n"
            "tarnel-report: error: no such column: nosuch\n"
            "  context: Failed database query:\n"
            "    select nosuch from tnl_cfg_ecp where instance_id = 3000001\n"
            "  context: partial report kept as " + folder + "/broken_3000001.txt.failed\n");
  EXPECT_FALSE(fileExists(folder + "/broken_3000001.txt"));
  EXPECT_FALSE(fileExists(folder + "/broken_3000001.steering.json"));
  EXPECT_EQ(readFile(folder + "/broken_3000001.txt.failed"), "ecp_number\t1\n");

  writeFile(folder + "/undefined.xml",
            "<REPORT Entity=\"ECP\"><SELECTS><SELECT Name=\"Missing\"/></SELECTS></REPORT>\n");
  CommandResult undefined = runTarnel(runArgs(folder + "/undefined.xml", demoDatabase(), folder));
  EXPECT_EQ(undefined.exitCode, 1);
  EXPECT_EQ(undefined.err.substr(0, undefined.err.find('\n')),
            "tarnel-report: error: Query not defined in config file: Missing");
}

TEST(CommandLine, SeriesProblemsAreAFailureOrAMessageForTheUser) {
  std::string folder = freshFolder();
  CommandResult notCell = runTarnel({"run", "--db", demoDatabase(), "--config",
                                     examplePath("reports/instance/lmt.xml"), "--class",
                                     "TarnelLMTReport", "--instance", "3000001", "--out", folder,
                                     "--queries", examplePath("queries/common.xml")});
  EXPECT_EQ(notCell.exitCode, 1);
  EXPECT_EQ(notCell.err,
            "tarnel-report: error: CellSeries query should only return exactly one row for Cell: "
            "3000001\n  context: partial report kept as " + folder + "/lmt_3000001.txt.failed\n");
  // Cell 7's reselect offset is 0: read as its series, it is undefined.
  writeFile(folder + "/zero.xml",
            "<REPORT Entity=\"Cell\"><QUERIES><QUERY Name=\"CellSeries\" Table=\"tnl_cfg_cell\">"
            "<FIELDS><FIELD Name=\"cch_reselect_offset\"/></FIELDS></QUERY></QUERIES></REPORT>");
  CommandResult zero = runTarnel({"run", "--db", demoDatabase(), "--config", folder + "/zero.xml",
                                  "--class", "TarnelLMTReport", "--instance", "1000007", "--out", folder});
  EXPECT_EQ(zero.exitCode, 3);
  EXPECT_EQ(zero.err, "tarnel-report: message: Undefined cell series for report: 0\n");
  EXPECT_FALSE(fileExists(folder + "/zero_1000007.txt.failed"));
}

TEST(CommandLine, BatchRunsEveryInstanceAndCountsTheFailure) {
  std::string folder = freshFolder();
  // abs() of the smallest integer overflows: the query fails for one cell only.
  writeFile(folder + "/one_fails.xml",
            "<REPORT Entity=\"Cell\"><SELECTS><SELECT Name=\"Q\"/></SELECTS><QUERIES>\n"
            "<QUERY Name=\"Q\" SingleSelect=\"True\" Table=\"tnl_cfg_cell\" Select=\"select instance_id, case when "
            "instance_id = 1000007 then abs(-9223372036854775807 - 1) else cell_number end from "
            "tnl_cfg_cell where instance_id = \"><FIELDS><FIELD Name=\"n\"/></FIELDS></QUERY>"
            "</QUERIES></REPORT>\n");
  for (const char* jobs : {"1", "2"}) {
    std::string out = freshFolder();
    CommandResult r = runTarnel({"batch", "--db", demoDatabase(), "--config", folder + "/one_fails.xml",
                                 "--class", "TarnelECP3GReport", "--instances", "all", "--out", out,
                                 "-j", jobs});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "59 written, 0 skipped, 0 messages, 1 failed\n");
    EXPECT_EQ(r.err.substr(0, r.err.find('\n', r.err.find("error:"))),
              "tarnel-report: log: integer overflow\n"
              "    Failed database query:\n"
              "    select instance_id, case when instance_id = 1000007 then abs(-9223372036854775807 - 1) "
              "else cell_number end from tnl_cfg_cell where instance_id = 1000007\n"
              "tarnel-report: instance 1000007: error: integer overflow");
    EXPECT_EQ(readFile(out + "/one_fails_1000060.txt"), "n\t60\n");
    EXPECT_FALSE(fileExists(out + "/one_fails_1000007.txt"));
  }
  std::string out = freshFolder();
  CommandResult some = runTarnel({"batch", "--db", demoDatabase(), "--config", folder + "/one_fails.xml",
                                  "--class", "TarnelECP3GReport", "--instances",
                                  "1000001,1000058-1000100", "--out", out});
  EXPECT_EQ(some.exitCode, 0) << some.err;
  EXPECT_EQ(some.out, "4 written, 0 skipped, 0 messages, 0 failed\n");
  CommandResult bad = runTarnel({"batch", "--db", demoDatabase(), "--config", folder + "/one_fails.xml",
                                 "--class", "TarnelECP3GReport", "--instances", "12x", "--out", out});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_EQ(bad.err, "tarnel-report: error: Not an instance id: 12x\n");
}

TEST(CommandLine, CheckConfigReportsUndefinedSelectsAndParseErrors) {
  std::string folder = freshFolder();
  CommandResult ok = runTarnel({"check-config", examplePath("reports/instance/maho.xml")});
  EXPECT_EQ(ok.exitCode, 0);
  EXPECT_EQ(ok.out, examplePath("reports/instance/maho.xml") + ": ok\n");
  writeFile(folder + "/c.xml", "<R><SELECTS><SELECT Name=\"A\"/><SELECT Name=\"APvoicelaf\"/><SELECT Name=\"B\"/></SELECTS></R>");
  CommandResult missing = runTarnel({"check-config", folder + "/c.xml", "--queries",
                                     examplePath("queries/common.xml")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, folder + "/c.xml: select \"A\" names a query that is not defined\n" +
                             folder + "/c.xml: select \"B\" names a query that is not defined\n");
  writeFile(folder + "/d.xml", "<R>\n<A x=1/></R>");
  CommandResult malformed = runTarnel({"check-config", folder + "/d.xml"});
  EXPECT_EQ(malformed.exitCode, 2);
  EXPECT_EQ(malformed.err.rfind("tarnel-report: error: " + folder + "/d.xml:2: ", 0), 0u) << malformed.err;
}

TEST(CommandLine, RunsNeverChangeTheDatabaseAndTraceTheirSql) {
  std::string before = readFile(demoDatabase());
  std::string folder = freshFolder();
  CommandResult r = runTarnel({"run", "--db", demoDatabase(), "--config", examplePath(kEcp),
                               "--class", "TarnelECPReport", "--instance", "3000002", "--out",
                               folder, "--trace-sql", folder + "/sql.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(readFile(folder + "/sql.txt"),
            "begin;\n"
            "select tbl.instance_id, tbl.ecp_number, tbl.trmostdn, tbl.ota_trn, tbl.release from "
            "tnl_cfg_ecp tbl where tbl.instance_id = 3000002;\n"
            "select 1 from user_Tab_columns where table_name='TNL_CFG_ECP' and column_name='INSTANCE_ID';\n"
            "select tbl.instance_id, tbl.cell_number, tbl.series, tbl.status from tnl_cfg_cell tbl "
            "where tbl.ecp_id = 3000002 and 1 = 1 order by tbl.cell_number;\n"
            "commit;\n");
  EXPECT_EQ(readFile(demoDatabase()), before);
}

TEST(CommandLine, ClassesListsEveryRegisteredClass) {
  CommandResult r = runTarnel({"classes"});
  EXPECT_EQ(r.exitCode, 0);
  for (const char* name : {"TarnelCCHReselectionReport", "TarnelECPReport", "TarnelECP3GReport",
                           "TarnelLMTReport", "TarnelMAHOReport", "TarnelSetupReport",
                           "TarnelCellReport"}) {
    EXPECT_NE(r.out.find(std::string(name) + "\n"), std::string::npos) << name;
  }
}

}  // namespace
