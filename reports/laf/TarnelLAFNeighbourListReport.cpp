#include "reports/laf/TarnelLAFNeighbourListReport.h"

#include <cstdio>

namespace {

const RWEString kName("Name");
const RWEString kAntennaBitsField("nant");
// Bits 0 to 6 of "nant" are the antennas of the neighbour face.
const int kAntennaBits = 7;

}  // namespace

TarnelLAFNeighbourListReport::TarnelLAFNeighbourListReport(RWEString name,
                                                           XMLQueryInterface& connection,
                                                           ReportDataManager& dataManager,
                                                           LogUser& user)
    : TarnelLAFNeighbourListBase(name, connection, dataManager, user, LafNeighbourList::kPlain) {}

RWEString TarnelLAFNeighbourListReport::finalFormat(KvXMLElement* field, RWEString value) {
  RWEString text(value);
  if (field->attribute(kName) != kAntennaBitsField) return text;
  unsigned int bits = 0;
  std::sscanf(value.data(), "%x", &bits);
  text += " [";
  for (int bit = 0; bit < kAntennaBits; ++bit) {
    text += (bits >> bit) & 1u ? static_cast<char>('0' + bit) : 'x';
  }
  text += "] ";
  return text;
}
