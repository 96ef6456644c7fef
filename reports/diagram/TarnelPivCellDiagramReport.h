// TarnelPivCellDiagramReport: the equipment diagram of a PivCell site: the
// selects, then the rows of STOREDPROCS.CPIV. Everything is
// TarnelPivCellFamilyDiagramReport's; only the layout is its own.
#ifndef TARNEL_REPORTS_DIAGRAM_TARNELPIVCELLDIAGRAMREPORT_H_
#define TARNEL_REPORTS_DIAGRAM_TARNELPIVCELLDIAGRAMREPORT_H_

#include "reports/diagram/TarnelPivCellFamilyDiagramReport.h"

class TarnelPivCellDiagramReport : public TarnelPivCellFamilyDiagramReport {
 public:
  TarnelPivCellDiagramReport(RWEString name, XMLQueryInterface& connection,
                             ReportDataManager& dataManager, LogUser& user);
};

#endif  // TARNEL_REPORTS_DIAGRAM_TARNELPIVCELLDIAGRAMREPORT_H_
