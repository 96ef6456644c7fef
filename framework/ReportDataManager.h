// ReportDataManager: the run's services that are not SQL: query definitions
// by name, output streams, entity separations, scenario membership, cell
// series and the instance catalogue. Implemented by the host over the database
// and by the tests in memory. The data manager owns the streams and the query
// definitions; a report holds only their numbers and pointers.
#ifndef TARNEL_FRAMEWORK_REPORTDATAMANAGER_H_
#define TARNEL_FRAMEWORK_REPORTDATAMANAGER_H_

#include <ostream>

#include "framework/RWEString.h"

class KvXMLElement;

class ReportDataManager {
 public:
  virtual ~ReportDataManager() = default;

  // The query definition named `name`; null when it is not defined.
  virtual KvXMLElement* query(const RWEString& name) = 0;
  // Opens the output stream of the report titled `title` and returns its
  // number; a second call with the same title returns the stream already
  // open. Throws KvException when the stream cannot be opened.
  virtual int openStream(const RWEString& title) = 0;
  // Output stream number n; throws KvException for a number never returned.
  virtual std::ostream& stream(int n) = 0;
  // File name of stream n; the empty string for -1 or an unknown number.
  virtual RWEString streamFilename(int n) = 0;
  // Separation between a query's entity and the report's entity: 0 for the
  // same entity, 1 or more when the query's rows are many per report.
  virtual int separation(const RWEString& queryEntity, const RWEString& reportEntity) = 0;
  // Non-zero when instance `id` of `entity` is in the run's scenario.
  virtual int inScenario(int id, const RWEString& entity) = 0;
  // Series of cell `id`; -1 when the cell is unknown.
  virtual int seriesForCell(int id) = 0;
  // Name, map name and map label of instance `id`; empty when unknown.
  virtual RWEString instanceName(int id) = 0;
  virtual RWEString instanceMapName(int id) = 0;
  virtual RWEString instanceMapLabel(int id) = 0;
  // Loads the members of `entity` in `scenario` for inScenario.
  virtual void populateTempScenarioTable(const RWEString& entity, const RWEString& scenario) = 0;
};

#endif  // TARNEL_FRAMEWORK_REPORTDATAMANAGER_H_
