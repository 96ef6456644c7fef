// ScriptFolder: the SQL scripts of a folder, the "*.sql" files in name order,
// as the demo network and the PostgreSQL loader run them.
#ifndef TARNEL_HOST_SCRIPTFOLDER_H_
#define TARNEL_HOST_SCRIPTFOLDER_H_

#include <string>
#include <vector>

class ScriptFolder {
 public:
  // The paths of the folder's "*.sql" files, sorted by name. Throws
  // KvException when the folder cannot be read or holds no script.
  static std::vector<std::string> scripts(const std::string& folder);
  // The text of the file at `path`; throws KvException when it cannot be read.
  static std::string read(const std::string& path);
};

#endif  // TARNEL_HOST_SCRIPTFOLDER_H_
