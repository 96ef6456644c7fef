#include "reports/laf/TarnelLAFReport.h"

#include "framework/TarnelReportInfo.h"

namespace {

const char kVoiceLafEntity[] = "VoiceLAF";
const RWEString kAntennaEntity("Antenna");

// Written after the voice-LAF AP block, for the entity "VoiceLAF" only.
const std::vector<LafQuery> kVoiceLafQueries = {
    {"SWfci", 1}, {"SWLAFtglist2", 1}, {"SWfcirasalsa", 1}};
// Written for every entity.
const std::vector<LafQuery> kFaceQueries = {{"SWceqface", 1}, {"SWceqfacealtcar", 1}};
// Written for the entity "Antenna" only.
const std::vector<LafQuery> kAntennaQueries = {
    {"SWdrl", 1}, {"SWceqface2", 1}, {"SWprsid", 1}, {"SWceqfacecdmacar", 1}};
// Always the last section.
const std::vector<LafQuery> kClosingQueries = {{"DCSLocalKey", 1}};

}  // namespace

TarnelLAFReport::TarnelLAFReport(RWEString name, XMLQueryInterface& connection,
                                 ReportDataManager& dataManager, LogUser& user)
    : TarnelEntityReport(name, connection, dataManager, user), laf_(kVoiceLafEntity) {}

TarnelLAFReport::~TarnelLAFReport() = default;

void TarnelLAFReport::configure(TarnelReportInfo& info) { laf_.bind(info, scenario); }

void TarnelLAFReport::buildReport() {
  openReportStream();
  doAPCell(streamNumber);
  doAPantenna(streamNumber);
  if (entityName() == kVoiceLafEntity) doAPvlaf(streamNumber);
  runQueries(sections(entityName()));
}

std::vector<LafQuery> TarnelLAFReport::sections(const RWEString& entity) {
  std::vector<LafQuery> queries;
  auto append = [&queries](const std::vector<LafQuery>& more) {
    queries.insert(queries.end(), more.begin(), more.end());
  };
  if (entity == kVoiceLafEntity) append(kVoiceLafQueries);
  append(kFaceQueries);
  if (entity == kAntennaEntity) append(kAntennaQueries);
  append(kClosingQueries);
  return queries;
}

void TarnelLAFReport::populateSteeringData(TarnelSteeringData& data) {
  populateTemplateAndDataFile(data);
}

RWEString TarnelLAFReport::entityName() { return laf_.entity(*configElement); }

int TarnelLAFReport::instanceId() { return laf_.id(); }

void TarnelLAFReport::runQueries(const std::vector<LafQuery>& queries) {
  for (const LafQuery& query : queries) {
    processQuery(stream(streamNumber), query.name, query.keyColumns);
  }
}
