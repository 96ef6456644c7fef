// A series-2 diagram configuration for the unit tests: cell 5, one configured
// select, the nine CDMA queries (no fields: their rows are scripted whole) and
// the eight AMPS/TDMA queries with their fields in the order listed here, so a
// scripted row is the instance id followed by the fields in that order.
#ifndef TARNEL_TESTS_SERIES2_S2TESTSUPPORT_H_
#define TARNEL_TESTS_SERIES2_S2TESTSUPPORT_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/KvException.h"
#include "reports/series2/TarnelS2CellDiagramReport.h"
#include "tests/support/ReportHarness.h"

namespace s2test {

const int kCell = 5;
const char kFrameSql[] =
    "select fr0tech,fr1tech,fr2tech,fr3tech,fr4tech,fr5tech,s2mmcea_t FROM tnl_cfg_cell "
    "WHERE instance_id = 5";
const char kSelectSql[] =
    "select tbl.instance_id, tbl.name from tnl_cfg_cell tbl where tbl.instance_id = 5";
const char kSelectText[] = "name\tS2CELL\n";

const char* const kCdmaQueries[] = {"s2_evenbba", "s2_evenccc", "s2_evenccu",
                                    "s2_oddbba",  "s2_oddccc",  "s2_oddccu",
                                    "s2_crtu",    "s2_ds1brds", "s2_catbrds"};

struct AmpsDef {
  const char *name, *table;
  std::vector<std::string> fields;
};
// clang-format off
inline const std::vector<AmpsDef>& ampsDefs() {
  static const std::vector<AmpsDef> defs = {
      {"SWcom2", "rtu", {"tr", "rtu_t", "rtuslt_t", "tdvcc_t", "trtu_hwtype"}},
      {"SWrdtk", "radio", {"frame", "shlf", "slot", "stat", "vrno", "ant", "tr_ant", "vrchnl",
                           "satcc", "dvcc_t", "vrtech", "sg", "techtype", "mpc"}},
      {"SWctm", "ctm", {"tg", "tm", "lacnum", "ds0", "ds1"}},
      {"SWsuradio", "su", {"frame", "shelf", "slot", "status", "su_radio", "rfpi", "lac",
                           "techtype", "xmitsu"}},
      {"SWlocate", "loc", {"frame", "shelf", "slot", "status", "loc_radio", "type"}},
      {"SWds1brds", "ds1", {"frame", "shelf", "slot", "status", "ds1_brd", "ds1type"}},
      {"SWcatbrd", "cat", {"frame", "shelf", "slot", "status", "cat_brd", "s_cattype"}},
      {"SWdcch", "dcch", {"frame", "shlf", "slot", "vrno", "ant", "tr_ant", "vrchnl", "dvcc_t",
                          "lacnum", "hwtype", "dstat0", "dstat1", "dstat2"}},
  };
  return defs;
}
// clang-format on

inline std::string cdmaSql(const std::string& name) {
  return "select tbl.instance_id from " + name + " tbl where tbl.instance_id = 5";
}

// The SQL the report runs for an AMPS/TDMA query, with its suffix.
inline std::string ampsSql(const std::string& name, const std::string& suffix = "") {
  for (const AmpsDef& d : ampsDefs()) {
    if (name != d.name) continue;
    std::string sql = "select tbl.instance_id";
    for (const std::string& f : d.fields) sql += ", tbl." + f;
    return sql + " from " + d.table + " tbl where tbl.instance_id = 5" + suffix;
  }
  return "";
}

inline std::string ctmSql(const std::string& vrno) {
  return ampsSql("SWctm", " and tbl.vrg=0 and tbl.vrno=" + vrno +
                              " and tbl.ts=0 order by tbl.vrg, tbl.vrno, tbl.ts");
}

const char kLocSuffix[] = " and status != 'u' order by tbl.loc_radio";
const char kDs1Suffix[] = " and status != 'u' order by tbl.ds1_brd";
const char kCatSuffix[] = " and status != 'u' order by tbl.cat_brd";

// A query definition reading `fields` of `table`; `attributes` go into the QUERY element.
inline std::string queryXml(const std::string& name, const std::string& table,
                            const std::vector<std::string>& fields,
                            const std::string& attributes = "") {
  std::string xml = "<QUERY Name=\"" + name + "\" Table=\"" + table + "\"" + attributes + ">";
  if (fields.empty()) return xml + "</QUERY>";
  xml += "<FIELDS>";
  for (const std::string& f : fields) xml += "<FIELD Name=\"" + f + "\"/>";
  return xml + "</FIELDS></QUERY>";
}

// The configuration; the definition of the query `name` is replaced by `replacement`.
inline std::string config(const std::string& name = "", const std::string& replacement = "") {
  std::string queries;
  for (const char* q : kCdmaQueries) queries += name == q ? replacement : queryXml(q, q, {});
  for (const AmpsDef& d : ampsDefs()) {
    queries += name == d.name ? replacement : queryXml(d.name, d.table, d.fields);
  }
  return "<REPORT Entity=\"Cell\"><TEMPLATES><TEMPLATE Excel=\"S2Diagram.xls\"/></TEMPLATES>"
         "<SELECTS><SELECT Name=\"SWcell\"/></SELECTS><QUERIES>" +
         queryXml("SWcell", "tnl_cfg_cell", {"name"}, " SingleSelect=\"True\"") + queries +
         "</QUERIES></REPORT>";
}

// Runs the report for cell 5 with scripted frame technologies; one per case
// when a test loops over a table.
struct S2Run {
  S2Run() {
    h.connection.script(kSelectSql, {{"5", "S2CELL"}});
    h.connection.tableHasInstanceId("TNL_CFG_CELL");
  }
  // Six frame technologies and the CEA indicator.
  void frames(const std::vector<std::string>& techs, const std::string& cea = "") {
    std::vector<std::string> row(techs);
    row.resize(TarnelS2CellDiagramReport::kFrames);
    row.push_back(cea);
    h.connection.script(kFrameSql, {row});
  }
  void rows(const std::string& sql, Rows values) { h.connection.script(sql, std::move(values)); }
  // The stream text after the select's own line.
  std::string build(const std::string& xml = config()) {
    h.configure(xml);
    report = h.make<TarnelS2CellDiagramReport>("S2");
    steering = h.run(*report, kCell);
    std::string text = h.data.text();
    return text.compare(0, sizeof kSelectText - 1, kSelectText) == 0
               ? text.substr(sizeof kSelectText - 1)
               : "missing select: " + text;
  }
  // The message of the KvException the build throws; "" when it throws none.
  std::string buildError(const std::string& xml) {
    try {
      build(xml);
    } catch (const KvException& e) {
      return e.what();
    }
    return "";
  }
  bool executed(const std::string& sql) const {
    const std::vector<std::string>& run = h.connection.executed();
    return std::find(run.begin(), run.end(), sql) != run.end();
  }

  ReportHarness h;
  std::unique_ptr<TarnelS2CellDiagramReport> report;
  TarnelSteeringData steering;
};

class S2ReportTest : public ::testing::Test, public S2Run {};

}  // namespace s2test

#endif  // TARNEL_TESTS_SERIES2_S2TESTSUPPORT_H_
