// PgDatabase: a Database over one libpq connection to a PostgreSQL server,
// given as a postgresql:// URI. SQL texts run with the extended protocol; a
// text seen a second time is prepared on the server and reused from then on
// (bounded), so that report SQL, whose compared numbers Database::query
// binds, is planned once. A stored procedure package.name is the function of
// that name: a call runs "select * from package.name(inputs...)" and its rows
// are the function's result (a void result gives none; OUT parameters give
// one row).
// libpq is loaded on the first connection (see LibPq). Errors carry the
// server's message. One object per thread; not copyable.
#ifndef TARNEL_HOST_PGDATABASE_H_
#define TARNEL_HOST_PGDATABASE_H_

#include <libpq-fe.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "host/Database.h"

class PgDatabase : public Database {
 public:
  // Connects to `uri`. Throws KvException naming the URI (without its
  // password) and giving libpq's message when the server cannot be reached or
  // refuses the connection.
  explicit PgDatabase(const std::string& uri);
  ~PgDatabase() override;

  // Runs `script` (one or more statements, no parameters), ignoring rows.
  // Throws KvException with the server's message.
  void execute(const std::string& script);
  // Runs `copy` (a COPY ... FROM STDIN statement in text format) with `data`
  // as its input. Throws KvException with the server's message.
  void copyIn(const std::string& copy, const std::string& data);

 protected:
  // Throws KvException with the server's message when `sql` fails.
  void runQuery(const std::string& sql, const Parameters& parameters,
                const RowHandler& row) override;
  // Runs "select * from name(inputs)", traced as such. Throws KvException
  // with the server's message, for a missing function too.
  void runProcedure(const std::string& name, const Parameters& inputs,
                    const RowHandler& row) override;
  void beginRead() override;
  void endRead() noexcept override;

 private:
  struct Clear {
    void operator()(PGresult* result) const;
  };
  typedef std::unique_ptr<PGresult, Clear> Result;

  // Runs `sql` with `parameters`, preparing it when it was seen before.
  Result run(const std::string& sql, const Parameters& parameters);
  Result prepared(const std::string& sql, const Parameters& parameters);
  // Takes `result`, the answer of one round trip that ran `statements`
  // statements, counting them and its rows.
  Result counted(PGresult* result, int statements);
  // Throws unless `result` succeeded.
  void check(const PGresult* result) const;
  [[noreturn]] void fail(const PGresult* result) const;

  PGconn* conn_ = nullptr;
  std::unordered_map<std::string, std::string> statements_;  // SQL text -> prepared name
  std::unordered_set<std::string> seen_;                     // texts run once so far
  int nextStatement_ = 0;
};

#endif  // TARNEL_HOST_PGDATABASE_H_
