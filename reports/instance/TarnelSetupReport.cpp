#include "reports/instance/TarnelSetupReport.h"

namespace {
const RWEString kSelectsPath("SELECTS.SELECT");
const RWEString kTemplatePath("TEMPLATES.TEMPLATE");
const RWEString kCellSeries("CellSeries");
const RWEString kExcel("Excel");
const RWEString kExcelSeries1("ExcelSeries1");
}  // namespace

TarnelSetupReport::TarnelSetupReport(RWEString name, XMLQueryInterface& connection,
                                     ReportDataManager& dataManager, LogUser& user)
    : TarnelInstanceReport(name, connection, dataManager, user,
                           InstanceReportBlocks::kCellAndAntenna) {}

void TarnelSetupReport::buildReport() {
  openReportStream();
  doAPCell(streamNumber);
  doAPantenna(streamNumber);
  for (KvXMLElement* select : configElement->getNamedElements(kSelectsPath)) {
    if (selectApplies(select)) processQuery(stream(streamNumber), selectName(select), 1);
  }
}

bool TarnelSetupReport::selectApplies(KvXMLElement* select) {
  const RWEString& cellSeries = select->attribute(kCellSeries);
  return cellSeries.isNull() || cellSeries.contains(intText(series()));
}

RWEString TarnelSetupReport::excelTemplateFile() {
  KvXMLElement* templ = configElement->getNamedElement(kTemplatePath);
  const RWEString& attribute = series() == 1 ? kExcelSeries1 : kExcel;
  return templ ? templ->attribute(attribute) : RWEString();
}
