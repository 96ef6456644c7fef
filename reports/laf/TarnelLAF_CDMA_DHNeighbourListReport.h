// TarnelLAF_CDMA_DHNeighbourListReport: the CDMA DH neighbour list of one
// voice LAF: the AP blocks, "pptg", the LAF's keys and trunk groups, then
// "SWcdmadhonbr", all with one key column; template "cdhonbr.xlt".
#ifndef TARNEL_REPORTS_LAF_TARNELLAF_CDMA_DHNEIGHBOURLISTREPORT_H_
#define TARNEL_REPORTS_LAF_TARNELLAF_CDMA_DHNEIGHBOURLISTREPORT_H_

#include "reports/laf/TarnelLAFNeighbourListBase.h"

class TarnelLAF_CDMA_DHNeighbourListReport : public TarnelLAFNeighbourListBase {
 public:
  TarnelLAF_CDMA_DHNeighbourListReport(RWEString name, XMLQueryInterface& connection,
                                       ReportDataManager& dataManager, LogUser& user);
};

#endif  // TARNEL_REPORTS_LAF_TARNELLAF_CDMA_DHNEIGHBOURLISTREPORT_H_
