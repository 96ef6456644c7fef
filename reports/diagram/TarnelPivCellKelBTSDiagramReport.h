// TarnelPivCellKelBTSDiagramReport: the equipment diagram of a site carrying
// both PivCell and KelBTS: the selects, the STOREDPROCS.CPIV rows, an empty
// line, the STOREDPROCS.KBTS rows; its refusal carries no context.
// Everything is TarnelPivCellFamilyDiagramReport's but the layout.
#ifndef TARNEL_REPORTS_DIAGRAM_TARNELPIVCELLKELBTSDIAGRAMREPORT_H_
#define TARNEL_REPORTS_DIAGRAM_TARNELPIVCELLKELBTSDIAGRAMREPORT_H_

#include "reports/diagram/TarnelPivCellFamilyDiagramReport.h"

class TarnelPivCellKelBTSDiagramReport : public TarnelPivCellFamilyDiagramReport {
 public:
  TarnelPivCellKelBTSDiagramReport(RWEString name, XMLQueryInterface& connection,
                                   ReportDataManager& dataManager, LogUser& user);
};

#endif  // TARNEL_REPORTS_DIAGRAM_TARNELPIVCELLKELBTSDIAGRAMREPORT_H_
