// TarnelECPReport: the configuration report of one ECP instance. Its content
// is the configured selects; the two ten-character number fields "trmostdn"
// and "ota_trn" are written in bracketed form, (abc)def-ghij.
#ifndef TARNEL_REPORTS_INSTANCE_TARNELECPREPORT_H_
#define TARNEL_REPORTS_INSTANCE_TARNELECPREPORT_H_

#include "reports/instance/TarnelInstanceReport.h"

class TarnelECPReport : public TarnelInstanceReport {
 public:
  TarnelECPReport(RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager,
                  LogUser& user);

  // A ten-character value of "trmostdn" or "ota_trn" as "(abc)def-ghij";
  // anything else unchanged. Never throws.
  RWEString finalFormat(KvXMLElement* field, RWEString value) override;
};

#endif  // TARNEL_REPORTS_INSTANCE_TARNELECPREPORT_H_
