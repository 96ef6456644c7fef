// TarnelLAFAntennaFace3GReport: the antenna-face report with the 3G sections:
// the LAF build with the entity name "Antenna", then "SWceqface3G",
// "SWceqface3Galtcar" and "AddressFromCell" on the same stream; template
// "antface3g.xlt" whatever the configuration.
#ifndef TARNEL_REPORTS_LAF_TARNELLAFANTENNAFACE3GREPORT_H_
#define TARNEL_REPORTS_LAF_TARNELLAFANTENNAFACE3GREPORT_H_

#include "reports/laf/TarnelLAFReport.h"

class TarnelLAFAntennaFace3GReport : public TarnelLAFReport {
 public:
  TarnelLAFAntennaFace3GReport(RWEString name, XMLQueryInterface& connection,
                               ReportDataManager& dataManager, LogUser& user);

  // The LAF build, then the three 3G sections. Throws what the engine throws.
  void buildReport() override;
  // Always "Antenna".
  RWEString entityName() override;
  // Always "antface3g.xlt".
  RWEString excelTemplateFile() override;

  // The 3G sections, written after the LAF build's.
  static const std::vector<LafQuery> k3GSections;
};

#endif  // TARNEL_REPORTS_LAF_TARNELLAFANTENNAFACE3GREPORT_H_
