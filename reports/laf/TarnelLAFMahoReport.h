// TarnelLAFMahoReport: the LAF MAHO report. Its build does nothing: no stream
// is opened, streamNumber stays -1, and the steering data get an empty
// template name and the data manager's file name of stream -1.
#ifndef TARNEL_REPORTS_LAF_TARNELLAFMAHOREPORT_H_
#define TARNEL_REPORTS_LAF_TARNELLAFMAHOREPORT_H_

#include "reports/laf/TarnelLAFReport.h"

class TarnelLAFMahoReport : public TarnelLAFReport {
 public:
  TarnelLAFMahoReport(RWEString name, XMLQueryInterface& connection,
                      ReportDataManager& dataManager, LogUser& user);

  // Returns at once; never throws.
  void buildReport() override;
  // Always the empty string.
  RWEString excelTemplateFile() override;
};

#endif  // TARNEL_REPORTS_LAF_TARNELLAFMAHOREPORT_H_
