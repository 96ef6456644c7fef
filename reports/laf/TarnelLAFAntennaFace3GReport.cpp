#include "reports/laf/TarnelLAFAntennaFace3GReport.h"

namespace {
const char kEntity[] = "Antenna";
const char kTemplate[] = "antface3g.xlt";
}  // namespace

const std::vector<LafQuery> TarnelLAFAntennaFace3GReport::k3GSections = {
    {"SWceqface3G", 1}, {"SWceqface3Galtcar", 1}, {"AddressFromCell", 1}};

TarnelLAFAntennaFace3GReport::TarnelLAFAntennaFace3GReport(RWEString name,
                                                           XMLQueryInterface& connection,
                                                           ReportDataManager& dataManager,
                                                           LogUser& user)
    : TarnelLAFReport(name, connection, dataManager, user) {}

void TarnelLAFAntennaFace3GReport::buildReport() {
  TarnelLAFReport::buildReport();
  runQueries(k3GSections);
}

RWEString TarnelLAFAntennaFace3GReport::entityName() { return kEntity; }

RWEString TarnelLAFAntennaFace3GReport::excelTemplateFile() { return kTemplate; }
