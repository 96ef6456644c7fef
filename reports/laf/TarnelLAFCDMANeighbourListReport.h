// TarnelLAFCDMANeighbourListReport: the CDMA neighbour list of one voice LAF:
// the AP blocks, "pptg", the LAF's keys and trunk groups, then "SWcdmanbr",
// all with one key column; template "cnbr.xlt".
#ifndef TARNEL_REPORTS_LAF_TARNELLAFCDMANEIGHBOURLISTREPORT_H_
#define TARNEL_REPORTS_LAF_TARNELLAFCDMANEIGHBOURLISTREPORT_H_

#include "reports/laf/TarnelLAFNeighbourListBase.h"

class TarnelLAFCDMANeighbourListReport : public TarnelLAFNeighbourListBase {
 public:
  TarnelLAFCDMANeighbourListReport(RWEString name, XMLQueryInterface& connection,
                                   ReportDataManager& dataManager, LogUser& user);
};

#endif  // TARNEL_REPORTS_LAF_TARNELLAFCDMANEIGHBOURLISTREPORT_H_
