// XMLQueryInterface: the query connection a report is given. Implemented by
// the host over a real database and by the tests in memory.
#ifndef TARNEL_FRAMEWORK_XMLQUERYINTERFACE_H_
#define TARNEL_FRAMEWORK_XMLQUERYINTERFACE_H_

class KvXMLElement;
class KvXMLQuery;

class XMLQueryInterface {
 public:
  virtual ~XMLQueryInterface() = default;

  // Runs every statement and procedure call of `query`, in order, and returns
  // the result document (root RESULT, rows at DATASET.ROW, procedure output
  // arguments at DATASET.ARG). The caller owns it. Throws KvException, with
  // the database's message, when a statement fails.
  virtual KvXMLElement* executeQuery(const KvXMLQuery& query) = 0;
};

#endif  // TARNEL_FRAMEWORK_XMLQUERYINTERFACE_H_
