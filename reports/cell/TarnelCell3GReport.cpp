#include "reports/cell/TarnelCell3GReport.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/KvException.h"
#include "framework/LogUser.h"

namespace {

const char kCountQuery[] = "select count(instance_id) from tnl_cfg_cell3g where instance_id = ";
const char kFrameTechQuery[] =
    "select fr0tech,fr1tech,fr2tech,fr3tech,fr4tech,fr5tech,s2mmcea_t FROM tnl_cfg_cell "
    "WHERE instance_id = ";

const char kQueryFailedStart[] = "Query (";
const char kQueryFailedEnd[] = ") failed for report: ";
const char kPreBuildContext[] = "PREBUILD";
const char kWrongSeries[] =
    "Cell is not series 2, series 5, series 6, series 7, series 8 or series 9: ";
const char kWrongSeriesContext[] = "Checking series of cell";
const char kNo3GData[] = "No 3G data: ";
const char kNoRows[] = "0";

// The series that carry 3G equipment.
const int k3GSeries[] = {2, 5, 6, 7, 8, 9};

// Per frame 0 to 5, the technology codes that make the frame non-CDMA.
const std::vector<std::string> kNonCdmaCodes[] = {
    {"s2mm", "s2mml", "s2m", "s2", "s2e", "cbs", "ptm", "ptmc"},
    {"s2", "mm2s", "m1", "mm1", "ptmg"},
    {"s2", "ptmg", "m1", "mm1"},
    {"ptmg"},
    {},
    {},
};

bool has3GSeries(int series) {
  return std::find(std::begin(k3GSeries), std::end(k3GSeries), series) != std::end(k3GSeries);
}

bool isNonCdma(int frame, const RWEString& code) {
  const std::vector<std::string>& codes = kNonCdmaCodes[frame];
  return std::find(codes.begin(), codes.end(), code.str()) != codes.end();
}

RWEString forCell(const char* sql, int cellId) {
  RWEString text(sql);
  text.appendFormat(RWEString::formatInt, cellId);
  return text;
}

}  // namespace

TarnelCell3GReport::TarnelCell3GReport(RWEString name, XMLQueryInterface& connection,
                                       ReportDataManager& dataManager, LogUser& user)
    : TarnelCellReport(name, connection, dataManager, user) {}

TarnelCell3GReport::~TarnelCell3GReport() = default;

void TarnelCell3GReport::preBuild() {
  RWEString sql = forCell(kCountQuery, cellInstanceId());
  RWEStringCollection count;
  try {
    doSingleSelect(count, sql);
  } catch (KvException& e) {
    // A database failure of the count query is told to the user like a count
    // that could not be read; the database's own message goes to the log.
    logUser.logMessage((e.asString() + "\n").data(), 0);
    count.clearAndDestroy();
  }
  if (count.entries() != 1) {
    ReportMessageException e(kQueryFailedStart + sql + kQueryFailedEnd + reportTitle());
    e.context(kPreBuildContext);
    throw e;
  }
  if (!has3GSeries(series())) {
    KvSkipReportException e(kWrongSeries + reportTitle());
    e.context(kWrongSeriesContext);
    throw e;
  }
  if (count[0] == kNoRows) {
    KvSkipReportException e(kNo3GData + reportTitle());
    e.context(sql);
    throw e;
  }
}

int TarnelCell3GReport::isOnlyCDMAseries3() {
  if (series() != 3) return 0;
  RWEStringCollection techs;
  doSingleSelect(techs, forCell(kFrameTechQuery, cellInstanceId()));
  const int frames = static_cast<int>(std::size(kNonCdmaCodes));
  for (int frame = 0; frame < frames; ++frame) {
    if (isNonCdma(frame, techs.getString(frame))) return 0;
  }
  return 1;
}
