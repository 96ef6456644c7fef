// Files for tests: whole files read and written, a text's lines, and a new
// folder (below /tmp unless told) removed with everything in it when the
// object goes.
#ifndef TARNEL_TESTS_SUPPORT_TESTFILES_H_
#define TARNEL_TESTS_SUPPORT_TESTFILES_H_

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The lines of `text`, without their line ends.
inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct TempFolder {
  explicit TempFolder(const std::string& parent = "/tmp") : path(mkdtemp(&(parent + "/tarnel-test-XXXXXX")[0])) {}
  ~TempFolder() { std::filesystem::remove_all(path); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string path;
};

#endif  // TARNEL_TESTS_SUPPORT_TESTFILES_H_
