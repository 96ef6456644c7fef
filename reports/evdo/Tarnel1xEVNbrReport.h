// Tarnel1xEVNbrReport: the neighbour report of one 1xEV base-station sector.
// preBuild runs the STOREDPROCS.IXEV procedure for the sector; buildReport
// writes a header naming the sector (from the "resultheader" query, or from
// the sector table when the sector has no neighbours), the two configured
// heading lines, the "resultbody" rows and the control-information block the
// spreadsheet post-processor reads. Throws KvException when STOREDPROCS.IXEV
// or a query it names is not configured; other failures pass through.
#ifndef TARNEL_REPORTS_EVDO_TARNEL1XEVNBRREPORT_H_
#define TARNEL_REPORTS_EVDO_TARNEL1XEVNBRREPORT_H_

#include "reports/evdo/Tarnel1xEVReport.h"

class Tarnel1xEVNbrReport : public Tarnel1xEVReport {
 public:
  Tarnel1xEVNbrReport(RWEString name, XMLQueryInterface& connection,
                      ReportDataManager& dataManager, LogUser& user);
  ~Tarnel1xEVNbrReport() override;

  // Writes header, heading lines, neighbour rows and the control block.
  // Throws KvException when STOREDPROCS.IXEV or a query it names is missing.
  void buildReport() override;
  // Macro file 6 and the stream's data file; no template.
  void populateSteeringData(TarnelSteeringData& data) override;
  // Opens the stream and runs the "proc" procedure with the instance id.
  // Throws KvException when STOREDPROCS.IXEV is not defined.
  void preBuild() override;
  // Writes the "_VELM_Control_Information_" block for `columns` heading
  // columns and `rows` data rows, with the FORMATTING.FORMAT region values.
  void printControlInfo(int columns, int rows) override;

  // Writes the title and the sector header; returns true when the sector has
  // no neighbours (the "resultheader" query gave no row).
  bool printHeader();
  // Writes the "resultbody" rows and sets `rows` to their number.
  void printBody(int& rows);

 private:
  void printNeighbourHeader(std::ostream& os, const RWEStringCollection& header,
                            const RWEString& runTime);
  void printSectorWithoutNeighbours(std::ostream& os, const RWEString& runTime);
  int formatValue(const RWEString& attribute) const;
};

#endif  // TARNEL_REPORTS_EVDO_TARNEL1XEVNBRREPORT_H_
