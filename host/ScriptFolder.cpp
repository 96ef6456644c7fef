#include "host/ScriptFolder.h"

#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "framework/KvException.h"

namespace {
const char kExtension[] = ".sql";
const size_t kExtensionLength = sizeof(kExtension) - 1;
}  // namespace

std::vector<std::string> ScriptFolder::scripts(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) throw KvException("Cannot read the script folder " + folder);
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name.size() > kExtensionLength &&
        name.compare(name.size() - kExtensionLength, kExtensionLength, kExtension) == 0) {
      names.push_back(name);
    }
  }
  closedir(dir);
  if (names.empty()) throw KvException("No SQL scripts in " + folder);
  std::sort(names.begin(), names.end());
  for (std::string& name : names) name = folder + "/" + name;
  return names;
}

std::string ScriptFolder::read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw KvException("Cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
