// PgDatabase: a Database over one libpq connection to a PostgreSQL server,
// given as a postgresql:// URI. SQL texts run with the extended protocol; a
// text seen a second time is prepared on the server and reused from then on
// (bounded), so that report SQL, whose compared numbers Database::query
// binds, is planned once. A stored procedure package.name is the function of
// that name: a call runs "select * from package.name(inputs...)" and its rows
// are the function's result (a void result gives none; OUT parameters give
// one row).
// In a batch (joinBatch) the connection holds one repeatable-read transaction
// reading the batch's shared snapshot, and sends what a run asks in libpq
// pipelines: the statements the previous run sent after the one asked
// (RunPredictor) go with it, up to the next that changes state, and serve the
// run while it asks the same; savepoints and their releases travel with the
// next statement sent. A run that finds its connection lost reconnects.
// libpq is loaded on the first connection (see LibPq). Errors carry the
// server's message. One object per thread; not copyable.
#ifndef TARNEL_HOST_PGDATABASE_H_
#define TARNEL_HOST_PGDATABASE_H_

#include <libpq-fe.h>

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/Database.h"
#include "host/RunPredictor.h"

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
  void fetchRows(const std::string& sql, const Parameters& parameters,
                 const RowHandler& row) override;
  void beginRead() override;
  void endRead() noexcept override;
  // Reconnects first when the connection was lost (waiting up to the
  // connect timeout for a restarting server, once per loss); throws
  // KvException when that fails or the transaction cannot start.
  bool startRun(int instanceId) override;
  bool endRun() noexcept override;
  bool endBatchTransaction() noexcept override;

 private:
  struct Clear {
    void operator()(PGresult* result) const;
  };
  typedef std::unique_ptr<PGresult, Clear> Result;
  typedef RunPredictor::Statement Statement;
  // How a text goes to the server: as the unnamed statement, or as the
  // prepared statement `name` (prepared first when `prepare`; all prepared
  // statements forgotten before that when `forget`).
  struct Plan {
    std::string name;
    bool prepare = false;
    bool forget = false;
  };
  // A result sent ahead of its statement, with its place in the prediction.
  struct Ahead {
    size_t index;
    Statement statement;
    Result result;
  };

  // Runs `sql` with `parameters` in one exchange, preparing it when it was
  // seen before; throws KvException when it fails.
  Result run(const std::string& sql, const Parameters& parameters);
  Plan plan(const std::string& sql);
  // Takes `result`, the answer of one round trip that ran `statements`
  // statements, counting them and its rows.
  Result counted(PGresult* result, int statements);
  // The answer to what was just sent (when `sent`), `statements` statements
  // in one round trip: its first result, so that an error the server gave
  // before it closed the connection is not replaced by libpq's notice that
  // it closed; null when nothing came.
  Result awaited(bool sent, int statements);
  // The first result of the statement whose results come next; reads the rest.
  Result firstResult();
  // Throws unless `result` succeeded.
  void check(const PGresult* result) const;
  [[noreturn]] void fail(const PGresult* result) const;

  // A statement of a batch run: served from the results sent ahead when it
  // is the next of them, else sent with the statements predicted after it.
  // Throws KvException with the server's message when it failed.
  Result ask(const Statement& statement);
  // Sends the framing waiting to go, `statement` and, in a savepoint of
  // their own, `ahead` (the predicted statements from position `index` on),
  // in one round trip; keeps the results of `ahead`.
  Result send(const Statement& statement, const std::vector<Statement>& ahead, size_t index);
  // Runs `framing`, then `statement`, one exchange each, without a
  // pipeline; a failure of either fails the run.
  Result runAlone(const std::vector<Statement>& framing, const Statement& statement);
  // Sends `statements` in one pipeline; one result per statement, null where
  // none came (the connection broke).
  std::vector<Result> pipeline(const std::vector<const Statement*>& statements);
  // Forgets the results sent ahead; when one of them failed, undoes its
  // savepoint before anything else is sent.
  void dropAhead();
  // Whether the connection still stands: false when the server closed it.
  bool alive();
  void reconnect();
  // Begins the batch's transaction on its snapshot, exporting one when the
  // batch has none that can be imported.
  void beginBatchTransaction();

  std::string target_;
  PGconn* conn_ = nullptr;
  std::unordered_map<std::string, std::string> statements_;  // SQL text -> prepared name
  std::unordered_set<std::string> seen_;                     // texts run once so far
  int nextStatement_ = 0;

  RunPredictor predictor_;
  std::deque<Ahead> ahead_;
  std::vector<std::string> framing_;  // savepoint statements to send before the next
  size_t nextIndex_ = 0;              // the prediction's next position
  bool inTransaction_ = false;        // the batch's transaction is open
  bool lostTransaction_ = false;      // it failed outside any savepoint: begin again
  bool inRun_ = false;
  bool runSavepoint_ = false;  // the run's savepoint was sent
  bool aborted_ = false;       // a statement the run asked failed
  bool aheadFailed_ = false;   // a statement sent ahead failed before it was asked
  bool wrote_ = false;         // the run sent a statement that changes state
  int writingRuns_ = 0;        // runs that wrote, in this transaction
  bool waitForServer_ = true;  // the next reconnection waits for a restarting server
};

#endif  // TARNEL_HOST_PGDATABASE_H_
