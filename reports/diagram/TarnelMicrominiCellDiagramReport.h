// TarnelMicrominiCellDiagramReport: the equipment diagram of a micro or mini
// cell, which has exactly one microcell position, equipped: the statuses are
// "e" then five "u" without asking the database. The build writes the
// selects, then the rows of STOREDPROCS.CDBS.
#ifndef TARNEL_REPORTS_DIAGRAM_TARNELMICROMINICELLDIAGRAMREPORT_H_
#define TARNEL_REPORTS_DIAGRAM_TARNELMICROMINICELLDIAGRAMREPORT_H_

#include "reports/diagram/TarnelMicrocellDiagramReport.h"

class TarnelMicrominiCellDiagramReport : public TarnelMicrocellDiagramReport {
 public:
  TarnelMicrominiCellDiagramReport(RWEString name, XMLQueryInterface& connection,
                                   ReportDataManager& dataManager, LogUser& user);
  ~TarnelMicrominiCellDiagramReport() override;

  // The diagram base's preBuild, the "mc" template and the fixed statuses.
  void preBuild() override;
  // The selects, then the STOREDPROCS.CDBS rows. Throws KvException when the
  // element or its result query is not configured.
  void buildReport() override;
  // The diagram base's steering data, then macro file 4, the workbook,
  // PFBrivantTemplate and PFMcell1 to PFMcell6.
  void populateSteeringData(TarnelSteeringData& data) override;

  // The STOREDPROCS element the build calls.
  static const char kCdbsPath[];
};

#endif  // TARNEL_REPORTS_DIAGRAM_TARNELMICROMINICELLDIAGRAMREPORT_H_
