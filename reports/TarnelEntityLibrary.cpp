// The entry point of libTarnelEntity: the built-in report classes register
// through the same call as a plug-in's.
#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"

namespace {
void registerAllFamilies(ReportRegistry& registry) {
  registerInstanceReports(registry);
  registerCellReports(registry);
  registerLafReports(registry);
  registerDiagramReports(registry);
  registerSeries2Reports(registry);
  registerEvdoReports(registry);
}
}  // namespace

extern "C" int tarnel_report_library(ReportRegistry* registry, int hostAbi) {
  return ReportRegistry::enterLibrary(registry, hostAbi, &registerAllFamilies);
}
