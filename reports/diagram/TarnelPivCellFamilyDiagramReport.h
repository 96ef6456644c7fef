// TarnelPivCellFamilyDiagramReport: the one implementation of the PivCell,
// KelBTS and PivCell+KelBTS diagrams. preBuild reads the six microcell
// statuses, takes the "mc" template and refuses a cell on which none of the
// first four positions is equipped; the build writes the selects, then the
// rows of the stored procedures the layout names, an empty line between two.
// The three report classes differ only by their layout.
#ifndef TARNEL_REPORTS_DIAGRAM_TARNELPIVCELLFAMILYDIAGRAMREPORT_H_
#define TARNEL_REPORTS_DIAGRAM_TARNELPIVCELLFAMILYDIAGRAMREPORT_H_

#include "reports/diagram/TarnelMicrocellDiagramReport.h"

// What one diagram of the family writes and how it refuses a cell.
struct PivCellFamilyLayout {
  const char* procedures[2];  // STOREDPROCS elements written in turn; null past the last
  bool refusalContext;        // the refusal carries the context "PREBUILD"

  static const PivCellFamilyLayout kPivCell;        // STOREDPROCS.CPIV
  static const PivCellFamilyLayout kKelBTS;         // STOREDPROCS.KBTS
  static const PivCellFamilyLayout kPivCellKelBTS;  // CPIV, empty line, KBTS; no context
};

class TarnelPivCellFamilyDiagramReport : public TarnelMicrocellDiagramReport {
 public:
  ~TarnelPivCellFamilyDiagramReport() override;

  // The diagram base's preBuild, the statuses, the "mc" template, then
  // ReportMessageException "There are no equipped assemblages for cell " +
  // instance name when none of positions 1 to 4 is "e".
  void preBuild() override;
  // The selects, then the layout's stored procedures. Throws KvException
  // when a STOREDPROCS element or its result query is not configured.
  void buildReport() override;

 protected:
  TarnelPivCellFamilyDiagramReport(RWEString name, XMLQueryInterface& connection,
                                   ReportDataManager& dataManager, LogUser& user,
                                   const PivCellFamilyLayout& layout);

 private:
  const PivCellFamilyLayout& layout_;
};

#endif  // TARNEL_REPORTS_DIAGRAM_TARNELPIVCELLFAMILYDIAGRAMREPORT_H_
