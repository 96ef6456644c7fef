// Workbooks made by the command: every example class in a batch with its
// index, the workbook command's copy of a run's workbook, failures that leave
// the report's files and no workbook (LibreOffice opening them:
// libreoffice_e2e_test.cpp).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/e2e/E2eSupport.h"
#include "tests/support/XlsxReader.h"

namespace {

std::vector<std::string> batchArgs(const std::string& config, const std::string& className, const std::string& out,
                                   const std::string& instances) {
  return {"batch", "--db", demoDatabase(), "--config", examplePath("reports/" + config), "--queries",
          examplePath("queries/common.xml"), "--class", className, "--instances", instances, "--out", out,
          "-j", "2", "--workbook"};
}

// Every written instance of every example class gets its workbook, listed in
// the batch's index with its outcome.
TEST(WorkbookBatches, EveryExampleClassWritesItsWorkbooks) {
  for (const auto& report : benchReports()) {
    std::string out = freshFolder(), name = report.first.substr(report.first.rfind('/') + 1);
    name.resize(name.size() - 4);
    CommandResult r = runTarnel(batchArgs(report.first, report.second, out, "all"));
    EXPECT_EQ(r.exitCode, 0) << report.second << r.err;
    int written = 0, skipped = 0, messages = 0, failed = 0;
    ASSERT_EQ(sscanf(r.out.c_str(), "%d written, %d skipped, %d messages, %d failed", &written, &skipped, &messages,
                     &failed), 4);
    std::vector<std::string> files = filesIn(out);
    EXPECT_GT(written, 0) << report.second;
    EXPECT_EQ(countEnding(files, ".xlsx"), static_cast<size_t>(written) + 1) << report.second;
    XlsxReader index(out + "/" + name + ".index.xlsx");
    std::vector<std::string> rows = index.rows("Index");
    EXPECT_EQ(rows.size(), static_cast<size_t>(4 + written + skipped + messages)) << report.second;
    std::string first = rows[4].substr(0, rows[4].find(' '));
    if (rows[4].find("\"written\"") == std::string::npos) continue;
    EXPECT_NE(rows[4].find("=HYPERLINK(\"" + name + "_" + first + ".xlsx\""), std::string::npos) << rows[4];
    std::vector<std::string> sheets = XlsxReader(out + "/" + name + "_" + first + ".xlsx").sheetNames();
    EXPECT_EQ(sheets.front(), "Report") << report.second;
    EXPECT_EQ(std::vector<std::string>(sheets.end() - 2, sheets.end()), (std::vector<std::string>{"Data", "Steering"}));
  }
}

// The workbook command makes the same bytes from the run's files, wherever
// it writes them.
TEST(WorkbookBatches, WorkbookCommandRemakesTheSameBytes) {
  ReportRun run = runExample("reports/series2/s2_cell_diagram.xml", "TarnelS2CellDiagramReport", 1000013, {"--workbook"});
  ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
  std::string again = freshFolder();
  CommandResult r = runTarnel({"workbook", run.folder + "/s2_cell_diagram_1000013.steering.json", "--out", again},
                              {{"SOURCE_DATE_EPOCH", "1"}});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "wrote " + again + "/s2_cell_diagram_1000013.xlsx\n");
  EXPECT_EQ(readFile(again + "/s2_cell_diagram_1000013.xlsx"), run.file("s2_cell_diagram_1000013.xlsx"));
}

// A workbook that cannot be written fails the run (exit 1, the file named);
// the report's files stay, and no workbook stands under its final name: one
// an earlier run left is moved aside as .stale. {out} is the case's folder.
TEST(WorkbookBatches, WriteFailuresKeepTheReportAndLeaveNoWorkbook) {
  const std::string cell = "reports/cell/cell.xml", wrote = "tarnel-report: error: Cannot write the workbook ";
  const struct Case {
    std::vector<std::string> prefix, args;
    int exitCode;
    std::string out, err;
    std::vector<std::string> files;
    std::string indexRow = "";  // the failed instance's row in the batch's index
  } cases[] = {
      // The workbook's file cannot be created: a folder stands in its way (it
      // stops root too), and is gone afterwards.
      {{}, {"run", "--instance", "1000007"}, 1, "",
       "[ERROR] workbook_close(): Error creating '{out}/cell_1000007.xlsx.partial'. System error = Is a directory\n" +
           wrote + "{out}/cell_1000007.xlsx: Is a directory\n",
       {"cell_1000007.steering.json", "cell_1000007.txt", "cell_1000007.xlsx.stale"}},
      // A full disk: the file-size limit lets the report's files through, not the workbook.
      {{"/bin/bash", "-c", "ulimit -f 4; exec \"$0\" \"$@\""}, {"run", "--instance", "1000007"}, 1, "",
       "[ERROR][./src/packager.c:1541]: Error in closing member in the zipfile\n"
       "[ERROR] workbook_close(): Zip ZIP_ERRNO error while creating xlsx file '{out}/cell_1000007.xlsx.partial'. "
       "System error = File too large\n" + wrote + "{out}/cell_1000007.xlsx: File too large\n",
       {"cell_1000007.steering.json", "cell_1000007.txt", "cell_1000007.xlsx.stale"}},
      // One instance of a batch: the others' workbooks and the index are written.
      {{}, {"batch", "--instances", "1000006-1000008"}, 1, "2 written, 0 skipped, 0 messages, 1 failed\n",
       "[ERROR] workbook_close(): Error creating '{out}/cell_1000007.xlsx.partial'. System error = Is a directory\n"
       "tarnel-report: instance 1000007: error: Cannot write the workbook {out}/cell_1000007.xlsx: Is a directory\n",
       {"cell.index.xlsx", "cell.journal", "cell_1000006.steering.json", "cell_1000006.txt", "cell_1000006.xlsx",
        "cell_1000007.steering.json", "cell_1000007.txt", "cell_1000007.xlsx.stale", "cell_1000008.steering.json",
        "cell_1000008.txt", "cell_1000008.xlsx"},
       "1000007 | \"CELL00007\" | \"failed\" | \"Cannot write the workbook {out}/cell_1000007.xlsx: Is a directory\""},
  };
  for (const Case& c : cases) {
    std::string out = freshFolder();
    if (c.prefix.empty()) mkdir((out + "/cell_1000007.xlsx.partial").c_str(), 0755);
    writeFile(out + "/cell_1000007.xlsx", "an earlier run's workbook");
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--db", demoDatabase(), "--config", examplePath(cell), "--queries",
                             examplePath("queries/common.xml"), "--class", "TarnelCellReport", "--out", out,
                             "--workbook"});
    CommandResult r = c.prefix.empty() ? runTarnel(args) : runTarnelBehind(c.prefix, args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0];
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, replaced(c.err, "{out}", out));
    EXPECT_EQ(filesIn(out), c.files);
    if (!c.indexRow.empty()) {
      EXPECT_EQ(XlsxReader(out + "/cell.index.xlsx").rows("Index")[5], replaced(c.indexRow, "{out}", out));
    }
  }
}

}  // namespace
