// A diagram configuration and database script shared by the diagram tests:
// cell 1000003 ("CELL00003") with one configured select, and every
// STOREDPROCS element the diagrams use, each with a result query of its own.
#ifndef TARNEL_TESTS_DIAGRAM_DIAGRAMTESTSUPPORT_H_
#define TARNEL_TESTS_DIAGRAM_DIAGRAMTESTSUPPORT_H_

#include <string>
#include <utility>
#include <vector>

#include "framework/TarnelSteeringData.h"
#include "tests/support/ReportHarness.h"

namespace diagramtest {

const int kCell = 1000003;
const char kCellName[] = "CELL00003";
const char kTechSql[] = "select fr0tech,rcs_tech FROM tnl_cfg_cell WHERE instance_id = 1000003";
const char kSelectSql[] =
    "select tbl.instance_id, tbl.name from tnl_cfg_cell tbl where tbl.instance_id = 1000003";
const char kGetMcStatus[] = "tnl_cfg_reports.GetMCStatus";
const char kGetMcStatusCall[] =
    "CALL tnl_cfg_reports.GetMCStatus(1000003, OUT status1, OUT status2, OUT status3, "
    "OUT status4, OUT status5, OUT status6)";
const char kSelectText[] = "name\tCELL00003\n";

// One STOREDPROCS element: its key, procedure and result query text.
struct Procedure {
  const char* key;
  const char* proc;
  const char* resultSql;
};
const Procedure kProcedures[] = {
    {"CPIV", "CPIV_Rows", "select * from temp.cpiv_rows"},
    {"KBTS", "KBTS_Rows", "select * from temp.kbts_rows"},
    {"CDBS", "CDBS_Rows", "select * from temp.cdbs_rows"},
    {"CDMA", "CDMA_Rows", "select * from temp.cdma_rows"},
    {"TDMA", "TDMA_Rows", "select * from temp.tdma_rows"},
    {"MICROANT", "MicroAnt", "select * from temp.microant"},
};

// `templateAttributes` go on TEMPLATES.TEMPLATE; `omit` names a
// STOREDPROCS element left out.
inline std::string config(const std::string& templateAttributes =
                              "Excel=\"Diagram.xls\" mc=\"MC.xlt\" mcTDMA=\"MCT.xlt\" "
                              "mcCDMA=\"MCC.xlt\"",
                          const std::string& omit = "") {
  std::string procs, queries;
  for (const Procedure& p : kProcedures) {
    if (omit == p.key) continue;
    std::string result = std::string(p.key) + "Result";
    procs += "<" + std::string(p.key) + " proc=\"" + p.proc + "\" result=\"" + result + "\"/>";
    queries += "<QUERY Name=\"" + result + "\" Select=\"" + p.resultSql + "\"/>";
  }
  return "<REPORT Entity=\"Cell\"><TEMPLATES><TEMPLATE " + templateAttributes +
         "/></TEMPLATES><SELECTS><SELECT Name=\"SWcell\"/></SELECTS><STOREDPROCS>" + procs +
         "</STOREDPROCS><QUERIES><QUERY Name=\"SWcell\" Table=\"tnl_cfg_cell\" "
         "SingleSelect=\"True\"><FIELDS><FIELD Name=\"name\"/></FIELDS></QUERY>" +
         queries + "</QUERIES></REPORT>";
}

// "CALL tnl_cfg_reports.<proc>(1000003)".
inline std::string callOf(const char* proc) {
  return std::string("CALL tnl_cfg_reports.") + proc + "(1000003)";
}

// The cell row (fr0tech, rcs_tech), the select and the microcell statuses.
inline void scriptCell(ReportHarness& h, const std::string& rcsTech,
                       const std::vector<std::string>& statuses) {
  h.data.series[kCell] = 3;
  h.data.names[kCell] = kCellName;
  h.connection.script(kTechSql, {{"ptm", rcsTech}});
  h.connection.tableHasInstanceId("TNL_CFG_CELL");
  h.connection.script(kSelectSql, {{"1000003", kCellName}});
  h.connection.scriptOutputs(kGetMcStatus, statuses);
}

inline std::vector<TarnelSteeringData::Entry> entries(
    const std::vector<std::pair<const char*, const char*>>& list) {
  std::vector<TarnelSteeringData::Entry> out;
  for (const auto& e : list) out.emplace_back(e.first, e.second);
  return out;
}

}  // namespace diagramtest

#endif  // TARNEL_TESTS_DIAGRAM_DIAGRAMTESTSUPPORT_H_
