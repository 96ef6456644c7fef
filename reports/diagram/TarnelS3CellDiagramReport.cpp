#include "reports/diagram/TarnelS3CellDiagramReport.h"

namespace {
const char kTdmaRcsTech[] = "2";
const RWEString kTdmaTemplate("mcTDMA");
const RWEString kCdmaTemplate("mcCDMA");
const char kNoMicrocell[] = "There are no equipped microcells for cell ";
}  // namespace

TarnelS3CellDiagramReport::TarnelS3CellDiagramReport(RWEString name,
                                                     XMLQueryInterface& connection,
                                                     ReportDataManager& dataManager,
                                                     LogUser& user)
    : TarnelMicrocellDiagramReport(name, connection, dataManager, user) {}

TarnelS3CellDiagramReport::~TarnelS3CellDiagramReport() = default;

void TarnelS3CellDiagramReport::preBuild() {
  TarnelBrivantDiagramReport::preBuild();
  readMcStatus();
  requireEquipped(kPositions, kNoMicrocell, true);
  templateName = templateAttribute(isTdma() ? kTdmaTemplate : kCdmaTemplate);
}

void TarnelS3CellDiagramReport::buildReport() {
  TarnelBrivantDiagramReport::buildReport();
  if (isTdma()) {
    doTBrivmCell();
  } else {
    doCBrivmCell();
  }
}

bool TarnelS3CellDiagramReport::isTdma() const { return rcsTech == kTdmaRcsTech; }
