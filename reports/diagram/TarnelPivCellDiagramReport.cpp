#include "reports/diagram/TarnelPivCellDiagramReport.h"

TarnelPivCellDiagramReport::TarnelPivCellDiagramReport(
    RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager, LogUser& user)
    : TarnelPivCellFamilyDiagramReport(name, connection, dataManager, user,
                                       PivCellFamilyLayout::kPivCell) {}
