// TarnelMicrocellDiagramReport: the shared part of the diagrams that hand the
// status of the cell's six microcell positions to the post-processor: the
// statuses themselves, their reading through getMcStatus, the refusal of a
// cell without an equipped position, and the diagram steering data. Not a
// report class of its own; the concrete diagrams derive from it.
#ifndef TARNEL_REPORTS_DIAGRAM_TARNELMICROCELLDIAGRAMREPORT_H_
#define TARNEL_REPORTS_DIAGRAM_TARNELMICROCELLDIAGRAMREPORT_H_

#include "reports/diagram/TarnelBrivantDiagramReport.h"

class TarnelMicrocellDiagramReport : public TarnelBrivantDiagramReport {
 public:
  // Number of microcell positions of a cell site.
  static const int kPositions = 6;

  ~TarnelMicrocellDiagramReport() override;

  // Macro file 4, the workbook, PFBrivantTemplate, PFFrtech0, PFDataFileName,
  // then PFMcell1 to PFMcell6, in that order.
  void populateSteeringData(TarnelSteeringData& data) override;

 protected:
  TarnelMicrocellDiagramReport(RWEString name, XMLQueryInterface& connection,
                               ReportDataManager& dataManager, LogUser& user);

  // mcStatus from getMcStatus for the cell; a status not returned is empty.
  void readMcStatus();
  // Throws ReportMessageException `message` + the cell's instance name (with
  // the context "PREBUILD" when `withContext`) unless one of the first
  // `positions` statuses is exactly "e".
  void requireEquipped(int positions, const char* message, bool withContext);
  // runMacro(4), PFBrivantWorkbook (excelTemplateFile) and PFBrivantTemplate.
  void populateWorkbookAndTemplate(TarnelSteeringData& data);
  // PFMcell1 to PFMcell6 from mcStatus.
  void populateMcStatus(TarnelSteeringData& data) const;

  RWEString mcStatus[kPositions];
};

#endif  // TARNEL_REPORTS_DIAGRAM_TARNELMICROCELLDIAGRAMREPORT_H_
