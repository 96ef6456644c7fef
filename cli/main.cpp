// tarnel-report: runs the configuration reports of the library against a
// network database. This file parses the command line and maps outcomes to
// exit codes; the work is the host's.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/ReportRegistry.h"
#include "framework/KvException.h"
#include "framework/KvTraceStatic.h"
#include "framework/XMLDocument.h"
#include "host/BatchJournal.h"
#include "host/BatchRunner.h"
#include "host/BatchShard.h"
#include "host/ConfigurationCheck.h"
#include "host/Database.h"
#include "host/DemoNetwork.h"
#include "host/InstanceSelection.h"
#include "host/PluginLoader.h"
#include "host/ReportConfiguration.h"
#include "host/ReportSession.h"
#include "host/RunOutput.h"
#include "host/StreamLogUser.h"
#include "portal/Portal.h"
#include "workbook/BatchWorkbooks.h"
#include "workbook/WorkbookError.h"

namespace {

enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2, kMessage = 3, kSkipped = 4, kInterrupted = 130 };

struct RunOptions {
  std::string db, config, className, name, scenario, out = ".", traceSql, log, instance, instances, shard;
  std::vector<std::string> queries;
  int jobs = 1;
  bool trace = false;
  bool resume = false;
  bool workbook = false;
  std::string templates;
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

InputError unknownClass(const std::string& className) {
  return InputError{"Unknown report class: " + className + " (see `tarnel-report classes`)"};
}

// Runs `step`; a KvException it throws is an input the command could not use.
template <typename Step>
auto asInput(Step step) -> decltype(step()) {
  try {
    return step();
  } catch (const KvException& e) {
    throw InputError{e.message().str()};
  }
}

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

// What the batch index calls an outcome.
int exitCodeOf(RunOutcome::Kind kind) {
  switch (kind) {
    case RunOutcome::kWritten: return kOk;
    case RunOutcome::kMessage: return kMessage;
    case RunOutcome::kSkipped: return kSkipped;
    case RunOutcome::kInput: return kUsage;
    default: return kFailed;
  }
}

// Usage errors carry the prefix of every other error.
std::string usageError(const CLI::App*, const CLI::Error& e) {
  return std::string("tarnel-report: error: ") + e.what() + "\nRun with --help for more information.\n";
}

// The first word when it is not an option: "help [COMMAND]" prints the help
// (exit 0), a word that names no command is refused by name (exit 2).
// Returns -1 when parsing goes on.
int leadingWord(const CLI::App& app, int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return -1;
  std::string word = argv[1];
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    if (command->get_name() == word) return -1;
  }
  if (word == "help") {
    const CLI::App* command = nullptr;
    if (argc > 2) {
      try {
        command = app.get_subcommand(argv[2]);
      } catch (const CLI::OptionNotFound&) {
      }
    }
    std::cout << (command ? command->help(app.get_name()) : app.help());
    return kOk;
  }
  std::cerr << "tarnel-report: error: unknown command: " << word << " (see tarnel-report --help)\n";
  return kUsage;
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
  command.add_option("--out", o.out, "output folder, made when missing (default: .)");
  command.add_flag("--trace", o.trace, "development tracing on standard error");
  command.add_option("--trace-sql", o.traceSql, "append every SQL text run to this file");
  command.add_option("--log", o.log, "also append log messages to this file");
}

const char kTemplatesVariable[] = "TARNEL_TEMPLATES";

void addWorkbookOptions(CLI::App& command, RunOptions& o) {
  CLI::Option* workbook = command.add_flag(
      "--workbook", o.workbook,
      "also write the finished workbook <out>/<name>_<instance>.xlsx (.xlsm from a template with macros)");
  command.add_option("--templates", o.templates,
                     "folder of template workbooks (default $TARNEL_TEMPLATES); without one, or where the "
                     "folder lacks the template, the workbook gets the generated layout")
      ->needs(workbook);
}

// --templates, else TARNEL_TEMPLATES; "" when neither is given.
std::string templatesFolder(const std::string& option) {
  const char* variable = std::getenv(kTemplatesVariable);
  std::string folder = !option.empty() ? option : variable ? variable : "";
  struct stat st;
  if (!folder.empty() && (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))) {
    throw InputError{"Templates folder does not exist: " + folder};
  }
  return folder;
}

// The templates folder of --workbook; "" without --workbook or a folder.
std::string workbookTemplates(const RunOptions& o) { return o.workbook ? templatesFolder(o.templates) : ""; }

// The workbooks of --workbook for `instances` from `templates`, made by each
// worker right after a successful run.
std::unique_ptr<BatchWorkbooks> workbooksFor(const RunOptions& o, const std::string& templates,
                                             SessionOptions& session, const std::vector<int>& instances) {
  if (!o.workbook) return nullptr;
  auto books = std::make_unique<BatchWorkbooks>(templates, instances);
  BatchWorkbooks* b = books.get();
  session.afterRun = [b](int id, const std::string& steeringPath) { b->make(id, steeringPath); };
  return books;
}

// Templates named but not found, once per name, with the number of workbooks
// generated instead: a batch summary's lines, else notes on standard error.
void printMissing(const std::map<std::string, int>& missing, const std::string& templates, bool summary) {
  for (const auto& m : missing) {
    (summary ? std::cout : std::cerr)
        << (summary ? "" : "tarnel-report: note: ") << "template not found in " << templates << ": " << m.first
        << " (" << (summary ? std::to_string(m.second) + " workbooks with" : "the workbook has")
        << " the generated layout)\n";
  }
}

// Everything a run or batch needs, loaded and checked; InputError on failure.
struct Prepared {
  std::unique_ptr<ReportConfiguration> configuration;
  std::unique_ptr<SqlTrace> trace;
  std::unique_ptr<StreamLogUser> log;
  SessionOptions session;
};

Prepared prepare(const RunOptions& o, const ReportRegistry& registry) {
  Prepared p;
  p.session.constructor = registry.find(o.className);
  p.session.className = o.className;
  if (!p.session.constructor) {
    throw unknownClass(o.className);
  }
  asInput([&] {
    p.configuration = std::make_unique<ReportConfiguration>(o.config, o.queries);
    p.log = std::make_unique<StreamLogUser>(o.log);
    if (!o.traceSql.empty()) p.trace = std::make_unique<SqlTrace>(o.traceSql);
    RunOutput::makeFolder(o.out);
  });
  p.session.database = o.db;
  p.session.outFolder = o.out;
  p.session.scenario = o.scenario;
  p.session.reportName = o.name.empty() ? p.configuration->stem() : o.name;
  p.session.trace = p.trace.get();
  p.session.log = p.log.get();
  __envKVDevelopment = __envKVDevelopment || o.trace;
  return p;
}

// `code`, or 1 when the SQL trace could not be written whole (said so).
int withTrace(const Prepared& p, int code) {
  std::string error = p.trace ? p.trace->flush() : "";
  if (error.empty()) return code;
  printProblem("error", error, {});
  return kFailed;
}

std::unique_ptr<ReportSession> openSession(const Prepared& p) {
  return asInput([&p] { return std::make_unique<ReportSession>(p.session, *p.configuration); });
}

int instanceId(const std::string& text) {
  return asInput([&text] { return InstanceSelection::parseId(text); });
}

int runCommand(const RunOptions& o, const ReportRegistry& registry) {
  Prepared p = prepare(o, registry);
  int id = instanceId(o.instance);
  std::string templates = workbookTemplates(o);
  std::unique_ptr<BatchWorkbooks> books = workbooksFor(o, templates, p.session, {id});
  std::unique_ptr<ReportSession> session = openSession(p);
  RunOutcome outcome = session->run(id);
  if (outcome.otherEntity()) {
    std::cerr << "tarnel-report: warning: instance " << o.instance << " is " << outcome.catalogueEntity
              << " in the catalogue, but " << o.className << " reports on " << outcome.reportEntity << "\n";
  }
  if (outcome.kind != RunOutcome::kWritten) {
    printProblem(kindText(outcome.kind), outcome.message, outcome.contexts);
  }
  if (books) printMissing(books->missing(), templates, false);
  return withTrace(p, exitCodeOf(outcome.kind));
}

// The instances --instances selects (InstanceSelection).
std::vector<int> instanceList(const std::string& list, ReportSession& session,
                              const ReportConfiguration& configuration) {
  return asInput([&] { return InstanceSelection::select(list, session, configuration.entity().str()); });
}

void onInterrupt(int) { BatchRunner::stop(); }

// The slice --shard names (K/N, or auto), or none without it.
std::unique_ptr<BatchShard> shardOption(const std::string& shard) {
  if (shard.empty()) return nullptr;
  return asInput([&shard] { return std::make_unique<BatchShard>(BatchShard::parse(shard)); });
}

// The batch's journal in the out folder, one per report name and shard.
std::unique_ptr<BatchJournal> openJournal(const RunOptions& o, const Prepared& p, const BatchShard* shard) {
  std::string file = BatchJournal::fileName(p.session.reportName, shard ? shard->text() : "");
  return std::make_unique<BatchJournal>(o.out, file, o.resume);
}

// The index rows of the instances a resumed batch did not run again.
void recordResumed(BatchWorkbooks& books, const BatchJournal& journal, const std::vector<int>& instances,
                   const SessionOptions& session) {
  for (int id : instances) {
    if (journal.holds(id)) {
      books.recordEarlier(id, RunOutput::steeringPathOf(session.outFolder, session.reportName, id));
    }
  }
}

// Flushes the journal a last time; the message when this or an earlier flush
// failed, else "".
std::string finishJournal(BatchJournal& journal) {
  try {
    journal.finish();
    return "";
  } catch (const KvException& e) {
    return e.message().str();
  }
}

// --stats: what the batch asked and sent, per instance run.
std::string statsLine(const BatchSummary& s) {
  int runs = s.written - s.resumed + s.skipped + s.messages + s.failed;  // resumed ones did not run
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

// The batch's index workbook and its missing templates; false when the index
// could not be written.
bool finishWorkbooks(const BatchWorkbooks& books, const RunOptions& o, const std::string& templates,
                     const std::string& name) {
  if (!templates.empty()) printMissing(books.missing(), templates, true);
  try {
    std::string file = RunOutput::fileName(name);
    books.writeIndex(o.out + "/" + file + ".index.xlsx", name + ": batch", file + "_");
  } catch (const WorkbookError& e) {
    printProblem("error", e.what(), {});
    return false;
  }
  return true;
}

int batchCommand(const RunOptions& o, const ReportRegistry& registry) {
  std::unique_ptr<BatchShard> shard = shardOption(o.shard);  // a bad --shard fails before any work
  Prepared p = prepare(o, registry);
  std::vector<int> instances = instanceList(o.instances, *openSession(p), *p.configuration);
  if (shard) instances = shard->of(instances);
  std::unique_ptr<BatchJournal> journal = openJournal(o, p, shard.get());
  bool progress = isatty(STDERR_FILENO);
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigaction(SIGINT, &action, nullptr);
  std::string templates = workbookTemplates(o);
  std::unique_ptr<BatchWorkbooks> books = workbooksFor(o, templates, p.session, instances);
  BatchRunner runner(p.session, *p.configuration, o.jobs);
  runner.setJournal(journal.get());
  BatchSummary summary = asInput([&] {
    return runner.run(instances, [progress, &books](int id, const RunOutcome& outcome, int done, int total) {
      if (books) books->record(id, outcome.instanceName, RunOutcome::word(outcome.kind), outcome.message);
      if (progress) std::cerr << '\r';
      if (outcome.kind == RunOutcome::kFailed || outcome.kind == RunOutcome::kInput ||
          outcome.kind == RunOutcome::kMessage) {
        printProblem(kindText(outcome.kind), outcome.message, outcome.contexts,
                     "instance " + std::to_string(id) + ": ");
      }
      if (progress) std::cerr << "tarnel-report: " << done << '/' << total << std::flush;
    });
  });
  if (progress) std::cerr << '\n';
  std::cout << summary.written << " written, " << summary.skipped << " skipped, "
            << summary.messages << " messages, " << summary.failed << " failed" << std::endl;
  if (summary.otherEntity > 0) {
    std::cerr << "tarnel-report: warning: " << summary.otherEntity << " of the instances are not "
              << summary.reportEntity << " in the catalogue, the entity " << o.className
              << " reports on\n";
  }
  if (books) recordResumed(*books, *journal, instances, p.session);
  bool indexWritten = !books || finishWorkbooks(*books, o, templates, p.session.reportName);
  std::string flushError = finishJournal(*journal);  // the index workbook too
  if (summary.resumed > 0) {
    std::cerr << "tarnel-report: resumed: " << summary.resumed << " instances in " << journal->path()
              << " were not run again\n";
  }
  if (!flushError.empty()) {
    std::vector<std::string> contexts;
    if (summary.notRun > 0) contexts.push_back(std::to_string(summary.notRun) + " instances not run");
    printProblem("error", flushError, contexts);
    return withTrace(p, kFailed);
  }
  if (!indexWritten) return kFailed;
  if (o.stats) std::cout << statsLine(summary);
  if (BatchRunner::stopped()) {
    std::cerr << "tarnel-report: interrupted: " << summary.notRun << " instances not run\n";
    return kInterrupted;
  }
  return withTrace(p, summary.failed > 0 ? kFailed : kOk);
}

struct WorkbookCommandOptions {
  std::string steering, templates, out;
};

// Makes the workbook of a run's files again.
int workbookCommand(const WorkbookCommandOptions& o) {
  ReportFiles files = [&o] {
    try {
      return ReportFiles::read(o.steering);
    } catch (const WorkbookError& e) {
      throw InputError{e.what()};
    }
  }();
  // --out is made as every --out is (exit 2 when it cannot be).
  if (!o.out.empty()) asInput([&o] { RunOutput::makeFolder(o.out); });
  std::string templates = templatesFolder(o.templates);
  WorkbookMaker::Made made = WorkbookMaker(templates).make(files, WorkbookMaker::stemOf(o.steering, o.out));
  if (!made.missing.empty()) printMissing({{made.missing, 1}}, templates, false);
  std::cout << "wrote " << made.path << '\n';
  return kOk;
}

int serveCommand(PortalOptions o, const ReportRegistry& registry) {
  o.templates = templatesFolder(o.templates);
  o.registry = &registry;
  return asInput([&o] { return Portal::serveUntilSignal(o, std::cout); });
}

// Each class with the library it came from, in two columns.
int classesCommand(const ReportRegistry& registry) {
  std::vector<std::string> names = registry.classNames();
  size_t width = 0;
  for (const std::string& name : names) width = std::max(width, name.size());
  for (const std::string& name : names) {
    std::cout << name << std::string(width + 2 - name.size(), ' ') << registry.origin(name) << '\n';
  }
  return kOk;
}

struct CheckOptions {
  std::string file, className;
  std::vector<std::string> queries;
};

int checkConfigCommand(const CheckOptions& o, const ReportRegistry& registry) {
  ConfigurationNeeds selectsOnly;
  const ConfigurationNeeds* needs = &selectsOnly;
  if (!o.className.empty() && !(needs = registry.needs(o.className))) {
    throw unknownClass(o.className);
  }
  std::unique_ptr<ReportConfiguration> configuration =
      asInput([&o] { return std::make_unique<ReportConfiguration>(o.file, o.queries); });
  std::vector<ConfigurationCheck::Problem> problems =
      ConfigurationCheck::problems(*configuration, o.className, *needs);
  bool undefinedQuery = false;
  for (const ConfigurationCheck::Problem& problem : problems) {
    std::cout << o.file << ":" << problem.line << ": " << problem.text << '\n';
    undefinedQuery = undefinedQuery || problem.undefinedQuery;
  }
  if (undefinedQuery && o.queries.empty()) {
    std::cout << o.file << ": no query library was given: a query may be defined in one (--queries FILE)\n";
  }
  if (!problems.empty()) return kFailed;
  std::cout << o.file << ": ok\n";
  return kOk;
}

int demoCommand(const DemoOptions& o) {
  asInput([&o] {
    DemoNetwork::write(o.path, o.cells, o.seed,
                       o.scripts.empty() ? DemoNetwork::defaultScriptFolder() : o.scripts);
  });
  std::cout << "wrote " << Database::displayName(o.path) << " (" << o.cells << " cells, seed " << o.seed << ")\n";
  return kOk;
}

// Report libraries to load: --plugin before the subcommand, then after it.
struct PluginOptions {
  std::vector<std::string> beforeCommand, afterCommand;
};

// --plugin on the command and on each of its subcommands (add them first).
void addPluginOptions(CLI::App& app, PluginOptions& o) {
  const char* help = "load report classes from the shared library PATH; may be repeated "
                     "(TARNEL_PLUGIN_PATH, libraries and folders of them separated by ':', loads first)";
  app.add_option("--plugin", o.beforeCommand, help)->type_name("PATH");
  for (CLI::App* command : app.get_subcommands({})) {
    command->add_option("--plugin", o.afterCommand, help)->type_name("PATH");
  }
}

// The built-in report classes, then those of TARNEL_PLUGIN_PATH and --plugin.
std::unique_ptr<PluginLoader> loadReportLibraries(const PluginOptions& o) {
  return asInput([&o] {
    auto loader = std::make_unique<PluginLoader>();
    if (const char* path = std::getenv("TARNEL_PLUGIN_PATH")) loader->loadPath(path);
    for (const std::string& plugin : o.beforeCommand) loader->load(plugin);
    for (const std::string& plugin : o.afterCommand) loader->load(plugin);
    return loader;
  });
}

}  // namespace

int main(int argc, char** argv) {
  // A write past the file-size limit (ulimit -f) fails with EFBIG and the run
  // reports it, instead of the signal killing the process mid-file.
  signal(SIGXFSZ, SIG_IGN);
  const char* development = std::getenv("TARNEL_DEVELOPMENT");
  __envKVDevelopment = development && std::string(development) == "1";

  CLI::App app{"tarnel-report: configuration reports over a cellular network database", "tarnel-report"};
  app.require_subcommand(1);
  app.failure_message(usageError);
  app.set_version_flag("--version", std::string("tarnel-report ") + TARNEL_VERSION);
  RunOptions run, batch;
  CLI::App* runCmd = app.add_subcommand("run", "run one report for one instance");
  addRunOptions(*runCmd, run);
  runCmd->add_option("--instance", run.instance, "instance id (decimal) of the element reported on")->required();

  CLI::App* batchCmd = app.add_subcommand("batch", "run one report for many instances");
  addRunOptions(*batchCmd, batch);
  batchCmd->add_option("--instances", batch.instances,
                       "all (every instance of the configuration's Entity), or ids and LO-HI ranges, comma-separated")
      ->required();
  batchCmd->add_option("-j,--jobs", batch.jobs, "worker threads (default 1)")->check(CLI::Range(1, 64));
  batchCmd->add_flag("--resume", batch.resume,
                     "run only the instances the out folder's batch journal does not record as done");
  batchCmd->add_option("--shard", batch.shard,
                       "K/N: run only the K-th of N equal slices of the instance list; auto: K and N from a "
                       "Kubernetes Indexed Job or a Slurm job array");
  batchCmd->add_flag("--stats", batch.stats,
                     "at the end, print the statements, round trips and rows per instance");

  addWorkbookOptions(*runCmd, run);
  addWorkbookOptions(*batchCmd, batch);

  WorkbookCommandOptions remake;
  CLI::App* workbookCmd = app.add_subcommand("workbook", "make the workbook of a run's files again");
  workbookCmd->add_option("STEERING", remake.steering, "the run's <name>_<instance>.steering.json")->required();
  workbookCmd->add_option("--templates", remake.templates, "folder of template workbooks (default $TARNEL_TEMPLATES)");
  workbookCmd->add_option("--out", remake.out, "folder of the workbook (default: the steering file's)");

  app.add_subcommand("classes", "list the report classes");

  CheckOptions check;
  CLI::App* checkCmd = app.add_subcommand("check-config", "check a report configuration");
  checkCmd->add_option("FILE", check.file, "configuration file")->required();
  checkCmd->add_option("--queries", check.queries, "query library file (XML); may be repeated");
  checkCmd->add_option("--class", check.className,
                       "also check what this report class reads: its queries, STOREDPROCS, Entity");

  PortalOptions serve;
  CLI::App* serveCmd = app.add_subcommand("serve", "serve the report portal: find elements, run and read reports in a browser");
  serveCmd->add_option("--db", serve.database, "SQLite database file (opened read-only) or postgresql:// URI")->required();
  serveCmd->add_option("--reports", serve.reports, "folder of report configurations and their catalogue.tsv")->required();
  serveCmd->add_option("--queries", serve.queries, "query library file (XML); may be repeated");
  serveCmd->add_option("--templates", serve.templates, "folder of template workbooks (default $TARNEL_TEMPLATES)");
  serveCmd->add_option("--listen", serve.listen, "host:port to listen on (default 127.0.0.1:8080); an address other than loopback needs --token-file");
  serveCmd->add_option("--token-file", serve.tokenFile, "file whose first line is the token every request must carry");
  serveCmd->add_option("-j,--jobs", serve.workers, "report workers (default 2)")->check(CLI::Range(1, 64));
  serveCmd->add_option("--queue", serve.queue, "reports that may wait for a worker; beyond, a request gets 503 (default 16)")->check(CLI::Range(0, 10000));

  DemoOptions demo;
  CLI::App* demoCmd = app.add_subcommand("demo-db", "write the demo network database");
  demoCmd->add_option("PATH", demo.path,
                      "database file to write (replaced if present), or postgresql:// URI")
      ->required();
  demoCmd->add_option("--cells", demo.cells, "number of cells (default 60)")->check(CLI::Range(1, 1000000));
  demoCmd->add_option("--seed", demo.seed, "seed of the generated values, 0 or more (default 1)")
      ->check(CLI::Range(0, std::numeric_limits<int>::max()));
  demoCmd->add_option("--scripts", demo.scripts, "folder of the demo SQL scripts");

  PluginOptions plugins;
  addPluginOptions(app, plugins);
  int early = leadingWord(app, argc, argv);
  if (early >= 0) return early;

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? kOk : kUsage;
  }
  try {
    std::unique_ptr<PluginLoader> libraries = loadReportLibraries(plugins);
    if (*runCmd) return runCommand(run, libraries->registry());
    if (*batchCmd) return batchCommand(batch, libraries->registry());
    if (*workbookCmd) return workbookCommand(remake);
    if (app.got_subcommand("classes")) return classesCommand(libraries->registry());
    if (*checkCmd) return checkConfigCommand(check, libraries->registry());
    if (*demoCmd) return demoCommand(demo);
    if (*serveCmd) return serveCommand(serve, libraries->registry());
  } catch (const InputError& e) {
    printProblem("error", e.message, {});
    return kUsage;
  } catch (const std::exception& e) {
    printProblem("error", e.what(), {});
    return kFailed;
  }
  return kUsage;
}
