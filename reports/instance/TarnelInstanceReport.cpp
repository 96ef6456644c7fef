#include "reports/instance/TarnelInstanceReport.h"

#include "framework/TarnelReportInfo.h"

//                                                              apCell apAntenna apVoiceLaf reopen
const InstanceReportBlocks InstanceReportBlocks::kLMT = {true, false, false, true};
const InstanceReportBlocks InstanceReportBlocks::kMAHO = {true, true, true, false};
const InstanceReportBlocks InstanceReportBlocks::kCellAndAntenna = {true, true, false, false};
const InstanceReportBlocks InstanceReportBlocks::kSelectsOnly = {false, false, false, false};

TarnelInstanceReport::TarnelInstanceReport(RWEString name, XMLQueryInterface& connection,
                                           ReportDataManager& dataManager, LogUser& user,
                                           const InstanceReportBlocks& blocks)
    : TarnelEntityReport(name, connection, dataManager, user), blocks_(blocks) {}

void TarnelInstanceReport::configure(TarnelReportInfo& info) { instance_.bind(info, scenario); }

void TarnelInstanceReport::buildReport() {
  openReportStream();
  if (blocks_.apCell) doAPCell(streamNumber);
  if (blocks_.apAntenna) doAPantenna(streamNumber);
  if (blocks_.apVoiceLaf) doAPvlaf(streamNumber);
  processConfiguredSelects();
  if (blocks_.reopenStream) openReportStream();
}

void TarnelInstanceReport::populateSteeringData(TarnelSteeringData& data) {
  populateTemplateAndDataFile(data);
}

RWEString TarnelInstanceReport::entityName() { return instance_.entity(*configElement); }

int TarnelInstanceReport::instanceId() { return instance_.id(); }
