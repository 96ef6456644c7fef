// A report library that registers a class under a built-in class's name.
#include "ExampleCellCoverageReport.h"
#include "engine/ReportRegistry.h"

namespace {
void registerClasses(ReportRegistry& registry) {
  registry.add<ExampleCellCoverageReport>("TarnelECPReport");
}
}  // namespace

extern "C" int tarnel_report_library(ReportRegistry* registry, int hostAbi) {
  return ReportRegistry::enterLibrary(registry, hostAbi, &registerClasses);
}
