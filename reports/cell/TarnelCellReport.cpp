#include "reports/cell/TarnelCellReport.h"

#include "framework/ReportDataManager.h"
#include "framework/TarnelReportInfo.h"

namespace {
const RWEString kCellEntity("Cell");
}

TarnelCellReport::TarnelCellReport(RWEString name, XMLQueryInterface& connection,
                                   ReportDataManager& dataManager, LogUser& user)
    : TarnelEntityReport(name, connection, dataManager, user), cellSeries_(-1) {}

TarnelCellReport::~TarnelCellReport() = default;

void TarnelCellReport::configure(TarnelReportInfo& info) {
  cell_.bind(info, scenario);
  cellSeries_ = dataManager().seriesForCell(cell_.id());
  dataManager().populateTempScenarioTable(kCellEntity, scenarioId());
}

void TarnelCellReport::buildReport() {
  openReportStream();
  doAPCell(streamNumber);
  processConfiguredSelects();
}

void TarnelCellReport::populateSteeringData(TarnelSteeringData& data) {
  populateTemplateAndDataFile(data);
}

void TarnelCellReport::postBuild() {}

RWEString TarnelCellReport::entityName() { return cell_.entity(*configElement); }

int TarnelCellReport::instanceId() { return cell_.id(); }

RWEString TarnelCellReport::excelTemplateFile() { return TarnelEntityReport::excelTemplateFile(); }

int TarnelCellReport::series() { return cellSeries_; }
