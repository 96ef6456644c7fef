// A minimal concrete entity report for driving the engine in tests.
#ifndef TARNEL_TESTS_ENGINE_TESTREPORT_H_
#define TARNEL_TESTS_ENGINE_TESTREPORT_H_

#include "engine/TarnelEntityReport.h"
#include "framework/TarnelReportInfo.h"

class TestReport : public TarnelEntityReport {
 public:
  using TarnelEntityReport::TarnelEntityReport;
  void configure(TarnelReportInfo& info) override {
    id = info.activeInstanceId();
    TarnelEntityReport::configure(info);
  }
  void populateSteeringData(TarnelSteeringData& data) override {
    TarnelEntityReport::populateSteeringData(data);
  }
  RWEString entityName() override { return entity; }
  int instanceId() override { return id; }
  int stream() const { return streamNumber; }
  void openStream() { openReportStream(); }

  RWEString entity = "Cell";
  int id = -1;
};

#endif  // TARNEL_TESTS_ENGINE_TESTREPORT_H_
