#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/series2/TarnelS2CellDiagramReport.h"

// The series2 report classes.
void registerSeries2Reports(ReportRegistry& registry) {
  registry.add<TarnelS2CellDiagramReport>("TarnelS2CellDiagramReport");
}
