// TarnelInstanceReport: the shared implementation of the reports over one
// instance of the entity their configuration names. It binds the report to
// the run's active instance, writes the AP blocks its table names ahead of
// the configured selects, and names template and data file in the steering
// data. The concrete classes differ only by their table of blocks.
#ifndef TARNEL_REPORTS_INSTANCE_TARNELINSTANCEREPORT_H_
#define TARNEL_REPORTS_INSTANCE_TARNELINSTANCEREPORT_H_

#include "engine/BoundInstance.h"
#include "engine/TarnelEntityReport.h"

// What a report writes before and after its configured selects.
struct InstanceReportBlocks {
  bool apCell;        // doAPCell (cell block and "SWLoadDataTRX")
  bool apAntenna;     // doAPantenna
  bool apVoiceLaf;    // doAPvlaf
  bool reopenStream;  // openStream a second time after the selects

  static const InstanceReportBlocks kLMT;             // cell; stream reopened
  static const InstanceReportBlocks kMAHO;            // cell, antenna, voice LAF
  static const InstanceReportBlocks kCellAndAntenna;  // cell, antenna (CCH reselection, setup)
  static const InstanceReportBlocks kSelectsOnly;     // nothing but the selects
};

class TarnelInstanceReport : public TarnelEntityReport {
 public:
  // Instance id and scenario of the run.
  void configure(TarnelReportInfo& info) override;
  // Opens the stream, writes the table's blocks, then the selects.
  void buildReport() override;
  void populateSteeringData(TarnelSteeringData& data) override;
  // The configuration root's "Entity" attribute, read at every call.
  RWEString entityName() override;
  // The active instance id; -1 before configure.
  int instanceId() override;

 protected:
  TarnelInstanceReport(RWEString name, XMLQueryInterface& connection,
                       ReportDataManager& dataManager, LogUser& user,
                       const InstanceReportBlocks& blocks);

 private:
  const InstanceReportBlocks& blocks_;
  BoundInstance instance_;
};

#endif  // TARNEL_REPORTS_INSTANCE_TARNELINSTANCEREPORT_H_
