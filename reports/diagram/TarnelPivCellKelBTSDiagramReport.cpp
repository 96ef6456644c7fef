#include "reports/diagram/TarnelPivCellKelBTSDiagramReport.h"

TarnelPivCellKelBTSDiagramReport::TarnelPivCellKelBTSDiagramReport(
    RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager, LogUser& user)
    : TarnelPivCellFamilyDiagramReport(name, connection, dataManager, user,
                                       PivCellFamilyLayout::kPivCellKelBTS) {}
