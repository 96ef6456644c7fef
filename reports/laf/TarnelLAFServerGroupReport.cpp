#include "reports/laf/TarnelLAFServerGroupReport.h"

namespace {
const char kTemplate[] = "laf.xlt";
}  // namespace

TarnelLAFServerGroupReport::TarnelLAFServerGroupReport(RWEString name,
                                                       XMLQueryInterface& connection,
                                                       ReportDataManager& dataManager,
                                                       LogUser& user)
    : TarnelLAFReport(name, connection, dataManager, user) {}

void TarnelLAFServerGroupReport::preBuild() {}

void TarnelLAFServerGroupReport::postBuild() {}

RWEString TarnelLAFServerGroupReport::excelTemplateFile() { return kTemplate; }
