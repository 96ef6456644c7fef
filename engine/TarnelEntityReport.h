// TarnelEntityReport: the generic XML-configured report every report class
// derives from. It writes each query named by the configuration's
// SELECTS.SELECT elements to the report's one output stream, through the
// query definitions the data manager holds; determines and caches the cell
// series; names the template; and writes the series-dependent AP blocks.
// Failures are thrown: KvException for technical failures (database errors
// carry the context "Failed database query:\n" + SQL and are logged first),
// ReportMessageException for conditions the user must be told of.
// One object serves one run on one thread.
#ifndef TARNEL_ENGINE_TARNELENTITYREPORT_H_
#define TARNEL_ENGINE_TARNELENTITYREPORT_H_

#include <ostream>
#include <string>
#include <vector>

#include "framework/TarnelConfigReport.h"
#include "framework/TarnelSteeringData.h"

class TarnelEntityReport : public TarnelConfigReport {
 public:
  TarnelEntityReport(RWEString name, XMLQueryInterface& connection,
                     ReportDataManager& dataManager, LogUser& user);
  ~TarnelEntityReport() override;

  // Takes over the run's scenario; nothing else.
  void configure(TarnelReportInfo& info) override;
  // Opens the stream and writes every configured select in document order.
  void buildReport() override;
  // Sets macro file 0; subclasses call it first.
  void populateSteeringData(TarnelSteeringData& data) override = 0;
  RWEString entityName() override = 0;
  int instanceId() override = 0;
  // The "Excel" attribute of the first TEMPLATES.TEMPLATE; empty when absent.
  virtual RWEString excelTemplateFile();
  // The cell series of the report's instance, from the "CellSeries" query,
  // run once per object. Throws KvException when the query gives not exactly
  // one row, ReportMessageException when the row does not give a series.
  virtual int series();

  // Query dispatch: writes the named query's rows to `os`. Throws
  // KvException "Query not defined in config file: " + name, and "Unable to
  // write all of the report  - check disk space" when `os` has failed.
  void processQuery(std::ostream& os, RWEString queryName, int keyColumns);
  void doXMLSelect(std::ostream& os, KvXMLElement* query, int keyColumns);
  void doXMLFields(std::ostream& os, KvXMLElement* query, int keyColumns);
  void doXMLExplicit(std::ostream& os, KvXMLElement* query, RWEString select, int keyColumns);
  void getFieldList(RWEStringCollection& names, KvXMLElement* query);

  // Query runners: the first row, or every row in the scenario under its key.
  void processSingleSelect(std::ostream& os, KvXMLElement* query, RWEString sql, int keyColumns);
  void processMultiSelect(std::ostream& os, KvXMLElement* query, RWEString sql, int keyColumns);

  // The query definition named `name`. Throws KvException "Query not defined
  // in config file: " + name when there is none.
  KvXMLElement* definedQuery(const RWEString& name);
  // The first configuration element at `path`. Throws KvException "Element
  // not defined in config file: " + path when there is none.
  KvXMLElement& configuredElement(const RWEString& path) const;

  // AP blocks on stream n; ReportMessageException for a series outside 1 to 9.
  void doAPCell(int n);
  void doAPantenna(int n);
  void doAPvlaf(int n);

  // The names of the queries a block may run, whatever the series: the AP
  // cell block's (with "SWLoadDataTRX"), the AP antenna block's, the voice-LAF
  // block's, and "CellSeries", which series() runs.
  enum Block { kApCellBlock, kApAntennaBlock, kApVoiceLafBlock, kSeriesBlock };
  static std::vector<std::string> queryNames(Block block);

 protected:
  // streamNumber = the data manager's stream for this report's title.
  void openReportStream();
  // processQuery(stream, name, 1) for every SELECTS.SELECT, in document order.
  void processConfiguredSelects();
  // The engine's steering data, then the template (through the virtual
  // excelTemplateFile) and the stream's data file name.
  void populateTemplateAndDataFile(TarnelSteeringData& data);
  // The "Name" attribute of a SELECTS.SELECT element; empty when absent.
  static const RWEString& selectName(KvXMLElement* select);

  int streamNumber;
  int cellSeries;

 private:
  RWEString cellQueryForSeries();
  RWEString antennaQueryForSeries();
  void processSeriesQuery(int n, bool cell);
};

#endif  // TARNEL_ENGINE_TARNELENTITYREPORT_H_
