#include "reports/laf/TarnelLAFAntennaFace3GReport.h"

namespace {
const char kEntity[] = "Antenna";
const char kTemplate[] = "antface3g.xlt";
// Written after the LAF build's sections.
const std::vector<LafQuery> k3GQueries = {
    {"SWceqface3G", 1}, {"SWceqface3Galtcar", 1}, {"AddressFromCell", 1}};
}  // namespace

TarnelLAFAntennaFace3GReport::TarnelLAFAntennaFace3GReport(RWEString name,
                                                           XMLQueryInterface& connection,
                                                           ReportDataManager& dataManager,
                                                           LogUser& user)
    : TarnelLAFReport(name, connection, dataManager, user) {}

void TarnelLAFAntennaFace3GReport::buildReport() {
  TarnelLAFReport::buildReport();
  runQueries(k3GQueries);
}

RWEString TarnelLAFAntennaFace3GReport::entityName() { return kEntity; }

RWEString TarnelLAFAntennaFace3GReport::excelTemplateFile() { return kTemplate; }
