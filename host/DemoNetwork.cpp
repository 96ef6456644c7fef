#include "host/DemoNetwork.h"

#include <dirent.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "framework/KvException.h"

#ifndef TARNEL_EXAMPLES_DIR
#define TARNEL_EXAMPLES_DIR "examples"
#endif

namespace {

std::vector<std::string> scripts(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) throw KvException("Cannot read the demo script folder " + folder);
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".sql") == 0) names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  if (names.empty()) throw KvException("No demo scripts in " + folder);
  return names;
}

std::string readScript(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw KvException("Cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void exec(sqlite3* db, const std::string& sql, const std::string& where) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    throw KvException(where + ": " + message);
  }
}

}  // namespace

std::string DemoNetwork::defaultScriptFolder() { return std::string(TARNEL_EXAMPLES_DIR) + "/demo"; }

void DemoNetwork::write(const std::string& path, int cells, int seed,
                        const std::string& scriptFolder) {
  if (cells < 1) throw KvException("The demo network needs at least one cell");
  std::vector<std::string> names = scripts(scriptFolder);
  std::string partial = path + ".partial";
  std::remove(partial.c_str());
  sqlite3* db = nullptr;
  if (sqlite3_open(partial.c_str(), &db) != SQLITE_OK) {
    std::string message = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    throw KvException("Cannot create " + path + ": " + message);
  }
  try {
    exec(db, "pragma journal_mode = off; pragma synchronous = off; begin", path);
    exec(db, "create table demo_params(cells integer, seed integer); insert into demo_params values (" +
                 std::to_string(cells) + ", " + std::to_string(seed) + ")",
         path);
    for (const std::string& name : names) {
      exec(db, readScript(scriptFolder + "/" + name), scriptFolder + "/" + name);
    }
    exec(db, "drop table demo_params; commit; analyze", path);
  } catch (...) {
    sqlite3_close(db);
    std::remove(partial.c_str());
    throw;
  }
  sqlite3_close(db);
  if (std::rename(partial.c_str(), path.c_str()) != 0) {
    std::remove(partial.c_str());
    throw KvException("Cannot write " + path);
  }
}
