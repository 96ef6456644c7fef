#include "host/PluginLoader.h"

#include <dirent.h>
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>

#include <algorithm>

#include "framework/KvException.h"

namespace {
const char kCannotLoad[] = "Cannot load plug-in ";
const char kLibrarySuffix[] = ".so";

std::string baseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string abiText(int version) {
  return std::to_string(ReportRegistry::abiMajor(version)) + "." +
         std::to_string(ReportRegistry::abiMinor(version));
}

// The loader's message, without the file name it starts with.
std::string loaderMessage(const std::string& file) {
  const char* message = dlerror();
  std::string text = message ? message : "unknown error";
  if (text.compare(0, file.size() + 2, file + ": ") == 0) text.erase(0, file.size() + 2);
  return text;
}

bool isFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The "*.so" files of `folder`, in name order.
std::vector<std::string> librariesIn(const std::string& folder) {
  std::vector<std::string> paths;
  DIR* dir = opendir(folder.c_str());
  while (dirent* e = dir ? readdir(dir) : nullptr) {
    if (endsWith(e->d_name, kLibrarySuffix)) paths.push_back(folder + "/" + e->d_name);
  }
  if (dir) closedir(dir);
  std::sort(paths.begin(), paths.end());
  return paths;
}

// The entry point that `library` itself defines: dlsym also searches the
// libraries it depends on, and libTarnelEntity defines one of its own.
ReportLibraryEntry ownEntryPoint(void* library) {
  void* symbol = dlsym(library, kReportLibraryEntry);
  link_map* own = nullptr;
  link_map* found = nullptr;
  Dl_info info;
  if (!symbol || dlinfo(library, RTLD_DI_LINKMAP, &own) != 0 ||
      !dladdr1(symbol, &info, reinterpret_cast<void**>(&found), RTLD_DL_LINKMAP) || found != own) {
    return nullptr;
  }
  return reinterpret_cast<ReportLibraryEntry>(symbol);
}
}  // namespace

PluginLoader::PluginLoader() {
  Dl_info info;
  bool located = dladdr(reinterpret_cast<void*>(&tarnel_report_library), &info) && info.dli_fname;
  enter(&tarnel_report_library, located ? baseName(info.dli_fname) : "libTarnelEntity");
}

const ReportRegistry& PluginLoader::builtIn() {
  static const PluginLoader loader;
  return loader.registry();
}

PluginLoader::~PluginLoader() {
  registry_ = ReportRegistry();
  for (auto it = libraries_.rbegin(); it != libraries_.rend(); ++it) dlclose(*it);
}

void PluginLoader::load(const std::string& path) {
  std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) throw KvException(kCannotLoad + path + ": " + loaderMessage(file));
  if (std::find(libraries_.begin(), libraries_.end(), library) != libraries_.end()) {
    dlclose(library);  // loaded before, under this or another name
    return;
  }
  try {
    ReportLibraryEntry entry = ownEntryPoint(library);
    if (!entry) {
      throw KvException(std::string("no entry point ") + kReportLibraryEntry + " (not a report library)");
    }
    enter(entry, path);
  } catch (const KvException& e) {
    dlclose(library);
    throw KvException(kCannotLoad + path + ": " + e.message().str());
  }
  libraries_.push_back(library);
}

void PluginLoader::loadPath(const std::string& list) {
  size_t start = 0;
  while (start <= list.size()) {
    size_t colon = std::min(list.find(':', start), list.size());
    std::string entry = list.substr(start, colon - start);
    if (isFolder(entry)) {
      for (const std::string& path : librariesIn(entry)) load(path);
    } else if (!entry.empty()) {
      load(entry);
    }
    start = colon + 1;
  }
}

void PluginLoader::enter(ReportLibraryEntry entry, const std::string& origin) {
  ReportRegistry library;
  int abi = 0;
  try {
    abi = entry(&library, ReportRegistry::kAbiVersion);
  } catch (const KvException& e) {
    throw KvException("registering its classes threw: " + e.message().str());
  } catch (const std::exception& e) {
    throw KvException(std::string("registering its classes threw: ") + e.what());
  } catch (...) {
    throw KvException("registering its classes threw an exception that is not a std::exception");
  }
  if (ReportRegistry::abiMajor(abi) != ReportRegistry::kAbiMajor) {
    throw KvException("built for report registry ABI " + abiText(abi) + ", this program takes " +
                      std::to_string(ReportRegistry::kAbiMajor) + ".x");
  }
  registry_.merge(library, origin);
}
