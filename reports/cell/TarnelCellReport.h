// TarnelCellReport: the report over one cell site, and the base of every
// cell-scoped report. configure binds it to the cell (instance id, the series
// the data manager knows, the "Cell" scenario table); the build writes the
// cell's AP block ahead of the configured selects; the steering data name the
// template and the data file.
#ifndef TARNEL_REPORTS_CELL_TARNELCELLREPORT_H_
#define TARNEL_REPORTS_CELL_TARNELCELLREPORT_H_

#include "engine/BoundInstance.h"
#include "engine/TarnelEntityReport.h"

class TarnelCellReport : public TarnelEntityReport {
 public:
  TarnelCellReport(RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager,
                   LogUser& user);
  ~TarnelCellReport() override;

  // Cell instance id, its series, the scenario, then the "Cell" scenario table.
  void configure(TarnelReportInfo& info) override;
  // Opens the stream, writes the AP cell block, then the configured selects.
  void buildReport() override;
  // The engine's steering data, the template and the data file name.
  void populateSteeringData(TarnelSteeringData& data) override;
  // Does nothing.
  void postBuild() override;
  // The configuration root's "Entity" attribute.
  RWEString entityName() override;
  // The cell instance id; -1 before configure.
  int instanceId() override;
  // The first template's "Excel" attribute.
  RWEString excelTemplateFile() override;
  // The cell series fixed at configure; -1 before.
  int series() override;

  int cellInstanceId() const { return cell_.id(); }

 private:
  BoundInstance cell_;
  int cellSeries_;
};

#endif  // TARNEL_REPORTS_CELL_TARNELCELLREPORT_H_
