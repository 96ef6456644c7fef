// The reports over one instance that differ only by the blocks they write
// ahead of their configured selects.
#ifndef TARNEL_REPORTS_INSTANCE_INSTANCEREPORTS_H_
#define TARNEL_REPORTS_INSTANCE_INSTANCEREPORTS_H_

#include "reports/instance/TarnelInstanceReport.h"

// Cell block, antenna block, then the selects.
class TarnelCCHReselectionReport : public TarnelInstanceReport {
 public:
  TarnelCCHReselectionReport(RWEString name, XMLQueryInterface& connection,
                             ReportDataManager& dataManager, LogUser& user);
  // The instance id.
  int antennaInstanceId() { return instanceId(); }
};

// Cell block, the selects, then the stream opened a second time.
class TarnelLMTReport : public TarnelInstanceReport {
 public:
  TarnelLMTReport(RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager,
                  LogUser& user);
};

// Cell, antenna and voice-LAF blocks, then the selects.
class TarnelMAHOReport : public TarnelInstanceReport {
 public:
  TarnelMAHOReport(RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager,
                   LogUser& user);
};

// The selects alone.
class TarnelECP3GReport : public TarnelInstanceReport {
 public:
  TarnelECP3GReport(RWEString name, XMLQueryInterface& connection,
                    ReportDataManager& dataManager, LogUser& user);
};

#endif  // TARNEL_REPORTS_INSTANCE_INSTANCEREPORTS_H_
