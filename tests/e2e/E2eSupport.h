// Support for end-to-end tests: runs the built tarnel-report binary with
// arguments and environment, captures exit code, standard output and standard
// error, and provides the demo database made once per test program.
#ifndef TARNEL_TESTS_E2E_E2ESUPPORT_H_
#define TARNEL_TESTS_E2E_E2ESUPPORT_H_

#include <map>
#include <string>
#include <vector>

struct CommandResult {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs tarnel-report with `args`; `env` entries are added to the environment
// (TZ is UTC unless given).
CommandResult runTarnel(const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& env = {});

// runTarnel with the file-size limit of the shell's `ulimit -f` (in 1 KiB
// blocks) and SIGXFSZ ignored, so that writes past the limit fail as on a
// full disk.
CommandResult runTarnelWithFileLimit(int blocks, const std::vector<std::string>& args);

// A tarnel-report process started in the background; finish() waits for it.
struct StartedRun {
  int pid;
  std::string outPath;
  std::string errPath;
  CommandResult finish();
};
StartedRun startTarnel(const std::vector<std::string>& args);

// The demo database of 60 cells, seed 7, made on first use in a folder that
// is removed when the program ends.
const std::string& demoDatabase();

// A new empty folder below the program's temporary folder.
std::string freshFolder();

// Path of a file below the source tree's examples/ folder.
std::string examplePath(const std::string& relative);

// Contents of tests/e2e/expected/<relative>: the exact expected text of a
// long report output.
std::string expectedText(const std::string& relative);

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

// run --db demo --config examples/<config> --queries examples/queries/common.xml
// --class <cls> --instance <id> --out <folder>, with `extra` arguments appended. The folder is fresh.
struct ReportRun {
  CommandResult result;
  std::string folder;
  // Contents of <folder>/<file>.
  std::string file(const std::string& name) const;
};
ReportRun runExample(const std::string& config, const std::string& className, int instance,
                     const std::vector<std::string>& extra = {});

#endif  // TARNEL_TESTS_E2E_E2ESUPPORT_H_
