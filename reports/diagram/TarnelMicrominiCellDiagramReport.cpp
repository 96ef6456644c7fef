#include "reports/diagram/TarnelMicrominiCellDiagramReport.h"

namespace {
const RWEString kTemplate("mc");
// A micro or mini cell is its own single microcell.
const char* const kStatuses[TarnelMicrocellDiagramReport::kPositions] = {"e", "u", "u",
                                                                         "u", "u", "u"};
}  // namespace

const char TarnelMicrominiCellDiagramReport::kCdbsPath[] = "STOREDPROCS.CDBS";

TarnelMicrominiCellDiagramReport::TarnelMicrominiCellDiagramReport(
    RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager, LogUser& user)
    : TarnelMicrocellDiagramReport(name, connection, dataManager, user) {}

TarnelMicrominiCellDiagramReport::~TarnelMicrominiCellDiagramReport() = default;

void TarnelMicrominiCellDiagramReport::preBuild() {
  TarnelBrivantDiagramReport::preBuild();
  templateName = templateAttribute(kTemplate);
  for (int i = 0; i < kPositions; ++i) mcStatus[i] = kStatuses[i];
}

void TarnelMicrominiCellDiagramReport::buildReport() {
  TarnelBrivantDiagramReport::buildReport();
  doConfiguredStoredProc(kCdbsPath);
}

void TarnelMicrominiCellDiagramReport::populateSteeringData(TarnelSteeringData& data) {
  TarnelBrivantDiagramReport::populateSteeringData(data);
  populateWorkbookAndTemplate(data);
  populateMcStatus(data);
}
