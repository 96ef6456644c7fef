#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/diagram/TarnelBrivantDiagramReport.h"
#include "reports/diagram/TarnelKelBTSDiagramReport.h"
#include "reports/diagram/TarnelMicrominiCellDiagramReport.h"
#include "reports/diagram/TarnelPivCellDiagramReport.h"
#include "reports/diagram/TarnelPivCellKelBTSDiagramReport.h"
#include "reports/diagram/TarnelS3CellDiagramReport.h"

// The diagram report classes.
void registerDiagramReports(ReportRegistry& registry) {
  registry.add<TarnelBrivantDiagramReport>("TarnelBrivantDiagramReport");
  registry.add<TarnelPivCellDiagramReport>("TarnelPivCellDiagramReport");
  registry.add<TarnelKelBTSDiagramReport>("TarnelKelBTSDiagramReport");
  registry.add<TarnelPivCellKelBTSDiagramReport>("TarnelPivCellKelBTSDiagramReport");
  registry.add<TarnelS3CellDiagramReport>("TarnelS3CellDiagramReport");
  registry.add<TarnelMicrominiCellDiagramReport>("TarnelMicrominiCellDiagramReport");
}
