#include "reports/diagram/TarnelPivCellFamilyDiagramReport.h"

#include <iterator>

namespace {
const char kCpivPath[] = "STOREDPROCS.CPIV";
const char kKbtsPath[] = "STOREDPROCS.KBTS";
const RWEString kTemplate("mc");
const char kNoAssemblage[] = "There are no equipped assemblages for cell ";
// Positions 1 to 4 hold the assemblages; 5 and 6 do not count.
const int kAssemblagePositions = 4;
}  // namespace

//                                                               procedures            context
const PivCellFamilyLayout PivCellFamilyLayout::kPivCell = {{kCpivPath, nullptr}, true};
const PivCellFamilyLayout PivCellFamilyLayout::kKelBTS = {{kKbtsPath, nullptr}, true};
const PivCellFamilyLayout PivCellFamilyLayout::kPivCellKelBTS = {{kCpivPath, kKbtsPath}, false};

TarnelPivCellFamilyDiagramReport::TarnelPivCellFamilyDiagramReport(
    RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager, LogUser& user,
    const PivCellFamilyLayout& layout)
    : TarnelMicrocellDiagramReport(name, connection, dataManager, user), layout_(layout) {}

TarnelPivCellFamilyDiagramReport::~TarnelPivCellFamilyDiagramReport() = default;

void TarnelPivCellFamilyDiagramReport::preBuild() {
  TarnelBrivantDiagramReport::preBuild();
  readMcStatus();
  templateName = templateAttribute(kTemplate);
  requireEquipped(kAssemblagePositions, kNoAssemblage, layout_.refusalContext);
}

void TarnelPivCellFamilyDiagramReport::buildReport() {
  TarnelBrivantDiagramReport::buildReport();
  const int slots = static_cast<int>(std::size(layout_.procedures));
  for (int i = 0; i < slots && layout_.procedures[i]; ++i) {
    if (i > 0) sendNewLineToStream();
    doConfiguredStoredProc(layout_.procedures[i]);
  }
}
