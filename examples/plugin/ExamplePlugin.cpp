// The plug-in's entry point: tarnel-report calls it once when it loads the
// library (--plugin or TARNEL_PLUGIN_PATH) and takes the classes it adds.
#include "ExampleCellCoverageReport.h"
#include "engine/ReportRegistry.h"

namespace {
void registerClasses(ReportRegistry& registry) {
  registry.add<ExampleCellCoverageReport>("ExampleCellCoverageReport");
}
}  // namespace

extern "C" int tarnel_report_library(ReportRegistry* registry, int hostAbi) {
  return ReportRegistry::enterLibrary(registry, hostAbi, &registerClasses);
}
