// InMemoryConnection: a query connection for tests. Results are scripted per
// SQL text (an unscripted statement returns no rows), failures per SQL text
// or procedure name, and every statement run is recorded in order; procedure
// calls are recorded as "CALL package.name(arg, ...)".
#ifndef TARNEL_TESTS_SUPPORT_INMEMORYCONNECTION_H_
#define TARNEL_TESTS_SUPPORT_INMEMORYCONNECTION_H_

#include <map>
#include <string>
#include <vector>

#include "framework/XMLQueryInterface.h"

typedef std::vector<std::vector<std::string>> Rows;

class InMemoryConnection : public XMLQueryInterface {
 public:
  KvXMLElement* executeQuery(const KvXMLQuery& query) override;

  // Rows returned for `sql` (or for the procedure "package.name").
  void script(const std::string& sql, Rows rows);
  // Output argument values returned by the procedure "package.name".
  void scriptOutputs(const std::string& procedure, std::vector<std::string> values);
  // Running `sql` (or the procedure) throws KvException(message).
  void fail(const std::string& sql, const std::string& message);
  // Makes the INSTANCE_ID probe of `table` (upper case) find the column.
  void tableHasInstanceId(const std::string& table);

  const std::vector<std::string>& executed() const { return executed_; }
  void clearExecuted() { executed_.clear(); }

 private:
  std::map<std::string, Rows> rows_;
  std::map<std::string, std::vector<std::string>> outputs_;
  std::map<std::string, std::string> failures_;
  std::vector<std::string> executed_;
};

#endif  // TARNEL_TESTS_SUPPORT_INMEMORYCONNECTION_H_
