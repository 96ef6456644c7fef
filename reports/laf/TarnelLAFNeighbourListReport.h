// TarnelLAFNeighbourListReport: the neighbour list of one voice LAF: the AP
// blocks, the LAF's keys and trunk groups, then "SWnbr" keyed by two columns.
// The field "nant" is written with its antenna bit map (finalFormat).
#ifndef TARNEL_REPORTS_LAF_TARNELLAFNEIGHBOURLISTREPORT_H_
#define TARNEL_REPORTS_LAF_TARNELLAFNEIGHBOURLISTREPORT_H_

#include "reports/laf/TarnelLAFNeighbourListBase.h"

class TarnelLAFNeighbourListReport : public TarnelLAFNeighbourListBase {
 public:
  TarnelLAFNeighbourListReport(RWEString name, XMLQueryInterface& connection,
                               ReportDataManager& dataManager, LogUser& user);

  // For the field named exactly "nant": the value, then " [", for bits 0 to 6
  // of the value read as hexadecimal the bit's digit or "x", then "] ".
  // Every other field's value unchanged. Never throws.
  RWEString finalFormat(KvXMLElement* field, RWEString value) override;
};

#endif  // TARNEL_REPORTS_LAF_TARNELLAFNEIGHBOURLISTREPORT_H_
