#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/laf/TarnelLAFAntennaFace3GReport.h"
#include "reports/laf/TarnelLAFAntennaFaceReport.h"
#include "reports/laf/TarnelLAFCDMANeighbourListReport.h"
#include "reports/laf/TarnelLAFMahoReport.h"
#include "reports/laf/TarnelLAFNeighbourListBase.h"
#include "reports/laf/TarnelLAFNeighbourListReport.h"
#include "reports/laf/TarnelLAFReport.h"
#include "reports/laf/TarnelLAFServerGroupReport.h"
#include "reports/laf/TarnelLAF_CDMA_DHNeighbourListReport.h"

namespace {

const char kVoiceLaf[] = "VoiceLAF";
const char kAntenna[] = "Antenna";

// The LAF build's AP blocks (the voice-LAF one with `voiceLaf`), then `sections`.
ConfigurationNeeds lafNeeds(bool voiceLaf, const std::vector<LafQuery>& sections,
                            const std::vector<LafQuery>& more = {}) {
  ConfigurationNeeds needs = ConfigurationNeeds::fixed();
  needs.add(TarnelEntityReport::queryNames(TarnelEntityReport::kSeriesBlock))
      .add(TarnelEntityReport::queryNames(TarnelEntityReport::kApCellBlock))
      .add(TarnelEntityReport::queryNames(TarnelEntityReport::kApAntennaBlock));
  if (voiceLaf) needs.add(TarnelEntityReport::queryNames(TarnelEntityReport::kApVoiceLafBlock));
  for (const LafQuery& q : sections) needs.query(q.name);
  for (const LafQuery& q : more) needs.query(q.name);
  return needs;
}

ConfigurationNeeds entityNeeds(const char* entity, const std::vector<LafQuery>& more = {}) {
  return lafNeeds(entity == std::string(kVoiceLaf), TarnelLAFReport::sections(entity), more);
}

}  // namespace

// The reports over one LAF.
void registerLafReports(ReportRegistry& registry) {
  registry.add<TarnelLAFReport>("TarnelLAFReport", entityNeeds(kVoiceLaf));
  registry.add<TarnelLAFNeighbourListReport>("TarnelLAFNeighbourListReport",
                                             lafNeeds(true, LafNeighbourList::kPlain.queries));
  registry.add<TarnelLAFCDMANeighbourListReport>("TarnelLAFCDMANeighbourListReport",
                                                 lafNeeds(true, LafNeighbourList::kCdma.queries));
  registry.add<TarnelLAF_CDMA_DHNeighbourListReport>("TarnelLAF_CDMA_DHNeighbourListReport",
                                                     lafNeeds(true, LafNeighbourList::kCdmaDh.queries));
  registry.add<TarnelLAFAntennaFaceReport>("TarnelLAFAntennaFaceReport", entityNeeds(kAntenna));
  registry.add<TarnelLAFAntennaFace3GReport>(
      "TarnelLAFAntennaFace3GReport", entityNeeds(kAntenna, TarnelLAFAntennaFace3GReport::k3GSections));
  registry.add<TarnelLAFServerGroupReport>("TarnelLAFServerGroupReport", entityNeeds(kVoiceLaf));
  // Builds nothing.
  registry.add<TarnelLAFMahoReport>("TarnelLAFMahoReport", ConfigurationNeeds::fixed());
}
