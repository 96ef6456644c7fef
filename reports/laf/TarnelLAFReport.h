// TarnelLAFReport: the report over one LAF (a voice LAF or an antenna face of
// a cell site), and the base of every LAF-scoped report. Its build runs a
// fixed sequence of named queries on one stream: the AP blocks, then the
// sections the entity name selects ("VoiceLAF", "Antenna" or neither).
// Every query must be defined in the configuration; exceptions from the
// engine end the build and pass to the caller.
#ifndef TARNEL_REPORTS_LAF_TARNELLAFREPORT_H_
#define TARNEL_REPORTS_LAF_TARNELLAFREPORT_H_

#include <vector>

#include "engine/BoundInstance.h"
#include "engine/TarnelEntityReport.h"

// One named query of a LAF sequence and the key-column count it runs with.
struct LafQuery {
  const char* name;
  int keyColumns;
};

class TarnelLAFReport : public TarnelEntityReport {
 public:
  TarnelLAFReport(RWEString name, XMLQueryInterface& connection, ReportDataManager& dataManager,
                  LogUser& user);
  ~TarnelLAFReport() override;

  // Takes the LAF instance id and the run's scenario.
  void configure(TarnelReportInfo& info) override;
  // Opens the stream and writes the AP cell and antenna blocks, the voice-LAF
  // or antenna sections the entity name selects, the face sections and
  // "DCSLocalKey". Throws what the engine throws.
  void buildReport() override;
  // Macro 0, the template of excelTemplateFile() and the stream's file name.
  void populateSteeringData(TarnelSteeringData& data) override;
  // Always "VoiceLAF".
  RWEString entityName() override;
  // The LAF instance id; -1 before configure.
  int instanceId() override;

  int lafInstanceId() const { return laf_.id(); }

  // The named queries the build runs after the AP blocks for a report of
  // entity name `entity`, in order: the voice-LAF sections ("VoiceLAF"), the
  // face sections, the antenna sections ("Antenna"), "DCSLocalKey".
  static std::vector<LafQuery> sections(const RWEString& entity);

 protected:
  // Runs each query on the report's stream, in order.
  void runQueries(const std::vector<LafQuery>& queries);

 private:
  BoundInstance laf_;
};

#endif  // TARNEL_REPORTS_LAF_TARNELLAFREPORT_H_
