#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/evdo/Tarnel1xEVNbrReport.h"
#include "reports/evdo/Tarnel1xEVReport.h"

// The 1xEV reports.
// Neither writes selects; each calls STOREDPROCS.IXEV and reads what it
// staged through the queries the element names.
void registerEvdoReports(ReportRegistry& registry) {
  ConfigurationNeeds element, neighbours;
  element.selects = neighbours.selects = false;
  registry.add<Tarnel1xEVReport>("Tarnel1xEVReport", element.procedure(Tarnel1xEVReport::kProcedurePath));
  registry.add<Tarnel1xEVNbrReport>(
      "Tarnel1xEVNbrReport",
      neighbours.procedure(Tarnel1xEVReport::kProcedurePath, {"resultheader", "resultbody"}));
}
