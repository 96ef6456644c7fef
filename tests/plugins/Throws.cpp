// A report library whose registration fails half-way.
#include <stdexcept>

#include "ExampleCellCoverageReport.h"
#include "engine/ReportRegistry.h"

extern "C" int tarnel_report_library(ReportRegistry* registry, int) {
  registry->add<ExampleCellCoverageReport>("ExampleCellCoverageReport");
  throw std::runtime_error("licence file missing");
}
