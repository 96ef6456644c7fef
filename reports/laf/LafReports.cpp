#include "engine/ReportRegistry.h"
#include "reports/ReportFamilies.h"
#include "reports/laf/TarnelLAFAntennaFace3GReport.h"
#include "reports/laf/TarnelLAFAntennaFaceReport.h"
#include "reports/laf/TarnelLAFCDMANeighbourListReport.h"
#include "reports/laf/TarnelLAFMahoReport.h"
#include "reports/laf/TarnelLAFNeighbourListReport.h"
#include "reports/laf/TarnelLAFReport.h"
#include "reports/laf/TarnelLAFServerGroupReport.h"
#include "reports/laf/TarnelLAF_CDMA_DHNeighbourListReport.h"

// The reports over one LAF.
void registerLafReports(ReportRegistry& registry) {
  registry.add<TarnelLAFReport>("TarnelLAFReport");
  registry.add<TarnelLAFNeighbourListReport>("TarnelLAFNeighbourListReport");
  registry.add<TarnelLAFCDMANeighbourListReport>("TarnelLAFCDMANeighbourListReport");
  registry.add<TarnelLAF_CDMA_DHNeighbourListReport>("TarnelLAF_CDMA_DHNeighbourListReport");
  registry.add<TarnelLAFAntennaFaceReport>("TarnelLAFAntennaFaceReport");
  registry.add<TarnelLAFAntennaFace3GReport>("TarnelLAFAntennaFace3GReport");
  registry.add<TarnelLAFServerGroupReport>("TarnelLAFServerGroupReport");
  registry.add<TarnelLAFMahoReport>("TarnelLAFMahoReport");
}
