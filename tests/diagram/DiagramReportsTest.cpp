// The diagram reports on cell 1000003 ("CELL00003") with one configured
// select: the Brivant base (cell technologies, stored-procedure rows,
// microcell statuses, microcell antenna rows) and the concrete diagrams
// (refusal rules, templates, the procedures each writes, steering order).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/KvException.h"
#include "reports/diagram/TarnelBrivantDiagramReport.h"
#include "reports/diagram/TarnelKelBTSDiagramReport.h"
#include "reports/diagram/TarnelMicrominiCellDiagramReport.h"
#include "reports/diagram/TarnelPivCellDiagramReport.h"
#include "reports/diagram/TarnelS3CellDiagramReport.h"
#include "tests/support/ReportHarness.h"

namespace {

const int kCell = 1000003;
const char kTechSql[] = "select fr0tech,rcs_tech FROM tnl_cfg_cell WHERE instance_id = 1000003";
const char kSelectSql[] = "select tbl.instance_id, tbl.name from tnl_cfg_cell tbl where tbl.instance_id = 1000003";
const char kSelectText[] = "name\tCELL00003\n";
const char kGetMcStatus[] = "tnl_cfg_reports.GetMCStatus";
const char kMicroAntSql[] = "select * from temp.microant";
const char kAllTemplates[] = "Excel=\"Diagram.xls\" mc=\"MC.xlt\" mcTDMA=\"MCT.xlt\" mcCDMA=\"MCC.xlt\"";

// Each STOREDPROCS element: key, procedure, temp table of its result rows.
const char* const kProcedures[][3] = {
    {"CPIV", "CPIV_Rows", "cpiv_rows"}, {"KBTS", "KBTS_Rows", "kbts_rows"}, {"CDBS", "CDBS_Rows", "cdbs_rows"},
    {"CDMA", "CDMA_Rows", "cdma_rows"}, {"TDMA", "TDMA_Rows", "tdma_rows"}, {"MICROANT", "MicroAnt", "microant"},
};

// `templ` goes on TEMPLATES.TEMPLATE; the STOREDPROCS element `omit` is left out.
std::string config(const std::string& templ, const std::string& omit) {
  std::string procs, queries;
  for (const auto& p : kProcedures) {
    if (omit == p[0]) continue;
    std::string result = std::string(p[0]) + "Result";
    procs += "<" + std::string(p[0]) + " proc=\"" + p[1] + "\" result=\"" + result + "\"/>";
    queries += "<QUERY Name=\"" + result + "\" Select=\"select * from temp." + p[2] + "\"/>";
  }
  return "<REPORT Entity=\"Cell\"><TEMPLATES><TEMPLATE " + templ +
         "/></TEMPLATES><SELECTS><SELECT Name=\"SWcell\"/></SELECTS><STOREDPROCS>" + procs +
         "</STOREDPROCS><QUERIES><QUERY Name=\"SWcell\" Table=\"tnl_cfg_cell\" "
         "SingleSelect=\"True\"><FIELDS><FIELD Name=\"name\"/></FIELDS></QUERY>" +
         queries + "</QUERIES></REPORT>";
}

// Report T on kCell: fr0tech "ptm", rcs_tech `rcs`, microcell `statuses`,
// and a result row scripted for every procedure but CPIV.
template <typename T>
struct Diagram {
  explicit Diagram(const std::vector<std::string>& statuses = {}, const std::string& rcs = "1",
                   const std::string& templ = kAllTemplates, const std::string& omit = "") {
    harness.configure(config(templ, omit));
    harness.data.series[kCell] = 3;
    harness.data.names[kCell] = "CELL00003";
    harness.connection.script(kTechSql, {{"ptm", rcs}});
    harness.connection.tableHasInstanceId("TNL_CFG_CELL");
    harness.connection.script(kSelectSql, {{"1000003", "CELL00003"}});
    harness.connection.scriptOutputs(kGetMcStatus, statuses);
    const Rows rows[] = {{}, {{"K", "1"}}, {{"D", "1"}}, {{"C", "1"}}, {{"T", "1"}}, {{"elevation", "1", ""}}};
    for (size_t i = 0; i < 6; ++i) {
      harness.connection.script(std::string("select * from temp.") + kProcedures[i][2], rows[i]);
    }
    report = harness.make<T>("Diagram");
  }

  std::string stream() const { return harness.data.text(0).substr(sizeof(kSelectText) - 1); }

  // Builds (the select alone), runs `write` and returns what it wrote.
  template <typename Write>
  std::string written(Write write) {
    harness.build(*report, kCell);
    harness.connection.clearExecuted();
    write();
    return stream();
  }

  ReportHarness harness;
  std::unique_ptr<T> report;
};
typedef Diagram<TarnelBrivantDiagramReport> Brivant;

// --- the Brivant base ---

TEST(BrivantDiagram, CellRowWithoutTwoValuesIsRefused) {
  for (const Rows& rows : {Rows{}, Rows{{"ptm"}}, Rows{{"ptm", "2", "x"}}}) {
    Brivant d;
    d.harness.connection.script(kTechSql, rows);
    EXPECT_EQ(std::string("Query (") + kTechSql + ") failed for report: Diagram\nPREBUILD",
              thrown<ReportMessageException>([&d] { d.harness.build(*d.report, kCell); }));
  }
}

TEST(BrivantDiagram, StoredProcRowsAreTabSeparatedLinesAfterTheProcedure) {
  Brivant d;
  d.harness.connection.script("select * from temp.cpiv_rows", {{"A", "1", ""}, {"B", "x|y"}});
  EXPECT_EQ("A\t1\t\nB\tx|y\n", d.written([&d] { d.report->doCDiagramStoredProc("CPIV_Rows", "CPIVResult"); }));
  EXPECT_EQ((std::vector<std::string>{"CALL tnl_cfg_reports.CPIV_Rows(1000003)", "select * from temp.cpiv_rows"}),
            d.harness.connection.executed());
}

TEST(BrivantDiagram, ConfigurationErrorsNameWhatIsMissing) {
  Brivant d;
  EXPECT_EQ("Query not defined in config file: NoSuchQuery",
            thrown([&d] { d.written([&d] { d.report->doCDiagramStoredProc("CPIV_Rows", "NoSuchQuery"); }); }));
  for (const char* key : {"CDMA", "MICROANT"}) {
    Brivant without({}, "1", "Excel=\"D.xls\"", key);
    without.harness.build(*without.report, kCell);
    EXPECT_EQ(std::string("Element not defined in config file: STOREDPROCS.") + key,
              thrown([&without] { without.report->doCBrivmCell(); }));
  }
}

TEST(BrivantDiagram, StatusesAreTheOutputArgumentsStrippedOrTheCallsFailure) {
  Brivant d({" e", "u ", " u ", "", "E"});
  RWEStringCollection statuses;
  d.report->getMcStatus(statuses, kCell);
  EXPECT_EQ((std::vector<RWEString>{"e", "u", "u", "", "E"}), std::vector<RWEString>(statuses.begin(), statuses.end()));
  EXPECT_EQ(std::vector<std::string>{"CALL tnl_cfg_reports.GetMCStatus(1000003, OUT status1, "
                                     "OUT status2, OUT status3, OUT status4, OUT status5, "
                                     "OUT status6)"},
            d.harness.connection.executed());
  d.harness.connection.fail(kGetMcStatus, "no such table: tnl_mc_status");
  EXPECT_EQ("no such table: tnl_mc_status\n"
            "Calling stored procedure tnl_cfg_reports.GetMCStatus for report \"Diagram\"",
            thrown([&] { d.report->getMcStatus(statuses, kCell); }));
}

TEST(BrivantDiagram, MicrocellAntennaRows) {
  const struct {
    const char* what;
    Rows rows;
    const char* text;
  } cases[] = {
      {"lat and lon in degrees, minutes, seconds; keys match without case",
       {{"LAT", "2", "-33.5"}, {"Lon", "2", "151.25"}, {"ELEVATION", "2", ""}},
       "LAT\t2\t33 30  0 S\nLon\t2\t151 15  0 E\nELEVATION\t2\t0.0000000000000000\n"},
      {"other values are written as read, in three columns",
       {{"elevation", "2", "12.5"}, {"height", "1", "5.5", "dropped"}, {"short", "1"}, {"latitude", "1", "40.5"}},
       "elevation\t2\t12.5\nheight\t1\t5.5\nlatitude\t1\t40.5\n"},
  };
  for (const auto& c : cases) {
    Brivant d;
    d.harness.connection.script(kMicroAntSql, c.rows);
    EXPECT_EQ(c.text, d.written([&d] { d.report->brivMicroAnt(); })) << c.what;
  }
}

// --- the concrete diagrams ---

// What T does on kCell: the stream after the select then the steering calls,
// or the refusal's message and contexts.
template <typename T>
std::string outcome(const std::vector<std::string>& statuses, const std::string& rcs, const std::string& templ) {
  Diagram<T> d(statuses, rcs, templ);
  try {
    std::string steering = steeringText(d.harness.run(*d.report, kCell));
    return d.stream() + steering;
  } catch (const ReportMessageException& e) {
    return e.asString().str();
  }
}

TEST(Diagrams, RefusalsStreamsAndSteeringData) {
  typedef std::string (*Outcome)(const std::vector<std::string>&, const std::string&, const std::string&);
  const Outcome piv = &outcome<TarnelPivCellDiagramReport>;
  const Outcome kel = &outcome<TarnelKelBTSDiagramReport>;
  const Outcome s3 = &outcome<TarnelS3CellDiagramReport>;
  const std::vector<std::string> e1{"e", "u", "u", "u", "u", "u"};
  const std::string refused = "There are no equipped assemblages for cell CELL00003\nPREBUILD";
  const std::string cdma = "elevation\t1\t0.0000000000000000\nC\t1\n";
  const struct {
    const char* what;
    Outcome run;
    std::vector<std::string> statuses;
    // The stream after the select, or the refusal, or the whole outcome.
    std::string result;
    // When set, the steering calls of a diagram with this template follow `result`.
    const char* brivantTemplate = nullptr;
    const char* rcs = "1";
    const char* templ = kAllTemplates;
  } cases[] = {
      // Only a lower-case e among the first four positions counts.
      {"upper-case E is not equipped", kel, {"E", "E", "E", "E", "u", "u"}, refused},
      {"no statuses", kel, {}, refused},
      {"missing statuses read as empty", kel, {"u", "e"}, "K\t1\n", "MC.xlt"},
      {"a missing template attribute gives an empty template", piv, e1, "", "", "1", "Excel=\"Diagram.xls\""},
      // Fourth and fifth positions, TDMA and CDMA with rcs 1 and 2: end to end.
      {"any other rcs technology is CDMA; the sixth position counts", s3, {"u", "u", "u", "u", "u", "e"}, cdma,
       "MCC.xlt", ""},
      // Position one is equipped, the others not, whatever the statuses say.
      {"micromini", &outcome<TarnelMicrominiCellDiagramReport>, {"e", "e", "e", "e", "e", "e"},
       "D\t1\nPFTemplate0=MC.xlt\nPFFrtech0=ptm\nPFDataFileName=stream0.txt\nrunMacro=4\n"
       "PFBrivantWorkbook=Diagram.xls\nPFBrivantTemplate=MC.xlt\nPFMcell1=e\nPFMcell2=u\n"
       "PFMcell3=u\nPFMcell4=u\nPFMcell5=u\nPFMcell6=u\n"},
  };
  for (const auto& c : cases) {
    std::string expected = c.result;
    if (c.brivantTemplate) {
      expected += std::string("runMacro=4\nPFBrivantWorkbook=Diagram.xls\nPFBrivantTemplate=") + c.brivantTemplate +
                  "\nPFFrtech0=ptm\nPFDataFileName=stream0.txt\n";
      // The microcell statuses, padded to six.
      for (size_t i = 0; i < 6; ++i) {
        expected += "PFMcell" + std::to_string(i + 1) + "=" + (i < c.statuses.size() ? c.statuses[i] : "") + "\n";
      }
    }
    EXPECT_EQ(expected, c.run(c.statuses, c.rcs, c.templ)) << c.what;
  }
}

}  // namespace
