#include "ExampleCellCoverageReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "framework/KvException.h"
#include "framework/TarnelReportInfo.h"
#include "framework/XMLQueryResult.h"

namespace {
// Query names of the configuration (coverage.xml).
const char kStatusQuery[] = "EXcellStatus";
const char kBeamsQuery[] = "EXcellBeams";
const char kUnequipped[] = "u";
const char kEntity[] = "Cell";
const double kHorizon = 360.0;

RWEString degrees(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}
}  // namespace

ExampleCellCoverageReport::ExampleCellCoverageReport(RWEString name, XMLQueryInterface& connection,
                                                     ReportDataManager& dataManager, LogUser& user)
    : TarnelEntityReport(name, connection, dataManager, user), instanceId_(-1) {}

void ExampleCellCoverageReport::configure(TarnelReportInfo& info) {
  instanceId_ = info.activeInstanceId();
  scenario = info.scenario;
}

void ExampleCellCoverageReport::preBuild() {
  RWEStringCollection status;
  singleSelectByName(status, kStatusQuery);
  if (status.entries() > 0 && status[0] == kUnequipped) {
    throw KvSkipReportException("Cell not equipped: " + intText(instanceId_));
  }
  beams_ = beams();
}

void ExampleCellCoverageReport::buildReport() {
  openReportStream();
  processConfiguredSelects();
  std::ostream& os = stream(streamNumber);
  writeCoverage(os);
  if (!os) throw KvException("Unable to write all of the report  - check disk space");
}

void ExampleCellCoverageReport::populateSteeringData(TarnelSteeringData& data) {
  populateTemplateAndDataFile(data);
}

RWEString ExampleCellCoverageReport::entityName() { return kEntity; }

int ExampleCellCoverageReport::instanceId() { return instanceId_; }

// Each face's beam, azimuth +/- half the beamwidth, as arcs within
// [0, 360) in order of their start; a beam across north is split in two.
std::vector<ExampleCellCoverageReport::Arc> ExampleCellCoverageReport::beams() {
  SmartPtr<KvXMLElement> result(runXmlQueryByName(kBeamsQuery));
  DSQueryResult table(result, nullptr, XMLQueryResult::_TABLE1, '|', NONE_STRIP);
  std::vector<Arc> arcs;
  for (int r = 0; r < table.numRows; ++r) {
    const RWEStringCollection& row = table.row(r);
    double azimuth = std::atof(row[0].data()), half = std::atof(row[1].data()) / 2;
    double start = azimuth - half, end = azimuth + half;
    if (start < 0) {
      arcs.push_back(Arc{start + kHorizon, kHorizon});
      start = 0;
    }
    if (end > kHorizon) {
      arcs.push_back(Arc{0, end - kHorizon});
      end = kHorizon;
    }
    arcs.push_back(Arc{start, end});
  }
  std::sort(arcs.begin(), arcs.end(), [](const Arc& a, const Arc& b) { return a.start < b.start; });
  return arcs;
}

// "covered": degrees under at least one beam; "widest_gap_from" and
// "widest_gap": where the largest arc no beam covers starts, and its size.
void ExampleCellCoverageReport::writeCoverage(std::ostream& os) {
  double covered = 0, reach = 0, gapFrom = 0, gap = 0;
  for (const Arc& arc : beams_) {
    if (arc.start - reach > gap) {
      gapFrom = reach;
      gap = arc.start - reach;
    }
    covered += std::max(0.0, arc.end - std::max(arc.start, reach));
    reach = std::max(reach, arc.end);
  }
  // The arc after the last beam runs on across north to the first one.
  double across = beams_.empty() ? kHorizon : kHorizon - reach + beams_.front().start;
  if (across > gap) {
    gapFrom = std::fmod(reach, kHorizon);
    gap = across;
  }
  outputField(os, "covered", "", degrees(covered));
  outputField(os, "widest_gap_from", "", degrees(gapFrom));
  outputField(os, "widest_gap", "", degrees(gap));
}
