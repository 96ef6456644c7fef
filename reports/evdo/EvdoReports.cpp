#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/evdo/Tarnel1xEVNbrReport.h"
#include "reports/evdo/Tarnel1xEVReport.h"

// The 1xEV reports.
void registerEvdoReports(ReportRegistry& registry) {
  registry.add<Tarnel1xEVReport>("Tarnel1xEVReport");
  registry.add<Tarnel1xEVNbrReport>("Tarnel1xEVNbrReport");
}
