#include "reports/evdo/Tarnel1xEVReport.h"

#include "framework/KvException.h"
#include "framework/RWTime.h"
#include "framework/ReportDataManager.h"
#include "framework/TarnelReportInfo.h"
#include "framework/XMLQueryResult.h"

namespace {

const RWEString kFirstHeadingPath("HEADINGS.FIRST.COLUMN");
const RWEString kSecondHeadingPath("HEADINGS.SECOND.COLUMN");
const RWEString kName("Name");
const RWEString kProc("proc");
const RWEString kResult("result");
const RWEString kPackage("tnl_cfg_reports");


const char kRunTimeFormat[] = "%a %b %d %X %Y\n";
const RWEString kColDate("col_date");
const RWEString kEntityData("entity data");
const RWEString kEmptyValue("0");
// Column of a keyword row that holds its value.
const int kValueColumn = 3;

// The location keywords, each written once with its heading; the value is
// translated to degrees, minutes and seconds when `kind` is given.
struct LocationKeyword {
  const char* keyword;
  const char* heading;
  const char* kind;
};
const LocationKeyword kLocations[] = {
    {"latitude", "Latitude Deg Min Sec Dir\t", "Lat"},
    {"longitude", "Longitude Deg Min Sec Dir\t", "Lon"},
    {"elevation", "Elevation\t", nullptr},
    {"radius", "Radius\t", nullptr},
};
const size_t kLocationCount = sizeof kLocations / sizeof kLocations[0];

bool sameText(const RWEString& a, const RWEString& b) {
  return a.compareTo(b, RWCString::ignoreCase) == 0;
}

}  // namespace

const char Tarnel1xEVReport::kProcedurePath[] = "STOREDPROCS.IXEV";

// What has been written once already; kept from row to row for one build.
struct Tarnel1xEVReport::RowFlags {
  bool location[kLocationCount] = {};
  bool runTime = false;
  bool gap = false;
};

Tarnel1xEVReport::Tarnel1xEVReport(RWEString name, XMLQueryInterface& connection,
                                   ReportDataManager& dataManager, LogUser& user)
    : TarnelEntityReport(name, connection, dataManager, user) {}

Tarnel1xEVReport::~Tarnel1xEVReport() = default;

void Tarnel1xEVReport::configure(TarnelReportInfo& info) { instance_.bind(info); }

void Tarnel1xEVReport::preBuild() {
  openReportStream();
  std::ostream& os = stream(streamNumber);
  os << reportTitle() << '\n';
  writeHeadingLines(os);
  std::vector<RWEString> strings{entityName()};
  runProcedure(&strings);
}

void Tarnel1xEVReport::buildReport() {
  SmartPtr<KvXMLElement> result = runResultQuery(kResult);
  DSQueryResult table(result, nullptr, XMLQueryResult::_TABLE1, '|', NONE_STRIP);
  std::ostream& os = stream(streamNumber);
  RowFlags flags;
  for (int r = 0; r < table.numRows; ++r) writeRow(os, table.row(r), flags);
}

void Tarnel1xEVReport::populateSteeringData(TarnelSteeringData& data) {
  data.runMacro(5);
  data.PFTemplateName(excelTemplateFile());
  data.PFDataFileName(dataManager().streamFilename(streamNumber));
}

RWEString Tarnel1xEVReport::entityName() { return instance_.entity(*configElement); }

int Tarnel1xEVReport::instanceId() { return instance_.id(); }

RWEString Tarnel1xEVReport::procAttribute(const RWEString& name) const {
  return configuredElement(kProcedurePath).attribute(name);
}

void Tarnel1xEVReport::runProcedure(std::vector<RWEString>* strings) {
  std::vector<int> ints{instanceId()};
  executeStoredProc(procAttribute(kProc), kPackage, &ints, strings);
}

SmartPtr<KvXMLElement> Tarnel1xEVReport::runResultQuery(const RWEString& name) {
  return SmartPtr<KvXMLElement>(runXmlQuery(definedQuery(procAttribute(name))));
}

int Tarnel1xEVReport::writeHeadingLines(std::ostream& os) {
  int columns = writeHeadingLine(os, kFirstHeadingPath);
  writeHeadingLine(os, kSecondHeadingPath);
  return columns;
}

int Tarnel1xEVReport::writeHeadingLine(std::ostream& os, const RWEString& path) {
  RWOrdered headings = configElement->getNamedElements(path);
  for (KvXMLElement* heading : headings) os << heading->attribute(kName) << '\t';
  os << '\n';
  return static_cast<int>(headings.entries());
}

RWEString Tarnel1xEVReport::runTimeText() {
  return RWTime::currentTime().asString(kRunTimeFormat, RWZone::local(), RWLocale::global());
}

// Entries up to the first keyword not yet handled are written plainly; the
// keyword writes its own text and ends the row. The first plain row after
// the run-time block that is not "entity data" gets an empty line before it.
void Tarnel1xEVReport::writeRow(std::ostream& os, const RWEStringCollection& row,
                                RowFlags& flags) {
  const int entries = static_cast<int>(row.entries());
  for (int c = 0; c < entries; ++c) {
    if (writeKeyword(os, row, c, flags)) break;
    if (c > 0) {
      os << '\t';
    } else if (flags.runTime && !flags.gap && !sameText(row[0], kEntityData)) {
      os << '\n';
      flags.gap = true;
    }
    os << row[c];
  }
  os << '\n';
}

// Writes the special text of the keyword in column c when it is one not yet
// handled; returns whether it did.
bool Tarnel1xEVReport::writeKeyword(std::ostream& os, const RWEStringCollection& row, int c,
                                    RowFlags& flags) {
  const RWEString& entry = row[c];
  for (size_t k = 0; k < kLocationCount; ++k) {
    const LocationKeyword& location = kLocations[k];
    if (flags.location[k] || !sameText(entry, location.keyword)) continue;
    RWEString value = row.getString(kValueColumn);
    if (value.isNull()) value = kEmptyValue;
    os << '\t' << location.keyword << '\t' << location.heading;
    os << (location.kind ? translateValue(RWEString(), value, location.kind) : value);
    flags.location[k] = true;
    return true;
  }
  if (flags.runTime || !sameText(entry, kColDate)) return false;
  os << "\n\t" << "runtime" << '\t' << "Runtime" << '\t' << runTimeText();
  os << '\t' << row.getString(1) << '\t' << row.getString(2) << "\t=\"" << row.getString(3)
     << "\"" << '\n';
  flags.runTime = true;
  return true;
}
