#include "reports/diagram/TarnelMicrocellDiagramReport.h"

#include "framework/KvException.h"
#include "framework/ReportDataManager.h"

namespace {

const char kEquipped[] = "e";
const char kPreBuildContext[] = "PREBUILD";
const TarnelMacroFile kDiagramMacro = 4;

// The steering setters of positions 1 to 6 (plain functions: arrays of
// member pointers trip the bounds sanitizer).
typedef void (*StatusSetter)(TarnelSteeringData&, const RWEString&);
const StatusSetter kStatusSetters[TarnelMicrocellDiagramReport::kPositions] = {
    [](TarnelSteeringData& d, const RWEString& v) { d.PFMcell1(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFMcell2(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFMcell3(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFMcell4(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFMcell5(v); },
    [](TarnelSteeringData& d, const RWEString& v) { d.PFMcell6(v); },
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
  for (int i = 0; i < kPositions; ++i) kStatusSetters[i](data, mcStatus[i]);
}
