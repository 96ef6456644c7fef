#include "reports/laf/TarnelLAFAntennaFaceReport.h"

namespace {
const char kEntity[] = "Antenna";
const char kTemplate[] = "antrpt.xlt";
}  // namespace

TarnelLAFAntennaFaceReport::TarnelLAFAntennaFaceReport(RWEString name,
                                                       XMLQueryInterface& connection,
                                                       ReportDataManager& dataManager,
                                                       LogUser& user)
    : TarnelLAFReport(name, connection, dataManager, user) {}

void TarnelLAFAntennaFaceReport::preBuild() {}

void TarnelLAFAntennaFaceReport::postBuild() {}

RWEString TarnelLAFAntennaFaceReport::entityName() { return kEntity; }

RWEString TarnelLAFAntennaFaceReport::excelTemplateFile() { return kTemplate; }
