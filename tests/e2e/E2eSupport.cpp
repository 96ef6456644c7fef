#include "tests/e2e/E2eSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace {

// Made on first use and removed when the program ends. The path lives in a
// leaked string so that the exit handler can still read it.
const std::string& baseFolder() {
  static const std::string* folder = [] {
    char pattern[] = "/tmp/tarnel-e2e-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) throw std::runtime_error("cannot make a temporary folder");
    auto* path = new std::string(made);
    std::atexit([] { std::system(("rm -rf '" + baseFolder() + "'").c_str()); });
    return path;
  }();
  return *folder;
}

std::vector<std::string> environment(const std::map<std::string, std::string>& extra) {
  std::map<std::string, std::string> all;
  for (char** e = environ; *e; ++e) {
    std::string entry(*e);
    size_t eq = entry.find('=');
    if (eq != std::string::npos) all[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  all["TZ"] = "UTC";
  all.erase("TARNEL_DEVELOPMENT");
  for (const auto& e : extra) all[e.first] = e.second;
  std::vector<std::string> list;
  for (const auto& e : all) list.push_back(e.first + "=" + e.second);
  return list;
}

}  // namespace

namespace {
StartedRun start(std::vector<std::string> argv, const std::map<std::string, std::string>& env);
CommandResult spawn(std::vector<std::string> argv, const std::map<std::string, std::string>& env);
}  // namespace

CommandResult StartedRun::finish() {
  int status = 0;
  waitpid(pid, &status, 0);
  CommandResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = readFile(outPath);
  result.err = readFile(errPath);
  return result;
}

StartedRun startTarnel(const std::vector<std::string>& args) {
  std::vector<std::string> argv{TARNEL_REPORT_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  return start(argv, {});
}

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
  argv.insert(argv.end(), args.begin(), args.end());
  return spawn(argv, env);
}

CommandResult runTarnelWithFileLimit(int blocks, const std::vector<std::string>& args) {
  std::vector<std::string> argv{"/bin/bash", "-c",
                                "trap '' XFSZ; ulimit -f " + std::to_string(blocks) + "; exec \"$0\" \"$@\"",
                                TARNEL_REPORT_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  return spawn(argv, {});
}

namespace {
StartedRun start(std::vector<std::string> argv, const std::map<std::string, std::string>& env) {
  StartedRun run;
  run.outPath = freshFolder() + "/stdout";
  run.errPath = run.outPath.substr(0, run.outPath.size() - 6) + "stderr";
  std::vector<char*> cargv;
  for (std::string& a : argv) cargv.push_back(&a[0]);
  cargv.push_back(nullptr);
  std::vector<std::string> envList = environment(env);
  std::vector<char*> cenv;
  for (std::string& e : envList) cenv.push_back(&e[0]);
  cenv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, run.outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, run.errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, cargv[0], &actions, nullptr, cargv.data(), cenv.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
  run.pid = pid;
  return run;
}

CommandResult spawn(std::vector<std::string> argv, const std::map<std::string, std::string>& env) {
  return start(std::move(argv), env).finish();
}
}  // namespace

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

std::string examplePath(const std::string& relative) {
  return std::string(TARNEL_SOURCE_DIR) + "/examples/" + relative;
}

std::string expectedText(const std::string& relative) {
  std::string path = std::string(TARNEL_SOURCE_DIR) + "/tests/e2e/expected/" + relative;
  if (!fileExists(path)) throw std::runtime_error("missing expected file " + path);
  return readFile(path);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool fileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string ReportRun::file(const std::string& name) const { return readFile(folder + "/" + name); }

ReportRun runExample(const std::string& config, const std::string& className, int instance,
                     const std::vector<std::string>& extra) {
  ReportRun run;
  run.folder = freshFolder();
  std::vector<std::string> args{"run",   "--db",       demoDatabase(),
                                "--config", examplePath(config), "--queries",
                                examplePath("queries/common.xml"), "--class",
                                className, "--instance", std::to_string(instance),
                                "--out",   run.folder};
  args.insert(args.end(), extra.begin(), extra.end());
  run.result = runTarnel(args);
  return run;
}
