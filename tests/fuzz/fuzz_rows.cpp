// Fuzz target: splitting row text and reading result tables built from it.
#include <cstddef>
#include <cstdint>

#include "framework/ResultDocument.h"
#include "framework/XMLQueryResult.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  StripType strip = static_cast<StripType>(data[0] % 4);
  char separator = static_cast<char>(data[1]);
  RWEString text(reinterpret_cast<const char*>(data + 2), size - 2);
  RWEStringCollection values;
  values.split(text, strip, separator);
  values.getInt(static_cast<int>(data[0]) - 128);
  values.getString(static_cast<int>(values.entries()));
  ResultDocument doc;
  doc.addRow(values);
  doc.addRow(RWEStringCollection());
  SmartPtr<KvXMLElement> result(doc.release().release());
  for (char sep : {'|', separator}) {
    XMLQueryResult table(nullptr, result, XMLQueryResult::_TABLE1, sep, strip);
    for (int r = 0; r < table.numRows; ++r) table.row(r).stripContents(strip);
  }
  return 0;
}
