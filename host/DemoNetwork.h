// DemoNetwork: writes the demo network database: runs every "*.sql" script of
// the demo folder in name order on a new SQLite file, with demo_params(cells,
// seed) set for them, in one transaction. The file is built under a temporary
// name and renamed over `path` only when every script succeeded. When `path`
// is a postgresql:// URI, the network is built in a temporary SQLite file and
// copied to that server with the PostgreSQL scripts of the folder "postgres"
// beside the demo folder (see PgNetworkLoader).
#ifndef TARNEL_HOST_DEMONETWORK_H_
#define TARNEL_HOST_DEMONETWORK_H_

#include <string>

class DemoNetwork {
 public:
  // The folder of the demo scripts: the installed ones when this program runs
  // from an installation, else those of the source tree it was built from.
  static std::string defaultScriptFolder();
  // The folder of the PostgreSQL scripts that go with `scriptFolder`.
  static std::string postgresFolder(const std::string& scriptFolder);

  // Throws KvException naming the script (or table) and the database's
  // message on failure.
  static void write(const std::string& path, int cells, int seed, const std::string& scriptFolder);

 private:
  static void writeFile(const std::string& path, int cells, int seed,
                        const std::string& scriptFolder);
  static void writeServer(const std::string& uri, int cells, int seed,
                          const std::string& scriptFolder);
};

#endif  // TARNEL_HOST_DEMONETWORK_H_
