#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/instance/InstanceReports.h"
#include "reports/instance/TarnelECPReport.h"
#include "reports/instance/TarnelSetupReport.h"

namespace {

// The selects, and the queries of the AP blocks that `blocks` writes.
ConfigurationNeeds needsOf(const InstanceReportBlocks& blocks) {
  ConfigurationNeeds needs;
  if (blocks.apCell || blocks.apAntenna) {
    needs.add(TarnelEntityReport::queryNames(TarnelEntityReport::kSeriesBlock));
  }
  if (blocks.apCell) needs.add(TarnelEntityReport::queryNames(TarnelEntityReport::kApCellBlock));
  if (blocks.apAntenna) needs.add(TarnelEntityReport::queryNames(TarnelEntityReport::kApAntennaBlock));
  if (blocks.apVoiceLaf) needs.add(TarnelEntityReport::queryNames(TarnelEntityReport::kApVoiceLafBlock));
  return needs;
}

}  // namespace

// The reports over one instance.
void registerInstanceReports(ReportRegistry& registry) {
  registry.add<TarnelCCHReselectionReport>("TarnelCCHReselectionReport",
                                           needsOf(InstanceReportBlocks::kCellAndAntenna));
  registry.add<TarnelLMTReport>("TarnelLMTReport", needsOf(InstanceReportBlocks::kLMT));
  registry.add<TarnelMAHOReport>("TarnelMAHOReport", needsOf(InstanceReportBlocks::kMAHO));
  registry.add<TarnelECP3GReport>("TarnelECP3GReport", needsOf(InstanceReportBlocks::kSelectsOnly));
  registry.add<TarnelECPReport>("TarnelECPReport", needsOf(InstanceReportBlocks::kSelectsOnly));
  registry.add<TarnelSetupReport>("TarnelSetupReport", needsOf(InstanceReportBlocks::kCellAndAntenna));
}
