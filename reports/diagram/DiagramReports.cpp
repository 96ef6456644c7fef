#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/diagram/TarnelBrivantDiagramReport.h"
#include "reports/diagram/TarnelKelBTSDiagramReport.h"
#include "reports/diagram/TarnelMicrominiCellDiagramReport.h"
#include "reports/diagram/TarnelPivCellDiagramReport.h"
#include "reports/diagram/TarnelPivCellFamilyDiagramReport.h"
#include "reports/diagram/TarnelPivCellKelBTSDiagramReport.h"
#include "reports/diagram/TarnelS3CellDiagramReport.h"

namespace {

// The selects, then the stored procedures of `layout`.
ConfigurationNeeds needsOf(const PivCellFamilyLayout& layout) {
  ConfigurationNeeds needs;
  for (const char* path : layout.procedures) {
    if (path) needs.procedure(path);
  }
  return needs;
}

}  // namespace

// The diagram report classes.
void registerDiagramReports(ReportRegistry& registry) {
  typedef TarnelBrivantDiagramReport Base;
  registry.add<TarnelBrivantDiagramReport>("TarnelBrivantDiagramReport");
  registry.add<TarnelPivCellDiagramReport>("TarnelPivCellDiagramReport",
                                           needsOf(PivCellFamilyLayout::kPivCell));
  registry.add<TarnelKelBTSDiagramReport>("TarnelKelBTSDiagramReport",
                                          needsOf(PivCellFamilyLayout::kKelBTS));
  registry.add<TarnelPivCellKelBTSDiagramReport>("TarnelPivCellKelBTSDiagramReport",
                                                 needsOf(PivCellFamilyLayout::kPivCellKelBTS));
  registry.add<TarnelS3CellDiagramReport>(
      "TarnelS3CellDiagramReport",
      ConfigurationNeeds().procedure(Base::kMicroAntPath).procedure(Base::kCdmaPath).procedure(Base::kTdmaPath));
  registry.add<TarnelMicrominiCellDiagramReport>(
      "TarnelMicrominiCellDiagramReport",
      ConfigurationNeeds().procedure(TarnelMicrominiCellDiagramReport::kCdbsPath));
}
