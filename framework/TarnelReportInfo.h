// TarnelReportInfo: what the framework tells a report at configure time: the
// instance reported on and the scenario of the run.
#ifndef TARNEL_FRAMEWORK_TARNELREPORTINFO_H_
#define TARNEL_FRAMEWORK_TARNELREPORTINFO_H_

#include "framework/RWEString.h"

class TarnelReportInfo {
 public:
  TarnelReportInfo(int instanceId, const RWEString& scenarioText)
      : scenario(scenarioText), instanceId_(instanceId) {}

  int activeInstanceId() const { return instanceId_; }

  // The run's scenario; empty when every instance is in scope.
  RWEString scenario;

 private:
  int instanceId_;
};

#endif  // TARNEL_FRAMEWORK_TARNELREPORTINFO_H_
