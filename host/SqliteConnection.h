// SqliteConnection: the reports' query connection over a SqliteDatabase. Runs
// the SQL statements and stored-procedure calls of a query document and
// returns the result document. Stored procedures are the rows of
// tnl_procedure(package, name, step, body): a call runs the bodies in step
// order in one transaction, binding ?1, ?2, ... to the input arguments in
// order; output arguments come from the last statement's first row. Provides
// the TEMP view user_Tab_columns (upper-case table and column names).
// Optionally writes every SQL text run, one per line, to a trace sink.
#ifndef TARNEL_HOST_SQLITECONNECTION_H_
#define TARNEL_HOST_SQLITECONNECTION_H_

#include <map>
#include <string>
#include <vector>

#include "framework/KvXMLQuery.h"
#include "framework/ResultDocument.h"
#include "framework/XMLQueryInterface.h"
#include "host/SqlTrace.h"
#include "host/SqliteDatabase.h"

class SqliteConnection : public XMLQueryInterface {
 public:
  // `database` must outlive the connection; `trace` may be null.
  SqliteConnection(SqliteDatabase& database, SqlTrace* trace);

  // Runs every statement of `query` in order. Throws KvException with
  // SQLite's message when one fails, and for an unknown procedure.
  KvXMLElement* executeQuery(const KvXMLQuery& query) override;

 private:
  struct Procedure {
    std::vector<std::string> bodies;
  };
  void runSql(const RWEString& sql, ResultDocument& result);
  void runProcedure(const KvXMLQuery::Statement& call, ResultDocument& result);
  const Procedure& procedure(const std::string& fullName);

  SqliteDatabase& db_;
  SqlTrace* trace_;
  std::map<std::string, Procedure> procedures_;
};

#endif  // TARNEL_HOST_SQLITECONNECTION_H_
