#include "tests/e2e/E2eSupport.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace {

// Comma-separated, double quotes, UTF-8, every sheet to its own file.
const char kCsvFilter[] = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1";

// The program's temporary folder, removed when it ends.
const std::string& baseFolder() {
  static const TempFolder folder;
  return folder.path;
}

// This process's environment as NAME=value entries, with the tests' settings.
std::vector<std::string> environment(const std::map<std::string, std::string>& extra) {
  std::map<std::string, std::string> all;
  for (char** e = environ; *e; ++e) {
    std::string entry(*e);
    size_t eq = entry.find('=');
    if (eq != std::string::npos) all[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  all["TZ"] = "UTC";
  all["SOURCE_DATE_EPOCH"] = "1700000000";
  all.erase("TARNEL_DEVELOPMENT");
  // A test run as a Kubernetes or Slurm task must not shard its batches.
  for (const char* name : {"JOB_COMPLETION_INDEX", "TARNEL_SHARDS", "SLURM_ARRAY_TASK_ID"}) all.erase(name);
  for (const auto& e : extra) all[e.first] = e.second;
  std::vector<std::string> list;
  for (const auto& e : all) list.push_back(e.first + "=" + e.second);
  return list;
}

// The C strings of `words`, ending with a null pointer.
std::vector<char*> pointers(std::vector<std::string>& words) {
  std::vector<char*> list;
  for (std::string& w : words) list.push_back(&w[0]);
  list.push_back(nullptr);
  return list;
}

// Starts `argv` with `envList` as its environment, standard input from
// /dev/null, standard output and error into the files `out` and `err`.
pid_t start(std::vector<std::string> argv, std::vector<std::string> envList, const std::string& out,
            const std::string& err) {
  std::vector<char*> cargv = pointers(argv), cenv = pointers(envList);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, cargv[0], &actions, nullptr, cargv.data(), cenv.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
  return pid;
}

// Runs `argv` with standard output and error in files of a fresh folder and
// `envList` as its environment.
CommandResult spawnWith(std::vector<std::string> argv, std::vector<std::string> envList) {
  std::string out = freshFolder() + "/stdout", err = out.substr(0, out.size() - 3) + "err";
  pid_t pid = start(std::move(argv), std::move(envList), out, err);
  int status = 0;
  waitpid(pid, &status, 0);
  int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return CommandResult{code, readFile(out), readFile(err)};
}

CommandResult spawn(std::vector<std::string> argv, const std::map<std::string, std::string>& env) {
  return spawnWith(std::move(argv), environment(env));
}

std::vector<std::string> joined(std::vector<std::string> front, const std::vector<std::string>& back) {
  front.insert(front.end(), back.begin(), back.end());
  return front;
}

}  // namespace

CommandResult runTarnel(const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& env) {
  // TARNEL_E2E_WRAPPER (for example a valgrind command line) runs in front of
  // the binary; words are separated by blanks.
  std::vector<std::string> argv;
  if (const char* wrapper = std::getenv("TARNEL_E2E_WRAPPER")) {
    std::istringstream words(wrapper);
    for (std::string w; words >> w;) argv.push_back(w);
  }
  argv.push_back(TARNEL_REPORT_BINARY);
  return spawn(joined(argv, args), env);
}

pid_t startTarnel(const std::vector<std::string>& args, const std::string& out, const std::string& err) {
  return start(joined({TARNEL_REPORT_BINARY}, args), environment(std::map<std::string, std::string>()), out, err);
}

CommandResult runTarnelBehind(const std::vector<std::string>& prefix, const std::vector<std::string>& args) {
  return spawn(joined(joined(prefix, {TARNEL_REPORT_BINARY}), args), {});
}

std::string expectRun(const std::vector<std::string>& args, int exitCode, const std::string& out,
                      const std::string& err, const std::map<std::string, std::string>& env) {
  std::string folder = freshFolder(), command;
  std::vector<std::string> local;
  for (const std::string& a : args) {
    command += " " + a;
    local.push_back(replaced(a, "{out}", folder));
  }
  SCOPED_TRACE(command);
  CommandResult r = runTarnel(local, env);
  EXPECT_EQ(r.exitCode, exitCode);
  EXPECT_EQ(r.out, replaced(out, "{out}", folder));
  EXPECT_EQ(r.err, replaced(err, "{out}", folder));
  return folder;
}

CommandResult runShell(const std::string& command, const std::string& folder) {
  std::vector<std::string> env{"LANG=C.UTF-8"};
  for (const char* name : {"PATH", "HOME"}) {
    if (const char* value = std::getenv(name)) env.push_back(std::string(name) + "=" + value);
  }
  return spawnWith({"/bin/sh", "-c", "cd '" + folder + "' && exec 2>&1 && " + command}, env);
}

std::string sheetsAsCsv(const std::vector<std::string>& workbooks) {
  std::string out = freshFolder(), command = "soffice --headless -env:UserInstallation=file://" + freshFolder() +
                                                 " --convert-to '" + kCsvFilter + "' --outdir " + out;
  for (const std::string& w : workbooks) command += " " + w;
  if (std::system((command + " >" + out + "/soffice.log 2>&1").c_str()) == 0) return out;
  ADD_FAILURE() << "soffice failed: " << readFile(out + "/soffice.log");
  return "";
}

const std::string& demoDatabase() {
  static std::string path = [] {
    std::string db = baseFolder() + "/demo.db";
    CommandResult r = runTarnel({"demo-db", db, "--cells", "60", "--seed", "7"});
    if (r.exitCode != 0) throw std::runtime_error("demo-db failed: " + r.err);
    return db;
  }();
  return path;
}

std::string freshFolder() {
  static int counter = 0;
  std::string path = baseFolder() + "/run" + std::to_string(++counter);
  mkdir(path.c_str(), 0755);
  return path;
}

std::string memoryFolder() {
  static const TempFolder memory(fileExists("/dev/shm") ? "/dev/shm" : baseFolder());
  static int counter = 0;
  std::string path = memory.path + "/run" + std::to_string(++counter);
  mkdir(path.c_str(), 0755);
  return path;
}

std::string examplePath(const std::string& relative) {
  return std::string(TARNEL_SOURCE_DIR) + "/examples/" + relative;
}

std::string expectedPath(const std::string& relative) {
  return std::string(TARNEL_SOURCE_DIR) + "/tests/e2e/expected/" + relative;
}

std::string expectedText(const std::string& relative) {
  if (!fileExists(expectedPath(relative))) throw std::runtime_error("missing " + expectedPath(relative));
  return readFile(expectedPath(relative));
}

bool fileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  while (dirent* e = dir ? readdir(dir) : nullptr) {
    std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  if (dir) closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

size_t countEnding(const std::vector<std::string>& files, const std::string& end) {
  return static_cast<size_t>(std::count_if(files.begin(), files.end(), [&end](const std::string& f) {
    return f.size() > end.size() && f.compare(f.size() - end.size(), end.size(), end) == 0;
  }));
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::vector<std::string> runArgs(const std::string& db, const std::string& config,
                                 const std::string& cls, const std::string& instance,
                                 const std::string& out, const std::vector<std::string>& extra) {
  return joined({"run", "--db", db, "--config", config, "--class", cls, "--instance", instance, "--out", out},
                extra);
}

std::vector<std::pair<std::string, std::string>> benchReports() {
  std::vector<std::pair<std::string, std::string>> rows;
  std::ifstream in(std::string(TARNEL_SOURCE_DIR) + "/examples/reports/catalogue.tsv");
  for (std::string line; std::getline(in, line);) {
    size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    rows.emplace_back(line.substr(0, tab), line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1));
  }
  return rows;
}

std::string ReportRun::file(const std::string& name) const { return readFile(folder + "/" + name); }

ReportRun runExample(const std::string& config, const std::string& className, int instance,
                     const std::vector<std::string>& extra) {
  ReportRun run{{}, freshFolder()};
  run.result = runTarnel(runArgs(demoDatabase(), examplePath(config), className, std::to_string(instance),
                                 run.folder, joined({"--queries", examplePath("queries/common.xml")}, extra)));
  return run;
}
