// ReportHarness: runs a report class against the in-memory connection and
// data manager the way the framework does: configure, preBuild, buildReport,
// postBuild, populateSteeringData. The configuration's QUERIES.QUERY
// definitions are the data manager's query definitions.
#ifndef TARNEL_TESTS_SUPPORT_REPORTHARNESS_H_
#define TARNEL_TESTS_SUPPORT_REPORTHARNESS_H_

#include <memory>
#include <string>

#include "framework/TarnelReportInfo.h"
#include "framework/TarnelSteeringData.h"
#include "framework/XMLDocument.h"
#include "tests/support/InMemoryConnection.h"
#include "tests/support/InMemoryDataManager.h"

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

  InMemoryConnection connection;
  InMemoryDataManager data;
  RecordingLogUser log;

 private:
  std::unique_ptr<KvXMLElement> config_;
};

#endif  // TARNEL_TESTS_SUPPORT_REPORTHARNESS_H_
