// tarnel-report: runs the configuration reports of the library against a
// network database. This file parses the command line and maps outcomes to
// exit codes; the work is the host's.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/ReportRegistry.h"
#include "framework/KvException.h"
#include "framework/KvTraceStatic.h"
#include "framework/XMLDocument.h"
#include "host/BatchRunner.h"
#include "host/BatchShard.h"
#include "host/Database.h"
#include "host/DemoNetwork.h"
#include "host/ReportConfiguration.h"
#include "host/ReportSession.h"
#include "host/StreamLogUser.h"

namespace {

enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2, kMessage = 3, kSkipped = 4, kInterrupted = 130 };

struct RunOptions {
  std::string db, config, className, name, scenario, out = ".", traceSql, log, instances, shard;
  std::vector<std::string> queries;
  int instance = 0;
  int jobs = 1;
  bool trace = false;
  bool stats = false;
};

struct DemoOptions {
  std::string path, scripts;
  int cells = 60;
  int seed = 1;
};

// An input the command could not use: exit 2.
struct InputError {
  std::string message;
};

// Writes the problem and its contexts to standard error in one write, so that
// a batch reporting thousands of them stays fast and lines never interleave.
void printProblem(const char* kind, const std::string& message,
                  const std::vector<std::string>& contexts, const std::string& prefix = "") {
  std::string text = "tarnel-report: " + prefix + kind + ": " + indentLines(message, "  ") + "\n";
  for (const std::string& c : contexts) text += "  context: " + indentLines(c, "    ") + "\n";
  std::cerr << text;
}

const char* kindText(RunOutcome::Kind kind) {
  switch (kind) {
    case RunOutcome::kMessage: return "message";
    case RunOutcome::kSkipped: return "skipped";
    default: return "error";
  }
}

int exitCodeOf(RunOutcome::Kind kind) {
  switch (kind) {
    case RunOutcome::kWritten: return kOk;
    case RunOutcome::kMessage: return kMessage;
    case RunOutcome::kSkipped: return kSkipped;
    case RunOutcome::kInput: return kUsage;
    default: return kFailed;
  }
}

void addRunOptions(CLI::App& command, RunOptions& o) {
  command.add_option("--db", o.db, "SQLite database file (opened read-only) or postgresql:// URI")
      ->required();
  command.add_option("--config", o.config, "report configuration file (XML)")->required();
  command.add_option("--class", o.className, "report class, as `tarnel-report classes` lists")
      ->required();
  command.add_option("--queries", o.queries, "query library file (XML); may be repeated");
  command.add_option("--name", o.name, "report name and title (default: the configuration's stem)");
  command.add_option("--scenario", o.scenario, "scenario restricting multi-row queries");
  command.add_option("--out", o.out, "output folder (default: .)");
  command.add_flag("--trace", o.trace, "development tracing on standard error");
  command.add_option("--trace-sql", o.traceSql, "append every SQL text run to this file");
  command.add_option("--log", o.log, "also write log messages to this file");
}

// Everything a run or batch needs, loaded and checked; InputError on failure.
struct Prepared {
  std::unique_ptr<ReportConfiguration> configuration;
  std::unique_ptr<SqlTrace> trace;
  std::unique_ptr<StreamLogUser> log;
  SessionOptions session;
};

Prepared prepare(const RunOptions& o) {
  Prepared p;
  p.session.constructor = ReportRegistry::library().find(o.className);
  if (!p.session.constructor) {
    throw InputError{"Unknown report class: " + o.className + " (see `tarnel-report classes`)"};
  }
  try {
    p.configuration = std::make_unique<ReportConfiguration>(o.config, o.queries);
    p.log = std::make_unique<StreamLogUser>(o.log);
    if (!o.traceSql.empty()) p.trace = std::make_unique<SqlTrace>(o.traceSql);
  } catch (const KvException& e) {
    throw InputError{e.message().str()};
  }
  struct stat st;
  if (stat(o.out.c_str(), &st) != 0) throw InputError{"Output folder does not exist: " + o.out};
  if (!S_ISDIR(st.st_mode)) throw InputError{"Output folder is not a folder: " + o.out};
  if (access(o.out.c_str(), W_OK | X_OK) != 0) {
    throw InputError{"Output folder is not writable: " + o.out};
  }
  p.session.database = o.db;
  p.session.outFolder = o.out;
  p.session.scenario = o.scenario;
  p.session.reportName = o.name.empty() ? p.configuration->stem() : o.name;
  p.session.trace = p.trace.get();
  p.session.log = p.log.get();
  __envKVDevelopment = __envKVDevelopment || o.trace;
  return p;
}

std::unique_ptr<ReportSession> openSession(const Prepared& p) {
  try {
    return std::make_unique<ReportSession>(p.session, *p.configuration);
  } catch (const KvException& e) {
    throw InputError{e.message().str()};
  }
}

int runCommand(const RunOptions& o) {
  Prepared p = prepare(o);
  std::unique_ptr<ReportSession> session = openSession(p);
  RunOutcome outcome = session->run(o.instance);
  if (outcome.kind != RunOutcome::kWritten) {
    printProblem(kindText(outcome.kind), outcome.message, outcome.contexts);
  }
  return exitCodeOf(outcome.kind);
}

int parseId(const std::string& text) {
  size_t used = 0;
  int id = 0;
  try {
    id = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size()) throw InputError{"Not an instance id: " + text};
  return id;
}

std::vector<int> withoutRepeats(const std::vector<int>& ids) {
  std::vector<int> unique;
  std::unordered_set<int> seen;
  for (int id : ids) {
    if (seen.insert(id).second) unique.push_back(id);
  }
  return unique;
}

// "all", or a comma-separated list of ids and LO-HI ranges of catalogue ids.
// The list is a set: an id named twice (alone or in a range) runs once, in
// the place it was first named.
std::vector<int> instanceList(const std::string& list, ReportSession& session,
                              const ReportConfiguration& configuration) {
  if (list == "all") {
    if (configuration.entity().isNull()) {
      throw InputError{"--instances all needs an Entity attribute on the configuration's root"};
    }
    return session.instancesOf(configuration.entity().str());
  }
  std::vector<int> ids;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    size_t dash = item.find('-', 1);
    if (dash == std::string::npos) {
      ids.push_back(parseId(item));
    } else {
      std::vector<int> range =
          session.instancesBetween(parseId(item.substr(0, dash)), parseId(item.substr(dash + 1)));
      ids.insert(ids.end(), range.begin(), range.end());
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return withoutRepeats(ids);
}

void onInterrupt(int) { BatchRunner::stop(); }

// The slice --shard K/N names (every instance without it).
std::vector<int> shardOf(const std::string& shard, const std::vector<int>& instances) {
  if (shard.empty()) return instances;
  try {
    return BatchShard::parse(shard).of(instances);
  } catch (const KvException& e) {
    throw InputError{e.message().str()};
  }
}

// --stats: what the batch asked and sent, per instance run.
std::string statsLine(const BatchSummary& s) {
  int runs = s.written + s.skipped + s.messages + s.failed;
  auto each = [runs](long long n) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", runs ? static_cast<double>(n) / runs : 0.0);
    return std::string(text);
  };
  const Database::Traffic& t = s.traffic;
  return "per instance: " + each(t.statements) + " statements, " + each(t.roundTrips) +
         " round trips, " + each(t.rows) + " rows (asked " + each(t.asked) + ", from memory " +
         each(t.fromMemory) + ")\n";
}

int batchCommand(const RunOptions& o) {
  if (!o.shard.empty()) shardOf(o.shard, {});  // a bad --shard fails before any work
  Prepared p = prepare(o);
  std::vector<int> instances =
      shardOf(o.shard, instanceList(o.instances, *openSession(p), *p.configuration));
  bool progress = isatty(STDERR_FILENO);
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigaction(SIGINT, &action, nullptr);
  BatchRunner runner(p.session, *p.configuration, o.jobs);
  BatchSummary summary;
  try {
    summary = runner.run(instances, [progress](int id, const RunOutcome& outcome, int done, int total) {
      if (progress) std::cerr << '\r';
      if (outcome.kind == RunOutcome::kFailed || outcome.kind == RunOutcome::kInput ||
          outcome.kind == RunOutcome::kMessage) {
        printProblem(kindText(outcome.kind), outcome.message, outcome.contexts,
                     "instance " + std::to_string(id) + ": ");
      }
      if (progress) std::cerr << "tarnel-report: " << done << '/' << total << std::flush;
    });
  } catch (const KvException& e) {
    throw InputError{e.message().str()};
  }
  if (progress) std::cerr << '\n';
  std::cout << summary.written << " written, " << summary.skipped << " skipped, "
            << summary.messages << " messages, " << summary.failed << " failed" << std::endl;
  if (o.stats) std::cout << statsLine(summary);
  if (BatchRunner::stopped()) {
    std::cerr << "tarnel-report: interrupted: " << summary.notRun << " instances not run\n";
    return kInterrupted;
  }
  return summary.failed > 0 ? kFailed : kOk;
}

int classesCommand() {
  for (const std::string& name : ReportRegistry::library().classNames()) std::cout << name << '\n';
  return kOk;
}

int checkConfigCommand(const std::string& file, const std::vector<std::string>& queries) {
  std::unique_ptr<ReportConfiguration> configuration;
  try {
    configuration = std::make_unique<ReportConfiguration>(file, queries);
  } catch (const KvException& e) {
    throw InputError{e.message().str()};
  }
  std::vector<std::string> missing = configuration->undefinedSelects();
  for (const std::string& name : missing) {
    std::cout << file << ": select \"" << name << "\" names a query that is not defined\n";
  }
  if (!missing.empty()) return kFailed;
  std::cout << file << ": ok\n";
  return kOk;
}

int demoCommand(const DemoOptions& o) {
  try {
    DemoNetwork::write(o.path, o.cells, o.seed,
                       o.scripts.empty() ? DemoNetwork::defaultScriptFolder() : o.scripts);
  } catch (const KvException& e) {
    throw InputError{e.message().str()};
  }
  std::cout << "wrote " << Database::displayName(o.path) << " (" << o.cells << " cells, seed " << o.seed << ")\n";
  return kOk;
}

}  // namespace

int main(int argc, char** argv) {
  // A write past the file-size limit (ulimit -f) fails with EFBIG and the run
  // reports it, instead of the signal killing the process mid-file.
  signal(SIGXFSZ, SIG_IGN);
  const char* development = std::getenv("TARNEL_DEVELOPMENT");
  __envKVDevelopment = development && std::string(development) == "1";

  CLI::App app{"tarnel-report: configuration reports over a cellular network database"};
  app.require_subcommand(1);
  RunOptions run, batch;
  CLI::App* runCmd = app.add_subcommand("run", "run one report for one instance");
  addRunOptions(*runCmd, run);
  runCmd->add_option("--instance", run.instance, "instance id of the element reported on")->required();

  CLI::App* batchCmd = app.add_subcommand("batch", "run one report for many instances");
  addRunOptions(*batchCmd, batch);
  batchCmd->add_option("--instances", batch.instances,
                       "all (every instance of the configuration's Entity), or ids and LO-HI ranges, comma-separated")
      ->required();
  batchCmd->add_option("-j,--jobs", batch.jobs, "worker threads (default 1)")->check(CLI::Range(1, 64));
  batchCmd->add_option("--shard", batch.shard,
                       "K/N: run only the K-th of N equal slices of the instance list");
  batchCmd->add_flag("--stats", batch.stats,
                     "at the end, print the statements, round trips and rows per instance");

  app.add_subcommand("classes", "list the report classes");

  std::string checkFile;
  std::vector<std::string> checkQueries;
  CLI::App* checkCmd = app.add_subcommand("check-config", "check a report configuration");
  checkCmd->add_option("FILE", checkFile, "configuration file")->required();
  checkCmd->add_option("--queries", checkQueries, "query library file (XML); may be repeated");

  DemoOptions demo;
  CLI::App* demoCmd = app.add_subcommand("demo-db", "write the demo network database");
  demoCmd->add_option("PATH", demo.path,
                      "database file to write (replaced if present), or postgresql:// URI")
      ->required();
  demoCmd->add_option("--cells", demo.cells, "number of cells (default 60)")->check(CLI::Range(1, 1000000));
  demoCmd->add_option("--seed", demo.seed, "seed of the generated values (default 1)");
  demoCmd->add_option("--scripts", demo.scripts, "folder of the demo SQL scripts");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? kOk : kUsage;
  }
  try {
    if (*runCmd) return runCommand(run);
    if (*batchCmd) return batchCommand(batch);
    if (app.got_subcommand("classes")) return classesCommand();
    if (*checkCmd) return checkConfigCommand(checkFile, checkQueries);
    if (*demoCmd) return demoCommand(demo);
  } catch (const InputError& e) {
    printProblem("error", e.message, {});
    return kUsage;
  } catch (const std::exception& e) {
    printProblem("error", e.what(), {});
    return kFailed;
  }
  return kUsage;
}
