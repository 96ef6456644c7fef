#include "reports/instance/TarnelECPReport.h"

namespace {
const RWEString kName("Name");
const char* const kBracketedFields[] = {"trmostdn", "ota_trn"};
const size_t kNumberLength = 10;

bool isBracketedField(const RWEString& name) {
  for (const char* f : kBracketedFields) {
    if (name == f) return true;
  }
  return false;
}
}  // namespace

TarnelECPReport::TarnelECPReport(RWEString name, XMLQueryInterface& connection,
                                 ReportDataManager& dataManager, LogUser& user)
    : TarnelInstanceReport(name, connection, dataManager, user,
                           InstanceReportBlocks::kSelectsOnly) {}

RWEString TarnelECPReport::finalFormat(KvXMLElement* field, RWEString value) {
  if (value.length() != kNumberLength || !isBracketedField(field->attribute(kName))) return value;
  return "(" + value(0, 3) + ")" + value(3, 3) + "-" + value(6, 4);
}
