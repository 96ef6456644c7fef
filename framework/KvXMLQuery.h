// KvXMLQuery: a query document for XMLQueryInterface, a list of SQL statements
// and stored-procedure calls run in order. A procedure call is opened with
// startProcedure, takes its arguments with addProcedureArg and is closed with
// endNode. addProcedureArg outside an open procedure throws KvException.
#ifndef TARNEL_FRAMEWORK_KVXMLQUERY_H_
#define TARNEL_FRAMEWORK_KVXMLQUERY_H_

#include <vector>

#include "framework/RWEString.h"

class KvXMLQueryBuilder {
 public:
  // Name of the root node of a query document.
  static const RWEString _QUERY;

  explicit KvXMLQueryBuilder(const RWEString& root) : root_(root) {}
  virtual ~KvXMLQueryBuilder() = default;

  // Closes the node opened last (a procedure call).
  void endNode();
  const RWEString& root() const { return root_; }

 protected:
  int openNodes_ = 0;

 private:
  RWEString root_;
};

class KvXMLQuery : public KvXMLQueryBuilder {
 public:
  static const RWEString _DB;     // the default database
  static const RWEString _EMPTY;  // the empty value

  struct Argument {
    RWEString type;   // "INT" or "STRING"
    RWEString value;
    RWEString name;
    bool input;
  };
  struct Statement {
    enum Kind { kSql, kProcedure };
    Kind kind;
    RWEString text;  // the SQL, or the procedure's "package.name"
    RWEString name;
    std::vector<Argument> arguments;
  };

  KvXMLQuery(char separator, const RWEString& root, const RWEString& database);

  void addSql(const RWEString& sql, const RWEString& name);
  void startProcedure(const RWEString& name);
  // Adds an argument to the open procedure call; throws KvException when none is open.
  void addProcedureArg(const RWEString& type, const RWEString& value, const RWEString& name,
                       bool input);

  char separator() const { return separator_; }
  const RWEString& database() const { return database_; }
  const std::vector<Statement>& statements() const { return statements_; }

 private:
  char separator_;
  RWEString database_;
  std::vector<Statement> statements_;
};

#endif  // TARNEL_FRAMEWORK_KVXMLQUERY_H_
