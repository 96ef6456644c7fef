// ReportFiles: what a workbook is made from, read back from the files a
// successful run wrote: the steering data "<name>_<instance>.steering.json"
// (the setters' entries in the order the report first set them, then the
// host's "run" object) and the stream file it names in PFDataFileName or
// CRSDataFile, found beside it. A report that names no data file (the LAF
// MAHO report) has an empty stream. Read-only after construction.
#ifndef TARNEL_WORKBOOK_REPORTFILES_H_
#define TARNEL_WORKBOOK_REPORTFILES_H_

#include <ctime>
#include <string>
#include <utility>
#include <vector>

// The run the files came from, as the host recorded it in the steering
// data's "run" object. Fields the file lacks are empty (instanceId 0).
struct RunInfo {
  std::string report;        // the report's name (--name, or the configuration's stem)
  std::string className;     // the report class
  std::string entity;        // the report's entity
  int instanceId = 0;
  std::string instanceName;  // the catalogue's name of the instance
  std::string scenario;      // empty: no scenario
  std::string database;      // a file path, or a URI without its password
  std::string time;          // run time, ISO 8601 in UTC ("2023-11-14T22:13:20Z")
};

// The time a workbook of the run carries (document properties, zip entries):
// the run's own `iso` time ("2023-11-14T22:13:20Z"), else SOURCE_DATE_EPOCH,
// else now; so the same files give the same bytes.
time_t workbookTime(const std::string& iso);

class ReportFiles {
 public:
  typedef std::pair<std::string, std::string> Entry;

  // Reads `steeringPath` and the stream file it names from the same folder.
  // Throws WorkbookError naming the file that is missing, unreadable or not
  // steering data.
  static ReportFiles read(const std::string& steeringPath);
  // From texts in memory (tests, and runs that still hold them).
  ReportFiles(std::vector<Entry> steering, std::string stream, RunInfo run);

  // The steering entries in order, "runMacro" included (its code as text);
  // the "run" object is not an entry.
  const std::vector<Entry>& steering() const { return steering_; }
  // The value of steering entry `key`; "" when it was never set.
  const std::string& value(const std::string& key) const;
  bool has(const std::string& key) const;
  // The macro code (runMacro); 0 when none was given.
  int macro() const;
  const std::string& stream() const { return stream_; }
  const RunInfo& run() const { return run_; }

 private:
  std::vector<Entry> steering_;
  std::string stream_;
  RunInfo run_;
};

#endif  // TARNEL_WORKBOOK_REPORTFILES_H_
