#include "reports/cell/TarnelCellParameterReport.h"

#include <cstdlib>

namespace {
const RWEString kSelectsPath("SELECTS.SELECT");
const RWEString kNumKeyFields("NumKeyFields");
}  // namespace

TarnelCellParameterReport::TarnelCellParameterReport(RWEString name,
                                                     XMLQueryInterface& connection,
                                                     ReportDataManager& dataManager,
                                                     LogUser& user)
    : TarnelCellReport(name, connection, dataManager, user) {}

TarnelCellParameterReport::~TarnelCellParameterReport() = default;

void TarnelCellParameterReport::buildReport() {
  openReportStream();
  for (KvXMLElement* select : configElement->getNamedElements(kSelectsPath)) {
    processQuery(stream(streamNumber), selectName(select), keyFieldCount(select));
  }
}

int TarnelCellParameterReport::keyFieldCount(const KvXMLElement* select) {
  const RWEString& count = select->attribute(kNumKeyFields);
  return count.isNull() ? 1 : std::atoi(count.data());
}
