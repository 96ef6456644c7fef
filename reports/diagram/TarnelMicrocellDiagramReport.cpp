#include "reports/diagram/TarnelMicrocellDiagramReport.h"

#include "framework/KvException.h"
#include "framework/ReportDataManager.h"

namespace {

const char kEquipped[] = "e";
const char kPreBuildContext[] = "PREBUILD";
const TarnelMacroFile kDiagramMacro = 4;

typedef void (TarnelSteeringData::*StatusSetter)(const RWEString&);
const StatusSetter kStatusSetters[TarnelMicrocellDiagramReport::kPositions] = {
    &TarnelSteeringData::PFMcell1, &TarnelSteeringData::PFMcell2, &TarnelSteeringData::PFMcell3,
    &TarnelSteeringData::PFMcell4, &TarnelSteeringData::PFMcell5, &TarnelSteeringData::PFMcell6,
};

}  // namespace

TarnelMicrocellDiagramReport::TarnelMicrocellDiagramReport(RWEString name,
                                                           XMLQueryInterface& connection,
                                                           ReportDataManager& dataManager,
                                                           LogUser& user)
    : TarnelBrivantDiagramReport(name, connection, dataManager, user) {}

TarnelMicrocellDiagramReport::~TarnelMicrocellDiagramReport() = default;

void TarnelMicrocellDiagramReport::populateSteeringData(TarnelSteeringData& data) {
  populateWorkbookAndTemplate(data);
  data.PFFrtech0(fr0tech);
  data.PFDataFileName(dataManager().streamFilename(streamNumber));
  populateMcStatus(data);
}

void TarnelMicrocellDiagramReport::readMcStatus() {
  RWEStringCollection statuses;
  getMcStatus(statuses, instanceId());
  for (int i = 0; i < kPositions; ++i) mcStatus[i] = statuses.getString(i);
}

void TarnelMicrocellDiagramReport::requireEquipped(int positions, const char* message,
                                                   bool withContext) {
  for (int i = 0; i < positions; ++i) {
    if (mcStatus[i] == kEquipped) return;
  }
  ReportMessageException e(message + dataManager().instanceName(instanceId()));
  if (withContext) e.context(kPreBuildContext);
  throw e;
}

void TarnelMicrocellDiagramReport::populateWorkbookAndTemplate(TarnelSteeringData& data) {
  data.runMacro(kDiagramMacro);
  data.PFBrivantWorkbook(excelTemplateFile());
  data.PFBrivantTemplate(templateName);
}

void TarnelMicrocellDiagramReport::populateMcStatus(TarnelSteeringData& data) const {
  for (int i = 0; i < kPositions; ++i) (data.*kStatusSetters[i])(mcStatus[i]);
}
