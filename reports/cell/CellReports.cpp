#include "engine/ReportRegistry.h"
#include "reports/cell/TarnelCellReport.h"

// The cell reports.
void registerCellReports(ReportRegistry& registry) {
  registry.add<TarnelCellReport>("TarnelCellReport");
}
