#include "reports/laf/TarnelLAFCDMANeighbourListReport.h"

TarnelLAFCDMANeighbourListReport::TarnelLAFCDMANeighbourListReport(
    RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager, LogUser& user)
    : TarnelLAFNeighbourListBase(name, connection, dataManager, user, LafNeighbourList::kCdma) {}
