// Database: one connection to a network database, a SQLite file or a
// PostgreSQL server, as the host's report runs use it: SQL texts with bound
// integer and text parameters (?1, ?2, ... in the text), rows as strings (NULL
// reads as ""), one read transaction per report run (or, in a batch, per
// worker, each run in a savepoint), and stored-procedure calls. Statements
// whose results cannot change within the transaction are answered from a
// SnapshotCache when one is set. With a trace set, every statement asked on
// behalf of a report (its own SQL, the catalogue and series look-ups, the
// transaction's statements), answered from memory or not, is written to it
// with its parameters as literals, so that the trace replays as plain SQL.
// What the connection sends is counted (traffic). Every failure is thrown as
// KvException carrying the database's own message. One object per thread;
// not copyable.
#ifndef TARNEL_HOST_DATABASE_H_
#define TARNEL_HOST_DATABASE_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/RWEStringCollection.h"
#include "host/SqlTrace.h"

class BatchSnapshot;
class SnapshotCache;

class Database {
 public:
  // A bound parameter or procedure argument: an integer or a text.
  struct Parameter {
    bool isText = false;
    long long number = 0;
    std::string text;

    static Parameter integer(long long n);
    static Parameter string(const std::string& s);
    // The parameter as an SQL literal (texts quoted), for traces.
    std::string literal() const;
    // Same kind and same value.
    bool operator==(const Parameter& other) const {
      return isText == other.isText && (isText ? text == other.text : number == other.number);
    }
  };
  typedef std::vector<Parameter> Parameters;
  // Receives one result row; it may move the values out.
  typedef std::function<void(RWEStringCollection& row)> RowHandler;

  // What a connection asked and what it sent to its database. A round trip
  // is one wait for the database's answer: on PostgreSQL each synchronous
  // exchange (a statement, a prepare, a begin or commit) and each pipeline,
  // however many statements it carries; on SQLite, which runs in the
  // process, each statement run. Statements are those the database ran for
  // the connection (a prepare is none), rows those it returned.
  struct Traffic {
    long long asked = 0;       // statements and procedure calls asked for
    long long fromMemory = 0;  // of those, answered from memory
    long long statements = 0;
    long long roundTrips = 0;
    long long rows = 0;

    Traffic& operator+=(const Traffic& other);
  };

  // Opens `target`: a postgresql:// (or postgres://) URI connects to that
  // server, anything else is a SQLite file opened read-only. Throws
  // KvException when the database cannot be opened or reached.
  static std::unique_ptr<Database> open(const std::string& target);
  // Whether `target` names a PostgreSQL server rather than a SQLite file.
  static bool isServerUri(const std::string& target);
  // `target` fit to show: a URI's password is replaced by "***".
  static std::string displayName(const std::string& target);
  // `text` (a message about `target`) with every occurrence of the target's
  // password replaced by "***".
  static std::string withoutPassword(std::string text, const std::string& target);
  // Throws KvException naming `target` when this build has no PostgreSQL
  // support (built with TARNEL_POSTGRES off).
  static void requireServerSupport(const std::string& target);

  // Report SQL carries the instance id as a literal ("where tbl.instance_id =
  // 1000004"), so each instance's text is new to the database and planned
  // anew. Returns `sql` with the whole numbers compared with "=" as
  // parameters ?1, ?2, ... (their values appended to `parameters`), so that
  // the text repeats from instance to instance and is prepared once. Quoted
  // literals and identifiers are left alone; texts with placeholders or
  // comments of their own come back as they are.
  static std::string numbersAsParameters(const std::string& sql, Parameters& parameters);

  Database() = default;
  virtual ~Database() = default;
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // `sql` with each ?1, ?2, ... outside quotes replaced by the literal of
  // that parameter (NULL when there is none), for traces.
  static std::string withLiterals(const std::string& sql, const Parameters& parameters);

  // Writes what runs from now on to `trace`; null stops it. The trace must
  // outlive the database or be unset first.
  virtual void setTrace(SqlTrace* trace) { trace_ = trace; }

  // Everything counted since the connection was opened.
  const Traffic& traffic() const { return traffic_; }

  // Runs `sql` with `parameters` bound to ?1, ?2, ... in order, calling `row`
  // (when given) for each result row; a text without parameters runs with
  // its compared numbers bound (numbersAsParameters). Throws KvException on
  // failure.
  void query(const std::string& sql, const Parameters& parameters, const RowHandler& row);
  // Calls the stored procedure `name` ("package.name") with `inputs`,
  // integers and texts in order, as one all-or-nothing step; `row` receives
  // the procedure's result rows. Throws KvException for an unknown
  // procedure or a failing one.
  void callProcedure(const std::string& name, const Parameters& inputs, const RowHandler& row);

  // Answers the statements `cache` holds from memory from now on (it must
  // outlive the database); for the reads of one transaction, or of one
  // batch's snapshot (joinBatch).
  void setCache(SnapshotCache* cache) { cache_ = cache; }

  // Holds one read transaction for its life, so that everything a report run
  // reads comes from one snapshot. Ends it with a commit, or a rollback when
  // the transaction failed; never throws from the destructor.
  class ReadTransaction {
   public:
    explicit ReadTransaction(Database& db);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

   private:
    Database& db_;
  };

  // Makes the connection a worker of the batch of `batch` (which must
  // outlive it): its runs (BatchRun) read the batch's snapshot in one
  // transaction, held from the first run to endBatch, and use its cache.
  void joinBatch(BatchSnapshot& batch);
  // Ends the batch's transaction, when one is open (commit); never throws.
  void endBatch() noexcept;

  // One report run of a batch, for its life: inside the batch's transaction
  // (started, or started again after a lost connection, when needed), in a
  // savepoint of its own, so that a failed statement does not fail the
  // runs after it. Throws KvException when the transaction cannot start.
  class BatchRun {
   public:
    BatchRun(Database& db, int instanceId);
    ~BatchRun();
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

   private:
    Database& db_;
  };

 protected:
  // A batch run's savepoint: started, released, rolled back to.
  static const char kRunStart[];
  static const char kRunEnd[];
  static const char kRunUndo[];

  // query and callProcedure without the trace line of the statement or the
  // call (and runQuery without the binding of compared numbers); a
  // procedure's own statements are traced by the implementation.
  virtual void runQuery(const std::string& sql, const Parameters& parameters,
                        const RowHandler& row) = 0;
  virtual void runProcedure(const std::string& name, const Parameters& inputs,
                            const RowHandler& row) = 0;
  // runQuery for the cache's reads of what it holds: never predicted.
  virtual void fetchRows(const std::string& sql, const Parameters& parameters,
                         const RowHandler& row) {
    runQuery(sql, parameters, row);
  }
  // Starts the read transaction; throws KvException on failure.
  virtual void beginRead() = 0;
  // Ends it (commit, else rollback); never throws.
  virtual void endRead() noexcept = 0;
  // Starts a batch run for `instanceId`: the batch's transaction when none is
  // open (true then), and the run's savepoint. Throws KvException.
  virtual bool startRun(int instanceId) = 0;
  // Ends the run's savepoint: released, or first rolled back to (true then),
  // as the database needs. Never throws.
  virtual bool endRun() noexcept = 0;
  // Ends the batch's transaction; false when none was open. Never throws.
  virtual bool endBatchTransaction() noexcept = 0;
  // The batch's snapshot, when the connection joined one (generation_ is the
  // generation it reads).
  BatchSnapshot* batch() const { return batch_; }
  unsigned generation() const { return generation_; }
  void setGeneration(unsigned generation) { generation_ = generation; }

  // query without counting it as asked: for the statements a procedure
  // call runs on its behalf.
  void traced(const std::string& sql, const Parameters& parameters, const RowHandler& row);

  SqlTrace* trace_ = nullptr;
  Traffic traffic_;

 private:
  // Serves `sql` from the cache when it holds such statements.
  bool fromCache(const std::string& sql, const Parameters& parameters, const RowHandler& row);

  SnapshotCache* cache_ = nullptr;
  BatchSnapshot* batch_ = nullptr;
  unsigned generation_ = 0;
};

#endif  // TARNEL_HOST_DATABASE_H_
