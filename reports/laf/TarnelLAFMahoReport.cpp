#include "reports/laf/TarnelLAFMahoReport.h"

TarnelLAFMahoReport::TarnelLAFMahoReport(RWEString name, XMLQueryInterface& connection,
                                         ReportDataManager& dataManager, LogUser& user)
    : TarnelLAFReport(name, connection, dataManager, user) {}

void TarnelLAFMahoReport::buildReport() {}

RWEString TarnelLAFMahoReport::excelTemplateFile() { return RWEString(); }
