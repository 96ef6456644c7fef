#include "reports/diagram/TarnelKelBTSDiagramReport.h"

TarnelKelBTSDiagramReport::TarnelKelBTSDiagramReport(
    RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager, LogUser& user)
    : TarnelPivCellFamilyDiagramReport(name, connection, dataManager, user,
                                       PivCellFamilyLayout::kKelBTS) {}
