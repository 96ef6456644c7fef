#include "engine/TarnelEntityReport.h"

#include <algorithm>
#include <cstdlib>

#include "framework/KvException.h"
#include "framework/KvTraceStatic.h"
#include "framework/LogUser.h"
#include "framework/ReportDataManager.h"
#include "framework/TarnelReportInfo.h"
#include "framework/XMLQueryResult.h"

namespace {

const RWEString kSelectsPath("SELECTS.SELECT");
const RWEString kTemplatePath("TEMPLATES.TEMPLATE");
const RWEString kFieldsPath("FIELDS.FIELD");
const RWEString kName("Name");
const RWEString kEntity("Entity");
const RWEString kExcel("Excel");
const RWEString kSelect("Select");
const RWEString kJoin("Join");
const RWEString kSingleSelect("SingleSelect");
const RWEString kTable("Table");
const RWEString kSource("Source");
const RWEString kScenario("Scenario");
const RWEString kCheckScenario("CheckScenario");
const RWEString kRowIndex("RowIndex");
const RWEString kAddInstanceId("AddInstanceId");
const RWEString kIndexBy("IndexBy");
const RWEString kPrefix("Prefix");
const RWEString kClass("Class");
const RWEString kTrue("True");
const RWEString kFalse("False");

const RWEString kCellSeriesQuery("CellSeries");
const RWEString kLoadDataQuery("SWLoadDataTRX");
const RWEString kVoiceLafQuery("APvoicelaf");

const RWEString kNotDefined("Query not defined in config file: ");
const RWEString kElementNotDefined("Element not defined in config file: ");
const RWEString kDiskSpace("Unable to write all of the report  - check disk space");
const RWEString kFailedQuery("Failed database query:\n");
const RWEString kUndefinedSeries("Undefined cell series for report: ");

const char kInstanceIdProbe[] = "select 1 from user_Tab_columns where table_name='";
const char kInstanceIdProbeEnd[] = "' and column_name='INSTANCE_ID'";

// AP block queries by cell series 1 to 9.
struct ApQueries {
  const char* cell;
  const char* antenna;
};
const ApQueries kApQueries[] = {
    {"APcellFields", "APantenna2"},        // 1
    {"APcellFields", "APantenna2"},        // 2
    {"APcellDataFields", "APantenna2"},    // 3
    {"APcellFieldsRCS", "APantenna2RCS"},  // 4
    {"APcellFieldsRCS", "APantenna2RCS"},  // 5
    {"APcellFields", "APantenna2"},        // 6
    {"APcellFields", "APantenna2"},        // 7
    {"APcellFields", "APantenna2"},        // 8
    {"APcellFields", "APantenna2"},        // 9
};

void trace(const char* where, const RWEString& entity, int separation) {
  if (!__envKVDevelopment) return;
  KvTraceStatic::output(where, (entity + ".separation := " + intText(separation)).data());
}

}  // namespace

TarnelEntityReport::TarnelEntityReport(RWEString name, XMLQueryInterface& connection,
                                       ReportDataManager& dataManager, LogUser& user)
    : TarnelConfigReport(name, connection, dataManager, user), streamNumber(-1), cellSeries(-1) {}

TarnelEntityReport::~TarnelEntityReport() = default;

void TarnelEntityReport::configure(TarnelReportInfo& info) { scenario = info.scenario; }

void TarnelEntityReport::buildReport() {
  openReportStream();
  processConfiguredSelects();
}

void TarnelEntityReport::populateSteeringData(TarnelSteeringData& data) { data.runMacro(0); }

RWEString TarnelEntityReport::excelTemplateFile() {
  KvXMLElement* templ = configElement->getNamedElement(kTemplatePath);
  return templ ? templ->attribute(kExcel) : RWEString();
}

int TarnelEntityReport::series() {
  if (cellSeries >= 0) return cellSeries;
  SmartPtr<KvXMLElement> result = xmlResult(selectStatementFromXML(definedQuery(kCellSeriesQuery)));
  RWOrdered rows;
  if (result) rows = result->getNamedElements(DATA_PATH);
  if (rows.entries() != 1) {
    throw KvException("CellSeries query should only return exactly one row for " + entityName() +
                      ": " + intText(instanceId()));
  }
  KvXMLElement* row = rows(0);
  int index = 0;
  KvXMLCharacterData* text = row->getCharacterData(index);
  if (row->attribute(kClass) == "Table1" && text) {
    RWEStringCollection values;
    if (values.split(text->text, TRAILING, '|') == 2) cellSeries = std::atoi(values[1].data());
  }
  if (cellSeries >= 0) return cellSeries;
  throw ReportMessageException("Cell series could not be determined for " + entityName() + ": " +
                               intText(instanceId()));
}

void TarnelEntityReport::processQuery(std::ostream& os, RWEString queryName, int keyColumns) {
  doXMLSelect(os, definedQuery(queryName), keyColumns);
  if (os.bad() || os.fail()) throw KvException(kDiskSpace);
}

KvXMLElement* TarnelEntityReport::definedQuery(const RWEString& name) {
  KvXMLElement* query = dataManager().query(name);
  if (!query) throw KvException(kNotDefined + name);
  return query;
}

KvXMLElement& TarnelEntityReport::configuredElement(const RWEString& path) const {
  KvXMLElement* element = configElement->getNamedElement(path);
  if (!element) throw KvException(kElementNotDefined + path);
  return *element;
}

void TarnelEntityReport::doXMLSelect(std::ostream& os, KvXMLElement* query, int keyColumns) {
  const RWEString& select = query->attribute(kSelect);
  if (!select.isNull()) {
    doXMLExplicit(os, query, select, keyColumns);
  } else {
    doXMLFields(os, query, keyColumns);
  }
}

void TarnelEntityReport::doXMLFields(std::ostream& os, KvXMLElement* query, int keyColumns) {
  const RWEString& entity = query->attribute(kEntity);
  bool single = query->attribute(kSingleSelect) == kTrue;
  RWEString sql = selectStatementFromXML(query);
  int separation = entity.isNull() ? 1 : dataManager().separation(entity, entityName());
  trace("TarnelEntityReport::doXMLFields", entity, separation);
  if (separation > 0 && !single) {
    processMultiSelect(os, query, sql, keyColumns);
  } else {
    processSingleSelect(os, query, sql, keyColumns);
  }
}

void TarnelEntityReport::doXMLExplicit(std::ostream& os, KvXMLElement* query, RWEString select,
                                       int keyColumns) {
  const RWEString& entity = query->attribute(kEntity);
  const RWEString& join = query->attribute(kJoin);
  bool single = query->attribute(kSingleSelect) == kTrue;
  int separation = dataManager().separation(entity, entityName());
  if (join.isNull()) {
    select.appendFormat(RWEString::formatInt, instanceId());
  } else {
    select += " ";
    select += join;
  }
  select = replaceEntities(select, instanceId());
  trace("TarnelEntityReport::doXMLExplicit", entity, separation);
  if (separation >= 1 && !single) {
    processMultiSelect(os, query, select, keyColumns);
  } else {
    processSingleSelect(os, query, select, keyColumns);
  }
}

void TarnelEntityReport::getFieldList(RWEStringCollection& names, KvXMLElement* query) {
  for (KvXMLElement* field : query->getNamedElements(kFieldsPath)) {
    names.insert(field->attribute(kName));
  }
}

void TarnelEntityReport::processSingleSelect(std::ostream& os, KvXMLElement* query,
                                             RWEString sql, int) {
  try {
    SmartPtr<KvXMLElement> result = xmlResult(sql);
    DSQueryResult table(result, nullptr, XMLQueryResult::_TABLE1, '|', NONE_STRIP);
    if (table.numRows == 0) return;
    RWEStringCollection& row = table.row(0);
    int rowId = row.getInt(0);
    RWOrdered fields = query->getNamedElements(kFieldsPath);
    RWEStringCollection probe;
    doSingleSelect(probe, kInstanceIdProbe + ::toUpper(query->attribute(kTable)) +
                              kInstanceIdProbeEnd);
    int column = static_cast<int>(probe.entries());
    for (KvXMLElement* field : fields) {
      if (column >= static_cast<int>(row.entries()) && field->attribute(kSource) != kScenario) {
        break;
      }
      column += outputXML(os, field, row, column, rowId, RWEString(), RWEString());
    }
  } catch (KvException& e) {
    e.context(kFailedQuery + sql);
    logUser.logMessage((e.asString() + "\n").data(), 0);
    throw;
  }
}

void TarnelEntityReport::processMultiSelect(std::ostream& os, KvXMLElement* query,
                                            RWEString sql, int keyColumns) {
  bool checkScenario = query->attribute(kCheckScenario) != kFalse;
  bool rowIndex = query->attribute(kRowIndex) == kTrue;
  int first = query->attribute(kAddInstanceId) == kFalse ? 0 : 1;
  int indexBy = std::atoi(query->attribute(kIndexBy).data());
  const RWEString& prefix = query->attribute(kPrefix);
  const RWEString& entity = query->attribute(kEntity);
  try {
    SmartPtr<KvXMLElement> result = xmlResult(sql);
    DSQueryResult table(result, nullptr, XMLQueryResult::_TABLE1, '|', NONE_STRIP);
    if (table.numRows == 0) return;
    RWOrdered fields = query->getNamedElements(kFieldsPath);
    for (int r = 0; r < table.numRows; ++r) {
      RWEStringCollection& row = table.row(r);
      int rowId = row.getInt(0);
      if (checkScenario && dataManager().inScenario(rowId, entity) == 0) continue;
      RWEString key;
      if (rowIndex) {
        key = intText(r + 1);
      } else if (indexBy != 0) {
        key = row.getString(indexBy - 1);
      } else {
        for (int c = first; c < first + keyColumns; ++c) key += row.getString(c);
      }
      int column = first;
      for (size_t f = 0; f < fields.entries() && column < static_cast<int>(row.entries()); ++f) {
        column += outputXML(os, fields(f), row, column, rowId, key, prefix);
      }
    }
  } catch (KvException& e) {
    e.context(kFailedQuery + sql);
    logUser.logMessage((e.asString() + "\n").data(), 0);
    throw;
  }
}

void TarnelEntityReport::processSeriesQuery(int n, bool cell) {
  int s = series();
  if (s < 1 || s > 9) throw ReportMessageException(kUndefinedSeries + intText(s));
  const ApQueries& queries = kApQueries[s - 1];
  processQuery(stream(n), cell ? queries.cell : queries.antenna, 1);
}

void TarnelEntityReport::doAPCell(int n) {
  processSeriesQuery(n, true);
  processQuery(stream(n), kLoadDataQuery, 1);
}

void TarnelEntityReport::doAPantenna(int n) { processSeriesQuery(n, false); }

void TarnelEntityReport::doAPvlaf(int n) { processQuery(stream(n), kVoiceLafQuery, 1); }

std::vector<std::string> TarnelEntityReport::queryNames(Block block) {
  std::vector<std::string> names;
  if (block == kApVoiceLafBlock) names.push_back(kVoiceLafQuery.str());
  if (block == kSeriesBlock) names.push_back(kCellSeriesQuery.str());
  if (block != kApCellBlock && block != kApAntennaBlock) return names;
  for (const ApQueries& queries : kApQueries) {
    std::string name = block == kApCellBlock ? queries.cell : queries.antenna;
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  if (block == kApCellBlock) names.push_back(kLoadDataQuery.str());
  return names;
}

void TarnelEntityReport::openReportStream() {
  streamNumber = dataManager().openStream(reportTitle());
}

void TarnelEntityReport::processConfiguredSelects() {
  for (KvXMLElement* select : configElement->getNamedElements(kSelectsPath)) {
    processQuery(stream(streamNumber), selectName(select), 1);
  }
}

void TarnelEntityReport::populateTemplateAndDataFile(TarnelSteeringData& data) {
  TarnelEntityReport::populateSteeringData(data);
  data.PFTemplateName(excelTemplateFile());
  data.PFDataFileName(dataManager().streamFilename(streamNumber));
}


const RWEString& TarnelEntityReport::selectName(KvXMLElement* select) {
  return select->attribute(kName);
}
