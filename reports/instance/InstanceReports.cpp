#include "reports/instance/InstanceReports.h"

TarnelCCHReselectionReport::TarnelCCHReselectionReport(RWEString name,
                                                       XMLQueryInterface& connection,
                                                       ReportDataManager& dataManager,
                                                       LogUser& user)
    : TarnelInstanceReport(name, connection, dataManager, user, InstanceReportBlocks::kCellAndAntenna) {}

TarnelLMTReport::TarnelLMTReport(RWEString name, XMLQueryInterface& connection,
                                 ReportDataManager& dataManager, LogUser& user)
    : TarnelInstanceReport(name, connection, dataManager, user, InstanceReportBlocks::kLMT) {}

TarnelMAHOReport::TarnelMAHOReport(RWEString name, XMLQueryInterface& connection,
                                   ReportDataManager& dataManager, LogUser& user)
    : TarnelInstanceReport(name, connection, dataManager, user, InstanceReportBlocks::kMAHO) {}

TarnelECP3GReport::TarnelECP3GReport(RWEString name, XMLQueryInterface& connection,
                                     ReportDataManager& dataManager, LogUser& user)
    : TarnelInstanceReport(name, connection, dataManager, user, InstanceReportBlocks::kSelectsOnly) {}
