// TarnelBrivantDiagramReport: the base of the equipment diagrams of the cell
// sites that can carry microcells. preBuild reads the cell's frame-0 and RCS
// technologies; the build writes the configured selects (no AP block); the
// subclasses then append the rows of configured stored procedures
// (STOREDPROCS.<key> elements with "proc" and "result") and the microcell
// data. A missing STOREDPROCS element or result query is a KvException
// naming it. The stream must be open (buildReport ran) before any writer.
#ifndef TARNEL_REPORTS_DIAGRAM_TARNELBRIVANTDIAGRAMREPORT_H_
#define TARNEL_REPORTS_DIAGRAM_TARNELBRIVANTDIAGRAMREPORT_H_

#include "reports/cell/TarnelCellReport.h"

class TarnelBrivantDiagramReport : public TarnelCellReport {
 public:
  TarnelBrivantDiagramReport(RWEString name, XMLQueryInterface& connection,
                             ReportDataManager& dataManager, LogUser& user);
  ~TarnelBrivantDiagramReport() override;

  // Reads fr0tech and rcsTech from the cell row. Throws ReportMessageException
  // "Query (<sql>) failed for report: <title>" (context "PREBUILD") when the
  // row does not give exactly two values; database failures pass through.
  void preBuild() override;
  // Opens the stream and writes the configured selects, without AP block.
  void buildReport() override;
  // PFTemplate0 (templateName), PFFrtech0 and PFDataFileName, in that order.
  void populateSteeringData(TarnelSteeringData& data) override;

  // Appends the six microcell statuses of cell `cellId`, blanks stripped, as
  // the procedure "tnl_cfg_reports.GetMCStatus" returns them (fewer when it
  // returns fewer). A KvException gets the context "Calling stored procedure
  // tnl_cfg_reports.GetMCStatus for report \"<title>\"" and is rethrown.
  virtual void getMcStatus(RWEStringCollection& statuses, int cellId);
  // Writes the microcell antenna rows, then the rows of STOREDPROCS.CDMA
  // (its result query found through getQueryByName). Throws KvException.
  virtual void doCBrivmCell();
  // As doCBrivmCell with STOREDPROCS.TDMA (result query from the data manager).
  virtual void doTBrivmCell();

  // Runs procedure `procedure` of "tnl_cfg_reports" with the cell instance id.
  void createTempTables(RWEString procedure);
  // Runs the procedure, then writes every row of query `resultQuery`: its
  // values tab-separated, one line per row (flushed).
  void doCDiagramStoredProc(RWEString procedure, RWEString resultQuery);
  // Writes one empty line.
  void sendNewLineToStream();
  // Runs STOREDPROCS.MICROANT and writes its rows as key, value, data with
  // latitude and longitude in degrees, minutes and seconds, antenna ids as
  // map name and label, and an empty elevation as "0.0000000000000000".
  void brivMicroAnt();

  // The STOREDPROCS elements of brivMicroAnt, doCBrivmCell and doTBrivmCell.
  static const char kMicroAntPath[];
  static const char kCdmaPath[];
  static const char kTdmaPath[];

 protected:
  // The first TEMPLATES.TEMPLATE element's attribute `name`; empty when absent.
  RWEString templateAttribute(const RWEString& name) const;
  // doCDiagramStoredProc with the "proc" and "result" of the element at `path`.
  void doConfiguredStoredProc(const RWEString& path);

  RWEString fr0tech;
  RWEString rcsTech;
  RWEString templateName;

 private:
  // The STOREDPROCS element at `path`; KvException when it is absent.
  const KvXMLElement& storedProcedure(const RWEString& path) const;
  // The microcell section of a CDMA or TDMA cell with the result query `query`.
  void doBrivmCell(const KvXMLElement& procedure, KvXMLElement* query);
  // Runs `query` (named `name`); KvException when the definition is missing.
  SmartPtr<KvXMLElement> runResultQuery(KvXMLElement* query, const RWEString& name);
  // Writes every row of the result, tab-separated, one line per row.
  void writeResultRows(KvXMLElement* query, const RWEString& name);
  // The text written for entry 2 of a microcell antenna row of kind `key`.
  RWEString microAntValue(const RWEString& key, const RWEString& value);
};

#endif  // TARNEL_REPORTS_DIAGRAM_TARNELBRIVANTDIAGRAMREPORT_H_
