// TarnelConfigReport: the framework's base report. It holds the report's name
// (its title), the query connection, the data manager and the log identity it
// was constructed with (all three owned by the caller and outliving the
// report), the configuration root set by the framework before the build, and
// the run's scenario. It offers the query services the reports are written
// with: SQL generated from query definitions, query execution, stored
// procedures, and the writing of configured fields to a stream.
// Failures are thrown as KvException. One report object serves one run on
// one thread.
#ifndef TARNEL_FRAMEWORK_TARNELCONFIGREPORT_H_
#define TARNEL_FRAMEWORK_TARNELCONFIGREPORT_H_

#include <ostream>
#include <vector>

#include "framework/KvXMLElement.h"
#include "framework/RWCollectableString.h"
#include "framework/RWEStringCollection.h"
#include "framework/SmartPtr.h"

class LogUser;
class ReportDataManager;
class TarnelReportInfo;
class TarnelSteeringData;
class XMLQueryInterface;

class TarnelConfigReport : public RWCollectableString {
 public:
  // Path of the row elements of a result document.
  static const RWEString DATA_PATH;

  TarnelConfigReport(RWEString name, XMLQueryInterface& connection,
                     ReportDataManager& dataManager, LogUser& user);
  ~TarnelConfigReport() override;
  TarnelConfigReport(const TarnelConfigReport&) = delete;
  TarnelConfigReport& operator=(const TarnelConfigReport&) = delete;

  // The report interface, in slot order.
  virtual void configure(TarnelReportInfo& info);
  // preBuild, buildReport and postBuild in turn.
  virtual void generate();
  virtual void buildReport() = 0;
  virtual RWEString scenarioId();
  virtual void populateSteeringData(TarnelSteeringData& data) = 0;
  virtual void preBuild() {}
  virtual void postBuild() {}
  virtual RWEString entityName() = 0;
  virtual int instanceId() = 0;
  // Writes a control-information block; the base writes nothing.
  virtual void printControlInfo(int, int) {}
  virtual KvXMLElement* configuration() const { return configElement; }
  // Writes `text` to the report's log at level 0.
  virtual void output(const char* text);
  // The catalogue name of instance `id`; `entity` is not needed to find it.
  virtual RWEString getLocalId(RWEString entity, int id);
  // The SQL of a query definition (selectStatementFromXML).
  virtual RWEString queryFromXml(KvXMLElement* query);
  // The query definition named `name`; null when undefined.
  virtual KvXMLElement* getQueryByName(RWEString name);
  // Runs the definition's own SQL: its "Select" text through replaceEntities
  // (no instance id appended), else selectStatementFromXML. The caller owns
  // the result. Throws KvException for a null definition or a failed query.
  virtual KvXMLElement* runXmlQuery(KvXMLElement* query);
  // runXmlQuery of the named definition; KvException when it is undefined.
  virtual KvXMLElement* runXmlQueryByName(RWEString name);
  // `sql` with every "$INSTANCE_ID" replaced by `id`.
  virtual RWEString replaceEntities(RWEString sql, int id);
  // Inserts the values of the first result row of `sql` into `values`;
  // nothing when there is no row.
  virtual void doSingleSelect(RWEStringCollection& values, RWEString sql);
  // Loads the members of `entity` in `scenario` (or the run's scenario).
  virtual void augmentScenarioTable(RWEString entity, RWEString scenario);
  virtual void augmentScenarioTable(RWEString entity);
  // "<prefix>.<name>" for each name of the null-terminated list, joined by ", ".
  virtual RWEString fieldsForSelect(char** names, const char* prefix);
  // The text written for `value` in `field`; the base returns it unchanged.
  virtual RWEString finalFormat(KvXMLElement* field, RWEString value);
  // The value of a "Scenario" field of row `rowId`: `which` is the field's
  // "Value" attribute: "name" (or empty), "mapname", "maplabel", "scenario", "id".
  virtual RWEString getScenarioField(int rowId, RWEString which);
  virtual RWEString getNameMapField(int rowId, RWEString which);
  // Writes "<name>[<key>]\t<value>\n" ("[<key>]" only when key is not empty).
  virtual void outputField(std::ostream& os, const RWEString& name, const RWEString& key,
                           const RWEString& value);
  // For kind "Lat" or "Lon", the decimal degrees of `value` as degrees,
  // minutes, seconds and direction ("%2d %2d %2d %c", "%3d %2d %2d %c");
  // any other kind returns `value`.
  virtual RWEString translateValue(RWEString name, RWEString value, RWEString kind);
  // Writes one field of a row (prefix, name, key, value) and returns the
  // number of row columns it consumed: 1, or 0 for a "Scenario" field.
  virtual int outputXML(std::ostream& os, KvXMLElement* field, RWEStringCollection& row,
                        int column, int rowId, RWEString key, RWEString prefix);
  // Sets `value` to the field's value (before finalFormat); returns the
  // number of columns consumed.
  virtual int getXMLValue(RWEString& value, KvXMLElement* field, RWEStringCollection& row,
                          int column, int rowId, RWEString& key);

  // Services.
  ReportDataManager& dataManager() const { return dataManager_; }
  XMLQueryInterface& connection() const { return connection_; }
  const RWEString& reportTitle() const { return *this; }
  // Output stream number n of the data manager.
  std::ostream& stream(int n);
  // The framework sets the configuration root before the build.
  void setConfigElement(KvXMLElement* root) { configElement = root; }

  // The SQL generated from a field-list definition:
  // "select tbl.instance_id, tbl.<col>, ... from <Table> tbl where tbl.<Key> = <id>"
  // then " and <Where>" when given.
  RWEString selectStatementFromXML(KvXMLElement* query);
  SmartPtr<KvXMLElement> xmlResult(RWEString sql);
  SmartPtr<KvXMLElement> xmlResult(KvXMLElement* query);
  // Runs package.name with the integer and then the string arguments (either
  // list may be null); returns the result document.
  SmartPtr<KvXMLElement> executeStoredProc(RWEString name, RWEString package,
                                           std::vector<int>* ints,
                                           std::vector<RWEString>* strings);
  // Position of the field named `name` among the definition's FIELDS.FIELD
  // children; -1 when absent.
  int indexOf(KvXMLElement* query, RWEString name);
  // 1 when the definition's rows start with the instance id, else 0.
  static int usesInstanceID(KvXMLElement* query);
  // doSingleSelect of the named definition's SQL; KvException when undefined.
  void singleSelectByName(RWEStringCollection& values, RWEString name);

 protected:
  KvXMLElement* configElement = nullptr;
  RWEString scenario;
  LogUser& logUser;

 private:
  XMLQueryInterface& connection_;
  ReportDataManager& dataManager_;
};

#endif  // TARNEL_FRAMEWORK_TARNELCONFIGREPORT_H_
