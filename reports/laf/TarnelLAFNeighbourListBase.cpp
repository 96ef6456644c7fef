#include "reports/laf/TarnelLAFNeighbourListBase.h"

const LafNeighbourList LafNeighbourList::kPlain = {
    "nghbr.xlt",
    {{"AntennaLocalKey", 1}, {"SGLocalKey", 1}, {"DCSLocalKey2", 1}, {"SWLAFtglist2", 1},
     {"SWnbr", 2}}};

const LafNeighbourList LafNeighbourList::kCdma = {
    "cnbr.xlt",
    {{"pptg", 1}, {"AntennaLocalKey", 1}, {"SGLocalKey", 1}, {"DCSLocalKey2", 1},
     {"SWLAFtglist2", 1}, {"SWcdmanbr", 1}}};

const LafNeighbourList LafNeighbourList::kCdmaDh = {
    "cdhonbr.xlt",
    {{"pptg", 1}, {"AntennaLocalKey", 1}, {"SGLocalKey", 1}, {"DCSLocalKey2", 1},
     {"SWLAFtglist2", 1}, {"SWcdmadhonbr", 1}}};

TarnelLAFNeighbourListBase::TarnelLAFNeighbourListBase(RWEString name,
                                                       XMLQueryInterface& connection,
                                                       ReportDataManager& dataManager,
                                                       LogUser& user,
                                                       const LafNeighbourList& list)
    : TarnelLAFReport(name, connection, dataManager, user), list_(list) {}

void TarnelLAFNeighbourListBase::buildReport() {
  openReportStream();
  doAPCell(streamNumber);
  doAPantenna(streamNumber);
  doAPvlaf(streamNumber);
  runQueries(list_.queries);
}

RWEString TarnelLAFNeighbourListBase::excelTemplateFile() { return list_.templateFile; }
