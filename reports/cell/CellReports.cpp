#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/cell/TarnelCell3GReport.h"
#include "reports/cell/TarnelCellParameterReport.h"
#include "reports/cell/TarnelCellReport.h"

// The cell reports.
void registerCellReports(ReportRegistry& registry) {
  registry.add<TarnelCellReport>("TarnelCellReport");
  registry.add<TarnelCellParameterReport>("TarnelCellParameterReport");
  registry.add<TarnelCell3GReport>("TarnelCell3GReport");
}
