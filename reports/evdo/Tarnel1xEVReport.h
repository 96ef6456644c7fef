// Tarnel1xEVReport: the configuration report of one 1xEV network element of
// the entity the configuration names. preBuild writes the title and the two
// configured heading lines and runs the STOREDPROCS.IXEV procedure for the
// instance; buildReport copies the rows of the "result" query to the stream,
// writing the location keywords and the run-time stamp in their own form.
// Throws KvException when STOREDPROCS.IXEV or its result query is not
// configured; other failures of the query services pass through unchanged.
#ifndef TARNEL_REPORTS_EVDO_TARNEL1XEVREPORT_H_
#define TARNEL_REPORTS_EVDO_TARNEL1XEVREPORT_H_

#include <ostream>
#include <vector>

#include "engine/BoundInstance.h"
#include "engine/TarnelEntityReport.h"

class Tarnel1xEVReport : public TarnelEntityReport {
 public:
  Tarnel1xEVReport(RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager,
                   LogUser& user);
  ~Tarnel1xEVReport() override;

  // Takes the run's active instance id; nothing else.
  void configure(TarnelReportInfo& info) override;
  // Writes the element's result rows to the stream preBuild opened. Throws
  // KvException when STOREDPROCS.IXEV or its "result" query is not defined.
  void buildReport() override;
  // Macro file 5, the template and the stream's data file name.
  void populateSteeringData(TarnelSteeringData& data) override;
  // Opens the stream, writes the title and the heading lines, and runs the
  // "proc" procedure with the instance id and the entity name. Throws
  // KvException when STOREDPROCS.IXEV is not defined.
  void preBuild() override;
  // The configuration root's "Entity" attribute.
  RWEString entityName() override;
  // The active instance id; -1 before configure.
  int instanceId() override;

  // The stored-procedure element of both 1xEV reports.
  static const char kProcedurePath[];

 protected:
  // The named attribute of the STOREDPROCS.IXEV element; KvException naming
  // the element when the configuration has none.
  RWEString procAttribute(const RWEString& name) const;
  // Runs the "proc" procedure of STOREDPROCS.IXEV in the package
  // "tnl_cfg_reports" with the instance id and `strings` (may be null); the
  // procedure stages the data the result queries read.
  void runProcedure(std::vector<RWEString>* strings);
  // Runs the query whose name is the STOREDPROCS.IXEV attribute `name`; the
  // caller reads the result as a table. KvException when it is not defined.
  SmartPtr<KvXMLElement> runResultQuery(const RWEString& name);
  // Writes the two heading lines (the "Name" of every HEADINGS.FIRST.COLUMN,
  // then of every HEADINGS.SECOND.COLUMN, each followed by a tab); returns
  // the number of first-line headings.
  int writeHeadingLines(std::ostream& os);
  // The current time as the run-time stamps show it, ending with a newline.
  static RWEString runTimeText();

 private:
  struct RowFlags;
  int writeHeadingLine(std::ostream& os, const RWEString& path);
  void writeRow(std::ostream& os, const RWEStringCollection& row, RowFlags& flags);
  bool writeKeyword(std::ostream& os, const RWEStringCollection& row, int c, RowFlags& flags);

  BoundInstance instance_;
};

#endif  // TARNEL_REPORTS_EVDO_TARNEL1XEVREPORT_H_
