// End-to-end runs of every report family on the demo network (60 cells,
// seed 7). Each expected/<family>/<config>_<instance>.steering.json is a run
// of examples/reports/<family>/<config>.xml with its class from
// examples/reports/catalogue.tsv that exits 0 and writes that file and the expected .txt
// (none when there is none); its run object names the database "demo.db" and
// no scenario (a variant's scenario is put in). kOtherRuns adds runs with other arguments and
// refused runs: these leave no file under a final name.
//
// Instances: cell 3 is series 1; 7 series 5 with 3G data, 16 series 5
// without; 5 series 3 without microcells, 14 and 23 series 3 with; 6 a
// PivCell site, 17 PivCell and KelBTS; 8 has only positions five and six
// equipped; 9 a micro or mini cell; series-2 cells are 4, 13, ..., 58.
// Voice LAF 4000051 is cell 17, face 0; antenna 2000043 cell 14, face 1.
#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"

namespace {

const char kSteering[] = ".steering.json";

struct Example {
  std::string config;  // below examples/reports, without ".xml"
  std::string className;
  int instance;
  int exitCode;
  std::string err;  // {out} stands for the output folder
  std::vector<std::string> extra = {};
  std::string variant = {};  // the stream is expected in <config>_<instance>.<variant>.txt
};

void PrintTo(const Example& r, std::ostream* os) { *os << r.config << " " << r.instance; }

const char kNoAssemblage[] = "tarnel-report: message: There are no equipped assemblages for cell CELL00008\n";

const Example kOtherRuns[] = {
    // A scenario is bound as a parameter: quotes and SQL in it are refused as any unknown scenario.
    {"instance/cch_reselection", "TarnelCCHReselectionReport", 1000003, 2,
     "tarnel-report: error: Unknown scenario \"nobody's; drop table tnl_cfg_cell\": it has no member in "
     "tnl_scenario (its scenarios: north)\n",
     {"--scenario", "nobody's; drop table tnl_cfg_cell"}, "quoted_scenario"},
    {"instance/cch_reselection", "TarnelCCHReselectionReport", 1000003, 0, "", {"--scenario", "north"}, "north"},
    {"cell/cell3g", "TarnelCell3GReport", 1000005, 4,
     "tarnel-report: skipped: Cell is not series 2, series 5, series 6, series 7, series 8 or "
     "series 9: cell3g\n  context: Checking series of cell\n"},
    {"cell/cell3g", "TarnelCell3GReport", 1000016, 4,
     "tarnel-report: skipped: No 3G data: cell3g\n  context: select count(instance_id) from "
     "tnl_cfg_cell3g where instance_id = 1000016\n"},
    // The combined site's message names no context.
    {"diagram/pivcell", "TarnelPivCellDiagramReport", 1000008, 3, kNoAssemblage + std::string("  context: PREBUILD\n")},
    {"diagram/pivcell_kelbts", "TarnelPivCellKelBTSDiagramReport", 1000008, 3, kNoAssemblage},
    {"diagram/s3cell", "TarnelS3CellDiagramReport", 1000005, 3,
     "tarnel-report: message: There are no equipped microcells for cell CELL00005\n  context: PREBUILD\n"},
    {"laf/voice_laf", "TarnelLAFReport", 2000043, 1,
     "tarnel-report: warning: instance 2000043 is Antenna in the catalogue, but TarnelLAFReport reports on "
     "VoiceLAF\ntarnel-report: error: CellSeries query should only return exactly one row for VoiceLAF: "
     "2000043\n  context: partial report kept as {out}/voice_laf_2000043.txt.failed\n"},
};

// The runs of the expected steering files, then kOtherRuns.
std::vector<Example> examples() {
  std::map<std::string, std::string> classes;
  for (const auto& report : benchReports()) classes[report.first.substr(0, report.first.size() - 4)] = report.second;
  std::vector<Example> list;
  for (const std::string& family : filesIn(expectedPath(""))) {
    for (const std::string& f : filesIn(expectedPath(family))) {
      size_t end = f.size() - std::string(kSteering).size(), cut = f.rfind('_');
      if (f.size() <= end || f.substr(end) != kSteering || cut == std::string::npos) continue;
      std::string config = family + "/" + f.substr(0, cut);
      list.push_back({config, classes[config], std::stoi(f.substr(cut + 1, end - cut - 1)), 0, ""});
    }
  }
  list.insert(list.end(), std::begin(kOtherRuns), std::end(kOtherRuns));
  return list;
}

// <config>_<instance> without the family folder: the files' stem.
std::string stemOf(const Example& e) {
  return e.config.substr(e.config.find('/') + 1) + "_" + std::to_string(e.instance);
}

class ReportRuns : public testing::TestWithParam<Example> {};

TEST_P(ReportRuns, WriteTheirExpectedFiles) {
  const Example& c = GetParam();
  ReportRun run = runExample("reports/" + c.config + ".xml", c.className, c.instance, c.extra);
  EXPECT_EQ(c.exitCode, run.result.exitCode);
  EXPECT_EQ(replaced(c.err, "{out}", run.folder), run.result.err);
  std::string stem = stemOf(c), golden = c.config + "_" + std::to_string(c.instance);
  if (c.exitCode != 0) {
    EXPECT_EQ(c.exitCode == 1 ? std::vector<std::string>{stem + ".txt.failed"} : std::vector<std::string>{},
              filesIn(run.folder));
    return;
  }
  std::string steering = expectedText(golden + kSteering);
  if (c.extra.size() == 2 && c.extra[0] == "--scenario") {
    steering = replaced(steering, "\"scenario\": \"\"", "\"scenario\": \"" + c.extra[1] + "\"");
  }
  EXPECT_EQ(steering, replaced(run.file(stem + kSteering), demoDatabase(), "demo.db"));
  std::string text = golden + (c.variant.empty() ? "" : "." + c.variant) + ".txt";
  bool written = fileExists(run.folder + "/" + stem + ".txt");
  ASSERT_EQ(fileExists(expectedPath(text)), written);
  if (written) {
    EXPECT_EQ(expectedText(text), run.file(stem + ".txt"));
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, ReportRuns, testing::ValuesIn(examples()),
                         [](const testing::TestParamInfo<Example>& info) {
                           return stemOf(info.param) + (info.param.variant.empty() ? "" : "_") +
                                  info.param.variant;
                         });

}  // namespace
