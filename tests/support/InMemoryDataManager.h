// InMemoryDataManager: a data manager for tests. Query definitions come from
// XML text; streams are string streams that can be made to fail; separations,
// scenario members, series and instance names are set by the test; every
// call that matters is recorded.
#ifndef TARNEL_TESTS_SUPPORT_INMEMORYDATAMANAGER_H_
#define TARNEL_TESTS_SUPPORT_INMEMORYDATAMANAGER_H_

#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "framework/KvXMLElement.h"
#include "framework/LogUser.h"
#include "framework/ReportDataManager.h"

class InMemoryDataManager : public ReportDataManager {
 public:
  // Adds the QUERIES.QUERY definitions of the XML document `xml`.
  void defineQueries(const std::string& xml);

  KvXMLElement* query(const RWEString& name) override;
  int openStream(const RWEString& title) override;
  std::ostream& stream(int n) override;
  RWEString streamFilename(int n) override;
  int separation(const RWEString& queryEntity, const RWEString& reportEntity) override;
  int inScenario(int id, const RWEString& entity) override;
  int seriesForCell(int id) override;
  RWEString instanceName(int id) override;
  RWEString instanceMapName(int id) override;
  RWEString instanceMapLabel(int id) override;
  void populateTempScenarioTable(const RWEString& entity, const RWEString& scenario) override;

  // Text written to stream n (0 is the first one opened).
  std::string text(int n = 0) const;
  // Sets the failed state of stream n now (or of the next stream opened).
  void failStream(int n);

  std::map<std::pair<std::string, std::string>, int> separations;  // default 1
  std::set<int> outOfScenario;       // instances inScenario answers 0 for
  std::map<int, int> series;         // default -1
  std::map<int, std::string> names;  // map name "map-<name>", label "label-<name>"
  std::vector<std::string> calls;    // openStream, populateTempScenarioTable, separation

 private:
  std::vector<std::unique_ptr<KvXMLElement>> documents_;
  std::map<std::string, KvXMLElement*> queries_;
  std::vector<std::unique_ptr<std::ostringstream>> streams_;
  std::map<std::string, int> streamByTitle_;
  std::set<int> failing_;
};

// A log identity that records every message.
class RecordingLogUser : public LogUser {
 public:
  ErrorResponse logMessage(const char* text, int level) override {
    messages.push_back(std::to_string(level) + ":" + text);
    return ER_CONTINUE;
  }
  std::vector<std::string> messages;
};

#endif  // TARNEL_TESTS_SUPPORT_INMEMORYDATAMANAGER_H_
