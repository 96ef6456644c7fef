#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/instance/InstanceReports.h"
#include "reports/instance/TarnelECPReport.h"
#include "reports/instance/TarnelSetupReport.h"

// The reports over one instance.
void registerInstanceReports(ReportRegistry& registry) {
  registry.add<TarnelCCHReselectionReport>("TarnelCCHReselectionReport");
  registry.add<TarnelLMTReport>("TarnelLMTReport");
  registry.add<TarnelMAHOReport>("TarnelMAHOReport");
  registry.add<TarnelECP3GReport>("TarnelECP3GReport");
  registry.add<TarnelECPReport>("TarnelECPReport");
  registry.add<TarnelSetupReport>("TarnelSetupReport");
}
