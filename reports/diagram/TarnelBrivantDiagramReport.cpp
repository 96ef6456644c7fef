#include "reports/diagram/TarnelBrivantDiagramReport.h"

#include <cstdlib>
#include <ostream>
#include <vector>

#include "framework/KvException.h"
#include "framework/KvXMLQuery.h"
#include "framework/ReportDataManager.h"
#include "framework/XMLQueryInterface.h"
#include "framework/XMLQueryResult.h"
#include "framework/deg2dmso.h"

namespace {

const char kCellTechQuery[] = "select fr0tech,rcs_tech FROM tnl_cfg_cell WHERE instance_id = ";
const char kQueryFailedStart[] = "Query (";
const char kQueryFailedEnd[] = ") failed for report: ";
const char kPreBuildContext[] = "PREBUILD";

const RWEString kPackage("tnl_cfg_reports");
const RWEString kGetMcStatus("tnl_cfg_reports.GetMCStatus");
const char* const kStatusArguments[] = {"status1", "status2", "status3",
                                        "status4", "status5", "status6"};
const RWEString kArgPath("DATASET.ARG");
const RWEString kValue("Value");

const RWEString kTemplatePath("TEMPLATES.TEMPLATE");
const RWEString kProc("proc");
const RWEString kResult("result");
const char kNoQuery[] = "Query not defined in config file: ";

// Keys of the microcell antenna rows whose value is rewritten.
const RWEString kLatKey("lat");
const RWEString kLonKey("lon");
const RWEString kAntNameKey("ant_name");
const RWEString kAntLabelKey("ant_label");
const RWEString kElevationKey("elevation");
const char kLatFormat[] = "%2d %2d %2d %c";
const char kLonFormat[] = "%3d %2d %2d %c";
const char kNoElevation[] = "0.0000000000000000";

bool sameKey(const RWEString& a, const RWEString& b) {
  return a.compareTo(b, RWCString::ignoreCase) == 0;
}

// Decimal degrees as degrees, minutes, seconds and direction letter.
RWEString dms(const RWEString& degrees, int isLongitude, const char* format) {
  int d = 0, m = 0, s = 0;
  char direction = ' ';
  deg2dmso(static_cast<float>(std::atof(degrees.data())), &d, &m, &s, &direction, isLongitude);
  RWEString text;
  text.appendFormat(format, d, m, s, direction);
  return text;
}

}  // namespace

const char TarnelBrivantDiagramReport::kMicroAntPath[] = "STOREDPROCS.MICROANT";
const char TarnelBrivantDiagramReport::kCdmaPath[] = "STOREDPROCS.CDMA";
const char TarnelBrivantDiagramReport::kTdmaPath[] = "STOREDPROCS.TDMA";

TarnelBrivantDiagramReport::TarnelBrivantDiagramReport(RWEString name,
                                                       XMLQueryInterface& connection,
                                                       ReportDataManager& dataManager,
                                                       LogUser& user)
    : TarnelCellReport(name, connection, dataManager, user) {}

TarnelBrivantDiagramReport::~TarnelBrivantDiagramReport() = default;

void TarnelBrivantDiagramReport::preBuild() {
  RWEString sql(kCellTechQuery);
  sql.appendFormat(RWEString::formatInt, cellInstanceId());
  RWEStringCollection values;
  doSingleSelect(values, sql);
  if (values.entries() != 2) {
    ReportMessageException e(kQueryFailedStart + sql + kQueryFailedEnd + reportTitle());
    e.context(kPreBuildContext);
    throw e;
  }
  fr0tech = values[0];
  rcsTech = values[1];
}

void TarnelBrivantDiagramReport::buildReport() { TarnelEntityReport::buildReport(); }

void TarnelBrivantDiagramReport::populateSteeringData(TarnelSteeringData& data) {
  data.PFTemplate0(templateName);
  data.PFFrtech0(fr0tech);
  data.PFDataFileName(dataManager().streamFilename(streamNumber));
}

void TarnelBrivantDiagramReport::getMcStatus(RWEStringCollection& statuses, int cellId) {
  KvXMLQuery query('|', KvXMLQueryBuilder::_QUERY, KvXMLQuery::_DB);
  query.startProcedure(kGetMcStatus);
  query.addProcedureArg("INT", RWEString(cellId, RWEString::formatInt), KvXMLQuery::_EMPTY, true);
  for (const char* name : kStatusArguments) {
    query.addProcedureArg("STRING", RWEString(), name, false);
  }
  query.endNode();
  try {
    SmartPtr<KvXMLElement> result(connection().executeQuery(query));
    if (!result) return;
    for (KvXMLElement* arg : result->getNamedElements(kArgPath)) {
      statuses.insert(arg->attribute(kValue));
    }
    statuses.stripContents(BOTH);
  } catch (KvException& e) {
    e.context("Calling stored procedure " + kGetMcStatus + " for report \"" + reportTitle() +
              "\"");
    throw;
  }
}

void TarnelBrivantDiagramReport::doCBrivmCell() {
  const KvXMLElement& procedure = storedProcedure(kCdmaPath);
  brivMicroAnt();
  doBrivmCell(procedure, getQueryByName(procedure.attribute(kResult)));
}

void TarnelBrivantDiagramReport::doTBrivmCell() {
  const KvXMLElement& procedure = storedProcedure(kTdmaPath);
  brivMicroAnt();
  doBrivmCell(procedure, dataManager().query(procedure.attribute(kResult)));
}

void TarnelBrivantDiagramReport::doBrivmCell(const KvXMLElement& procedure, KvXMLElement* query) {
  createTempTables(procedure.attribute(kProc));
  writeResultRows(query, procedure.attribute(kResult));
}

void TarnelBrivantDiagramReport::createTempTables(RWEString procedure) {
  std::vector<int> cell{cellInstanceId()};
  executeStoredProc(procedure, kPackage, &cell, nullptr);
}

void TarnelBrivantDiagramReport::doCDiagramStoredProc(RWEString procedure, RWEString resultQuery) {
  createTempTables(procedure);
  writeResultRows(dataManager().query(resultQuery), resultQuery);
}

void TarnelBrivantDiagramReport::sendNewLineToStream() { stream(streamNumber) << std::endl; }

void TarnelBrivantDiagramReport::brivMicroAnt() {
  const KvXMLElement& procedure = storedProcedure(kMicroAntPath);
  createTempTables(procedure.attribute(kProc));
  const RWEString& name = procedure.attribute(kResult);
  SmartPtr<KvXMLElement> result = runResultQuery(dataManager().query(name), name);
  DSQueryResult table(result, nullptr, XMLQueryResult::_TABLE1, '|', NONE_STRIP);
  std::ostream& os = stream(streamNumber);
  for (int r = 0; r < table.numRows; ++r) {
    const RWEStringCollection& row = table.row(r);
    if (row.entries() < 3) continue;
    os << row[0] << '\t' << row[1] << '\t' << microAntValue(row[0], row[2]) << std::endl;
  }
}

RWEString TarnelBrivantDiagramReport::templateAttribute(const RWEString& name) const {
  KvXMLElement* templ = configElement->getNamedElement(kTemplatePath);
  return templ ? templ->attribute(name) : RWEString();
}

void TarnelBrivantDiagramReport::doConfiguredStoredProc(const RWEString& path) {
  const KvXMLElement& procedure = storedProcedure(path);
  doCDiagramStoredProc(procedure.attribute(kProc), procedure.attribute(kResult));
}

const KvXMLElement& TarnelBrivantDiagramReport::storedProcedure(const RWEString& path) const {
  return configuredElement(path);
}

SmartPtr<KvXMLElement> TarnelBrivantDiagramReport::runResultQuery(KvXMLElement* query,
                                                                  const RWEString& name) {
  if (!query) throw KvException(kNoQuery + name);
  return SmartPtr<KvXMLElement>(runXmlQuery(query));
}

void TarnelBrivantDiagramReport::writeResultRows(KvXMLElement* query, const RWEString& name) {
  SmartPtr<KvXMLElement> result = runResultQuery(query, name);
  DSQueryResult table(result, nullptr, XMLQueryResult::_TABLE1, '|', NONE_STRIP);
  std::ostream& os = stream(streamNumber);
  for (int r = 0; r < table.numRows; ++r) {
    const RWEStringCollection& row = table.row(r);
    for (size_t c = 0; c < row.entries(); ++c) {
      if (c > 0) os << '\t';
      os << row[static_cast<int>(c)];
    }
    os << std::endl;
  }
}

RWEString TarnelBrivantDiagramReport::microAntValue(const RWEString& key, const RWEString& value) {
  if (sameKey(key, kLatKey)) return dms(value, 0, kLatFormat);
  if (sameKey(key, kLonKey)) return dms(value, 1, kLonFormat);
  if (sameKey(key, kAntNameKey)) return dataManager().instanceMapName(std::atoi(value.data()));
  if (sameKey(key, kAntLabelKey)) return dataManager().instanceMapLabel(std::atoi(value.data()));
  if (sameKey(key, kElevationKey) && value.isNull()) return kNoElevation;
  return value;
}
