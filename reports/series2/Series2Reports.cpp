#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/series2/TarnelS2CellDiagramReport.h"

// The series2 report classes.
void registerSeries2Reports(ReportRegistry& registry) {
  ConfigurationNeeds needs;
  registry.add<TarnelS2CellDiagramReport>("TarnelS2CellDiagramReport",
                                          needs.add(TarnelS2CellDiagramReport::layoutQueries()));
}
