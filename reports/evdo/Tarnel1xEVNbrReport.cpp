#include "reports/evdo/Tarnel1xEVNbrReport.h"

#include <cstdlib>

#include "framework/KvXMLQuery.h"
#include "framework/ReportDataManager.h"
#include "framework/XMLQueryInterface.h"
#include "framework/XMLQueryResult.h"

namespace {

const RWEString kResultHeader("resultheader");
const RWEString kResultBody("resultbody");
const RWEString kFormatPath("FORMATTING.FORMAT");

// The sector itself, for the header of a sector without neighbours; the
// instance id is appended.
const char kSectorSql[] =
    "select distinct ent.servicenode_Id, ent.fms_Frame_Id, ent.bts_id, ent.btsSector_Id, "
    "ent.system_id from tnl_ent_1xEVBTSSector ent where ent.instance_id = ";
// Entries of a row of kSectorSql.
const size_t kSectorEntries = 5;

const char kControlMarker[] = "_VELM_Control_Information_\n";
// FORMATTING.FORMAT attributes written to the control block, in order.
const char* const kFormatAttributes[] = {
    "PageOrient",        "CR_RptHeaderStart", "CR_RptHeaderEnd", "CR_ColHeaderStart",
    "CR_ColHeaderEnd",   "CR_DataRowStart",   "CR_DataColStart",
};

}  // namespace

Tarnel1xEVNbrReport::Tarnel1xEVNbrReport(RWEString name, XMLQueryInterface& connection,
                                         ReportDataManager& dataManager, LogUser& user)
    : Tarnel1xEVReport(name, connection, dataManager, user) {}

Tarnel1xEVNbrReport::~Tarnel1xEVNbrReport() = default;

void Tarnel1xEVNbrReport::preBuild() {
  openReportStream();
  runProcedure(nullptr);
}

void Tarnel1xEVNbrReport::buildReport() {
  bool noNeighbours = printHeader();
  std::ostream& os = stream(streamNumber);
  int columns = writeHeadingLines(os);
  int rows = 0;
  if (!noNeighbours) printBody(rows);
  printControlInfo(columns, rows);
}

void Tarnel1xEVNbrReport::populateSteeringData(TarnelSteeringData& data) {
  data.runMacro(6);
  data.CRSDataFile(dataManager().streamFilename(streamNumber));
}

bool Tarnel1xEVNbrReport::printHeader() {
  const RWEString runTime = runTimeText();
  SmartPtr<KvXMLElement> result = runResultQuery(kResultHeader);
  DSQueryResult table(result, nullptr, XMLQueryResult::_TABLE1, '|', NONE_STRIP);
  std::ostream& os = stream(streamNumber);
  os << reportTitle() << '\n';
  if (table.numRows > 0) {
    printNeighbourHeader(os, table.row(0), runTime);
    return false;
  }
  printSectorWithoutNeighbours(os, runTime);
  return true;
}

void Tarnel1xEVNbrReport::printBody(int& rows) {
  SmartPtr<KvXMLElement> result = runResultQuery(kResultBody);
  DSQueryResult table(result, nullptr, XMLQueryResult::_TABLE1, '|', NONE_STRIP);
  std::ostream& os = stream(streamNumber);
  rows = table.numRows;
  for (int r = 0; r < table.numRows; ++r) {
    const RWEStringCollection& row = table.row(r);
    for (size_t c = 0; c < row.entries(); ++c) {
      if (c > 0) os << '\t';
      os << row[static_cast<int>(c)];
    }
    os << '\n';
  }
}

void Tarnel1xEVNbrReport::printControlInfo(int columns, int rows) {
  std::ostream& os = stream(streamNumber);
  os << '\n' << kControlMarker;
  os << "NumIndCols\t" << intText(columns) << '\n';
  os << "NumIndRows\t" << intText(rows) << '\n';
  for (const char* attribute : kFormatAttributes) {
    os << attribute << '\t' << intText(formatValue(attribute)) << '\n';
  }
  os << kControlMarker;
}

// The header row's entries: service node, FMS frame, BTS, its name and
// label, sector, its name and label, system id, data collection time.
void Tarnel1xEVNbrReport::printNeighbourHeader(std::ostream& os,
                                               const RWEStringCollection& e,
                                               const RWEString& runTime) {
  os << "Service Node: " << e.getString(0) << " FMS Frame ID: " << e.getString(1)
     << " 1xEVBTS: " << e.getString(2) << " Name: " << e.getString(3)
     << " Label: " << e.getString(4) << " Runtime: " << runTime;
  os << "Sector: " << e.getString(5) << " Sector Name: " << e.getString(6)
     << " Sector Label: " << e.getString(7) << '\n';
  os << "System ID: " << e.getString(8) << '\n';
  os << "Date/Time of Data Collection: " << e.getString(9) << '\n';
  os << '\n';
}

void Tarnel1xEVNbrReport::printSectorWithoutNeighbours(std::ostream& os,
                                                       const RWEString& runTime) {
  RWEString sql(kSectorSql);
  sql.appendFormat(RWEString::formatInt, instanceId());
  KvXMLQuery query('|', KvXMLQueryBuilder::_QUERY, KvXMLQuery::_DB);
  query.addSql(sql, RWEString::_nullString);
  SmartPtr<KvXMLElement> result(connection().executeQuery(query));
  DSQueryResult table(result, nullptr, XMLQueryResult::_TABLE1, '|', NONE_STRIP);
  for (int r = 0; r < table.numRows; ++r) {
    const RWEStringCollection& e = table.row(r);
    if (e.entries() != kSectorEntries) continue;
    os << "Service Node: " << e[0] << " FMS Frame ID: " << e[1] << " 1xEVBTS: " << e[2]
       << " Runtime: " << runTime;
    os << "Sector: " << e[3] << '\n';
    os << "System ID: " << e[4] << '\n';
    os << "Sector doesn't have any Neighbor Sectors." << '\n';
    os << '\n';
  }
}

// atoi of the first FORMATTING.FORMAT element's attribute, looked up afresh;
// 0 when the element or the attribute is absent.
int Tarnel1xEVNbrReport::formatValue(const RWEString& attribute) const {
  KvXMLElement* format = configElement->getNamedElement(kFormatPath);
  return format ? std::atoi(format->attribute(attribute).data()) : 0;
}
