// Support for the portal's tests: the demo network (60 cells, seed 7, as the
// end-to-end tests use) made once per test program, folders below one
// temporary folder, and the example report catalogue.
#ifndef TARNEL_TESTS_PORTAL_PORTALTESTSUPPORT_H_
#define TARNEL_TESTS_PORTAL_PORTALTESTSUPPORT_H_

#include <string>

#include "host/DemoNetwork.h"
#include "tests/support/TestFiles.h"

inline const std::string& testFolder() {
  static const TempFolder folder;
  return folder.path;
}

inline const std::string& demoDatabase() {
  static const std::string path = [] {
    std::string db = testFolder() + "/demo.db";
    DemoNetwork::write(db, 60, 7, DemoNetwork::defaultScriptFolder());
    return db;
  }();
  return path;
}

inline std::string sourcePath(const std::string& relative) {
  return std::string(TARNEL_SOURCE_DIR) + "/" + relative;
}

#endif  // TARNEL_TESTS_PORTAL_PORTALTESTSUPPORT_H_
