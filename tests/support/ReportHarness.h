// ReportHarness: runs a report class against the in-memory connection and
// data manager the way the framework does: configure, preBuild, buildReport,
// postBuild, populateSteeringData. The configuration's QUERIES.QUERY
// definitions are the data manager's query definitions.
#ifndef TARNEL_TESTS_SUPPORT_REPORTHARNESS_H_
#define TARNEL_TESTS_SUPPORT_REPORTHARNESS_H_

#include <memory>
#include <string>
#include <vector>

#include "framework/KvException.h"
#include "framework/TarnelReportInfo.h"
#include "framework/TarnelSteeringData.h"
#include "framework/XMLDocument.h"
#include "tests/support/InMemoryConnection.h"
#include "tests/support/InMemoryDataManager.h"
#include "tests/support/Thrown.h"

class ReportHarness {
 public:
  // Parses `xml` as the report configuration and takes its query definitions.
  void configure(const std::string& xml) {
    config_ = XMLDocument::parseText(xml, "config");
    data.defineQueries(xml);
  }

  template <typename T>
  std::unique_ptr<T> make(const std::string& title = "Report") {
    auto report = std::make_unique<T>(RWEString(title), connection, data, log);
    report->setConfigElement(config_.get());
    return report;
  }

  // configure (instance id, scenario) and the build operations, in order.
  template <typename T>
  void build(T& report, int instanceId, const std::string& scenario = "") {
    TarnelReportInfo info(instanceId, scenario);
    report.configure(info);
    report.preBuild();
    report.buildReport();
    report.postBuild();
  }

  // build, then the steering data.
  template <typename T>
  TarnelSteeringData run(T& report, int instanceId, const std::string& scenario = "") {
    build(report, instanceId, scenario);
    TarnelSteeringData steering;
    report.populateSteeringData(steering);
    return steering;
  }

  // configure(xml), then run of a T titled `title` on `id`; stream 0's text.
  template <typename T>
  std::string text(const std::string& xml, int id, const std::string& title = "Report") {
    configure(xml);
    auto report = make<T>(title);
    run(*report, id);
    return data.text(0);
  }

  // QUERY elements of single selects `names` whose scripted row for `id`
  // writes the line "<name>\t<name>" (see echoText).
  std::string echoQueries(const std::vector<std::string>& names, int id) {
    std::string xml;
    for (const std::string& n : names) {
      xml += "<QUERY Name=\"" + n + "\" SingleSelect=\"True\" Select=\"echo " + n +
             " \"><FIELDS><FIELD Name=\"" + n + "\"/></FIELDS></QUERY>";
      connection.script("echo " + n + " " + std::to_string(id), {{n}});
    }
    return xml;
  }
  // The CellSeries query definition; it returns `rows` for `id`.
  std::string seriesQuery(int id, Rows rows) {
    connection.script("select tbl.instance_id, tbl.series from tnl_cfg_cell tbl where "
                      "tbl.instance_id = " + std::to_string(id), std::move(rows));
    return "<QUERY Name=\"CellSeries\" Table=\"tnl_cfg_cell\" SingleSelect=\"True\"><FIELDS>"
           "<FIELD Name=\"series\"/></FIELDS></QUERY>";
  }
  static std::string echoText(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names) text += n + "\t" + n + "\n";
    return text;
  }

  InMemoryConnection connection;
  InMemoryDataManager data;
  RecordingLogUser log;

 private:
  std::unique_ptr<KvXMLElement> config_;
};

// "key=value" lines of the steering calls, in order.
inline std::string steeringText(const TarnelSteeringData& steering) {
  std::string text;
  for (const auto& e : steering.calls()) text += e.first.str() + "=" + e.second.str() + "\n";
  return text;
}

#endif  // TARNEL_TESTS_SUPPORT_REPORTHARNESS_H_
