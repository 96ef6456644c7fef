#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/cell/TarnelCell3GReport.h"
#include "reports/cell/TarnelCellParameterReport.h"
#include "reports/cell/TarnelCellReport.h"

namespace {

// The selects after the AP cell block (the series is the data manager's).
ConfigurationNeeds withApCell() {
  ConfigurationNeeds needs;
  needs.add(TarnelEntityReport::queryNames(TarnelEntityReport::kApCellBlock));
  return needs;
}

}  // namespace

// The cell reports.
void registerCellReports(ReportRegistry& registry) {
  registry.add<TarnelCellReport>("TarnelCellReport", withApCell());
  registry.add<TarnelCellParameterReport>("TarnelCellParameterReport");
  registry.add<TarnelCell3GReport>("TarnelCell3GReport", withApCell());
}
