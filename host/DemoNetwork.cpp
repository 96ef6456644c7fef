#include "host/DemoNetwork.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/KvException.h"
#include "host/Database.h"
#ifdef TARNEL_POSTGRES
#include "host/PgNetworkLoader.h"
#endif
#include "host/RunOutput.h"
#include "host/ScriptFolder.h"

#ifndef TARNEL_EXAMPLES_DIR
#define TARNEL_EXAMPLES_DIR "examples"
#endif

namespace {

const char kPostgresFolder[] = "postgres";
const char kTemporaryFolder[] = "/tarnel-demo-XXXXXX";
const char kTemporaryFile[] = "/demo.db";

void exec(sqlite3* db, const std::string& sql, const std::string& where) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    throw KvException(Database::displayName(where) + ": " + message);
  }
}

// A folder below $TMPDIR (or /tmp) removed with everything in it at the end.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + kTemporaryFolder;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) throw KvException("Cannot create a temporary folder in " + pattern);
    path_ = name.data();
  }
  ~TemporaryFolder() {
    std::remove((path_ + kTemporaryFile).c_str());
    rmdir(path_.c_str());
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The demo scripts of an installation: <folder of this program>/<relative
// path of the installed examples>/demo, when that folder exists.
std::string installedScriptFolder() {
#ifdef TARNEL_INSTALLED_EXAMPLES
  std::vector<char> program(4096);
  ssize_t length = readlink("/proc/self/exe", program.data(), program.size() - 1);
  if (length <= 0) return std::string();
  std::string path(program.data(), static_cast<size_t>(length));
  std::string folder = path.substr(0, path.rfind('/') + 1) + TARNEL_INSTALLED_EXAMPLES + "/demo";
  struct stat st;
  if (stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return folder;
#endif
  return std::string();
}

}  // namespace

std::string DemoNetwork::defaultScriptFolder() {
  std::string installed = installedScriptFolder();
  return installed.empty() ? std::string(TARNEL_EXAMPLES_DIR) + "/demo" : installed;
}

std::string DemoNetwork::postgresFolder(const std::string& scriptFolder) {
  std::string folder = scriptFolder;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  size_t slash = folder.rfind('/');
  return (slash == std::string::npos ? std::string() : folder.substr(0, slash + 1)) +
         kPostgresFolder;
}

void DemoNetwork::write(const std::string& path, int cells, int seed,
                        const std::string& scriptFolder) {
  if (cells < 1) throw KvException("The demo network needs at least one cell");
  if (Database::isServerUri(path)) {
    writeServer(path, cells, seed, scriptFolder);
  } else {
    writeFile(path, cells, seed, scriptFolder);
  }
}

void DemoNetwork::writeServer(const std::string& uri, int cells, int seed,
                              const std::string& scriptFolder) {
  Database::requireServerSupport(uri);
#ifdef TARNEL_POSTGRES
  std::string postgres = postgresFolder(scriptFolder);
  ScriptFolder::scripts(postgres);  // fails before the network is built
  TemporaryFolder folder;
  std::string file = folder.path() + kTemporaryFile;
  writeFile(file, cells, seed, scriptFolder);
  PgNetworkLoader::load(file, uri, postgres);
#else
  (void)cells;
  (void)seed;
  (void)scriptFolder;
#endif
}

void DemoNetwork::writeFile(const std::string& path, int cells, int seed,
                            const std::string& scriptFolder) {
  std::vector<std::string> scripts = ScriptFolder::scripts(scriptFolder);
  size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0) RunOutput::makeFolder(path.substr(0, slash));  // as --out is made
  std::string partial = path + ".partial";
  std::remove(partial.c_str());
  sqlite3* db = nullptr;
  if (sqlite3_open(partial.c_str(), &db) != SQLITE_OK) {
    std::string message = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    throw KvException("Cannot create " + Database::displayName(path) + ": " + message);
  }
  try {
    exec(db, "pragma journal_mode = off; pragma synchronous = off; begin", path);
    exec(db, "create table demo_params(cells integer, seed integer); insert into demo_params values (" +
                 std::to_string(cells) + ", " + std::to_string(seed) + ")",
         path);
    for (const std::string& script : scripts) exec(db, ScriptFolder::read(script), script);
    exec(db, "drop table demo_params; commit; analyze", path);
  } catch (...) {
    sqlite3_close(db);
    std::remove(partial.c_str());
    throw;
  }
  sqlite3_close(db);
  if (std::rename(partial.c_str(), path.c_str()) != 0) {
    std::remove(partial.c_str());
    throw KvException("Cannot write " + Database::displayName(path));
  }
}
