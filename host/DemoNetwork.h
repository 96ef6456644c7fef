// DemoNetwork: writes the demo network database: runs every "*.sql" script of
// the demo folder in name order on a new SQLite file, with demo_params(cells,
// seed) set for them, in one transaction. The file is built under a temporary
// name and renamed over `path` only when every script succeeded.
#ifndef TARNEL_HOST_DEMONETWORK_H_
#define TARNEL_HOST_DEMONETWORK_H_

#include <string>

class DemoNetwork {
 public:
  // The folder of the demo scripts shipped with the source tree.
  static std::string defaultScriptFolder();

  // Throws KvException naming the script and SQLite's message on failure.
  static void write(const std::string& path, int cells, int seed, const std::string& scriptFolder);
};

#endif  // TARNEL_HOST_DEMONETWORK_H_
