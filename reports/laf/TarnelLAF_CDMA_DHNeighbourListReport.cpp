#include "reports/laf/TarnelLAF_CDMA_DHNeighbourListReport.h"

TarnelLAF_CDMA_DHNeighbourListReport::TarnelLAF_CDMA_DHNeighbourListReport(
    RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager, LogUser& user)
    : TarnelLAFNeighbourListBase(name, connection, dataManager, user, LafNeighbourList::kCdmaDh) {}
