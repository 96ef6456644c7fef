// XMLQueryResult: a result document read as a table: the rows at DATASET.ROW
// whose Class is the table name, each as a collection of values. Holds a
// share of the document, so the rows stay valid while the table lives. Rows
// that the connection built with their values apart are used in place (no
// copy) when the separator is '|' and nothing is stripped; other rows are
// split from their character data.
#ifndef TARNEL_FRAMEWORK_XMLQUERYRESULT_H_
#define TARNEL_FRAMEWORK_XMLQUERYRESULT_H_

#include <memory>
#include <vector>

#include "framework/KvXMLElement.h"
#include "framework/SmartPtr.h"

class XMLQueryResult {
 public:
  // Name of the table that every query result holds.
  static const RWEString _TABLE1;
  // Path of the row elements below a result document's root.
  static const RWEString ROW_PATH;

  // `definition` is the query definition or null; it is not used for reading.
  XMLQueryResult(KvXMLElement* definition, const SmartPtr<KvXMLElement>& document,
                 const RWEString& table, char separator, StripType strip);
  virtual ~XMLQueryResult() = default;
  XMLQueryResult(const XMLQueryResult&) = delete;
  XMLQueryResult& operator=(const XMLQueryResult&) = delete;

  // Number of rows.
  int numRows;
  int rows() const { return numRows; }
  // Values of row r; r must be in 0 .. numRows - 1.
  RWEStringCollection& row(int r) { return *rows_[static_cast<size_t>(r)]; }

 private:
  SmartPtr<KvXMLElement> document_;
  std::vector<RWEStringCollection*> rows_;
  std::vector<std::unique_ptr<RWEStringCollection>> splitRows_;
};

class DSQueryResult : public XMLQueryResult {
 public:
  DSQueryResult(const SmartPtr<KvXMLElement>& document, KvXMLElement* definition,
                const RWEString& table, char separator, StripType strip)
      : XMLQueryResult(definition, document, table, separator, strip) {}
};

#endif  // TARNEL_FRAMEWORK_XMLQUERYRESULT_H_
