// TarnelLAFServerGroupReport: the server-group report of one voice LAF. It
// runs the LAF build unchanged (entity name "VoiceLAF"); template "laf.xlt"
// whatever the configuration.
#ifndef TARNEL_REPORTS_LAF_TARNELLAFSERVERGROUPREPORT_H_
#define TARNEL_REPORTS_LAF_TARNELLAFSERVERGROUPREPORT_H_

#include "reports/laf/TarnelLAFReport.h"

class TarnelLAFServerGroupReport : public TarnelLAFReport {
 public:
  TarnelLAFServerGroupReport(RWEString name, XMLQueryInterface& connection,
                             ReportDataManager& dataManager, LogUser& user);

  // Does nothing.
  void preBuild() override;
  // Does nothing.
  void postBuild() override;
  // Always "laf.xlt".
  RWEString excelTemplateFile() override;
};

#endif  // TARNEL_REPORTS_LAF_TARNELLAFSERVERGROUPREPORT_H_
