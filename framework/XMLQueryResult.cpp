#include "framework/XMLQueryResult.h"

const RWEString XMLQueryResult::_TABLE1("Table1");
const RWEString XMLQueryResult::ROW_PATH("DATASET.ROW");

namespace {
const RWEString kClass("Class");
}

XMLQueryResult::XMLQueryResult(KvXMLElement* /*definition*/,
                               const SmartPtr<KvXMLElement>& document, const RWEString& table,
                               char separator, StripType strip)
    : numRows(0), document_(document) {
  if (!document_) return;
  RWOrdered elements = document_->getNamedElements(ROW_PATH);
  rows_.reserve(elements.entries());
  for (KvXMLElement* e : elements) {
    if (e->attribute(kClass) != table) continue;
    RWEStringCollection* values = e->rowValues();
    if (values && separator == '|' && strip == NONE_STRIP) {
      rows_.push_back(values);
      continue;
    }
    auto split = std::make_unique<RWEStringCollection>();
    if (values) {
      *split = *values;
      split->stripContents(strip);
    } else {
      int index = 0;
      KvXMLCharacterData* text = e->getCharacterData(index);
      if (text) split->split(text->text, strip, separator);
    }
    rows_.push_back(split.get());
    splitRows_.push_back(std::move(split));
  }
  numRows = static_cast<int>(rows_.size());
}
