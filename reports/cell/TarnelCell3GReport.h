// TarnelCell3GReport: the cell report over a cell's 3G equipment. preBuild
// decides whether the report applies: the count query must give one value
// (else ReportMessageException), the cell must be of series 2, 5, 6, 7, 8 or
// 9 and must have a row in tnl_cfg_cell3g (else KvSkipReportException). The
// build and the steering data are TarnelCellReport's.
#ifndef TARNEL_REPORTS_CELL_TARNELCELL3GREPORT_H_
#define TARNEL_REPORTS_CELL_TARNELCELL3GREPORT_H_

#include "reports/cell/TarnelCellReport.h"

class TarnelCell3GReport : public TarnelCellReport {
 public:
  TarnelCell3GReport(RWEString name, XMLQueryInterface& connection,
                     ReportDataManager& dataManager, LogUser& user);
  ~TarnelCell3GReport() override;

  // Returns when the report applies to the cell. Throws, in this order of
  // checks: ReportMessageException "Query (<sql>) failed for report: <title>"
  // (context "PREBUILD") when the count query fails or gives not exactly one
  // value; KvSkipReportException for a cell of another series (context
  // "Checking series of cell"), then for a count of exactly "0" (context the
  // count query).
  void preBuild() override;

  // 1 when the cell is of series 3 and none of its frames 0 to 5 carries a
  // non-CDMA technology code of that frame, else 0. Runs no query for a
  // cell of another series.
  int isOnlyCDMAseries3();
};

#endif  // TARNEL_REPORTS_CELL_TARNELCELL3GREPORT_H_
