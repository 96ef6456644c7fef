// ResultDocument: builds the result document of a query: root RESULT, one
// DATASET, row elements ROW with Class "Table1" whose values are kept apart
// and joined by '|' as character data, and procedure output arguments as ARG
// elements with Name and Value. Used by query connections.
#ifndef TARNEL_FRAMEWORK_RESULTDOCUMENT_H_
#define TARNEL_FRAMEWORK_RESULTDOCUMENT_H_

#include <memory>

#include "framework/KvXMLElement.h"

class ResultDocument {
 public:
  ResultDocument();

  void addRow(RWEStringCollection values);
  void addArg(const RWEString& name, const RWEString& value);
  // The finished document; the builder is empty afterwards.
  std::unique_ptr<KvXMLElement> release();

 private:
  std::unique_ptr<KvXMLElement> root_;
  KvXMLElement* dataset_;
};

#endif  // TARNEL_FRAMEWORK_RESULTDOCUMENT_H_
