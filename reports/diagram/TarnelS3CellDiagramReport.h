// TarnelS3CellDiagramReport: the equipment diagram of a series-3 cell.
// preBuild refuses a cell without an equipped microcell position and picks
// the TDMA ("mcTDMA") or CDMA ("mcCDMA") template by the RCS technology; the
// build writes the selects, then the TDMA or CDMA microcell section.
#ifndef TARNEL_REPORTS_DIAGRAM_TARNELS3CELLDIAGRAMREPORT_H_
#define TARNEL_REPORTS_DIAGRAM_TARNELS3CELLDIAGRAMREPORT_H_

#include "reports/diagram/TarnelMicrocellDiagramReport.h"

class TarnelS3CellDiagramReport : public TarnelMicrocellDiagramReport {
 public:
  TarnelS3CellDiagramReport(RWEString name, XMLQueryInterface& connection,
                            ReportDataManager& dataManager, LogUser& user);
  ~TarnelS3CellDiagramReport() override;

  // The diagram base's preBuild and the six statuses; ReportMessageException
  // "There are no equipped microcells for cell " + instance name (context
  // "PREBUILD") when none is "e"; then the template.
  void preBuild() override;
  // The selects, then doTBrivmCell when the RCS technology is "2", else
  // doCBrivmCell. Throws KvException for a missing STOREDPROCS element.
  void buildReport() override;

 private:
  bool isTdma() const;
};

#endif  // TARNEL_REPORTS_DIAGRAM_TARNELS3CELLDIAGRAMREPORT_H_
