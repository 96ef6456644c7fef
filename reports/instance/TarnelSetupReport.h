// TarnelSetupReport: the set-up report of one cell instance. Its selects may
// be limited to cell series by a "CellSeries" attribute (a plain substring
// test of the series number), and series-1 cells get the "ExcelSeries1"
// template instead of "Excel".
#ifndef TARNEL_REPORTS_INSTANCE_TARNELSETUPREPORT_H_
#define TARNEL_REPORTS_INSTANCE_TARNELSETUPREPORT_H_

#include "reports/instance/TarnelInstanceReport.h"

class TarnelSetupReport : public TarnelInstanceReport {
 public:
  TarnelSetupReport(RWEString name, XMLQueryInterface& connection,
                    ReportDataManager& dataManager, LogUser& user);

  // Opens the stream, writes the AP cell and antenna blocks, then each select
  // whose "CellSeries" is empty or contains the series number.
  void buildReport() override;
  // "ExcelSeries1" of the first template for a series-1 cell, else "Excel".
  RWEString excelTemplateFile() override;

 private:
  bool selectApplies(KvXMLElement* select);
};

#endif  // TARNEL_REPORTS_INSTANCE_TARNELSETUPREPORT_H_
