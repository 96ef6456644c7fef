// PluginLoader: the report classes a host can run: those of the built-in
// library and of plug-in libraries named by path. Each library's entry point
// registers into a registry of its own, which joins registry() only when the
// whole library registered cleanly, under the library's name (the file name
// of the built-in library, the path as given for a plug-in). Plug-ins stay
// loaded while the loader lives, so it must outlive every report made
// through registry(). Failures throw KvException "Cannot load plug-in
// <path>: <reason>". Loading is single-threaded; registry() may then be read
// from any thread.
#ifndef TARNEL_HOST_PLUGINLOADER_H_
#define TARNEL_HOST_PLUGINLOADER_H_

#include <string>
#include <vector>

#include "engine/ReportRegistry.h"

class PluginLoader {
 public:
  // Registers the built-in library's classes.
  PluginLoader();
  ~PluginLoader();
  PluginLoader(const PluginLoader&) = delete;
  PluginLoader& operator=(const PluginLoader&) = delete;

  // Loads the shared library at `path` (a name without a slash is a file of
  // the current folder, never a search of the system's library path). A
  // library already loaded is not loaded again.
  void load(const std::string& path);
  // Loads each entry of a colon-separated list (TARNEL_PLUGIN_PATH): a file,
  // or a folder whose "*.so" files load in name order. Empty entries are
  // skipped.
  void loadPath(const std::string& list);

  const ReportRegistry& registry() const { return registry_; }
  // The built-in library's classes alone, loaded once (for hosts and tests
  // that take no plug-ins).
  static const ReportRegistry& builtIn();

 private:
  // Runs `entry` into a registry of its own, checks the ABI version it
  // returns, then merges its classes under `origin`.
  void enter(ReportLibraryEntry entry, const std::string& origin);

  std::vector<void*> libraries_;  // dlopen handles, closed after registry_ is gone
  ReportRegistry registry_;
};

#endif  // TARNEL_HOST_PLUGINLOADER_H_
