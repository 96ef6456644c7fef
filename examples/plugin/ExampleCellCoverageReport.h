// ExampleCellCoverageReport: a report class of a plug-in library, written
// against the installed tarnel-report headers. For one cell it writes the
// configured selects (the cell and its antenna faces), then how much of the
// horizon the faces' beams cover and the widest arc that no beam covers.
// An unequipped cell is skipped. Failures are thrown as the engine's are;
// one object serves one run on one thread.
#ifndef EXAMPLECELLCOVERAGEREPORT_H_
#define EXAMPLECELLCOVERAGEREPORT_H_

#include <vector>

#include "engine/TarnelEntityReport.h"

class ExampleCellCoverageReport : public TarnelEntityReport {
 public:
  ExampleCellCoverageReport(RWEString name, XMLQueryInterface& connection,
                            ReportDataManager& dataManager, LogUser& user);

  // Takes the cell's instance id and the run's scenario.
  void configure(TarnelReportInfo& info) override;
  // Reads the cell's status and its beams; throws KvSkipReportException
  // for an unequipped cell.
  void preBuild() override;
  // The configured selects, then the coverage lines.
  void buildReport() override;
  // Macro, template and data file, as the engine sets them.
  void populateSteeringData(TarnelSteeringData& data) override;
  RWEString entityName() override;
  int instanceId() override;

 private:
  // An arc of the horizon in degrees clockwise from north: [start, end).
  struct Arc {
    double start, end;
  };

  std::vector<Arc> beams();
  void writeCoverage(std::ostream& os);

  int instanceId_;
  std::vector<Arc> beams_;
};

#endif  // EXAMPLECELLCOVERAGEREPORT_H_
