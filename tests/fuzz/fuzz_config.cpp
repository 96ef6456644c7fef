// Fuzz target: configuration parsing and the element-tree look-ups the
// engine makes on a configuration.
#include <cstddef>
#include <cstdint>

#include "framework/KvException.h"
#include "framework/XMLDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RWEString text(reinterpret_cast<const char*>(data), size);
  try {
    auto root = XMLDocument::parseText(text, "fuzz.xml");
    for (const char* path : {"SELECTS.SELECT", "TEMPLATES.TEMPLATE", "QUERIES.QUERY.FIELDS.FIELD",
                             "STOREDPROCS.CDMA", "HEADINGS.FIRST.COLUMN", "A..B", ".", ""}) {
      for (KvXMLElement* e : root->getNamedElements(path)) {
        e->attribute("Name");
        int index = 0;
        e->getCharacterData(index);
      }
      root->getNamedElement(path);
    }
  } catch (const KvException&) {
  }
  return 0;
}
