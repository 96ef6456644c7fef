// TarnelLAFAntennaFaceReport: the report over one antenna face. It runs the
// LAF build with the entity name "Antenna" (AP blocks, face and antenna
// sections, "DCSLocalKey"); template "antrpt.xlt" whatever the configuration.
#ifndef TARNEL_REPORTS_LAF_TARNELLAFANTENNAFACEREPORT_H_
#define TARNEL_REPORTS_LAF_TARNELLAFANTENNAFACEREPORT_H_

#include "reports/laf/TarnelLAFReport.h"

class TarnelLAFAntennaFaceReport : public TarnelLAFReport {
 public:
  TarnelLAFAntennaFaceReport(RWEString name, XMLQueryInterface& connection,
                             ReportDataManager& dataManager, LogUser& user);

  // Does nothing.
  void preBuild() override;
  // Does nothing.
  void postBuild() override;
  // Always "Antenna".
  RWEString entityName() override;
  // Always "antrpt.xlt".
  RWEString excelTemplateFile() override;
};

#endif  // TARNEL_REPORTS_LAF_TARNELLAFANTENNAFACEREPORT_H_
