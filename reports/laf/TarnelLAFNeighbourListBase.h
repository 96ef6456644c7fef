// TarnelLAFNeighbourListBase: the shared implementation of the LAF
// neighbour-list reports. Its build writes the AP cell, antenna and
// voice-LAF blocks, whatever the entity name, then the queries of the
// report's table, each with its key-column count; the template is the
// table's, whatever the configuration says. The concrete classes differ
// only by their table.
#ifndef TARNEL_REPORTS_LAF_TARNELLAFNEIGHBOURLISTBASE_H_
#define TARNEL_REPORTS_LAF_TARNELLAFNEIGHBOURLISTBASE_H_

#include <vector>

#include "reports/laf/TarnelLAFReport.h"

// What one neighbour-list report writes after its AP blocks, and its template.
struct LafNeighbourList {
  const char* templateFile;
  std::vector<LafQuery> queries;

  static const LafNeighbourList kPlain;   // "SWnbr" with two key columns
  static const LafNeighbourList kCdma;    // "pptg" first, "SWcdmanbr"
  static const LafNeighbourList kCdmaDh;  // "pptg" first, "SWcdmadhonbr"
};

class TarnelLAFNeighbourListBase : public TarnelLAFReport {
 public:
  // Opens the stream, writes the three AP blocks, then the table's queries.
  // Throws what the engine throws.
  void buildReport() override;
  // The table's template file name.
  RWEString excelTemplateFile() override;

 protected:
  TarnelLAFNeighbourListBase(RWEString name, XMLQueryInterface& connection,
                             ReportDataManager& dataManager, LogUser& user,
                             const LafNeighbourList& list);

 private:
  const LafNeighbourList& list_;
};

#endif  // TARNEL_REPORTS_LAF_TARNELLAFNEIGHBOURLISTBASE_H_
