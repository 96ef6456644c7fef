// Support for end-to-end tests: runs the built tarnel-report binary with
// arguments and environment, captures exit code, standard output and standard
// error, and provides the demo database made once per test program.
#ifndef TARNEL_TESTS_E2E_E2ESUPPORT_H_
#define TARNEL_TESTS_E2E_E2ESUPPORT_H_

#include <sys/types.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/Requirements.h"
#include "tests/support/TestFiles.h"

struct CommandResult {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs tarnel-report with `args`; `env` entries are added to the environment
// (TZ is UTC and SOURCE_DATE_EPOCH 1700000000 unless given, so that run-time
// stamps are exact).
CommandResult runTarnel(const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& env = {});

// Starts tarnel-report with `args` (and the environment of runTarnel) in the
// background, standard output and error into the files `out` and `err`; its
// process id, for waitpid.
pid_t startTarnel(const std::vector<std::string>& args, const std::string& out, const std::string& err);

// runTarnel behind `prefix`, a command that runs its arguments: for example
// a shell that limits the file size, or `timeout` to interrupt the run.
CommandResult runTarnelBehind(const std::vector<std::string>& prefix, const std::vector<std::string>& args);

// Runs tarnel-report with `args` and `env`, {out} in the arguments, `out` and
// `err` standing for a fresh folder of its own, and expects `exitCode`, `out`
// and `err` exactly (the arguments as given in the failure's trace); the folder.
std::string expectRun(const std::vector<std::string>& args, int exitCode, const std::string& out,
                      const std::string& err, const std::map<std::string, std::string>& env = {});

// Runs `command` with /bin/sh in `folder`, standard error into standard output
// (`out`), with only PATH, HOME and LANG=C.UTF-8 of the environment.
CommandResult runShell(const std::string& command, const std::string& folder);

// Every sheet of the `workbooks` written by LibreOffice (headless, a profile of
// its own, formulas computed) as <folder>/<stem>-<sheet>.csv, comma-separated
// and UTF-8; the folder, or "" (and a test failure) when soffice fails.
std::string sheetsAsCsv(const std::vector<std::string>& workbooks);

// The demo database of 60 cells, seed 7, made on first use in a folder that
// is removed when the program ends.
const std::string& demoDatabase();
// A new empty folder below the program's temporary folder.
std::string freshFolder();
// A new empty folder in memory (/dev/shm), for tests that write thousands of
// files; below the temporary folder where there is no /dev/shm. Removed when
// the program ends.
std::string memoryFolder();
// Path of a file below the source tree's examples/ folder.
std::string examplePath(const std::string& relative);
// Path of tests/e2e/expected/<relative>, and its contents: the exact expected
// text of a long output (throws when the file is missing).
std::string expectedPath(const std::string& relative);
std::string expectedText(const std::string& relative);

bool fileExists(const std::string& path);
// The names in `folder` (without "." and ".."), sorted.
std::vector<std::string> filesIn(const std::string& folder);
// How many of `files` end with `end` (and are longer).
size_t countEnding(const std::vector<std::string>& files, const std::string& end);
// `text` with every `from` replaced by `to`.
std::string replaced(std::string text, const std::string& from, const std::string& to);

// run --db <db> --config <config> --class <cls> --instance <instance> --out <out>,
// then `extra`.
std::vector<std::string> runArgs(const std::string& db, const std::string& config,
                                 const std::string& cls, const std::string& instance,
                                 const std::string& out, const std::vector<std::string>& extra = {});

// The rows of examples/reports/catalogue.tsv: a configuration below examples/reports and
// the report class it runs with.
std::vector<std::pair<std::string, std::string>> benchReports();

// A run on the demo database of examples/<config> with the query library
// examples/queries/common.xml and `extra` arguments, in a fresh folder.
struct ReportRun {
  CommandResult result;
  std::string folder;
  std::string file(const std::string& name) const;  // contents of <folder>/<name>
};
ReportRun runExample(const std::string& config, const std::string& className, int instance,
                     const std::vector<std::string>& extra = {});

#endif  // TARNEL_TESTS_E2E_E2ESUPPORT_H_
