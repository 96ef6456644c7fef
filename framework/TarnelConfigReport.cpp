#include "framework/TarnelConfigReport.h"

#include <cstdio>
#include <cstdlib>

#include "framework/KvException.h"
#include "framework/KvXMLQuery.h"
#include "framework/LogUser.h"
#include "framework/ReportDataManager.h"
#include "framework/TarnelReportInfo.h"
#include "framework/XMLQueryInterface.h"
#include "framework/XMLQueryResult.h"
#include "framework/deg2dmso.h"

const RWEString TarnelConfigReport::DATA_PATH("DATASET.ROW");

namespace {

const RWEString kInstanceIdEntity("$INSTANCE_ID");
const RWEString kFieldsPath("FIELDS.FIELD");
const RWEString kName("Name");
const RWEString kSelect("Select");
const RWEString kSource("Source");
const RWEString kScenario("Scenario");
const RWEString kColumn("Column");
const RWEString kTable("Table");
const RWEString kKey("Key");
const RWEString kWhere("Where");
const RWEString kAddInstanceId("AddInstanceId");
const RWEString kTranslate("Translate");
const RWEString kValue("Value");
const RWEString kFalse("False");
const RWEString kLat("Lat");
const RWEString kLon("Lon");

}  // namespace

TarnelConfigReport::TarnelConfigReport(RWEString name, XMLQueryInterface& connection,
                                       ReportDataManager& dataManager, LogUser& user)
    : RWCollectableString(name),
      logUser(user),
      connection_(connection),
      dataManager_(dataManager) {}

TarnelConfigReport::~TarnelConfigReport() = default;

void TarnelConfigReport::configure(TarnelReportInfo& info) { scenario = info.scenario; }

void TarnelConfigReport::generate() {
  preBuild();
  buildReport();
  postBuild();
}

RWEString TarnelConfigReport::scenarioId() { return scenario; }

void TarnelConfigReport::output(const char* text) { logUser.logMessage(text, 0); }

RWEString TarnelConfigReport::getLocalId(RWEString, int id) {
  return dataManager_.instanceName(id);
}

RWEString TarnelConfigReport::queryFromXml(KvXMLElement* query) {
  return selectStatementFromXML(query);
}

KvXMLElement* TarnelConfigReport::getQueryByName(RWEString name) {
  return dataManager_.query(name);
}

KvXMLElement* TarnelConfigReport::runXmlQuery(KvXMLElement* query) {
  if (!query) throw KvException("No query definition given to run");
  const RWEString& select = query->attribute(kSelect);
  RWEString sql = select.isNull() ? selectStatementFromXML(query)
                                  : replaceEntities(select, instanceId());
  KvXMLQuery q('|', KvXMLQueryBuilder::_QUERY, KvXMLQuery::_DB);
  q.addSql(sql, RWEString::_nullString);
  return connection_.executeQuery(q);
}

KvXMLElement* TarnelConfigReport::runXmlQueryByName(RWEString name) {
  KvXMLElement* query = getQueryByName(name);
  if (!query) throw KvException("Query not defined in config file: " + name);
  return runXmlQuery(query);
}

RWEString TarnelConfigReport::replaceEntities(RWEString sql, int id) {
  size_t at = sql.index(kInstanceIdEntity);
  if (at == RW_NPOS) return sql;
  const std::string idText = intText(id).str();
  std::string& text = sql.str();
  while (at != RW_NPOS) {
    text.replace(at, kInstanceIdEntity.length(), idText);
    at = sql.index(kInstanceIdEntity, at + idText.size());
  }
  return sql;
}

void TarnelConfigReport::doSingleSelect(RWEStringCollection& values, RWEString sql) {
  SmartPtr<KvXMLElement> result = xmlResult(sql);
  DSQueryResult table(result, nullptr, XMLQueryResult::_TABLE1, '|', NONE_STRIP);
  if (table.numRows == 0) return;
  for (const RWEString& v : table.row(0)) values.insert(v);
}

void TarnelConfigReport::augmentScenarioTable(RWEString entity, RWEString scenarioText) {
  dataManager_.populateTempScenarioTable(entity, scenarioText);
}

void TarnelConfigReport::augmentScenarioTable(RWEString entity) {
  dataManager_.populateTempScenarioTable(entity, scenarioId());
}

RWEString TarnelConfigReport::fieldsForSelect(char** names, const char* prefix) {
  RWEString text;
  for (char** n = names; n && *n; ++n) {
    if (n != names) text += ", ";
    text += prefix;
    text += '.';
    text += *n;
  }
  return text;
}

RWEString TarnelConfigReport::finalFormat(KvXMLElement*, RWEString value) { return value; }

RWEString TarnelConfigReport::getScenarioField(int rowId, RWEString which) {
  if (which == "mapname") return dataManager_.instanceMapName(rowId);
  if (which == "maplabel") return dataManager_.instanceMapLabel(rowId);
  if (which == "scenario") return scenarioId();
  if (which == "id") return intText(rowId);
  return dataManager_.instanceName(rowId);
}

RWEString TarnelConfigReport::getNameMapField(int rowId, RWEString which) {
  return getScenarioField(rowId, which);
}

void TarnelConfigReport::outputField(std::ostream& os, const RWEString& name,
                                     const RWEString& key, const RWEString& value) {
  os << name;
  if (!key.isNull()) os << '[' << key << ']';
  os << '\t' << value << '\n';
}

RWEString TarnelConfigReport::translateValue(RWEString, RWEString value, RWEString kind) {
  bool latitude = kind == kLat;
  if (!latitude && kind != kLon) return value;
  int d = 0, m = 0, s = 0;
  char direction = ' ';
  deg2dmso(static_cast<float>(std::atof(value.data())), &d, &m, &s, &direction,
           latitude ? 0 : 1);
  RWEString text;
  text.appendFormat(latitude ? "%2d %2d %2d %c" : "%3d %2d %2d %c", d, m, s, direction);
  return text;
}

int TarnelConfigReport::getXMLValue(RWEString& value, KvXMLElement* field,
                                    RWEStringCollection& row, int column, int rowId,
                                    RWEString&) {
  if (field->attribute(kSource) == kScenario) {
    value = getScenarioField(rowId, field->attribute(kValue));
    return 0;
  }
  value = row.getString(column);
  const RWEString& kind = field->attribute(kTranslate);
  if (kind == kLat || kind == kLon) value = translateValue(field->attribute(kName), value, kind);
  return 1;
}

int TarnelConfigReport::outputXML(std::ostream& os, KvXMLElement* field,
                                  RWEStringCollection& row, int column, int rowId,
                                  RWEString key, RWEString prefix) {
  RWEString value;
  int consumed = getXMLValue(value, field, row, column, rowId, key);
  prefix += field->attribute(kName);
  outputField(os, prefix, key, finalFormat(field, value));
  return consumed;
}

std::ostream& TarnelConfigReport::stream(int n) { return dataManager_.stream(n); }

RWEString TarnelConfigReport::selectStatementFromXML(KvXMLElement* query) {
  if (!query) throw KvException("No query definition given to generate SQL from");
  RWEString sql("select ");
  bool first = true;
  if (usesInstanceID(query)) {
    sql += "tbl.instance_id";
    first = false;
  }
  for (KvXMLElement* field : query->getNamedElements(kFieldsPath)) {
    if (field->attribute(kSource) == kScenario) continue;
    if (!first) sql += ", ";
    first = false;
    const RWEString& column = field->attribute(kColumn);
    if (column.isNull()) {
      sql += "tbl.";
      sql += field->attribute(kName);
    } else {
      sql += column;
    }
  }
  const RWEString& key = query->attribute(kKey);
  sql += " from ";
  sql += query->attribute(kTable);
  sql += " tbl where tbl.";
  sql += key.isNull() ? RWEString("instance_id") : key;
  sql += " = ";
  sql += intText(instanceId());
  const RWEString& where = query->attribute(kWhere);
  if (!where.isNull()) {
    sql += " and ";
    sql += where;
  }
  return sql;
}

SmartPtr<KvXMLElement> TarnelConfigReport::xmlResult(RWEString sql) {
  KvXMLQuery q('|', KvXMLQueryBuilder::_QUERY, KvXMLQuery::_DB);
  q.addSql(sql, RWEString::_nullString);
  return SmartPtr<KvXMLElement>(connection_.executeQuery(q));
}

SmartPtr<KvXMLElement> TarnelConfigReport::xmlResult(KvXMLElement* query) {
  return xmlResult(selectStatementFromXML(query));
}

SmartPtr<KvXMLElement> TarnelConfigReport::executeStoredProc(RWEString name, RWEString package,
                                                             std::vector<int>* ints,
                                                             std::vector<RWEString>* strings) {
  KvXMLQuery q('|', KvXMLQueryBuilder::_QUERY, KvXMLQuery::_DB);
  q.startProcedure(package + "." + name);
  if (ints) {
    for (int n : *ints) q.addProcedureArg("INT", intText(n), KvXMLQuery::_EMPTY, true);
  }
  if (strings) {
    for (const RWEString& s : *strings) q.addProcedureArg("STRING", s, KvXMLQuery::_EMPTY, true);
  }
  q.endNode();
  return SmartPtr<KvXMLElement>(connection_.executeQuery(q));
}

int TarnelConfigReport::indexOf(KvXMLElement* query, RWEString name) {
  if (!query) return -1;
  int position = 0;
  for (KvXMLElement* field : query->getNamedElements(kFieldsPath)) {
    if (field->attribute(kName) == name) return position;
    ++position;
  }
  return -1;
}

int TarnelConfigReport::usesInstanceID(KvXMLElement* query) {
  return query && query->attribute(kAddInstanceId) == kFalse ? 0 : 1;
}

void TarnelConfigReport::singleSelectByName(RWEStringCollection& values, RWEString name) {
  KvXMLElement* query = getQueryByName(name);
  if (!query) throw KvException("Query not defined in config file: " + name);
  const RWEString& select = query->attribute(kSelect);
  doSingleSelect(values, select.isNull() ? selectStatementFromXML(query)
                                         : replaceEntities(select, instanceId()));
}
