#include "reports/cell/TarnelCellReport.h"

#include "framework/ReportDataManager.h"
#include "framework/TarnelReportInfo.h"

namespace {
const RWEString kCellEntity("Cell");
}

TarnelCellReport::TarnelCellReport(RWEString name, XMLQueryInterface& connection,
                                   ReportDataManager& dataManager, LogUser& user)
    : TarnelEntityReport(name, connection, dataManager, user), cellInstanceId_(-1), cellSeries_(-1) {}

TarnelCellReport::~TarnelCellReport() = default;

void TarnelCellReport::configure(TarnelReportInfo& info) {
  cellInstanceId_ = info.activeInstanceId();
  cellSeries_ = dataManager().seriesForCell(cellInstanceId_);
  scenario = info.scenario;
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

RWEString TarnelCellReport::entityName() { return configuredEntity(); }

int TarnelCellReport::instanceId() { return cellInstanceId_; }

RWEString TarnelCellReport::excelTemplateFile() { return TarnelEntityReport::excelTemplateFile(); }

int TarnelCellReport::series() { return cellSeries_; }
