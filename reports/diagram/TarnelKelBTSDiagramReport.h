// TarnelKelBTSDiagramReport: the equipment diagram of a KelBTS site: the
// selects, then the rows of STOREDPROCS.KBTS. Everything is
// TarnelPivCellFamilyDiagramReport's; only the layout is its own.
#ifndef TARNEL_REPORTS_DIAGRAM_TARNELKELBTSDIAGRAMREPORT_H_
#define TARNEL_REPORTS_DIAGRAM_TARNELKELBTSDIAGRAMREPORT_H_

#include "reports/diagram/TarnelPivCellFamilyDiagramReport.h"

class TarnelKelBTSDiagramReport : public TarnelPivCellFamilyDiagramReport {
 public:
  TarnelKelBTSDiagramReport(RWEString name, XMLQueryInterface& connection,
                            ReportDataManager& dataManager, LogUser& user);
};

#endif  // TARNEL_REPORTS_DIAGRAM_TARNELKELBTSDIAGRAMREPORT_H_
