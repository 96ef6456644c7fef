// RunPredictor: predicts the statements a report run will send from those
// earlier runs of the same batch sent. A run's statements, with its instance
// id wherever that is a parameter standing for the new run's id, are a
// script; the script of the run before is the prediction, until the run asks
// for a statement that another kept script holds (a report whose statements
// depend on what it read, such as a cell's series, follows a few such
// scripts). A connection sends the predicted statements ahead, in one
// exchange, and serves the run from their results while what it asks
// matches. Statements that change state are recorded too, so that a
// prediction stops before them. One per connection; not thread-safe.
#ifndef TARNEL_HOST_RUNPREDICTOR_H_
#define TARNEL_HOST_RUNPREDICTOR_H_

#include <string>
#include <vector>

#include "host/Database.h"

class RunPredictor {
 public:
  struct Statement {
    std::string sql;
    Database::Parameters parameters;
    bool changesState = false;
  };
  static constexpr size_t npos = static_cast<size_t>(-1);

  // Whether `sql` may be sent before it is asked for: a single select that
  // writes nothing (no INTO, no data-changing command or sequence call).
  // Anything else, and every procedure call, changes state.
  static bool readsOnly(const std::string& sql);

  // Starts the run of `instanceId`: the statements of the run before it
  // become the prediction.
  void startRun(long long instanceId);
  // Notes that the current run sent `statement`.
  void sent(const Statement& statement);

  // The position of `statement` in the prediction, looking from `from` on,
  // then before `from`; else, when another kept script holds it, that
  // script becomes the prediction and the position is in it. npos when no
  // script holds it.
  size_t find(const Statement& statement, size_t from);
  // The predicted statements from position `from` on, up to the first that
  // changes state (not included) and at most `limit` of them.
  std::vector<Statement> ahead(size_t from, size_t limit) const;

 private:
  // A statement with the positions of the parameters that were the instance
  // id of its run.
  struct Recorded {
    Statement statement;
    std::vector<bool> isInstance;
  };
  struct Script {
    std::vector<Recorded> statements;
    size_t hash = 0;
  };
  bool matches(const Recorded& recorded, const Statement& statement) const;
  size_t findIn(const Script& script, const Statement& statement, size_t from, size_t to) const;
  static bool sameScript(const Script& a, const Script& b);

  long long instance_ = 0;
  Script current_;
  std::vector<Script> kept_;  // most recent first; kept_[predicted_] is the prediction
  size_t predicted_ = 0;
};

#endif  // TARNEL_HOST_RUNPREDICTOR_H_
