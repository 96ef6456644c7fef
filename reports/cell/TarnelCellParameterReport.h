// TarnelCellParameterReport: the cell report whose selects may each be keyed
// on more than one field. Its build writes only the configured selects (no AP
// block), each with the key-field count of its "NumKeyFields" attribute.
// Everything else is TarnelCellReport's. Throws nothing of its own.
#ifndef TARNEL_REPORTS_CELL_TARNELCELLPARAMETERREPORT_H_
#define TARNEL_REPORTS_CELL_TARNELCELLPARAMETERREPORT_H_

#include "reports/cell/TarnelCellReport.h"

class TarnelCellParameterReport : public TarnelCellReport {
 public:
  TarnelCellParameterReport(RWEString name, XMLQueryInterface& connection,
                            ReportDataManager& dataManager, LogUser& user);
  ~TarnelCellParameterReport() override;

  // Opens the stream and writes every configured select, in document order,
  // keyed on its own number of fields; the first failing select ends the build.
  void buildReport() override;

  // The key-field count of a SELECTS.SELECT element: 1 when "NumKeyFields" is
  // absent or empty, otherwise the attribute read as atoi reads it.
  static int keyFieldCount(const KvXMLElement* select);
};

#endif  // TARNEL_REPORTS_CELL_TARNELCELLPARAMETERREPORT_H_
